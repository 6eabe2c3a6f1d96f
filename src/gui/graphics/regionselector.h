#pragma once

#include <QGraphicsView>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class QRubberBand;

namespace veltrix {

// Lets the user drag a rectangle in the view with a rubber band, once started: while
// it is active the view's mouse buttons draw the band instead of moving handles or
// panning, and Escape gives up. The rectangle is reported in area coordinates (mm,
// y forward): x and y of its corner with the smallest coordinates, width and height.
class RegionSelector : public QObject
{
    Q_OBJECT

public:
    explicit RegionSelector(QGraphicsView *view, QObject *parent = nullptr);
    ~RegionSelector() override;

    // The next drag in the view selects a region.
    void start();
    // Gives up without a region (finished(false)).
    void cancel();
    bool isActive() const { return m_active; }

signals:
    // The band as it is being dragged, and once more on release.
    void regionChanged(const QRect &areaRect);
    // The selection ended: with a region (released), or given up.
    void finished(bool selected);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QRect areaRect(const QPoint &to) const;
    void stop(bool selected);

    QPointer<QGraphicsView> m_view;  // not owned
    QRubberBand *m_band;    // a child of the view's viewport
    QPoint m_origin;        // viewport position where the drag began
    bool m_active = false;
    bool m_dragging = false;
};

}  // namespace veltrix
