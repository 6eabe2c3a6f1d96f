#include "core/record/recordingcheck.h"

#include "core/areas/fieldediting.h"
#include "core/areas/polar.h"
#include "core/graphics/fieldregions.h"
#include "core/record/recordingreader.h"

#include <vector>

namespace veltrix {

namespace {

constexpr int ProgressEveryScans = 16;

bool hasPoints(const AreaRecord &area)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (!area.points(field).isEmpty())
            return true;
    }
    return false;
}

}  // namespace

CheckOutcome CheckRecording(RecordingReader &reader, const QVector<AreaRecord> &areas, double rangeWidth,
                            double rangeHeight, RecordingCheck &result, QString *error,
                            const CheckProgress &progress)
{
    result = RecordingCheck();
    std::vector<FieldRegions> regions;
    double reach = 0;
    for (int i = 0; i < areas.size(); ++i) {
        if (!hasPoints(areas.at(i)))
            continue;
        regions.emplace_back(areas.at(i), rangeWidth, rangeHeight);
        reach = qMax(reach, regions.back().reach());
        AreaCheck check;
        check.area = i;
        result.areas.append(check);
    }
    std::vector<std::array<double, FieldCount>> worst2(regions.size());
    const int scanCount = reader.scanCount();
    RecordedScan scan;
    for (int s = 0; s < scanCount; ++s) {
        if (progress && s % ProgressEveryScans == 0 && !progress(s, scanCount))
            return CheckOutcome::Cancelled;
        if (!reader.readScan(s, scan, error))
            return CheckOutcome::Failed;
        BinnedScan binned(ScanAreaPoints(scan), reach);
        binned.indexBins();
        for (size_t a = 0; a < regions.size(); ++a) {
            AreaCheck &check = result.areas[static_cast<int>(a)];
            for (int field = 0; field < FieldCount; ++field) {
                const int nearest = regions[a].nearestInside(field, binned);
                if (nearest < 0)
                    continue;
                const size_t f = static_cast<size_t>(field);
                const double r2 = binned.radiusSquared[static_cast<size_t>(nearest)];
                FieldCheck &entered = check.fields[f];
                if (entered.scansEntered++ == 0) {
                    entered.firstScan = s;
                    entered.firstTimeMs = scan.timeMs;
                }
                if (entered.worstScan < 0 || r2 < worst2[a][f]) {
                    const Polar polar = PolarOf(binned.points.at(nearest));
                    entered.worstScan = s;
                    entered.worstTimeMs = scan.timeMs;
                    entered.worstDistance = polar.radius;
                    entered.worstAngle = polar.angle * DegreesPerRadian;
                    worst2[a][f] = r2;
                }
            }
        }
        result.scansChecked = s + 1;
    }
    if (progress)
        progress(scanCount, scanCount);
    return CheckOutcome::Complete;
}

}  // namespace veltrix
