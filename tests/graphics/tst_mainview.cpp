#include "gui/app/mainwindow.h"
#include "gui/graphics/coordtext.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/graphics/viewwindow.h"
#include "mouse.h"

#include <QAction>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

using namespace veltrix;

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
    window->areaModel().setModified(false);  // close without the prompt
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
    // The scan items draw their lines a fixed number of pixels wide at this scale.
    QCOMPARE(window->sceneController()->OutlineItem()->ViewScale(), view()->Scale());
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
