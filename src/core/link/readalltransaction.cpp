#include "core/link/readalltransaction.h"

namespace veltrix {

ReadAllTransaction::ReadAllTransaction(const ScannerConfiguration &base, QObject *parent)
    : ReadAllTransaction(TransactionKind::ReadAll, base, parent)
{
}

ReadAllTransaction::ReadAllTransaction(TransactionKind kind, const ScannerConfiguration &base,
                                       QObject *parent)
    : LinkTransaction(kind, parent), m_reading(base)
{
}

bool ReadAllTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    return !isWaiting() && !isFinished() && m_reading.wants(flag);
}

int ReadAllTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                     const LinkConfiguration &)
{
    if (flag == SERIAL_COMM::ReadAreasFlag)
        setProgress(m_reading.areaIndex(), AreaCount);
    return m_reading.buildRequest(flag, buffer);
}

bool ReadAllTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    return LinkTransaction::accepts(id, frame) && m_reading.accepts(id, frame);
}

void ReadAllTransaction::takeReply(FrameId id, const QByteArray &frame,
                                   const LinkConfiguration &configuration)
{
    switch (m_reading.take(id, frame, configuration.invertedMount)) {
    case ConfigurationReading::Step::Parameters:
        emit mountingRead(m_reading.readInverted());
        break;
    case ConfigurationReading::Step::Case:
        break;
    case ConfigurationReading::Step::Area:
        setProgress(m_reading.areaIndex(), AreaCount);
        if (m_reading.isDone())
            everythingRead();
        break;
    }
}

void ReadAllTransaction::everythingRead()
{
    m_result.configuration = m_reading.configuration();
    finish(TransactionOutcome::Complete);
}

}  // namespace veltrix
