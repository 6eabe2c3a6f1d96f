#pragma once

#include <QElapsedTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

#include <functional>

namespace veltrix::testing {

// Runs the event loop, as the program does, until done() holds; false after
// timeoutMs. (QTest::qWaitFor sleeps 10 ms between rounds, which would delay the
// link's 20 ms tick and spoil any timing.)
inline bool waitUntil(const std::function<bool()> &done, int timeoutMs)
{
    QEventLoop loop;
    QElapsedTimer clock;
    clock.start();
    QTimer check;
    check.setTimerType(Qt::PreciseTimer);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || clock.hasExpired(timeoutMs))
            loop.quit();
    });
    check.start(1);
    if (!done())
        loop.exec();
    return done();
}

}  // namespace veltrix::testing
