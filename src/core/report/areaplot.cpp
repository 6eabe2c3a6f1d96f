#include "core/report/areaplot.h"

#include "core/graphics/fieldshapes.h"
#include "core/project/devicemodels.h"

#include <QPainter>
#include <QPainterPath>

#include <array>
#include <cmath>

namespace veltrix {

namespace {

constexpr double MinimumExtent = 1000.0;      // mm shown at least, around the scanner
constexpr double ExtentMargin = 0.06;         // of the larger side, around the fields
constexpr double MinimumGridSpacing = 8.0;    // paper mm between grid lines
constexpr double GridPenWidth = 0.1;          // paper mm
constexpr double AxisPenWidth = 0.25;
constexpr double FramePenWidth = 0.3;
constexpr double ScannerMarkRadius = 0.8;
constexpr double LabelHeight = 2.2;
constexpr double LabelInset = 0.8;
constexpr qreal FovStartDegrees = -45.0;      // the scanner sees from here...
constexpr qreal FovSweepDegrees = 270.0;      // ...this far counter-clockwise
const QColor BlindZoneColor(125, 125, 125, 125);  // as the view shades it
const std::array<double, 4> RoundFactors = {1.0, 2.0, 2.5, 5.0};
const std::array<int, 13> GridSteps = {10,   20,   50,    100,   200,   500,   1000,
                                       2000, 5000, 10000, 20000, 50000, 100000};

// The smallest of 1, 2, 2.5, 5 times a power of ten that is at least `needed`.
double roundScale(double needed)
{
    for (double decade = 1.0;; decade *= 10.0) {
        for (double factor : RoundFactors) {
            if (factor * decade >= needed)
                return factor * decade;
        }
    }
}

// Everything the area's fields cover, in scene coordinates, with the scanner.
QRectF coveredRect(const AreaDrawing &drawing)
{
    QRectF covered(0, 0, 0, 0);
    for (const FieldDrawing &field : drawing) {
        if (!field.visible || field.path.isEmpty())
            continue;
        QRectF r = field.path.boundingRect();
        if (field.scaleFactor != 1.0)
            r = QRectF(r.topLeft() * field.scaleFactor, r.bottomRight() * field.scaleFactor);
        covered = covered.united(r.normalized());
    }
    return covered;
}

QString metres(double mm)
{
    // + 0.0: a grid line at -0 reads 0.
    return QString::number(mm / 1000.0 + 0.0, 'g', 6);
}

}  // namespace

AreaPlot::AreaPlot(const AreaRecord &area, int modelIndex, const QRectF &box, double unitsPerMm)
    : m_area(area), m_box(box), m_unitsPerMm(unitsPerMm)
{
    const DeviceModel *model = deviceModel(modelIndex);
    if (!model)
        model = &DeviceModels[0];
    m_rangeSquare = model->rangeSquare;
    m_rangeLimit = model->rangeLimit;

    QRectF covered = coveredRect(BuildAreaDrawing(m_area, m_rangeSquare, m_rangeSquare));
    const double margin = ExtentMargin * qMax(covered.width(), covered.height());
    covered.adjust(-margin, -margin, margin, margin);
    const QPointF centre = covered.center();
    const double width = qMax(covered.width(), MinimumExtent);
    const double height = qMax(covered.height(), MinimumExtent);

    const double paperWidth = box.width() / unitsPerMm;
    const double paperHeight = box.height() / unitsPerMm;
    m_denominator = roundScale(qMax(width / paperWidth, height / paperHeight));
    m_gridStep = GridSteps.back();
    for (int step : GridSteps) {
        if (step / m_denominator >= MinimumGridSpacing) {
            m_gridStep = step;
            break;
        }
    }
    const double factor = unitsPerMm / m_denominator;
    m_sceneToDevice = QTransform::fromTranslate(-centre.x(), -centre.y())
        * QTransform::fromScale(factor, factor)
        * QTransform::fromTranslate(box.center().x(), box.center().y());
}

QPointF AreaPlot::devicePoint(const QPointF &areaPoint) const
{
    return m_sceneToDevice.map(QPointF(areaPoint.x(), -areaPoint.y()));
}

void AreaPlot::paint(QPainter *painter) const
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setClipRect(m_box);
    painter->fillRect(m_box, Qt::white);

