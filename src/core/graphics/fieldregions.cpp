#include "core/graphics/fieldregions.h"

#include "core/areas/fieldediting.h"
#include "core/areas/polar.h"
#include "core/graphics/fieldshapes.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrix {

namespace {

constexpr double BinsPerUnit = BearingBinCount / 4.0;
constexpr double BinWidth = 4.0 / BearingBinCount;
constexpr int HalfTurnBins = BearingBinCount / 2;
// The bounds kept per bin are widened by this much (relative, and in mm) so that the
// rounding of single precision and of the pseudo bearing never decides a point; a
// point within the margin is tested exactly.
constexpr double RelativeMargin = 1e-6;
constexpr double AbsoluteMargin = 1e-3;
constexpr double Unclassified = -1.0;   // a bound no point is within

inline double cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

// The direction (not normalised) of pseudo bearing p in [0, 4].
QPointF directionOf(double p)
{
    const int quarter = qBound(0, static_cast<int>(std::floor(p)), 3);
    const double f = p - quarter;
    switch (quarter) {
    case 0: return QPointF(1.0 - f, f);
    case 1: return QPointF(-f, 1.0 - f);
    case 2: return QPointF(f - 1.0, -f);
    default: return QPointF(f, f - 1.0);
    }
}

// The side of every bin's wedge, worked out once: bin b lies between sides b and b + 1.
struct BinSide
{
    double x, y, length;
};
const std::vector<BinSide> &binSides()
{
    static const std::vector<BinSide> sides = [] {
        std::vector<BinSide> all;
        for (int b = 0; b <= BearingBinCount; ++b) {
            const QPointF u = directionOf(b * BinWidth);
            all.push_back(BinSide{u.x(), u.y(), std::sqrt(u.x() * u.x() + u.y() * u.y())});
        }
        return all;
    }();
    return sides;
}

float innerBound(double radius)
{
    const double r = radius * (1.0 - RelativeMargin) - AbsoluteMargin;
    return r > 0 ? static_cast<float>(r * r) : static_cast<float>(Unclassified);
}

float outerBound(double radius)
{
    const double r = radius * (1.0 + RelativeMargin) + AbsoluteMargin;
    return static_cast<float>(r * r);
}

// Whether the pseudo-bearing interval [from, to] (to may pass 4) covers bin b wholly,
// and whether it touches it at all.
struct BinCover
{
    bool whole = false;
    bool touched = false;
};
BinCover coverOf(double from, double to, int bin)
{
    BinCover cover;
    for (const double shift : {0.0, 4.0}) {
        const double low = bin * BinWidth + shift;
        const double high = low + BinWidth;
        if (from <= low - 1e-12 && high + 1e-12 <= to)
            cover.whole = true;
        if (low <= to + 1e-12 && from <= high + 1e-12)
            cover.touched = true;
    }
    return cover;
}

// Whether the pseudo-bearing intervals together cover the wedge of bin b.
bool covers(std::vector<std::pair<double, double>> &wedges, int bin)
{
    std::sort(wedges.begin(), wedges.end());
    double reached = bin * BinWidth;
    const double end = reached + BinWidth;
    for (const auto &wedge : wedges) {
        if (wedge.first > reached + 1e-12)
            break;
        reached = qMax(reached, wedge.second);
    }
    return reached >= end - 1e-12;
}

// The nearest point of the line through a and b seen from the scanner within the
// wedge of bin b (a and b counter-clockwise, less than half a turn apart).
double nearestAlongWedge(double ax, double ay, double bx, double by, int bin)
{
    const double ex = bx - ax, ey = by - ay;
    const double numerator = cross(ax, ay, ex, ey);  // > 0
    const BinSide &u1 = binSides()[static_cast<size_t>(bin)];
    const BinSide &u2 = binSides()[static_cast<size_t>(bin) + 1];
    auto along = [&](const BinSide &u) {
        const double denominator = cross(u.x, u.y, ex, ey);
        return denominator > 0 ? numerator / denominator * u.length : std::numeric_limits<double>::infinity();
    };
    double nearest = qMin(along(u1), along(u2));
    const double e2 = ex * ex + ey * ey;
    const double t = -(ax * ex + ay * ey) / e2;
    const double fx = ax + t * ex, fy = ay + t * ey;  // foot of the perpendicular
    if (cross(u1.x, u1.y, fx, fy) >= 0 && cross(fx, fy, u2.x, u2.y) >= 0)
        nearest = qMin(nearest, std::sqrt(fx * fx + fy * fy));
    return nearest;
}

// The farthest point from the scanner of triangle (0, 0), a, b (counter-clockwise)
// within the wedge of bin b: where the wedge's sides cross the far edge, or a corner
// that lies within the wedge. 0 when the triangle does not reach into the wedge.
double farthestInWedge(double ax, double ay, double bx, double by, int bin)
{
    const BinSide &u1 = binSides()[static_cast<size_t>(bin)];
    const BinSide &u2 = binSides()[static_cast<size_t>(bin) + 1];
    const double ex = bx - ax, ey = by - ay;
    const double numerator = cross(ax, ay, ex, ey);
    double farthest = 0;
    for (const BinSide *u : {&u1, &u2}) {
        const double denominator = cross(u->x, u->y, ex, ey);
        if (cross(ax, ay, u->x, u->y) >= 0 && cross(u->x, u->y, bx, by) >= 0 && denominator > 0)
            farthest = qMax(farthest, numerator / denominator * u->length);
    }
    if (cross(u1.x, u1.y, ax, ay) >= 0 && cross(ax, ay, u2.x, u2.y) >= 0)
        farthest = qMax(farthest, std::sqrt(ax * ax + ay * ay));
    if (cross(u1.x, u1.y, bx, by) >= 0 && cross(bx, by, u2.x, u2.y) >= 0)
        farthest = qMax(farthest, std::sqrt(bx * bx + by * by));
    return farthest;
}

}  // namespace

