#pragma once

#include "core/link/linktransaction.h"

namespace veltrix {

// Writes a configuration into the scanner: "WArea" for areas 0 to 63, "WCase", then
// "WPara", from the snapshot taken when it was made, so edits made meanwhile are not
// sent half. A configuration that does not fit the frames is refused before anything
// is sent. An area the scanner refuses with a setting error starts the areas again at
// area 0 once the user has seen it; with a flash error the same area is sent again;
// either is repeated at most AreaWriteRepeats times, and the next refusal stops the
// write. A refused "WCase" or "WPara" is listed in the result and the write goes on.
// Once everything was accepted it asks whether to restart the scanner, and does so
// ("RBoot") when the answer is the first button.
class WriteAllTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    // Refused area writes one write-all sends again by itself.
    static constexpr int AreaWriteRepeats = 3;

    explicit WriteAllTransaction(const ScannerConfiguration &snapshot, QObject *parent = nullptr);

    const ScannerConfiguration &snapshot() const { return m_snapshot; }
    // The next area written, 0..63.
    int areaIndex() const { return m_areaIndex; }

    // The first area of configuration that does not fit its frame, if any.
    static bool findUnsendable(const ScannerConfiguration &configuration, UnsendableArea *found);

protected:
    bool begin() override;
    bool wants(SERIAL_COMM::RequestFlag flag) const override;
    int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                     const LinkConfiguration &configuration) override;
    bool accepts(FrameId id, const QByteArray &frame) const override;
    void takeReply(FrameId id, const QByteArray &frame, const LinkConfiguration &configuration) override;
    void replyTimedOut() override;
    void answered(int choice) override;

private:
    void areaAnswered(int status);
    void stepAnswered(FrameId request, int status);

    ScannerConfiguration m_snapshot;
    int m_areaIndex = 0;
    int m_repeats = 0;
    bool m_areasWritten = false;
    bool m_caseWritten = false;
    bool m_parametersWritten = false;
    bool m_rebootWanted = false;
};

}  // namespace veltrix
