#include "core/graphics/fieldentry.h"

#include <QtMath>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::AreaRecord)

namespace {

constexpr double Range = 12000.0;
constexpr int CloudPoints = 30000;

// A polygon of `count` vertices over the field of view, its radius wobbling around
// `radius`.
QVector<QPoint> Outline(int count, double radius, double wobble)
{
    QVector<QPoint> points;
    for (int i = 0; i < count; ++i) {
        const double angle = qDegreesToRadians(-45.0 + 270.0 * i / (count - 1));
        const double r = radius * (1.0 + wobble * std::sin(7.0 * angle));
        points << QPoint(qRound(r * std::cos(angle)), qRound(r * std::sin(angle)));
    }
    return points;
}

// Two clouds' worth of points over the field of view, at distances from `near` to
// `far` that wander with the bearing.
QVector<QPoint> Scan(double near, double far)
{
    QVector<QPoint> points;
    for (int copy = 0; copy < 2; ++copy) {
        for (int i = 0; i < CloudPoints; ++i) {
            const double angle = qDegreesToRadians(-45.0 + 270.0 * (i + 0.5 * copy) / CloudPoints);
            const double r = near + (far - near) * (0.5 + 0.5 * std::sin(11.0 * angle + copy));
            points << QPoint(qRound(r * std::cos(angle)), qRound(r * std::sin(angle)));
        }
    }
    return points;
}

AreaRecord ThreeFields(qint32 thirdShape)
{
    AreaRecord area;
    area.out1Points = Outline(100, 2000, 0.2);
    area.out2Points = Outline(100, 3500, 0.2);
    area.out3Shape = thirdShape;
    area.out3Points = thirdShape == Polygon ? Outline(100, 5000, 0.15) : QVector<QPoint>{QPoint(0, 3000)};
    return area;
}

}  // namespace

// Field entry of one scan of 2 x 30000 points against the three fields of an area;
// the goal is 2 ms per scan.
class BenchFieldEntry : public QObject
{
    Q_OBJECT

private slots:
    void scan_data();
    void scan();
};

void BenchFieldEntry::scan_data()
{
    QTest::addColumn<AreaRecord>("area");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<bool>("prepared");
    const AreaRecord polygons = ThreeFields(Polygon);
    const AreaRecord fan = ThreeFields(Fan);
    const QVector<QPoint> through = Scan(1000, 6000);  // a wall running through all three fields
    const QVector<QPoint> beyond = Scan(6500, 9000);   // surroundings clear of the fields
    QTest::newRow("polygons, scan through the fields") << polygons << through << false;
    QTest::newRow("polygons, scan through, fields prepared") << polygons << through << true;
    QTest::newRow("polygon and fan, scan through the fields") << fan << through << false;
    QTest::newRow("polygons, scan beyond the fields") << polygons << beyond << false;
}

void BenchFieldEntry::scan()
{
    QFETCH(AreaRecord, area);
    QFETCH(QVector<QPoint>, points);
    QFETCH(bool, prepared);
    int entered = 0;
    if (prepared) {
        const FieldRegions regions(area, Range, Range);
        const BinnedScan scan(points);
        QBENCHMARK {
            entered = FindFieldEntries(regions, scan).fields[2].count;
        }
    } else {
        QBENCHMARK {
            entered = FindFieldEntries(area, Range, Range, points).fields[2].count;
        }
    }
    QVERIFY(entered >= 0);
}


QTEST_GUILESS_MAIN(BenchFieldEntry)
#include "bench_fieldentry.moc"
