#pragma once

#include "core/link/linkconfiguration.h"
#include "core/record/recordedscan.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>

namespace veltrix {

class RecordingReader;
class SERIAL_COMM;

// Plays a scan recording through the link, without a scanner: each scan is handed to
// the link as if it had just arrived, so the view, the data table, the status strip
// and whatever else watches the link show it as they show a live scan. Plays at the
// recorded pace, four times as fast, or as fast as scans can be shown; steps one scan
// at a time; jumps to any moment. While a recording is open the link shows the
// recording's interface and mounting; closing it empties the live scan and gives the
// link back the interface and mounting it had before.
class RecordingPlayer : public QObject
{
    Q_OBJECT

public:
    enum class Speed { Recorded, Fast, Unlimited };
    static constexpr int FastFactor = 4;

    // Milliseconds on a steady clock; tests hand in their own.
    using Clock = std::function<qint64()>;

    explicit RecordingPlayer(SERIAL_COMM *link, QObject *parent = nullptr);
    ~RecordingPlayer() override;

    // Takes an open recording (with at least one scan) in place of the one open now
    // and shows its first scan, paused. fileName is what the recording is called.
    void open(std::unique_ptr<RecordingReader> reader, const QString &fileName);
    bool isOpen() const { return m_reader != nullptr; }
    QString fileName() const { return m_fileName; }
    const RecordingHeader &header() const;
    int scanCount() const;
    quint32 durationMs() const;
    quint32 timeOf(int scan) const;

    // The scan on show, -1 while nothing is open.
    int position() const { return m_position; }
    const RecordedScan &currentScan() const { return m_scan; }
    // True while a scan is being handed to the link and its listeners hear of it:
    // whatever changes then follows the recording, not the user.
    bool isShowingScan() const { return m_showing; }
    bool isPlaying() const { return m_playing; }
    Speed speed() const { return m_speed; }

    void setClock(Clock clock);

public slots:
    // Empties the live scan and gives the link back what it had before; nothing when
    // no recording is open.
    void close();
    void play();
    void pause();
    void setPlaying(bool playing);
    // Pauses and shows the next scan.
    void step();
    // Shows that scan (bounded to the recording), playing on from there if playing.
    void seekScan(int scan);
    // Shows the scan on show at that moment of the recording.
    void seekTime(quint32 timeMs);
    void setSpeed(veltrix::RecordingPlayer::Speed speed);
    // Shows what is due by now and waits for the next scan; the timer calls it.
    void advance();

signals:
    void opened();
    void closed();
    // A scan was handed to the link (its listeners have heard of it).
    void scanShown(int scan);
    void playingChanged(bool playing);
    void speedChanged(veltrix::RecordingPlayer::Speed speed);
    // A scan could not be read: playing stopped, the scan before stays on show.
    void failed(const QString &message);

private:
    bool show(int scan);
    void anchor();
    void schedule();
    int factor() const;
    quint32 recordedNow() const;

    SERIAL_COMM *m_link;  // not owned
    std::unique_ptr<RecordingReader> m_reader;
    QString m_fileName;
    LinkConfiguration m_linkBefore;
    RecordedScan m_scan;
    int m_position = -1;
    bool m_showing = false;
    bool m_playing = false;
    Speed m_speed = Speed::Recorded;
    QTimer m_timer;
    Clock m_clock;
    // Where the recorded time and the clock stood when playing last started.
    qint64 m_anchorClock = 0;
    quint32 m_anchorTime = 0;
};

}  // namespace veltrix

Q_DECLARE_METATYPE(veltrix::RecordingPlayer::Speed)
