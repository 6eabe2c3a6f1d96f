#pragma once

#include "deliveryfaults.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QTimer>

namespace veltrix {

class EmulatedScanner;

// One peer of the scanner: a TCP connection, a UDP sender or the serial line. It
// gathers the bytes that arrive into request frames, lets the scanner answer them,
// passes the replies through the connection's fault injection, and pushes "Cloud"
// sectors at the scan rate while automatic output is on. Bytes leave through
// transmit(); the transport decides where they go.
class ScannerSession : public QObject
{
    Q_OBJECT

public:
    // Above this, bytes that never formed a frame are thrown away.
    static constexpr int ReceiveLimit = 65536;

    ScannerSession(EmulatedScanner *scanner, const DeliveryFaults &faults, quint64 seed,
                   QObject *parent = nullptr);

    void receive(const QByteArray &bytes);

    bool cloudRunning() const { return m_cloudTimer.isActive(); }
    int framesHandled() const { return m_framesHandled; }
    int pendingOutput() const { return m_outgoing.size(); }
    void setFaults(const DeliveryFaults &faults, quint64 seed);
    // Only a connection that can close (TCP) honours closeAfterFrames.
    void setClosable(bool closable) { m_closable = closable; }

public slots:
    // Sends the next sector of the running scan now (the cloud timer calls it at the
    // scan rate; tests call it directly).
    void pushCloudSector();
    // Sends every sector whose time has come since automatic output started.
    void cloudTick();
    // Sends the held-back output whose time has come.
    void deliverDue();

signals:
    void transmit(const QByteArray &bytes);
    // The connection should close (after closeAfterFrames requests).
    void closeRequested();
    void requestHandled(const QByteArray &request, const QByteArray &reply);

private:
    void handleFrame(const QByteArray &frame);
    void startCloud();
    void stopCloud();
    void restartStream();
    void send(const QByteArray &bytes, qint64 delayMs);
    void scheduleDelivery();
    void closeWhenDrained();

    struct Outgoing
    {
        qint64 due;
        QByteArray bytes;
    };

    QPointer<EmulatedScanner> m_scanner;
    FaultInjector m_faults;
    QByteArray m_buffer;
    int m_framesHandled = 0;
    bool m_closable = false;
    bool m_closing = false;

    QTimer m_cloudTimer;
    QElapsedTimer m_cloudClock;
    qint64 m_sectorsSent = 0;
    int m_nextSector = 0;
    qint64 m_scanTime = 0;  // every sector of one scan shows the surroundings of its start

    QElapsedTimer m_clock;
    QQueue<Outgoing> m_outgoing;
    QTimer m_deliveryTimer;
};

}  // namespace veltrix
