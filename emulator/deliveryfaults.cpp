#include "deliveryfaults.h"

namespace veltrix {

namespace {

QRandomGenerator seeded(quint64 seed)
{
    const quint32 words[2] = {static_cast<quint32>(seed), static_cast<quint32>(seed >> 32)};
    return QRandomGenerator(words);
}

}  // namespace

FaultInjector::FaultInjector(const DeliveryFaults &faults, quint64 seed)
    : m_faults(faults), m_random(seeded(seed))
{
}

bool FaultInjector::chance(double fraction)
{
    // Always draw, so that one fault's setting does not shift the others' sequence.
    const double draw = m_random.generateDouble();
    return draw < fraction;
}

FaultInjector::Delivery FaultInjector::shape(const QByteArray &reply, bool hasCrc)
{
    Delivery delivery;
    const bool drop = chance(m_faults.dropFraction);
    const bool corrupt = chance(m_faults.corruptFraction);
    const bool noise = chance(m_faults.noiseFraction);
    if (m_faults.delayMaxMs > 0) {
        const int low = qMin(m_faults.delayMinMs, m_faults.delayMaxMs);
        delivery.delayMs = low + static_cast<int>(m_random.bounded(m_faults.delayMaxMs - low + 1));
    }
    if (drop)
        return delivery;

    QByteArray bytes;
    if (noise) {
        const int count = 1 + static_cast<int>(m_random.bounded(MaxNoiseBytes));
        for (int i = 0; i < count; ++i)
            bytes.append(static_cast<char>(m_random.bounded(256)));
    }
    bytes.append(reply);
    if (corrupt && hasCrc && !reply.isEmpty())
        bytes[bytes.size() - 1] = static_cast<char>(bytes.at(bytes.size() - 1) ^ 0x5A);

    if (m_faults.splitMaxBytes <= 0) {
        delivery.pieces.append(bytes);
        return delivery;
    }
    for (int at = 0; at < bytes.size();) {
        const int length = 1 + static_cast<int>(m_random.bounded(m_faults.splitMaxBytes));
        delivery.pieces.append(bytes.mid(at, length));
        at += length;
    }
    return delivery;
}

}  // namespace veltrix
