#include "areas/areamodel.h"
#include "areas/polar.h"

#include <QtTest>

using namespace veltrix;

class TestAreaModel : public QObject
{
    Q_OBJECT

private slots:
    void startupState();
    void currentAreaIsClamped_data();
    void currentAreaIsClamped();
    void polarOf_data();
    void polarOf();
    void roundTripTruncatesTowardZero_data();
    void roundTripTruncatesTowardZero();
    void pointFromPolarSaturates_data();
    void pointFromPolarSaturates();
    void numbersKeepTheirFileOrder();
    void recordsCompareByValue();
};

void TestAreaModel::startupState()
{
    AreaModel model;
    QCOMPARE(model.areas.size(), AreaCount);
    for (const AreaRecord &area : qAsConst(model.areas)) {
        for (int i = 0; i < AreaNumberCount; ++i)
            QCOMPARE(area.number(i), i == 3 ? 1 : 0);
        QVERIFY(area.out1Points.isEmpty() && area.out2Points.isEmpty() && area.out3Points.isEmpty());
    }
    QCOMPARE(model.currentArea, 0);
    QCOMPARE(model.currentField, 0);
    QVERIFY(!model.modified);
    QCOMPARE(model.clipboard, model.blankArea);
    QCOMPARE(model.blankArea.detectionSize, 0);
    QCOMPARE(model.undoCursor, QVector<int>(AreaCount, 0));
    QCOMPARE(model.undoHistory.size(), AreaCount);
    for (const auto &history : qAsConst(model.undoHistory))
        QCOMPARE(history, QVector<AreaRecord>{model.blankArea});
}

void TestAreaModel::currentAreaIsClamped_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("used");
    QTest::newRow("first") << 0 << 0;
    QTest::newRow("last") << 63 << 63;
    QTest::newRow("one past the end") << 64 << 63;
    QTest::newRow("far past the end") << 1000 << 63;
    QTest::newRow("negative") << -5 << 0;
}

void TestAreaModel::currentAreaIsClamped()
{
    QFETCH(int, stored);
    QFETCH(int, used);
    AreaModel model;
    model.areas[used].openDelay = 7;
    model.currentArea = stored;
    QCOMPARE(model.current().openDelay, 7);
    QCOMPARE(model.currentArea, used);
}

void TestAreaModel::polarOf_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<double>("radius");
    QTest::addColumn<double>("degrees");
    QTest::newRow("ahead") << QPoint(0, 1000) << 1000.0 << 90.0;
    QTest::newRow("right") << QPoint(1000, 0) << 1000.0 << 0.0;
    QTest::newRow("left") << QPoint(-1000, 0) << 1000.0 << 180.0;
    QTest::newRow("straight behind") << QPoint(0, -1000) << 1000.0 << -90.0;
    QTest::newRow("just left of behind") << QPoint(-1, -1000) << 1000.0005 << 269.9427;
    QTest::newRow("just right of behind") << QPoint(1, -1000) << 1000.0005 << -89.9427;
    QTest::newRow("diagonal") << QPoint(1000, 1000) << 1414.2136 << 45.0;
    QTest::newRow("origin") << QPoint(0, 0) << 0.0 << 0.0;
}

void TestAreaModel::polarOf()
{
    QFETCH(QPoint, point);
    QFETCH(double, radius);
    QFETCH(double, degrees);
    const Polar polar = PolarOf(point);
    QVERIFY2(qAbs(polar.radius - radius) < 1e-3, qPrintable(QString::number(polar.radius)));
    QVERIFY2(qAbs(polar.angle * 180.0 / M_PI - degrees) < 1e-3,
             qPrintable(QString::number(polar.angle * 180.0 / M_PI, 'f', 5)));
    // Single-precision wrap: the cut lands a hair below -pi/2, never at or above 3pi/2.
    QVERIFY(polar.angle > -1.5708f && polar.angle < 4.712389f);
}

void TestAreaModel::roundTripTruncatesTowardZero_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QPoint>("back");
    QTest::newRow("diagonal loses a millimetre") << QPoint(1000, 1000) << QPoint(1000, 999);
    QTest::newRow("on the axis") << QPoint(0, 2000) << QPoint(0, 2000);
    QTest::newRow("behind") << QPoint(0, -1000) << QPoint(0, -1000);
}

void TestAreaModel::roundTripTruncatesTowardZero()
{
    QFETCH(QPoint, point);
    QFETCH(QPoint, back);
    const Polar polar = PolarOf(point);
    QCOMPARE(PointFromPolar(polar.radius, polar.angle), back);
}

void TestAreaModel::pointFromPolarSaturates_data()
{
    QTest::addColumn<float>("radius");
    QTest::addColumn<float>("angle");
    QTest::addColumn<QPoint>("point");
    QTest::newRow("beyond on +x") << 3.0e9f << 0.0f << QPoint(2147483520, 0);
    QTest::newRow("beyond on -x") << -3.0e9f << 0.0f << QPoint(-2147483647 - 1, 0);
    QTest::newRow("largest radius that fits") << 2147483520.0f << 0.0f << QPoint(2147483520, 0);
}

// A radius beyond the 32-bit range (the other arc point follows an edited point whose
// two coordinates are both near the limit) keeps its side of the scanner instead of
// wrapping to the opposite one.
void TestAreaModel::pointFromPolarSaturates()
{
    QFETCH(float, radius);
    QFETCH(float, angle);
    QFETCH(QPoint, point);
    QCOMPARE(PointFromPolar(radius, angle), point);
}

void TestAreaModel::numbersKeepTheirFileOrder()
{
    AreaRecord area;
    for (int i = 0; i < AreaNumberCount; ++i)
        area.setNumber(i, 100 + i);
    QCOMPARE(area.openDelay, 100);
    QCOMPARE(area.detectionSize, 103);
    QCOMPARE(area.steerMaxDgree, 105);
    QCOMPARE(area.vehicleOptionMode, 108);
    QCOMPARE(area.out1Shape, 109);
    QCOMPARE(area.out3Shape, 111);
    QCOMPARE(area.shape(1), 110);
    area.setNumber(12, 5);
    area.setNumber(-1, 5);
    QCOMPARE(area.number(12), 0);
    for (int i = 0; i < AreaNumberCount; ++i)
        QCOMPARE(area.number(i), 100 + i);
}

void TestAreaModel::recordsCompareByValue()
{
    AreaRecord a;
    a.out2Points = {QPoint(1, 2)};
    AreaRecord b = a;
    QCOMPARE(a, b);
    b.points(1)[0].setX(3);
    QVERIFY(a != b);
    QCOMPARE(a.out2Points.first(), QPoint(1, 2));
    b = a;
    b.hysteresis = 4;
    QVERIFY(a != b);
}

QTEST_GUILESS_MAIN(TestAreaModel)
#include "tst_areamodel.moc"
