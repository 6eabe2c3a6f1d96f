#include "gui/link/datatabledock.h"

#include "gui/link/datatable.h"
#include "ui_datatabledock.h"

#include <QEvent>

namespace veltrix {

DataTableDock::DataTableDock(const LiveScan *liveScan, QWidget *parent)
    : QDockWidget(parent), m_ui(std::make_unique<Ui::DataTableDock>())
{
    m_ui->setupUi(this);
    m_dataTable = std::make_unique<DATA_TABLE>(liveScan, m_ui->DataTableWidget);
}

DataTableDock::~DataTableDock() = default;

void DataTableDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDockWidget::changeEvent(event);
}

}  // namespace veltrix
