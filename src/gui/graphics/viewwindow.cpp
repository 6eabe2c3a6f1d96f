#include "gui/graphics/viewwindow.h"

#include "core/graphics/fieldshapes.h"

#include <QDir>
#include <QFileInfo>
#include <QGraphicsItem>
#include <QGraphicsObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPainter>
#include <QSurfaceFormat>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrix {

namespace {


constexpr int UnitZoomLevel = 250;      // scale 1.0
constexpr double LevelsPerDoubling = 50.0;

constexpr double FineScale = 3.5;
constexpr double MediumScale = 0.378929;
constexpr double CoarseScale = 0.0544094;

constexpr int ViewportSamples = 4;
constexpr int BottomLabelOffset = 25;  // pixels above the bottom edge
constexpr double GridPenPixels = 1.2;
constexpr double AxisPenPixels = 2.0;
constexpr double LabelPoints = 10.0;
const QColor BlindZoneColor(125, 125, 125, 125);

// s minus the remainder of its integer part by step (the remainder keeps the sign of
// the dividend), truncated: snaps toward zero.
int Snap(double s, int step)
{
    const int whole = static_cast<int>(s);
    return static_cast<int>(s - whole % step);
}

}  // namespace

ViewWindow::ViewWindow(QWidget *parent) : QGraphicsView(parent)
{
    ApplyZoom();
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setRenderHint(QPainter::Antialiasing, false);
    setDragMode(QGraphicsView::ScrollHandDrag);
    setOptimizationFlags(QGraphicsView::DontSavePainterState);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setViewportUpdateMode(QGraphicsView::SmartViewportUpdate);
    InstallViewport();
}

bool ViewWindow::IsSoftwareRenderer(const QString &renderer)
{
    const QString name = renderer.toLower();
    for (const char *software : {"llvmpipe", "softpipe", "swrast", "software", "gdi generic"}) {
        if (name.contains(QLatin1String(software)))
            return true;
    }
    return false;
}

bool ViewWindow::GraphicsHardwarePresent()
{
    if (qEnvironmentVariableIntValue("LIBGL_ALWAYS_SOFTWARE") != 0)
        return false;
#ifdef Q_OS_LINUX
    // Without a DRI device (or NVIDIA's own) the GL libraries can only render in
    // software.
    const QStringList devices = QDir(QStringLiteral("/dev/dri")).entryList(QDir::System);
    if (devices.isEmpty() && !QFileInfo::exists(QStringLiteral("/dev/nvidiactl")))
        return false;
#endif
    return true;
}

// Only a hardware renderer earns the OpenGL viewport: a software one (Mesa's llvmpipe
// under a virtual display, for example) draws a live scan several times slower than
// the raster engine and triples the program's memory. Where no graphics hardware can
// be there, no context is even made: loading the software driver alone costs 50 MB.
bool ViewWindow::OpenGLAvailable()
{
    static const bool available = [] {
        if (!GraphicsHardwarePresent())
            return false;
        QOffscreenSurface surface;
        surface.create();
        if (!surface.isValid())
            return false;
        QOpenGLContext context;
        if (!context.create() || !context.makeCurrent(&surface))
            return false;
        const auto *renderer =
            reinterpret_cast<const char *>(context.functions()->glGetString(GL_RENDERER));
        const bool hardware = renderer && !IsSoftwareRenderer(QString::fromLatin1(renderer));
        context.doneCurrent();
        return hardware;
    }();
    return available;
}

void ViewWindow::InstallViewport()
{
    if (OpenGLAvailable()) {
        auto *gl = new QOpenGLWidget;
        QSurfaceFormat format = QSurfaceFormat::defaultFormat();
        format.setSamples(ViewportSamples);
        gl->setFormat(format);
        // Minimal updates repaint parts of the viewport, so the framebuffer must keep
        // the rest of the picture between frames.
        gl->setUpdateBehavior(QOpenGLWidget::PartialUpdate);
        setViewport(gl);
    }
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
}

void ViewWindow::UseRasterViewport()
{
    if (!UsesOpenGL())
        return;
    setViewport(new QWidget);
    setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
}

bool ViewWindow::UsesOpenGL() const
{
    return qobject_cast<QOpenGLWidget *>(viewport()) != nullptr;
}

QGraphicsItem *ViewWindow::CurrentItem() const
{
    return currentItem.data();
}

