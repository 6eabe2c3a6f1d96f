#pragma once

#include "core/areas/arearecord.h"
#include "core/graphics/fieldregions.h"

#include <QPoint>
#include <QVector>

#include <array>

namespace veltrix {

// How the points of one scan enter one output field.
struct FieldHits
{
    int count = 0;       // points inside the field
    int nearest = -1;    // index of the one nearest to the scanner (the first of equals), -1: none
    float distance = 0;  // its distance from the scanner, mm
    float angle = 0;     // its bearing in degrees, -90..270, as the program gives bearings
};

// Where a scan enters the fields of one area.
struct FieldEntry
{
    std::array<FieldHits, FieldCount> fields;
    // The entering points as they are drawn over the fields: each in the first field it
    // lies in, Out1 before Out2 before Out3 (area coordinates).
    std::array<QVector<QPoint>, FieldCount> drawn;
};

// The points of one scan (area coordinates, as the scan outline places them) that lie
// inside Out1, Out2 and Out3 of area, by the same geometry as the drawing of the
// fields (rangeWidth and rangeHeight: the model's range square, which bounds a
// straight cut). A point on the scanner itself is no measurement and enters nothing.
FieldEntry FindFieldEntries(const AreaRecord &area, double rangeWidth, double rangeHeight,
                            const QVector<QPoint> &areaPoints);
// The same with the fields and the scan prepared once, for many scans or many areas.
FieldEntry FindFieldEntries(const FieldRegions &regions, const BinnedScan &scan);

}  // namespace veltrix
