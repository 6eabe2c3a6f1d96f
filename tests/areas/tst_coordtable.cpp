#include "areachange.h"
#include "core/areas/areamodel.h"
#include "gui/areas/coordtable.h"
#include "core/areas/fieldediting.h"
#include "editiondockundertest.h"

#include <QHeaderView>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::testing;

using Points = QVector<QPoint>;
Q_DECLARE_METATYPE(Points)

namespace {

enum Page { Cartesian = 0, PolarPage = 1 };

struct Fixture
{
    AreaModel model;
    EditionDockUnderTest dock{&model};
    COORD_TABLE &coord = dock.coordinates();
    QSignalSpy edits{&coord, &COORD_TABLE::CoordTableEditSignal};

    QTableWidget *table(int field, int page) const
    {
        return page == Cartesian ? dock.coordTables[field] : dock.polarTables[field];
    }

    // The field changed in the document (as a read-all would): the tables follow.
    void setField(int field, qint32 shape, const Points &points)
    {
        changeArea(model, model.currentArea(), [&](AreaRecord &area) {
            area.setShape(field, shape);
            area.points(field) = points;
        });
    }
};

QStringList rowTexts(QTableWidget *table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << (table->item(row, column) ? table->item(row, column)->text() : QStringLiteral("<none>"));
    return texts;
}

QStringList headerTexts(QTableWidget *table)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << table->horizontalHeaderItem(column)->text();
    return texts;
}

}  // namespace

class TestCoordTable : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void fillingShowsPointsWithoutEcho_data();
    void fillingShowsPointsWithoutEcho();
    void typingIntoCell_data();
    void typingIntoCell();
    void rectangleRuleThroughTheTable();
    void editRefillsBothTablesOfTheField();
    void deleteKey_data();
    void deleteKey();
    void otherKeysAreConsumed();
    void editUsesTheCurrentArea();
};

void TestCoordTable::construction()
{
    Fixture f;
    for (int field = 0; field < FieldCount; ++field) {
        for (int page : {Cartesian, PolarPage}) {
            QTableWidget *table = f.table(field, page);
            QCOMPARE(table->columnCount(), 3);
            QCOMPARE(table->rowCount(), 1);
            QCOMPARE(rowTexts(table, 0), (QStringList{"1", "0", "0"}));
            QVERIFY(table->verticalHeader()->isHidden());
            QCOMPARE(table->selectionBehavior(), QAbstractItemView::SelectRows);
            // The columns share the width, so that none is ever cut off.
            for (int column = 0; column < 3; ++column)
                QCOMPARE(table->horizontalHeader()->sectionResizeMode(column), QHeaderView::Stretch);
        }
        QCOMPARE(headerTexts(f.table(field, Cartesian)),
                 (QStringList{"点数", "X坐标[mm]", "Y坐标[mm]"}));
        QCOMPARE(headerTexts(f.table(field, PolarPage)),
                 (QStringList{"点数", "距离[mm]", "角度[deg]"}));
    }
    QCOMPARE(f.edits.count(), 0);
}

void TestCoordTable::fillingShowsPointsWithoutEcho_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("rows");
    QTest::newRow("polygon gets a new-point row") << 0 << int(Polygon)
                                                  << Points{{1000, 1000}, {-500, 0}} << 3;
    QTest::newRow("empty polygon") << 1 << int(Polygon) << Points{} << 1;
    QTest::newRow("arc") << 1 << int(Arc) << Points{{1000, 0}, {0, 1000}} << 2;
    QTest::newRow("rectangle") << 2 << int(Rectangle) << Points(4, {20, 0}) << 4;
    QTest::newRow("fan") << 2 << int(Fan) << Points{{0, 20}} << 1;
}

void TestCoordTable::fillingShowsPointsWithoutEcho()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(Points, points);
    QFETCH(int, rows);
    Fixture f;
    f.setField(field, shape, points);
    const AreaRecord before = f.model.current();
    QCOMPARE(f.table(field, Cartesian)->rowCount(), rows);
    QCOMPARE(f.table(field, PolarPage)->rowCount(), rows);
    for (int row = 0; row < points.size(); ++row) {
        const QPoint p = points[row];
        QCOMPARE(rowTexts(f.table(field, Cartesian), row),
                 (QStringList{QString::number(row + 1), QString::number(p.x()), QString::number(p.y())}));
    }
    if (rows > points.size()) {
        QCOMPARE(rowTexts(f.table(field, Cartesian), rows - 1),
                 (QStringList{QString::number(rows), "0", "0"}));
        QCOMPARE(rowTexts(f.table(field, PolarPage), rows - 1),
                 (QStringList{QString::number(rows), "0", "0"}));
    }
    if (field == 0 && !points.isEmpty())
        QCOMPARE(rowTexts(f.table(0, PolarPage), 0), (QStringList{"1", "1414.21", "45"}));
    QCOMPARE(f.edits.count(), 0);
    QVERIFY(!f.model.isModified());
    QCOMPARE(f.model.current(), before);
}

