#include "core/link/reboottransaction.h"

namespace veltrix {

RebootTransaction::RebootTransaction(QObject *parent)
    : LinkTransaction(TransactionKind::Reboot, parent)
{
}

bool RebootTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    return flag == SERIAL_COMM::RebootFlag && !isFinished();
}

int RebootTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                    const LinkConfiguration &)
{
    if (flag != SERIAL_COMM::RebootFlag)
        return 0;
    setProgress(0, 1);
    return buildRBoot(buffer);
}

bool RebootTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    return LinkTransaction::accepts(id, frame) && id == FrameId::RBoot;
}

void RebootTransaction::takeReply(FrameId, const QByteArray &, const LinkConfiguration &)
{
    m_result.rebooted = true;
    setProgress(1, 1);
    finish(TransactionOutcome::Complete);
}

}  // namespace veltrix
