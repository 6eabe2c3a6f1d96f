// The document and its views in the real main window. A change made anywhere (by an
// editor, by a handle in the scene, or directly on the document as a read-all, an
// opened file or the scanner's active area make it) shows in the area list, the
// coordinate tables, the edit controls and the scene; and every change of an area is
// one step of that area's undo history.

#include "areachange.h"
#include "editingwindow.h"
#include "gui/graphics/paintout.h"
#include "gui/graphics/painttable.h"
#include "gui/graphics/pointratio.h"

#include <QComboBox>
#include <QToolButton>

using namespace veltrix;
using testing::cellText;
using testing::PaintCounter;
using Window = testing::EditingWindow;

using Points = QVector<QPoint>;
Q_DECLARE_METATYPE(Points)

namespace {

// A distinguishable area: a three-point polygon Out1 and a straight Out2 that carry
// `tag`, and an open delay of `tag` steps.
AreaRecord taggedArea(int tag)
{
    AreaRecord area;
    area.openDelay = tag % 26;
    area.out1Points = {{-100 - 10 * tag, 1000}, {0, 2000 + 10 * tag}, {100 + 10 * tag, 1000}};
    area.out2Shape = Straight;
    area.out2Points = {{0, 500 + tag}};
    return area;
}

}  // namespace

class TestDocumentViews : public QObject
{
    Q_OBJECT

private slots:
    void startsShowingAreaZero();
    void documentChangeShowsInEveryView_data();
    void documentChangeShowsInEveryView();
    void keyboardPicksAnAreaAsAClickDoes_data();
    void keyboardPicksAnAreaAsAClickDoes();
    void undoAndRedoFollowTheAreaBeingEdited();
    void fieldFollowsTheOutTab_data();
    void fieldFollowsTheOutTab();
    void handleGesturesShowEverywhereAndAreUndoSteps_data();
    void handleGesturesShowEverywhereAndAreUndoSteps();
    void clipboardAndDeleteThroughTheMenus();
    void hostilePointStaysWithinTheLimit();
};

void TestDocumentViews::startsShowingAreaZero()
{
    Window w;
    QCOMPARE(w.list()->rowCount(), 64);
    QVERIFY(qobject_cast<PAINT_TABLE *>(w.thumbnail(63)));
    QCOMPARE(w.list()->currentRow(), 0);
    QCOMPARE(w.widget<QComboBox>("Area_DetectionSize")->currentText(), QStringLiteral("1.0°"));
    QCOMPARE(w.widget<QComboBox>("Area_OpenDelay")->currentIndex(), 0);
    QCOMPARE(w.coordTable(0)->rowCount(), 1);
    QVERIFY(w.widget<QToolButton>("ButtonPolygonOut3")->isChecked());
    QVERIFY(!w.widget<QToolButton>("ButtonFanOut1")->isEnabled());
    QCOMPARE(w.handles(), QList<QPointF>{QPointF(0, 0)});
    QVERIFY(!w.model().isModified());
}

void TestDocumentViews::documentChangeShowsInEveryView_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<int>("area");
    QTest::newRow("current area read from the scanner") << "read area" << 0;
    QTest::newRow("all areas of an opened file") << "open file" << 0;
    QTest::newRow("active area reported by the scanner") << "active area" << 3;
}

