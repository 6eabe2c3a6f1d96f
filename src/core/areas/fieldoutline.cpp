#include "core/areas/fieldoutline.h"

#include "core/areas/polar.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrix {

namespace {

constexpr double HalfPi = 1.5707963267948966;
constexpr double TwoPi = 6.283185307179586;

// Room left inside every limit for turning real vertices into whole millimetres; what
// the rounding still pushes outward is pulled back by the check on the drawn polygon.
constexpr double RoundingMargin = 1.0;
// An edge covers at most a quarter turn, so every edge passes in front of the scanner
// and the polygon stays the region swept from it.
constexpr double MaxEdgeSpan = HalfPi;
// The innermost point of a tolerance band: never the scanner itself, whose direction
// from a vertex is the band's edge.
constexpr double InnerFloor = 1e-3;
constexpr double ToleranceResolution = 0.5;  // mm: the raised tolerance is found to this
constexpr int ToleranceSteps = 40;
constexpr int ProjectionSweeps = 500;
constexpr int CheckPasses = 64;
constexpr double Shrink = 1.0 - 1e-6;        // a pulled vertex lands just inside its limit

struct Row
{
    const BearingLimits &limits;

    double bearing(int k) const { return limits.bearings[k]; }
    double outer(int k) const { return limits.limits[k] - RoundingMargin; }
    QPointF at(int k, double radius) const
    {
        return QPointF(radius * std::cos(bearing(k)), radius * std::sin(bearing(k)));
    }
};

struct RealVertex
{
    int sample = 0;
    double radius = 0;
};

// Greedy widest steps through the band [outer - tolerance, outer] of every bearing:
// from each vertex, the farthest bearing that an edge can reach while crossing every
// bearing in between within its band. Seen from the vertex, the band of a bearing is
// a range of directions, and an edge is possible while these ranges still overlap.
// The next vertex goes where that edge meets its bearing as far out as the overlap
// allows; it may lie inside its band, and often must: a wall pulled in by the offset
// bends toward the scanner, so no edge between two points on its outer limit stays
// inside it. Stops early once more than `cap` vertices are needed.
QVector<RealVertex> greedyOutline(const Row &row, int first, int last, double tolerance, int cap)
{
    QVector<RealVertex> chosen{RealVertex{first, row.outer(first)}};
    while (chosen.last().sample < last && chosen.size() <= cap) {
        const RealVertex from = chosen.last();
        const int a = from.sample;
        const QPointF origin = row.at(a, from.radius);
        const double c = std::cos(row.bearing(a));
        const double s = std::sin(row.bearing(a));
        // Direction of q seen from the vertex, measured from the vertex's own bearing:
        // in (0, pi) for every point at a larger bearing less than half a turn away;
        // farther out along a bearing means a smaller direction.
        const auto direction = [&](const QPointF &q) {
            const double dx = q.x() - origin.x();
            const double dy = q.y() - origin.y();
            return std::atan2(c * dy - s * dx, c * dx + s * dy);
        };
        double low = -std::numeric_limits<double>::infinity();
        double high = std::numeric_limits<double>::infinity();
        int best = a + 1;
        double bestDirection = direction(row.at(best, row.outer(best)));
        for (int j = a + 1; j <= last && row.bearing(j) - row.bearing(a) <= MaxEdgeSpan; ++j) {
            const double outward = direction(row.at(j, row.outer(j)));
            const double inward = direction(row.at(j, std::max(row.outer(j) - tolerance, InnerFloor)));
            if (std::max(low, outward) <= std::min(high, inward)) {
                best = j;
                bestDirection = std::max(low, outward);
            }
            low = std::max(low, outward);
            high = std::min(high, inward);
            if (low > high)
                break;
        }
        // Where the edge leaving in bestDirection meets bearing `best`.
        const double d = row.bearing(a) + bestDirection;
        const double dx = std::cos(d);
        const double dy = std::sin(d);
        const double cb = std::cos(row.bearing(best));
        const double sb = std::sin(row.bearing(best));
        const double along = -(origin.x() * sb - origin.y() * cb) / (dx * sb - dy * cb);
        const double radius = (origin.x() + along * dx) * cb + (origin.y() + along * dy) * sb;
        chosen.append(RealVertex{best, std::min(radius, row.outer(best))});
    }
    return chosen;
}

// The outline's edge between vertices at bearings t1 < t2 with radii 1/w1 and 1/w2
// crosses bearing t at radius r with 1/r = (sin(t2 - t) w1 + sin(t - t1) w2) / sin(t2 - t1):
// each limit an edge must respect is linear in the inverse radii. Each violated one is
// met by the smallest change of the two inverse radii (a projection); inverse radii
// only grow, so a limit once met stays met.
void pullInside(const Row &row, QVector<RealVertex> &vertices)
{
    QVector<double> w(vertices.size());
    for (int i = 0; i < vertices.size(); ++i)
        w[i] = 1.0 / vertices[i].radius;
    for (int sweep = 0; sweep < ProjectionSweeps; ++sweep) {
        bool met = true;
        for (int i = 0; i + 1 < vertices.size(); ++i) {
            const double t1 = row.bearing(vertices[i].sample);
            const double t2 = row.bearing(vertices[i + 1].sample);
            const double span = std::sin(t2 - t1);
            for (int k = vertices[i].sample + 1; k < vertices[i + 1].sample; ++k) {
                const double a = std::sin(t2 - row.bearing(k));
                const double b = std::sin(row.bearing(k) - t1);
                const double needed = span / row.outer(k);
                const double have = a * w[i] + b * w[i + 1];
                if (have >= needed)
                    continue;
                met = false;
                const double step = (needed - have) / (a * a + b * b) / Shrink;
                w[i] += step * a;
                w[i + 1] += step * b;
            }
        }
        if (met)
            break;
    }
    for (int i = 0; i < vertices.size(); ++i)
        vertices[i].radius = 1.0 / w[i];
}

QPoint truncated(double x, double y)
{
    return QPoint(static_cast<int>(x), static_cast<int>(y));
}

// Bearing of a point in the area convention, [-pi/2, 3pi/2).
double bearingOf(double x, double y)
{
    double angle = std::atan2(y, x);
    if (angle < -HalfPi)
        angle += TwoPi;
    return angle;
}

// A vertex being made whole: where it should lie, and on which side of its bearing
// its whole-millimetre point may lie (the first vertex not before the first bearing,
// the last not after the last, so the field covers no bearing beyond them).
struct Target
{
    double bearing = 0;
    double radius = 0;
    int side = 0;  // -1 at or before the bearing, +1 at or after it, 0 either

