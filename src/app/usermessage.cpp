#include "app/usermessage.h"

namespace veltrix {

int Messenger::show(const UserMessage &message) const
{
    if (!m_presenter)
        return message.defaultButton;
    ++m_depth;
    struct DepthGuard {
        int &depth;
        ~DepthGuard() { --depth; }
    } guard{m_depth};
    return m_presenter(message);
}

}  // namespace veltrix
