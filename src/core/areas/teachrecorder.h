#pragma once

#include "core/areas/teachin.h"

#include <QObject>
#include <QTimer>
#include <QVector>

namespace veltrix {

class SERIAL_COMM;

// Records the live outline for a teach-in: every scan the link stores while it runs,
// until it has the scans it wants or its time is up, whichever comes first. Scan
// polling that is off is started for the recording (the first request goes out at
// once) and stopped again afterwards; polling that was on stays on. The scans are
// taken as teaching reads them, in the link's interface and mounting of the moment.
class TeachRecorder : public QObject
{
    Q_OBJECT

public:
    static constexpr int DefaultScanCount = 30;
    static constexpr int DefaultDuration = 3000;  // ms

    enum class Outcome {
        Complete,   // every scan wanted arrived
        TimeUp,     // the time ran out; scans() holds what arrived (perhaps nothing)
        Cancelled,  // stopped by cancel(); scans() holds what arrived
    };
    Q_ENUM(Outcome)

    explicit TeachRecorder(SERIAL_COMM *link, QObject *parent = nullptr);
    ~TeachRecorder() override;

    // How many scans a recording waits for, and for how long at most.
    void setRecording(int scanCount, int durationMs);
    int scanCount() const { return m_scanCount; }
    int duration() const { return m_duration; }

    // Starts a recording with no scans; false (nothing done) while one runs.
    bool start();
    // Ends a running recording as Cancelled.
    void cancel();
    bool isRecording() const { return m_recording; }

    // The scans of the last recording, in the order they arrived.
    const QVector<TeachScan> &scans() const { return m_scans; }

public slots:
    // The recording's time is up (its timer's slot).
    void TimeUp();

signals:
    // One more scan arrived: `count` of `wanted`.
    void scanRecorded(int count, int wanted);
    void finished(veltrix::TeachRecorder::Outcome outcome);

private:
    void takeScan();
    void finish(Outcome outcome);

    SERIAL_COMM *m_link;  // not owned
    int m_scanCount = DefaultScanCount;
    int m_duration = DefaultDuration;
    QTimer m_timer;
    QVector<TeachScan> m_scans;
    bool m_recording = false;
    bool m_startedPolling = false;
};

}  // namespace veltrix
