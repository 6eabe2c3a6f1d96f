#pragma once

#include "graphics/itemtypes.h"
#include "graphics/rangeitem.h"

#include <QPainterPath>

namespace veltrix {

class AreaModel;

// One output field of the current area, drawn in the scene over the whole range
// square. Out2 and Out3 derive their straight, fan and ratio shapes from the path
// that the field before them announced when it last painted.
class PaintOutItem : public RangeItem
{
    Q_OBJECT

public:
    PaintOutItem(int field, double rangeWidth, double rangeHeight, AreaModel *areaModel);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    int Field() const { return field; }
    const QPainterPath &PreviousPath() const { return previousPath; }

protected:
    virtual void Announce(const QPainterPath &path) = 0;
    // Takes the previous field's path; a changed path repaints this field, so a
    // derived shape never stays built from a stale path when the items paint in an
    // order where this one comes first.
    void StorePreviousPath(const QPainterPath &path);

private:
    const int field;
    AreaModel *areaModel;  // not owned
    QPainterPath previousPath;
};

class PAINT_OUT1 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut1Type };
    PAINT_OUT1(double rangeWidth, double rangeHeight, AreaModel *areaModel);
    int type() const override { return Type; }

signals:
    void PaintOut1Path(QPainterPath path);

protected:
    void Announce(const QPainterPath &path) override { emit PaintOut1Path(path); }
};

class PAINT_OUT2 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut2Type };
    PAINT_OUT2(double rangeWidth, double rangeHeight, AreaModel *areaModel);
    int type() const override { return Type; }

public slots:
    void PaintOut1Path(const QPainterPath &Path) { StorePreviousPath(Path); }

signals:
    void PaintOut2Path(QPainterPath path);

protected:
    void Announce(const QPainterPath &path) override { emit PaintOut2Path(path); }
};

class PAINT_OUT3 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut3Type };
    PAINT_OUT3(double rangeWidth, double rangeHeight, AreaModel *areaModel);
    int type() const override { return Type; }

public slots:
    void PaintOut2Path(const QPainterPath &Path) { StorePreviousPath(Path); }

protected:
    void Announce(const QPainterPath &) override {}
};

}  // namespace veltrix
