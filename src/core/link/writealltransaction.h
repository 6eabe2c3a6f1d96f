#pragma once

#include "core/link/configurationreading.h"
#include "core/link/linktransaction.h"

#include <optional>

namespace veltrix {

// Whether a write-all reads the scanner back and compares it with what it wrote.
enum class WriteCheck { ReadBack, None };

// Writes a configuration into the scanner: "WArea" for areas 0 to 63, "WCase", then
// "WPara", from the snapshot taken when it was made, so edits made meanwhile are not
// sent half. A configuration that does not fit the frames is refused before anything
// is sent. An area the scanner refuses with a setting error starts the areas again at
// area 0 once the user has seen it; with a flash error the same area is sent again;
// either is repeated at most AreaWriteRepeats times, and the next refusal stops the
// write. A refused "WCase" or "WPara" is listed in the result and the write goes on.
// Areas travel mirrored when the configuration written says the scanner hangs upside
// down (parameter word 14), since that is the mounting the scanner has once the
// parameters are written.
//
// Once everything was accepted, the scanner is read back whole and compared with what
// was written (unless WriteCheck::None): only an identical read-back makes the write
// complete; a difference ends it as Differs, a failed write, with every difference
// listed. Then it asks whether to restart the scanner, and does so ("RBoot") when the
// answer is the first button.
class WriteAllTransaction : public LinkTransaction
{
    Q_OBJECT

public:
    // Refused area writes one write-all sends again by itself.
    static constexpr int AreaWriteRepeats = 3;

    explicit WriteAllTransaction(const ScannerConfiguration &snapshot,
                                 WriteCheck check = WriteCheck::ReadBack, QObject *parent = nullptr);

    const ScannerConfiguration &snapshot() const { return m_snapshot; }
    // The next area written, 0..63.
    int areaIndex() const { return m_areaIndex; }
    // True once everything was written and the scanner is being read back.
    bool isReadingBack() const { return m_readBack.has_value(); }

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
    void everythingWritten();
    void readBackTaken(FrameId id, const QByteArray &frame, bool inverted);
    void askRestart();
    int progressSteps() const;

    ScannerConfiguration m_snapshot;
    WriteCheck m_check;
    std::optional<ConfigurationReading> m_readBack;
    int m_areaIndex = 0;
    int m_repeats = 0;
    bool m_areasWritten = false;
    bool m_caseWritten = false;
    bool m_parametersWritten = false;
    bool m_rebootWanted = false;
};

}  // namespace veltrix