// Nothing but the document is touched: each view brings itself up to date.
void TestDocumentViews::documentChangeShowsInEveryView()
{
    QFETCH(QString, change);
    QFETCH(int, area);
    Window w;
    QVERIFY(w.showActive());
    PaintCounter counter;
    w.watchThumbnail(area, &counter);
    const int tag = 7;
    if (change == QLatin1String("read area")) {
        w.model().replaceArea(0, taggedArea(tag));
    } else if (change == QLatin1String("open file")) {
        QVector<AreaRecord> areas(AreaCount, taggedArea(tag));
        QVERIFY(w.model().replaceAllAreas(areas));
    } else {
        w.model().replaceArea(area, taggedArea(tag));
        w.model().setCurrentArea(area);
    }

    QCOMPARE(w.list()->currentRow(), area);
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(w.coordTable(0)->rowCount(), 4);  // three points and the new-point row
    QCOMPARE(cellText(w.coordTable(0), 1, 2), QStringLiteral("2070"));
    QCOMPARE(cellText(w.polarTable(1), 0, 1), QStringLiteral("507"));
    QCOMPARE(w.widget<QComboBox>("Area_OpenDelay")->currentText(), QStringLiteral("140ms"));
    QVERIFY(w.widget<QToolButton>("ButtonStraightOut2")->isChecked());
    QVERIFY(!w.widget<QToolButton>("ButtonPolygonOut2")->isChecked());
    const QList<QPointF> handles = w.handles();
    QCOMPARE(handles.size(), 4);  // three vertices and the centre handle
    QVERIFY(handles.contains(QPointF(0, -2070)));
    QVERIFY(handles.contains(QPointF(-170, -1000)));
    // The scene draws the new fields: Out2 is cut from the new Out1.
    QCOMPARE(w.scene()->Out2Item()->PreviousPath().boundingRect(), QRectF(-170, -2070, 340, 2070));
    QVERIFY(!w.model().isModified());
}

void TestDocumentViews::keyboardPicksAnAreaAsAClickDoes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");  // -1: somewhere below `from`
    QTest::newRow("click") << "click" << 0 << 5;
    QTest::newRow("Down") << "Down" << 4 << 5;
    QTest::newRow("Up") << "Up" << 6 << 5;
    QTest::newRow("Page Down") << "PgDown" << 0 << -1;
    QTest::newRow("Ctrl+End") << "Ctrl+End" << 2 << 63;
    QTest::newRow("Ctrl+Home") << "Ctrl+Home" << 9 << 0;
}

void TestDocumentViews::keyboardPicksAnAreaAsAClickDoes()
{
    QFETCH(QString, how);
    QFETCH(int, from);
    QFETCH(int, to);
    Window w;
    QVector<AreaRecord> areas;
    for (int area = 0; area < AreaCount; ++area)
        areas << taggedArea(area);
    QVERIFY(w.model().replaceAllAreas(areas));
    QVERIFY(w.showActive());
    // Made current on the document, as in monitoring mode: the list follows.
    w.model().setCurrentArea(from);
    QCOMPARE(w.list()->currentRow(), from);

    if (how == QLatin1String("click")) {
        w.clickRow(to);
    } else {
        w.list()->setFocus();
        QTest::keySequence(w.list(), QKeySequence(how));
    }
    const int area = w.model().currentArea();
    if (to >= 0)
        QCOMPARE(area, to);
    else
        QVERIFY(area > from);
    QCOMPARE(w.list()->currentRow(), area);
    QCOMPARE(w.widget<QComboBox>("Area_OpenDelay")->currentIndex(), area % 26);
    QCOMPARE(cellText(w.coordTable(0), 1, 2), QString::number(2000 + 10 * area));
    QVERIFY(w.handles().contains(QPointF(0, -(2000 + 10 * area))));
    QVERIFY(!w.model().isModified());
}