    // Of the whole-millimetre points around the real one, those no farther out; of
    // these the one closest in bearing that keeps to its side (truncation toward the
    // scanner when none does).
    QPoint point() const
    {
        const double x = radius * std::cos(bearing);
        const double y = radius * std::sin(bearing);
        QPoint best = truncated(x, y);
        double bestDeviation = std::numeric_limits<double>::infinity();
        for (double cx = std::floor(x) - 1; cx <= std::ceil(x) + 1; ++cx) {
            for (double cy = std::floor(y) - 1; cy <= std::ceil(y) + 1; ++cy) {
                if (std::hypot(cx, cy) > radius || (cx == 0.0 && cy == 0.0))
                    continue;
                const double deviation = bearingOf(cx, cy) - bearing;
                if (deviation * side < 0.0 || std::abs(deviation) >= bestDeviation)
                    continue;
                bestDeviation = std::abs(deviation);
                best = QPoint(static_cast<int>(cx), static_cast<int>(cy));
            }
        }
        return best;
    }
};

// The targets' points sorted and thinned as the drawing does: by single-precision
// bearing, one point per bearing (the nearer one), none on the scanner itself.
QVector<QPoint> pointsAsDrawn(QVector<Target> &targets)
{
    QVector<QPair<QPoint, Target>> made;
    for (const Target &t : targets) {
        const QPoint p = t.point();
        if (p != QPoint(0, 0))
            made.append({p, t});
    }
    std::stable_sort(made.begin(), made.end(), [](const auto &a, const auto &b) {
        return PolarOf(a.first).angle < PolarOf(b.first).angle;
    });
    QVector<QPoint> points;
    targets.clear();
    for (const auto &entry : made) {
        if (!points.isEmpty() && PolarOf(points.last()).angle == PolarOf(entry.first).angle) {
            if (std::hypot(double(entry.first.x()), double(entry.first.y()))
                < std::hypot(double(points.last().x()), double(points.last().y()))) {
                points.last() = entry.first;
                targets.last() = entry.second;
            }
            continue;
        }
        points.append(entry.first);
        targets.append(entry.second);
    }
    return points;
}

struct Crossing
{
    double reach = 0;
    int edge = -1;  // edge e joins polygon corners e and e + 1 (corner 0 and the last: the scanner)
};

Crossing farthestCrossing(const QVector<QPointF> &corners, double bearing)
{
    const double c = std::cos(bearing);
    const double s = std::sin(bearing);
    const auto cross = [c, s](double x, double y) { return x * s - y * c; };
    Crossing best;
    for (int e = 0; e + 1 < corners.size(); ++e) {
        const QPointF &p = corners[e];
        const QPointF &q = corners[e + 1];
        const double dx = q.x() - p.x();
        const double dy = q.y() - p.y();
        const double denominator = cross(dx, dy);
        const double offset = cross(p.x(), p.y());
        double reach = 0;
        if (std::abs(denominator) < 1e-12) {
            if (std::abs(offset) > 1e-9)
                continue;  // parallel beside the ray
            reach = std::max(p.x() * c + p.y() * s, q.x() * c + q.y() * s);
        } else {
            const double along = -offset / denominator;
            if (along < 0.0 || along > 1.0)
                continue;
            reach = (p.x() + along * dx) * c + (p.y() + along * dy) * s;
        }
        if (reach > best.reach)
            best = Crossing{reach, e};
    }
    return best;
}

QVector<QPointF> cornersOf(const QVector<QPoint> &vertices)
{
    QVector<QPointF> corners;
    corners.reserve(vertices.size() + 2);
    corners.append(QPointF(0, 0));
    for (const QPoint &v : vertices)
        corners.append(QPointF(v));
    corners.append(QPointF(0, 0));
    return corners;
}

// Whole-millimetre vertices, checked as drawn against every limit of the row; a
// vertex of an edge that reaches too far is pulled toward the scanner and the check
// runs again. Should that not settle, every vertex is brought inside the smallest
// limit of first..last, where no edge between them can pass beyond any (the end
// vertices keep the field from the bearings outside).
QVector<QPoint> wholeVertices(const Row &row, const QVector<RealVertex> &real, int first, int last)
{
    QVector<Target> targets;
    for (int i = 0; i < real.size(); ++i) {
        const int side = i == 0 ? 1 : i == real.size() - 1 ? -1 : 0;
        targets.append(Target{row.bearing(real[i].sample), real[i].radius, real.size() == 1 ? 0 : side});
    }
    const int count = row.limits.bearings.size();
    QVector<QPoint> vertices;
    for (int pass = 0; pass < CheckPasses; ++pass) {
        vertices = pointsAsDrawn(targets);
        const QVector<QPointF> corners = cornersOf(vertices);
        QVector<double> factor(vertices.size(), 1.0);
        bool within = true;
        for (int k = 0; k < count; ++k) {
            const double limit = row.limits.limits[k];
            if (limit < 0)
                continue;
            const Crossing crossing = farthestCrossing(corners, row.bearing(k));
            if (crossing.reach <= limit)
                continue;
            within = false;
            const double f = limit / crossing.reach * Shrink;
            for (int corner : {crossing.edge, crossing.edge + 1}) {
                if (corner >= 1 && corner <= vertices.size())
                    factor[corner - 1] = std::min(factor[corner - 1], f);
            }
        }
        if (within)
            return vertices;
        for (int i = 0; i < targets.size(); ++i)
            targets[i].radius *= factor[i];
    }
    double smallest = std::numeric_limits<double>::infinity();
    for (int k = first; k <= last; ++k)
        smallest = std::min(smallest, row.limits.limits[k]);
    for (Target &t : targets)
        t.radius = std::min(t.radius, smallest);
    return pointsAsDrawn(targets);
}

}  // namespace

