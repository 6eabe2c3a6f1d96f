#include "core/areas/areamodel.h"
#include "editiondockundertest.h"
#include "gui/graphics/painttable.h"

#include <QHeaderView>
#include <QMenu>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::testing;

using Points = QVector<QPoint>;

namespace {

// The edition dock with its three area editors on one document.
struct Fixture
{
    AreaModel model;
    EditionDockUnderTest dock{&model};
    AREA_TABLE &areaTable = dock.list();
    EDIT_CONTROL &control = dock.controls();
    QSignalSpy indexChanges{&areaTable, &AREA_TABLE::AreaTableIndexChange};
    QSignalSpy areaEdits{&areaTable, &AREA_TABLE::EditAreaDataSignal};

    QTableWidget *table() const { return dock.areaTable; }

    // Clicks the number cell of `row`, the way a user picks an area.
    void clickRow(int row, int column = 0)
    {
        QTableWidgetItem *item = table()->item(row, 0);
        table()->scrollToItem(item);
        const QRect cell = table()->visualRect(table()->model()->index(row, column));
        QTest::mouseClick(table()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    void press(const QKeySequence &keys)
    {
        QTest::keySequence(&dock.dock, keys);
    }
};

AreaRecord taggedArea(int tag)
{
    AreaRecord area;
    area.openDelay = tag % 26;
    area.hysteresis = 2;
    area.out1Shape = Rectangle;
    area.out1Points = {{-tag, 0}, {-tag, 900}, {tag, 900}, {tag, 0}};
    area.out2Shape = Straight;
    area.out2Points = {{0, 400}};
    area.out3Points = {{tag, tag}, {-tag, tag}};
    return area;
}

// Counts the paint events that reach a set of widgets.
class PaintCounter : public QObject
{
public:
    QSet<QObject *> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

}  // namespace

class TestAreaTable : public QObject
{
    Q_OBJECT

private slots:
    void layout();
    void rowClickMakesAreaCurrent_data();
    void rowClickMakesAreaCurrent();
    void clickingTheCurrentRowEmitsNothing();
    void rowClickRedrawsVisibleThumbnails();
    void copyOnThreeClickSevenPaste();
    void cutAndDeleteThroughShortcuts_data();
    void cutAndDeleteThroughShortcuts();
    void deleteAll();
    void firstEditThenUndoGivesBlankArea();
    void undoAtStartStillAnnounces();
    void editsDeleteUndoRedo();
    void hundredFiftyEditsAllowNinetyNineUndos();
    void editAfterTwoUndosDropsRedoStates();
    void undoActsOnTheCurrentAreaOnly();
    void sameDelayChosenAgainSnapshots();
    void editMarker();
    void contextMenu();
    void snapshotOfAllAreas();
};

void TestAreaTable::layout()
{
    Fixture f;
    QTableWidget *t = f.table();
    QCOMPARE(t->rowCount(), AreaCount);
    QCOMPARE(t->columnCount(), 3);
    QVERIFY(t->horizontalHeader()->isHidden());
    QVERIFY(t->verticalHeader()->isHidden());
    QCOMPARE(t->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(t->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(t->columnWidth(0), 40);
    QCOMPARE(t->columnWidth(1), 10);
    QCOMPARE(t->horizontalHeader()->sectionResizeMode(2), QHeaderView::Stretch);
    QCOMPARE(t->contextMenuPolicy(), Qt::CustomContextMenu);
    for (int row = 0; row < AreaCount; ++row) {
        QCOMPARE(t->rowHeight(row), 100);
        QCOMPARE(t->item(row, 0)->text(), QString::number(row));
        QCOMPARE(t->item(row, 0)->foreground().color(), QColor(Qt::blue));
        QCOMPARE(t->item(row, 0)->font().family(), QStringLiteral("times"));
        auto *thumb = qobject_cast<PAINT_TABLE *>(t->cellWidget(row, 2));
        QVERIFY(thumb);
        QCOMPARE(thumb->AreaIndex(), row);
        QCOMPARE(thumb, f.areaTable.thumbnail(row));
    }
    const int dpi = t->logicalDpiX();
    QCOMPARE(t->item(0, 0)->font().pointSize(), qMax(1, int(20 / (dpi / 96.0))));
    QVERIFY(f.areaTable.parent() == nullptr);
    QVERIFY(!f.areaTable.isVisible());
}

void TestAreaTable::rowClickMakesAreaCurrent_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::newRow("number cell") << 7 << 0;
    QTest::newRow("marker cell") << 12 << 1;
    QTest::newRow("thumbnail") << 63 << 2;
}

void TestAreaTable::rowClickMakesAreaCurrent()
{
    QFETCH(int, row);
    QFETCH(int, column);
    Fixture f;
    f.model.replaceArea(row, taggedArea(row));
    QVERIFY(f.dock.showActive());
    f.clickRow(row, column);
    QCOMPARE(f.model.currentArea(), row);
    QCOMPARE(f.indexChanges.count(), 1);
    QCOMPARE(f.areaEdits.count(), 0);
    QVERIFY(!f.model.isModified());
    // The listeners reloaded the editors from the new area.
    QCOMPARE(f.dock.openDelay->currentIndex(), row % 26);
    QCOMPARE(f.dock.coordTables[0]->rowCount(), 4);
    QCOMPARE(f.dock.coordTables[0]->item(2, 1)->text(), QString::number(row));
    QVERIFY(f.dock.shapeButtons[1][Straight]->isChecked());
}

void TestAreaTable::clickingTheCurrentRowEmitsNothing()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    f.clickRow(5);
    QCOMPARE(f.indexChanges.count(), 1);
    f.clickRow(5);
    f.clickRow(5, 2);
    QCOMPARE(f.indexChanges.count(), 1);
    QCOMPARE(f.model.currentArea(), 5);
}

void TestAreaTable::rowClickRedrawsVisibleThumbnails()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    QTest::qWait(50);
    PaintCounter counter;
    for (int area = 0; area < AreaCount; ++area)
        f.areaTable.thumbnail(area)->installEventFilter(&counter);
    f.clickRow(1);
    QTRY_VERIFY(!counter.painted.isEmpty());
    QTest::qWait(20);
    // Every thumbnail on screen repaints, not only the two rows whose selection changed.
    for (int area = 0; area < AreaCount; ++area) {
        PAINT_TABLE *thumb = f.areaTable.thumbnail(area);
        if (!thumb->visibleRegion().isEmpty())
            QVERIFY2(counter.painted.contains(thumb), qPrintable(QString::number(area)));
    }
    QVERIFY(counter.painted.contains(f.areaTable.thumbnail(3)));
}

void TestAreaTable::copyOnThreeClickSevenPaste()
{
    Fixture f;
    f.model.replaceArea(3, taggedArea(3));
    QVERIFY(f.dock.showActive());
    f.clickRow(3);
    f.press(QKeySequence(QStringLiteral("Ctrl+C")));
    QCOMPARE(f.model.clipboard(), taggedArea(3));
    QVERIFY(!f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 0);
    f.clickRow(7);
    f.press(QKeySequence(QStringLiteral("Ctrl+V")));
    QCOMPARE(f.model.area(7), f.model.area(3));
    QCOMPARE(f.model.area(7).out3Points, (Points{{3, 3}, {-3, 3}}));
    QVERIFY(f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 1);
    // The coordinate tables show the pasted area.
    QCOMPARE(f.dock.coordTables[2]->rowCount(), 3);
    QCOMPARE(f.dock.coordTables[2]->item(1, 1)->text(), QStringLiteral("-3"));
}

void TestAreaTable::cutAndDeleteThroughShortcuts_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<bool>("clipped");
    QTest::newRow("cut") << "Ctrl+X" << true;
    QTest::newRow("delete") << "Ctrl+D" << false;
}

void TestAreaTable::cutAndDeleteThroughShortcuts()
{
    QFETCH(QString, keys);
    QFETCH(bool, clipped);
    Fixture f;
    f.model.replaceArea(9, taggedArea(9));
    f.model.replaceArea(10, taggedArea(10));
    QVERIFY(f.dock.showActive());
    f.clickRow(9);
    f.press(QKeySequence(keys));
    QCOMPARE(f.model.area(9), f.model.blankArea());
    QCOMPARE(f.model.area(10), taggedArea(10));
    QCOMPARE(f.model.clipboard() == taggedArea(9), clipped);
    QVERIFY(f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 1);
    QCOMPARE(f.model.undoHistory(9).size(), 2);  // an undo step like every other change
    QCOMPARE(f.dock.coordTables[0]->rowCount(), 1);
    QVERIFY(f.dock.shapeButtons[0][Polygon]->isChecked());
}

void TestAreaTable::deleteAll()
{
    Fixture f;
    for (int area = 0; area < AreaCount; ++area)
        f.model.replaceArea(area, taggedArea(area));
    f.dock.removeAll->trigger();
    for (const AreaRecord &area : f.model.areas())
        QCOMPARE(area, f.model.blankArea());
    QVERIFY(f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 1);
}

void TestAreaTable::firstEditThenUndoGivesBlankArea()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    f.dock.showTable(0, 0);
    QVERIFY(typeIntoCell(f.dock.coordTables[0], 0, 2, QStringLiteral("1000")));
    QCOMPARE(f.model.area(0).out1Points, (Points{{0, 1000}}));
    QCOMPARE(f.model.undoHistory(0).size(), 2);

