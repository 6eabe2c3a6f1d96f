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
// in one message what went wrong when it fails or is lost, naming the port or address
// and the reason. The connecting itself is ScannerConnection's; this object asks it to
// open or close and follows what it reports. While the link hears nothing from the
// scanner (the fourth time-out in a row) the connection shows as open but silent,
// until the next reply.
class ConnectionControl : public QObject
{
    Q_OBJECT

public:
    // NoAnswer: the port or connection stands, but the scanner does not answer.
    enum class State { Disconnected, Connecting, Connected, NoAnswer };

    static constexpr quint16 ScannerPort = ScannerConnection::ScannerPort;

    // The connection, the queue and the widgets are not owned.
    ConnectionControl(ScannerConnection *connection, MessageQueue *messages,
                      const ConnectionWidgets &widgets, QObject *parent = nullptr);

    State state() const;
    // The port or connection stands, whether the scanner answers or not.
    bool isConnected() const { return state() == State::Connected || state() == State::NoAnswer; }
    // The port or address of the connection, as the messages name it.
    QString target() const;

    // Opens portName with the line settings; the interface must already be serial.
    void openSerial(const QString &portName, const SerialSettings &settings);
    // Connects to address, port 8080, in the Ethernet mode the link holds; the
    // interface must already be Ethernet.
    void openEthernet(const QString &address);

public slots:
    // Closes whatever is open or being opened and resets the link.
    void close();
    // The scanner stopped answering (false) or answers again (true).
    void setScannerAnswering(bool answering);

signals:
    // The connection stands: the owner starts its work with the scanner.
    void opened();
    // Everything was closed.
    void closed();

private:
    bool serialChosen() const;
    void showConnecting();
    void showConnected();
    void showConnectedTexts();
    void showClosed();
    void showFailure(ScannerConnection::Failure reason, const QString &detail);
    void failOpen(const QString &why);
    void showError(const QString &title, const QString &text);

    ScannerConnection *m_connection;
    MessageQueue *m_messages;
    ConnectionWidgets m_widgets;
    QString m_connectedStatus;  // the status bar text of the serial line being opened
    bool m_answering = true;
};

}  // namespace veltrix
