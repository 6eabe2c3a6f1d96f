#include "core/app/language.h"
#include "core/areas/teachin.h"
#include "core/graphics/fieldshapes.h"
#include "core/link/areapayload.h"

#include <QPainterPath>
#include <QtMath>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace veltrix;

Q_DECLARE_METATYPE(TeachMethod)
Q_DECLARE_METATYPE(TeachOutcome)

namespace {

constexpr int Range = 24000;  // model 20
constexpr int ScanCount = 30;
constexpr int CloudPoints = 2700;

// A room seen by the scanner at the origin: four walls, a round pillar, and perhaps a
// round object that crosses the room along y = objectY while the scans are taken.
struct Room
{
    double left = -3000, right = 4000, back = -2500, front = 5000;
    QPointF pillar{1500, 2500};
    double pillarRadius = 300;
    double objectRadius = 0;
    double objectY = 3000, objectFromX = -2000, objectToX = 2000;
    QPointF nearObject;  // a small object close to the scanner, when not null

    static double hitCircle(double c, double s, const QPointF &centre, double radius)
    {
        const double along = c * centre.x() + s * centre.y();
        const double across2 = QPointF::dotProduct(centre, centre) - along * along;
        if (along <= 0 || across2 > radius * radius)
            return std::numeric_limits<double>::infinity();
        return along - std::sqrt(radius * radius - across2);
    }

    // The distance a beam at `degrees` (area angle) measures during scan `scan`.
    quint16 distance(double degrees, int scan) const
    {
        const double c = std::cos(qDegreesToRadians(degrees));
        const double s = std::sin(qDegreesToRadians(degrees));
        double t = std::numeric_limits<double>::infinity();
        if (c > 1e-12) t = std::min(t, right / c);
        if (c < -1e-12) t = std::min(t, left / c);
        if (s > 1e-12) t = std::min(t, front / s);
        if (s < -1e-12) t = std::min(t, back / s);
        t = std::min(t, hitCircle(c, s, pillar, pillarRadius));
        if (objectRadius > 0) {
            const double x = objectFromX + (objectToX - objectFromX) * scan / (ScanCount - 1);
            t = std::min(t, hitCircle(c, s, QPointF(x, objectY), objectRadius));
        }
        if (!nearObject.isNull())
            t = std::min(t, hitCircle(c, s, nearObject, 40));
        return quint16(std::min(std::lround(t), long(Range)));
    }
};

// Scans as the link stores them, with what the scanner reported per bearing (degrees
// ascending) for checking.
struct Recording
{
    QVector<TeachScan> scans;
    QVector<double> bearings;
    QVector<QVector<quint16>> reported;  // [bearing][scan]
};

// Serial: 540 values, stored in descending bearing (225 - 0.5 i, half a degree less
// upside down). Ethernet: 2700 points in scene coordinates from -45 + 0.1 (i + 1)
// degrees upright, from 225 - 0.1 (i + 1) upside down.
Recording record(const Room &room, bool ethernet, bool inverted)
{
    Recording r;
    const int samples = ethernet ? CloudPoints : 540;
    const double step = 270.0 / samples;
    for (int k = 0; k < samples; ++k)
        r.bearings.append(-45.0 + step * (k + (inverted ? 0 : 1)));
    r.reported.resize(samples);
    for (int scan = 0; scan < ScanCount; ++scan) {
        QVector<quint16> serial(samples);
        QVector<qint32> x(samples), y(samples);
        for (int k = 0; k < samples; ++k) {
            const quint16 d = room.distance(r.bearings[k], scan);
            r.reported[k].append(d);
            const int slot = ethernet && !inverted ? k : samples - 1 - k;
            const double b = qDegreesToRadians(r.bearings[k]);
            serial[slot] = d;
            x[slot] = qint32(d * std::cos(b));
            y[slot] = qint32(-d * std::sin(b));
        }
        r.scans.append(ethernet ? teachScanFromCloud(x, y, samples, inverted)
                                : teachScanFromSerial(serial, inverted));
    }
    return r;
}

double combined(const QVector<quint16> &values, TeachMethod method)
{
    double sum = 0;
    double least = std::numeric_limits<double>::infinity();
    for (quint16 v : values) {
        sum += v;
        least = std::min(least, double(v));
    }
    return method == TeachMethod::Minimum ? least : sum / values.size();
}

// The field as the program draws it (scene coordinates: y up the screen is -y).
QPainterPath drawn(const TeachResult &result)
{
    return BuildFieldDrawing(0, Polygon, result.points, QPainterPath(), 2 * Range, 2 * Range).path;
}

bool inside(const QPainterPath &path, double degrees, double radius)
{
    const double b = qDegreesToRadians(degrees);
    return path.contains(QPointF(radius * std::cos(b), -radius * std::sin(b)));
}

// At every bearing the scanner measured, the drawn field stops at the combined
// distance less the offset; returns how many bearings it follows to within `band`
// inside that.
int checkAgainstContour(const TeachResult &result, const Recording &rec, TeachMethod method,
                        int offset, double band)
{
    const QPainterPath path = drawn(result);
    int followed = 0;
    for (int k = 0; k < rec.bearings.size(); ++k) {
        const double limit = combined(rec.reported[k], method) - offset;
        if (inside(path, rec.bearings[k], limit + 0.5)) {
            qWarning("beyond the contour at %.2f degrees (limit %.1f mm)", rec.bearings[k], limit);
            return -1;
        }
        followed += inside(path, rec.bearings[k], limit - band) ? 1 : 0;
    }
    return followed;
}

}  // namespace

