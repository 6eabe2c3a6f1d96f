#include "../emulator/randomareas.h"

#include "core/graphics/fieldentry.h"
#include "core/graphics/fieldshapes.h"
#include "core/graphics/scanpoints.h"
#include "core/link/payloads.h"

#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(veltrix::AreaRecord)

namespace {

constexpr double Range = 12000.0;  // model 05's range square
const QColor Background(0, 0, 0);
const QColor Fill(0, 255, 0);

enum class Seen { Inside, Outside, Outline };

// What the drawing of one field shows at an area point: a small patch around the point
// painted at 4 pixels per mm, its centre pixel read.
Seen seenAt(const FieldDrawing &drawing, const QPointF &point)
{
    QImage image(9, 9, QImage::Format_RGB32);
    image.fill(Background);
    QPainter painter(&image);
    painter.translate(4.5, 4.5);
    painter.scale(4.0, 4.0);
    painter.translate(-point.x(), point.y());  // the scene draws area (x, y) at (x, -y)
    PaintFieldDrawing(&painter, drawing, Fill);
    painter.end();
    const QColor seen = image.pixelColor(4, 4);
    if (seen == Fill)
        return Seen::Inside;
    return seen == Background ? Seen::Outside : Seen::Outline;
}

QPoint onBearing(double degrees, double radius)
{
    const double r = qDegreesToRadians(degrees);
    return QPoint(qRound(radius * std::cos(r)), qRound(radius * std::sin(r)));
}

AreaRecord fields(qint32 shape1, const QVector<QPoint> &points1, qint32 shape2 = Polygon,
                  const QVector<QPoint> &points2 = {}, qint32 shape3 = Polygon,
                  const QVector<QPoint> &points3 = {})
{
    AreaRecord area;
    area.out1Shape = shape1;
    area.out1Points = points1;
    area.out2Shape = shape2;
    area.out2Points = points2;
    area.out3Shape = shape3;
    area.out3Points = points3;
    return area;
}

const QVector<QPoint> Pentagon = {QPoint(-1500, 3000), QPoint(2500, 1000), QPoint(-2000, 500),
                                  QPoint(1500, -800), QPoint(1000, 3500)};  // any order
const QVector<QPoint> Box = {QPoint(-3000, 0), QPoint(3000, 0), QPoint(3000, 4000), QPoint(-3000, 4000)};
// Reaches past the range square on the right and round behind the scanner.
const QVector<QPoint> Wide = {QPoint(9000, -500), QPoint(9000, 2500), QPoint(0, 5000),
                              QPoint(-3000, 0), QPoint(-100, -3000), QPoint(100, -3000)};

// The point a fraction t along a to b, moved by `offset` mm to the left of a -> b.
QPoint beside(const QPoint &a, const QPoint &b, double t, double offset)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length = std::hypot(dx, dy);
    return QPoint(qRound(a.x() + t * dx - offset * dy / length), qRound(a.y() + t * dy + offset * dx / length));
}

}  // namespace

class TestFieldEntry : public QObject
{
    Q_OBJECT

private slots:
    void pointsNearEveryEdgeAreClassifiedAsDrawn_data();
    void pointsNearEveryEdgeAreClassifiedAsDrawn();
    void randomAreasAgreeWithTheirPictures();
    void theBearingSearchFindsTheNearestPointInside();
    void mountingDecidesWhetherASampleEnters();
    void nestedFieldsCountAndDrawEachPointOnce();
};

