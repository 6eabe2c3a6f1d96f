#pragma once

#include "core/connect/scannerdiscovery.h"
#include "core/connect/serialportlist.h"

#include <QDialog>

namespace Ui {
class Create;
}

namespace veltrix {

// The start dialog: the user creates a new project for one of the five scanner
// models, opens a project file, connects to a scanner (a new project of the chosen
// model plus a serial or Ethernet connection), or quits. It only collects the choice;
// every choice is a signal that the main window acts on. The scanners it lists are
// found by the same discovery the Ethernet settings dialog uses.
class Create : public QDialog
{
    Q_OBJECT

public:
    explicit Create(SerialPortLister ports = SystemSerialPorts, QWidget *parent = nullptr);
    ~Create() override;

    ScannerDiscovery &discovery() { return m_discovery; }

    // Where UpdateSerialPortSetting() takes the ports from from now on.
    void setPortLister(SerialPortLister ports);

public slots:
    void QuitButton();
    void CreateNewProject();
    void OpenProjectFile();
    void ConnectToLaserSensor();
    // Fills the serial list again: "name(description)", or the bare name.
    void UpdateSerialPortSetting();
    // Starts a new search for scanners; the address list starts empty.
    void UpdateEthernetSetting();
    // Stops listening for replies of the current search.
    void DelteclientSocket();
    void on_Button_Clear_clicked();

    // The dialog stays until one of its four actions is chosen: Escape does not close
    // it.
    void reject() override;

signals:
    void QuitSignal();
    void OpenProjectSignal();
    // A new project of model 0..4 (05XX, 10XX, 20XX, 30XX, 50XX).
    void CreateSignal(int modelIndex);
    // The interface chosen on the tabs: 0 serial, 1 Ethernet.
    void CreateInterface(int interfaceIndex);
    void OpenSerialSignal(const QString &portName);
    void OpenEthernetSignal(const QString &address);
    void OpenEthernetMode(const QString &mode);

protected:
    void changeEvent(QEvent *event) override;
    // The first time the dialog is shown: the serial ports and the search for scanners,
    // once it is on screen, so that neither delays the program's first window.
    void showEvent(QShowEvent *event) override;

private:
    void addScanner(const QString &address);
    int modelIndex() const;
    void listOnce();

    Ui::Create *ui;
    ScannerDiscovery m_discovery;
    SerialPortLister m_ports;
    bool m_listed = false;
};

}  // namespace veltrix
