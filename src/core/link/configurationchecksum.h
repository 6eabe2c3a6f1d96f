#pragma once

#include "core/link/scannerconfiguration.h"

#include <QString>

#include <optional>

namespace veltrix {

// The configuration checksum: one CRC-32 (zlib, IEEE 802.3) over a configuration
// exactly as a write-all sends it, so that two configurations have the same checksum
// exactly when they travel alike (a polygon's vertices in another order, or a number
// beyond the 16 bits that travel, make no difference) and an engineer can compare a
// scanner with an acceptance record at a glance. It runs over the payloads (the bytes
// between mnemonic and frame checksum) of the parameter write (words 0..21), of the
// case data and of the 64 area writes, in that order.
//
// A configuration that cannot travel (a field with more than 100 vertices, a point
// beyond the wire's range: see fieldThatCannotTravel) has no checksum: the result is
// empty, never a number that no scanner could ever match.
std::optional<quint32> configurationChecksum(const ScannerConfiguration &configuration);

// The checksum of one area (0..63), for the area list: the payload of its area write
// (which carries its index, so the same fields in two areas differ) followed by its
// case record, the ten bytes of the case data that belong to it. Empty when the area
// cannot travel.
std::optional<quint32> areaChecksum(const ScannerConfiguration &configuration, int areaIndex);

// How a checksum is shown: eight upper-case hexadecimal digits ("CBF43926").
QString checksumText(quint32 checksum);

}  // namespace veltrix
