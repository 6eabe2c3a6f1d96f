#include "core/areas/fieldediting.h"

#include <QtTest>
#include <limits>

using namespace veltrix;

using Points = QVector<QPoint>;
Q_DECLARE_METATYPE(Points)

class TestFieldEditing : public QObject
{
    Q_OBJECT

private slots:
    void roundEntry_data();
    void roundEntry();
    void readCellNumber_data();
    void readCellNumber();
    void cartesianEdit_data();
    void cartesianEdit();
    void polarEdit_data();
    void polarEdit();
    void rectangleRuleSequence();
    void removePolygonPoint_data();
    void removePolygonPoint();
    void chooseShape_data();
    void chooseShape();
    void polarCellTexts_data();
    void polarCellTexts();
};

void TestFieldEditing::roundEntry_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rounded");
    QTest::newRow("half up") << "12.5" << 13;
    QTest::newRow("below half") << "12.49" << 12;
    QTest::newRow("negative half toward zero") << "-12.5" << -12;
    QTest::newRow("negative truncated") << "-2.7" << -2;
    QTest::newRow("two and a half") << "2.5" << 3;
    QTest::newRow("integer") << "-400" << -400;
    QTest::newRow("not a number") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("infinity text") << "inf" << 0;
    QTest::newRow("nan text") << "nan" << 0;
    QTest::newRow("beyond float range") << "1e40" << 0;
    QTest::newRow("beyond int range") << "1e20" << 2147483520;
    QTest::newRow("below int range") << "-1e20" << -2147483520;
}

void TestFieldEditing::roundEntry()
{
    QFETCH(QString, text);
    QFETCH(int, rounded);
    QCOMPARE(RoundEntry(ReadCellNumber(text)), rounded);
}

void TestFieldEditing::readCellNumber_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("infinity") << std::numeric_limits<float>::infinity() << 0;
    QTest::newRow("minus infinity") << -std::numeric_limits<float>::infinity() << 0;
    QTest::newRow("nan") << std::numeric_limits<float>::quiet_NaN() << 0;
    QTest::newRow("huge") << 3.0e38f << 2147483520;
    QTest::newRow("half") << 0.5f << 1;
    QTest::newRow("minus half") << -0.5f << 0;
}

// RoundEntry called directly with values no text produces.
void TestFieldEditing::readCellNumber()
{
    QFETCH(float, value);
    QFETCH(int, rounded);
    QCOMPARE(RoundEntry(value), rounded);
}

void TestFieldEditing::cartesianEdit_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Points>("after");

    const Points square{{1000, 0}, {1000, 1000}, {0, 1000}};
    QTest::newRow("x rounded half up") << 0 << int(Polygon) << square << 1 << 1 << "12.5" << true
                                       << Points{{1000, 0}, {13, 1000}, {0, 1000}};
    QTest::newRow("x negative toward zero") << 0 << int(Polygon) << square << 1 << 1 << "-12.5"
                                            << true << Points{{1000, 0}, {-12, 1000}, {0, 1000}};
    QTest::newRow("x not a number") << 0 << int(Polygon) << square << 1 << 1 << "abc" << true
                                    << Points{{1000, 0}, {0, 1000}, {0, 1000}};
    QTest::newRow("y of an existing point") << 0 << int(Polygon) << square << 2 << 2 << "700" << true
                                            << Points{{1000, 0}, {1000, 1000}, {0, 700}};
    QTest::newRow("point number column") << 0 << int(Polygon) << square << 0 << 0 << "9" << true
                                         << square;
    QTest::newRow("new row y") << 0 << int(Polygon) << square << 3 << 2 << "1500" << true
                               << Points{{1000, 0}, {1000, 1000}, {0, 1000}, {0, 1500}};
    QTest::newRow("new row x") << 1 << int(Polygon) << Points{} << 0 << 1 << "-300.7" << true
                               << Points{{-300, 0}};
    QTest::newRow("new row zero") << 0 << int(Polygon) << square << 3 << 2 << "0" << false << square;
    QTest::newRow("new row text") << 0 << int(Polygon) << square << 3 << 1 << "abc" << false << square;
    QTest::newRow("new row number column") << 0 << int(Polygon) << square << 3 << 0 << "4" << true
                                           << Points{{1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    QTest::newRow("beyond the new row") << 0 << int(Polygon) << square << 5 << 1 << "10" << false
                                        << square;
    QTest::newRow("no new row for an arc") << 0 << int(Arc) << Points{{20, 0}, {20, 0}} << 2 << 1
                                           << "10" << false << Points{{20, 0}, {20, 0}};
    QTest::newRow("arc keeps equal radius") << 0 << int(Arc) << Points{{1000, 0}, {0, 1000}} << 0
                                            << 1 << "2000" << true << Points{{2000, 0}, {0, 2000}};
    QTest::newRow("arc other point follows") << 2 << int(Arc) << Points{{1000, 0}, {0, 1000}} << 1
                                             << 2 << "500" << true << Points{{500, 0}, {0, 500}};
    QTest::newRow("straight x forced back") << 1 << int(Straight) << Points{{0, 800}} << 0 << 1
                                            << "300" << true << Points{{0, 800}};
    QTest::newRow("straight y taken") << 2 << int(Straight) << Points{{0, 800}} << 0 << 2 << "950"
                                      << true << Points{{0, 950}};
    QTest::newRow("fan x forced back") << 2 << int(Fan) << Points{{0, 800}} << 0 << 1 << "-5" << true
                                       << Points{{0, 800}};
    QTest::newRow("ratio x forced back") << 1 << int(Ratio) << Points{{0, 800}} << 0 << 1 << "5"
                                         << true << Points{{0, 800}};
}

void TestFieldEditing::cartesianEdit()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(Points, before);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, changed);
    QFETCH(Points, after);

    AreaRecord area;
    area.setShape(field, shape);
    area.points(field) = before;
    const AreaRecord untouched = area;
    QCOMPARE(EditCartesianCell(area, field, row, column, text), changed);
    QCOMPARE(area.points(field), after);
    for (int other = 0; other < FieldCount; ++other) {
        if (other != field)
            QCOMPARE(area.points(other), untouched.points(other));
    }
}

