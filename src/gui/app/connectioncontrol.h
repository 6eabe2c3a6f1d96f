#pragma once

#include "core/connect/scannerconnection.h"

#include <QObject>
#include <QString>

class QAction;
class QLabel;
class QStatusBar;

namespace veltrix {

class MessageQueue;
struct SerialSettings;

// The form's parts that show whether a connection stands; not owned.
struct ConnectionWidgets
{
    QAction *serialConnection = nullptr;
    QAction *ethernetConnection = nullptr;
    QAction *connection = nullptr;
    QAction *disConnection = nullptr;
    QAction *serialSetting = nullptr;
    QAction *ethernetSetting = nullptr;
    QAction *readAllSetting = nullptr;
    QAction *writeAllSetting = nullptr;
    QAction *softReboot = nullptr;
    QAction *sensorInformation = nullptr;
    QAction *ioSimulation = nullptr;
    QStatusBar *statusBar = nullptr;
    QLabel *connectionLabel = nullptr;
};

// Shows the scanner connection on the actions and the status bar, and tells the user
// in one message what went wrong when it fails or is lost. The connecting itself is
// ScannerConnection's; this object asks it to open or close and follows what it
// reports.
class ConnectionControl : public QObject
{
    Q_OBJECT

public:
    enum class State { Disconnected, Connecting, Connected };

    static constexpr quint16 ScannerPort = ScannerConnection::ScannerPort;

    // The connection, the queue and the widgets are not owned.
    ConnectionControl(ScannerConnection *connection, MessageQueue *messages,
                      const ConnectionWidgets &widgets, QObject *parent = nullptr);

    State state() const;
    bool isConnected() const { return state() == State::Connected; }

    // Opens portName with the line settings; the interface must already be serial.
    void openSerial(const QString &portName, const SerialSettings &settings);
    // Connects to address, port 8080, in the Ethernet mode the link holds; the
    // interface must already be Ethernet.
    void openEthernet(const QString &address);

public slots:
    // Closes whatever is open or being opened and resets the link.
    void close();

signals:
    // The connection stands: the owner starts its work with the scanner.
    void opened();
    // Everything was closed.
    void closed();

private:
    bool serialChosen() const;
    void showConnecting();
    void showConnected();
    void showClosed();
    void showFailure(ScannerConnection::Failure reason, const QString &detail);
    void failOpen();
    void showError(const QString &title, const QString &text);

    ScannerConnection *m_connection;
    MessageQueue *m_messages;
    ConnectionWidgets m_widgets;
    QString m_connectedStatus;  // the status bar text of the serial line being opened
};

}  // namespace veltrix
