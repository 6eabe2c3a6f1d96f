#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// QTest moves the mouse of a widget by placing the cursor, which carries no button
// state on every platform; a drag therefore sends its move events itself, with the
// held buttons, through the same event path as real input.
namespace mouse {

inline void moveTo(QWidget *widget, const QPoint &pos, Qt::MouseButtons held,
                   Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, held,
                      modifiers);
    QApplication::sendEvent(widget, &event);
}

}  // namespace mouse
