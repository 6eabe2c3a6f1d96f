// The area editors inside the real main window: built from its form and wired by it.

#include "app/mainwindow.h"
#include "editiondock.h"
#include "graphics/painttable.h"

#include <QComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace veltrix;

namespace {

struct Window
{
    MainWindow window;
    QVector<UserMessage> shown;

    Window()
    {
        window.messenger().setPresenter([this](const UserMessage &message) {
            shown.append(message);
            return 1;
        });
    }

    template<typename T>
    T *widget(const char *name) const
    {
        T *found = window.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }

    bool showActive()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        return QTest::qWaitForWindowActive(&window);
    }

    void press(const char *keys) { QTest::keySequence(&window, QKeySequence(QLatin1String(keys))); }

    void clickRow(int row)
    {
        auto *table = widget<QTableWidget>("AreaTableWidget");
        table->scrollToItem(table->item(row, 0));
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    AreaRecord &area(int index) { return window.areaModel().areas[index]; }
};

}  // namespace

class TestAreaWiring : public QObject
{
    Q_OBJECT

private slots:
    void startupShowsAreaZero();
    void shapeButtonThenUndoThroughTheMenuShortcut();
    void rowClickReloadsTheEditors();
    void coordinateEditMarksRowAndCopyPasteWork();
    void deleteAllFromTheMenu();
};

void TestAreaWiring::startupShowsAreaZero()
{
    Window w;
    auto *list = w.widget<QTableWidget>("AreaTableWidget");
    QCOMPARE(list->rowCount(), 64);
    QVERIFY(qobject_cast<PAINT_TABLE *>(list->cellWidget(63, 2)));
    QCOMPARE(w.widget<QComboBox>("Area_DetectionSize")->currentText(), QStringLiteral("1.0°"));
    QCOMPARE(w.widget<QComboBox>("Area_OpenDelay")->currentIndex(), 0);
    QCOMPARE(w.widget<QTableWidget>("CoordTableWidgetOut1")->rowCount(), 1);
    QVERIFY(w.widget<QToolButton>("ButtonPolygonOut3")->isChecked());
    QVERIFY(!w.widget<QToolButton>("ButtonFanOut1")->isEnabled());
    QVERIFY(!w.window.areaModel().modified);
}

void TestAreaWiring::shapeButtonThenUndoThroughTheMenuShortcut()
{
    Window w;
    QVERIFY(w.showActive());
    auto *tabs = w.widget<QTabWidget>("AreaEditTab");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, Qt::NoModifier, tabs->tabBar()->tabRect(1).center());
    QCOMPARE(w.window.areaModel().currentField, 1);
    QTest::mouseClick(w.widget<QToolButton>("ButtonFanOut2"), Qt::LeftButton);
    QCOMPARE(w.area(0).out2Shape, qint32(Fan));
    auto *out2 = w.widget<QTableWidget>("CoordTableWidgetOut2");
    QCOMPARE(out2->rowCount(), 1);
    QCOMPARE(out2->item(0, 2)->text(), QStringLiteral("20"));
    QVERIFY(w.window.areaModel().modified);

    w.press("Ctrl+Z");
    QCOMPARE(w.area(0), w.window.areaModel().blankArea);
    QVERIFY(w.widget<QToolButton>("ButtonPolygonOut2")->isChecked());
    QVERIFY(!w.widget<QToolButton>("ButtonFanOut2")->isChecked());
    QCOMPARE(w.widget<QComboBox>("Area_DetectionSize")->currentText(), QStringLiteral("0.5°"));
    QCOMPARE(out2->rowCount(), 1);
    QCOMPARE(out2->item(0, 2)->text(), QStringLiteral("0"));

    w.press("Ctrl+Y");
    QCOMPARE(w.area(0).out2Shape, qint32(Fan));
    QVERIFY(w.widget<QToolButton>("ButtonFanOut2")->isChecked());
}

void TestAreaWiring::rowClickReloadsTheEditors()
{
    Window w;
    w.area(5).openDelay = 7;
    w.area(5).out1Shape = Arc;
    w.area(5).out1Points = {{1000, 0}, {0, 1000}};
    QVERIFY(w.showActive());
    w.clickRow(5);
    QCOMPARE(w.window.areaModel().currentArea, 5);
    QCOMPARE(w.widget<QComboBox>("Area_OpenDelay")->currentText(), QStringLiteral("140ms"));
    QVERIFY(w.widget<QToolButton>("ButtonArcOut1")->isChecked());
    auto *polar = w.widget<QTableWidget>("PolarTableWidgeOut1");
    QCOMPARE(polar->rowCount(), 2);
    QCOMPARE(polar->item(1, 2)->text(), QStringLiteral("90"));
    QVERIFY(!w.window.areaModel().modified);
}

void TestAreaWiring::coordinateEditMarksRowAndCopyPasteWork()
{
    Window w;
    QVERIFY(w.showActive());
    w.clickRow(3);
    auto *table = w.widget<QTableWidget>("CoordTableWidgetOut1");
    QVERIFY(testing::typeIntoCell(table, 0, 2, QStringLiteral("1500")));
    QCOMPARE(w.area(3).out1Points, (QVector<QPoint>{{0, 1500}}));
    auto *list = w.widget<QTableWidget>("AreaTableWidget");
    QCOMPARE(list->item(3, 1)->background().color(), QColor(Qt::green));
    QCOMPARE(w.window.areaModel().undoHistory[3].size(), 2);

    w.press("Ctrl+C");
    w.clickRow(7);
    w.press("Ctrl+V");
    QCOMPARE(w.area(7), w.area(3));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("1500"));
}

void TestAreaWiring::deleteAllFromTheMenu()
{
    Window w;
    for (int area = 0; area < 64; ++area)
        w.area(area).out1Points = {{area + 1, 100}};
    w.widget<QAction>("DeleteAll")->trigger();
    for (int area = 0; area < 64; ++area)
        QCOMPARE(w.area(area), w.window.areaModel().blankArea);
    QVERIFY(w.window.areaModel().modified);
}

QTEST_MAIN(TestAreaWiring)
#include "tst_areawiring.moc"
