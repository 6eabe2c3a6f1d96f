#pragma once

#include <QDockWidget>
#include <memory>

class QToolBar;

namespace Ui {
class SensorSettingDock;
}

namespace veltrix {

class Project;
class SENSOR_SETTING;

// The sensor settings dock (SensorSettingDock): its form and SENSOR_SETTING, which
// keeps its fields and the project's parameter block in step.
class SensorSettingDock : public QDockWidget
{
    Q_OBJECT

public:
    explicit SensorSettingDock(Project *project, QWidget *parent = nullptr);
    ~SensorSettingDock() override;

    SENSOR_SETTING *settings() const { return m_settings.get(); }
    // Puts the sensor tool bar (the window's Read All and Write All actions) at the top.
    void setToolBar(QToolBar *toolBar);

protected:
    void changeEvent(QEvent *event) override;

private:
    std::unique_ptr<Ui::SensorSettingDock> m_ui;
    std::unique_ptr<SENSOR_SETTING> m_settings;
};

}  // namespace veltrix
