#pragma once

#include "core/link/linktransaction.h"

namespace veltrix {

// Restarts the scanner ("RBoot"); complete once the scanner acknowledged it.
class RebootTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    explicit RebootTransaction(QObject *parent = nullptr);

protected:
    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;
};

}  // namespace veltrix
