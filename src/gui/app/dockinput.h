#pragma once

#include <QObject>

class QWidget;

namespace veltrix {

// How the keyboard and the mouse wheel reach the controls of a dock. The panels that
// scroll take no focus of their own, so that Tab goes from control to control. Combo
// boxes and spin boxes change only while they have the focus: a wheel turned over one
// that has not scrolls the panel instead, so that scrolling through a dock never
// changes a value on the way (an area's hysteresis, a sensor setting). A click or Tab
// gives such a box the focus, and then the wheel changes it as usual.
class DockInput : public QObject
{
    Q_OBJECT

public:
    // Arranges every scrolling panel, combo box and spin box under root, as they are
    // now; the event filter is root's child.
    static void arrange(QWidget *root);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

}  // namespace veltrix
