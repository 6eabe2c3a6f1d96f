#include "core/link/areapayload.h"

#include "core/areas/polar.h"
#include "core/link/frames.h"

#include <QtMath>

#include <map>
#include <utility>

namespace veltrix {

namespace {

// Offsets inside one field block.
constexpr int ShapeWord = 0;
constexpr int CountWord = 2;
constexpr int ArcStartWord = 4;
constexpr int ArcEndWord = 6;
constexpr int ArcRadiusWord = 8;
constexpr int ValueWords = 10;  // Straight, Fan, Ratio slots follow each other

QPoint wirePoint(const QPoint &point, bool inverted)
{
    return inverted ? QPoint(-point.x(), point.y()) : point;
}

int truncatedDegrees(const Polar &polar)
{
    return static_cast<int>(polar.angle * RadiansToDegrees);
}

// An arc point rebuilt from its wire form lies a little inside its radius and, away
// from the axes, a little short of its bearing (both coordinates are truncated), so
// the plain truncation would send it back one millimetre smaller and turned by a
// degree: an arc read from a scanner would shrink and turn on every trip. A point that
// one of the neighbouring wire forms rebuilds exactly travels as that form instead.
struct ArcWire
{
    int radius = 0;
    int degrees = 0;
};

constexpr int RebuildRadiusSlack = 2;   // truncating x and y shortens by less than sqrt(2)
constexpr int RebuildDegreeSlack = 1;

bool rebuiltDegrees(const QPoint &point, int radius, int truncated, int &degrees)
{
    for (int d : {truncated, truncated + RebuildDegreeSlack, truncated - RebuildDegreeSlack}) {
        if (arcPointFromWire(radius, d) == point) {
            degrees = d;
            return true;
        }
    }
    return false;
}

// The wire form of an arc from its two points (already in wire coordinates). Both
// points share one radius: a radius that rebuilds both exactly is taken first (two
// neighbouring radii can rebuild one point alike, and only one of them the other),
// then one that rebuilds the first.
std::pair<ArcWire, ArcWire> arcWireForm(const QPoint &first, const QPoint &second)
{
    const Polar a = PolarOf(first);
    const Polar b = PolarOf(second);
    const int truncatedRadius = static_cast<int>(a.radius);
    ArcWire start{truncatedRadius, truncatedDegrees(a)};
    ArcWire end{truncatedRadius, truncatedDegrees(b)};
    for (const bool both : {true, false}) {
        for (int radius = truncatedRadius; radius <= truncatedRadius + RebuildRadiusSlack; ++radius) {
            int startDegrees = 0;
            int endDegrees = end.degrees;
            if (!rebuiltDegrees(first, radius, start.degrees, startDegrees))
                continue;
            const bool secondRebuilt = rebuiltDegrees(second, radius, end.degrees, endDegrees);
            if (both && !secondRebuilt)
                continue;
            return {ArcWire{radius, startDegrees}, ArcWire{radius, endDegrees}};
        }
    }
    return {start, end};
}

void encodeField(char *frame, int field, qint32 shape, const QVector<QPoint> &points, bool inverted)
{
    char *block = frame + FieldBlockOffset + field * FieldBlockLength;
    writeU16(block + ShapeWord, static_cast<quint32>(shape));
    if (carriesVertices(shape)) {
        // The count is that of the vertices written: points sharing a bearing leave one
        // (the shape drawn keeps one too), and a count of the whole list would make the
        // scanner read the empty slots as vertices at its own position.
        const QVector<QPoint> ordered = wireVertexOrder(points, inverted);
        writeU16(block + CountWord, static_cast<quint32>(ordered.size()));
        char *vertex = frame + VertexRegionOffset + field * VertexRegionLength;
        for (const QPoint &p : ordered) {
            writeU16(vertex, static_cast<quint32>(p.x()));
            writeU16(vertex + 2, static_cast<quint32>(p.y()));
            vertex += VertexLength;
        }
    } else if (shape == Arc) {
        // A short list (never produced by the editors) is sent as if padded with the origin.
        // Truncation keeps the order of bearings, so the smaller whole degree is the start.
        const auto wire = arcWireForm(wirePoint(points.value(0), inverted),
                                      wirePoint(points.value(1), inverted));
        writeU16(block + CountWord, 2);
        writeU16(block + ArcStartWord, static_cast<quint32>(qMin(wire.first.degrees, wire.second.degrees)));
        writeU16(block + ArcEndWord, static_cast<quint32>(qMax(wire.first.degrees, wire.second.degrees)));
        writeU16(block + ArcRadiusWord, static_cast<quint32>(wire.first.radius));
    } else if (isDependentShape(shape)) {
        const quint32 value = static_cast<quint32>(points.value(0).y());
        for (int slot = 0; slot < 3; ++slot)
            writeU16(block + ValueWords + 2 * slot, value);
    }
}

void decodeField(const char *frame, int field, AreaRecord &area, bool inverted)
{
    const char *block = frame + FieldBlockOffset + field * FieldBlockLength;
    const int shape = static_cast<quint8>(block[ShapeWord + 1]);
    if (shape > Ratio)
        return;  // unknown shape: the field keeps what it had
    area.setShape(field, shape);
    QVector<QPoint> &points = area.points(field);
    points.clear();
    if (carriesVertices(shape)) {
        const int count = readU16(block + CountWord);
        if (count > MaxFieldVertices)
            return;
        points.reserve(count);
        const char *vertex = frame + VertexRegionOffset + field * VertexRegionLength;
        for (int i = 0; i < count; ++i, vertex += VertexLength)
            points.append(wirePoint(QPoint(readS16(vertex), readS16(vertex + 2)), inverted));
    } else if (shape == Arc) {
        const int radius = readU16(block + ArcRadiusWord);
        points.append(wirePoint(arcPointFromWire(radius, readS16(block + ArcStartWord)), inverted));
        points.append(wirePoint(arcPointFromWire(radius, readS16(block + ArcEndWord)), inverted));
    } else {
        const int slot = shape - Straight;
        points.append(QPoint(0, readS16(block + ValueWords + 2 * slot)));
    }
}

}  // namespace

int oversizedField(const AreaRecord &area)
{
    for (int field = 0; field < FieldCount; ++field) {
        if (carriesVertices(area.shape(field)) && area.points(field).size() > MaxFieldVertices)
            return field;
    }
    return -1;
}

int outOfRangeField(const AreaRecord &area)
{
    const auto fits = [](int value) { return value >= -MaxWireCoordinate && value <= MaxWireCoordinate; };
    for (int field = 0; field < FieldCount; ++field) {
        const qint32 shape = area.shape(field);
        const QVector<QPoint> &points = area.points(field);
        bool inRange = true;
        if (carriesVertices(shape)) {
            for (const QPoint &p : points)
                inRange = inRange && fits(p.x()) && fits(p.y());
        } else if (shape == Arc) {
            // Only the bearings and the first point's radius travel.
            inRange = static_cast<qint64>(PolarOf(points.value(0)).radius) <= MaxWireRadius;
        } else if (isDependentShape(shape)) {
            inRange = fits(points.value(0).y());
        }
        if (!inRange)
            return field;
    }
    return -1;
}

QVector<QPoint> wireVertexOrder(const QVector<QPoint> &points, bool inverted)
{
    std::map<float, QPoint> byBearing;
    for (const QPoint &point : points) {
        const QPoint p = wirePoint(point, inverted);
        byBearing[PolarOf(p).angle] = p;
    }
    QVector<QPoint> ordered;
    ordered.reserve(static_cast<int>(byBearing.size()));
    for (const auto &entry : byBearing)
        ordered.append(entry.second);
    return ordered;
}

QPoint arcPointFromWire(int radius, int degrees)
{
    const float bearing = static_cast<float>(degrees) * DegreesToRadians;
    const float r = static_cast<float>(radius);
    return QPoint(static_cast<int>(r * static_cast<float>(qFastCos(bearing))),
                  static_cast<int>(r * static_cast<float>(qFastSin(bearing))));
}

bool encodeArea(char *frame, const AreaRecord &area, int index, bool inverted)
{
    if (oversizedField(area) >= 0 || outOfRangeField(area) >= 0)
        return false;
    frame[AreaIndexOffset] = static_cast<char>(index);
    for (int word = 0; word < 4; ++word)
        writeU16(frame + AreaHeaderOffset + 2 * word, static_cast<quint32>(area.number(word)));
    for (int field = 0; field < FieldCount; ++field)
        encodeField(frame, field, area.shape(field), area.points(field), inverted);
    return true;
}

int areaIndexOf(const char *frame)
{
    return static_cast<quint8>(frame[AreaIndexOffset]);
}

bool decodeArea(const char *frame, AreaRecord &area, bool inverted)
{
    if (areaIndexOf(frame) > MaxAreaIndex)
        return false;
    for (int word = 0; word < 4; ++word)
        area.setNumber(word, readS16(frame + AreaHeaderOffset + 2 * word));
    for (int field = 0; field < FieldCount; ++field)
        decodeField(frame, field, area, inverted);
    return true;
}

void encodeCase(char *frame, const QVector<AreaRecord> &areas)
{
    const int count = qMin(areas.size(), CaseAreaCount);
    for (int i = 0; i < count; ++i) {
        char *record = frame + CaseOffset + CaseRecordLength * i;
        const AreaRecord &area = areas.at(i);
        writeU16(record, static_cast<quint32>(area.steerMinDgree));
        writeU16(record + 2, static_cast<quint32>(area.steerMaxDgree));
        writeU16(record + 4, static_cast<quint32>(area.vehicleMinSpeed));
        writeU16(record + 6, static_cast<quint32>(area.vehicleMaxSpeed));
        writeU16(record + 8, static_cast<quint32>(area.vehicleOptionMode));
    }
}

void decodeCase(const char *frame, QVector<AreaRecord> &areas)
{
    const int count = qMin(areas.size(), CaseAreaCount);
    for (int i = 0; i < count; ++i) {
        const char *record = frame + CaseOffset + CaseRecordLength * i;
        AreaRecord &area = areas[i];
        area.steerMinDgree = readS16(record);
        area.steerMaxDgree = readS16(record + 2);
        area.vehicleMinSpeed = readS16(record + 4);
        area.vehicleMaxSpeed = readS16(record + 6);
        area.vehicleOptionMode = readS16(record + 8);
    }
}

}  // namespace veltrix
