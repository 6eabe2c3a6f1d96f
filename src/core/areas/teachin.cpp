#include "core/areas/teachin.h"

#include "core/areas/fieldoutline.h"
#include "core/link/areapayload.h"

#include <QtMath>

#include <algorithm>
#include <cmath>
#include <limits>

namespace veltrix {

namespace {

// Where the view draws the samples of a scan: 270 degrees from straight behind on the
// right (-45) counter-clockwise to straight behind on the left (225). A serial sample
// i lies at 225 - 0.5 i degrees, half a degree less when the scanner is mounted upside
// down; Ethernet points follow the same rule with their own step.
constexpr double ScanStartDegrees = -45.0;
constexpr double ScanSpanDegrees = 270.0;
constexpr double SerialStepDegrees = 0.5;

// The samples of a scan in ascending bearing from the link's store, which holds them
// in descending bearing: the sample nearest -45 degrees is the last one stored.
QVector<quint16> ascending(const QVector<quint16> &descending)
{
    QVector<quint16> values(descending.size());
    std::reverse_copy(descending.cbegin(), descending.cend(), values.begin());
    return values;
}

// Per bearing of the first scan with samples: the combined valid distance of all scans
// at that bearing (NaN where none of them measured one).
struct Contour
{
    double firstBearing = 0;  // degrees
    double step = 0;
    QVector<double> distances;
};

Contour combine(const QVector<TeachScan> &scans, TeachMethod method)
{
    Contour contour;
    const auto reference = std::find_if(scans.cbegin(), scans.cend(), [](const TeachScan &s) {
        return !s.distances.isEmpty() && s.bearingStep > 0.0;
    });
    if (reference == scans.cend())
        return contour;
    contour.firstBearing = reference->firstBearing;
    contour.step = reference->bearingStep;
    const int count = reference->distances.size();
    QVector<double> sum(count, 0.0);
    QVector<int> valid(count, 0);
    QVector<double> least(count, std::numeric_limits<double>::infinity());
    for (const TeachScan &scan : scans) {
        if (scan.distances.isEmpty() || scan.bearingStep <= 0.0)
            continue;
        const bool sameLayout = scan.firstBearing == contour.firstBearing
            && scan.bearingStep == contour.step && scan.distances.size() == count;
        for (int k = 0; k < count; ++k) {
            // A scan of another resolution contributes its sample nearest in bearing.
            const qint64 index = sameLayout
                ? k
                : std::llround((contour.firstBearing + k * contour.step - scan.firstBearing) / scan.bearingStep);
            if (index < 0 || index >= scan.distances.size())
                continue;
            const quint16 d = scan.distances[static_cast<int>(index)];
            if (d == 0)
                continue;
            sum[k] += d;
            ++valid[k];
            least[k] = std::min(least[k], double(d));
        }
    }
    contour.distances.resize(count);
    for (int k = 0; k < count; ++k) {
        if (valid[k] == 0)
            contour.distances[k] = std::numeric_limits<double>::quiet_NaN();
        else
            contour.distances[k] = method == TeachMethod::Minimum ? least[k] : sum[k] / valid[k];
    }
    return contour;
}

// A rectangle in area coordinates.
struct Box
{
    double left, right, bottom, top;

    bool contains(double x, double y) const
    {
        return x >= left && x <= right && y >= bottom && y <= top;
    }

