#pragma once

#include "core/link/linkconfiguration.h"
#include "core/project/devicemodels.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QVector>

class QGraphicsItem;
class QGraphicsScene;
class QPoint;

namespace veltrix {

class AreaModel;
struct LiveScan;
class PAINT_OUT1;
class PAINT_OUT2;
class PAINT_OUT3;
class PAINT_OUTLINE;
class PAINT_STRENGTH;
class ViewWindow;

// Controller of the graphics scene: creates the field and scan items, sizes the
// scene for the scanner model, shows the current area's fields, and keeps draggable
// handles in step with the points of the field being edited. It follows the document:
// whatever changes the current area, the area being edited or the field being edited
// is redrawn here. Handle gestures arrive from the view as move, delete and add
// requests; they change the field through the document, and the end of a gesture
// makes it an undo step.
class OPTION_SCENE : public QObject
{
    Q_OBJECT

public:
    // The longest a new scan waits to be drawn, so that the distances and the
    // intensities of one serial polling round share one frame.
    static constexpr int ScanFrameInterval = 40;

    OPTION_SCENE(int modelIndex, QGraphicsScene *scene, AreaModel *areaModel,
                 const LiveScan *liveScan, QList<QGraphicsItem *> *backgroundItems,
                 QObject *parent = nullptr);
    ~OPTION_SCENE() override;

    // Scanner model 0..4; other indexes keep the current range.
    void SetDeviceType(int modelIndex);
    // The link's interface and mounting, and the way the scans are drawn (DisplayModes),
    // for both scan items.
    void SetLinkConfiguration(const LinkConfiguration &link);
    void SetDisplayMode(int mode);

    static int RangeOfModel(int modelIndex);  // 0 for an unknown model

    int RangeWidth() const { return rangeWidth; }
    int RangeHeight() const { return rangeHeight; }
    double Scale() const { return scale; }
    const QList<QGraphicsItem *> &PointItems() const { return pointItems; }
    PAINT_OUT1 *Out1Item() const { return out1Item; }
    PAINT_OUT2 *Out2Item() const { return out2Item; }
    PAINT_OUT3 *Out3Item() const { return out3Item; }
    PAINT_OUTLINE *OutlineItem() const { return outlineItem; }
    PAINT_STRENGTH *IntensityItem() const { return intensityItem; }

signals:
    // The handles changed the points of the field being edited.
    void PointItemChannelSignal();

public slots:
    void UpdataPaintOutline();
    void UpdataScanOutline();
    // Draws the scans that arrived since the last frame.
    void RepaintScans();
    void UpdataPaintIntensity();
    void PaintOutItemSetZValue();
    void AddCenterPointItemSlots();
    void CoordTableUpdatePointItem();
    void PointItemUpdateCoordTable();
    void ChangeScaleSize(double scale);
    void MovePointItemSlots(QGraphicsItem *Item);
    void DeletePointItemSlots(QGraphicsItem *Item);
    // A handle gesture ended (release, or a vertex removed by key): the field as it
    // now is becomes an undo step.
    void ReleasePointItemSlots();

private:
    void ApplyModelRange(int modelIndex);
    qint32 CurrentShape() const;
    void AreaChanged(int area);
    void ShowCurrentArea();
    void ShowFields();
    void WriteEditedField(const QVector<QPoint> &points);
    void MoveConstrainedPoint(int index, int count);

    int rangeWidth = DeviceModels[0].rangeSquare;
    int rangeHeight = DeviceModels[0].rangeSquare;
    double scale = 1.0;
    AreaModel *areaModel;                       // not owned
    QPointer<QGraphicsScene> scene;             // not owned; owns every item in it
    QList<QGraphicsItem *> *backgroundItems;    // the view's list
    QList<QGraphicsItem *> pointItems;          // handles, in point-list order
    PAINT_OUT1 *out1Item = nullptr;
    PAINT_OUT2 *out2Item = nullptr;
    PAINT_OUT3 *out3Item = nullptr;
    PAINT_OUTLINE *outlineItem = nullptr;
    PAINT_STRENGTH *intensityItem = nullptr;
    // True while the handles write their field into the document: they are where the
    // points came from, and rebuilding them would drop the handle being dragged.
    bool writingHandles = false;
    QTimer scanFrameTimer;
    bool outlinePending = false;
    bool intensityPending = false;
};

// The view's handle gestures and zoom, connected to the scene controller that carries
// them out.
void ConnectViewToScene(ViewWindow *view, OPTION_SCENE *scene);

}  // namespace veltrix