FieldOutline simplifiedOutline(const BearingLimits &limits, int first, int last, double tolerance,
                               int maxVertices)
{
    const Row row{limits};
    QVector<RealVertex> chosen = greedyOutline(row, first, last, tolerance, maxVertices);
    double used = tolerance;
    if (chosen.size() > maxVertices) {
        // More tolerance never needs more room: find the least that fits.
        double low = tolerance;
        double high = 0;
        for (int k = first; k <= last; ++k)
            high = std::max(high, row.outer(k));
        QVector<RealVertex> fits = greedyOutline(row, first, last, high, maxVertices);
        if (fits.size() > maxVertices)
            return evenOutline(limits, first, last, maxVertices);
        for (int step = 0; step < ToleranceSteps && high - low > ToleranceResolution; ++step) {
            const double middle = 0.5 * (low + high);
            QVector<RealVertex> tried = greedyOutline(row, first, last, middle, maxVertices);
            if (tried.size() <= maxVertices) {
                high = middle;
                fits = tried;
            } else {
                low = middle;
            }
        }
        chosen = fits;
        used = high;
    }
    return FieldOutline{wholeVertices(row, chosen, first, last), used};
}

FieldOutline evenOutline(const BearingLimits &limits, int first, int last, int maxVertices)
{
    const Row row{limits};
    const int samples = last - first + 1;
    const int count = std::min(maxVertices, samples);
    QVector<RealVertex> vertices;
    for (int i = 0; i < count; ++i) {
        const int sample = count == 1 ? first
                                      : first + static_cast<int>(std::lround(double(i) * (samples - 1) / (count - 1)));
        vertices.append(RealVertex{sample, row.outer(sample)});
    }
    pullInside(row, vertices);
    return FieldOutline{wholeVertices(row, vertices, first, last), 0.0};
}

double outlineReach(const QVector<QPoint> &vertices, double bearing)
{
    return farthestCrossing(cornersOf(vertices), bearing).reach;
}

}  // namespace veltrix
