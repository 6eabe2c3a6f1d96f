#include "gui/simulation/iosimulationdock.h"

#include "gui/simulation/iosimulation.h"
#include "ui_iosimulationdock.h"

#include <QEvent>

namespace veltrix {

IOSimulationDock::IOSimulationDock(QWidget *parent)
    : QDockWidget(parent), m_ui(std::make_unique<Ui::IOSimulationDock>())
{
    m_ui->setupUi(this);
    IoSimulationWidgets widgets;
    widgets.inputGroup = m_ui->InportGrouptBox;
    widgets.outputGroup = m_ui->OutportGrouptBox;
    widgets.faultGroup = m_ui->FaultGroupBox;
    widgets.caseGroup = m_ui->CaseSimulationBox;
    widgets.inputButtons = {m_ui->InputButton1, m_ui->InputButton2, m_ui->InputButton3,
                            m_ui->InputButton4, m_ui->InputButton5, m_ui->InputButton6};
    widgets.outputButtons = {m_ui->OutputButton1, m_ui->OutputButton2, m_ui->OutputButton3};
    widgets.faultButton = m_ui->FaultSimuButton;
    widgets.inputSpin = m_ui->InputspinBox;
    widgets.outputSpin = m_ui->OutputspinBox;
    widgets.degreeSpin = m_ui->SimDgreeSpinBox;
    widgets.degreeSlider = m_ui->SimDgreeSlider;
    widgets.speedSpin = m_ui->SimSpeedSpinBox;
    widgets.speedSlider = m_ui->SimSpeedSlider;
    widgets.operationMode = m_ui->SimOptionMode;
    m_simulation = std::make_unique<IO_SIMULATION>(widgets);
}

IOSimulationDock::~IOSimulationDock() = default;

void IOSimulationDock::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        m_ui->retranslateUi(this);
    QDockWidget::changeEvent(event);
}

}  // namespace veltrix
