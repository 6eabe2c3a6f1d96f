// The main window's side of teaching fields from the live outline and of the
// configuration report: the controllers are built on the window's project, link,
// messages, view and edition dock, and follow the connection.
#include "gui/app/mainwindow.h"

#include "gui/app/connectioncontrol.h"
#include "gui/areas/editiondock.h"
#include "gui/areas/teachcontrol.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/regionselector.h"
#include "gui/project/reportexport.h"
#include "ui_mainwindow.h"

namespace veltrix {

void MainWindow::createTeachAndReport()
{
    m_regionSelector = std::make_unique<RegionSelector>(ui->graphicsView);
    TeachControl::Pages pages;
    for (int field = 0; field < FieldCount; ++field)
        pages[static_cast<size_t>(field)] = m_editionDock->teachPage(field);
    m_teach = std::make_unique<TeachControl>(&m_project, link.get(), m_messages.get(), pages,
                                             m_regionSelector.get(), this);
    TeachControl *teach = m_teach.get();
    connect(m_connection.get(), &ConnectionControl::opened, teach, [teach] { teach->setConnected(true); });
    connect(m_connection.get(), &ConnectionControl::closed, teach, [teach] { teach->setConnected(false); });
    // The outline being taught is shown while it is recorded, whatever Distance says.
    connect(teach, &TeachControl::recordingChanged, this, [this](bool recording) {
        optionScene->OutlineItem()->setVisible(recording || (ui->Distance->isChecked() && anyTransportOpen()));
    });

    m_reportExport = std::make_unique<ReportExport>(&m_project, &m_messenger, fileDialogChooser(this), this);
    connect(ui->ExportReport, &QAction::triggered, m_reportExport.get(), &ReportExport::exportReport);
}

}  // namespace veltrix
