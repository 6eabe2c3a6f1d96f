#pragma once

#include <QHostAddress>
#include <QObject>

class QTcpServer;
class QTcpSocket;

namespace veltrix {

class SessionFactory;

// The scanner's TCP server: every client connection gets a session of its own.
class TcpEndpoint : public QObject
{
    Q_OBJECT

public:
    // A client that stops reading loses what would pile up beyond this, as on a
    // congested link, instead of the emulator's memory growing without end.
    static constexpr qint64 MaxUnsentBytes = 4 << 20;

    TcpEndpoint(SessionFactory *sessions, QObject *parent = nullptr);

    bool listen(const QHostAddress &address, quint16 port, QString *error);
    QHostAddress address() const;
    quint16 port() const;

private:
    void accept();
    void serve(QTcpSocket *socket);

    SessionFactory *m_sessions;
    QTcpServer *m_server;
};

}  // namespace veltrix
