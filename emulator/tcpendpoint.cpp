#include "tcpendpoint.h"

#include "scannersession.h"
#include "sessionfactory.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace veltrix {

TcpEndpoint::TcpEndpoint(SessionFactory *sessions, QObject *parent)
    : QObject(parent), m_sessions(sessions), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &TcpEndpoint::accept);
}

bool TcpEndpoint::listen(const QHostAddress &address, quint16 port, QString *error)
{
    if (m_server->listen(address, port))
        return true;
    if (error)
        *error = m_server->errorString();
    return false;
}

QHostAddress TcpEndpoint::address() const
{
    return m_server->serverAddress();
}

quint16 TcpEndpoint::port() const
{
    return m_server->serverPort();
}

void TcpEndpoint::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection())
        serve(socket);
}

void TcpEndpoint::serve(QTcpSocket *socket)
{
    // Replies are small and answer one request at a time: send them at once.
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QString peer = QLatin1String("tcp ") + SessionFactory::peerName(socket->peerAddress(), socket->peerPort());
    ScannerSession *session = m_sessions->create(peer, socket);
    session->setClosable(true);
    connect(socket, &QTcpSocket::readyRead, session, [socket, session]() {
        session->receive(socket->readAll());
    });
    connect(session, &ScannerSession::transmit, socket, [socket](const QByteArray &bytes) {
        if (socket->bytesToWrite() > MaxUnsentBytes)
            return;
        socket->write(bytes);
        socket->flush();  // each piece leaves on its own
    });
    connect(session, &ScannerSession::closeRequested, socket, &QTcpSocket::disconnectFromHost);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
}

}  // namespace veltrix
