#pragma once

#include "core/graphics/fieldshapes.h"
#include "gui/graphics/itemtypes.h"
#include "gui/graphics/rangeitem.h"

#include <QPainterPath>

namespace veltrix {

// One output field of the current area, drawn in the scene over the whole range
// square. The scene controller hands it what to draw whenever the area changes, the
// dependent shapes already derived from the field before; painting only draws.
class PaintOutItem : public RangeItem
{
    Q_OBJECT

public:
    PaintOutItem(int field, double rangeWidth, double rangeHeight);

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option,
               QWidget *widget) override;

    int Field() const { return field; }

    // What this field draws, and the path of the field before it that a straight, fan
    // or ratio shape was derived from.
    void SetDrawing(const FieldDrawing &drawing, const QPainterPath &previous);
    const FieldDrawing &Drawing() const { return drawing; }
    const QPainterPath &PreviousPath() const { return previousPath; }

    // The field being edited is drawn opaque, the others translucent.
    void SetEdited(bool value);
    bool Edited() const { return edited; }

private:
    const int field;
    FieldDrawing drawing;
    QPainterPath previousPath;
    bool edited = false;
};

class PAINT_OUT1 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut1Type };
    PAINT_OUT1(double rangeWidth, double rangeHeight) : PaintOutItem(0, rangeWidth, rangeHeight) {}
    int type() const override { return Type; }
};

class PAINT_OUT2 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut2Type };
    PAINT_OUT2(double rangeWidth, double rangeHeight) : PaintOutItem(1, rangeWidth, rangeHeight) {}
    int type() const override { return Type; }
};

class PAINT_OUT3 : public PaintOutItem
{
    Q_OBJECT

public:
    enum { Type = PaintOut3Type };
    PAINT_OUT3(double rangeWidth, double rangeHeight) : PaintOutItem(2, rangeWidth, rangeHeight) {}
    int type() const override { return Type; }
};

}  // namespace veltrix
