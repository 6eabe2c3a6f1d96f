#include "gui/app/messagequeue.h"

#include <QPointer>

namespace veltrix {

MessageQueue::MessageQueue(Messenger *messenger, QObject *parent)
    : QObject(parent), m_messenger(messenger)
{
    // A box of someone else's that held the queue back has been closed.
    QPointer<MessageQueue> self(this);
    m_messenger->setClosedHandler([self] {
        if (self && !self->m_waiting.isEmpty())
            self->schedule();
    });
}

MessageQueue::~MessageQueue()
{
    m_messenger->setClosedHandler(nullptr);
}

void MessageQueue::post(const UserMessage &message, Answered answered)
{
    m_waiting.enqueue(Entry{message, std::move(answered)});
    schedule();
}

void MessageQueue::schedule()
{
    if (m_scheduled || m_showing)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(this, &MessageQueue::showWaiting, Qt::QueuedConnection);
}

void MessageQueue::showWaiting()
{
    m_scheduled = false;
    // Another box is open (a file dialog's question, a prompt): its closing brings the
    // queue back here.
    if (m_showing || m_messenger->isShowing())
        return;
    m_showing = true;
    while (!m_waiting.isEmpty()) {
        const Entry entry = m_waiting.dequeue();
        const int button = m_messenger->show(entry.message);
        if (entry.answered)
            entry.answered(button);
    }
    m_showing = false;
}

}  // namespace veltrix
