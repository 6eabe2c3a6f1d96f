#pragma once

#include "core/link/configurationreading.h"
#include "core/link/linktransaction.h"

namespace veltrix {

// Reads the scanner's whole configuration (ConfigurationReading). Everything is staged
// in a copy of the configuration it starts from and handed over in the result only
// once the last area has come, so that a read-all that is cancelled or fails changes
// nothing.
class ReadAllTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    explicit ReadAllTransaction(const ScannerConfiguration &base = ScannerConfiguration(),
                                QObject *parent = nullptr);

    // The next area asked for, 0..63.
    int areaIndex() const { return m_reading.areaIndex(); }

protected:
    // Read-all and verification share these; a verification compares at the end.
    ReadAllTransaction(TransactionKind kind, const ScannerConfiguration &base, QObject *parent);
    virtual void everythingRead();

    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;

    ConfigurationReading m_reading;
};

}  // namespace veltrix