class TestTeachIn : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_languages.setLanguage(QString::fromLatin1(LanguageSwitch::English)); }
    void scanBearingsAsDrawn_data();
    void scanBearingsAsDrawn();
    void teachRoom_data();
    void teachRoom();
    void averageAndMinimumWithMovingObject();
    void regionClipsField();
    void openSpaceFieldFitsAFrame();
    void refusals_data();
    void refusals();

private:
    LanguageSwitch m_languages;
};

// The sample the link stored at `slot` lands at the bearing where the view draws it.
void TestTeachIn::scanBearingsAsDrawn_data()
{
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<int>("slot");
    QTest::addColumn<double>("degrees");
    QTest::newRow("serial, straight ahead") << false << false << 270 << 90.0;
    QTest::newRow("serial, first stored") << false << false << 0 << 225.0;
    QTest::newRow("serial, last stored") << false << false << 539 << -44.5;
    QTest::newRow("serial upside down, first stored") << false << true << 0 << 224.5;
    QTest::newRow("Ethernet, first point") << true << false << 0 << -44.9;
    QTest::newRow("Ethernet upside down, first point") << true << true << 0 << 224.9;
    QTest::newRow("Ethernet upside down, last point") << true << true << 2699 << -45.0;
}

void TestTeachIn::scanBearingsAsDrawn()
{
    QFETCH(bool, ethernet);
    QFETCH(bool, inverted);
    QFETCH(int, slot);
    QFETCH(double, degrees);
    const int samples = ethernet ? CloudPoints : 540;
    QVector<quint16> serial(samples, 0);
    QVector<qint32> x(samples, 0), y(samples, 0);
    serial[slot] = 1234;
    x[slot] = 1234;  // the distance is all that is read from a stored point
    const TeachScan scan = ethernet ? teachScanFromCloud(x, y, samples, inverted)
                                    : teachScanFromSerial(serial, inverted);
    QCOMPARE(scan.distances.size(), samples);
    const int k = int(scan.distances.indexOf(1234));
    QVERIFY(k >= 0);
    QVERIFY(qAbs(scan.firstBearing + k * scan.bearingStep - degrees) < 1e-6);
}

void TestTeachIn::teachRoom_data()
{
    QTest::addColumn<bool>("ethernet");
    QTest::addColumn<bool>("inverted");
    QTest::addColumn<TeachMethod>("method");
    QTest::addColumn<bool>("simplify");
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("vertices");  // at most, simplified
    QTest::newRow("serial, average, simplified") << false << false << TeachMethod::Average << true << 100 << 20;
    QTest::newRow("Ethernet upside down, minimum, simplified") << true << true << TeachMethod::Minimum << true << 150 << 20;
    QTest::newRow("Ethernet, average, evenly spread") << true << false << TeachMethod::Average << false << 100 << 100;
    QTest::newRow("serial, minimum, evenly spread") << false << false << TeachMethod::Minimum << false << 300 << 100;
    // No offset leaves no tolerance: as close as 100 vertices can follow.
    QTest::newRow("Ethernet, no offset, simplified") << true << false << TeachMethod::Average << true << 0 << 100;
}

