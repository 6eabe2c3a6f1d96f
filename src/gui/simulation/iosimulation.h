#pragma once

#include "core/link/simulationblock.h"

#include <QObject>

#include <array>

class QComboBox;
class QGroupBox;
class QSlider;
class QSpinBox;
class QToolButton;

namespace veltrix {

constexpr int SimulatedInputCount = 6;
constexpr int SimulatedOutputCount = 3;

// The controls of the IO simulation dock; they belong to the form.
struct IoSimulationWidgets
{
    QGroupBox *inputGroup = nullptr;
    QGroupBox *outputGroup = nullptr;
    QGroupBox *faultGroup = nullptr;
    QGroupBox *caseGroup = nullptr;
    std::array<QToolButton *, SimulatedInputCount> inputButtons{};   // input 1 first
    std::array<QToolButton *, SimulatedOutputCount> outputButtons{}; // output 1 first
    QToolButton *faultButton = nullptr;
    QSpinBox *inputSpin = nullptr;
    QSpinBox *outputSpin = nullptr;
    QSpinBox *degreeSpin = nullptr;
    QSlider *degreeSlider = nullptr;
    QSpinBox *speedSpin = nullptr;
    QSlider *speedSlider = nullptr;
    QComboBox *operationMode = nullptr;
};

// Runs the IO simulation dock and holds the simulation block in step with what the
// dock shows, announcing every change; the link sends the block to the scanner on its
// own timer, this controller never sends anything. Input simulation and case simulation exclude each
// other: checking one group unchecks the other.
class IO_SIMULATION : public QObject
{
    Q_OBJECT

public:
    static constexpr int SteeringLimit = 180;
    static constexpr int SpeedLimit = 300;

    explicit IO_SIMULATION(const IoSimulationWidgets &widgets, QObject *parent = nullptr);

    const SimulationBlock &block() const { return m_block; }

public slots:
    // Writes the input, output and fault part of the block from the groups and bits.
    void SimulationSignalSlots();
    // Writes the case part; a checked case group ends input simulation.
    void SimulationCaseSlots();
    // Ends every simulation: the four groups unchecked and the block written, so that
    // nothing stays simulated once the dock is closed or the connection is gone.
    void StopSimulation();

    void InputButtonSlots(int Number);   // 1..6
    void OutputButtonSlots(int Number);  // 1..3
    void FaultButtonSlots();
    void InputSpinChange(int Num);
    void OutputSpinChange(int Num);
    void DgreeSpinBoxSlots(int Num);
    void DgreeSliderSlots(int Num);
    void SpeedSpinBoxSlots(int Num);
    void SpeedSliderSlots(int Num);
    void OptionModeSlots(int Num);

signals:
    // The block changed; it is what the scanner is asked to pretend from now on.
    void SimulationChanged(const veltrix::SimulationBlock &block);

private:
    void connectControls();
    void publish();
    void refreshInputs();
    void refreshOutputs();

    SimulationBlock m_block;
    IoSimulationWidgets m_widgets;
    int m_inputBits = 0;
    int m_outputBits = 0;
    int m_faultState = 0;
};

}  // namespace veltrix