void TestFieldEditing::polarEdit_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Points>("after");

    QTest::newRow("new row angle 90") << int(Polygon) << Points{} << 0 << 2 << "90" << true
                                      << Points{{0, 20}};
    QTest::newRow("new row distance 1500") << int(Polygon) << Points{} << 0 << 1 << "1500" << true
                                           << Points{{1500, 0}};
    QTest::newRow("new row distance truncated") << int(Polygon) << Points{} << 0 << 1 << "99.9"
                                                << true << Points{{99, 0}};
    QTest::newRow("new row zero") << int(Polygon) << Points{{5, 5}} << 1 << 2 << "0" << false
                                  << Points{{5, 5}};
    QTest::newRow("new row number column") << int(Polygon) << Points{} << 0 << 0 << "3" << false
                                           << Points{};
    QTest::newRow("distance unrounded") << int(Polygon) << Points{{1000, 0}} << 0 << 1 << "99.9"
                                        << true << Points{{99, 0}};
    QTest::newRow("angle of existing point") << int(Polygon) << Points{{1000, 0}} << 0 << 2 << "90"
                                             << true << Points{{0, 1000}};
    QTest::newRow("angle behind the scanner") << int(Polygon) << Points{{1000, 0}} << 0 << 2
                                              << "-90" << true << Points{{0, -1000}};
    QTest::newRow("number column keeps the point") << int(Polygon) << Points{{1000, 1000}} << 0 << 0
                                                   << "7" << true << Points{{1000, 1000}};
    QTest::newRow("arc radius carried over") << int(Arc) << Points{{1000, 0}, {0, 1000}} << 1 << 1
                                             << "3000" << true << Points{{3000, 0}, {0, 3000}};
    QTest::newRow("fan distance as y") << int(Fan) << Points{{0, 800}} << 0 << 1 << "1200" << true
                                       << Points{{0, 1200}};
    QTest::newRow("fan angle keeps x at 0") << int(Fan) << Points{{0, 800}} << 0 << 2 << "0" << true
                                            << Points{{0, 0}};
}

void TestFieldEditing::polarEdit()
{
    QFETCH(int, shape);
    QFETCH(Points, before);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(bool, changed);
    QFETCH(Points, after);

    AreaRecord area;
    area.setShape(1, shape);
    area.points(1) = before;
    QCOMPARE(EditPolarCell(area, 1, row, column, text), changed);
    QCOMPARE(area.points(1), after);
}

void TestFieldEditing::rectangleRuleSequence()
{
    AreaRecord area;
    area.setShape(0, Rectangle);
    area.out1Points = {{0, 0}, {0, 500}, {800, 500}, {800, 0}};
    QVERIFY(EditCartesianCell(area, 0, 2, 1, QStringLiteral("900")));
    QCOMPARE(area.out1Points, (Points{{0, 0}, {0, 500}, {900, 500}, {900, 0}}));
    QVERIFY(EditCartesianCell(area, 0, 2, 2, QStringLiteral("600")));
    QCOMPARE(area.out1Points, (Points{{0, 0}, {0, 600}, {900, 600}, {900, 0}}));

    // Each corner carries its x and y to its two neighbours.
    QVERIFY(EditCartesianCell(area, 0, 0, 1, QStringLiteral("-100")));
    QVERIFY(EditCartesianCell(area, 0, 0, 2, QStringLiteral("-50")));
    QCOMPARE(area.out1Points, (Points{{-100, -50}, {-100, 600}, {900, 600}, {900, -50}}));
    QVERIFY(EditCartesianCell(area, 0, 1, 2, QStringLiteral("700")));
    QVERIFY(EditCartesianCell(area, 0, 3, 1, QStringLiteral("1000")));
    QCOMPARE(area.out1Points, (Points{{-100, -50}, {-100, 700}, {1000, 700}, {1000, -50}}));
}

