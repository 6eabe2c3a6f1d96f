#include "core/areas/teachrecorder.h"

#include "core/link/serialcomm.h"

namespace veltrix {

TeachRecorder::TeachRecorder(SERIAL_COMM *link, QObject *parent) : QObject(parent), m_link(link)
{
    // Qt 5 knows an enum of a signal only once it is registered (for queued
    // connections and signal spies alike).
    qRegisterMetaType<TeachRecorder::Outcome>();
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &TeachRecorder::TimeUp);
    connect(m_link, &SERIAL_COMM::ReceiveScanfData, this, &TeachRecorder::takeScan);
}

TeachRecorder::~TeachRecorder()
{
    // Polling started for a recording is not left running after it.
    if (m_recording && m_startedPolling)
        m_link->CloseSendReadScanf();
}

void TeachRecorder::setRecording(int scanCount, int durationMs)
{
    m_scanCount = qMax(1, scanCount);
    m_duration = qMax(0, durationMs);
}

bool TeachRecorder::start()
{
    if (m_recording)
        return false;
    m_scans.clear();
    m_recording = true;
    m_startedPolling = !m_link->scanTimer().isActive();
    if (m_startedPolling) {
        m_link->OpenSendReadScanf();
        // Over Ethernet the polling timer first fires after a second: ask now.
        m_link->ReadScanfTime();
    }
    m_timer.start(m_duration);
    return true;
}

void TeachRecorder::cancel()
{
    if (m_recording)
        finish(Outcome::Cancelled);
}

void TeachRecorder::TimeUp()
{
    if (m_recording)
        finish(Outcome::TimeUp);
}

void TeachRecorder::takeScan()
{
    if (!m_recording)
        return;
    const LiveScan &live = m_link->liveScan();
    const LinkConfiguration &configuration = m_link->configuration();
    m_scans.append(configuration.isEthernet()
                       ? teachScanFromCloud(live.cloudDistX, live.cloudDistY, live.cloudCount,
                                            configuration.invertedMount)
                       : teachScanFromSerial(live.scanDistances, configuration.invertedMount));
    emit scanRecorded(m_scans.size(), m_scanCount);
    if (m_scans.size() >= m_scanCount)
        finish(Outcome::Complete);
}

void TeachRecorder::finish(Outcome outcome)
{
    m_recording = false;
    m_timer.stop();
    if (m_startedPolling)
        m_link->CloseSendReadScanf();
    m_startedPolling = false;
    emit finished(outcome);
}

}  // namespace veltrix
