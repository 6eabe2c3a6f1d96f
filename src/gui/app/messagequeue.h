#pragma once

#include "core/app/usermessage.h"

#include <QObject>
#include <QQueue>

#include <functional>

namespace veltrix {

// Shows messages one after the other through the Messenger: a message posted while
// another box is open waits until that box is closed instead of stacking over it, and
// none is shown from inside the code that posted it (a link decoder, a socket's
// signal): each waits for the event loop. Whoever needs the answer gets the chosen
// button in a callback.
class MessageQueue : public QObject
{
    Q_OBJECT

public:
    using Answered = std::function<void(int button)>;

    explicit MessageQueue(Messenger *messenger, QObject *parent = nullptr);
    ~MessageQueue() override;

    void post(const UserMessage &message, Answered answered = Answered());
    // Messages posted and not shown yet.
    int waiting() const { return m_waiting.size(); }
    bool isShowing() const { return m_showing; }

private:
    void schedule();
    void showWaiting();

    struct Entry
    {
        UserMessage message;
        Answered answered;
    };

    Messenger *m_messenger;  // not owned
    QQueue<Entry> m_waiting;
    bool m_showing = false;
    bool m_scheduled = false;
};

}  // namespace veltrix
