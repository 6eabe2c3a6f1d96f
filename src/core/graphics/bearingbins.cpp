#include "core/graphics/bearingbins.h"

#include <QPointF>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace veltrix {

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
// The bounds kept per bin are widened by this much (relative, and in mm) so that the
// rounding of single precision and of the pseudo bearing never decides a point; a
// point within the margin is tested exactly.
constexpr double RelativeMargin = 1e-6;
constexpr double AbsoluteMargin = 1e-3;

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

// The sides of every bin's wedge as unit vectors, worked out once: bin b lies between
// sides b and b + 1.
struct Side
{
    double x, y;
};
const std::vector<Side> &sides()
{
    static const std::vector<Side> all = [] {
        std::vector<Side> list;
        for (int b = 0; b <= BearingBinCount; ++b) {
            const QPointF u = directionOf(b * bearingbins::BinWidth);
            const double length = std::sqrt(u.x() * u.x() + u.y() * u.y());
            list.push_back(Side{u.x() / length, u.y() / length});
        }
        return list;
    }();
    return all;
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

void BinnedScan::indexBins()
{
    binStart.assign(BearingBinCount + 1, 0);
    binNearest.assign(BearingBinCount, -1);
    sectorNearest.assign(BearingSectorCount, -1);
    const int count = points.size();
    for (int i = 0; i < count; ++i) {
        const quint16 bin = bins[static_cast<size_t>(i)];
        if (bin == NoBearingBin)
            continue;
        ++binStart[static_cast<size_t>(bin) + 1];
        int &nearest = binNearest[bin];
        if (nearest < 0 || radiusSquared[static_cast<size_t>(i)] < radiusSquared[static_cast<size_t>(nearest)])
            nearest = i;
    }
    for (int b = 0; b < BearingBinCount; ++b)
        binStart[static_cast<size_t>(b) + 1] += binStart[static_cast<size_t>(b)];
    binPoints.resize(static_cast<size_t>(binStart.back()));
    std::vector<int> next(binStart.begin(), binStart.end() - 1);
    for (int i = 0; i < count; ++i) {
        const quint16 bin = bins[static_cast<size_t>(i)];
        if (bin != NoBearingBin)
            binPoints[static_cast<size_t>(next[bin]++)] = i;
    }
    for (int b = 0; b < BearingBinCount; ++b) {
        const int candidate = binNearest[static_cast<size_t>(b)];
        int &nearest = sectorNearest[static_cast<size_t>(b / BearingSectorBins)];
        if (candidate >= 0
            && (nearest < 0 || radiusSquared[static_cast<size_t>(candidate)] < radiusSquared[static_cast<size_t>(nearest)]
                || (radiusSquared[static_cast<size_t>(candidate)] == radiusSquared[static_cast<size_t>(nearest)]
                    && candidate < nearest)))
            nearest = candidate;
    }
}

namespace bearingbins {

float innerBound(double radius)
{
    const double r = radius * (1.0 - RelativeMargin) - AbsoluteMargin;
    return r > 0 ? static_cast<float>(r * r) : Unclassified;
}

float outerBound(double radius)
{
    const double r = radius * (1.0 + RelativeMargin) + AbsoluteMargin;
    return static_cast<float>(r * r);
}

Cover coverOf(double from, double to, int bin)
{
    Cover cover;
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

bool coversBin(std::vector<std::pair<double, double>> &intervals, int bin)
{
    std::sort(intervals.begin(), intervals.end());
    double reached = bin * BinWidth;
    const double end = reached + BinWidth;
    for (const auto &interval : intervals) {
        if (interval.first > reached + 1e-12)
            break;
        reached = qMax(reached, interval.second);
    }
    return reached >= end - 1e-12;
}

double nearestAlongWedge(double ax, double ay, double bx, double by, int bin)
{
    const double ex = bx - ax, ey = by - ay;
    const double numerator = cross(ax, ay, ex, ey);
    const Side &u1 = sides()[static_cast<size_t>(bin)];
    const Side &u2 = sides()[static_cast<size_t>(bin) + 1];
    auto along = [&](const Side &u) {
        const double denominator = cross(u.x, u.y, ex, ey);
        return denominator > 0 ? numerator / denominator : Infinity;
    };
    double nearest = qMin(along(u1), along(u2));
    const double e2 = ex * ex + ey * ey;
    const double t = -(ax * ex + ay * ey) / e2;
    const double fx = ax + t * ex, fy = ay + t * ey;  // foot of the perpendicular
    if (cross(u1.x, u1.y, fx, fy) >= 0 && cross(fx, fy, u2.x, u2.y) >= 0)
        nearest = qMin(nearest, std::sqrt(fx * fx + fy * fy));
    return nearest;
}

double farthestInWedge(double ax, double ay, double bx, double by, int bin)
{
    const Side &u1 = sides()[static_cast<size_t>(bin)];
    const Side &u2 = sides()[static_cast<size_t>(bin) + 1];
    const double ex = bx - ax, ey = by - ay;
    const double numerator = cross(ax, ay, ex, ey);
    double farthest = 0;
    for (const Side *u : {&u1, &u2}) {
        const double denominator = cross(u->x, u->y, ex, ey);
        if (cross(ax, ay, u->x, u->y) >= 0 && cross(u->x, u->y, bx, by) >= 0 && denominator > 0)
            farthest = qMax(farthest, numerator / denominator);
    }
    if (cross(u1.x, u1.y, ax, ay) >= 0 && cross(ax, ay, u2.x, u2.y) >= 0)
        farthest = qMax(farthest, std::sqrt(ax * ax + ay * ay));
    if (cross(u1.x, u1.y, bx, by) >= 0 && cross(bx, by, u2.x, u2.y) >= 0)
        farthest = qMax(farthest, std::sqrt(bx * bx + by * by));
    return farthest;
}

Exit exitAlongWedge(double nx, double ny, double c, int bin)
{
    const Side &u1 = sides()[static_cast<size_t>(bin)];
    const Side &u2 = sides()[static_cast<size_t>(bin) + 1];
    const double d1 = nx * u1.x + ny * u1.y;
    const double d2 = nx * u2.x + ny * u2.y;
    // Within a wedge narrower than half a turn, n.u is largest toward n itself when n
    // lies in the wedge, otherwise at a side; smallest always at a side.
    const bool normalInside = cross(u1.x, u1.y, nx, ny) >= 0 && cross(nx, ny, u2.x, u2.y) >= 0;
    const double most = normalInside ? 1.0 : qMax(d1, d2);
    const double least = qMin(d1, d2);
    return Exit{most > 0 ? c / most : Infinity, least > 0 ? c / least : Infinity};
}

}  // namespace bearingbins

}  // namespace veltrix
