#include "gui/app/messagebox.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace veltrix {

namespace {

QMessageBox::Icon toBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Critical: return QMessageBox::Critical;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Messenger::Presenter messageBoxPresenter(QWidget *parent)
{
    QPointer<QWidget> owner(parent);
    return [owner](const UserMessage &message) -> int {
        QMessageBox box(toBoxIcon(message.icon), message.title, message.text,
                        QMessageBox::NoButton, owner.data());
        QList<QAbstractButton *> buttons;
        if (message.buttons.isEmpty()) {
            buttons << box.addButton(QMessageBox::Ok);
        } else {
            for (const QString &text : message.buttons)
                buttons << box.addButton(text, QMessageBox::ActionRole);
        }
        if (message.defaultButton >= 0 && message.defaultButton < buttons.size())
            box.setDefaultButton(qobject_cast<QPushButton *>(buttons.at(message.defaultButton)));
        if (message.escapeButton >= 0 && message.escapeButton < buttons.size())
            box.setEscapeButton(buttons.at(message.escapeButton));
        box.exec();
        return buttons.indexOf(box.clickedButton());
    };
}

}  // namespace veltrix