void TestFieldEditing::removePolygonPoint_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<Points>("after");
    const Points three{{1, 1}, {2, 2}, {3, 3}};
    QTest::newRow("middle point") << int(Polygon) << three << 1 << true << Points{{1, 1}, {3, 3}};
    QTest::newRow("new-point row") << int(Polygon) << three << 3 << false << three;
    QTest::newRow("no current row") << int(Polygon) << three << -1 << false << three;
    QTest::newRow("empty polygon") << int(Polygon) << Points{} << 0 << false << Points{};
    QTest::newRow("rectangle") << int(Rectangle) << Points(4, {20, 0}) << 1 << false
                               << Points(4, {20, 0});
    QTest::newRow("arc") << int(Arc) << Points(2, {20, 0}) << 0 << false << Points(2, {20, 0});
}

void TestFieldEditing::removePolygonPoint()
{
    QFETCH(int, shape);
    QFETCH(Points, before);
    QFETCH(int, row);
    QFETCH(bool, removed);
    QFETCH(Points, after);
    AreaRecord area;
    area.setShape(2, shape);
    area.out3Points = before;
    QCOMPARE(RemovePolygonPoint(area, 2, row), removed);
    QCOMPARE(area.out3Points, after);
}

void TestFieldEditing::chooseShape_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("oldShape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("newShape");
    QTest::addColumn<bool>("changed");
    QTest::addColumn<Points>("after");
    const Points seven{{1, 0}, {2, 0}, {3, 0}, {4, 0}, {5, 0}, {6, 0}, {7, 0}};
    QTest::newRow("rectangle over seven points") << 0 << int(Polygon) << seven << int(Rectangle)
                                                 << true << Points(4, {20, 0});
    QTest::newRow("polygon keeps rectangle points") << 0 << int(Rectangle) << Points(4, {20, 0})
                                                    << int(Polygon) << true << Points(4, {20, 0});
    QTest::newRow("arc again keeps its points") << 1 << int(Arc) << Points{{900, 0}, {0, 900}}
                                                << int(Arc) << false << Points{{900, 0}, {0, 900}};
    QTest::newRow("arc") << 1 << int(Polygon) << seven << int(Arc) << true << Points(2, {20, 0});
    QTest::newRow("fan") << 2 << int(Polygon) << seven << int(Fan) << true << Points{{0, 20}};
    QTest::newRow("straight") << 1 << int(Arc) << Points(2, {20, 0}) << int(Straight) << true
                              << Points{{0, 20}};
    QTest::newRow("ratio") << 2 << int(Fan) << Points{{0, 500}} << int(Ratio) << true
                           << Points{{0, 20}};
    QTest::newRow("no dependent shape for Out1") << 0 << int(Polygon) << seven << int(Fan) << false
                                                 << seven;
    QTest::newRow("unknown shape") << 1 << int(Polygon) << seven << 6 << false << seven;
}

void TestFieldEditing::chooseShape()
{
    QFETCH(int, field);
    QFETCH(int, oldShape);
    QFETCH(Points, before);
    QFETCH(int, newShape);
    QFETCH(bool, changed);
    QFETCH(Points, after);
    AreaRecord area;
    area.setShape(field, oldShape);
    area.points(field) = before;
    QCOMPARE(ChooseFieldShape(area, field, newShape), changed);
    QCOMPARE(area.shape(field), changed ? newShape : oldShape);
    QCOMPARE(area.points(field), after);
}

void TestFieldEditing::polarCellTexts_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("distance");
    QTest::addColumn<QString>("angle");
    QTest::newRow("diagonal") << QPoint(1000, 1000) << "1414.21" << "45";
    QTest::newRow("ahead") << QPoint(0, 20) << "20" << "90";
    QTest::newRow("behind") << QPoint(0, -1000) << "1000" << "-90";
    QTest::newRow("just left of behind") << QPoint(-1, -1000) << "1000" << "269.943";
    QTest::newRow("origin") << QPoint(0, 0) << "0" << "0";
}

void TestFieldEditing::polarCellTexts()
{
    QFETCH(QPoint, point);
    QFETCH(QString, distance);
    QFETCH(QString, angle);
    QCOMPARE(PolarCellText(point, 1), distance);
    QCOMPARE(PolarCellText(point, 2), angle);
    QCOMPARE(CartesianCellText(point, 1), QString::number(point.x()));
    QCOMPARE(CartesianCellText(point, 2), QString::number(point.y()));
}

QTEST_APPLESS_MAIN(TestFieldEditing)
#include "tst_fieldediting.moc"
