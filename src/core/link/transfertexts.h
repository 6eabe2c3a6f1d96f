#pragma once

#include "core/app/usermessage.h"
#include "core/link/transactionresult.h"

#include <QList>
#include <QString>

namespace veltrix {

// What the user is told about the link's transactions, in the language chosen: the
// messages a window shows (a command line prints them). Nothing here shows anything.
namespace transfertexts {

// Title of the progress window of a read-all ("Upload Data"), a write-all ("Download
// Data") or a verification, also the read-back that ends a write-all ("Verify Data").
QString progressTitle(TransactionKind kind);

// The non-modal notice of a complete read-all.
QString readCompleteTitle();
QString readCompleteText();

// The message of a step the scanner refused while the write went on; an empty text
// when the status has no message (neither 1 nor 2).
UserMessage refusalMessage(const RefusedStep &step);

// The messages of a question, in the order they are shown; the last one is the one
// answered (a restart is announced first, then asked about).
QList<UserMessage> questionMessages(const TransactionQuestion &question);

// The messages of a finished transaction: none for a complete read-all (its notice is
// not a box), none for one ended by the time-out (timeoutWarning() tells) and none for
// a verification that found differences (they are listed, not told).
QList<UserMessage> resultMessages(const TransactionResult &result);

// A write-all whose read-back differs from what was written: the headline of the
// failed write, with the number of differences.
QString writeDiffersText(int differences);

// Why a configuration is refused before anything is sent: which area and field does
// not fit its frame.
QString unsendableText(const UnsendableArea &area);

// The fourth time-out in a row.
UserMessage timeoutWarning();

// Product information as the box shows it, four lines.
QString productText(const ProductInfo &info);

}  // namespace transfertexts

}  // namespace veltrix
