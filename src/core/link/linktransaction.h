#pragma once

#include "core/link/framebuilders.h"
#include "core/link/linkconfiguration.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"

#include <QObject>

namespace veltrix {

// One exchange with the scanner that has a beginning, steps and an end: read-all,
// write-all, reading one area, product information, reboot. The link runs one at a
// time: it asks the transaction which of its request flags stand raised, lets it build
// the request of the flag whose turn it is, and hands it the replies that answer those
// requests. The transaction never shows anything: it reports its progress, the steps
// the scanner refused and the questions it waits on as signals, and ends with one
// result value. While it waits for an answer it raises no flag, so polling, the
// simulation exchange and live data go on meanwhile.
class LinkTransaction : public QObject
{
    Q_OBJECT

public:
    explicit LinkTransaction(TransactionKind kind, QObject *parent = nullptr);

    TransactionKind kind() const { return m_result.kind; }
    bool isFinished() const { return m_finished; }
    // True while a question is asked and not answered yet.
    bool isWaiting() const { return m_waiting; }
    int step() const { return m_step; }
    int stepCount() const { return m_stepCount; }
    // Meaningful once finished.
    const TransactionResult &result() const { return m_result; }

    // The user's answer to the question asked: the index of the button chosen, 0 the
    // first. Ignored while no question waits.
    void answer(int choice);

signals:
    // step of `of` done (read-all and write-all count areas).
    void progressChanged(int step, int of);
    // The scanner refused a step and the transaction goes on (the same area again, or
    // the next step); what stays refused is listed in the result.
    void stepRefused(const veltrix::RefusedStep &step);
    // The transaction waits until answer() is called.
    void asks(const veltrix::TransactionQuestion &question);
    // An answer came and the transaction goes on.
    void resumed();
    // The scanner's mounting, read with its parameters (the link's configuration
    // follows it at once: the areas that follow travel mirrored or not).
    void mountingRead(bool inverted);
    void finished(const veltrix::TransactionResult &result);

protected:
    friend class SERIAL_COMM;

    // Called by the link. begin() runs when the link takes the transaction on; false
    // means it ended at once (nothing to send).
    virtual bool begin() { return true; }
    // Whether request flag `flag` stands raised for this transaction now.
    virtual bool wants(SERIAL_COMM::RequestFlag flag) const = 0;
    // Builds the request of `flag` into buffer; 0 when there is nothing to send.
    virtual int buildRequest(SERIAL_COMM::RequestFlag flag, FrameBuffer &buffer,
                             const LinkConfiguration &configuration) = 0;
    // Whether frame (a valid reply of id, arriving while its request is outstanding)
    // is the answer this transaction waits for; only then is it taken.
    virtual bool accepts(FrameId id, const QByteArray &frame) const;
    virtual void takeReply(FrameId id, const QByteArray &frame,
                           const LinkConfiguration &configuration) = 0;
    // A reply did not come in time; the link sends the request again.
    virtual void replyTimedOut() {}
    // Ends it from outside: cancelled, timed out, link lost or busy.
    void end(TransactionOutcome outcome);

    // For the transactions themselves.
    virtual void answered(int choice) { Q_UNUSED(choice) }
    void finish(TransactionOutcome outcome);
    void setProgress(int step, int of);
    void ask(const TransactionQuestion &question);

    TransactionResult m_result;

private:
    bool m_finished = false;
    bool m_waiting = false;
    int m_step = 0;
    int m_stepCount = 0;
};

}  // namespace veltrix