void TestFieldEntry::pointsNearEveryEdgeAreClassifiedAsDrawn_data()
{
    QTest::addColumn<AreaRecord>("area");
    QTest::addColumn<int>("field");
    QTest::addColumn<QPoint>("probe");
    QTest::addColumn<bool>("inside");

    // Points 4 mm either side of an edge: beyond the 1 mm outline and, on arcs, beyond
    // the curve's own deviation from the circle.
    const double d = 4;
    const AreaRecord pentagon = fields(Polygon, Pentagon);
    const QPoint right(2500, 1000), top(1000, 3500), low(1500, -800);
    QTest::newRow("polygon far edge, inside") << pentagon << 0 << beside(right, top, 0.5, d) << true;
    QTest::newRow("polygon far edge, outside") << pentagon << 0 << beside(right, top, 0.5, -d) << false;
    QTest::newRow("polygon edge from the scanner, inside") << pentagon << 0 << beside({0, 0}, low, 0.5, d) << true;
    QTest::newRow("polygon edge from the scanner, outside") << pentagon << 0 << beside({0, 0}, low, 0.5, -d) << false;

    // Two points more than half a turn apart: the polygon runs round the far side.
    const AreaRecord crossing = fields(Polygon, {onBearing(10, 2000), onBearing(200, 2000)});
    QTest::newRow("polygon beyond half a turn, behind") << crossing << 0 << onBearing(285, 100) << true;
    QTest::newRow("polygon beyond half a turn, ahead") << crossing << 0 << onBearing(100, 300) << false;

    // A rectangle is swept from the scanner like a polygon.
    const AreaRecord rectangle = fields(Rectangle, {QPoint(-1000, 1000), QPoint(1000, 1000),
                                                    QPoint(1000, 2500), QPoint(-1000, 2500)});
    QTest::newRow("rectangle, swept part before it") << rectangle << 0 << QPoint(0, 500) << true;
    QTest::newRow("rectangle side, inside") << rectangle << 0 << QPoint(996, 1800) << true;
    QTest::newRow("rectangle side, outside") << rectangle << 0 << QPoint(1004, 1800) << false;

    const AreaRecord arc = fields(Arc, {QPoint(2000, 0), onBearing(120, 1500)});
    QTest::newRow("arc rim, inside (larger radius)") << arc << 0 << onBearing(60, 1994) << true;
    QTest::newRow("arc rim, outside") << arc << 0 << onBearing(60, 2006) << false;
    QTest::newRow("arc first side, inside") << arc << 0 << QPoint(1000, 4) << true;
    QTest::newRow("arc first side, outside") << arc << 0 << QPoint(1000, -4) << false;
    QTest::newRow("arc last side, inside") << arc << 0 << beside({0, 0}, onBearing(120, 2000), 0.5, -d) << true;
    QTest::newRow("arc last side, outside") << arc << 0 << beside({0, 0}, onBearing(120, 2000), 0.5, d) << false;
    const AreaRecord wideArc = fields(Arc, {onBearing(-30, 3000), onBearing(200, 3000)});
    QTest::newRow("arc over half a turn, ahead") << wideArc << 0 << onBearing(90, 2990) << true;
    QTest::newRow("arc over half a turn, behind") << wideArc << 0 << onBearing(250, 1000) << false;

    const AreaRecord straight = fields(Polygon, Wide, Straight, {QPoint(0, 2000)});
    QTest::newRow("straight below its line") << straight << 1 << QPoint(0, 1996) << true;
    QTest::newRow("straight above its line") << straight << 1 << QPoint(0, 2004) << false;
    QTest::newRow("straight within the range square") << straight << 1 << QPoint(5996, 900) << true;
    QTest::newRow("straight beyond the range square") << straight << 1 << QPoint(6004, 900) << false;
    const AreaRecord straightBehind = fields(Polygon, Wide, Straight, {QPoint(0, -500)});
    QTest::newRow("straight behind the scanner, below") << straightBehind << 1 << QPoint(-300, -504) << true;
    QTest::newRow("straight behind the scanner, above") << straightBehind << 1 << QPoint(-300, -496) << false;
    const AreaRecord straightOnArc = fields(Arc, {QPoint(3000, 0), QPoint(-3000, 0)}, Straight, {QPoint(0, 1000)});
    QTest::newRow("straight cut of an arc") << straightOnArc << 1 << QPoint(2000, 996) << true;
    QTest::newRow("straight cut of an arc, above") << straightOnArc << 1 << QPoint(2000, 1004) << false;

    const AreaRecord fan = fields(Polygon, Box, Polygon, Wide, Fan, {QPoint(0, 1500)});
    QTest::newRow("fan rim, inside") << fan << 2 << QPoint(0, 1495) << true;
    QTest::newRow("fan rim, outside") << fan << 2 << QPoint(0, 1505) << false;
    QTest::newRow("fan side behind, inside") << fan << 2 << QPoint(-1000, -995) << true;
    QTest::newRow("fan side behind, outside") << fan << 2 << QPoint(-1000, -1005) << false;
    const AreaRecord mirroredFan = fields(Polygon, Box, Polygon, Wide, Fan, {QPoint(0, -1500)});
    QTest::newRow("negative fan, behind") << mirroredFan << 2 << QPoint(300, -1000) << true;
    QTest::newRow("negative fan, ahead") << mirroredFan << 2 << QPoint(0, 1000) << false;

    // Box is 4000 mm high: a ratio of 1000 draws it at a quarter, toward the scanner.
    const AreaRecord ratio = fields(Polygon, Box, Ratio, {QPoint(0, 1000)}, Straight, {QPoint(0, 2000)});
    QTest::newRow("ratio top, inside") << ratio << 1 << QPoint(0, 996) << true;
    QTest::newRow("ratio top, outside") << ratio << 1 << QPoint(0, 1004) << false;
    QTest::newRow("ratio side, inside") << ratio << 1 << QPoint(746, 500) << true;
    QTest::newRow("ratio side, outside") << ratio << 1 << QPoint(754, 500) << false;
    QTest::newRow("ratio hands on the unscaled field") << ratio << 2 << QPoint(2000, 1996) << true;
    QTest::newRow("ratio hands on the unscaled field, cut") << ratio << 2 << QPoint(2000, 2004) << false;
    const AreaRecord negativeRatio = fields(Polygon, Box, Ratio, {QPoint(0, -1000)});
    QTest::newRow("negative ratio, mirrored") << negativeRatio << 1 << QPoint(0, -996) << true;
    QTest::newRow("negative ratio, not ahead") << negativeRatio << 1 << QPoint(0, 996) << false;
    const AreaRecord largeRatio = fields(Polygon, Box, Ratio, {QPoint(0, 5000)});
    QTest::newRow("ratio never enlarges") << largeRatio << 1 << QPoint(0, 3996) << true;

    QTest::newRow("dependent shape as Out1 draws nothing")
        << fields(Straight, {QPoint(0, 2000)}) << 0 << QPoint(0, 100) << false;
    QTest::newRow("field after an arc without two points draws nothing")
        << fields(Arc, {QPoint(2000, 0)}, Straight, {QPoint(0, 2000)}) << 1 << QPoint(100, 100) << false;
}

