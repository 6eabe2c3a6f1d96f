#pragma once

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

namespace veltrix {

// Faults a connection can inject into what the scanner sends back, for tests and for
// people who want to see how the program copes. Every random choice comes from one
// generator seeded per connection, so a run can be repeated exactly.
struct DeliveryFaults
{
    double dropFraction = 0;     // replies never sent
    double corruptFraction = 0;  // replies whose checksum is spoilt
    int splitMaxBytes = 0;       // > 0: replies go out in pieces of 1..splitMaxBytes bytes
    double noiseFraction = 0;    // replies preceded by a few random bytes
    int delayMinMs = 0;          // replies held back by a time in [min, max]
    int delayMaxMs = 0;
    int closeAfterFrames = 0;    // > 0: a TCP connection closes after this many requests

    bool shapesReplies() const
    {
        return dropFraction > 0 || corruptFraction > 0 || splitMaxBytes > 0 || noiseFraction > 0
            || delayMaxMs > 0;
    }
};

// Turns one reply into what actually goes out.
class FaultInjector
{
public:
    static constexpr int MaxNoiseBytes = 8;

    FaultInjector(const DeliveryFaults &faults, quint64 seed);

    struct Delivery
    {
        int delayMs = 0;
        QList<QByteArray> pieces;  // in order; none when the reply is dropped
    };

    // hasCrc: the reply ends with a checksum that corruption may spoil ("RScan",
    // "RStre" and "Cloud" carry none).
    Delivery shape(const QByteArray &reply, bool hasCrc);

    const DeliveryFaults &faults() const { return m_faults; }

private:
    bool chance(double fraction);

    DeliveryFaults m_faults;
    QRandomGenerator m_random;
};

}  // namespace veltrix
