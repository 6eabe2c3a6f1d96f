#include "app/mainwindow.h"
#include "graphics/coordtext.h"
#include "graphics/optionscene.h"
#include "graphics/paintout.h"
#include "graphics/paintoutline.h"
#include "graphics/paintstrength.h"
#include "graphics/viewwindow.h"
#include "mouse.h"

#include <QAction>
#include <QSlider>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(QVector<QPoint>)

// The view, the scene controller and the zoom controls as the main window builds
// and wires them.
class TestMainView : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void viewAndSceneAreBuilt();
    void sliderAndButtonsDriveTheZoom();
    void wheelMovesTheSlider();
    void cursorPositionReachesTheStatusBar();
    void handleDragEditsTheDocument();
    void handleGesturesLeaveTheUndoHistoryAtThePresentState_data();
    void handleGesturesLeaveTheUndoHistoryAtThePresentState();
    void fieldTabRebuildsTheHandles();
    void clickOnAFieldTabEditsThatField();
    void scanItemsStayHiddenWithoutATransport();

private:
    ViewWindow *view() const { return window->findChild<ViewWindow *>("graphicsView"); }
    QSlider *slider() const { return window->findChild<QSlider *>("ZoomSlider"); }
    QToolButton *button(const char *name) const { return window->findChild<QToolButton *>(name); }

    MainWindow *window = nullptr;
};

void TestMainView::init()
{
    window = new MainWindow;
    window->resize(1234, 752);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void TestMainView::cleanup()
{
    window->areaModel().modified = false;  // close without the prompt
    delete window;
    window = nullptr;
}

void TestMainView::viewAndSceneAreBuilt()
{
    QVERIFY(view());
    OPTION_SCENE *controller = window->sceneController();
    QVERIFY(controller);
    QCOMPARE(view()->BackgroundItems()->size(), 5);
    QCOMPARE(view()->scene()->sceneRect(), QRectF(-6000, -6000, 12000, 12000));
    QCOMPARE(view()->ZoomLevel(), 70);
    // The controller learnt the view's scale at start-up: handles are 15 pixels.
    QCOMPARE(controller->Scale(), view()->Scale());
    QCOMPARE(controller->PointItems().size(), 1);
    const QRectF handle = controller->PointItems()[0]->boundingRect();
    QVERIFY(qAbs(handle.width() * view()->Scale() - 15.0) < 1e-9);
}

void TestMainView::sliderAndButtonsDriveTheZoom()
{
    slider()->setValue(200);
    QCOMPARE(view()->ZoomLevel(), 200);
    QCOMPARE(window->sceneController()->Scale(), view()->Scale());
    QTest::mouseClick(button("ZoomIn"), Qt::LeftButton);
    QCOMPARE(view()->ZoomLevel(), 201);
    QCOMPARE(slider()->value(), 201);
    QTest::mouseClick(button("ZoomOut"), Qt::LeftButton);
    QTest::mouseClick(button("ZoomOut"), Qt::LeftButton);
    QCOMPARE(view()->ZoomLevel(), 199);
    QCOMPARE(slider()->value(), 199);
    // The slider cannot go below the model's minimum, and neither can the buttons.
    slider()->setValue(10);
    QCOMPARE(slider()->value(), 70);
    QTest::mouseClick(button("ZoomOut"), Qt::LeftButton);
    QCOMPARE(view()->ZoomLevel(), 70);
    QCOMPARE(slider()->value(), 70);
}

void TestMainView::wheelMovesTheSlider()
{
    QWidget *viewport = view()->viewport();
    const QPointF at(viewport->width() / 2, viewport->height() / 2);
    QWheelEvent up(at, QPointF(viewport->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, 120),
                   Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(viewport, &up);
    QCOMPARE(view()->ZoomLevel(), 80);
    QCOMPARE(slider()->value(), 80);
}

void TestMainView::cursorPositionReachesTheStatusBar()
{
    QWidget *viewport = view()->viewport();
    const QPoint at = view()->mapFromScene(QPointF(-1000, 1000));
    mouse::moveTo(viewport, at, Qt::NoButton);
    const QPointF scene = view()->mapToScene(at);
    const QPoint rounded(qRound(scene.x()), qRound(scene.y()));
    QCOMPARE(window->statusBar()->currentMessage(), CoordinateStatusText(rounded));
    QVERIFY(window->statusBar()->currentMessage().startsWith(QStringLiteral("X: -")));
}

void TestMainView::handleDragEditsTheDocument()
{
    slider()->setValue(250);
    view()->centerOn(0, 0);
    QWidget *viewport = view()->viewport();
    const QPoint origin = view()->mapFromScene(QPointF(0, 0));
    QTest::mousePress(viewport, Qt::LeftButton, {}, origin);
    mouse::moveTo(viewport, origin + QPoint(100, -150), Qt::LeftButton);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, origin + QPoint(100, -150));
    QCOMPARE(window->areaModel().areas[0].out1Points, QVector<QPoint>{QPoint(100, 150)});
    QCOMPARE(window->sceneController()->PointItems().size(), 2);
}

// Every gesture that changes the field through a handle ends with a snapshot of the
// area as it now is, so that Undo steps back exactly that gesture and Redo brings it
// back.
void TestMainView::handleGesturesLeaveTheUndoHistoryAtThePresentState_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::addColumn<QVector<QPoint>>("before");
    QTest::addColumn<QVector<QPoint>>("after");
    const QVector<QPoint> three = {QPoint(400, 0), QPoint(0, 400), QPoint(-400, 0)};
    QTest::newRow("centre handle dragged out in one move")
        << "drag centre" << QVector<QPoint>{} << QVector<QPoint>{QPoint(100, 150)};
    QTest::newRow("vertex dragged in two moves")
        << "drag vertex" << three
        << QVector<QPoint>{QPoint(600, 200), QPoint(0, 400), QPoint(-400, 0)};
    QTest::newRow("vertex removed with the right button")
        << "right click" << three << QVector<QPoint>{QPoint(400, 0), QPoint(-400, 0)};
    QTest::newRow("vertex removed with the Delete key")
        << "delete key" << three << QVector<QPoint>{QPoint(400, 0), QPoint(-400, 0)};
}

