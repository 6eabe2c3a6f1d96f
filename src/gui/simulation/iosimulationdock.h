#pragma once

#include <QDockWidget>
#include <memory>

namespace Ui {
class IOSimulationDock;
}

namespace veltrix {

class IO_SIMULATION;

// The IO simulation dock (IOSimulationDock): its form and IO_SIMULATION, which keeps
// the simulation block in step with the dock's controls.
class IOSimulationDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit IOSimulationDock(QWidget *parent = nullptr);
    ~IOSimulationDock() override;

    IO_SIMULATION *simulation() const { return m_simulation.get(); }

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::IOSimulationDock> m_ui;
    std::unique_ptr<IO_SIMULATION> m_simulation;
};

}  // namespace veltrix
