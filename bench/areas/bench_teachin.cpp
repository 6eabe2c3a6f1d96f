// Cost of a teach-in: 30 Ethernet scans of 2700 points each, as the link stores them,
// turned into per-bearing distances and taught into a field, simplified or not,
// combined by mean or by minimum. The room has walls 3 to 5 m out, a pillar, and an
// object crossing it while the scans are taken; noise of a few millimetres on every
// distance keeps the combined contour from being a perfect one.

#include "core/areas/teachin.h"

#include <QRandomGenerator>
#include <QtMath>
#include <QtTest>

#include <cmath>
#include <limits>

using namespace veltrix;

Q_DECLARE_METATYPE(TeachMethod)

namespace {

constexpr int Scans = 30;
constexpr int Points = 2700;
constexpr int Range = 24000;

double circle(double c, double s, double cx, double cy, double radius)
{
    const double along = c * cx + s * cy;
    const double across2 = cx * cx + cy * cy - along * along;
    if (along <= 0 || across2 > radius * radius)
        return std::numeric_limits<double>::infinity();
    return along - std::sqrt(radius * radius - across2);
}

double roomDistance(double degrees, int scan)
{
    const double c = std::cos(qDegreesToRadians(degrees));
    const double s = std::sin(qDegreesToRadians(degrees));
    double t = std::numeric_limits<double>::infinity();
    if (c > 1e-12) t = std::min(t, 4000 / c);
    if (c < -1e-12) t = std::min(t, -3000 / c);
    if (s > 1e-12) t = std::min(t, 5000 / s);
    if (s < -1e-12) t = std::min(t, -2500 / s);
    t = std::min(t, circle(c, s, 1500, 2500, 300));
    return std::min(t, circle(c, s, -2000 + 4000.0 * scan / (Scans - 1), 3000, 200));
}

struct StoredCloud
{
    QVector<qint32> x;
    QVector<qint32> y;
};

// Scene coordinates, as the link stores an upright scanner's points.
QVector<StoredCloud> recordClouds()
{
    QRandomGenerator noise(21);
    QVector<StoredCloud> clouds;
    for (int scan = 0; scan < Scans; ++scan) {
        StoredCloud cloud{QVector<qint32>(Points), QVector<qint32>(Points)};
        for (int i = 0; i < Points; ++i) {
            const double degrees = -45.0 + 0.1 * (i + 1);
            const double d = std::min(roomDistance(degrees, scan) + noise.bounded(-3, 4), double(Range));
            cloud.x[i] = qint32(d * std::cos(qDegreesToRadians(degrees)));
            cloud.y[i] = qint32(-d * std::sin(qDegreesToRadians(degrees)));
        }
        clouds.append(cloud);
    }
    return clouds;
}

}  // namespace

class BenchTeachIn : public QObject
{
    Q_OBJECT

private slots:
    void teach_data();
    void teach();
};

void BenchTeachIn::teach_data()
{
    QTest::addColumn<TeachMethod>("method");
    QTest::addColumn<bool>("simplify");
    QTest::newRow("average, simplified") << TeachMethod::Average << true;
    QTest::newRow("minimum, simplified") << TeachMethod::Minimum << true;
    QTest::newRow("average, evenly spread") << TeachMethod::Average << false;
    QTest::newRow("minimum, evenly spread") << TeachMethod::Minimum << false;
}

void BenchTeachIn::teach()
{
    QFETCH(TeachMethod, method);
    QFETCH(bool, simplify);
    const QVector<StoredCloud> clouds = recordClouds();
    TeachSettings settings;
    settings.region = wholeRangeRegion(Range);
    settings.rangeLimit = Range;
    settings.method = method;
    settings.simplify = simplify;
    TeachResult result;
    QBENCHMARK {
        QVector<TeachScan> scans;
        for (const StoredCloud &cloud : clouds)
            scans.append(teachScanFromCloud(cloud.x, cloud.y, Points, false));
        result = TeachIn::teach(scans, settings);
    }
    QCOMPARE(result.outcome, TeachOutcome::Taught);
    QVERIFY(result.points.size() <= TeachIn::MaxVertices);
}

QTEST_GUILESS_MAIN(BenchTeachIn)
#include "bench_teachin.moc"
