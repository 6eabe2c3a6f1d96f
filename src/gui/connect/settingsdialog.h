#pragma once

#include "core/connect/serialportlist.h"
#include "core/connect/serialsettings.h"

#include <QDialog>

class QIntValidator;

namespace Ui {
class SettingsDialog;
}

namespace veltrix {

// The serial settings dialog: the port and its line parameters. It keeps the chosen
// values as its current settings, which the serial transport copies when it opens the
// port, and asks for the chosen port to be opened with OpenSerialSignal.
class SettingsDialog : public QDialog
{
    Q_OBJECT

public:
    // Rates a user may type with "Custom".
    static constexpr int MaximumCustomBaudRate = 4000000;

    explicit SettingsDialog(SerialPortLister ports = SystemSerialPorts, QWidget *parent = nullptr);
    ~SettingsDialog() override;

    SerialSettings settings() const { return m_currentSettings; }

    // Where fillPortsInfo() takes the ports from from now on.
    void setPortLister(SerialPortLister ports);

public slots:
    // Takes over the settings, asks for the port to be opened, and hides the dialog.
    void update();
    // Fills the port list again: "name(description)", or the bare name.
    void fillPortsInfo();
    // "Custom" lets the user type a rate into the baud rate box; any other item does not.
    void checkCustomBaudRatePolicy(int idx);

signals:
    void OpenSerialSignal(const QString &name);

protected:
    void changeEvent(QEvent *event) override;
    // The port list is made the first time it is needed (shown, or a connection asked
    // for), not when the program starts: listing the system's ports takes time.
    void showEvent(QShowEvent *event) override;

private:
    void fillParameters();
    void listPortsOnce();
    void updateSettings();

    Ui::SettingsDialog *ui;
    SerialSettings m_currentSettings;
    QIntValidator *m_intValidator;
    SerialPortLister m_ports;
    bool m_listed = false;
};

}  // namespace veltrix
