#include "core/app/usermessage.h"

namespace veltrix {

int Messenger::show(const UserMessage &message) const
{
    if (!m_presenter)
        return message.defaultButton;
    ++m_depth;
    const int answer = m_presenter(message);
    --m_depth;
    if (m_depth == 0 && m_closed)
        m_closed();
    return answer;
}

int Messenger::show(MessageIcon icon, const QString &title, const QString &text,
                    const QStringList &buttons) const
{
    UserMessage message;
    message.icon = icon;
    message.title = title;
    message.text = text;
    message.buttons = buttons;
    return show(message);
}

}  // namespace veltrix
