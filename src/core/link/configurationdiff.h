#pragma once

#include "core/link/scannerconfiguration.h"

#include <QPoint>
#include <QVector>

namespace veltrix {

// One way in which two configurations differ as they travel to a scanner.
enum class DifferenceKind {
    Parameter,     // item: the parameter word, 0..21
    Switching,     // item: the area's number 0..8 (delays, hysteresis, detection size,
                   // steering and speed ranges, channel group; AreaRecord::number)
    Shape,         // field; the numbers are the shape types. Its points are not compared.
    Vertex,        // field; item: the vertex's place in bearing order (0-based) on the
                   // document's side, or on the scanner's when the document has none there
    ArcPoint,      // field; item: 0 the arc's start, 1 its end
    FieldValue,    // field: the distance of a straight, fan or ratio field
    CannotTravel,  // field: the sides that cannot travel it are present, with its point
                   // count as number; the area's fields are not compared
};

// One side of a difference. A side without the item (a vertex the other side has in
// addition) is not present.
struct DifferenceValue
{
    bool present = false;
    qint64 number = 0;  // Parameter, Switching, Shape, FieldValue, CannotTravel
    QPoint point;       // Vertex, ArcPoint

    friend bool operator==(const DifferenceValue &a, const DifferenceValue &b)
    {
        return a.present == b.present && a.number == b.number && a.point == b.point;
    }
};

struct ConfigurationDifference
{
    DifferenceKind kind = DifferenceKind::Parameter;
    int area = -1;   // 0..63; -1 for a parameter word
    int field = -1;  // 0..2 for the kinds of a field
    int item = -1;
    DifferenceValue document;
    DifferenceValue scanner;
};

// Every difference between a document's configuration and a scanner's, as the two
// travel: each is first taken through the link's own frame builders and decoders, so
// that a polygon's vertices in another order, a number beyond the 16 bits that
// travel, or two arcs that travel as the same radius and whole degrees are no
// difference.
// Parameter words come first, then each area in turn: its switching numbers, then its
// fields. Polygon and rectangle vertices are matched in bearing order, so one added or
// moved vertex is one difference, not a shift of every vertex after it. Empty when the
// two travel identically (then their configuration checksums are equal too).
QVector<ConfigurationDifference> compareConfigurations(const ScannerConfiguration &document,
                                                       const ScannerConfiguration &scanner);

}  // namespace veltrix
