#include "areachange.h"
#include "core/areas/areamodel.h"
#include "core/areas/polar.h"

#include <QtTest>
#include <functional>
#include <limits>

using namespace veltrix;

namespace {

// A distinguishable area: its open delay and its Out1 points carry `tag`.
AreaRecord taggedArea(int tag)
{
    AreaRecord area;
    area.openDelay = tag % 26;
    area.out1Points = {{tag, 1000}, {-tag, 500}};
    return area;
}

// Everything the document announced, in order, as "signal(argument)".
struct Announcements
{
    QStringList seen;

    explicit Announcements(AreaModel &model)
    {
        QObject::connect(&model, &AreaModel::areaChanged,
                         [this](int area) { seen << QStringLiteral("area(%1)").arg(area); });
        QObject::connect(&model, &AreaModel::currentAreaChanged,
                         [this](int area) { seen << QStringLiteral("current(%1)").arg(area); });
        QObject::connect(&model, &AreaModel::currentFieldChanged,
                         [this](int field) { seen << QStringLiteral("field(%1)").arg(field); });
        QObject::connect(&model, &AreaModel::areasReplaced,
                         [this] { seen << QStringLiteral("all"); });
        QObject::connect(&model, &AreaModel::modifiedChanged, [this](bool modified) {
            seen << QStringLiteral("modified(%1)").arg(modified ? 1 : 0);
        });
    }
};

using Change = std::function<void(AreaModel &)>;

}  // namespace

Q_DECLARE_METATYPE(Change)

class TestAreaModel : public QObject
{
    Q_OBJECT

private slots:
    void startupState();
    void currentAreaIsClamped_data();
    void currentAreaIsClamped();
    void everyChangeIsAnnounced_data();
    void everyChangeIsAnnounced();
    void clipboardOperationsAreUndoSteps_data();
    void clipboardOperationsAreUndoSteps();
    void pointsStayWithinTheLimit_data();
    void pointsStayWithinTheLimit();
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
    QCOMPARE(model.areas().size(), AreaCount);
    for (const AreaRecord &area : model.areas()) {
        for (int i = 0; i < AreaNumberCount; ++i)
            QCOMPARE(area.number(i), i == 3 ? 1 : 0);
        QVERIFY(area.out1Points.isEmpty() && area.out2Points.isEmpty() && area.out3Points.isEmpty());
    }
    QCOMPARE(model.currentArea(), 0);
    QCOMPARE(model.currentField(), 0);
    QVERIFY(!model.isModified());
    QCOMPARE(model.clipboard(), model.blankArea());
    QCOMPARE(model.blankArea().detectionSize, 0);
    for (int area = 0; area < AreaCount; ++area) {
        QCOMPARE(model.undoCursor(area), 0);
        QCOMPARE(model.undoHistory(area), QVector<AreaRecord>{model.blankArea()});
    }
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
    changeArea(model, used, [](AreaRecord &area) { area.openDelay = 7; });
    model.setCurrentArea(stored);
    QCOMPARE(model.current().openDelay, 7);
    QCOMPARE(model.currentArea(), used);
}

// Each way of changing the document says what changed, and only that: the views
// bring themselves up to date from these announcements alone.
void TestAreaModel::everyChangeIsAnnounced_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("edit of the current area")
        << Change([](AreaModel &m) { m.editCurrentArea(taggedArea(4)); })
        << QStringList{"area(3)", "modified(1)"};
    QTest::newRow("edit that changes nothing is still an undo step")
        << Change([](AreaModel &m) { m.editCurrentArea(m.current()); })
        << QStringList{"modified(1)"};
    QTest::newRow("area read from the scanner")
        << Change([](AreaModel &m) { m.replaceArea(40, taggedArea(40)); })
        << QStringList{"area(40)"};
    QTest::newRow("same contents again") << Change([](AreaModel &m) { m.replaceArea(3, m.area(3)); })
                                         << QStringList{};
    QTest::newRow("area outside the list")
        << Change([](AreaModel &m) { m.replaceArea(64, taggedArea(1)); }) << QStringList{};
    QTest::newRow("all areas at once")
        << Change([](AreaModel &m) { m.replaceAllAreas(QVector<AreaRecord>(AreaCount, taggedArea(2))); })
        << QStringList{"all"};
    QTest::newRow("one area too few is refused")
        << Change([](AreaModel &m) { QVERIFY(!m.replaceAllAreas(QVector<AreaRecord>(63, taggedArea(2)))); })
        << QStringList{};
    QTest::newRow("another area") << Change([](AreaModel &m) { m.setCurrentArea(9); })
                                  << QStringList{"current(9)"};
    QTest::newRow("beyond the last area") << Change([](AreaModel &m) { m.setCurrentArea(99); })
                                          << QStringList{"current(63)"};
    QTest::newRow("the same area") << Change([](AreaModel &m) { m.setCurrentArea(3); })
                                   << QStringList{};
    QTest::newRow("another field") << Change([](AreaModel &m) { m.setCurrentField(2); })
                                   << QStringList{"field(2)"};
    QTest::newRow("no such field") << Change([](AreaModel &m) { m.setCurrentField(3); })
                                   << QStringList{};
    QTest::newRow("undo at the start of the history")
        << Change([](AreaModel &m) { m.undo(); }) << QStringList{"modified(1)"};
    QTest::newRow("copy") << Change([](AreaModel &m) { m.copyCurrentArea(); }) << QStringList{};
    QTest::newRow("delete all") << Change([](AreaModel &m) { m.deleteAllAreas(); })
                                << QStringList{"all", "modified(1)"};
    QTest::newRow("saved") << Change([](AreaModel &m) { m.setModified(false); }) << QStringList{};
    QTest::newRow("reset") << Change([](AreaModel &m) { m.resetToStartup(); })
                           << QStringList{"current(0)", "all"};
}

