#include "scannersession.h"

#include "emulatedscanner.h"

#include "core/link/crc16.h"
#include "core/link/frames.h"

#include <cmath>

namespace veltrix {

namespace {

// Where the next request mnemonic starts in buffer, or -1.
int findRequest(const QByteArray &buffer, int &length)
{
    const char *data = buffer.constData();
    for (int at = 0; at + MnemonicLength <= buffer.size(); ++at) {
        if (data[at] != 'R' && data[at] != 'W')
            continue;
        const FrameInfo *info = frameInfoFor(data + at, buffer.size() - at);
        if (info && info->requestLength > 0) {
            length = info->requestLength;
            return at;
        }
    }
    return -1;
}

}  // namespace

ScannerSession::ScannerSession(EmulatedScanner *scanner, const DeliveryFaults &faults,
                               quint64 seed, QObject *parent)
    : QObject(parent), m_scanner(scanner), m_faults(faults, seed)
{
    m_clock.start();
    m_cloudTimer.setTimerType(Qt::PreciseTimer);
    m_deliveryTimer.setTimerType(Qt::PreciseTimer);
    m_deliveryTimer.setSingleShot(true);
    connect(&m_cloudTimer, &QTimer::timeout, this, &ScannerSession::cloudTick);
    connect(&m_deliveryTimer, &QTimer::timeout, this, &ScannerSession::deliverDue);
    connect(scanner, &EmulatedScanner::rebooted, this, &ScannerSession::restartStream);
}

void ScannerSession::setFaults(const DeliveryFaults &faults, quint64 seed)
{
    m_faults = FaultInjector(faults, seed);
}

void ScannerSession::receive(const QByteArray &bytes)
{
    if (m_closing || !m_scanner)
        return;
    m_buffer.append(bytes);
    while (!m_closing) {
        int length = 0;
        const int at = findRequest(m_buffer, length);
        if (at < 0) {
            // Keep a tail that may be the start of a mnemonic still arriving.
            if (m_buffer.size() > MnemonicLength - 1)
                m_buffer.remove(0, m_buffer.size() - (MnemonicLength - 1));
            break;
        }
        m_buffer.remove(0, at);
        if (m_buffer.size() < length)
            break;
        const QByteArray frame = m_buffer.left(length);
        m_buffer.remove(0, length);
        // A frame with a bad checksum is ignored, as the program ignores bad replies.
        if (checkCrc(frame.constData(), length - CrcLength))
            handleFrame(frame);
    }
    if (m_buffer.size() > ReceiveLimit)
        m_buffer.clear();
}

void ScannerSession::handleFrame(const QByteArray &frame)
{
    const EmulatedScanner::Response response = m_scanner->handle(frame);
    ++m_framesHandled;
    emit requestHandled(frame, response.reply);
    if (response.cloud == EmulatedScanner::CloudCommand::Start)
        startCloud();
    else if (response.cloud == EmulatedScanner::CloudCommand::Stop)
        stopCloud();

    if (!response.reply.isEmpty()) {
        const FrameInfo *info = frameInfoFor(response.reply.constData(), response.reply.size());
        const bool hasCrc = info && info->replyHasCrc;
        const FaultInjector::Delivery delivery = m_faults.shape(response.reply, hasCrc);
        for (const QByteArray &piece : delivery.pieces)
            send(piece, delivery.delayMs);
    }

    const int closeAfter = m_faults.faults().closeAfterFrames;
    if (m_closable && closeAfter > 0 && m_framesHandled >= closeAfter) {
        m_closing = true;
        stopCloud();
        closeWhenDrained();
    }
}

// ---- automatic cloud output ---------------------------------------------------------------

void ScannerSession::startCloud()
{
    if (!m_scanner || m_cloudTimer.isActive())
        return;  // already streaming: the running scan goes on
    const double sectorsPerSecond = m_scanner->config().scanRate * EmulatedScanner::CloudSectorCount;
    m_cloudTimer.setInterval(qMax(1, static_cast<int>(1000.0 / sectorsPerSecond)));
    m_cloudTimer.start();
    restartStream();
}

void ScannerSession::stopCloud()
{
    m_cloudTimer.stop();
}

void ScannerSession::restartStream()
{
    m_nextSector = 0;
    m_sectorsSent = 0;
    m_cloudClock.start();
}

void ScannerSession::pushCloudSector()
{
    if (!m_scanner)
        return;
    if (m_nextSector == 0)
        m_scanTime = m_scanner->now();
    send(m_scanner->cloudSector(m_nextSector, m_scanTime), 0);
    m_nextSector = (m_nextSector + 1) % EmulatedScanner::CloudSectorCount;
    ++m_sectorsSent;
}

void ScannerSession::cloudTick()
{
    if (!m_scanner)
        return;
    const double sectorsPerMs = m_scanner->config().scanRate * EmulatedScanner::CloudSectorCount / 1000.0;
    const qint64 due = static_cast<qint64>(std::floor(m_cloudClock.elapsed() * sectorsPerMs));
    // After a stall (a busy machine) the stream does not rush to catch up: at most one
    // scan goes out at once, the rest is skipped as a real scanner would lose it.
    if (due - m_sectorsSent > EmulatedScanner::CloudSectorCount)
        m_sectorsSent = due - EmulatedScanner::CloudSectorCount;
    while (m_sectorsSent < due && m_cloudTimer.isActive())
        pushCloudSector();
}

// ---- output -----------------------------------------------------------------------------

void ScannerSession::send(const QByteArray &bytes, qint64 delayMs)
{
    if (m_outgoing.isEmpty() && delayMs <= 0) {
        emit transmit(bytes);
        return;
    }
    qint64 due = m_clock.elapsed() + delayMs;
    if (!m_outgoing.isEmpty())
        due = qMax(due, m_outgoing.last().due);  // never overtake what waits already
    m_outgoing.enqueue(Outgoing{due, bytes});
    scheduleDelivery();
}

void ScannerSession::scheduleDelivery()
{
    if (m_outgoing.isEmpty())
        return;
    m_deliveryTimer.start(static_cast<int>(qMax<qint64>(0, m_outgoing.head().due - m_clock.elapsed())));
}

void ScannerSession::deliverDue()
{
    const qint64 now = m_clock.elapsed();
    while (!m_outgoing.isEmpty() && m_outgoing.head().due <= now)
        emit transmit(m_outgoing.dequeue().bytes);
    scheduleDelivery();
    if (m_closing)
        closeWhenDrained();
}

void ScannerSession::closeWhenDrained()
{
    if (m_outgoing.isEmpty())
        emit closeRequested();
}

}  // namespace veltrix