void TestMainView::handleGesturesLeaveTheUndoHistoryAtThePresentState()
{
    QFETCH(QString, gesture);
    QFETCH(QVector<QPoint>, before);
    QFETCH(QVector<QPoint>, after);
    AreaModel &model = window->areaModel();
    slider()->setValue(250);
    view()->centerOn(0, 0);
    model.areas[0].out1Points = before;
    // The state before the gesture is the present entry of the history, as an edit
    // elsewhere would have left it.
    model.undoHistory[0].append(model.areas[0]);
    model.undoCursor[0] = model.undoHistory[0].size() - 1;
    window->sceneController()->CoordTableUpdatePointItem();
    auto *undo = window->findChild<QAction *>("Undo");
    auto *redo = window->findChild<QAction *>("Redo");
    QVERIFY(undo && redo);

    QWidget *viewport = view()->viewport();
    auto pixel = [this](int x, int y) { return view()->mapFromScene(QPointF(x, -y)); };
    if (gesture == "drag centre") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, pixel(0, 0));
        mouse::moveTo(viewport, pixel(100, 150), Qt::LeftButton);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pixel(100, 150));
    } else if (gesture == "drag vertex") {
        QTest::mousePress(viewport, Qt::LeftButton, {}, pixel(400, 0));
        mouse::moveTo(viewport, pixel(500, 100), Qt::LeftButton);
        mouse::moveTo(viewport, pixel(600, 200), Qt::LeftButton);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, pixel(600, 200));
    } else if (gesture == "right click") {
        QTest::mouseClick(viewport, Qt::RightButton, {}, pixel(0, 400));
    } else {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, pixel(0, 400));
        QTest::keyClick(view(), Qt::Key_Delete);
    }
    QCOMPARE(model.areas[0].out1Points, after);
    QCOMPARE(model.undoHistory[0].at(model.undoCursor[0]).out1Points, after);

    undo->trigger();
    QCOMPARE(model.areas[0].out1Points, before);
    redo->trigger();
    QCOMPARE(model.areas[0].out1Points, after);
}

void TestMainView::fieldTabRebuildsTheHandles()
{
    AreaModel &model = window->areaModel();
    model.areas[0].out2Shape = Straight;
    model.areas[0].out2Points = {QPoint(0, 800)};
    model.currentField = 1;  // what the edit controls do on the same click
    auto *tabs = window->findChild<QTabWidget *>("AreaEditTab");
    QVERIFY(tabs);
    emit tabs->tabBarClicked(1);
    OPTION_SCENE *controller = window->sceneController();
    QCOMPARE(controller->PointItems().size(), 1);
    QCOMPARE(controller->PointItems()[0]->pos(), QPointF(0, -800));
    QVERIFY(controller->Out2Item()->zValue() > controller->Out1Item()->zValue());
}

// A real click: the field is switched before the scene rebuilds its handles.
void TestMainView::clickOnAFieldTabEditsThatField()
{
    AreaModel &model = window->areaModel();
    model.areas[0].out1Points = {QPoint(500, 0), QPoint(0, 500)};
    model.areas[0].out3Shape = Fan;
    model.areas[0].out3Points = {QPoint(0, 900)};
    auto *tabs = window->findChild<QTabWidget *>("AreaEditTab");
    QVERIFY(tabs);
    QTabBar *bar = tabs->findChild<QTabBar *>();
    QVERIFY(bar);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    QCOMPARE(model.currentField, 2);
    OPTION_SCENE *controller = window->sceneController();
    QCOMPARE(controller->PointItems().size(), 1);
    QCOMPARE(controller->PointItems()[0]->pos(), QPointF(0, -900));
    QVERIFY(controller->Out3Item()->zValue() > controller->Out1Item()->zValue());

    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(0).center());
    QCOMPARE(model.currentField, 0);
    QCOMPARE(controller->PointItems().size(), 3);  // two vertices and the centre handle
}

void TestMainView::scanItemsStayHiddenWithoutATransport()
{
    OPTION_SCENE *controller = window->sceneController();
    auto *distance = window->findChild<QAction *>("Distance");
    auto *intensity = window->findChild<QAction *>("Intensity");
    QVERIFY(distance && intensity);
    distance->trigger();  // unchecks
    distance->trigger();  // checks again, but nothing is connected
    QVERIFY(distance->isChecked());
    QVERIFY(!controller->OutlineItem()->isVisible());
    intensity->trigger();
    QVERIFY(intensity->isChecked());
    QVERIFY(!controller->IntensityItem()->isVisible());
}

QTEST_MAIN(TestMainView)
#include "tst_mainview.moc"
