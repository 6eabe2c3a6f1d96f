#pragma once

#include "core/link/linktransaction.h"

namespace veltrix {

// Reads the scanner's whole configuration: "RPara", "RCase", then "RArea" for areas 0
// to 63, one request per reply. Everything is staged in a copy of the configuration
// it starts from and handed over in the result only once the last area has come, so
// that a read-all that is cancelled or fails changes nothing. A missed area reply is
// asked for again; only the answer for the area asked for now moves it on.
class ReadAllTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    explicit ReadAllTransaction(const ScannerConfiguration &base = ScannerConfiguration(),
                                QObject *parent = nullptr);

    // The next area asked for, 0..63.
    int areaIndex() const { return m_areaIndex; }

protected:
    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;

private:
    bool m_parametersRead = false;
    bool m_caseRead = false;
    int m_areaIndex = 0;
};

}  // namespace veltrix
