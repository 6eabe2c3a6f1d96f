#pragma once

#include <QDockWidget>
#include <memory>

namespace Ui {
class DataTableDock;
}

namespace veltrix {

class DATA_TABLE;
struct LiveScan;

// The data table dock (DataTableDock): its form and DATA_TABLE, which lists the latest
// serial scan in it.
class DataTableDock : public QDockWidget
{
    Q_OBJECT

public:
    // Width and height of a first start, before any saved layout exists.
    static constexpr int DefaultWidth = 290;
    static constexpr int DefaultHeight = 200;

    explicit DataTableDock(const LiveScan *liveScan, QWidget *parent = nullptr);
    ~DataTableDock() override;

    DATA_TABLE *dataTable() const { return m_dataTable.get(); }

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::DataTableDock> m_ui;
    std::unique_ptr<DATA_TABLE> m_dataTable;
};

}  // namespace veltrix
