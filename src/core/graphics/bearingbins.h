#pragma once

#include <QPoint>
#include <QVector>
#include <QtGlobal>

#include <limits>
#include <vector>

namespace veltrix {

// Directions around the scanner in BearingBinCount equal steps of a pseudo bearing
// that grows with the true bearing (0 at +x, 1 at +y, 2 at -x, 3 at -y, 4 round
// again): cheaper than an arc tangent, and opposite directions lie exactly half the
// bins apart. Fields keep per bin how near a point may be and still surely lie inside
// and how far it may be and possibly lie inside, so that most points are decided by
// one comparison; sectors of BearingSectorBins bins do the same more coarsely.
constexpr int BearingBinCount = 2048;
constexpr int BearingSectorBins = 32;
constexpr int BearingSectorCount = BearingBinCount / BearingSectorBins;
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

    // Sorts the points into their bins, for searches by bearing: the points of bin b
    // are binPoints[binStart[b] .. binStart[b + 1]), and binNearest and sectorNearest
    // name the nearest point of each bin and sector (the first of equals; -1: none).
    void indexBins();

    QVector<QPoint> points;
    std::vector<double> radiusSquared;
    std::vector<quint16> bins;  // NoBearingBin for a point on the scanner or beyond reach
    std::vector<int> binStart;
    std::vector<int> binPoints;
    std::vector<int> binNearest;
    std::vector<int> sectorNearest;
};

// Geometry of one bin's wedge, for the bounds the fields keep.
namespace bearingbins {

constexpr double BinWidth = 4.0 / BearingBinCount;  // in pseudo bearing
constexpr float Unclassified = -1.0f;               // a squared bound no point is within

// Squared bounds of a distance, widened so that rounding never decides a point.
float innerBound(double radius);
float outerBound(double radius);

// Whether the pseudo-bearing interval [from, to] (to may pass 4) covers the whole
// wedge of a bin, and whether it touches it at all.
struct Cover
{
    bool whole = false;
    bool touched = false;
};
Cover coverOf(double from, double to, int bin);

// Whether the pseudo-bearing intervals together cover the wedge of a bin (sorts them).
bool coversBin(std::vector<std::pair<double, double>> &intervals, int bin);

// The nearest point of the line through a and b (the scanner on its left) seen from
// the scanner along the rays of a bin's wedge.
double nearestAlongWedge(double ax, double ay, double bx, double by, int bin);
// The farthest point of triangle (0, 0), a, b (counter-clockwise) within a bin's
// wedge; 0 when the triangle does not reach into it.
double farthestInWedge(double ax, double ay, double bx, double by, int bin);

// Where the rays of a bin's wedge leave the half-plane n.p <= c (c > 0: the scanner
// inside, n of unit length): at least `nearest`, at most `farthest` from the scanner
// (infinite when some ray never leaves it).
struct Exit
{
    double nearest;
    double farthest;
};
Exit exitAlongWedge(double nx, double ny, double c, int bin);

}  // namespace bearingbins

}  // namespace veltrix
