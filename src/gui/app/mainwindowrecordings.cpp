// The main window's side of field entry and scan recordings: where the scan enters the
// fields, recording the scanner's scans, playing a recording and checking the project
// against one.
#include "gui/app/mainwindow.h"

#include "core/link/serialcomm.h"
#include "gui/graphics/fieldentryview.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/viewwindow.h"
#include "gui/project/projectfiles.h"
#include "gui/record/replaybar.h"
#include "gui/record/scanrecordings.h"
#include "ui_mainwindow.h"

namespace veltrix {

namespace {

// The replay bar's row in the grid under the view, below the status strip.
constexpr int ReplayBarRow = 4;

}  // namespace

void MainWindow::createRecordings()
{
    m_fieldEntries = std::make_unique<FieldEntryView>(
        &m_project.areas(), &link->liveScan(), optionScene->OutlineItem(), scene.get(),
        std::array<QLabel *, FieldCount>{ui->label_FieldEntry1, ui->label_FieldEntry2, ui->label_FieldEntry3},
        m_project.modelIndex());
    FieldEntryView *entries = m_fieldEntries.get();
    entries->SetLinkConfiguration(link->configuration());
    entries->SetViewScale(optionScene->Scale());
    connect(link.get(), &SERIAL_COMM::ReceiveScanfData, entries, &FieldEntryView::Request);
    connect(link.get(), &SERIAL_COMM::ConfigurationChanged, entries, &FieldEntryView::SetLinkConfiguration);
    connect(&m_project, &Project::modelChanged, entries, &FieldEntryView::SetDeviceType);
    connect(ui->graphicsView, QOverload<qreal>::of(&ViewWindow::ChangeSetupMatrix), entries,
            &FieldEntryView::SetViewScale);

    RecordingWidgets widgets;
    widgets.recordScan = ui->RecordScan;
    widgets.openRecording = ui->OpenRecording;
    widgets.checkRecording = ui->CheckRecording;
    widgets.distance = ui->Distance;
    widgets.connecting = {ui->Connection, ui->SerialConnection, ui->EthernetConnection, ui->SerialSetting,
                          ui->EthnernetSetting};
    widgets.recordingStatus = ui->label_Recording;
    widgets.window = this;
    m_recordings = std::make_unique<ScanRecordings>(&m_project, link.get(), m_connection.get(), &m_messenger,
                                                    m_messages.get(), fileDialogChooser(this), widgets);
    ui->centralLayout->addWidget(m_recordings->replayBar(), ReplayBarRow, 0, 1, ui->centralLayout->columnCount());
    // A recording being played is shown as a scanner's scans are; once it ends nothing
    // is reported any more.
    auto showScans = [this] {
        OpenCloseReadScanf(ui->Distance->isChecked());
        OpenCloseReadIntensity(ui->Intensity->isChecked());
    };
    connect(m_recordings.get(), &ScanRecordings::replayStarted, this, showScans);
    connect(m_recordings.get(), &ScanRecordings::replayEnded, this, [this, showScans] {
        showScans();
        IOPortDisplayer(0, 0, 0);
    });
}

bool MainWindow::scansArriving() const
{
    return anyTransportOpen() || (m_recordings && m_recordings->isReplaying());
}

}  // namespace veltrix
