#pragma once

#include "core/link/linktransaction.h"

namespace veltrix {

// Reads one area ("RArea"). The area is decoded over a copy of `base` (a field whose
// shape byte is unknown keeps the base's shape) and handed over in the result.
class ReadAreaTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    ReadAreaTransaction(int areaIndex, const AreaRecord &base = AreaRecord(), QObject *parent = nullptr);

protected:
    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;
};

}  // namespace veltrix