    f.press(QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(f.model.area(0), f.model.blankArea());
    QCOMPARE(f.model.area(0).detectionSize, 0);
    QCOMPARE(f.dock.detectionSize->currentIndex(), 0);
    QCOMPARE(f.dock.coordTables[0]->rowCount(), 1);
    QCOMPARE(f.areaEdits.count(), 1);
}

void TestAreaTable::undoAtStartStillAnnounces()
{
    Fixture f;
    const AreaRecord before = f.model.area(0);
    f.dock.undo->trigger();
    QCOMPARE(f.model.area(0), before);
    QVERIFY(f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 1);
    f.model.setModified(false);
    f.dock.redo->trigger();
    QCOMPARE(f.model.area(0), before);
    QVERIFY(f.model.isModified());
    QCOMPARE(f.areaEdits.count(), 2);
}

void TestAreaTable::editsDeleteUndoRedo()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    f.clickRow(20);
    QTest::mouseClick(f.dock.shapeButtons[0][Rectangle], Qt::LeftButton);  // edit A
    const AreaRecord afterA = f.model.area(20);
    f.dock.showTable(0, 0);
    QVERIFY(typeIntoCell(f.dock.coordTables[0], 2, 1, QStringLiteral("700")));  // edit B
    const AreaRecord afterB = f.model.area(20);
    QCOMPARE(afterB.out1Points, (Points{{20, 0}, {20, 0}, {700, 0}, {700, 0}}));

