#include "core/link/readareatransaction.h"

#include "core/link/areapayload.h"

namespace veltrix {

ReadAreaTransaction::ReadAreaTransaction(int areaIndex, const AreaRecord &base, QObject *parent)
    : LinkTransaction(TransactionKind::ReadArea, parent)
{
    m_result.areaIndex = qBound(0, areaIndex, MaxAreaIndex);
    m_result.area = base;
}

bool ReadAreaTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    return flag == SERIAL_COMM::ReadAreasFlag && !isFinished();
}

int ReadAreaTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                      const LinkConfiguration &)
{
    if (flag != SERIAL_COMM::ReadAreasFlag)
        return 0;
    setProgress(0, 1);
    return buildRArea(buffer, m_result.areaIndex);
}

bool ReadAreaTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    return LinkTransaction::accepts(id, frame) && id == FrameId::RArea
        && areaIndexOf(frame.constData()) == m_result.areaIndex;
}

void ReadAreaTransaction::takeReply(FrameId, const QByteArray &frame,
                                    const LinkConfiguration &configuration)
{
    decodeArea(frame.constData(), m_result.area, configuration.invertedMount);
    setProgress(1, 1);
    finish(TransactionOutcome::Complete);
}

}  // namespace veltrix
