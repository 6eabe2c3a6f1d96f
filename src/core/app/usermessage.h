#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace veltrix {

enum class MessageIcon { Information, Warning, Critical, Question };

// A modal message as the program wants to show it. Buttons are listed left to right;
// an empty list means one standard OK button.
struct UserMessage
{
    MessageIcon icon = MessageIcon::Information;
    QString title;
    QString text;
    QStringList buttons;
    int defaultButton = 0;
    int escapeButton = -1;  // button that Escape / closing the box means; -1 none
};

// The one place every modal message of the program goes through. The main window
// installs a presenter that shows a real message box; tests install one that records
// the message and answers it, so that no test ever waits on a dialog.
class Messenger
{
public:
    // Returns the index of the chosen button, or -1 when the box was closed without
    // choosing one.
    using Presenter = std::function<int(const UserMessage &)>;

    void setPresenter(Presenter presenter) { m_presenter = std::move(presenter); }

    // Shows the message and returns the chosen button. Without a presenter nothing is
    // shown and the default button is taken.
    int show(const UserMessage &message) const;
    // The same for a message with the given buttons (none: one standard OK button),
    // the first of them the default, none meant by Escape.
    int show(MessageIcon icon, const QString &title, const QString &text,
             const QStringList &buttons = {}) const;

    // True while a message is on screen (its nested event loop is running), so that
    // other messages can wait instead of stacking over it.
    bool isShowing() const { return m_depth > 0; }
    // Called whenever the last message on screen has been closed.
    void setClosedHandler(std::function<void()> handler) { m_closed = std::move(handler); }

private:
    Presenter m_presenter;
    std::function<void()> m_closed;
    mutable int m_depth = 0;
};

}  // namespace veltrix
