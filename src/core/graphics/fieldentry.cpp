#include "core/graphics/fieldentry.h"

#include "core/areas/fieldediting.h"
#include "core/areas/polar.h"

namespace veltrix {

FieldEntry FindFieldEntries(const AreaRecord &area, double rangeWidth, double rangeHeight,
                            const QVector<QPoint> &areaPoints)
{
    const FieldRegions regions(area, rangeWidth, rangeHeight);
    return FindFieldEntries(regions, BinnedScan(areaPoints, regions.reach()));
}

FieldEntry FindFieldEntries(const FieldRegions &regions, const BinnedScan &scan)
{
    FieldEntry entry;
    const double reach = regions.reach();
    const double reach2 = reach * reach;
    std::array<double, FieldCount> nearest2{};
    const int count = scan.points.size();
    for (int i = 0; i < count; ++i) {
        const double r2 = scan.radiusSquared[static_cast<size_t>(i)];
        if (r2 > reach2)
            continue;
        const unsigned fields = regions.fieldsAt(scan, i);
        if (fields == 0)
            continue;
        for (int field = 0; field < FieldCount; ++field) {
            if (!(fields & (1u << field)))
                continue;
            FieldHits &hits = entry.fields[static_cast<size_t>(field)];
            if (hits.count == 0 || r2 < nearest2[static_cast<size_t>(field)]) {
                hits.nearest = i;
                nearest2[static_cast<size_t>(field)] = r2;
            }
            ++hits.count;
        }
        const int first = (fields & 1u) ? 0 : (fields & 2u) ? 1 : 2;
        entry.drawn[static_cast<size_t>(first)].append(scan.points.at(i));
    }
    for (FieldHits &hits : entry.fields) {
        if (hits.nearest < 0)
            continue;
        const Polar polar = PolarOf(scan.points.at(hits.nearest));
        hits.distance = polar.radius;
        hits.angle = polar.angle * DegreesPerRadian;
    }
    return entry;
}

}  // namespace veltrix
