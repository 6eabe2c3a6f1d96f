#pragma once

#include "core/link/linktransaction.h"

namespace veltrix {

// Asks the scanner for its product information ("RPrda"); the result carries it.
class ProductInformationTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    explicit ProductInformationTransaction(QObject *parent = nullptr);

protected:
    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;
};

}  // namespace veltrix