// Each area keeps its own history; Undo and Redo act on the area being edited, and
// every view shows the result.
void TestDocumentViews::undoAndRedoFollowTheAreaBeingEdited()
{
    Window w;
    QVERIFY(w.showActive());
    w.clickTab(1);
    QCOMPARE(w.model().currentField(), 1);
    QTest::mouseClick(w.widget<QToolButton>("ButtonFanOut2"), Qt::LeftButton);
    QCOMPARE(w.model().area(0).out2Shape, qint32(Fan));
    QCOMPARE(w.coordTable(1)->rowCount(), 1);
    QCOMPARE(cellText(w.coordTable(1), 0, 2), QStringLiteral("20"));
    QCOMPARE(w.handles(), QList<QPointF>{QPointF(0, -20)});
    QVERIFY(w.model().isModified());

    w.clickRow(5);
    w.showTable(0, 0);
    QVERIFY(testing::typeIntoCell(w.coordTable(0), 0, 2, QStringLiteral("1500")));
    QCOMPARE(w.model().area(5).out1Points, (Points{{0, 1500}}));
    QCOMPARE(w.model().undoHistory(5).size(), 2);
    QVERIFY(w.handles().contains(QPointF(0, -1500)));

    w.clickRow(0);
    w.press("Ctrl+Z");
    QCOMPARE(w.model().area(0), w.model().blankArea());
    QCOMPARE(w.model().area(5).out1Points, (Points{{0, 1500}}));
    QVERIFY(w.widget<QToolButton>("ButtonPolygonOut2")->isChecked());
    QVERIFY(!w.widget<QToolButton>("ButtonFanOut2")->isChecked());
    QCOMPARE(w.widget<QComboBox>("Area_DetectionSize")->currentText(), QStringLiteral("0.5°"));
    QCOMPARE(w.coordTable(1)->rowCount(), 1);
    QCOMPARE(cellText(w.coordTable(1), 0, 2), QStringLiteral("0"));
    w.press("Ctrl+Y");
    QCOMPARE(w.model().area(0).out2Shape, qint32(Fan));
    QVERIFY(w.widget<QToolButton>("ButtonFanOut2")->isChecked());

    w.clickRow(5);
    QCOMPARE(w.handles().size(), 2);  // the vertex and the centre handle
    w.press("Ctrl+Z");
    QCOMPARE(w.model().area(5), w.model().blankArea());
    QCOMPARE(w.model().area(0).out2Shape, qint32(Fan));
    QCOMPARE(w.coordTable(0)->rowCount(), 1);
    QCOMPARE(w.handles(), QList<QPointF>{QPointF(0, 0)});
    w.press("Ctrl+Y");
    QCOMPARE(cellText(w.coordTable(0), 0, 2), QStringLiteral("1500"));
    QVERIFY(w.handles().contains(QPointF(0, -1500)));
}

void TestDocumentViews::fieldFollowsTheOutTab_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("field");
    QTest::newRow("click on Out 3") << "click" << 2;
    QTest::newRow("Ctrl+Tab") << "Ctrl+Tab" << 1;
    QTest::newRow("right arrow on the tab bar") << "Right" << 1;
}

// However the Out tab changed, the handles and a drag edit the field it shows.
void TestDocumentViews::fieldFollowsTheOutTab()
{
    QFETCH(QString, how);
    QFETCH(int, field);
    Window w;
    changeArea(w.model(), 0, [](AreaRecord &area) {
        area.out1Points = {{500, 0}, {0, 500}};
        area.out2Shape = Straight;
        area.out2Points = {{0, 800}};
        area.out3Shape = Fan;
        area.out3Points = {{0, 900}};
    });
    QVERIFY(w.showActive());
    if (how == QLatin1String("click")) {
        w.clickTab(field);
    } else if (how == QLatin1String("Ctrl+Tab")) {
        w.outTabs()->currentWidget()->setFocus();
        QTest::keyClick(w.outTabs()->currentWidget(), Qt::Key_Tab, Qt::ControlModifier);
    } else {
        w.outTabs()->tabBar()->setFocus();
        QTest::keyClick(w.outTabs()->tabBar(), Qt::Key_Right);
    }
    QCOMPARE(w.outTabs()->currentIndex(), field);
    QCOMPARE(w.model().currentField(), field);
    const int value = field == 1 ? 800 : 900;
    QCOMPARE(w.handles(), QList<QPointF>{QPointF(0, -value)});
    QVERIFY(qgraphicsitem_cast<POINT_RATIO *>(w.scene()->PointItems().first()));
    PaintOutItem *items[3] = {w.scene()->Out1Item(), w.scene()->Out2Item(), w.scene()->Out3Item()};
    for (int other = 0; other < 3; ++other) {
        QCOMPARE(items[other]->Edited(), other == field);
        if (other != field)
            QVERIFY(items[field]->zValue() > items[other]->zValue());
    }

    // Dragging the bar edits that field, and only that one.
    w.drag(w.pixel(0, value), w.pixel(0, value + 200));
    QCOMPARE(w.model().area(0).points(field), (Points{{0, value + 200}}));
    QCOMPARE(w.model().area(0).out1Points, (Points{{500, 0}, {0, 500}}));

    w.clickTab(0);
    QCOMPARE(w.model().currentField(), 0);
    QCOMPARE(w.handles().size(), 3);  // two vertices and the centre handle
}

