#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

namespace veltrix {

class ScannerSession;
class SessionFactory;

// The scanner's serial side: a pseudo-terminal in raw mode whose other end the
// program opens as a serial port. The emulator keeps that other end open itself, so
// the line stays usable while the program closes and reopens it.
class PtyEndpoint : public QObject
{
    Q_OBJECT

public:
    // Output nobody reads is dropped beyond this, as a serial line would lose it.
    static constexpr int MaxPendingOutput = 1 << 20;

    PtyEndpoint(SessionFactory *sessions, QObject *parent = nullptr);
    ~PtyEndpoint() override;

    bool open(QString *error);
    // The device path the program opens, e.g. /dev/pts/3.
    QString devicePath() const { return m_devicePath; }

    // A symbolic link at path to the device, replacing an earlier link there (never a
    // file); it is removed again when the endpoint closes.
    bool createLink(const QString &path, QString *error);
    QString linkPath() const { return m_linkPath; }

private:
    void readMaster();
    void writePending();
    void close();

    SessionFactory *m_sessions;
    ScannerSession *m_session = nullptr;
    int m_master = -1;
    int m_slave = -1;
    QString m_devicePath;
    QString m_linkPath;
    QSocketNotifier *m_readNotifier = nullptr;
    QSocketNotifier *m_writeNotifier = nullptr;
    QByteArray m_pending;
};

}  // namespace veltrix
