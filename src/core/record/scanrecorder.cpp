#include "core/record/scanrecorder.h"

#include "core/link/configurationchecksum.h"
#include "core/link/linkconfiguration.h"
#include "core/link/livescan.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "core/link/writealltransaction.h"

#include <QDateTime>

namespace veltrix {

RecordedScan RecordedScanOf(const LiveScan &live, const LinkConfiguration &link, quint32 timeMs)
{
    RecordedScan scan;
    scan.timeMs = timeMs;
    scan.activeArea = static_cast<quint8>(live.activeArea);
    scan.inputs = static_cast<quint8>(live.io.inport);
    scan.outputs = static_cast<quint8>(live.io.outport);
    scan.status = static_cast<quint16>(live.io.status);
    scan.invertedMount = link.invertedMount;
    if (!link.isEthernet()) {
        scan.link = ScanLink::Serial;
        scan.distances = live.scanDistances;
        scan.intensities = live.scanIntensities;
        return scan;
    }
    scan.link = ScanLink::Ethernet;
    const int count = qBound(0, live.cloudCount, CloudCapacity);
    scan.cloudDistances.reserve(count);
    scan.cloudIntensities.reserve(count);
    for (int i = 0; i < count; ++i) {
        scan.cloudDistances.append(QPoint(live.cloudDistX.at(i), live.cloudDistY.at(i)));
        scan.cloudIntensities.append(QPoint(live.cloudIntensityX.at(i), live.cloudIntensityY.at(i)));
    }
    return scan;
}

ScanRecorder::ScanRecorder(SERIAL_COMM *link, QObject *parent)
    : QObject(parent), m_link(link)
{
    connect(link, &SERIAL_COMM::ReceiveScanfData, this, &ScanRecorder::takeScan);
    connect(link, &SERIAL_COMM::TransactionStarted, this, &ScanRecorder::transactionStarted);
    connect(link, &SERIAL_COMM::TransactionFinished, this, &ScanRecorder::transactionFinished);
}

// Closed with its index, so that a program that ends while recording leaves a whole file.
ScanRecorder::~ScanRecorder() = default;

bool ScanRecorder::start(const QString &fileName, int modelIndex, QString *error)
{
    stop();
    RecordingHeader header;
    header.model = modelIndex;
    header.checksumKnown = m_scannerChecksum.has_value();
    header.configurationChecksum = m_scannerChecksum.value_or(0);
    header.startedMs = QDateTime::currentMSecsSinceEpoch();
    if (!m_writer.open(fileName, header, error))
        return false;
    m_fileName = fileName;
    m_clock.start();
    return true;
}

bool ScanRecorder::stop(QString *error)
{
    if (!m_writer.isOpen())
        return true;
    const bool closed = m_writer.close(error);
    emit stopped();
    return closed;
}

void ScanRecorder::connectionEnded()
{
    m_scannerChecksum.reset();
    m_writing.reset();
    QString error;
    if (!stop(&error))
        emit failed(error);
}

void ScanRecorder::takeScan()
{
    if (!m_writer.isOpen())
        return;
    const RecordedScan scan = RecordedScanOf(m_link->liveScan(), m_link->configuration(),
                                             static_cast<quint32>(m_clock.elapsed()));
    QString error;
    if (m_writer.write(scan, &error)) {
        emit scanRecorded();
        return;
    }
    // What was written before stays readable; the file is closed as far as it can be.
    m_writer.close(nullptr);
    emit stopped();
    emit failed(error);
}

void ScanRecorder::transactionStarted(LinkTransaction *transaction)
{
    // Whatever a write-all leaves in the scanner is known only once it was all accepted.
    if (auto *write = qobject_cast<WriteAllTransaction *>(transaction)) {
        m_scannerChecksum.reset();
        m_writing = configurationChecksum(write->snapshot());
    }
}

void ScanRecorder::transactionFinished(const TransactionResult &result)
{
    if (!result.isComplete())
        return;
    if (result.kind == TransactionKind::ReadAll)
        m_scannerChecksum = configurationChecksum(result.configuration);
    else if (result.kind == TransactionKind::WriteAll)
        m_scannerChecksum = m_writing;
}

}  // namespace veltrix