void TestCoordTable::typingIntoCell_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Points>("after");
    QTest::addColumn<int>("emitted");

    const Points two{{1000, 0}, {0, 1000}};
    QTest::newRow("x 12.5 stores 13") << 0 << int(Cartesian) << int(Polygon) << two << 0 << 1
                                      << "12.5" << Points{{13, 0}, {0, 1000}} << 1;
    QTest::newRow("x -12.5 stores -12") << 0 << int(Cartesian) << int(Polygon) << two << 0 << 1
                                        << "-12.5" << Points{{-12, 0}, {0, 1000}} << 1;
    QTest::newRow("x abc stores 0") << 1 << int(Cartesian) << int(Polygon) << two << 1 << 1
                                    << "abc" << Points{{1000, 0}, {0, 1000}} << 1;
    QTest::newRow("new row y appends") << 2 << int(Cartesian) << int(Polygon) << two << 2 << 2
                                       << "750" << Points{{1000, 0}, {0, 1000}, {0, 750}} << 1;
    QTest::newRow("new row 0 changes nothing") << 0 << int(Cartesian) << int(Polygon) << two << 2
                                               << 2 << "0" << two << 0;
    QTest::newRow("polar new row angle 90") << 0 << int(PolarPage) << int(Polygon) << Points{} << 0
                                            << 2 << "90" << Points{{0, 20}} << 1;
    QTest::newRow("polar new row distance 1500") << 1 << int(PolarPage) << int(Polygon) << Points{}
                                                 << 0 << 1 << "1500" << Points{{1500, 0}} << 1;
    QTest::newRow("polar distance 99.9") << 0 << int(PolarPage) << int(Polygon) << Points{{500, 0}}
                                         << 0 << 1 << "99.9" << Points{{99, 0}} << 1;
    QTest::newRow("arc rule") << 1 << int(Cartesian) << int(Arc) << two << 0 << 1 << "2000"
                              << Points{{2000, 0}, {0, 2000}} << 1;
    QTest::newRow("straight x forced back") << 1 << int(Cartesian) << int(Straight)
                                            << Points{{0, 800}} << 0 << 1 << "300"
                                            << Points{{0, 800}} << 1;
    QTest::newRow("straight y taken") << 2 << int(Cartesian) << int(Straight) << Points{{0, 800}}
                                      << 0 << 2 << "1250" << Points{{0, 1250}} << 1;
}

void TestCoordTable::typingIntoCell()
{
    QFETCH(int, field);
    QFETCH(int, page);
    QFETCH(int, shape);
    QFETCH(Points, before);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, text);
    QFETCH(Points, after);
    QFETCH(int, emitted);

    Fixture f;
    f.setField(field, shape, before);
    f.dock.showTable(field, page);
    QVERIFY(f.dock.showActive());
    QVERIFY(typeIntoCell(f.table(field, page), row, column, text));

    QCOMPARE(f.model.current().points(field), after);
    QCOMPARE(f.edits.count(), emitted);
    // Both tables of the field show the stored points afterwards, whatever was typed.
    const int rows = after.size() + (shape == Polygon ? 1 : 0);
    for (int p : {Cartesian, PolarPage}) {
        QTableWidget *table = f.table(field, p);
        QCOMPARE(table->rowCount(), rows);
        for (int r = 0; r < after.size(); ++r) {
            const QStringList expected{QString::number(r + 1),
                                       p == Cartesian ? QString::number(after[r].x()) : PolarCellText(after[r], 1),
                                       p == Cartesian ? QString::number(after[r].y()) : PolarCellText(after[r], 2)};
            QCOMPARE(rowTexts(table, r), expected);
        }
        if (shape == Polygon)
            QCOMPARE(rowTexts(table, rows - 1), (QStringList{QString::number(rows), "0", "0"}));
    }
}

void TestCoordTable::rectangleRuleThroughTheTable()
{
    Fixture f;
    f.setField(0, Rectangle, {{0, 0}, {0, 500}, {800, 500}, {800, 0}});
    f.dock.showTable(0, Cartesian);
    QVERIFY(f.dock.showActive());
    QTableWidget *table = f.table(0, Cartesian);
    QVERIFY(typeIntoCell(table, 2, 1, QStringLiteral("900")));
    QCOMPARE(f.model.current().out1Points, (Points{{0, 0}, {0, 500}, {900, 500}, {900, 0}}));
    QVERIFY(typeIntoCell(table, 2, 2, QStringLiteral("600")));
    QCOMPARE(f.model.current().out1Points, (Points{{0, 0}, {0, 600}, {900, 600}, {900, 0}}));
    QCOMPARE(f.edits.count(), 2);
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(rowTexts(table, 1), (QStringList{"2", "0", "600"}));
    QCOMPARE(rowTexts(table, 3), (QStringList{"4", "900", "0"}));
}

