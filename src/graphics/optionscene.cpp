#include "graphics/optionscene.h"

#include "areas/areamodel.h"
#include "project/devicemodels.h"
#include "areas/polar.h"
#include "graphics/paintout.h"
#include "graphics/paintoutline.h"
#include "graphics/paintstrength.h"
#include "graphics/pointpoint.h"
#include "graphics/pointratio.h"

#include <QGraphicsScene>
#include <QTransform>

namespace veltrix {

namespace {


// Scene position (x, -y) back to the area point, each coordinate truncated.
QPoint AreaPointOf(const QGraphicsItem *item)
{
    const QPointF p = item->pos();
    return QPoint(static_cast<int>(p.x()), static_cast<int>(-p.y()));
}

}  // namespace

OPTION_SCENE::OPTION_SCENE(int *modelIndex, QGraphicsScene *scene, AreaModel *areaModel,
                           SensorLinkData *linkData, QList<QGraphicsItem *> *backgroundItems,
                           QObject *parent)
    : QObject(parent),
      areaModel(areaModel),
      linkData(linkData),
      scene(scene),
      backgroundItems(backgroundItems)
{
    ApplyModelRange(modelIndex);
    scanFrameTimer.setSingleShot(true);
    scanFrameTimer.setInterval(ScanFrameInterval);
    connect(&scanFrameTimer, &QTimer::timeout, this, &OPTION_SCENE::RepaintScans);

    out1Item = new PAINT_OUT1(rangeWidth, rangeHeight, areaModel);
    out2Item = new PAINT_OUT2(rangeWidth, rangeHeight, areaModel);
    out3Item = new PAINT_OUT3(rangeWidth, rangeHeight, areaModel);
    outlineItem = new PAINT_OUTLINE(rangeWidth, rangeHeight, linkData);
    intensityItem = new PAINT_STRENGTH(rangeWidth, rangeHeight, linkData);
    const QList<QGraphicsItem *> items = {out1Item, out2Item, out3Item, outlineItem,
                                          intensityItem};
    for (QGraphicsItem *item : items) {
        scene->addItem(item);
        item->setPos(0, 0);
        backgroundItems->append(item);
    }

    areaModel->rangeWidth = rangeWidth;
    areaModel->rangeHeight = rangeHeight;

    AddCenterPointItemSlots();

    connect(out1Item, &PAINT_OUT1::PaintOut1Path, out2Item, &PAINT_OUT2::PaintOut1Path);
    connect(out2Item, &PAINT_OUT2::PaintOut2Path, out3Item, &PAINT_OUT3::PaintOut2Path);
}

OPTION_SCENE::~OPTION_SCENE()
{
    // The handles are ours; the scene deletes whatever is still in it when it goes
    // first, so only a live scene's handles are deleted here.
    if (scene)
        qDeleteAll(pointItems);
}

int OPTION_SCENE::RangeOfModel(int modelIndex)
{
    const DeviceModel *model = deviceModel(modelIndex);
    return model ? model->rangeSquare : 0;
}

void OPTION_SCENE::ApplyModelRange(const int *modelIndex)
{
    if (modelIndex && RangeOfModel(*modelIndex) > 0)
        rangeWidth = rangeHeight = RangeOfModel(*modelIndex);
    scene->setSceneRect(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

void OPTION_SCENE::SetDeviceType(int *modelIndex)
{
    ApplyModelRange(modelIndex);
    out1Item->SetRange(rangeWidth, rangeHeight);
    out2Item->SetRange(rangeWidth, rangeHeight);
    out3Item->SetRange(rangeWidth, rangeHeight);
    outlineItem->SetRange(rangeWidth, rangeHeight);
    intensityItem->SetRange(rangeWidth, rangeHeight);
    areaModel->rangeWidth = rangeWidth;
    areaModel->rangeHeight = rangeHeight;
}

qint32 OPTION_SCENE::CurrentShape() const
{
    return areaModel->current().shape(areaModel->clampedField());
}

// The field items cover the same square as the outline, so its repaint redraws them
// too; that is how the fields follow a change of area, field or points. A hidden
// outline (no scan being read) discards its repaint requests, so the fields are
// asked for theirs as well. The outline takes a new scan's points here, once.
void OPTION_SCENE::UpdataPaintOutline()
{
    outlineItem->Refresh(scale);
    RepaintFields();
}

// A new scan changes nothing but its own item, and only where the old and the new scan
// lie. On a serial link distances and intensities arrive one after the other; their
// repaints are gathered into one frame instead of two.
void OPTION_SCENE::UpdataScanOutline()
{
    outlinePending = true;
    if (!scanFrameTimer.isActive())
        scanFrameTimer.start();
}

void OPTION_SCENE::UpdataPaintIntensity()
{
    intensityPending = true;
    if (!scanFrameTimer.isActive())
        scanFrameTimer.start();
}

void OPTION_SCENE::RepaintScans()
{
    if (outlinePending)
        outlineItem->Refresh(scale);
    if (intensityPending)
        intensityItem->Refresh(scale);
    outlinePending = false;
    intensityPending = false;
}

void OPTION_SCENE::RepaintFields()
{
    out1Item->update();
    out2Item->update();
    out3Item->update();
}

void OPTION_SCENE::PaintOutItemSetZValue()
{
    switch (areaModel->currentField) {
    case 0:
        out1Item->setZValue(3);
        out2Item->setZValue(2);
        out3Item->setZValue(1);
        break;
    case 1:
        out1Item->setZValue(2);
        out2Item->setZValue(3);
        out3Item->setZValue(1);
        break;
    case 2:
        out1Item->setZValue(1);
        out2Item->setZValue(2);
        out3Item->setZValue(3);
        break;
    default:
        break;
    }
}

void OPTION_SCENE::AddCenterPointItemSlots()
{
    QGraphicsItem *top = scene->itemAt(QPointF(0, 0), QTransform());
    if (!top || !backgroundItems->contains(top) || CurrentShape() != Polygon)
        return;
    auto *handle = new POINT_POINT(&scale);
    handle->setPos(0, 0);
    scene->addItem(handle);
    pointItems.append(handle);
}

void OPTION_SCENE::CoordTableUpdatePointItem()
{
    qDeleteAll(pointItems);
    pointItems.clear();

    const int field = areaModel->clampedField();
    const AreaRecord &area = areaModel->current();
    const bool bars = field > 0 && isDependentShape(area.shape(field));
    for (const QPoint &point : area.points(field)) {
        QGraphicsItem *handle = bars ? static_cast<QGraphicsItem *>(new POINT_RATIO(&scale))
                                     : new POINT_POINT(&scale);
        handle->setPos(point.x(), -point.y());
        scene->addItem(handle);
        pointItems.append(handle);
    }

    PaintOutItemSetZValue();
    AddCenterPointItemSlots();
}

// A vertex handle lying exactly on the scanner is the centre handle (or a vertex
// dropped there) and is left out. A bar keeps its value even at 0: it is the
// field's only point, and without it the field could no longer be edited here.
void OPTION_SCENE::PointItemUpdateCoordTable()
{
    QVector<QPoint> &points = areaModel->current().points(areaModel->clampedField());
    points.clear();
    for (const QGraphicsItem *handle : qAsConst(pointItems)) {
        const QPointF p = handle->pos();
        if (p.x() == 0 && p.y() == 0 && handle->type() != POINT_RATIO::Type)
            continue;
        points.append(AreaPointOf(handle));
    }
    RepaintFields();
    emit PointItemChannelSignal();
}

void OPTION_SCENE::ChangeScaleSize(double value)
{
    scale = value;
    for (QGraphicsItem *item : qAsConst(pointItems)) {
        if (auto *handle = qobject_cast<PointHandle *>(item->toGraphicsObject()))
            handle->ScaleChanged();
    }
}

void OPTION_SCENE::MovePointItemSlots(QGraphicsItem *Item)
{
    switch (CurrentShape()) {
    case Polygon:
    case Straight:
    case Fan:
    case Ratio:
        PointItemUpdateCoordTable();
        break;
    case Arc:
        MoveArcPoint(pointItems.indexOf(Item));
        break;
    case Rectangle:
        MoveRectangleCorner(pointItems.indexOf(Item));
        break;
    default:
        break;
    }
}

// The partner keeps its angle and takes the moved point's radius.
void OPTION_SCENE::MoveArcPoint(int index)
{
    QVector<QPoint> &points = areaModel->current().points(areaModel->clampedField());
    if (points.size() != 2 || index < 0 || index > 1 || pointItems.size() < 2)
        return;
    const int other = 1 - index;
    points[index] = AreaPointOf(pointItems.at(index));
    const Polar moved = PolarOf(points.at(index));
    const Polar partner = PolarOf(points.at(other));
    points[other] = PointFromPolar(moved.radius, partner.angle);
    pointItems.at(other)->setPos(points.at(other).x(), -points.at(other).y());
    RepaintFields();
    emit PointItemChannelSignal();
}

// Corners are stored as (x0, y0), (x0, y1), (x1, y1), (x1, y0): each corner shares
// x with one neighbour and y with the other, and drags both along.
void OPTION_SCENE::MoveRectangleCorner(int index)
{
    QVector<QPoint> &points = areaModel->current().points(areaModel->clampedField());
    if (points.size() != 4 || index < 0 || index > 3 || pointItems.size() < 4)
        return;
    const QPoint moved = AreaPointOf(pointItems.at(index));
    points[index] = moved;
    const bool evenCorner = index % 2 == 0;
    // Corners 0 and 2 share x with the next corner and y with the previous one;
    // corners 1 and 3 the other way round.
    const int sharesX = evenCorner ? (index + 1) % 4 : (index + 3) % 4;
    const int sharesY = evenCorner ? (index + 3) % 4 : (index + 1) % 4;
    points[sharesX].setX(moved.x());
    pointItems.at(sharesX)->setX(moved.x());
    points[sharesY].setY(moved.y());
    pointItems.at(sharesY)->setY(-moved.y());
    RepaintFields();
    emit PointItemChannelSignal();
}

void OPTION_SCENE::DeletePointItemSlots(QGraphicsItem *Item)
{
    if (CurrentShape() != Polygon)
        return;
    const int index = pointItems.indexOf(Item);
    if (index < 0)
        return;
    pointItems.removeAt(index);
    delete Item;
    PointItemUpdateCoordTable();
}

}  // namespace veltrix