BinnedScan::BinnedScan(const QVector<QPoint> &areaPoints, double reach)
    : points(areaPoints)
{
    const int count = points.size();
    const double reach2 = reach * reach;
    radiusSquared.resize(static_cast<size_t>(count));
    bins.resize(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double x = points.at(i).x(), y = points.at(i).y();
        const double r2 = x * x + y * y;
        radiusSquared[static_cast<size_t>(i)] = r2;
        bins[static_cast<size_t>(i)] = r2 <= reach2 ? BearingBin(x, y) : NoBearingBin;
    }
}

FieldRegions::FieldRegions(const AreaRecord &area, double rangeWidth, double rangeHeight)
    : m_rangeWidth(rangeWidth), m_rangeHeight(rangeHeight)
{
    bool anyRatio = false;
    for (int field = 1; field < FieldCount; ++field)
        anyRatio = anyRatio || area.shape(field) == Ratio;
    AreaDrawing drawing;
    if (anyRatio)  // only a ratio needs the drawing's own paths, for its factor
        drawing = BuildAreaDrawing(area, rangeWidth, rangeHeight);

    Region announced;  // what the previous field hands on
    for (int field = 0; field < FieldCount; ++field) {
        const qint32 shape = area.shape(field);
        const QVector<QPoint> &points = area.points(field);
        Region region;
        if (shape == Polygon || shape == Rectangle) {
            region.base = addPolygon(points);
            announced = region;
            announced.oddEven = true;  // the drawing hands the path on before choosing its fill rule
        } else if (shape == Arc) {
            region.base = points.size() == 2 ? addPie(points) : -1;
            announced = region;
        } else if (field > 0 && isDependentShape(shape) && points.size() == 1) {
            const double value = points.at(0).y();
            region = announced;
            if (shape == Straight) {
                const double floor = -rangeHeight * 0.5;
                Clip band{ClipKind::Band, qMin(value, floor), qMax(value, floor), rangeWidth * 0.5, 0};
                region.clips.append(band);
                if (value == floor)
                    region.base = -1;
                announced = region;
            } else if (shape == Fan) {
                region.clips.append(Clip{ClipKind::Fan, 0, 0, 0, value});
                if (value == 0)
                    region.base = -1;
                announced = region;
            } else {
                const FieldDrawing &ratio = drawing[static_cast<size_t>(field)];
                region.scale = ratio.scaleFactor;
                if (!ratio.visible)
                    region.base = -1;
            }
        } else {
            announced = Region();
        }
        if (region.base >= 0)
            setReach(region);
        m_fields[static_cast<size_t>(field)] = region;
    }
}

double FieldRegions::reach() const
{
    double reach = 0;
    for (const Region &region : m_fields)
        reach = qMax(reach, region.reach);
    return reach;
}

void FieldRegions::setReach(Region &region) const
{
    double reach = m_bases[static_cast<size_t>(region.base)].reach;
    for (const Clip &clip : region.clips) {
        if (clip.kind == ClipKind::Fan)
            reach = qMin(reach, std::fabs(clip.radius));
    }
    region.reach = reach * std::fabs(region.scale);
}

int FieldRegions::addPolygon(const QVector<QPoint> &points)
{
    // The drawing's own vertex order; its polygon is in the view's frame (y down).
    const QPolygonF swept = AngleSortedPolygon(points);
    Base base;
    for (int i = 1; i + 2 < swept.size(); ++i) {
        const double ax = swept.at(i).x(), ay = -swept.at(i).y();
        const double bx = swept.at(i + 1).x(), by = -swept.at(i + 1).y();
        const double turn = cross(ax, ay, bx, by);
        if (turn > 0)
            base.triangles.push_back(Triangle{ax, ay, bx, by, 1});
        else if (turn < 0)
            base.triangles.push_back(Triangle{bx, by, ax, ay, -1});
        // Both corners on one line through the scanner: the triangle has no area.
    }
    if (base.triangles.empty())
        return -1;
    fillBins(base);
    m_bases.push_back(std::move(base));
    return static_cast<int>(m_bases.size()) - 1;
}

