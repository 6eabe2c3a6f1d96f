#include "gui/simulation/iosimulation.h"

#include <QComboBox>
#include <QGroupBox>
#include <QIcon>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>

namespace veltrix {

namespace {

constexpr int MaxInputBits = (1 << SimulatedInputCount) - 1;
constexpr int MaxOutputBits = (1 << SimulatedOutputCount) - 1;

QString InputPicture(int input, bool on)
{
    return QStringLiteral(":/images/%1%2.png")
        .arg(on ? QStringLiteral("Green") : QStringLiteral("Gray"))
        .arg(input);
}

// Output 1 lights yellow, output 2 orange, output 3 red, as the status strip shows them.
QString OutputPicture(int output, bool on)
{
    static const char *const colours[SimulatedOutputCount] = {"Yellow", "Orange", "Red"};
    return QStringLiteral(":/images/%1%2.png")
        .arg(on ? QLatin1String(colours[output - 1]) : QLatin1String("Gray"))
        .arg(output);
}

void ShowBit(QToolButton *button, const QString &picture, bool on)
{
    button->setIcon(QIcon(picture));
    button->setChecked(on);
}

}  // namespace

IO_SIMULATION::IO_SIMULATION(const IoSimulationWidgets &widgets, QObject *parent)
    : QObject(parent), m_widgets(widgets)
{
    m_widgets.inputSpin->setRange(0, MaxInputBits);
    m_widgets.outputSpin->setRange(0, MaxOutputBits);
    m_widgets.degreeSpin->setRange(-SteeringLimit, SteeringLimit);
    m_widgets.degreeSlider->setRange(-SteeringLimit, SteeringLimit);
    m_widgets.speedSpin->setRange(-SpeedLimit, SpeedLimit);
    m_widgets.speedSlider->setRange(-SpeedLimit, SpeedLimit);
    connectControls();
}

void IO_SIMULATION::connectControls()
{
    const IoSimulationWidgets &w = m_widgets;
    for (int i = 0; i < SimulatedInputCount; ++i)
        connect(w.inputButtons[i], &QToolButton::clicked, this, [this, i] { InputButtonSlots(i + 1); });
    for (int i = 0; i < SimulatedOutputCount; ++i)
        connect(w.outputButtons[i], &QToolButton::clicked, this, [this, i] { OutputButtonSlots(i + 1); });
    connect(w.faultButton, &QToolButton::clicked, this, &IO_SIMULATION::FaultButtonSlots);
    connect(w.inputSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &IO_SIMULATION::InputSpinChange);
    connect(w.outputSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &IO_SIMULATION::OutputSpinChange);
    for (QGroupBox *group : {w.inputGroup, w.outputGroup, w.faultGroup})
        connect(group, &QGroupBox::clicked, this, &IO_SIMULATION::SimulationSignalSlots);
    connect(w.caseGroup, &QGroupBox::clicked, this, &IO_SIMULATION::SimulationCaseSlots);
    connect(w.degreeSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &IO_SIMULATION::DgreeSpinBoxSlots);
    connect(w.degreeSlider, &QSlider::valueChanged, this, &IO_SIMULATION::DgreeSliderSlots);
    connect(w.speedSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &IO_SIMULATION::SpeedSpinBoxSlots);
    connect(w.speedSlider, &QSlider::valueChanged, this, &IO_SIMULATION::SpeedSliderSlots);
    connect(w.operationMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &IO_SIMULATION::OptionModeSlots);
}

void IO_SIMULATION::SimulationSignalSlots()
{
    SimulationBlock &block = m_block;
    // The bits stay in the block while input simulation is off, so checking the group
    // again sends the same inputs.
    block.simulatedInputs = m_inputBits;
    if (m_widgets.inputGroup->isChecked()) {
        block.inputSimulationOn = 1;
        m_widgets.caseGroup->setChecked(false);
        block.caseSimulationOn = 0;
    } else {
        block.inputSimulationOn = 0;
    }

    block.outputSimulationOn = m_widgets.outputGroup->isChecked() ? 1 : 0;
    block.simulatedOutputs = m_outputBits;

    const bool fault = m_widgets.faultGroup->isChecked();
    block.faultSimulationOn = fault ? 1 : 0;
    block.simulatedFault = fault ? m_faultState : 0;
    publish();
}

void IO_SIMULATION::SimulationCaseSlots()
{
    SimulationBlock &block = m_block;
    if (m_widgets.caseGroup->isChecked()) {
        block.caseSimulationOn = 1;
        m_widgets.inputGroup->setChecked(false);
        block.inputSimulationOn = 0;
    } else {
        block.caseSimulationOn = 0;
    }
    publish();
}

void IO_SIMULATION::StopSimulation()
{
    for (QGroupBox *group : {m_widgets.inputGroup, m_widgets.outputGroup, m_widgets.faultGroup,
                             m_widgets.caseGroup})
        group->setChecked(false);
    SimulationSignalSlots();
    SimulationCaseSlots();
}

void IO_SIMULATION::InputButtonSlots(int Number)
{
    if (Number < 1 || Number > SimulatedInputCount)
        return;
    const int bit = 1 << (Number - 1);
    if (m_widgets.inputButtons[Number - 1]->isChecked())
        m_inputBits |= bit;
    else
        m_inputBits &= ~bit;
    refreshInputs();
}

void IO_SIMULATION::OutputButtonSlots(int Number)
{
    if (Number < 1 || Number > SimulatedOutputCount)
        return;
    const int bit = 1 << (Number - 1);
    if (m_widgets.outputButtons[Number - 1]->isChecked())
        m_outputBits |= bit;
    else
        m_outputBits &= ~bit;
    refreshOutputs();
}

void IO_SIMULATION::FaultButtonSlots()
{
    const bool fault = m_widgets.faultButton->isChecked();
    m_faultState = fault ? 1 : 0;
    m_widgets.faultButton->setIcon(QIcon(fault ? QStringLiteral(":/images/GreenFault.png")
                                               : QStringLiteral(":/images/GrayFault.png")));
    SimulationSignalSlots();
}

void IO_SIMULATION::InputSpinChange(int Num)
{
    m_inputBits = qBound(0, Num, MaxInputBits);
    refreshInputs();
}

void IO_SIMULATION::OutputSpinChange(int Num)
{
    m_outputBits = qBound(0, Num, MaxOutputBits);
    refreshOutputs();
}

void IO_SIMULATION::refreshInputs()
{
    for (int i = 0; i < SimulatedInputCount; ++i)
        ShowBit(m_widgets.inputButtons[i], InputPicture(i + 1, m_inputBits & (1 << i)),
                m_inputBits & (1 << i));
    {
        const QSignalBlocker quiet(m_widgets.inputSpin);
        m_widgets.inputSpin->setValue(m_inputBits);
    }
    SimulationSignalSlots();
}

void IO_SIMULATION::refreshOutputs()
{
    for (int i = 0; i < SimulatedOutputCount; ++i)
        ShowBit(m_widgets.outputButtons[i], OutputPicture(i + 1, m_outputBits & (1 << i)),
                m_outputBits & (1 << i));
    {
        const QSignalBlocker quiet(m_widgets.outputSpin);
        m_widgets.outputSpin->setValue(m_outputBits);
    }
    SimulationSignalSlots();
}

// Each side of a pair sets the other; the other's own change notice then writes the
// same value once more and stops there, because the value no longer changes.
void IO_SIMULATION::DgreeSpinBoxSlots(int Num)
{
    m_block.steeringAngle = Num;
    publish();
    m_widgets.degreeSlider->setValue(Num);
}

void IO_SIMULATION::DgreeSliderSlots(int Num)
{
    m_block.steeringAngle = Num;
    publish();
    m_widgets.degreeSpin->setValue(Num);
}

void IO_SIMULATION::SpeedSpinBoxSlots(int Num)
{
    m_block.vehicleSpeed = Num;
    publish();
    m_widgets.speedSlider->setValue(Num);
}

void IO_SIMULATION::SpeedSliderSlots(int Num)
{
    m_block.vehicleSpeed = Num;
    publish();
    m_widgets.speedSpin->setValue(Num);
}

void IO_SIMULATION::OptionModeSlots(int Num)
{
    m_block.operationMode = Num;
    publish();
}

void IO_SIMULATION::publish()
{
    emit SimulationChanged(m_block);
}

}  // namespace veltrix