    const QRectF scene = m_sceneToDevice.inverted().mapRect(m_box);
    painter->setTransform(m_sceneToDevice);
    paintGrid(painter, scene);

    // The region the scanner cannot see: everything but its 270 degree pie.
    QPainterPath outside;
    outside.addRect(scene);
    QPainterPath seen;
    seen.arcTo(QRectF(-m_rangeLimit, -m_rangeLimit, 2.0 * m_rangeLimit, 2.0 * m_rangeLimit),
               FovStartDegrees, FovSweepDegrees);
    painter->fillPath(outside.subtracted(seen), BlindZoneColor);

    const AreaDrawing drawing = BuildAreaDrawing(m_area, m_rangeSquare, m_rangeSquare);
    for (int field = 0; field < FieldCount; ++field)
        PaintFieldDrawing(painter, drawing[static_cast<size_t>(field)], FieldColor(field, EditedFieldAlpha));

    painter->setPen(Qt::NoPen);
    painter->setBrush(Qt::black);
    const double mark = ScannerMarkRadius * m_denominator;
    painter->drawEllipse(QPointF(0, 0), mark, mark);

    painter->resetTransform();
    paintLabels(painter, scene);
    painter->setClipping(false);
    painter->setPen(QPen(Qt::black, FramePenWidth * m_unitsPerMm));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(m_box);
    painter->restore();
}

void AreaPlot::paintGrid(QPainter *painter, const QRectF &scene) const
{
    const double step = m_gridStep;
    painter->setPen(QPen(Qt::gray, GridPenWidth * m_denominator));
    painter->setBrush(Qt::NoBrush);
    for (double x = std::ceil(scene.left() / step) * step; x <= scene.right(); x += step)
        painter->drawLine(QPointF(x, scene.top()), QPointF(x, scene.bottom()));
    for (double y = std::ceil(scene.top() / step) * step; y <= scene.bottom(); y += step)
        painter->drawLine(QPointF(scene.left(), y), QPointF(scene.right(), y));

    // Range rings: those that can cross the plot.
    double farthest = 0;
    for (const QPointF &corner : {scene.topLeft(), scene.topRight(), scene.bottomLeft(), scene.bottomRight()})
        farthest = qMax(farthest, std::hypot(corner.x(), corner.y()));
    const double nearestX = qMax(0.0, qMax(scene.left(), -scene.right()));
    const double nearestY = qMax(0.0, qMax(scene.top(), -scene.bottom()));
    const double nearest = std::hypot(nearestX, nearestY);
    for (double r = qMax(step, std::ceil(nearest / step) * step); r <= farthest; r += step)
        painter->drawEllipse(QPointF(0, 0), r, r);

    painter->setPen(QPen(Qt::black, AxisPenWidth * m_denominator));
    painter->drawLine(QPointF(0, scene.top()), QPointF(0, scene.bottom()));
    painter->drawLine(QPointF(scene.left(), 0), QPointF(scene.right(), 0));
}

// Metres at the grid lines, along the bottom and the left edge, in area coordinates
// (forward positive), as the point lists give them.
void AreaPlot::paintLabels(QPainter *painter, const QRectF &scene) const
{
    QFont font = painter->font();
    font.setPixelSize(qRound(LabelHeight * m_unitsPerMm));
    painter->setFont(font);
    painter->setPen(Qt::black);
    const double step = m_gridStep;
    const double inset = LabelInset * m_unitsPerMm;
    for (double x = std::ceil(scene.left() / step) * step; x <= scene.right(); x += step) {
        const QPointF at = m_sceneToDevice.map(QPointF(x, 0));
        painter->drawText(QPointF(at.x() + inset, m_box.bottom() - inset), metres(x));
    }
    for (double y = std::ceil(scene.top() / step) * step; y <= scene.bottom(); y += step) {
        const QPointF at = m_sceneToDevice.map(QPointF(0, y));
        painter->drawText(QPointF(m_box.left() + inset, at.y() - inset), metres(-y));
    }
}

}  // namespace veltrix
