#pragma once

#include "core/areas/arearecord.h"
#include "core/link/configurationdiff.h"
#include "core/link/frames.h"
#include "core/link/payloads.h"
#include "core/link/scannerconfiguration.h"

#include <QMetaType>
#include <QVector>

namespace veltrix {

enum class TransactionKind { ReadAll, WriteAll, ReadArea, ProductInformation, Reboot, Verify };

enum class TransactionOutcome {
    Complete,     // every step done and accepted
    Refused,      // the scanner did not accept a step (see notWritten and stoppedAt)
    NotSendable,  // a write-all whose configuration does not fit the frames; nothing sent
    Cancelled,    // stopped by the user
    TimedOut,     // the fourth time-out in a row stopped it
    LinkLost,     // the connection closed while it ran
    Busy,         // another transaction was running; nothing was sent
    Differs,      // read back completely, the scanner holds something else than the
                  // document (see differences); after a write-all, a failed write
};

// A write the scanner answered with a status other than 0 (accepted).
struct RefusedStep
{
    FrameId request = FrameId::WArea;  // "WArea", "WCase" or "WPara"
    int area = -1;                     // "WArea": the area sent
    int status = 0;                    // 1 setting error, 2 flash write error, others unknown

    friend bool operator==(const RefusedStep &a, const RefusedStep &b)
    {
        return a.request == b.request && a.area == b.area && a.status == b.status;
    }
};

// Why an area of a write-all cannot travel in its frame.
struct UnsendableArea
{
    enum Reason { TooManyVertices, PointOutOfRange };
    int area = -1;
    int field = -1;        // 0..2 = Out1..Out3
    Reason reason = TooManyVertices;
    int vertexCount = 0;   // TooManyVertices: the field's points
};

// What a transaction waits for the user to answer before it goes on.
struct TransactionQuestion
{
    enum Kind {
        // The scanner refused an area with a setting error: writing starts again at
        // area 0 once the user has seen it.
        AreaWriteRefused,
        // Everything was written: restart the scanner now? Answer 0 (the first button)
        // restarts it.
        Restart,
    };
    Kind kind = AreaWriteRefused;
    RefusedStep step;  // AreaWriteRefused: the refused write
    // Restart: the write was read back and found identical, with this configuration
    // checksum.
    bool verified = false;
    quint32 checksum = 0;
};

// How a transaction ended and what it brought back.
struct TransactionResult
{
    TransactionKind kind = TransactionKind::ReadAll;
    TransactionOutcome outcome = TransactionOutcome::Complete;

    // Write-all: the steps the scanner did not accept while the write went on.
    QVector<RefusedStep> notWritten;
    // Write-all: the refusal that stopped the write (a refused area repeated too often).
    bool stopped = false;
    RefusedStep stoppedAt;
    // Write-all, NotSendable: the first area that does not fit.
    UnsendableArea unsendable;
    // Write-all: the restart the user asked for was done.
    bool rebooted = false;

    // Read-all, complete: everything read, to be applied at once. Verification and a
    // write-all read back: what the scanner holds.
    ScannerConfiguration configuration;
    // Verification and a write-all: the scanner was read back completely and compared
    // with the document; every difference found (none when identical).
    bool verified = false;
    QVector<ConfigurationDifference> differences;
    // Read one area, complete: the area and its number.
    int areaIndex = -1;
    AreaRecord area;
    // Product information, complete.
    ProductInfo product;

    bool isComplete() const { return outcome == TransactionOutcome::Complete; }
};

}  // namespace veltrix

Q_DECLARE_METATYPE(veltrix::TransactionResult)
Q_DECLARE_METATYPE(veltrix::TransactionQuestion)
Q_DECLARE_METATYPE(veltrix::RefusedStep)