void TestDocumentViews::handleGesturesShowEverywhereAndAreUndoSteps_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<Points>("before");
    QTest::addColumn<Points>("after");
    const Points three = {{400, 0}, {0, 400}, {-400, 0}};
    QTest::newRow("centre handle dragged out") << "drag centre" << Points{} << Points{{300, 400}};
    QTest::newRow("vertex dragged in two moves")
        << "drag vertex" << three << Points{{600, 200}, {0, 400}, {-400, 0}};
    QTest::newRow("vertex removed with the right button")
        << "right click" << three << Points{{400, 0}, {-400, 0}};
    QTest::newRow("vertex removed with the Delete key")
        << "delete key" << three << Points{{400, 0}, {-400, 0}};
}

// A gesture ends with the area as it now is in its history, so that Undo steps back
// exactly that gesture and Redo brings it back; the table and the thumbnail follow,
// and the area's edit marker goes green as after a point typed into the tables.
void TestDocumentViews::handleGesturesShowEverywhereAndAreUndoSteps()
{
    QFETCH(QString, gesture);
    QFETCH(Points, before);
    QFETCH(Points, after);
    Window w;
    QVERIFY(w.showActive());
    AreaRecord start = w.model().current();
    start.out1Points = before;
    w.model().editCurrentArea(start);  // an edit elsewhere, and so the present undo step
    PaintCounter counter;
    w.watchThumbnail(0, &counter);
    QTableWidgetItem *marker = w.list()->item(0, 1);
    QCOMPARE(marker->background().style(), Qt::NoBrush);

    QWidget *viewport = w.view()->viewport();
    if (gesture == QLatin1String("drag centre")) {
        w.drag(w.pixel(0, 0), w.pixel(300, 400));
    } else if (gesture == QLatin1String("drag vertex")) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, w.pixel(400, 0));
        mouse::moveTo(viewport, w.pixel(500, 100), Qt::LeftButton);
        mouse::moveTo(viewport, w.pixel(600, 200), Qt::LeftButton);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, w.pixel(600, 200));
    } else if (gesture == QLatin1String("right click")) {
        QTest::mouseClick(viewport, Qt::RightButton, {}, w.pixel(0, 400));
    } else {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, w.pixel(0, 400));
        QTest::keyClick(w.view(), Qt::Key_Delete);
    }
    const AreaModel &model = w.model();
    QCOMPARE(model.current().out1Points, after);
    QCOMPARE(model.undoHistory(0).at(model.undoCursor(0)).out1Points, after);
    QCOMPARE(w.coordTable(0)->rowCount(), after.size() + 1);
    QCOMPARE(cellText(w.coordTable(0), 0, 1), QString::number(after[0].x()));
    QCOMPARE(cellText(w.coordTable(0), 0, 2), QString::number(after[0].y()));
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(marker->background().color(), QColor(Qt::green));

    w.press("Ctrl+Z");
    QCOMPARE(model.current().out1Points, before);
    QCOMPARE(w.coordTable(0)->rowCount(), before.size() + 1);
    QCOMPARE(w.handles().size(), before.size() + 1);  // the points and the centre handle
    w.press("Ctrl+Y");
    QCOMPARE(model.current().out1Points, after);
    QVERIFY(w.handles().contains(QPointF(after[0].x(), -after[0].y())));
}