void FieldRegions::fillBins(Base &base)
{
    // The bins each triangle's wedge touches, one more on either side so that the
    // rounding of a point's bin never loses a triangle it lies in.
    struct Span
    {
        int first;
        int count;
        double from;
        double to;
    };
    std::vector<Span> spans;
    std::vector<int> perBin(BearingBinCount, 0);
    for (const Triangle &t : base.triangles) {
        const double from = PseudoBearing(t.ax, t.ay);
        double to = PseudoBearing(t.bx, t.by);
        if (to < from)
            to += 4.0;
        const int first = static_cast<int>(std::floor(from * BinsPerUnit)) - 1;
        const int last = static_cast<int>(std::floor(to * BinsPerUnit)) + 1;
        const int count = qMin(last - first + 1, BearingBinCount);
        spans.push_back(Span{first, count, from, to});
        for (int k = 0; k < count; ++k)
            ++perBin[static_cast<size_t>((first + k + BearingBinCount) % BearingBinCount)];
        base.reach = qMax(base.reach, std::sqrt(qMax(t.ax * t.ax + t.ay * t.ay, t.bx * t.bx + t.by * t.by)));
    }
    base.binStart.assign(BearingBinCount + 1, 0);
    for (int b = 0; b < BearingBinCount; ++b)
        base.binStart[static_cast<size_t>(b) + 1] = base.binStart[static_cast<size_t>(b)] + perBin[static_cast<size_t>(b)];
    base.binTriangles.assign(static_cast<size_t>(base.binStart.back()), 0);
    std::vector<int> filled(base.binStart.begin(), base.binStart.end() - 1);
    base.bounds.assign(BearingBinCount, Bounds{static_cast<float>(Unclassified), static_cast<float>(Unclassified)});
    std::vector<double> outer(BearingBinCount, 0.0);
    for (size_t i = 0; i < spans.size(); ++i) {
        const Triangle &t = base.triangles[i];
        for (int k = 0; k < spans[i].count; ++k) {
            const int bin = (spans[i].first + k + BearingBinCount) % BearingBinCount;
            const size_t b = static_cast<size_t>(bin);
            base.binTriangles[static_cast<size_t>(filled[b]++)] = static_cast<int>(i);
            outer[b] = qMax(outer[b], farthestInWedge(t.ax, t.ay, t.bx, t.by, bin));
        }
    }
    std::vector<std::pair<double, double>> wedges;
    for (int b = 0; b < BearingBinCount; ++b) {
        const size_t at = static_cast<size_t>(b);
        if (perBin[at] == 0)
            continue;
        base.bounds[at].outer2 = outerBound(outer[at]);
        // Surely inside up to the nearest far edge, where counter-clockwise triangles
        // alone cover the whole bin: the winding number is 1 there under either rule.
        wedges.clear();
        double nearest = std::numeric_limits<double>::infinity();
        bool clockwise = false;
        for (int k = base.binStart[at]; k < base.binStart[at + 1]; ++k) {
            const size_t i = static_cast<size_t>(base.binTriangles[static_cast<size_t>(k)]);
            const Triangle &t = base.triangles[i];
            clockwise = clockwise || t.sign < 0;
            nearest = qMin(nearest, nearestAlongWedge(t.ax, t.ay, t.bx, t.by, b));
            // The wedge moved by whole turns to lie round the bin.
            double from = spans[i].from, to = spans[i].to;
            if (from > (b + 1) * BinWidth) {
                from -= 4.0;
                to -= 4.0;
            }
            if (to < b * BinWidth) {
                from += 4.0;
                to += 4.0;
            }
            wedges.emplace_back(from, to);
        }
        if (!clockwise && covers(wedges, b))
            base.bounds[at].inner2 = innerBound(nearest);
    }
}