// A still room (walls and a pillar): the field never reaches past the contour less
// the offset at any measured bearing, has at most 100 vertices, and follows the room:
// simplified, within its tolerance at nearly every bearing, with far fewer vertices.
void TestTeachIn::teachRoom()
{
    QFETCH(bool, ethernet);
    QFETCH(bool, inverted);
    QFETCH(TeachMethod, method);
    QFETCH(bool, simplify);
    QFETCH(int, offset);
    QFETCH(int, vertices);
    const Recording rec = record(Room(), ethernet, inverted);
    TeachSettings settings;
    settings.region = wholeRangeRegion(Range);
    settings.rangeLimit = Range;
    settings.method = method;
    settings.offset = offset;
    settings.simplify = simplify;
    const TeachResult result = TeachIn::teach(rec.scans, settings);
    QCOMPARE(result.outcome, TeachOutcome::Taught);
    QVERIFY(result.points.size() <= TeachIn::MaxVertices);
    QVERIFY(TeachIn::refusalText(result).isEmpty());

    if (simplify) {
        QVERIFY2(result.points.size() <= vertices, qPrintable(QString::number(result.points.size())));
        QVERIFY(result.tolerance >= offset);
        QVERIFY(result.tolerance > 0);
        // A few millimetres more for whole-millimetre vertices and points, which count
        // for more along a bearing that meets a wall or the pillar at a slant.
        const int followed = checkAgainstContour(result, rec, method, offset, result.tolerance + 10.0);
        QVERIFY(followed >= 0);
        QVERIFY2(followed >= rec.bearings.size() * 99 / 100, qPrintable(QString::number(followed)));
    } else {
        QCOMPARE(result.points.size(), TeachIn::MaxVertices);
        // Between vertices 2.7 degrees apart the edges cut corners and pass the pillar:
        // most bearings are still followed closely.
        const int followed = checkAgainstContour(result, rec, method, offset, 50.0);
        QVERIFY(followed >= 0);
        QVERIFY2(followed >= rec.bearings.size() * 8 / 10, qPrintable(QString::number(followed)));
    }
}

// An object crossing the room in front of the far wall during the recording: the
// minimum keeps the field clear of everywhere it was, the average only of where it
// stood long.
void TestTeachIn::averageAndMinimumWithMovingObject()
{
    Room room;
    room.objectRadius = 200;
    const Recording rec = record(room, true, false);
    TeachSettings settings;
    settings.region = wholeRangeRegion(Range);
    settings.rangeLimit = Range;
    settings.method = TeachMethod::Minimum;
    const TeachResult minimum = TeachIn::teach(rec.scans, settings);
    settings.method = TeachMethod::Average;
    const TeachResult average = TeachIn::teach(rec.scans, settings);
    QCOMPARE(minimum.outcome, TeachOutcome::Taught);
    QCOMPARE(average.outcome, TeachOutcome::Taught);
    QVERIFY(checkAgainstContour(minimum, rec, TeachMethod::Minimum, 100, 0) >= 0);
    QVERIFY(checkAgainstContour(average, rec, TeachMethod::Average, 100, 0) >= 0);
    // Ahead the object passed about 2.9 m out, at each bearing in a few of the 30 scans;
    // the far wall is 5 m out.
    for (int k = 0; k < rec.bearings.size(); k += 100) {
        const double nearest = combined(rec.reported[k], TeachMethod::Minimum);
        if (rec.bearings[k] < 60 || rec.bearings[k] > 120)
            continue;
        QVERIFY(nearest < 3100);
        QVERIFY(!inside(drawn(minimum), rec.bearings[k], nearest - 100 + 1));
        QVERIFY(inside(drawn(average), rec.bearings[k], nearest + 500));
    }
}