    // Where a ray from the scanner along (c, s) leaves the box; 0 where it misses it.
    double exit(double c, double s) const
    {
        double near = 0.0;
        double far = std::numeric_limits<double>::infinity();
        const auto slab = [&near, &far](double direction, double low, double high) {
            if (std::abs(direction) < 1e-12)
                return low <= 0.0 && high >= 0.0;
            double t1 = low / direction;
            double t2 = high / direction;
            if (t1 > t2)
                std::swap(t1, t2);
            near = std::max(near, t1);
            far = std::min(far, t2);
            return near <= far;
        };
        if (!slab(c, left, right) || !slab(s, bottom, top))
            return 0.0;
        return far;
    }
};

Box boxOf(const TeachRegion &region)
{
    return Box{double(region.x), double(region.x) + region.width, double(region.y),
               double(region.y) + region.height};
}

// The part of the region the field may fill: what a frame can carry, too.
Box fillableBox(const TeachRegion &region)
{
    const double wire = MaxWireCoordinate;
    const Box box = boxOf(region);
    return Box{std::max(box.left, -wire), std::min(box.right, wire), std::max(box.bottom, -wire),
               std::min(box.top, wire)};
}

}  // namespace

TeachScan teachScanFromSerial(const QVector<quint16> &scanDistances, bool invertedMount)
{
    TeachScan scan;
    scan.bearingStep = SerialStepDegrees;
    scan.firstBearing = ScanStartDegrees + (invertedMount ? 0.0 : SerialStepDegrees);
    scan.distances = ascending(scanDistances);
    return scan;
}

TeachScan teachScanFromCloud(const QVector<qint32> &cloudX, const QVector<qint32> &cloudY, int count,
                             bool invertedMount)
{
    TeachScan scan;
    count = std::max(0, std::min({count, int(cloudX.size()), int(cloudY.size())}));
    if (count == 0)
        return scan;
    scan.bearingStep = ScanSpanDegrees / count;
    scan.firstBearing = ScanStartDegrees + (invertedMount ? 0.0 : scan.bearingStep);
    QVector<quint16> stored(count);
    for (int i = 0; i < count; ++i) {
        const double d = std::hypot(double(cloudX[i]), double(cloudY[i]));
        stored[i] = static_cast<quint16>(std::min(d, double(std::numeric_limits<quint16>::max())));
    }
    // Upright, the scanner sends its points from -45 degrees on; upside down from 225.
    scan.distances = invertedMount ? ascending(stored) : stored;
    return scan;
}

TeachRegion wholeRangeRegion(int rangeLimit)
{
    return TeachRegion{-rangeLimit, -rangeLimit, 2 * rangeLimit, 2 * rangeLimit};
}

TeachResult TeachIn::teach(const QVector<TeachScan> &scans, const TeachSettings &settings)
{
    TeachResult result;
    const Contour contour = combine(scans, settings.method);
    const int count = contour.distances.size();
    if (count == 0)
        return result;

    // Every bearing gets its point: the combined distance less the offset, cut back to
    // where its ray leaves the region and to the range. The field spans the bearings
    // whose ray enters the region far enough to be drawn.
    const Box region = boxOf(settings.region);
    const Box fillable = fillableBox(settings.region);
    BearingLimits limits;
    limits.bearings.resize(count);
    limits.limits.resize(count);
    QVector<double> regionReach(count);
    bool pointInRegion = false;
    int first = -1;
    int last = -1;
    for (int k = 0; k < count; ++k) {
        const double bearing = qDegreesToRadians(contour.firstBearing + k * contour.step);
        const double c = std::cos(bearing);
        const double s = std::sin(bearing);
        regionReach[k] = std::min(fillable.exit(c, s), double(settings.rangeLimit));
        double limit = regionReach[k];
        const double measured = contour.distances[k];
        if (!std::isnan(measured)) {
            const double pulled = measured - settings.offset;
            limit = std::max(0.0, std::min(limit, pulled));
            pointInRegion = pointInRegion || (pulled > 0.0 && region.contains(pulled * c, pulled * s));
        }
        limits.bearings[k] = bearing;
        limits.limits[k] = limit;
        if (regionReach[k] >= MinimumReach) {
            if (first < 0)
                first = k;
            last = k;
        }
    }
    if (!pointInRegion || first < 0) {
        result.outcome = TeachOutcome::NoPointInRegion;
        return result;
    }
    // Named where it comes closest: the region's edge first, as moving it is the cure.
    int blocked = -1;
    for (int k = first; k <= last; ++k) {
        if (limits.limits[k] >= MinimumReach)
            continue;
        const bool byRegion = regionReach[k] < MinimumReach;
        if (blocked < 0 || (byRegion && regionReach[blocked] >= MinimumReach)
            || (byRegion == (regionReach[blocked] < MinimumReach) && limits.limits[k] < limits.limits[blocked]))
            blocked = k;
    }
    if (blocked >= 0) {
        result.outcome = regionReach[blocked] < MinimumReach ? TeachOutcome::RegionAtScanner
                                                             : TeachOutcome::ObstacleAtScanner;
        result.bearing = contour.firstBearing + blocked * contour.step;
        return result;
    }

    const FieldOutline outline = settings.simplify
        ? simplifiedOutline(limits, first, last, settings.offset, MaxVertices)
        : evenOutline(limits, first, last, MaxVertices);
    result.outcome = TeachOutcome::Taught;
    result.points = outline.vertices;
    result.tolerance = outline.tolerance;
    return result;
}

QString TeachIn::refusalText(const TeachResult &result)
{
    switch (result.outcome) {
    case TeachOutcome::Taught:
        return QString();
    case TeachOutcome::NoScan:
        return tr("没有收到扫描数据，区域未改变。");
    case TeachOutcome::NoPointInRegion:
        return tr("所选范围内没有测量点，区域未改变。");
    case TeachOutcome::ObstacleAtScanner:
        return tr("在 %1° 方向上，距离传感器不到偏移距离处有物体，区域无法绕开它。"
                  "请移开物体或减小偏移距离，区域未改变。")
            .arg(result.bearing, 0, 'f', 1);
    case TeachOutcome::RegionAtScanner:
        return tr("在 %1° 方向上，所选范围的边缘离传感器不到 %2 mm，区域无法经过那里。"
                  "请调整范围，区域未改变。")
            .arg(result.bearing, 0, 'f', 1)
            .arg(MinimumReach, 0, 'f', 0);
    }
    return QString();
}

}  // namespace veltrix