void TestAreaModel::everyChangeIsAnnounced()
{
    QFETCH(Change, change);
    QFETCH(QStringList, expected);
    AreaModel model;
    model.setCurrentArea(3);
    Announcements announced(model);
    change(model);
    QCOMPARE(announced.seen, expected);
}

void TestAreaModel::clipboardOperationsAreUndoSteps_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("cut") << "cut";
    QTest::newRow("paste") << "paste";
    QTest::newRow("delete") << "delete";
    QTest::newRow("delete all") << "delete all";
}

// Edits A and B, then the operation: one Undo brings back B exactly, Redo the state
// after the operation. (Were the operation not an undo step, Undo would go back to A
// and B would be lost.)
void TestAreaModel::clipboardOperationsAreUndoSteps()
{
    QFETCH(QString, operation);
    AreaModel model;
    model.setCurrentArea(12);
    model.replaceArea(13, taggedArea(13));
    model.setCurrentArea(13);
    model.copyCurrentArea();
    model.setCurrentArea(12);
    model.editCurrentArea(taggedArea(1));
    model.editCurrentArea(taggedArea(2));

    if (operation == QLatin1String("cut"))
        model.cutCurrentArea();
    else if (operation == QLatin1String("paste"))
        model.pasteIntoCurrentArea();
    else if (operation == QLatin1String("delete"))
        model.deleteCurrentArea();
    else
        model.deleteAllAreas();
    const AreaRecord after = model.current();
    QVERIFY(after != taggedArea(2));

    QVERIFY(model.undo());
    QCOMPARE(model.current(), taggedArea(2));
    QVERIFY(model.redo());
    QCOMPARE(model.current(), after);
    if (operation == QLatin1String("cut"))
        QCOMPARE(model.clipboard(), taggedArea(2));
}

void TestAreaModel::pointsStayWithinTheLimit_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("an edit") << "edit";
    QTest::newRow("an area read from the scanner") << "replace";
    QTest::newRow("all areas of a file") << "replace all";
}

// However far out a point arrives, it is held at +-1 000 000 mm on each axis, where
// negating a coordinate or adding two can overflow nowhere downstream.
void TestAreaModel::pointsStayWithinTheLimit()
{
    QFETCH(QString, entry);
    AreaRecord hostile;
    hostile.out1Points = {QPoint(std::numeric_limits<int>::min(), std::numeric_limits<int>::max()),
                          QPoint(-1000001, 1000001), QPoint(12, -34)};
    hostile.out3Shape = Straight;
    hostile.out3Points = {QPoint(0, -2147483520)};
    AreaModel model;
    if (entry == QLatin1String("edit"))
        model.editCurrentArea(hostile);
    else if (entry == QLatin1String("replace"))
        model.replaceArea(0, hostile);
    else
        model.replaceAllAreas(QVector<AreaRecord>(AreaCount, hostile));
    const AreaRecord &stored = model.area(0);
    QCOMPARE(stored.out1Points, (QVector<QPoint>{QPoint(-CoordinateLimit, CoordinateLimit),
                                                 QPoint(-CoordinateLimit, CoordinateLimit),
                                                 QPoint(12, -34)}));
    QCOMPARE(stored.out3Points, QVector<QPoint>{QPoint(0, -CoordinateLimit)});
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
    QTest::newRow("beyond on -x") << -3.0e9f << 0.0f << QPoint(-2147483520, 0);
    QTest::newRow("largest radius that fits") << 2147483520.0f << 0.0f << QPoint(2147483520, 0);
}

// A radius beyond the 32-bit range (the other arc point follows an edited point whose
// two coordinates are both near the limit) keeps its side of the scanner instead of
// wrapping to the opposite one, at the same magnitude on both sides, so that the
// result can always be negated.
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
