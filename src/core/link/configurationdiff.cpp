#include "core/link/configurationdiff.h"

#include "core/link/areapayload.h"
#include "core/link/configurationtravel.h"

#include <algorithm>
#include <vector>

namespace veltrix {

namespace {

constexpr int SwitchingNumberCount = 9;  // AreaRecord numbers 0..8; 9..11 are the shapes

DifferenceValue numberValue(qint64 number)
{
    DifferenceValue value;
    value.present = true;
    value.number = number;
    return value;
}

DifferenceValue pointValue(const QPoint &point)
{
    DifferenceValue value;
    value.present = true;
    value.point = point;
    return value;
}

class Comparison
{
public:
    explicit Comparison(QVector<ConfigurationDifference> &out) : m_out(out) {}

    void add(DifferenceKind kind, int area, int field, int item, const DifferenceValue &document,
             const DifferenceValue &scanner)
    {
        m_out.append(ConfigurationDifference{kind, area, field, item, document, scanner});
    }

    // Vertices in bearing order, matched by their longest common run: what is left
    // between two matched vertices pairs up as moved vertices, the rest are vertices
    // that only one side has.
    void vertices(int area, int field, const QVector<QPoint> &document, const QVector<QPoint> &scanner)
    {
        const int n = document.size();
        const int m = scanner.size();
        const int width = m + 1;
        std::vector<int> common(static_cast<size_t>((n + 1) * width), 0);
        const auto at = [&common, width](int i, int j) -> int & {
            return common[static_cast<size_t>(i * width + j)];
        };
        for (int i = n - 1; i >= 0; --i) {
            for (int j = m - 1; j >= 0; --j)
                at(i, j) = document[i] == scanner[j] ? at(i + 1, j + 1) + 1
                                                     : std::max(at(i + 1, j), at(i, j + 1));
        }
        QVector<int> onlyDocument;
        QVector<int> onlyScanner;
        const auto flush = [&]() {
            const int pairs = std::max(onlyDocument.size(), onlyScanner.size());
            for (int k = 0; k < pairs; ++k) {
                const bool inDocument = k < onlyDocument.size();
                const bool inScanner = k < onlyScanner.size();
                add(DifferenceKind::Vertex, area, field,
                    inDocument ? onlyDocument[k] : onlyScanner[k],
                    inDocument ? pointValue(document[onlyDocument[k]]) : DifferenceValue(),
                    inScanner ? pointValue(scanner[onlyScanner[k]]) : DifferenceValue());
            }
            onlyDocument.clear();
            onlyScanner.clear();
        };
        int i = 0;
        int j = 0;
        while (i < n || j < m) {
            if (i < n && j < m && document[i] == scanner[j]) {
                flush();
                ++i;
                ++j;
            } else if (j >= m || (i < n && at(i + 1, j) >= at(i, j + 1))) {
                onlyDocument.append(i++);
            } else {
                onlyScanner.append(j++);
            }
        }
        flush();
    }

    void field(int area, int field, const AreaRecord &document, const AreaRecord &scanner)
    {
        const qint32 shape = document.shape(field);
        if (shape != scanner.shape(field)) {
            add(DifferenceKind::Shape, area, field, -1, numberValue(shape),
                numberValue(scanner.shape(field)));
            return;
        }
        const QVector<QPoint> &a = document.points(field);
        const QVector<QPoint> &b = scanner.points(field);
        if (carriesVertices(shape)) {
            vertices(area, field, a, b);
        } else if (shape == Arc) {
            for (int k = 0; k < 2; ++k) {
                if (a.value(k) != b.value(k))
                    add(DifferenceKind::ArcPoint, area, field, k, pointValue(a.value(k)),
                        pointValue(b.value(k)));
            }
        } else if (isDependentShape(shape) && a.value(0).y() != b.value(0).y()) {
            add(DifferenceKind::FieldValue, area, field, -1, numberValue(a.value(0).y()),
                numberValue(b.value(0).y()));
        }
    }

private:
    QVector<ConfigurationDifference> &m_out;
};

// The field of `area` that keeps it from travelling, or -1.
int stuckField(const AreaRecord &area)
{
    const int oversized = oversizedField(area);
    const int outOfRange = outOfRangeField(area);
    if (oversized < 0)
        return outOfRange;
    return outOfRange < 0 ? oversized : std::min(oversized, outOfRange);
}

DifferenceValue stuckValue(const AreaRecord &area, int field)
{
    return stuckField(area) == field ? numberValue(area.points(field).size()) : DifferenceValue();
}

}  // namespace

QVector<ConfigurationDifference> compareConfigurations(const ScannerConfiguration &document,
                                                       const ScannerConfiguration &scanner)
{
    QVector<ConfigurationDifference> differences;
    Comparison comparison(differences);
    const TravelledConfiguration a = afterTravel(document);
    const TravelledConfiguration b = afterTravel(scanner);

    for (int word = 0; word < WrittenParameterCount; ++word) {
        const quint32 x = a.configuration.parameters[word];
        const quint32 y = b.configuration.parameters[word];
        if (x != y)
            comparison.add(DifferenceKind::Parameter, -1, -1, word, numberValue(x), numberValue(y));
    }

    for (int area = 0; area < AreaCount; ++area) {
        const AreaRecord &x = a.configuration.areas.at(area);
        const AreaRecord &y = b.configuration.areas.at(area);
        for (int number = 0; number < SwitchingNumberCount; ++number) {
            if (x.number(number) != y.number(number))
                comparison.add(DifferenceKind::Switching, area, -1, number,
                               numberValue(x.number(number)), numberValue(y.number(number)));
        }
        const size_t slot = static_cast<size_t>(area);
        if (!a.travelled[slot] || !b.travelled[slot]) {
            for (int field = 0; field < FieldCount; ++field) {
                const DifferenceValue stuckA = stuckValue(x, field);
                const DifferenceValue stuckB = stuckValue(y, field);
                if (stuckA.present || stuckB.present)
                    comparison.add(DifferenceKind::CannotTravel, area, field, -1, stuckA, stuckB);
            }
            continue;
        }
        for (int field = 0; field < FieldCount; ++field)
            comparison.field(area, field, x, y);
    }
    return differences;
}

}  // namespace veltrix