double ViewWindow::ScaleOfLevel(int level)
{
    return std::pow(2.0, (level - UnitZoomLevel) / LevelsPerDoubling);
}

int ViewWindow::MinimumZoomLevel(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    return model ? model->minimumZoom : std::numeric_limits<int>::min();
}

int ViewWindow::GridStep(double scale)
{
    if (scale > FineScale)
        return 10;
    if (scale > MediumScale)
        return 100;
    if (scale > CoarseScale)
        return 1000;
    return 10000;
}

int ViewWindow::LabelStep(double scale)
{
    return scale > FineScale ? 50 : GridStep(scale);
}

void ViewWindow::SetDeviceType(int modelIndex)
{
    deviceType = modelIndex;
    if (const DeviceModel *model = deviceModel(modelIndex)) {
        rangeWidth = rangeHeight = model->rangeSquare;
        zoomLevel = model->minimumZoom;
    }
    ApplyZoom();
    viewport()->update();
}

void ViewWindow::ApplyZoom()
{
    if (zoomLevel > MaximumZoomLevel)
        zoomLevel = MaximumZoomLevel;
    zoomLevel = qMax(zoomLevel, MinimumZoomLevel(deviceType));
    scale = ScaleOfLevel(zoomLevel);
    setTransform(QTransform::fromScale(scale, scale), false);
    emit ChangeSetupMatrix(scale);
}

void ViewWindow::ZoomInButtonSlots()
{
    ++zoomLevel;
    ApplyZoom();
    emit ChangeMatrixSignal(zoomLevel);
}

void ViewWindow::ZoomOutButtonSlots()
{
    --zoomLevel;
    ApplyZoom();
    emit ChangeMatrixSignal(zoomLevel);
}

void ViewWindow::ChangeSetupMatrix(int level)
{
    zoomLevel = level;
    ApplyZoom();
}

void ViewWindow::wheelEvent(QWheelEvent *event)
{
    zoomLevel += event->angleDelta().y() > 0 ? WheelZoomStep : -WheelZoomStep;
    ApplyZoom();
    emit ChangeMatrixSignal(zoomLevel);
    event->accept();
}

// A vertex removed by the key is an edit of its own, with no release to follow: it
// takes its undo snapshot here, or Undo would step over it.
void ViewWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Delete || !currentItem)
        return;
    emit DeletePointItem(currentItem.data());
    if (!currentItem)
        emit ReleasePointItem();
}

bool ViewWindow::IsBackgroundItem(const QGraphicsItem *item) const
{
    return item && backgroundItems.contains(const_cast<QGraphicsItem *>(item));
}

void ViewWindow::mousePressEvent(QMouseEvent *event)
{
    QGraphicsItem *top = itemAt(event->pos());
    bool deleteRequested = false;
    pickedHandleDeleted = false;
    if (IsBackgroundItem(top)) {
        // The press, drag and release then reach the view alone: dragging pans.
        setInteractive(false);
        currentItem = nullptr;
    } else {
        currentItem = top ? top->toGraphicsObject() : nullptr;
        if (event->button() == Qt::RightButton && currentItem) {
            deleteRequested = true;
            emit DeletePointItem(currentItem.data());
            pickedHandleDeleted = !currentItem;
        }
    }
    QGraphicsView::mousePressEvent(event);
    if (deleteRequested)
        event->accept();
}

void ViewWindow::mouseReleaseEvent(QMouseEvent *event)
{
    setInteractive(true);
    if (IsBackgroundItem(itemAt(mapFromScene(QPointF(0, 0)))))
        emit AddCenterPointItem();
    // The handle's last position is written into the document before the undo
    // snapshot is taken, so that the snapshot holds the edit just finished: the other
    // way round it would lack the final move (or, for a handle dragged in one move,
    // the whole new vertex), and Redo could never bring that back.
    const bool picked = currentItem || pickedHandleDeleted;
    pickedHandleDeleted = false;
    if (currentItem)
        emit MovePointItem(currentItem.data());
    if (picked)
        emit ReleasePointItem();
    emit MouseReleaseSignal();
    QGraphicsView::mouseReleaseEvent(event);
}

void ViewWindow::mouseMoveEvent(QMouseEvent *event)
{
    if ((event->buttons() & Qt::LeftButton) && currentItem)
        emit MovePointItem(currentItem.data());
    const QPointF scenePos = mapToScene(event->pos());
    emit CurrentCoordSignal(QPoint(qRound(scenePos.x()), qRound(scenePos.y())));
    QGraphicsView::mouseMoveEvent(event);
}

