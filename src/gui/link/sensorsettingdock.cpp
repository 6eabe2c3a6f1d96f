#include "gui/link/sensorsettingdock.h"

#include "core/project/project.h"
#include "gui/link/sensorsetting.h"
#include "ui_sensorsettingdock.h"

#include <QEvent>
#include <QToolBar>

namespace veltrix {

SensorSettingDock::SensorSettingDock(Project *project, QWidget *parent)
    : QDockWidget(parent), m_ui(std::make_unique<Ui::SensorSettingDock>())
{
    m_ui->setupUi(this);

    const SensorSettingWidgets widgets = {
        m_ui->Para_ControlMode, m_ui->Para_RS232BaudRate, m_ui->Para_RS232CommVerify,
        m_ui->Para_RS232StopBit, m_ui->Para_RS485IDAddress, m_ui->Para_RS485BaudRate,
        m_ui->Para_RS485CommVerify, m_ui->Para_RS485StopBit, m_ui->Para_CANIDAddress,
        m_ui->Para_CANBaudRate, m_ui->Para_SensorOutputLogic, m_ui->Para_ScanfMotorSpeed,
        m_ui->Para_ScanfMotorSyncMode, m_ui->Para_ScanfMotorSyncAngle,
        m_ui->Para_SensorInstallDir, m_ui->Para_SensorZeroValue, m_ui->SensorEtherMode,
        m_ui->SensorScanFerq, m_ui->SensorScanAngle, m_ui->ScanFilterLevel,
        m_ui->Para_SensorIPAddress1, m_ui->Para_SensorIPAddress2, m_ui->Para_SensorIPAddress3,
        m_ui->Para_SensorIPAddress4};
    // The project's block itself: the dock shows and edits it in place, as the link
    // does; a whole new block the project announces is shown in every field.
    m_settings = std::make_unique<SENSOR_SETTING>(project->parameterBlock(), widgets);
    connect(project, &Project::parametersChanged, m_settings.get(),
            &SENSOR_SETTING::ShowParameters);
}

SensorSettingDock::~SensorSettingDock() = default;

void SensorSettingDock::setToolBar(QToolBar *toolBar)
{
    m_ui->SensorMenuLayout->addWidget(toolBar);
}

void SensorSettingDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDockWidget::changeEvent(event);
}

}  // namespace veltrix
