#pragma once

#include "core/areas/arearecord.h"

#include <QRectF>
#include <QTransform>

class QPainter;

namespace veltrix {

// An area's three fields drawn to scale on paper, as the view draws them: the
// millimetre grid with range rings around the scanner, the axes, the region the
// scanner cannot see shaded grey, metre labels, and the fields in their colours, Out3
// on top. The scale is a round one (1:50, 1:100, 1:250...) at which everything the
// fields cover, and the scanner, fit the box.
class AreaPlot
{
public:
    // box: where the plot goes, in device units; unitsPerMm: device units per
    // millimetre of paper; modelIndex 0..4 gives the range square and the range.
    AreaPlot(const AreaRecord &area, int modelIndex, const QRectF &box, double unitsPerMm);

    const QRectF &box() const { return m_box; }
    // 1 mm on paper stands for this many mm.
    double scaleDenominator() const { return m_denominator; }
    // Grid lines and range rings lie this many mm apart.
    int gridStep() const { return m_gridStep; }
    // Scene coordinates (mm, area point (x, y) at (x, -y)) to device units.
    const QTransform &sceneToDevice() const { return m_sceneToDevice; }
    // Where area point (x, y) lands on the page.
    QPointF devicePoint(const QPointF &areaPoint) const;

    void paint(QPainter *painter) const;

private:
    void paintGrid(QPainter *painter, const QRectF &scene) const;
    void paintLabels(QPainter *painter, const QRectF &scene) const;

    AreaRecord m_area;
    int m_rangeSquare;
    int m_rangeLimit;
    QRectF m_box;
    double m_unitsPerMm;
    double m_denominator = 1;
    int m_gridStep = 1000;
    QTransform m_sceneToDevice;
};

}  // namespace veltrix
