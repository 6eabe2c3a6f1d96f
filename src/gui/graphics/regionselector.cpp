#include "gui/graphics/regionselector.h"

#include <QGraphicsView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRubberBand>

namespace veltrix {

namespace {

QPoint eventPosition(const QMouseEvent *event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

}  // namespace

RegionSelector::RegionSelector(QGraphicsView *view, QObject *parent)
    : QObject(parent), m_view(view), m_band(new QRubberBand(QRubberBand::Rectangle, view->viewport()))
{
    m_band->hide();
    m_view->viewport()->installEventFilter(this);
    m_view->installEventFilter(this);
}

RegionSelector::~RegionSelector()
{
    // The band belongs to the viewport, which may already be gone with the view.
    if (m_view) {
        m_view->viewport()->removeEventFilter(this);
        m_view->removeEventFilter(this);
    }
}

void RegionSelector::start()
{
    m_active = true;
    m_dragging = false;
    m_view->viewport()->setCursor(Qt::CrossCursor);
}

void RegionSelector::cancel()
{
    if (m_active)
        stop(false);
}

QRect RegionSelector::areaRect(const QPoint &to) const
{
    const QPointF a = m_view->mapToScene(m_origin);
    const QPointF b = m_view->mapToScene(to);
    // Scene y points down the screen; area y forward.
    const int left = qRound(qMin(a.x(), b.x()));
    const int right = qRound(qMax(a.x(), b.x()));
    const int bottom = qRound(qMin(-a.y(), -b.y()));
    const int top = qRound(qMax(-a.y(), -b.y()));
    return QRect(left, bottom, right - left, top - bottom);
}

void RegionSelector::stop(bool selected)
{
    m_active = false;
    m_dragging = false;
    m_band->hide();
    m_view->viewport()->unsetCursor();
    emit finished(selected);
}

bool RegionSelector::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_active)
        return QObject::eventFilter(watched, event);
    if (watched == m_view && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        stop(false);
        return true;
    }
    if (watched != m_view->viewport())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton) {
            stop(false);
            return true;
        }
        m_origin = eventPosition(mouse);
        m_dragging = true;
        m_band->setGeometry(QRect(m_origin, QSize()));
        m_band->show();
        return true;
    }
    case QEvent::MouseMove: {
        if (!m_dragging)
            return false;  // the status bar still shows the cursor
        const QPoint to = eventPosition(static_cast<QMouseEvent *>(event));
        m_band->setGeometry(QRect(m_origin, to).normalized());
        emit regionChanged(areaRect(to));
        return true;
    }
    case QEvent::MouseButtonRelease: {
        if (!m_dragging)
            return true;
        emit regionChanged(areaRect(eventPosition(static_cast<QMouseEvent *>(event))));
        stop(true);
        return true;
    }
    case QEvent::MouseButtonDblClick:
        return true;
    default:
        return QObject::eventFilter(watched, event);
    }
}

}  // namespace veltrix