    // Delete is an undo step of its own: Undo brings back B, the edit just before it,
    // and a second Undo A.
    f.press(QKeySequence(QStringLiteral("Ctrl+D")));
    QCOMPARE(f.model.area(20), f.model.blankArea());
    f.press(QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(f.model.area(20), afterB);
    QCOMPARE(f.dock.coordTables[0]->item(3, 1)->text(), QStringLiteral("700"));
    f.press(QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(f.model.area(20), afterA);
    QVERIFY(f.dock.shapeButtons[0][Rectangle]->isChecked());
    f.press(QKeySequence(QStringLiteral("Ctrl+Y")));
    QCOMPARE(f.model.area(20), afterB);
    QCOMPARE(f.dock.coordTables[0]->item(3, 1)->text(), QStringLiteral("700"));
}

void TestAreaTable::hundredFiftyEditsAllowNinetyNineUndos()
{
    Fixture f;
    f.model.setCurrentArea(40);
    for (int edit = 1; edit <= 150; ++edit)
        f.control.OpenDelayIndexChange(edit % 26);
    QCOMPARE(f.model.undoHistory(40).size(), 100);
    int undos = 0;
    while (f.model.undoCursor(40) > 0 && undos < 150) {
        f.dock.undo->trigger();
        ++undos;
    }
    QCOMPARE(undos, 99);
    QCOMPARE(f.model.area(40).openDelay, 51 % 26);  // the state after edit 51
    f.dock.undo->trigger();
    QCOMPARE(f.model.area(40).openDelay, 51 % 26);
    QCOMPARE(f.model.undoCursor(40), 0);
    f.dock.redo->trigger();
    QCOMPARE(f.model.area(40).openDelay, 52 % 26);
}

void TestAreaTable::editAfterTwoUndosDropsRedoStates()
{
    Fixture f;
    for (int index : {1, 2, 3, 4})
        f.control.HysteresisIndexChange(index);
    f.dock.undo->trigger();
    f.dock.undo->trigger();
    QCOMPARE(f.model.current().hysteresis, 2);
    f.control.HysteresisIndexChange(9);
    QCOMPARE(f.model.undoHistory(0).size(), 4);
    f.dock.redo->trigger();
    QCOMPARE(f.model.current().hysteresis, 9);
    f.dock.undo->trigger();
    QCOMPARE(f.model.current().hysteresis, 2);
}

void TestAreaTable::undoActsOnTheCurrentAreaOnly()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    f.control.DetectionSizeIndexChange(4);
    f.clickRow(2);
    f.control.DetectionSizeIndexChange(6);
    QVector<QVector<AreaRecord>> histories;
    for (int area = 0; area < AreaCount; ++area)
        histories << f.model.undoHistory(area);
    f.press(QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(f.model.area(2), f.model.blankArea());
    QCOMPARE(f.model.area(0).detectionSize, 4);
    QCOMPARE(f.model.undoCursor(0), 1);
    for (int area = 0; area < AreaCount; ++area)
        QCOMPARE(f.model.undoHistory(area), histories.at(area));
}

void TestAreaTable::sameDelayChosenAgainSnapshots()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    for (int i = 0; i < 2; ++i) {
        f.dock.closeDelay->showPopup();
        QAbstractItemView *list = f.dock.closeDelay->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        while (list->currentIndex().row() < 4)
            QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Return);
        QTRY_VERIFY(!list->window()->isVisible());
    }
    QCOMPARE(f.model.current().closeDelay, 4);
    QCOMPARE(f.model.undoHistory(0).size(), 3);
    f.dock.undo->trigger();
    QCOMPARE(f.model.current().closeDelay, 4);
    f.dock.undo->trigger();
    QCOMPARE(f.model.current(), f.model.blankArea());
}

