#pragma once

#include "core/areas/arearecord.h"
#include "core/record/recordedscan.h"
#include "core/record/recordingcheck.h"

#include <QDialog>
#include <QString>

#include <memory>
#include <optional>

class QProgressDialog;

namespace Ui {
class RecordingCheckDialog;
}

namespace veltrix {

class RecordingReader;

// The check of the project's areas against a recording, as a table: for every area
// with points and each of its fields with points, how many scans entered the field,
// the first and the worst moment (the scan whose entering point came nearest to the
// scanner). A progress window with Cancel is shown while the check runs; a cancelled
// check shows what the scans checked until then gave, and says so. A double-click on a
// row asks for the replay at that moment: the first one from the "First" column, the
// worst one from any other. The dialog stays open beside the window.
class RecordingCheckDialog : public QDialog
{
    Q_OBJECT

public:
    enum Column { AreaColumn, FieldColumn, EnteredColumn, FirstColumn, WorstColumn };

    explicit RecordingCheckDialog(QWidget *parent = nullptr);
    ~RecordingCheckDialog() override;

    // Shows the dialog and checks areas against the open recording; returns how it
    // ended. projectChecksum: the project's configuration checksum, to be compared
    // with the one the recording names.
    CheckOutcome run(RecordingReader &reader, const QString &fileName, const QVector<AreaRecord> &areas,
                     double rangeSquare, std::optional<quint32> projectChecksum);
    bool isRunning() const { return m_running; }
    // The progress window of the check under way, null otherwise.
    QProgressDialog *progress() const { return m_progress; }

    QString fileName() const { return m_fileName; }
    const RecordingCheck &result() const { return m_result; }

signals:
    // The user wants to see this scan of the recording, with this area current.
    void jumpRequested(const QString &fileName, int area, int scan);

protected:
    void changeEvent(QEvent *event) override;

private:
    void fill();
    void showSummary();
    void showState();
    void rowActivated(int row, int column);

    std::unique_ptr<Ui::RecordingCheckDialog> m_ui;
    QProgressDialog *m_progress = nullptr;
    bool m_running = false;
    QString m_fileName;
    RecordingHeader m_header;
    int m_scanCount = 0;
    quint32 m_durationMs = 0;
    std::optional<quint32> m_projectChecksum;
    QVector<AreaRecord> m_areas;
    RecordingCheck m_result;
    CheckOutcome m_outcome = CheckOutcome::Complete;
    QString m_error;
};

}  // namespace veltrix
