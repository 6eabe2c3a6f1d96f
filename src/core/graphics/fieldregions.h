#pragma once

#include "core/areas/arearecord.h"

#include <QPoint>
#include <QPointF>
#include <QVector>

#include <array>
#include <limits>
#include <vector>

namespace veltrix {

// Directions around the scanner in BearingBinCount equal steps of a pseudo bearing
// that grows with the true bearing (0 at +x, 1 at +y, 2 at -x, 3 at -y, 4 round
// again): cheaper than an arc tangent, and opposite directions lie exactly half the
// bins apart. Every field keeps, per bin, how near a point may be and still surely
// lie inside and how far it may be and possibly lie inside, so that most points of
// a scan are decided by one comparison.
constexpr int BearingBinCount = 2048;
constexpr quint16 NoBearingBin = 0xFFFF;  // the scanner's own position: no direction

inline double PseudoBearing(double x, double y)
{
    if (y >= 0)
        return x >= 0 ? y / (x + y) : 1.0 - x / (y - x);
    return x < 0 ? 2.0 - y / (-x - y) : 3.0 + x / (x - y);
}

inline quint16 BearingBin(double x, double y)
{
    if (x == 0 && y == 0)
        return NoBearingBin;
    const int bin = static_cast<int>(PseudoBearing(x, y) * (BearingBinCount / 4.0));
    return static_cast<quint16>(qBound(0, bin, BearingBinCount - 1));
}

// The points of one scan in area coordinates (mm, x right, y forward), each with its
// squared distance and its bearing bin worked out once for every field test. Points
// farther than `reach` get no bin: they can lie in no field that reaches no farther.
struct BinnedScan
{
    explicit BinnedScan(const QVector<QPoint> &areaPoints, double reach = std::numeric_limits<double>::infinity());

    QVector<QPoint> points;
    std::vector<double> radiusSquared;
    std::vector<quint16> bins;  // NoBearingBin for a point on the scanner
};

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

    // Per bearing bin: a point at most inner2 (squared) from the scanner lies surely
    // inside, one beyond outer2 surely outside; between the two it is tested exactly.
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

    // What a field covers: base cut by every clip, then scaled about the scanner.
    struct Region
    {
        int base = -1;  // -1: nothing
        bool oddEven = false;
        QVector<Clip> clips;
        double scale = 1.0;
        double reach = 0;
    };

    int addPolygon(const QVector<QPoint> &points);
    int addPie(const QVector<QPoint> &points);
    void fillBins(Base &base);
    int winding(const Base &base, int bin, double x, double y) const;
    bool baseContains(const Region &region, int bin, double r2, double x, double y) const;
    bool regionContains(const Region &region, quint16 bin, double r2, double x, double y) const;
    static bool clipContains(const Clip &clip, double x, double y);
    void setReach(Region &region) const;

    double m_rangeWidth;
    double m_rangeHeight;
    std::vector<Base> m_bases;
    std::array<Region, FieldCount> m_fields;
};

}  // namespace veltrix
