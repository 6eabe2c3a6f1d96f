#include "gui/graphics/optionscene.h"

#include "core/areas/areamodel.h"
#include "core/areas/fieldediting.h"
#include "core/graphics/fieldshapes.h"
#include "gui/graphics/paintout.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/graphics/pointpoint.h"
#include "gui/graphics/pointratio.h"
#include "gui/graphics/viewwindow.h"

#include <QGraphicsScene>
#include <QTransform>
#include <utility>

namespace veltrix {

namespace {

constexpr int ArcPointCount = 2;
constexpr int RectanglePointCount = 4;

// Scene position (x, -y) back to the area point, each coordinate truncated.
QPoint AreaPointOf(const QGraphicsItem *item)
{
    const QPointF p = item->pos();
    return BoundedPoint(p.x(), -p.y());
}

}  // namespace

OPTION_SCENE::OPTION_SCENE(int modelIndex, QGraphicsScene *scene, AreaModel *areaModel,
                           const LiveScan *liveScan, QList<QGraphicsItem *> *backgroundItems,
                           QObject *parent)
    : QObject(parent),
      areaModel(areaModel),
      scene(scene),
      backgroundItems(backgroundItems)
{
    ApplyModelRange(modelIndex);
    scanFrameTimer.setSingleShot(true);
    scanFrameTimer.setInterval(ScanFrameInterval);
    connect(&scanFrameTimer, &QTimer::timeout, this, &OPTION_SCENE::RepaintScans);

    out1Item = new PAINT_OUT1(rangeWidth, rangeHeight);
    out2Item = new PAINT_OUT2(rangeWidth, rangeHeight);
    out3Item = new PAINT_OUT3(rangeWidth, rangeHeight);
    outlineItem = new PAINT_OUTLINE(rangeWidth, rangeHeight, liveScan, scale);
    intensityItem = new PAINT_STRENGTH(rangeWidth, rangeHeight, liveScan, scale);
    const QList<QGraphicsItem *> items = {out1Item, out2Item, out3Item, outlineItem,
                                          intensityItem};
    for (QGraphicsItem *item : items) {
        scene->addItem(item);
        item->setPos(0, 0);
        backgroundItems->append(item);
    }

    ShowFields();
    CoordTableUpdatePointItem();

    connect(areaModel, &AreaModel::areaChanged, this, &OPTION_SCENE::AreaChanged);
    connect(areaModel, &AreaModel::currentAreaChanged, this, &OPTION_SCENE::ShowCurrentArea);
    connect(areaModel, &AreaModel::areasReplaced, this, &OPTION_SCENE::ShowCurrentArea);
    connect(areaModel, &AreaModel::currentFieldChanged, this,
            &OPTION_SCENE::CoordTableUpdatePointItem);
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

void OPTION_SCENE::ApplyModelRange(int modelIndex)
{
    if (RangeOfModel(modelIndex) > 0)
        rangeWidth = rangeHeight = RangeOfModel(modelIndex);
    scene->setSceneRect(-rangeWidth / 2, -rangeHeight / 2, rangeWidth, rangeHeight);
}

void OPTION_SCENE::SetDeviceType(int modelIndex)
{
    ApplyModelRange(modelIndex);
    for (RangeItem *item : std::initializer_list<RangeItem *>{out1Item, out2Item, out3Item,
                                                               outlineItem, intensityItem})
        item->SetRange(rangeWidth, rangeHeight);
    // A straight field is cut at the range square.
    ShowFields();
}

void OPTION_SCENE::SetLinkConfiguration(const LinkConfiguration &link)
{
    outlineItem->SetLinkConfiguration(link);
    intensityItem->SetLinkConfiguration(link);
}

void OPTION_SCENE::SetDisplayMode(int mode)
{
    outlineItem->SetDisplayMode(mode);
    intensityItem->SetDisplayMode(mode);
}

qint32 OPTION_SCENE::CurrentShape() const
{
    return areaModel->current().shape(areaModel->currentField());
}

void OPTION_SCENE::AreaChanged(int area)
{
    if (area != areaModel->currentArea())
        return;
    ShowFields();
    if (!writingHandles)
        CoordTableUpdatePointItem();
}

void OPTION_SCENE::ShowCurrentArea()
{
    ShowFields();
    CoordTableUpdatePointItem();
}

// The fields are built here, once per change, so that painting only draws: each
// dependent field derived from the field before it by the same rule as the thumbnails.
void OPTION_SCENE::ShowFields()
{
    const AreaDrawing drawing = BuildAreaDrawing(areaModel->current(), rangeWidth, rangeHeight);
    out1Item->SetDrawing(drawing[0], QPainterPath());
    out2Item->SetDrawing(drawing[1], drawing[0].announced);
    out3Item->SetDrawing(drawing[2], drawing[1].announced);
}

// The field items cover the same square as the outline; they are asked for their
// repaint too, since a hidden outline (no scan being read) discards its requests.
void OPTION_SCENE::UpdataPaintOutline()
{
    outlineItem->Refresh();
    out1Item->update();
    out2Item->update();
    out3Item->update();
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
        outlineItem->Refresh();
    if (intensityPending)
        intensityItem->Refresh();
    outlinePending = false;
    intensityPending = false;
}

// The field being edited lies on top and is drawn opaque.
void OPTION_SCENE::PaintOutItemSetZValue()
{
    static const int order[FieldCount][FieldCount] = {{3, 2, 1}, {2, 3, 1}, {1, 2, 3}};
    const int edited = areaModel->currentField();
    PaintOutItem *items[FieldCount] = {out1Item, out2Item, out3Item};
    for (int field = 0; field < FieldCount; ++field) {
        items[field]->setZValue(order[edited][field]);
        items[field]->SetEdited(field == edited);
    }
}

void OPTION_SCENE::AddCenterPointItemSlots()
{
    QGraphicsItem *top = scene->itemAt(QPointF(0, 0), QTransform());
    if (!top || !backgroundItems->contains(top) || CurrentShape() != Polygon)
        return;
    auto *handle = new POINT_POINT(scale);
    handle->setPos(0, 0);
    scene->addItem(handle);
    pointItems.append(handle);
}

void OPTION_SCENE::CoordTableUpdatePointItem()
{
    qDeleteAll(pointItems);
    pointItems.clear();

    const int field = areaModel->currentField();
    const AreaRecord &area = areaModel->current();
    const bool bars = field > 0 && isDependentShape(area.shape(field));
    for (const QPoint &point : area.points(field)) {
        QGraphicsItem *handle = bars ? static_cast<QGraphicsItem *>(new POINT_RATIO(scale))
                                     : new POINT_POINT(scale);
        handle->setPos(point.x(), -point.y());
        scene->addItem(handle);
        pointItems.append(handle);
    }

    PaintOutItemSetZValue();
    AddCenterPointItemSlots();
}

void OPTION_SCENE::WriteEditedField(const QVector<QPoint> &points)
{
    AreaRecord area = areaModel->current();
    area.points(areaModel->currentField()) = points;
    writingHandles = true;
    areaModel->replaceArea(areaModel->currentArea(), area);
    writingHandles = false;
}

// A vertex handle lying exactly on the scanner is the centre handle (or a vertex
// dropped there) and is left out. A bar keeps its value even at 0: it is the
// field's only point, and without it the field could no longer be edited here.
void OPTION_SCENE::PointItemUpdateCoordTable()
{
    QVector<QPoint> points;
    points.reserve(pointItems.size());
    for (const QGraphicsItem *handle : std::as_const(pointItems)) {
        const QPointF p = handle->pos();
        if (p.x() == 0 && p.y() == 0 && handle->type() != POINT_RATIO::Type)
            continue;
        points.append(AreaPointOf(handle));
    }
    WriteEditedField(points);
    emit PointItemChannelSignal();
}

void OPTION_SCENE::ChangeScaleSize(double value)
{
    scale = value;
    outlineItem->SetViewScale(value);
    intensityItem->SetViewScale(value);
    for (QGraphicsItem *item : std::as_const(pointItems)) {
        if (auto *handle = qobject_cast<PointHandle *>(item->toGraphicsObject()))
            handle->SetViewScale(value);
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
        MoveConstrainedPoint(pointItems.indexOf(Item), ArcPointCount);
        break;
    case Rectangle:
        MoveConstrainedPoint(pointItems.indexOf(Item), RectanglePointCount);
        break;
    default:
        break;
    }
}

// An arc or rectangle point dragged: the shape's rule (the same as after a table edit)
// moves its partners, and their handles follow. Another point count than the shape's
// changes nothing.
void OPTION_SCENE::MoveConstrainedPoint(int index, int count)
{
    const int field = areaModel->currentField();
    AreaRecord area = areaModel->current();
    QVector<QPoint> &points = area.points(field);
    if (points.size() != count || index < 0 || index >= count || pointItems.size() < count)
        return;
    points[index] = AreaPointOf(pointItems.at(index));
    ApplyShapeRules(area, field, index);
    WriteEditedField(points);
    const QVector<QPoint> &stored = areaModel->current().points(field);
    for (int i = 0; i < count; ++i) {
        if (i != index)
            pointItems.at(i)->setPos(stored.at(i).x(), -stored.at(i).y());
    }
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

void OPTION_SCENE::ReleasePointItemSlots()
{
    areaModel->saveUndoSnapshot();
}

void ConnectViewToScene(ViewWindow *view, OPTION_SCENE *scene)
{
    QObject::connect(view, &ViewWindow::AddCenterPointItem, scene,
                     &OPTION_SCENE::AddCenterPointItemSlots);
    QObject::connect(view, &ViewWindow::MovePointItem, scene, &OPTION_SCENE::MovePointItemSlots);
    QObject::connect(view, &ViewWindow::DeletePointItem, scene,
                     &OPTION_SCENE::DeletePointItemSlots);
    QObject::connect(view, &ViewWindow::ReleasePointItem, scene,
                     &OPTION_SCENE::ReleasePointItemSlots);
    QObject::connect(view, QOverload<qreal>::of(&ViewWindow::ChangeSetupMatrix), scene,
                     &OPTION_SCENE::ChangeScaleSize);
}

}  // namespace veltrix
