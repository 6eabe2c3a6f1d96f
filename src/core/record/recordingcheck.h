#pragma once

#include "core/areas/arearecord.h"

#include <QString>
#include <QVector>

#include <array>
#include <functional>

namespace veltrix {

class RecordingReader;

// How the scans of a recording entered one output field. A scan enters a field when
// at least one of its measured points lies inside it (by the geometry the fields are
// drawn with). The worst moment is the scan whose entering point came nearest to the
// scanner, the deepest entry seen from the scanner; of equally near ones the first.
struct FieldCheck
{
    int scansEntered = 0;
    int firstScan = -1;        // -1: never entered
    quint32 firstTimeMs = 0;
    int worstScan = -1;
    quint32 worstTimeMs = 0;
    float worstDistance = 0;   // mm from the scanner, of the nearest entering point
    float worstAngle = 0;      // its bearing in degrees, -90..270
};

struct AreaCheck
{
    int area = 0;  // index in the configuration, 0..63
    std::array<FieldCheck, FieldCount> fields;
};

struct RecordingCheck
{
    QVector<AreaCheck> areas;  // every area with at least one point, in index order
    int scansChecked = 0;
};

enum class CheckOutcome { Complete, Cancelled, Failed };

// Told how many of the recording's scans are checked so far; returning false cancels.
using CheckProgress = std::function<bool(int scansChecked, int scanCount)>;

// Checks every area of `areas` that has points against every scan of the recording
// (rangeWidth, rangeHeight: the model's range square, which bounds a straight cut).
// Cancelled, the result holds the scans checked until then; Failed (a scan that
// cannot be read) says why in error.
CheckOutcome CheckRecording(RecordingReader &reader, const QVector<AreaRecord> &areas, double rangeWidth,
                            double rangeHeight, RecordingCheck &result, QString *error,
                            const CheckProgress &progress = CheckProgress());

}  // namespace veltrix
