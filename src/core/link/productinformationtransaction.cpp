#include "core/link/productinformationtransaction.h"

namespace veltrix {

ProductInformationTransaction::ProductInformationTransaction(QObject *parent)
    : LinkTransaction(TransactionKind::ProductInformation, parent)
{
}

bool ProductInformationTransaction::wants(SERIAL_COMM::RequestFlag flag) const
{
    return flag == SERIAL_COMM::ProductFlag && !isFinished();
}

int ProductInformationTransaction::buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                                                const LinkConfiguration &)
{
    if (flag != SERIAL_COMM::ProductFlag)
        return 0;
    setProgress(0, 1);
    return buildRPrda(buffer);
}

bool ProductInformationTransaction::accepts(FrameId id, const QByteArray &frame) const
{
    return LinkTransaction::accepts(id, frame) && id == FrameId::RPrda;
}

void ProductInformationTransaction::takeReply(FrameId, const QByteArray &frame, const LinkConfiguration &)
{
    m_result.product = decodeProductInfo(frame.constData());
    setProgress(1, 1);
    finish(TransactionOutcome::Complete);
}

}  // namespace veltrix
