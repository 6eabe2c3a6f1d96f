// The area editors and the scene together, as the main window wires them: whatever the
// user changes in one place shows in the others and lands in the area's undo history.

#include "app/mainwindow.h"
#include "editiondock.h"
#include "graphics/optionscene.h"
#include "graphics/viewwindow.h"

#include <QGraphicsItem>
#include <QSlider>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using namespace veltrix;

namespace {

void dragInView(ViewWindow *view, const QPointF &fromScene, const QPointF &toScene)
{
    QWidget *viewport = view->viewport();
    const QPoint from = view->mapFromScene(fromScene);
    const QPoint to = view->mapFromScene(toScene);
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, to, viewport->mapToGlobal(to), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
}

QList<QPointF> handlePositions(const OPTION_SCENE *scene)
{
    QList<QPointF> positions;
    for (const QGraphicsItem *item : scene->PointItems())
        positions << item->pos();
    return positions;
}

}  // namespace

class TestEditingScene : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void handleDragFillsTheTableAndCanBeUndone();
    void rowClickRebuildsTheHandles();
    void tableEditMovesTheHandle();
    void shapeButtonReplacesTheHandles();
    void deleteKeyRedrawsTheThumbnail();

private:
    template<typename T>
    T *widget(const char *name) const
    {
        T *found = window->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget %s", name);
        return found;
    }
    ViewWindow *view() const { return widget<ViewWindow>("graphicsView"); }
    void clickRow(int row)
    {
        auto *table = widget<QTableWidget>("AreaTableWidget");
        table->scrollToItem(table->item(row, 0));
        const QRect cell = table->visualRect(table->model()->index(row, 0));
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    }

    MainWindow *window = nullptr;
};

void TestEditingScene::init()
{
    window = new MainWindow;
    window->messenger().setPresenter([](const UserMessage &) { return 1; });
    window->resize(1234, 752);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    widget<QSlider>("ZoomSlider")->setValue(250);
    view()->centerOn(0, 0);
}

void TestEditingScene::cleanup()
{
    window->areaModel().modified = false;
    delete window;
    window = nullptr;
}

void TestEditingScene::handleDragFillsTheTableAndCanBeUndone()
{
    AreaModel &model = window->areaModel();
    dragInView(view(), QPointF(0, 0), QPointF(300, -400));
    QCOMPARE(model.areas[0].out1Points, QVector<QPoint>{QPoint(300, 400)});

    auto *table = widget<QTableWidget>("CoordTableWidgetOut1");
    QVERIFY(table->rowCount() >= 1);
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("300"));
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("400"));
    // The release of the handle took a snapshot of the area.
    QCOMPARE(model.undoHistory[0].size(), 2);

    window->findChild<QAction *>("Undo")->trigger();
    QVERIFY(model.areas[0].out1Points.isEmpty());
    QCOMPARE(window->sceneController()->PointItems().size(), 1);  // only the centre handle
    QCOMPARE(table->item(0, 1)->text(), QStringLiteral("0"));
}

void TestEditingScene::rowClickRebuildsTheHandles()
{
    AreaModel &model = window->areaModel();
    model.areas[4].out1Points = {QPoint(-1000, 500), QPoint(0, 2000), QPoint(1000, 500)};
    clickRow(4);
    QCOMPARE(model.currentArea, 4);
    const QList<QPointF> handles = handlePositions(window->sceneController());
    QCOMPARE(handles.size(), 4);  // three vertices and the centre handle
    QVERIFY(handles.contains(QPointF(0, -2000)));
    QVERIFY(handles.contains(QPointF(-1000, -500)));
    QCOMPARE(widget<QTableWidget>("CoordTableWidgetOut1")->item(1, 2)->text(),
             QStringLiteral("2000"));
}

void TestEditingScene::tableEditMovesTheHandle()
{
    AreaModel &model = window->areaModel();
    model.areas[0].out1Points = {QPoint(500, 500)};
    clickRow(3);
    clickRow(0);
    auto *table = widget<QTableWidget>("CoordTableWidgetOut1");
    QVERIFY(testing::typeIntoCell(table, 0, 2, QStringLiteral("1500")));
    QCOMPARE(model.areas[0].out1Points, QVector<QPoint>{QPoint(500, 1500)});
    QVERIFY(handlePositions(window->sceneController()).contains(QPointF(500, -1500)));
    QCOMPARE(model.undoHistory[0].size(), 2);
}

void TestEditingScene::shapeButtonReplacesTheHandles()
{
    AreaModel &model = window->areaModel();
    QTest::mouseClick(widget<QToolButton>("ButtonArcOut1"), Qt::LeftButton);
    QCOMPARE(model.areas[0].out1Shape, qint32(Arc));
    QCOMPARE(model.areas[0].out1Points.size(), 2);
    const QList<QPointF> handles = handlePositions(window->sceneController());
    QCOMPARE(handles.size(), 2);
    QVERIFY(handles.contains(QPointF(20, 0)));
    QCOMPARE(widget<QTableWidget>("CoordTableWidgetOut1")->rowCount(), 2);
    QCOMPARE(model.undoHistory[0].size(), 2);
}

namespace {

class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

}  // namespace

void TestEditingScene::deleteKeyRedrawsTheThumbnail()
{
    AreaModel &model = window->areaModel();
    model.areas[0].out1Points = {QPoint(-1000, 1000), QPoint(0, 2000), QPoint(1000, 1000)};
    clickRow(2);
    clickRow(0);
    // Pick the vertex at (0, 2000) with a click, then let every repaint settle.
    QWidget *viewport = view()->viewport();
    const QPoint vertex = view()->mapFromScene(QPointF(0, -2000));
    QTest::mouseClick(viewport, Qt::LeftButton, {}, vertex);
    QTest::qWait(50);

    QWidget *thumbnail = widget<QTableWidget>("AreaTableWidget")->cellWidget(0, 2);
    QVERIFY(thumbnail);
    PaintCounter counter;
    thumbnail->installEventFilter(&counter);
    QTest::keyClick(view(), Qt::Key_Delete);
    QCOMPARE(model.areas[0].out1Points.size(), 2);
    QTRY_VERIFY(counter.paints > 0);
}

QTEST_MAIN(TestEditingScene)
#include "tst_editingscene.moc"
