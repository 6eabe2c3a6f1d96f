#pragma once

#include "core/link/scannerconfiguration.h"
#include "core/link/transactionresult.h"

#include <QObject>

namespace veltrix {

class LinkTransaction;
class MessageQueue;
class SERIAL_COMM;
class TransferProgress;

// The window's side of the link's transactions: shows what they report — the steps the
// scanner refused, the questions they wait on (and hands the answer back), how they
// ended, the time-out warning — as messages that queue behind one another, shows the
// notice of a complete read-all, and hands a complete read-all's configuration on to
// be applied at once.
class LinkResults : public QObject
{
    Q_OBJECT

public:
    LinkResults(SERIAL_COMM *link, MessageQueue *messages, TransferProgress *progress,
                QObject *parent = nullptr);

signals:
    // A read-all is complete: everything it read, to be applied as one.
    void configurationRead(const veltrix::ScannerConfiguration &configuration);

private:
    void watch(LinkTransaction *transaction);
    void finished(const TransactionResult &result);

    MessageQueue *m_messages;      // not owned
    TransferProgress *m_progress;  // not owned
};

}  // namespace veltrix
