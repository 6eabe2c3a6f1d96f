#pragma once

#include "core/link/scannerconfiguration.h"

#include <QByteArray>

#include <optional>

namespace veltrix {

// A configuration as it travels to a scanner, built with the link's own frame
// builders: what a write-all sends, and what a scanner that stored it would report.
// Both the configuration checksum and the comparison of two configurations stand on
// this, so that they see exactly what the wire carries: only the low 16 bits of a
// number, polygon vertices in bearing order, an arc as whole degrees and a radius, one
// value for a straight, fan or ratio field.

// Areas travel with x negated when the parameter block says the scanner is mounted
// upside down.
bool travelsInverted(const ScannerConfiguration &configuration);

// The payloads (the bytes between the mnemonic and the frame checksum) of the
// parameter write (words 0..21), of the case data of all 64 areas, and of the area
// write of area `index` (0..63). An area that no frame can carry (a field with more
// than 100 vertices, a point beyond the wire's range) has none.
QByteArray parameterPayload(const SensorParameters &parameters);
QByteArray casePayload(const QVector<AreaRecord> &areas);
std::optional<QByteArray> areaPayload(const AreaRecord &area, int index, bool inverted);

// The case record of area `index` inside casePayload.
QByteArray caseRecordOf(const QByteArray &casePayload, int index);

// The first field of a configuration that cannot travel, in area and field order.
struct FieldLocation
{
    int area = -1;
    int field = -1;
};
std::optional<FieldLocation> fieldThatCannotTravel(const ScannerConfiguration &configuration);

// What the scanner holds after the configuration has travelled: the parameter words
// 0..21 (the read-only words 22..25 are 0), every area's four switching numbers and
// fields as its frame carries them back, and the case words. An area that cannot
// travel keeps its fields as they were; `travelled` says which did.
struct TravelledConfiguration
{
    ScannerConfiguration configuration;
    std::array<bool, AreaCount> travelled{};
};
TravelledConfiguration afterTravel(const ScannerConfiguration &configuration);

}  // namespace veltrix