// Copy, Cut, Paste, Delete and Delete All from the Edit menu's shortcuts and actions.
// Cut is an undo step of its own: one Undo brings back exactly the edit before it.
void TestDocumentViews::clipboardAndDeleteThroughTheMenus()
{
    Window w;
    QVERIFY(w.showActive());
    w.clickRow(3);
    w.showTable(0, 0);
    QVERIFY(testing::typeIntoCell(w.coordTable(0), 0, 2, QStringLiteral("1500")));
    QCOMPARE(w.model().area(3).out1Points, (Points{{0, 1500}}));
    QCOMPARE(w.list()->item(3, 1)->background().color(), QColor(Qt::green));
    QCOMPARE(w.model().undoHistory(3).size(), 2);

    w.press("Ctrl+C");
    w.clickRow(7);
    w.press("Ctrl+V");
    QCOMPARE(w.model().area(7), w.model().area(3));
    QCOMPARE(cellText(w.coordTable(0), 0, 2), QStringLiteral("1500"));

    QVERIFY(testing::typeIntoCell(w.coordTable(0), 0, 1, QStringLiteral("250")));
    const AreaRecord edited = w.model().area(7);
    QCOMPARE(edited.out1Points, (Points{{250, 1500}}));
    w.press("Ctrl+X");
    QCOMPARE(w.model().area(7), w.model().blankArea());
    QCOMPARE(w.model().clipboard(), edited);
    QCOMPARE(w.handles(), QList<QPointF>{QPointF(0, 0)});
    w.press("Ctrl+Z");
    QCOMPARE(w.model().area(7), edited);
    QCOMPARE(cellText(w.coordTable(0), 0, 1), QStringLiteral("250"));
    QVERIFY(w.handles().contains(QPointF(250, -1500)));

    w.widget<QAction>("DeleteAll")->trigger();
    for (const AreaRecord &area : w.model().areas())
        QCOMPARE(area, w.model().blankArea());
    QCOMPARE(w.coordTable(0)->rowCount(), 1);
    QVERIFY(w.model().isModified());
}

// A point typed as (1e10, 1e10) and then turned in the polar table to point behind
// the scanner (a distance of 1.4e6 mm) is held at 1 000 000 mm on each axis, in the
// document, the tables, the handles and the drawings.
void TestDocumentViews::hostilePointStaysWithinTheLimit()
{
    Window w;
    QVERIFY(w.showActive());
    w.showTable(0, 0);
    QVERIFY(testing::typeIntoCell(w.coordTable(0), 0, 1, QStringLiteral("1e10")));
    QVERIFY(testing::typeIntoCell(w.coordTable(0), 0, 2, QStringLiteral("1e10")));
    QCOMPARE(w.model().current().out1Points, (Points{{CoordinateLimit, CoordinateLimit}}));
    QCOMPARE(cellText(w.coordTable(0), 0, 1), QStringLiteral("1000000"));

    w.showTable(0, 1);
    QVERIFY(testing::typeIntoCell(w.polarTable(0), 0, 2, QStringLiteral("269.99")));
    const QPoint point = w.model().current().out1Points.at(0);
    QCOMPARE(point.y(), -CoordinateLimit);
    QVERIFY(qAbs(point.x()) < 1000);
    QCOMPARE(cellText(w.coordTable(0), 0, 2), QStringLiteral("-1000000"));
    QVERIFY(w.handles().contains(QPointF(point.x(), CoordinateLimit)));
    const QRectF drawn = w.scene()->Out1Item()->Drawing().path.boundingRect();
    QVERIFY(QRectF(-CoordinateLimit, -CoordinateLimit, 2 * CoordinateLimit, 2 * CoordinateLimit)
                .contains(drawn));
    QImage image(200, 100, QImage::Format_ARGB32_Premultiplied);
    w.thumbnail(0)->render(&image);  // drawn without overflowing anywhere
}

QTEST_MAIN(TestDocumentViews)
#include "tst_documentviews.moc"