// A region around the pillar: the field stays inside it and still clear of the pillar.
void TestTeachIn::regionClipsField()
{
    const Recording rec = record(Room(), false, false);
    TeachSettings settings;
    settings.region = TeachRegion{-1000, -1000, 3500, 4500};  // x -1000..2500, y -1000..3500
    settings.rangeLimit = Range;
    const TeachResult result = TeachIn::teach(rec.scans, settings);
    QCOMPARE(result.outcome, TeachOutcome::Taught);
    const QRect region(-1000, -1000, 3501, 4501);
    for (const QPoint &p : result.points)
        QVERIFY2(region.contains(p), qPrintable(QStringLiteral("(%1, %2)").arg(p.x()).arg(p.y())));
    QVERIFY(checkAgainstContour(result, rec, TeachMethod::Average, 100, 0) >= 0);
    // The region's far corner toward the pillar is reached, the pillar's face is not passed.
    QVERIFY(inside(drawn(result), 0.0, 2300));
    const double toPillar = qRadiansToDegrees(std::atan2(2500.0, 1500.0));
    QVERIFY(!inside(drawn(result), toPillar, std::hypot(1500.0, 2500.0) - 300 - 100 + 1));
}

// Nothing within a model 50's 60 m: the field reaches as far as an area frame can
// carry a point, so that it can be written.
void TestTeachIn::openSpaceFieldFitsAFrame()
{
    constexpr int FarRange = 60000;
    const QVector<TeachScan> scans(ScanCount, teachScanFromSerial(QVector<quint16>(540, FarRange), false));
    TeachSettings settings;
    settings.region = wholeRangeRegion(FarRange);
    settings.rangeLimit = FarRange;
    const TeachResult result = TeachIn::teach(scans, settings);
    QCOMPARE(result.outcome, TeachOutcome::Taught);
    AreaRecord area;
    area.out1Points = result.points;
    QCOMPARE(outOfRangeField(area), -1);
    QCOMPARE(oversizedField(area), -1);
    QVERIFY(inside(drawn(result), 45.0, 32767 * std::sqrt(2.0) - 200));
}

void TestTeachIn::refusals_data()
{
    QTest::addColumn<int>("scans");
    QTest::addColumn<bool>("silent");
    QTest::addColumn<QRect>("region");
    QTest::addColumn<QPointF>("nearObject");
    QTest::addColumn<TeachOutcome>("outcome");
    QTest::addColumn<QString>("message");
    QTest::addColumn<double>("bearing");  // where it is in the way
    const QRect whole(-Range, -Range, 2 * Range, 2 * Range);
    QTest::newRow("no scan arrived") << 0 << false << whole << QPointF() << TeachOutcome::NoScan
                                     << "No scan data arrived; the field was not changed." << 0.0;
    QTest::newRow("no echo at all") << ScanCount << true << whole << QPointF() << TeachOutcome::NoPointInRegion
                                    << "No measured point lies in the region; the field was not changed." << 0.0;
    QTest::newRow("region beyond the walls") << ScanCount << false << QRect(8000, -2000, 3000, 9000) << QPointF()
                                             << TeachOutcome::NoPointInRegion
                                             << "No measured point lies in the region; the field was not changed."
                                             << 0.0;
    QTest::newRow("something at the scanner") << ScanCount << false << whole << QPointF(0, 150)
                                              << TeachOutcome::ObstacleAtScanner
                                              << "something lies closer to the sensor than the offset" << 90.0;
    QTest::newRow("region's edge by the scanner") << ScanCount << false << QRect(-5000, -20, 10000, 40)
                                                  << QPointF() << TeachOutcome::RegionAtScanner
                                                  << "the edge of the region passes closer than 50 mm" << 90.0;
}

void TestTeachIn::refusals()
{
    QFETCH(int, scans);
    QFETCH(bool, silent);
    QFETCH(QRect, region);
    QFETCH(QPointF, nearObject);
    QFETCH(TeachOutcome, outcome);
    QFETCH(QString, message);
    QFETCH(double, bearing);
    Room room;
    room.nearObject = nearObject;
    Recording rec = record(room, false, false);
    rec.scans.resize(scans);
    if (silent) {
        for (TeachScan &scan : rec.scans)
            scan.distances.fill(0);
    }
    TeachSettings settings;
    settings.region = TeachRegion{region.x(), region.y(), region.width(), region.height()};
    settings.rangeLimit = Range;
    const TeachResult result = TeachIn::teach(rec.scans, settings);
    QCOMPARE(result.outcome, outcome);
    QVERIFY(result.points.isEmpty());
    QVERIFY2(TeachIn::refusalText(result).contains(message), qPrintable(TeachIn::refusalText(result)));
    QVERIFY2(qAbs(result.bearing - bearing) <= 5.0, qPrintable(QString::number(result.bearing)));
}

QTEST_GUILESS_MAIN(TestTeachIn)
#include "tst_teachin.moc"
