#include "gui/app/dockinput.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollArea>
#include <QWidget>

namespace veltrix {

void DockInput::arrange(QWidget *root)
{
    for (QScrollArea *panel : root->findChildren<QScrollArea *>())
        panel->setFocusPolicy(Qt::NoFocus);

    auto *guard = new DockInput(root);
    QList<QWidget *> boxes;
    for (QComboBox *box : root->findChildren<QComboBox *>())
        boxes.append(box);
    for (QAbstractSpinBox *box : root->findChildren<QAbstractSpinBox *>())
        boxes.append(box);
    for (QWidget *box : std::as_const(boxes)) {
        // Without wheel focus, turning the wheel over a box does not make it the focus
        // widget (and so able to take the next turn).
        box->setFocusPolicy(Qt::StrongFocus);
        box->installEventFilter(guard);
    }
}

bool DockInput::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return false;
    auto *box = static_cast<QWidget *>(watched);
    if (box->hasFocus())
        return false;
    // Kept from the box and left unaccepted, the event goes on to the box's parents,
    // the first of which that scrolls takes it.
    event->ignore();
    return true;
}

}  // namespace veltrix
