#pragma once

#include "core/project/devicemodels.h"

#include <QGraphicsView>
#include <QList>
#include <QPair>
#include <QPainterPath>
#include <QPointer>

class QGraphicsObject;

namespace veltrix {

// The central drawing surface. It owns the zoom (an integer level mapped to a
// scale factor), draws the millimetre grid, range rings, axes, blind-zone shading
// and metre labels around the scene's items, reports the cursor position, and turns
// mouse and key input on point handles into requests for the scene controller.
class ViewWindow : public QGraphicsView
{
    Q_OBJECT

public:
    static constexpr int InitialZoomLevel = DeviceModels[0].minimumZoom;
    static constexpr int WheelZoomStep = 10;

    explicit ViewWindow(QWidget *parent = nullptr);

    // Scanner model 0..4: sets the range and the zoom limits. Other indexes leave the
    // range and lift the lower zoom limit.
    void SetDeviceType(int modelIndex);
    void ApplyZoom();

    // Replaces an OpenGL viewport by a plain raster one (benchmarks measure this path).
    void UseRasterViewport();
    bool UsesOpenGL() const;
    // True when an OpenGL context can be made and its renderer is a hardware one.
    static bool OpenGLAvailable();
    // Whether a GL_RENDERER text names a software rasteriser.
    static bool IsSoftwareRenderer(const QString &renderer);
    // False where OpenGL could only be rendered in software (no graphics device).
    static bool GraphicsHardwarePresent();

    // Filled by the scene controller with the items that cover the whole range.
    QList<QGraphicsItem *> *BackgroundItems() { return &backgroundItems; }

    int ZoomLevel() const { return zoomLevel; }
    double Scale() const { return scale; }
    int RangeWidth() const { return rangeWidth; }
    int RangeHeight() const { return rangeHeight; }
    QGraphicsItem *CurrentItem() const;

    static double ScaleOfLevel(int level);
    static int MinimumZoomLevel(int modelIndex);  // 0..4; other indexes: no minimum
    static int GridStep(double scale);
    static int LabelStep(double scale);
    // Radii (outer, inner) of the rings that can cross the exposed scene rectangle.
    static QPair<int, int> RingBounds(const QRectF &exposed, int step);
    // The shaded region of the range square (everything but the 270 degree pie) that
    // `exposed` can show, drawn to within a quarter pixel at `scale`.
    static QPainterPath BlindZone(int rangeWidth, int rangeHeight, double scale,
                                  const QRectF &exposed);
    // Shades that region with the painter (scene coordinates at `scale`), cut to the
    // painter's device first: the range square is far larger than the window when a
    // large range is seen close up, and filled whole it cost tens of milliseconds a frame.
    static void PaintBlindZone(QPainter *painter, int rangeWidth, int rangeHeight, double scale,
                               const QRectF &exposed);

public slots:
    void ZoomInButtonSlots();
    void ZoomOutButtonSlots();
    void ChangeSetupMatrix(int level);

signals:
    // A handle gesture ended: the scene makes the field an undo step.
    void ReleasePointItem();
    // Any mouse button released in the view. (Not connected in the program: see MainWindow::wireDocuments().)
    void MouseReleaseSignal();
    void AddCenterPointItem();
    void ChangeSetupMatrix(qreal scale);
    void CurrentCoordSignal(QPoint coord);
    void DeletePointItem(QGraphicsItem *item);
    void MovePointItem(QGraphicsItem *item);
    void ChangeMatrixSignal(int level);

protected:
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void drawBackground(QPainter *painter, const QRectF &rect) override;
    void drawForeground(QPainter *painter, const QRectF &rect) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void InstallViewport();
    bool IsBackgroundItem(const QGraphicsItem *item) const;
    QRectF VisibleSceneRect() const;

    QList<QGraphicsItem *> backgroundItems;
    int zoomLevel = InitialZoomLevel;
    double scale = 1.0;
    int rangeWidth = DeviceModels[0].rangeSquare;
    int rangeHeight = DeviceModels[0].rangeSquare;
    int deviceType = -1;  // no model until told
    // The handle picked by the last press. Held weakly: the scene controller destroys
    // handles on every rebuild, and a destroyed handle must never be used again.
    QPointer<QGraphicsObject> currentItem;
    // The handle picked by the last press was removed at the view's own request (right
    // button): the release still ends an edit and takes its undo snapshot.
    bool pickedHandleDeleted = false;
};

}  // namespace veltrix
