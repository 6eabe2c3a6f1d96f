#include "gui/link/linkresults.h"

#include "core/link/linktransaction.h"
#include "core/link/serialcomm.h"
#include "core/link/transfertexts.h"
#include "gui/app/messagequeue.h"
#include "gui/link/transferprogress.h"

#include <QPointer>

namespace veltrix {

LinkResults::LinkResults(SERIAL_COMM *link, MessageQueue *messages, TransferProgress *progress,
                         QObject *parent)
    : QObject(parent), m_messages(messages), m_progress(progress)
{
    connect(link, &SERIAL_COMM::TransactionStarted, this, &LinkResults::watch);
    connect(link, &SERIAL_COMM::TransactionFinished, this, &LinkResults::finished);
    connect(link, &SERIAL_COMM::TimedOutSignal, this,
            [this] { m_messages->post(transfertexts::timeoutWarning()); });
}

void LinkResults::watch(LinkTransaction *transaction)
{
    connect(transaction, &LinkTransaction::stepRefused, this, [this](const RefusedStep &step) {
        const UserMessage message = transfertexts::refusalMessage(step);
        if (!message.text.isEmpty())
            m_messages->post(message);
    });
    // The transaction goes on once the last of its messages is answered; a
    // transaction that has ended meanwhile (cancelled, link lost) hears nothing.
    QPointer<LinkTransaction> asking(transaction);
    connect(transaction, &LinkTransaction::asks, this, [this, asking](const TransactionQuestion &question) {
        const QList<UserMessage> messages = transfertexts::questionMessages(question);
        for (int i = 0; i < messages.size(); ++i) {
            MessageQueue::Answered answer;
            if (i == messages.size() - 1) {
                answer = [asking](int button) {
                    if (asking)
                        asking->answer(button);
                };
            }
            m_messages->post(messages.at(i), answer);
        }
    });
}

void LinkResults::finished(const TransactionResult &result)
{
    if (result.kind == TransactionKind::ReadAll && result.isComplete()) {
        emit configurationRead(result.configuration);
        m_progress->showNotice(transfertexts::readCompleteTitle(), transfertexts::readCompleteText());
    }
    for (const UserMessage &message : transfertexts::resultMessages(result))
        m_messages->post(message);
}

}  // namespace veltrix
