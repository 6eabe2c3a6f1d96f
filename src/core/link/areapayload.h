#pragma once

#include "core/areas/arearecord.h"

#include <QVector>

namespace veltrix {

// Layout of one area inside an "RArea" reply or a "WArea" request (both 1264 bytes).
constexpr int AreaIndexOffset = 5;
constexpr int AreaHeaderOffset = 6;          // openDelay, closeDelay, hysteresis, detectionSize
constexpr int FieldBlockOffset = 14;         // Out1 block; Out2 and Out3 follow
constexpr int FieldBlockLength = 16;         // shape, count, arc (3 words), values (3 words)
constexpr int VertexRegionOffset = 62;       // Out1 vertices; Out2 and Out3 follow
constexpr int VertexLength = 4;              // x, y as signed 16-bit
constexpr int MaxFieldVertices = 100;
constexpr int VertexRegionLength = MaxFieldVertices * VertexLength;
constexpr int MaxAreaIndex = 63;

// Bearing conversions of the wire, in single precision.
constexpr float RadiansToDegrees = 57.29578f;
constexpr float DegreesToRadians = 0.017453292f;

// Layout of the case data of all areas in "RCase" and "WCase".
constexpr int CaseOffset = 5;
constexpr int CaseRecordLength = 10;
constexpr int CaseAreaCount = 64;

// Whether a field of this shape carries its points in its vertex region.
inline bool carriesVertices(qint32 shape) { return shape == Polygon || shape == Rectangle; }

// The first field (0..2) of area whose vertices cannot fit the frame's 100-vertex
// region, or -1 when the whole area fits.
int oversizedField(const AreaRecord &area);

// A vertex coordinate or a single value travels as a signed 16-bit number (kept
// symmetric, so that the negated x of an inverted mounting fits as well), an arc
// radius as an unsigned one.
constexpr int MaxWireCoordinate = 32767;
constexpr int MaxWireRadius = 65535;

// The first field (0..2) of area holding a point that its frame could only carry
// wrapped around (so as a different point), or -1 when every point fits.
int outOfRangeField(const AreaRecord &area);

// Writes area with its index into frame (at least AreaFrameLength bytes, zeroed by the
// caller). With inverted set the points travel with x negated. Refuses an area that
// does not fit (see oversizedField and outOfRangeField) and then writes nothing;
// returns whether it wrote.
bool encodeArea(char *frame, const AreaRecord &area, int index, bool inverted);

// The area index byte of an area frame.
int areaIndexOf(const char *frame);

// Stores the area carried by frame into area (normally areas[areaIndexOf(frame)]):
// the four header words, the valid shapes and the point lists (x negated back when
// inverted). Returns false, changing nothing, when the index byte is above 63.
bool decodeArea(const char *frame, AreaRecord &area, bool inverted);

// The five case words of each of the 64 areas. areas must hold 64 records.
void encodeCase(char *frame, const QVector<AreaRecord> &areas);
void decodeCase(const char *frame, QVector<AreaRecord> &areas);

// The polygon vertices as they go on the wire: sorted by ascending bearing, a later
// point of the same bearing replacing an earlier one, x negated first when inverted.
QVector<QPoint> wireVertexOrder(const QVector<QPoint> &points, bool inverted);

// An arc point rebuilt from its wire form, with the toolkit's table-based sine and
// cosine, each coordinate truncated toward zero.
QPoint arcPointFromWire(int radius, int degrees);

}  // namespace veltrix
