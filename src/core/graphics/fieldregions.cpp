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

using namespace bearingbins;

constexpr double BinsPerUnit = BearingBinCount / 4.0;
constexpr int HalfTurnBins = BearingBinCount / 2;
constexpr double FanFrom = 3.5;        // pseudo bearing of -45°, where the fan begins...
constexpr double FanTo = 6.5;          // ...and of 225°, a turn later, where it ends
constexpr double ScaleMargin = 2e-6;   // for bounds multiplied by a ratio's factor

inline double cross(double ax, double ay, double bx, double by)
{
    return ax * by - ay * bx;
}

}  // namespace

FieldRegions::FieldRegions(const AreaRecord &area, double rangeWidth, double rangeHeight)
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
        finish(region);
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

// The region's reach and its bounds per bin and sector, the clips and the scaling
// folded in: within each bin the cut of a band or fan, in the frame before scaling.
void FieldRegions::finish(Region &region) const
{
    region.bins.assign(BearingBinCount, Bounds{Unclassified, Unclassified});
    region.sectors.assign(BearingSectorCount, Bounds{Unclassified, Unclassified});
    if (region.base < 0)
        return;
    const Base &base = m_bases[static_cast<size_t>(region.base)];
    double reach = base.reach;
    for (const Clip &clip : region.clips) {
        if (clip.kind == ClipKind::Fan)
            reach = qMin(reach, std::fabs(clip.radius));
    }
    region.reach = reach * std::fabs(region.scale);
    const float scale2 = static_cast<float>(region.scale * region.scale);
    for (int b = 0; b < BearingBinCount; ++b) {
        const int unscaled = region.scale < 0 ? (b + HalfTurnBins) % BearingBinCount : b;
        Bounds bounds = base.bounds[static_cast<size_t>(unscaled)];
        for (const Clip &clip : region.clips) {
            const Bounds cut = clipBounds(clip, unscaled);
            bounds.inner2 = qMin(bounds.inner2, cut.inner2);
            bounds.outer2 = qMin(bounds.outer2, cut.outer2);
        }
        if (region.scale != 1.0) {
            if (bounds.inner2 > 0)
                bounds.inner2 *= scale2 * static_cast<float>(1.0 - ScaleMargin);
            if (bounds.outer2 > 0)
                bounds.outer2 *= scale2 * static_cast<float>(1.0 + ScaleMargin);
        }
        region.bins[static_cast<size_t>(b)] = bounds;
        Bounds &sector = region.sectors[static_cast<size_t>(b / BearingSectorBins)];
        if (b % BearingSectorBins == 0) {
            sector = bounds;
        } else {
            sector.inner2 = qMin(sector.inner2, bounds.inner2);
            sector.outer2 = qMax(sector.outer2, bounds.outer2);
        }
    }
}

