#include "core/record/recordingplayer.h"

#include "core/link/serialcomm.h"
#include "core/record/recordingreader.h"

#include <QElapsedTimer>

namespace veltrix {

RecordingPlayer::RecordingPlayer(SERIAL_COMM *link, QObject *parent)
    : QObject(parent), m_link(link)
{
    qRegisterMetaType<Speed>();
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &RecordingPlayer::advance);
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    m_clock = [steady] { return steady->elapsed(); };
}

RecordingPlayer::~RecordingPlayer()
{
    // The link outlives the player and must not keep showing a recording nobody plays.
    close();
}

void RecordingPlayer::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

void RecordingPlayer::open(std::unique_ptr<RecordingReader> reader, const QString &fileName)
{
    if (!reader || !reader->isOpen() || reader->scanCount() == 0)
        return;
    pause();
    // A recording opened in place of another keeps what the link had before both.
    if (!isOpen())
        m_linkBefore = m_link->configuration();
    m_reader = std::move(reader);
    m_fileName = fileName;
    m_position = -1;
    m_link->ClearLiveScan();
    emit opened();
    show(0);
}

void RecordingPlayer::close()
{
    if (!isOpen())
        return;
    pause();
    m_reader.reset();
    m_fileName.clear();
    m_position = -1;
    m_scan = RecordedScan();
    m_link->ClearLiveScan();
    m_link->SetConnectType(m_linkBefore.connectType);
    m_link->SetInvertedMount(m_linkBefore.invertedMount);
    emit closed();
}

const RecordingHeader &RecordingPlayer::header() const
{
    static const RecordingHeader none;
    return m_reader ? m_reader->header() : none;
}

int RecordingPlayer::scanCount() const
{
    return m_reader ? m_reader->scanCount() : 0;
}

quint32 RecordingPlayer::durationMs() const
{
    return m_reader ? m_reader->durationMs() : 0;
}

quint32 RecordingPlayer::timeOf(int scan) const
{
    return m_reader && scan >= 0 && scan < scanCount() ? m_reader->timeOf(scan) : 0;
}

int RecordingPlayer::factor() const
{
    return m_speed == Speed::Fast ? FastFactor : 1;
}

// The moment of the recording that is due now, by the clock since playing started.
quint32 RecordingPlayer::recordedNow() const
{
    const qint64 elapsed = qMax<qint64>(0, m_clock() - m_anchorClock);
    return static_cast<quint32>(qMin<qint64>(m_anchorTime + elapsed * factor(), durationMs()));
}

void RecordingPlayer::anchor()
{
    m_anchorClock = m_clock();
    m_anchorTime = timeOf(m_position);
}

bool RecordingPlayer::show(int scan)
{
    QString error;
    RecordedScan read;
    if (!m_reader->readScan(scan, read, &error)) {
        pause();
        emit failed(error);
        return false;
    }
    m_scan = std::move(read);
    m_position = scan;
    m_showing = true;
    m_link->ShowRecordedScan(m_scan);
    emit scanShown(scan);
    m_showing = false;
    return true;
}

void RecordingPlayer::setPlaying(bool playing)
{
    if (playing)
        play();
    else
        pause();
}

void RecordingPlayer::play()
{
    if (!isOpen() || m_playing)
        return;
    // Played to the end, it starts again from the beginning.
    if (m_position >= scanCount() - 1 && !show(0))
        return;
    m_playing = true;
    anchor();
    schedule();
    emit playingChanged(true);
}

void RecordingPlayer::pause()
{
    m_timer.stop();
    if (!m_playing)
        return;
    m_playing = false;
    emit playingChanged(false);
}

void RecordingPlayer::step()
{
    pause();
    if (isOpen() && m_position < scanCount() - 1)
        show(m_position + 1);
}

void RecordingPlayer::seekScan(int scan)
{
    if (!isOpen())
        return;
    if (!show(qBound(0, scan, scanCount() - 1)))
        return;
    if (m_playing) {
        anchor();
        schedule();
    }
}

void RecordingPlayer::seekTime(quint32 timeMs)
{
    if (isOpen())
        seekScan(m_reader->scanAt(timeMs));
}

void RecordingPlayer::setSpeed(Speed speed)
{
    if (speed == m_speed)
        return;
    m_speed = speed;
    if (m_playing) {
        anchor();
        schedule();
    }
    emit speedChanged(speed);
}

void RecordingPlayer::schedule()
{
    if (!m_playing)
        return;
    const int next = m_position + 1;
    if (next >= scanCount()) {
        pause();
        return;
    }
    if (m_speed == Speed::Unlimited) {
        m_timer.start(0);
        return;
    }
    const qint64 due = m_anchorClock + (qint64(timeOf(next)) - qint64(m_anchorTime)) / factor();
    m_timer.start(static_cast<int>(qMax<qint64>(0, due - m_clock())));
}

void RecordingPlayer::advance()
{
    if (!m_playing)
        return;
    // As fast as possible every scan is shown; at a pace, the one due now (a scan whose
    // moment passed while the program was busy is left out rather than shown late).
    int target = m_position + 1;
    if (m_speed != Speed::Unlimited)
        target = qMax(m_position, m_reader->scanAt(recordedNow()));
    if (target > m_position && !show(target))
        return;
    schedule();
}

}  // namespace veltrix
