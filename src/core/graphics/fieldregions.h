#pragma once

#include "core/areas/arearecord.h"
#include "core/graphics/bearingbins.h"

#include <QPoint>
#include <QPointF>
#include <QVector>

#include <array>
#include <vector>

namespace veltrix {

// The ground that the three output fields of one area cover, exactly as the drawing
// of the fields shows it: a polygon or rectangle is the region swept from the scanner
// to its points in ascending bearing (filled by the non-zero rule, and handed on to a
// dependent field by the odd-even rule, as the drawing does); an arc is the pie slice
// of the larger radius between the two bearings; a straight field is the field before
// it cut to the band below y = d within the range square, a fan field the field
// before it cut to the 270° pie of radius d (a negative d mirrors the pie through the
// scanner), a ratio field the field before it scaled toward the scanner by the factor
// the drawing uses, handing the unscaled field on. A field the drawing leaves out
// covers nothing. Curved edges are true circles; the drawing approximates them with
// curves that lie at most 0.03 % of the radius outside.
class FieldRegions
{
public:
    FieldRegions(const AreaRecord &area, double rangeWidth, double rangeHeight);

    // Whether the area point lies in field 0..2 (Out1..Out3).
    bool contains(int field, const QPointF &point) const;
    // The fields that point i of scan lies in, as bits 1 << field.
    unsigned fieldsAt(const BinnedScan &scan, int i) const;
    // The point of scan nearest to the scanner inside field (the first of equals), -1
    // when none lies inside; the scan's bins must be indexed. Searches by bearing,
    // looking at single points only where a field's edge passes near them.
    int nearestInside(int field, const BinnedScan &scan) const;

    // No point of the field lies farther than this from the scanner (0: covers nothing).
    double reach(int field) const { return m_fields[static_cast<size_t>(field)].reach; }
    double reach() const;
    bool coversNothing(int field) const { return m_fields[static_cast<size_t>(field)].base < 0; }

private:
    // A triangle of the fan from the scanner, (0, 0), a, b counter-clockwise; sign -1
    // when the polygon runs round it clockwise.
    struct Triangle
    {
        double ax, ay, bx, by;
        int sign;
    };

    // Per bearing bin (or sector): a point at most inner2 (squared) from the scanner
    // lies surely inside, one beyond outer2 surely outside; between the two it is
    // tested exactly.
    struct Bounds
    {
        float inner2;
        float outer2;
    };

    // An independent shape: a swept polygon (triangles) or a pie slice, with the
    // per-bin bounds of its reach.
    struct Base
    {
        bool pie = false;
        std::vector<Triangle> triangles;
        std::vector<int> binStart;     // triangles of bin b: binTriangles[binStart[b]..binStart[b+1])
        std::vector<int> binTriangles;
        double radius = 0;             // pie
        double fromX = 0, fromY = 0;   // pie: unit vectors of its first and last bearing
        double toX = 0, toY = 0;
        bool wide = false;             // pie: sweep above 180°
        std::vector<Bounds> bounds;    // per bin
        double reach = 0;
    };

    enum class ClipKind { Band, Fan };
    struct Clip
    {
        ClipKind kind;
        double low = 0, high = 0;  // band: y range; x within +-halfWidth
        double halfWidth = 0;
        double radius = 0;         // fan: signed radius
    };

    // What a field covers: base cut by every clip, then scaled about the scanner; and
    // the bounds of all that per bin and per sector.
    struct Region
    {
        int base = -1;  // -1: nothing
        bool oddEven = false;
        QVector<Clip> clips;
        double scale = 1.0;
        double reach = 0;
        std::vector<Bounds> bins;
        std::vector<Bounds> sectors;
    };

    int addPolygon(const QVector<QPoint> &points);
    int addPie(const QVector<QPoint> &points);
    void fillBins(Base &base);
    int winding(const Base &base, int bin, double x, double y) const;
    bool baseContains(const Region &region, int bin, double r2, double x, double y) const;
    bool regionContains(const Region &region, quint16 bin, double r2, double x, double y) const;
    static bool clipContains(const Clip &clip, double x, double y);
    static Bounds clipBounds(const Clip &clip, int bin);
    void finish(Region &region) const;

    std::vector<Base> m_bases;
    std::array<Region, FieldCount> m_fields;
};

}  // namespace veltrix
