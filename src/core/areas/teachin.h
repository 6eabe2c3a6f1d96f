#pragma once

#include <QCoreApplication>
#include <QPoint>
#include <QString>
#include <QVector>

namespace veltrix {

// One scan as teaching uses it: distances in mm at evenly spaced bearings, sample k at
// firstBearing + k * bearingStep degrees (area angles: counter-clockwise from +x,
// ascending). A distance of 0 is a beam without echo.
struct TeachScan
{
    double firstBearing = 0;
    double bearingStep = 0;
    QVector<quint16> distances;
};

// A serial scan as the link stores it (540 distances, the first received last unless
// the scanner is mounted upside down), at the bearings where the view draws them.
TeachScan teachScanFromSerial(const QVector<quint16> &scanDistances, bool invertedMount);

// An Ethernet scan as the link stores it: the first `count` points in scene
// coordinates (x, -y), evenly spread over the scanner's 270 degrees. Each distance is
// taken from its stored point, whose coordinates were truncated, so it is at most a
// millimetre or two short: teaching errs toward the scanner.
TeachScan teachScanFromCloud(const QVector<qint32> &cloudX, const QVector<qint32> &cloudY, int count,
                             bool invertedMount);

enum class TeachMethod { Average, Minimum };

// A rectangle in the area's coordinates (mm): x and y of the corner with the smallest
// coordinates, width and height.
struct TeachRegion
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The region covering a model's whole range, the page's default.
TeachRegion wholeRangeRegion(int rangeLimit);

struct TeachSettings
{
    TeachRegion region;
    TeachMethod method = TeachMethod::Average;
    int offset = 100;        // mm the field keeps inside the measured contour
    bool simplify = true;
    int rangeLimit = 6000;   // the model's range, mm
};

// A field is drawn swept from the scanner, so between its first and last bearing it
// must reach some way out at every bearing; where something, or the region's edge,
// comes closer to the scanner than that, no field can keep clear of it.
enum class TeachOutcome {
    Taught,
    NoScan,             // no scan, or scans without a single sample
    NoPointInRegion,    // no measured point (less the offset) lies in the region
    ObstacleAtScanner,  // something lies within the offset of the scanner
    RegionAtScanner,    // the region's edge passes right by the scanner
};

struct TeachResult
{
    TeachOutcome outcome = TeachOutcome::NoScan;
    QVector<QPoint> points;  // the field's polygon, ascending bearing, at most 100
    double tolerance = 0;    // simplified: how far inside the contour it may lie, mm
    double bearing = 0;      // degrees: where an obstacle or the region's edge is in the way
};

// Teaching an output field its polygon from the live outline.
class TeachIn
{
    Q_DECLARE_TR_FUNCTIONS(veltrix::TeachIn)

public:
    static constexpr int MaxVertices = 100;
    // A field must reach this far at every bearing it covers; closer than that the
    // scanner's own position is in the way of its polygon.
    static constexpr double MinimumReach = 50.0;

    // Per bearing the valid distances of all scans are combined (their mean or their
    // minimum) and pulled toward the scanner by the offset; that point is kept where
    // it lies in the region, and clipped to the region (where the bearing's ray leaves
    // it), to the model's range and to what a frame can carry. The field spans the
    // bearings whose ray enters the region and never reaches beyond those points.
    // Simplified, it has as few vertices as keep every point within the offset inside
    // (never outside); otherwise vertices spread evenly over the bearings, up to 100.
    // Refused when no measured point lies in the region.
    static TeachResult teach(const QVector<TeachScan> &scans, const TeachSettings &settings);

    // The message for a refused teach-in, in the current language; empty when taught.
    static QString refusalText(const TeachResult &result);
};

}  // namespace veltrix