FieldRegions::Bounds FieldRegions::clipBounds(const Clip &clip, int bin)
{
    if (clip.kind == ClipKind::Fan) {
        const double radius = std::fabs(clip.radius);
        const double shift = clip.radius > 0 ? 0.0 : -2.0;  // a negative radius turns the fan round
        const Cover cover = coverOf(FanFrom + shift, FanTo + shift, bin);
        if (cover.whole)
            return Bounds{innerBound(radius), outerBound(radius)};
        return Bounds{Unclassified, cover.touched ? outerBound(radius) : Unclassified};
    }
    // A band holding the scanner: every ray leaves it once, through one of its sides.
    if (!(clip.low < 0 && clip.high > 0))
        return Bounds{Unclassified, std::numeric_limits<float>::infinity()};
    const Exit sides[] = {exitAlongWedge(0, 1, clip.high, bin), exitAlongWedge(0, -1, -clip.low, bin),
                          exitAlongWedge(1, 0, clip.halfWidth, bin), exitAlongWedge(-1, 0, clip.halfWidth, bin)};
    double nearest = std::numeric_limits<double>::infinity(), farthest = nearest;
    for (const Exit &exit : sides) {
        nearest = qMin(nearest, exit.nearest);
        farthest = qMin(farthest, exit.farthest);
    }
    return Bounds{innerBound(nearest), outerBound(farthest)};
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
    base.bounds.assign(BearingBinCount, Bounds{Unclassified, Unclassified});
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
        bool clockwise = false;
        for (int k = base.binStart[at]; k < base.binStart[at + 1]; ++k) {
            const size_t i = static_cast<size_t>(base.binTriangles[static_cast<size_t>(k)]);
            clockwise = clockwise || base.triangles[i].sign < 0;
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
        if (clockwise || !coversBin(wedges, b))
            continue;
        double nearest = std::numeric_limits<double>::infinity();
        for (int k = base.binStart[at]; k < base.binStart[at + 1]; ++k) {
            const Triangle &t = base.triangles[static_cast<size_t>(base.binTriangles[static_cast<size_t>(k)])];
            nearest = qMin(nearest, nearestAlongWedge(t.ax, t.ay, t.bx, t.by, b));
        }
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
    base.bounds.assign(BearingBinCount, Bounds{Unclassified, Unclassified});
    for (int bin = 0; bin < BearingBinCount; ++bin) {
        const Cover cover = coverOf(from, to, bin);
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
    if (bin == NoBearingBin)
        return 0;
    const double r2 = scan.radiusSquared[at];
    unsigned fields = 0;
    for (int field = 0; field < FieldCount; ++field) {
        const Region &region = m_fields[static_cast<size_t>(field)];
        const Bounds &bounds = region.bins[bin];
        if (r2 > bounds.outer2)
            continue;
        const QPoint &p = scan.points.at(i);
        if (r2 <= bounds.inner2 || regionContains(region, bin, r2, p.x(), p.y()))
            fields |= 1u << field;
    }
    return fields;
}

int FieldRegions::nearestInside(int field, const BinnedScan &scan) const
{
    const Region &region = m_fields[static_cast<size_t>(qBound(0, field, FieldCount - 1))];
    if (region.base < 0)
        return -1;
    int best = -1;
    double best2 = std::numeric_limits<double>::infinity();
    // A candidate is better when nearer, or as near and earlier in the scan.
    const auto better = [&](int i, double r2) { return r2 < best2 || (r2 == best2 && i < best); };
    for (int sector = 0; sector < BearingSectorCount; ++sector) {
        const int first = scan.sectorNearest[static_cast<size_t>(sector)];
        if (first < 0 || !better(first, scan.radiusSquared[static_cast<size_t>(first)]))
            continue;
        const double sector2 = scan.radiusSquared[static_cast<size_t>(first)];
        const Bounds &coarse = region.sectors[static_cast<size_t>(sector)];
        if (sector2 > coarse.outer2)
            continue;
        if (sector2 <= coarse.inner2) {
            best = first;
            best2 = sector2;
            continue;
        }
        for (int bin = sector * BearingSectorBins; bin < (sector + 1) * BearingSectorBins; ++bin) {
            const int nearest = scan.binNearest[static_cast<size_t>(bin)];
            if (nearest < 0 || !better(nearest, scan.radiusSquared[static_cast<size_t>(nearest)]))
                continue;
            const double bin2 = scan.radiusSquared[static_cast<size_t>(nearest)];
            const Bounds &bounds = region.bins[static_cast<size_t>(bin)];
            if (bin2 > bounds.outer2)
                continue;
            if (bin2 <= bounds.inner2) {
                best = nearest;
                best2 = bin2;
                continue;
            }
            for (int k = scan.binStart[static_cast<size_t>(bin)]; k < scan.binStart[static_cast<size_t>(bin) + 1]; ++k) {
                const int i = scan.binPoints[static_cast<size_t>(k)];
                const double r2 = scan.radiusSquared[static_cast<size_t>(i)];
                const QPoint &p = scan.points.at(i);
                if (better(i, r2) && r2 <= bounds.outer2
                    && regionContains(region, static_cast<quint16>(bin), r2, p.x(), p.y()))
                {
                    best = i;
                    best2 = r2;
                }
            }
        }
    }
    return best;
}

}  // namespace veltrix