void TestFieldEntry::pointsNearEveryEdgeAreClassifiedAsDrawn()
{
    QFETCH(AreaRecord, area);
    QFETCH(int, field);
    QFETCH(QPoint, probe);
    QFETCH(bool, inside);

    const AreaDrawing drawing = BuildAreaDrawing(area, Range, Range);
    const Seen seen = seenAt(drawing[static_cast<size_t>(field)], probe);
    QVERIFY2(seen != Seen::Outline, "the probe lies on the drawn outline");
    QCOMPARE(seen == Seen::Inside, inside);  // the probe lies where the case says

    const FieldRegions regions(area, Range, Range);
    QCOMPARE(regions.contains(field, probe), inside);
    const FieldEntry entry = FindFieldEntries(area, Range, Range, {QPoint(0, 0), probe});
    QCOMPARE(entry.fields[static_cast<size_t>(field)].count, inside ? 1 : 0);
}

// Random areas of every shape (derived ones included) painted whole, without their
// outline, at 20 mm per pixel: every sampled pixel away from an edge must agree, by
// the single-point test, by the test of a whole scan, and the search for the nearest
// point inside must find the nearest of those the picture shows inside.
void TestFieldEntry::randomAreasAgreeWithTheirPictures()
{
    QRandomGenerator random(20260522);
    constexpr int Side = 600;
    constexpr double MmPerPixel = Range / Side;
    int insideSeen = 0, outsideSeen = 0;
    for (int a = 0; a < 30; ++a) {
        const AreaRecord area = randomareas::area(random, 5500);
        const AreaDrawing drawing = BuildAreaDrawing(area, Range, Range);
        const FieldRegions regions(area, Range, Range);
        for (int field = 0; field < FieldCount; ++field) {
            FieldDrawing fill = drawing[static_cast<size_t>(field)];
            fill.outlined = false;
            QImage image(Side, Side, QImage::Format_RGB32);
            image.fill(Background);
            QPainter painter(&image);
            painter.scale(1.0 / MmPerPixel, 1.0 / MmPerPixel);
            painter.translate(Range / 2, Range / 2);
            PaintFieldDrawing(&painter, fill, Fill);
            QTransform toPixels = painter.transform();
            painter.end();
            // Sampled around the field, where both sides show.
            const QRect around = toPixels.scale(fill.scaleFactor, fill.scaleFactor)
                                     .mapRect(fill.path.boundingRect()).toAlignedRect()
                                     .adjusted(-3, -3, 3, 3) & QRect(1, 1, Side - 2, Side - 2);
            QVector<QPoint> samples;
            QVector<bool> drawn;
            for (int n = 0; n < 300 && !around.isEmpty(); ++n) {
                const int px = around.left() + int(random.bounded(around.width()));
                const int py = around.top() + int(random.bounded(around.height()));
                const QColor seen = image.pixelColor(px, py);
                bool uniform = true;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        uniform = uniform && image.pixelColor(px + dx, py + dy) == seen;
                if (!uniform)
                    continue;
                samples.append(QPoint(qRound((px + 0.5) * MmPerPixel - Range / 2),
                                      qRound(Range / 2 - (py + 0.5) * MmPerPixel)));
                drawn.append(seen == Fill);
            }
            BinnedScan scan(samples);
            scan.indexBins();
            int nearest = -1;
            for (int i = 0; i < samples.size(); ++i) {
                const QString where = QStringLiteral("area %1 Out%2 shape %3 at (%4, %5): drawn %6")
                                          .arg(a).arg(field + 1).arg(area.shape(field))
                                          .arg(samples[i].x()).arg(samples[i].y()).arg(drawn[i]);
                QVERIFY2(regions.contains(field, samples[i]) == drawn[i], qPrintable(where));
                QVERIFY2(bool(regions.fieldsAt(scan, i) & (1u << field)) == drawn[i], qPrintable(where));
                (drawn[i] ? insideSeen : outsideSeen)++;
                if (drawn[i] && (nearest < 0 || scan.radiusSquared[size_t(i)] < scan.radiusSquared[size_t(nearest)]))
                    nearest = i;
            }
            QCOMPARE(regions.nearestInside(field, scan), nearest);
        }
    }
    // The sample must have met both sides in good number to mean anything.
    QVERIFY(insideSeen > 2000);
    QVERIFY(outsideSeen > 2000);
}