void TestCoordTable::editRefillsBothTablesOfTheField()
{
    Fixture f;
    f.setField(1, Polygon, {{1000, 0}});
    f.dock.showTable(1, PolarPage);
    QVERIFY(f.dock.showActive());
    QVERIFY(typeIntoCell(f.table(1, PolarPage), 0, 2, QStringLiteral("90")));
    QCOMPARE(f.model.current().out2Points, (Points{{0, 1000}}));
    QCOMPARE(rowTexts(f.table(1, Cartesian), 0), (QStringList{"1", "0", "1000"}));
    QCOMPARE(rowTexts(f.table(1, PolarPage), 0), (QStringList{"1", "1000", "90"}));
    // The other fields' tables stay as they were.
    QCOMPARE(f.table(0, Cartesian)->rowCount(), 1);
    QCOMPARE(f.table(2, PolarPage)->rowCount(), 1);
}

void TestCoordTable::deleteKey_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<Points>("after");
    const Points three{{100, 0}, {0, 200}, {-300, 0}};
    QTest::newRow("polygon point, cartesian") << int(Cartesian) << int(Polygon) << three << 1
                                              << Points{{100, 0}, {-300, 0}};
    QTest::newRow("polygon point, polar") << int(PolarPage) << int(Polygon) << three << 0
                                          << Points{{0, 200}, {-300, 0}};
    QTest::newRow("new-point row") << int(Cartesian) << int(Polygon) << three << 3 << three;
    QTest::newRow("rectangle") << int(Cartesian) << int(Rectangle) << Points(4, {20, 0}) << 1
                               << Points(4, {20, 0});
    QTest::newRow("arc") << int(PolarPage) << int(Arc) << Points(2, {20, 0}) << 0
                         << Points(2, {20, 0});
}

void TestCoordTable::deleteKey()
{
    QFETCH(int, page);
    QFETCH(int, shape);
    QFETCH(Points, before);
    QFETCH(int, row);
    QFETCH(Points, after);
    Fixture f;
    f.setField(2, shape, before);
    f.dock.showTable(2, page);
    QVERIFY(f.dock.showActive());
    QTableWidget *table = f.table(2, page);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier,
                      table->visualItemRect(table->item(row, 1)).center());
    QCOMPARE(table->currentRow(), row);
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(f.model.current().out3Points, after);
    QCOMPARE(f.edits.count(), after == before ? 0 : 1);
    const int rows = after.size() + (shape == Polygon ? 1 : 0);
    QCOMPARE(f.table(2, Cartesian)->rowCount(), rows);
    QCOMPARE(f.table(2, PolarPage)->rowCount(), rows);
}

void TestCoordTable::otherKeysAreConsumed()
{
    Fixture f;
    f.setField(0, Polygon, {{100, 0}, {0, 200}});
    f.dock.showTable(0, Cartesian);
    QVERIFY(f.dock.showActive());
    QTableWidget *table = f.table(0, Cartesian);
    table->setFocus();
    table->setCurrentCell(0, 1);
    QTest::keyClick(table, Qt::Key_Down);
    QCOMPARE(table->currentRow(), 0);
    QTest::keyClick(table, Qt::Key_5);
    QTest::keyClick(table, Qt::Key_F2);
    for (int column = 0; column < 3; ++column)  // no editor opened
        QVERIFY(!table->indexWidget(table->model()->index(0, column)));
    QTest::keyClick(table, Qt::Key_Backspace);
    QCOMPARE(f.model.current().out1Points, (Points{{100, 0}, {0, 200}}));
    QCOMPARE(f.edits.count(), 0);
}

void TestCoordTable::editUsesTheCurrentArea()
{
    Fixture f;
    f.model.setCurrentArea(70);  // behaves as the last area
    f.setField(0, Polygon, {});
    QCOMPARE(f.model.currentArea(), 63);
    f.dock.showTable(0, Cartesian);
    QVERIFY(f.dock.showActive());
    QVERIFY(typeIntoCell(f.table(0, Cartesian), 0, 1, QStringLiteral("40")));
    QCOMPARE(f.model.area(63).out1Points, (Points{{40, 0}}));
    QVERIFY(f.model.area(0).out1Points.isEmpty());
}

QTEST_MAIN(TestCoordTable)
#include "tst_coordtable.moc"