int FieldRegions::addPie(const QVector<QPoint> &points)
{
    // The drawing's numbers: single-precision bearings turned into degrees.
    const Polar a = PolarOf(points.at(0));
    const Polar b = PolarOf(points.at(1));
    const double low = qMin(a.angle, b.angle) * DegreesPerRadian;
    const double high = qMax(a.angle, b.angle) * DegreesPerRadian;
    const double radius = qMax(a.radius, b.radius);
    if (radius <= 0 || high <= low)
        return -1;  // a slice without area
    Base base;
    base.pie = true;
    base.radius = radius;
    base.reach = radius;
    base.fromX = std::cos(qDegreesToRadians(low));
    base.fromY = std::sin(qDegreesToRadians(low));
    base.toX = std::cos(qDegreesToRadians(high));
    base.toY = std::sin(qDegreesToRadians(high));
    base.wide = high - low > 180.0;
    const double from = PseudoBearing(base.fromX, base.fromY);
    double to = PseudoBearing(base.toX, base.toY);
    if (to <= from)
        to += 4.0;
    base.bounds.assign(BearingBinCount, Bounds{static_cast<float>(Unclassified), static_cast<float>(Unclassified)});
    for (int bin = 0; bin < BearingBinCount; ++bin) {
        const BinCover cover = coverOf(from, to, bin);
        if (cover.touched || cover.whole)
            base.bounds[static_cast<size_t>(bin)].outer2 = outerBound(radius);
        if (cover.whole)
            base.bounds[static_cast<size_t>(bin)].inner2 = innerBound(radius);
    }
    m_bases.push_back(std::move(base));
    return static_cast<int>(m_bases.size()) - 1;
}

int FieldRegions::winding(const Base &base, int bin, double x, double y) const
{
    int winding = 0;
    const int end = base.binStart[static_cast<size_t>(bin) + 1];
    for (int k = base.binStart[static_cast<size_t>(bin)]; k < end; ++k) {
        const Triangle &t = base.triangles[static_cast<size_t>(base.binTriangles[static_cast<size_t>(k)])];
        // The ray to a is part of the triangle, the ray to b is not, so a point on the
        // ray between two neighbouring triangles counts once.
        if (cross(t.ax, t.ay, x, y) >= 0 && cross(x, y, t.bx, t.by) > 0
            && cross(t.bx - t.ax, t.by - t.ay, x - t.ax, y - t.ay) >= 0)
            winding += t.sign;
    }
    return winding;
}

bool FieldRegions::baseContains(const Region &region, int bin, double r2, double x, double y) const
{
    const Base &base = m_bases[static_cast<size_t>(region.base)];
    if (base.pie) {
        if (r2 > base.radius * base.radius)
            return false;
        const bool afterFrom = cross(base.fromX, base.fromY, x, y) >= 0;
        const bool beforeTo = cross(x, y, base.toX, base.toY) >= 0;
        return base.wide ? afterFrom || beforeTo : afterFrom && beforeTo;
    }
    const int w = winding(base, bin, x, y);
    return region.oddEven ? (w & 1) != 0 : w != 0;
}

bool FieldRegions::clipContains(const Clip &clip, double x, double y)
{
    if (clip.kind == ClipKind::Band)
        return y >= clip.low && y <= clip.high && std::fabs(x) <= clip.halfWidth;
    if (x * x + y * y > clip.radius * clip.radius)
        return false;
    // The fan leaves out the quarter straight behind the scanner (in front of it when
    // the radius is negative and the fan is mirrored).
    return clip.radius > 0 ? y >= -std::fabs(x) : y <= std::fabs(x);
}

inline bool FieldRegions::regionContains(const Region &region, quint16 bin, double r2, double x, double y) const
{
    if (region.base < 0 || bin == NoBearingBin)
        return false;
    int b = bin;
    if (region.scale != 1.0) {
        // A point lies in the scaled field when the point scaled back lies in the field.
        const double inverse = 1.0 / region.scale;
        x *= inverse;
        y *= inverse;
        r2 *= inverse * inverse;
        if (region.scale < 0)
            b = (b + HalfTurnBins) % BearingBinCount;
    }
    const Base &base = m_bases[static_cast<size_t>(region.base)];
    const Bounds &bounds = base.bounds[static_cast<size_t>(b)];
    if (r2 > bounds.outer2)
        return false;
    for (const Clip &clip : region.clips) {
        if (!clipContains(clip, x, y))
            return false;
    }
    if (r2 <= bounds.inner2)
        return true;
    return baseContains(region, b, r2, x, y);
}

bool FieldRegions::contains(int field, const QPointF &point) const
{
    const Region &region = m_fields[static_cast<size_t>(qBound(0, field, FieldCount - 1))];
    const double x = point.x(), y = point.y();
    return regionContains(region, BearingBin(x, y), x * x + y * y, x, y);
}

unsigned FieldRegions::fieldsAt(const BinnedScan &scan, int i) const
{
    const size_t at = static_cast<size_t>(i);
    const quint16 bin = scan.bins[at];
    const double r2 = scan.radiusSquared[at];
    const QPoint &p = scan.points.at(i);
    unsigned fields = 0;
    for (int field = 0; field < FieldCount; ++field) {
        if (regionContains(m_fields[static_cast<size_t>(field)], bin, r2, p.x(), p.y()))
            fields |= 1u << field;
    }
    return fields;
}

}  // namespace veltrix