// Dense scans of surroundings that wander through the fields: the search by bearing
// must find the same nearest point inside as testing every point.
void TestFieldEntry::theBearingSearchFindsTheNearestPointInside()
{
    QRandomGenerator random(77);
    int found = 0, none = 0;
    for (int a = 0; a < 40; ++a) {
        const AreaRecord area = randomareas::area(random, 5500);
        const FieldRegions regions(area, Range, Range);
        for (int n = 0; n < 4; ++n) {
            QVector<QPoint> points;
            const double base = 300 + random.bounded(5000), swing = random.bounded(3000);
            const double waves = 1 + random.bounded(20), phase = random.bounded(6.28);
            for (int k = 0; k < 2700; ++k) {
                const double degrees = -45.0 + 0.1 * (k + 1);
                const double r = qMax(0.0, base + swing * std::sin(waves * qDegreesToRadians(degrees) + phase));
                points.append(onBearing(degrees, r));
            }
            BinnedScan scan(points);
            scan.indexBins();
            for (int field = 0; field < FieldCount; ++field) {
                int nearest = -1;
                for (int i = 0; i < points.size(); ++i) {
                    if ((regions.fieldsAt(scan, i) & (1u << field))
                        && (nearest < 0 || scan.radiusSquared[size_t(i)] < scan.radiusSquared[size_t(nearest)]))
                        nearest = i;
                }
                QCOMPARE(regions.nearestInside(field, scan), nearest);
                (nearest >= 0 ? found : none)++;
            }
        }
    }
    QVERIFY(found > 100);
    QVERIFY(none > 100);
}