// A raster viewport scrolls by shifting its old picture and repainting only the
// uncovered strip; the labels, fixed to the view's left and bottom edges, would be
// shifted with it and smeared across the view. The whole viewport is repainted
// instead, as the OpenGL viewport does anyway.
void ViewWindow::scrollContentsBy(int dx, int dy)
{
    QGraphicsView::scrollContentsBy(dx, dy);
    viewport()->update();
}

QRectF ViewWindow::VisibleSceneRect() const
{
    return QRectF(mapToScene(QPoint(0, 0)), mapToScene(QPoint(width(), height())));
}

// The blind zone (the range square minus the 270 degree pie in front of the scanner)
// within `exposed`. The pie's arc is a polygon, fine enough to stay within a quarter of a
// pixel at `scale` where the arc can be seen, and coarse where it cannot: a path holding
// the true arc is flattened by the paint engine at device resolution along its whole
// length, which for the largest range seen close up costs a tenth of a second a frame.
// The square and the pie go into one path filled odd-even, which leaves the pie (inside
// the square) unshaded without a path subtraction each frame.
QPainterPath ViewWindow::BlindZone(int rangeWidth, int rangeHeight, double scale,
                                   const QRectF &exposed)
{
    const double halfWidth = rangeWidth / 2;
    const double halfHeight = rangeHeight / 2;
    const QRectF range(-halfWidth, -halfHeight, rangeWidth, rangeHeight);
    QPainterPath zone;
    zone.setFillRule(Qt::OddEvenFill);
    zone.addRect(range);
    if (halfWidth <= 0 || halfHeight <= 0)
        return zone;

    // Angles count counter-clockwise on screen, as in QPainterPath::arcTo: the point at
    // angle a is (rx cos a, -ry sin a). The pie runs from -45 to 225 degrees.
    const double start = qDegreesToRadians(-45.0);
    const double end = qDegreesToRadians(225.0);
    constexpr double CoarseStep = M_PI / 180.0;  // one degree
    const double radius = qMax(halfWidth, halfHeight);
    // Chords of the coarse steps lie inside the arc by at most this much.
    const double coarseSag = radius * (1.0 - std::cos(CoarseStep / 2));
    const double tolerance = 0.25 / qMax(scale, 1e-9);  // a quarter pixel, in mm
    const double fineStep = tolerance >= radius
        ? CoarseStep
        : qMin(CoarseStep, 2.0 * std::acos(1.0 - tolerance / radius));

    QVector<double> angles;
    for (double a = start; a < end; a += CoarseStep)
        angles << a;
    angles << end;

    // The arc can be seen only where the exposed rectangle reaches from inside the
    // circle (less the coarse chords' sag) to its outside.
    const double nearestX = qBound(exposed.left(), 0.0, exposed.right());
    const double nearestY = qBound(exposed.top(), 0.0, exposed.bottom());
    const double nearest = std::hypot(nearestX, nearestY);
    double farthest = 0.0;
    const QPointF corners[4] = {exposed.topLeft(), exposed.topRight(), exposed.bottomLeft(),
                                exposed.bottomRight()};
    for (const QPointF &corner : corners)
        farthest = qMax(farthest, std::hypot(corner.x(), corner.y()));
    if (nearest <= radius && farthest >= radius - coarseSag) {
        // The rectangle's angular extent seen from the scanner; all of the circle when
        // the scanner lies inside it.
        double low = start;
        double high = end;
        if (!exposed.contains(QPointF(0, 0))) {
            const QPointF centre = exposed.center();
            const double middle = std::atan2(-centre.y(), centre.x());
            double below = 0.0;
            double above = 0.0;
            for (const QPointF &corner : corners) {
                const double offset = std::remainder(
                    std::atan2(-corner.y(), corner.x()) - middle, 2.0 * M_PI);
                below = qMin(below, offset);
                above = qMax(above, offset);
            }
            low = middle + below - fineStep;
            high = middle + above + fineStep;
        }
        for (int turn = -1; turn <= 1; ++turn) {
            const double from = qMax(start, low + turn * 2.0 * M_PI);
            const double to = qMin(end, high + turn * 2.0 * M_PI);
            if (from >= to)
                continue;
            const int steps = static_cast<int>(std::ceil((to - from) / fineStep));
            for (int i = 0; i <= steps; ++i)
                angles << from + (to - from) * i / steps;
        }
        std::sort(angles.begin(), angles.end());
    }

    QPolygonF pie;
    pie.reserve(angles.size() + 2);
    pie << QPointF(0, 0);
    for (double a : std::as_const(angles))
        pie << QPointF(halfWidth * std::cos(a), -halfHeight * std::sin(a));
    pie << QPointF(0, 0);
    zone.addPolygon(pie);
    return zone;
}

