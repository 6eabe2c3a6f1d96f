#pragma once

#include <QObject>
#include <QVector>

class QTableWidget;

namespace veltrix {

struct LiveScan;

// Fills the data table of the data table dock with the latest serial scan: per row the
// step number, the distance and the intensity. Row r shows sample r as seen from the
// vehicle, whichever way up the scanner hangs. The table widget belongs to the form.
class DATA_TABLE : public QObject
{
    Q_OBJECT

public:
    static constexpr int RowHeight = 22;
    static constexpr int StepColumnWidth = 40;
    static constexpr int DistanceColumnWidth = 90;

    DATA_TABLE(const LiveScan *liveScan, QTableWidget *table, QObject *parent = nullptr);

public slots:
    // Rewrites the distance and intensity columns from the link's serial arrays.
    void DataTableWidgetDisplay();
    // How the scanner hangs (the link stores its serial samples in its own order).
    void SetInvertedMount(bool inverted);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setUpTable();
    void writeCells();

    const LiveScan *m_liveScan;  // not owned
    bool m_inverted = false;
    QTableWidget *m_table;       // not owned
    // What each row shows now, so that unchanged values (the serial arrays keep theirs
    // while an Ethernet link streams) cost no cell updates.
    QVector<quint16> m_rowDistances;
    QVector<quint16> m_rowIntensities;
    // A refresh that arrived while the table was hidden; done when it is shown again.
    bool m_stale = false;
};

}  // namespace veltrix