void TestAreaTable::editMarker()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    f.clickRow(4);
    QCOMPARE(f.table()->item(4, 1)->background().style(), Qt::NoBrush);
    f.dock.showTable(1, 0);
    QVERIFY(typeIntoCell(f.dock.coordTables[1], 0, 1, QStringLiteral("250")));
    QCOMPARE(f.table()->item(4, 1)->background().color(), QColor(Qt::green));
    // Stays green through other work; other rows stay unmarked.
    f.clickRow(8);
    f.press(QKeySequence(QStringLiteral("Ctrl+D")));
    f.dock.undo->trigger();
    QCOMPARE(f.table()->item(4, 1)->background().color(), QColor(Qt::green));
    QCOMPARE(f.table()->item(8, 1)->background().style(), Qt::NoBrush);
    // A parameter change does not mark the row; a shape change sets the points anew
    // and does.
    f.control.OpenDelayIndexChange(3);
    QCOMPARE(f.table()->item(8, 1)->background().style(), Qt::NoBrush);
    QTest::mouseClick(f.dock.shapeButtons[0][Arc], Qt::LeftButton);
    QCOMPARE(f.table()->item(8, 1)->background().color(), QColor(Qt::green));
    f.clickRow(4);
    f.areaTable.ResetEditAreaTableDisplay();
    QCOMPARE(f.table()->item(4, 1)->background().color(), QColor(Qt::white));
}

void TestAreaTable::contextMenu()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    QList<QAction *> shown;
    for (int i = 0; i < 2; ++i) {
        QTimer::singleShot(0, &f.areaTable, [&] {
            QMenu *menu = f.areaTable.contextMenu();
            QTRY_VERIFY(menu->isVisible());
            shown = menu->actions();
            menu->close();
        });
        const QPoint pos = f.table()->visualRect(f.table()->model()->index(1, 0)).center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, f.table()->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(f.table()->viewport(), &event);
        QCOMPARE(shown, (QList<QAction *>{f.dock.copy, f.dock.cut, f.dock.paste, f.dock.remove}));
    }
    QVERIFY(!f.areaTable.contextMenu()->isVisible());
}

void TestAreaTable::snapshotOfAllAreas()
{
    Fixture f;
    for (int area = 0; area < AreaCount; ++area)
        f.model.replaceArea(area, taggedArea(area));
    f.areaTable.SaveAllUndoAreaTableData();
    for (int area = 0; area < AreaCount; ++area)
        QCOMPARE(f.model.undoHistory(area).last(), taggedArea(area));
    f.model.setCurrentArea(33);
    f.dock.undo->trigger();
    QCOMPARE(f.model.area(33), f.model.blankArea());
}

QTEST_MAIN(TestAreaTable)
#include "tst_areatable.moc"