void ViewWindow::PaintBlindZone(QPainter *painter, int rangeWidth, int rangeHeight,
                                double scale, const QRectF &exposed)
{
    painter->fillPath(VisiblePart(BlindZone(rangeWidth, rangeHeight, scale, exposed), painter),
                      BlindZoneColor);
}

void ViewWindow::drawBackground(QPainter *painter, const QRectF &rect)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    const int step = GridStep(scale);
    const QRectF visible = VisibleSceneRect();
    const double left = visible.left();
    const double right = visible.right();
    const double top = visible.top();
    const double bottom = visible.bottom();

    painter->setPen(QPen(QBrush(Qt::gray), static_cast<int>(GridPenPixels / scale)));
    for (int x = Snap(left, step); x <= right; x += step)
        painter->drawLine(x, static_cast<int>(top), x, static_cast<int>(bottom));
    for (int y = Snap(top, step); y <= bottom; y += step)
        painter->drawLine(static_cast<int>(left), y, static_cast<int>(right), y);

    const QPair<int, int> rings = RingBounds(rect, step);
    painter->setBrush(Qt::NoBrush);
    for (int r = rings.first; r >= rings.second && r >= 0; r -= step)
        painter->drawEllipse(QRect(-r, -r, 2 * r, 2 * r));

    painter->setPen(QPen(QBrush(Qt::black), static_cast<int>(AxisPenPixels / scale)));
    painter->drawLine(0, static_cast<int>(top), 0, static_cast<int>(bottom));
    painter->drawLine(static_cast<int>(left), 0, static_cast<int>(right), 0);

    PaintBlindZone(painter, rangeWidth, rangeHeight, scale, rect);
}

// Only the rings that can cross the exposed rectangle are drawn: from the snapped
// distance of its nearest point to that of its farthest corner. A far corner seen
// close up thus draws a handful of circles instead of thousands. The nearest point is
// the origin clamped into the rectangle, which also holds where the rectangle lies
// just behind the scanner or beyond the range along an axis.
QPair<int, int> ViewWindow::RingBounds(const QRectF &exposed, int step)
{
    const QPointF corners[4] = {exposed.topLeft(), exposed.topRight(), exposed.bottomLeft(),
                                exposed.bottomRight()};
    int outer = 0;
    for (const QPointF &corner : corners)
        outer = qMax(outer, Snap(std::hypot(corner.x(), corner.y()), step));
    const double nearestX = qBound(exposed.left(), 0.0, exposed.right());
    const double nearestY = qBound(exposed.top(), 0.0, exposed.bottom());
    const int inner = Snap(std::hypot(nearestX, nearestY), step);
    return qMakePair(outer, inner);
}

void ViewWindow::drawForeground(QPainter *painter, const QRectF &)
{
    const int step = LabelStep(scale);
    const QRectF visible = VisibleSceneRect();
    painter->setPen(QPen(Qt::black));
    painter->setFont(QFont(QStringLiteral("Times"), static_cast<int>(LabelPoints / scale),
                           QFont::Black, false));

    const int bottomY = static_cast<int>(mapToScene(QPoint(0, height() - BottomLabelOffset)).y());
    for (int x = Snap(visible.left(), step); x <= visible.right(); x += step)
        painter->drawText(QPoint(x, bottomY), QString::number(x / 1000.0, 'g', 6));

    // Rounded up, not truncated: where the left edge lies right of the scanner a
    // truncated position starts the text outside the view and, close up, cuts off
    // its minus sign.
    const int leftX = static_cast<int>(std::ceil(mapToScene(QPoint(0, 0)).x()));
    for (int y = Snap(visible.top(), step); y <= visible.bottom(); y += step)
        painter->drawText(QPoint(leftX, y), QString::number(y / 1000.0, 'g', 6));
}

}  // namespace veltrix