// An arc whose first side runs a quarter of a degree right of straight ahead: sample
// 270 of a forward-mounted scanner lies inside, the same sample of an inverted one
// half a degree further right, outside. Both as the drawing shows them.
void TestFieldEntry::mountingDecidesWhetherASampleEnters()
{
    const AreaRecord area = fields(Arc, {QPoint(35, 8000), QPoint(-8000, 0)});
    const AreaDrawing drawing = BuildAreaDrawing(area, Range, Range);
    QVector<quint16> values(ScanValueCount, 0);
    values[270] = 1000;
    for (const bool inverted : {false, true}) {
        const QVector<QPoint> points = SerialScanAreaPoints(values, inverted);
        const FieldEntry entry = FindFieldEntries(area, Range, Range, points);
        const Seen seen = seenAt(drawing[0], points.at(270));
        QCOMPARE(seen, inverted ? Seen::Outside : Seen::Inside);
        QCOMPARE(entry.fields[0].count, inverted ? 0 : 1);
        if (!inverted) {
            QCOMPARE(entry.fields[0].nearest, 270);
            QCOMPARE(qRound(entry.fields[0].distance), 999);
            QCOMPARE(qRound(entry.fields[0].angle), 90);
        }
    }
}

// Out1 inside Out2 inside Out3, and a scan through all three rings and beyond: each
// field counts every point inside it, the drawing takes each point once, in the first
// field it lies in, and the nearest point is reported with its bearing.
void TestFieldEntry::nestedFieldsCountAndDrawEachPointOnce()
{
    const AreaRecord area = fields(Arc, {QPoint(1000, 0), QPoint(-1000, 0)},
                                   Arc, {QPoint(2000, 0), QPoint(-2000, 0)},
                                   Arc, {QPoint(3000, 0), QPoint(-3000, 0)});
    const QVector<QPoint> scan = {onBearing(40, 2500), onBearing(45, 1500), onBearing(50, 800),
                                  onBearing(55, 2900), onBearing(60, 3500), QPoint(0, 0),
                                  onBearing(-20, 500), onBearing(130, 1900)};
    const FieldEntry entry = FindFieldEntries(area, Range, Range, scan);
    QCOMPARE(entry.fields[0].count, 1);
    QCOMPARE(entry.fields[1].count, 3);
    QCOMPARE(entry.fields[2].count, 5);
    QCOMPARE(entry.drawn[0], QVector<QPoint>({onBearing(50, 800)}));
    QCOMPARE(entry.drawn[1], QVector<QPoint>({onBearing(45, 1500), onBearing(130, 1900)}));
    QCOMPARE(entry.drawn[2], QVector<QPoint>({onBearing(40, 2500), onBearing(55, 2900)}));
    for (const FieldHits &hits : entry.fields) {
        QCOMPARE(hits.nearest, 2);
        QCOMPARE(qRound(hits.distance), 800);
        QCOMPARE(qRound(hits.angle), 50);
    }
    const FieldEntry none = FindFieldEntries(area, Range, Range, {onBearing(-60, 500), QPoint(0, 0)});
    for (const FieldHits &hits : none.fields) {
        QCOMPARE(hits.count, 0);
        QCOMPARE(hits.nearest, -1);
    }
}

QTEST_MAIN(TestFieldEntry)
#include "tst_fieldentry.moc"
