#pragma once

#include "core/areas/arearecord.h"

#include <QPointF>
#include <QRectF>
#include <QVector>

#include <array>

namespace veltrix {

// The regions that the three output fields of one area cover, built the way the
// program draws them: a polygon or rectangle is the region swept from the scanner to
// its points in order of bearing; an arc is a pie slice of the larger radius between
// its two bearings; a straight field is the field before it cut off above y = d
// (within the range square); a fan field is the field before it limited to the 270°
// fan of radius d; a ratio field is the field before it shrunk toward the scanner to
// height d, and hands the unshrunk field on to the next one. A field that cannot be
// drawn (an arc without exactly two points, a dependent shape on Out1 or without
// exactly one point, an unknown shape) covers nothing.
class AreaFields
{
public:
    // rangeWidth, rangeHeight: the model's range square, which bounds a straight cut.
    AreaFields(const AreaRecord &area, double rangeWidth, double rangeHeight);

    // Whether point (mm, scanner frame) lies in field 0..2.
    bool contains(int field, const QPointF &point) const;

private:
    enum class Kind { Polygon, Pie, Straight, Fan, Scaled };

    struct Region
    {
        Kind kind = Kind::Polygon;
        QVector<QPointF> polygon;  // closed through the origin
        double radius = 0;         // Pie, Fan
        double startDegrees = 0;   // Pie
        double endDegrees = 0;
        double low = 0;            // Straight: the band's y range
        double high = 0;
        double scale = 1;          // Scaled: the parent is shrunk by this factor
        int parent = -1;
        QRectF bounds;             // may be larger than the region, never smaller
    };

    int addIndependent(const AreaRecord &area, int field);
    int addDependent(qint32 shape, const QVector<QPoint> &points, int previous);
    bool regionContains(int region, const QPointF &point) const;

    double m_rangeWidth;
    double m_rangeHeight;
    QVector<Region> m_regions;
    std::array<int, FieldCount> m_fieldRegion{{-1, -1, -1}};
};

// Bearing of a point in degrees within [-90, 270), the program's convention.
double bearingDegrees(const QPointF &point);

}  // namespace veltrix
