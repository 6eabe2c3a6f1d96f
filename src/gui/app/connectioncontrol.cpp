#include "gui/app/connectioncontrol.h"

#include "core/app/usermessage.h"
#include "core/connect/connectiontexts.h"
#include "core/connect/serialsettings.h"
#include "core/link/serialcomm.h"
#include "gui/app/messagequeue.h"

#include <QAction>
#include <QLabel>
#include <QStatusBar>

namespace veltrix {

ConnectionControl::ConnectionControl(ScannerConnection *connection, MessageQueue *messages,
                                     const ConnectionWidgets &widgets, QObject *parent)
    : QObject(parent), m_connection(connection), m_messages(messages), m_widgets(widgets)
{
    connect(m_connection, &ScannerConnection::opening, this, &ConnectionControl::showConnecting);
    connect(m_connection, &ScannerConnection::opened, this, [this] {
        m_answering = true;
        showConnected();
        emit opened();
    });
    connect(m_connection, &ScannerConnection::closed, this, [this] {
        m_answering = true;
        showClosed();
        emit closed();
    });
    connect(m_connection, &ScannerConnection::failed, this, &ConnectionControl::showFailure);
}

ConnectionControl::State ConnectionControl::state() const
{
    switch (m_connection->state()) {
    case ScannerConnection::State::Open: return m_answering ? State::Connected : State::NoAnswer;
    case ScannerConnection::State::Opening: return State::Connecting;
    case ScannerConnection::State::Closed: break;
    }
    return State::Disconnected;
}

bool ConnectionControl::serialChosen() const
{
    return !m_connection->link()->configuration().isEthernet();
}

QString ConnectionControl::target() const
{
    return serialChosen() ? connectiontexts::serialTarget(m_connection->portName())
                          : connectiontexts::ethernetTarget(m_connection->address());
}

void ConnectionControl::setScannerAnswering(bool answering)
{
    if (m_connection->state() != ScannerConnection::State::Open || answering == m_answering)
        return;
    m_answering = answering;
    if (answering) {
        showConnectedTexts();
        return;
    }
    // Every action stays as it was: the user may read, write, ask for the product
    // information (any reply ends this state) or disconnect.
    const QString silent = tr("传感器无应答");
    m_widgets.statusBar->showMessage(silent + QStringLiteral(": ") + target());
    m_widgets.connectionLabel->setText(m_widgets.connectionLabel->text() + QStringLiteral("— ")
                                       + silent + QLatin1Char(' '));
    m_widgets.connectionLabel->setStyleSheet(QStringLiteral("color: #c62828;"));
}

void ConnectionControl::openSerial(const QString &portName, const SerialSettings &settings)
{
    // The port named is the one opened, also when the request came from elsewhere than
    // the serial settings dialog.
    m_connectedStatus = tr("连接到 %1 : %2, %3, %4, %5, %6")
                            .arg(portName, settings.stringBaudRate, settings.stringDataBits,
                                 settings.stringParity, settings.stringStopBits,
                                 settings.stringFlowControl);
    m_connection->openSerial(portName, settings);
}

void ConnectionControl::openEthernet(const QString &address)
{
    m_connection->openEthernet(address, m_connection->link()->configuration().ethernetMode);
}

void ConnectionControl::close()
{
    if (m_connection->state() == ScannerConnection::State::Closed) {
        showClosed();
        emit closed();
        return;
    }
    m_connection->close();
}

void ConnectionControl::showConnecting()
{
    // Only DisConnection stays at hand while the connection is being tried: it gives up.
    for (QAction *action : {m_widgets.serialConnection, m_widgets.ethernetConnection,
                            m_widgets.connection, m_widgets.serialSetting, m_widgets.ethernetSetting})
        action->setEnabled(false);
    m_widgets.disConnection->setEnabled(true);
    m_widgets.statusBar->showMessage(tr("正在连接 %1:%2").arg(m_connection->address()).arg(ScannerPort));
}

void ConnectionControl::showConnected()
{
    for (QAction *action : {m_widgets.serialConnection, m_widgets.ethernetConnection,
                            m_widgets.connection, m_widgets.serialSetting, m_widgets.ethernetSetting})
        action->setEnabled(false);
    for (QAction *action : {m_widgets.disConnection, m_widgets.readAllSetting,
                            m_widgets.writeAllSetting, m_widgets.softReboot,
                            m_widgets.sensorInformation, m_widgets.ioSimulation})
        action->setEnabled(true);
    showConnectedTexts();
    m_widgets.statusBar->addPermanentWidget(m_widgets.connectionLabel);
    m_widgets.connectionLabel->show();
}

void ConnectionControl::showConnectedTexts()
{
    const bool serial = serialChosen();
    const QString status = serial ? m_connectedStatus
                                  : tr("连接到") + m_connection->address() + QLatin1Char(':')
                                        + QString::number(ScannerPort);
    const QString label = serial ? tr("串口号:%1 ").arg(m_connection->portName())
                                 : tr("IP地址:%1 ").arg(m_connection->address());
    m_widgets.statusBar->showMessage(status);
    m_widgets.connectionLabel->setText(label);
    m_widgets.connectionLabel->setStyleSheet(QString());
}

void ConnectionControl::showClosed()
{
    const bool serial = serialChosen();
    m_widgets.connection->setEnabled(true);
    m_widgets.serialSetting->setEnabled(serial);
    m_widgets.ethernetSetting->setEnabled(!serial);
    for (QAction *action : {m_widgets.disConnection, m_widgets.readAllSetting,
                            m_widgets.writeAllSetting, m_widgets.softReboot,
                            m_widgets.sensorInformation})
        action->setEnabled(false);
    m_widgets.ioSimulation->setChecked(false);
    m_widgets.ioSimulation->setEnabled(false);
    // The address or port of a connection that is gone would only mislead.
    m_widgets.statusBar->removeWidget(m_widgets.connectionLabel);
    m_widgets.statusBar->showMessage(tr("已断开连接"));
    m_widgets.serialConnection->setEnabled(true);
    m_widgets.ethernetConnection->setEnabled(true);
}

void ConnectionControl::showFailure(ScannerConnection::Failure reason, const QString &detail)
{
    const QString why = connectiontexts::failureLine(target(), m_connection->lastCause(), detail);
    switch (reason) {
    case ScannerConnection::Failure::SerialNotOpened:
    case ScannerConnection::Failure::BadAddress:
    case ScannerConnection::Failure::NotReached:
        failOpen(why);
        return;
    case ScannerConnection::Failure::ConnectionLost:
        m_widgets.statusBar->showMessage(tr("以太网连接已断开"));
        showError(tr("错误"), tr("以太网连接已断开") + QLatin1Char('\n') + why);
        return;
    case ScannerConnection::Failure::SerialPortGone:
        m_widgets.statusBar->showMessage(tr("串口已断开"));
        showError(QStringLiteral("Critical Error"), why);
        return;
    }
}

void ConnectionControl::failOpen(const QString &why)
{
    const bool serial = serialChosen();
    m_widgets.statusBar->showMessage(tr("打开错误"));
    m_widgets.connection->setEnabled(true);
    m_widgets.serialConnection->setEnabled(true);
    m_widgets.ethernetConnection->setEnabled(true);
    (serial ? m_widgets.serialSetting : m_widgets.ethernetSetting)->setEnabled(true);
    // The first line is the one the program always gave; the second says which
    // target and why.
    showError(tr("错误"), (serial ? tr("串口打开失败") : tr("以太网连接失败")) + QLatin1Char('\n') + why);
}

void ConnectionControl::showError(const QString &title, const QString &text)
{
    UserMessage message;
    message.icon = MessageIcon::Critical;
    message.title = title;
    message.text = text;
    m_messages->post(message);
}

}  // namespace veltrix
