#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>

class QGraphicsItem;
class QGraphicsScene;

namespace veltrix {

class AreaModel;
struct SensorLinkData;
class PAINT_OUT1;
class PAINT_OUT2;
class PAINT_OUT3;
class PAINT_OUTLINE;
class PAINT_STRENGTH;

// Controller of the graphics scene: creates the field and scan items, sizes the
// scene for the scanner model, and keeps draggable handles in step with the points
// of the field being edited. Handle gestures arrive from the view as move, delete
// and add requests; edits elsewhere arrive as requests to rebuild the handles.
class OPTION_SCENE : public QObject
{
    Q_OBJECT

public:
    // The longest a new scan waits to be drawn, so that the distances and the
    // intensities of one serial polling round share one frame.
    static constexpr int ScanFrameInterval = 40;

    OPTION_SCENE(int *modelIndex, QGraphicsScene *scene, AreaModel *areaModel,
                 SensorLinkData *linkData, QList<QGraphicsItem *> *backgroundItems,
                 QObject *parent = nullptr);
    ~OPTION_SCENE() override;

    void SetDeviceType(int *modelIndex);

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

private:
    void ApplyModelRange(const int *modelIndex);
    qint32 CurrentShape() const;
    void MoveArcPoint(int index);
    void MoveRectangleCorner(int index);
    void RepaintFields();

    int rangeWidth = 12000;
    int rangeHeight = 12000;
    double scale = 1.0;
    AreaModel *areaModel;                       // not owned
    SensorLinkData *linkData;                   // not owned
    QPointer<QGraphicsScene> scene;             // not owned; owns every item in it
    QList<QGraphicsItem *> *backgroundItems;    // the view's list
    QList<QGraphicsItem *> pointItems;          // handles, in point-list order
    PAINT_OUT1 *out1Item = nullptr;
    PAINT_OUT2 *out2Item = nullptr;
    PAINT_OUT3 *out3Item = nullptr;
    PAINT_OUTLINE *outlineItem = nullptr;
    PAINT_STRENGTH *intensityItem = nullptr;
    QTimer scanFrameTimer;
    bool outlinePending = false;
    bool intensityPending = false;
};

}  // namespace veltrix
