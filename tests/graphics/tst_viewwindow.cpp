#include "gui/graphics/coordtext.h"
#include "gui/graphics/pointpoint.h"
#include "gui/graphics/viewwindow.h"
#include "mouse.h"
#include "pixels.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QOpenGLWidget>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QtTest>
#include <functional>

using namespace veltrix;

namespace {

// A view on a scene with one item covering the range square, registered as a
// background item, and one handle, the way the scene controller sets them up.
struct ViewFixture
{
    QGraphicsScene scene{-6000, -6000, 12000, 12000};
    ViewWindow view;
    QGraphicsRectItem *field = nullptr;
    double handleScale = 1.0;
    POINT_POINT *handle = nullptr;
    QStringList log;

    ViewFixture()
    {
        field = scene.addRect(-6000, -6000, 12000, 12000, Qt::NoPen);
        view.BackgroundItems()->append(field);
        handle = new POINT_POINT(handleScale);
        handle->setPos(200, -100);
        scene.addItem(handle);
        view.setScene(&scene);
        view.resize(800, 600);
        view.ChangeSetupMatrix(250);  // one pixel per millimetre
        view.centerOn(0, 0);

        QObject::connect(&view, &ViewWindow::ReleasePointItem, [this] { log << "release item"; });
        QObject::connect(&view, &ViewWindow::MouseReleaseSignal, [this] { log << "mouse release"; });
        QObject::connect(&view, &ViewWindow::AddCenterPointItem, [this] { log << "add centre"; });
        QObject::connect(&view, &ViewWindow::DeletePointItem, [this](QGraphicsItem *item) {
            log << (item == handle ? "delete handle" : "delete other");
        });
        QObject::connect(&view, &ViewWindow::MovePointItem, [this](QGraphicsItem *item) {
            log << (item == handle ? "move handle" : "move other");
        });
        QObject::connect(&view, &ViewWindow::CurrentCoordSignal,
                         [this](QPoint p) { log << QStringLiteral("coord %1,%2").arg(p.x()).arg(p.y()); });
    }

    bool show()
    {
        view.show();
        return QTest::qWaitForWindowExposed(&view);
    }

    QPoint pixel(double sceneX, double sceneY) const
    {
        return view.mapFromScene(QPointF(sceneX, sceneY));
    }

    QWidget *viewport() const { return view.viewport(); }
};

void sendWheel(ViewWindow &view, int delta)
{
    const QPointF at(view.viewport()->width() / 2, view.viewport()->height() / 2);
    QWheelEvent event(at, QPointF(view.viewport()->mapToGlobal(at.toPoint())), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view.viewport(), &event);
}

bool isBackground(const QColor &c, const QColor &background)
{
    return qAbs(c.red() - background.red()) < 8 && qAbs(c.green() - background.green()) < 8
        && qAbs(c.blue() - background.blue()) < 8;
}

}  // namespace

class TestViewWindow : public QObject
{
    Q_OBJECT

private slots:
    void softwareRenderersGetNoOpenGL_data();
    void softwareRenderersGetNoOpenGL();
    void initTestCase();
    void construction();
    void zoomSlotsClampAndReport_data();
    void zoomSlotsClampAndReport();
    void wheelZoomsByTen_data();
    void wheelZoomsByTen();
    void setupMatrixSlotDoesNotEchoTheLevel();
    void deviceTypeSetsRangeAndZoomLimit_data();
    void deviceTypeSetsRangeAndZoomLimit();
    void gridAndLabelSteps_data();
    void gridAndLabelSteps();
    void ringsAreLimitedToTheExposedArea_data();
    void ringsAreLimitedToTheExposedArea();
    void statusText_data();
    void statusText();
    void blindZoneMatchesTheTrueArc_data();
    void blindZoneMatchesTheTrueArc();
    void backgroundDrawing();
    void labelsAlongTheEdges();
    void panningRepaintsTheEdgeLabels();
    void dragOfAHandleSignalsInOrder();
    void pressOnBackgroundPansAndPicksNothing();
    void rightPressOnHandleAsksToDeleteIt();
    void handleOnTheOriginNeedsNoCentreHandle();
    void deleteKeyActsOnTheLastPickedHandle();
    void destroyedHandleIsNeverReported();
    void removalOfThePickedHandleAsksForASnapshot();
};

void TestViewWindow::initTestCase()
{
    qRegisterMetaType<QGraphicsItem *>();
}

void TestViewWindow::construction()
{
    ViewWindow view;
    QCOMPARE(view.ZoomLevel(), 70);
    QVERIFY(qAbs(view.Scale() - 0.0825) < 0.0001);
    QCOMPARE(view.transform(), QTransform::fromScale(view.Scale(), view.Scale()));
    QCOMPARE(view.dragMode(), QGraphicsView::ScrollHandDrag);
    QCOMPARE(view.transformationAnchor(), QGraphicsView::AnchorUnderMouse);
    QCOMPARE(view.viewportUpdateMode(), QGraphicsView::MinimalViewportUpdate);
    QVERIFY(view.optimizationFlags() & QGraphicsView::DontSavePainterState);
    QVERIFY(!(view.renderHints() & QPainter::Antialiasing));
    QCOMPARE(view.frameShape(), QFrame::StyledPanel);
    QCOMPARE(view.frameShadow(), QFrame::Sunken);
    QVERIFY(view.BackgroundItems()->isEmpty());
    QCOMPARE(view.CurrentItem(), nullptr);
    // The OpenGL viewport only where a hardware context can be made (the offscreen
    // platform has none); both draw through the same painter calls.
    QCOMPARE(view.UsesOpenGL(), ViewWindow::OpenGLAvailable());
    QCOMPARE(qobject_cast<QOpenGLWidget *>(view.viewport()) != nullptr, view.UsesOpenGL());
    view.UseRasterViewport();
    QVERIFY(!view.UsesOpenGL());
}

void TestViewWindow::softwareRenderersGetNoOpenGL_data()
{
    QTest::addColumn<QString>("renderer");
    QTest::addColumn<bool>("software");
    QTest::newRow("llvmpipe") << "llvmpipe (LLVM 15.0.6, 256 bits)" << true;
    QTest::newRow("softpipe") << "softpipe" << true;
    QTest::newRow("swrast") << "Mesa DRI swrast" << true;
    QTest::newRow("Windows") << "GDI Generic" << true;
    QTest::newRow("Intel") << "Mesa Intel(R) UHD Graphics 620 (KBL GT2)" << false;
    QTest::newRow("NVIDIA") << "NVIDIA GeForce RTX 3060/PCIe/SSE2" << false;
    QTest::newRow("AMD") << "AMD Radeon RX 6600 (navi23, LLVM 15.0.7, DRM 3.49)" << false;
}

// A software renderer would triple the program's memory and slow the live view.
void TestViewWindow::softwareRenderersGetNoOpenGL()
{
    QFETCH(QString, renderer);
    QFETCH(bool, software);
    QCOMPARE(ViewWindow::IsSoftwareRenderer(renderer), software);
}

void TestViewWindow::zoomSlotsClampAndReport_data()
{
    QTest::addColumn<int>("model");  // -1: no model set
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("zoomIn");
    QTest::addColumn<int>("expected");
    QTest::newRow("in at 350 stays") << 0 << 350 << true << 350;
    QTest::newRow("in below 350") << 0 << 200 << true << 201;
    QTest::newRow("out at the KT05 minimum stays") << 0 << 70 << false << 70;
    QTest::newRow("out above the KT05 minimum") << 0 << 71 << false << 70;
    QTest::newRow("out at the KT50 minimum stays") << 4 << -90 << false << -90;
    QTest::newRow("out at the KT20 minimum stays") << 2 << -20 << false << -20;
    QTest::newRow("no model: no lower limit") << -1 << -200 << false << -201;
}

void TestViewWindow::zoomSlotsClampAndReport()
{
    QFETCH(int, model);
    QFETCH(int, start);
    QFETCH(bool, zoomIn);
    QFETCH(int, expected);
    ViewWindow view;
    if (model >= 0)
        view.SetDeviceType(model);
    view.ChangeSetupMatrix(start);
    QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);
    QSignalSpy scales(&view, QOverload<qreal>::of(&ViewWindow::ChangeSetupMatrix));
    if (zoomIn)
        view.ZoomInButtonSlots();
    else
        view.ZoomOutButtonSlots();
    QCOMPARE(view.ZoomLevel(), expected);
    QCOMPARE(levels.count(), 1);
    QCOMPARE(levels.at(0).at(0).toInt(), expected);
    QCOMPARE(scales.count(), 1);
    QCOMPARE(scales.at(0).at(0).toDouble(), std::pow(2.0, (expected - 250) / 50.0));
    QCOMPARE(view.transform().m11(), view.Scale());
    QCOMPARE(view.transform().m22(), view.Scale());
}

void TestViewWindow::wheelZoomsByTen_data()
{
    QTest::addColumn<int>("delta");
    QTest::addColumn<int>("expected");
    QTest::newRow("up") << 120 << 210;
    QTest::newRow("down") << -120 << 190;
    QTest::newRow("zero zooms out") << 0 << 190;
    QTest::newRow("small touchpad step up") << 8 << 210;
}

void TestViewWindow::wheelZoomsByTen()
{
    QFETCH(int, delta);
    QFETCH(int, expected);
    QGraphicsScene scene(-6000, -6000, 12000, 12000);
    ViewWindow view;
    view.setScene(&scene);
    view.ChangeSetupMatrix(200);
    QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);
    sendWheel(view, delta);
    QCOMPARE(view.ZoomLevel(), expected);
    QCOMPARE(levels.count(), 1);
    QCOMPARE(levels.at(0).at(0).toInt(), expected);
}

void TestViewWindow::setupMatrixSlotDoesNotEchoTheLevel()
{
    ViewWindow view;
    QSignalSpy levels(&view, &ViewWindow::ChangeMatrixSignal);
    QSignalSpy scales(&view, QOverload<qreal>::of(&ViewWindow::ChangeSetupMatrix));
    view.ChangeSetupMatrix(400);
    QCOMPARE(view.ZoomLevel(), 350);
    QCOMPARE(view.Scale(), 4.0);
    QCOMPARE(levels.count(), 0);
    QCOMPARE(scales.count(), 1);
    QCOMPARE(scales.at(0).at(0).toDouble(), 4.0);
    view.ChangeSetupMatrix(250);
    QCOMPARE(view.Scale(), 1.0);
}

void TestViewWindow::deviceTypeSetsRangeAndZoomLimit_data()
{
    QTest::addColumn<int>("model");
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("level");
    QTest::addColumn<double>("scale");
    QTest::newRow("KT05") << 0 << 12000 << 70 << 0.0825;
    QTest::newRow("KT10") << 1 << 24000 << 30 << 0.0474;
    QTest::newRow("KT20") << 2 << 48000 << -20 << 0.0237;
    QTest::newRow("KT30") << 3 << 72000 << -55 << 0.0146;
    QTest::newRow("KT50") << 4 << 120000 << -90 << 0.00897;
}

void TestViewWindow::deviceTypeSetsRangeAndZoomLimit()
{
    QFETCH(int, model);
    QFETCH(int, range);
    QFETCH(int, level);
    QFETCH(double, scale);
    ViewWindow view;
    view.ChangeSetupMatrix(300);
    view.SetDeviceType(model);
    QCOMPARE(view.RangeWidth(), range);
    QCOMPARE(view.RangeHeight(), range);
    QCOMPARE(view.ZoomLevel(), level);
    QVERIFY2(qAbs(view.Scale() - scale) < 0.00005, qPrintable(QString::number(view.Scale())));
    view.ChangeSetupMatrix(level - 1);
    QCOMPARE(view.ZoomLevel(), level);

    // An unknown index keeps range and level, and lifts the lower limit.
    view.SetDeviceType(7);
    QCOMPARE(view.RangeWidth(), range);
    QCOMPARE(view.ZoomLevel(), level);
    view.ChangeSetupMatrix(-150);
    QCOMPARE(view.ZoomLevel(), -150);
}

void TestViewWindow::gridAndLabelSteps_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("label");
    QTest::newRow("-90") << -90 << 10000 << 10000;
    QTest::newRow("39") << 39 << 10000 << 10000;
    QTest::newRow("40") << 40 << 1000 << 1000;
    QTest::newRow("70") << 70 << 1000 << 1000;
    QTest::newRow("179") << 179 << 1000 << 1000;
    QTest::newRow("180") << 180 << 100 << 100;
    QTest::newRow("340") << 340 << 100 << 100;
    QTest::newRow("341") << 341 << 10 << 50;
    QTest::newRow("350") << 350 << 10 << 50;
}

void TestViewWindow::gridAndLabelSteps()
{
    QFETCH(int, level);
    QFETCH(int, grid);
    QFETCH(int, label);
    ViewWindow view;
    view.ChangeSetupMatrix(level);
    QCOMPARE(ViewWindow::GridStep(view.Scale()), grid);
    QCOMPARE(ViewWindow::LabelStep(view.Scale()), label);
}

void TestViewWindow::ringsAreLimitedToTheExposedArea_data()
{
    QTest::addColumn<QRectF>("exposed");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("outer");
    QTest::addColumn<int>("inner");
    QTest::newRow("origin inside") << QRectF(-4500, -3500, 9000, 7000) << 1000 << 5000 << 0;
    QTest::newRow("across the x axis, right")
        << QRectF(2050, -500, 1000, 1000) << 100 << 3000 << 2000;
    QTest::newRow("across the x axis, left")
        << QRectF(-3050, -500, 1000, 1000) << 100 << 3000 << 2000;
    QTest::newRow("across the y axis, ahead")
        << QRectF(-500, -3000, 1000, 500) << 100 << 3000 << 2500;
    QTest::newRow("far corner close up")
        << QRectF(40000, -40200, 300, 200) << 10 << 56920 << 56560;
    // The scanner a fraction of a millimetre above the top edge: the small rings still
    // cross the rectangle below it.
    QTest::newRow("just behind the scanner")
        << QRectF(-150, 0.5, 300, 200) << 10 << 250 << 0;
    // Beyond the range along the x axis the nearest point is on the axis, not a corner.
    QTest::newRow("across the x axis, beyond the range")
        << QRectF(61000, -5000, 1000, 10000) << 100 << 62200 << 61000;
}

void TestViewWindow::ringsAreLimitedToTheExposedArea()
{
    QFETCH(QRectF, exposed);
    QFETCH(int, step);
    QFETCH(int, outer);
    QFETCH(int, inner);
    const QPair<int, int> rings = ViewWindow::RingBounds(exposed, step);
    QCOMPARE(rings.first, outer);
    QCOMPARE(rings.second, inner);
    QVERIFY((rings.first - rings.second) / step < 50);
}

void TestViewWindow::statusText_data()
{
    QTest::addColumn<QPoint>("area");
    QTest::addColumn<QString>("text");
    QTest::newRow("ahead") << QPoint(0, 1000)
                           << "X: 0 [mm], Y: 1000 [mm] | R: 1000 [mm], Th: 90 [deg]";
    QTest::newRow("behind") << QPoint(0, -1000)
                            << "X: 0 [mm], Y: -1000 [mm] | R: 1000 [mm], Th: -90 [deg]";
    QTest::newRow("lower left") << QPoint(-1000, -1000)
                                << "X: -1000 [mm], Y: -1000 [mm] | R: 1414.21 [mm], Th: 225 [deg]";
    QTest::newRow("just left of behind") << QPoint(-1, -1000)
                                         << "X: -1 [mm], Y: -1000 [mm] | R: 1000 [mm], Th: 269.943 [deg]";
    QTest::newRow("origin") << QPoint(0, 0) << "X: 0 [mm], Y: 0 [mm] | R: 0 [mm], Th: 0 [deg]";
}

void TestViewWindow::statusText()
{
    QFETCH(QPoint, area);
    QFETCH(QString, text);
    QCOMPARE(CoordinateStatusText(QPoint(area.x(), -area.y())), text);
}

void TestViewWindow::backgroundDrawing()
{
    QGraphicsScene scene(-6000, -6000, 12000, 12000);
    ViewWindow view;
    view.UseRasterViewport();
    view.setScene(&scene);
    view.SetDeviceType(0);
    view.resize(1000, 1000);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.centerOn(0, 0);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    view.viewport()->render(&image);
    auto at = [&](double x, double y) { return image.pixelColor(view.mapFromScene(x, -y)); };

    const QColor background = at(1500, 2500);  // between grid lines and rings
    QVERIFY2(background.lightness() > 200, qPrintable(background.name()));
    const QColor shade(qRound(125 * 125 / 255.0 + background.red() * 130 / 255.0),
                       qRound(125 * 125 / 255.0 + background.green() * 130 / 255.0),
                       qRound(125 * 125 / 255.0 + background.blue() * 130 / 255.0));
    QVERIFY2(isBackground(at(1500, 3500), background), qPrintable(at(1500, 3500).name()));
    QVERIFY2(isBackground(at(350, -2500), shade), qPrintable(at(350, -2500).name()));   // blind wedge
    QVERIFY2(isBackground(at(-5500, 5500), shade), qPrintable(at(-5500, 5500).name())); // outside range
    QVERIFY2(isBackground(at(2500, -1500), background), qPrintable(at(2500, -1500).name())); // seen, below the axis

    // Axes black, grid lines and rings grey.
    QVERIFY(at(0, 2500).lightness() < 80);
    QVERIFY(at(2500, 0).lightness() < 80);
    const QColor grid = at(1000, 2500);
    QVERIFY2(!isBackground(grid, background) && grid.lightness() > 80, qPrintable(grid.name()));
    const QColor ring = at(2000 * std::cos(0.35), 2000 * std::sin(0.35));
    QVERIFY2(!isBackground(ring, background), qPrintable(ring.name()));
    const QColor between = at(2500 * std::cos(0.35), 2500 * std::sin(0.35));
    QVERIFY2(isBackground(between, background), qPrintable(between.name()));
}

void TestViewWindow::labelsAlongTheEdges()
{
    QGraphicsScene scene(-6000, -6000, 12000, 12000);
    ViewWindow view;
    view.UseRasterViewport();
    view.setScene(&scene);
    view.resize(1000, 1000);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.centerOn(0, 0);
    QImage image(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&image);

    auto darkPixels = [&](const QRect &box) {
        int count = 0;
        for (int y = box.top(); y <= box.bottom(); ++y) {
            for (int x = box.left(); x <= box.right(); ++x) {
                if (image.pixelColor(x, y).lightness() < 100)
                    ++count;
            }
        }
        return count;
    };
    // Along the bottom, "1" starts at x = 1 m, its baseline 25 pixels above the edge;
    // just left of the line there is no text.
    const int bottomBaseline = view.mapFromScene(0, view.mapToScene(QPoint(0, view.height() - 25)).y()).y();
    const int metre = view.mapFromScene(1000, 0).x();
    QVERIFY(darkPixels(QRect(metre + 1, bottomBaseline - 12, 10, 12)) > 5);
    QCOMPARE(darkPixels(QRect(metre - 40, bottomBaseline - 12, 30, 12)), 0);
    // Along the left edge, "-1" at scene y = -1000 (1 m ahead).
    const int ahead = view.mapFromScene(0, -1000).y();
    QVERIFY(darkPixels(QRect(0, ahead - 12, 20, 12)) > 5);
    QCOMPARE(darkPixels(QRect(0, ahead - 60, 20, 40)), 0);
}

// Records what the viewport repaints.
class PaintRecorder : public QObject
{
public:
    QRegion painted;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// The labels keep their place at the view's left and bottom edges while the scene
// moves under them, so a pan must repaint them too: shifting the old picture and
// painting only the uncovered strip would smear them across the view.
void TestViewWindow::panningRepaintsTheEdgeLabels()
{
    QGraphicsScene scene(-6000, -6000, 12000, 12000);
    ViewWindow view;
    view.UseRasterViewport();
    view.setScene(&scene);
    view.resize(600, 600);
    view.ChangeSetupMatrix(250);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.centerOn(0, 0);
    QCoreApplication::processEvents();

    PaintRecorder recorder;
    view.viewport()->installEventFilter(&recorder);
    // As a hand drag does it: the scene moves left and down under the view.
    view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->value() + 40);
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->value() - 40);
    QTRY_VERIFY(!recorder.painted.isEmpty());
    QCoreApplication::processEvents();

    const QRect viewport = view.viewport()->rect();
    const QRect leftLabels(0, 0, 80, viewport.height());
    const QRect bottomLabels(0, viewport.height() - 45, viewport.width(), 45);
    QVERIFY((QRegion(leftLabels) - recorder.painted).isEmpty());
    QVERIFY((QRegion(bottomLabels) - recorder.painted).isEmpty());
}

void TestViewWindow::dragOfAHandleSignalsInOrder()
{
    ViewFixture f;
    QVERIFY(f.show());
    const QPoint start = f.pixel(200, -100);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, start);
    QCOMPARE(f.view.CurrentItem(), f.handle);
    QCOMPARE(f.log, QStringList());
    mouse::moveTo(f.viewport(), start + QPoint(30, 40), Qt::LeftButton);
    QCOMPARE(f.log, (QStringList{"move handle", "coord 230,-60"}));
    QCOMPARE(f.handle->pos(), QPointF(230, -60));
    f.log.clear();
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, start + QPoint(30, 40));
    // The last position is written back before the undo snapshot is asked for.
    QCOMPARE(f.log, (QStringList{"add centre", "move handle", "release item", "mouse release"}));
    QVERIFY(f.view.isInteractive());
    QCOMPARE(f.view.CurrentItem(), f.handle);  // kept until the next press

    // A move without a button only reports the position.
    f.log.clear();
    mouse::moveTo(f.viewport(), f.pixel(-150, 250), Qt::NoButton);
    QCOMPARE(f.log, QStringList{"coord -150,250"});
}

void TestViewWindow::pressOnBackgroundPansAndPicksNothing()
{
    ViewFixture f;
    QVERIFY(f.show());
    const QPoint start = f.pixel(-200, 100);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, start);
    QVERIFY(!f.view.isInteractive());
    QCOMPARE(f.view.CurrentItem(), nullptr);
    const QPointF centreBefore = f.view.mapToScene(f.viewport()->rect().center());
    mouse::moveTo(f.viewport(), start + QPoint(50, 0), Qt::LeftButton);
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, start + QPoint(50, 0));
    QVERIFY(f.view.isInteractive());
    QCOMPARE(f.handle->pos(), QPointF(200, -100));
    QVERIFY(f.view.mapToScene(f.viewport()->rect().center()).x() < centreBefore.x() - 40);
    QCOMPARE(f.log.filter("delete").size(), 0);
    QCOMPARE(f.log.filter("move").size(), 0);
    QVERIFY(f.log.contains("mouse release"));

    // Right button on the background field: no delete either.
    f.log.clear();
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.pixel(-300, 200));
    QCOMPARE(f.log.filter("delete").size(), 0);
    QCOMPARE(f.log.filter("release item").size(), 0);
}

void TestViewWindow::rightPressOnHandleAsksToDeleteIt()
{
    ViewFixture f;
    QVERIFY(f.show());
    QTest::mousePress(f.viewport(), Qt::RightButton, {}, f.pixel(200, -100));
    QCOMPARE(f.log, QStringList{"delete handle"});
    QTest::mouseRelease(f.viewport(), Qt::RightButton, {}, f.pixel(200, -100));
    QCOMPARE(f.log, (QStringList{"delete handle", "add centre", "move handle", "release item",
                                 "mouse release"}));
}

void TestViewWindow::handleOnTheOriginNeedsNoCentreHandle()
{
    ViewFixture f;
    QVERIFY(f.show());
    f.handle->setPos(0, 0);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pixel(-300, 200));
    QCOMPARE(f.log, QStringList{"mouse release"});
}

void TestViewWindow::deleteKeyActsOnTheLastPickedHandle()
{
    ViewFixture f;
    QVERIFY(f.show());
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.log, QStringList());
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pixel(200, -100));
    f.log.clear();
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.log, QStringList{"delete handle"});
    QTest::keyClick(&f.view, Qt::Key_Backspace);
    QCOMPARE(f.log, QStringList{"delete handle"});
}

void TestViewWindow::destroyedHandleIsNeverReported()
{
    ViewFixture f;
    QVERIFY(f.show());
    const QPoint start = f.pixel(200, -100);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, start);
    QCOMPARE(f.view.CurrentItem(), f.handle);
    // A rebuild of the handles while the button is down.
    delete f.handle;
    f.handle = nullptr;
    QCOMPARE(f.view.CurrentItem(), nullptr);
    mouse::moveTo(f.viewport(), start + QPoint(10, 10), Qt::LeftButton);
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, start + QPoint(10, 10));
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.log.filter("move").size(), 0);
    QCOMPARE(f.log.filter("delete").size(), 0);
    QCOMPARE(f.log.filter("release item").size(), 0);
}

// When the delete request really removes the handle (a polygon vertex), the gesture
// still ends with ReleasePointItem, the undo snapshot, but never reports the handle.
void TestViewWindow::removalOfThePickedHandleAsksForASnapshot()
{
    ViewFixture f;
    QVERIFY(f.show());
    QObject::connect(&f.view, &ViewWindow::DeletePointItem, [&f](QGraphicsItem *item) {
        delete item;
        f.handle = nullptr;
    });
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.pixel(200, -100));
    QCOMPARE(f.log, (QStringList{"delete handle", "add centre", "release item", "mouse release"}));

    f.handle = new POINT_POINT(f.handleScale);
    f.handle->setPos(200, -100);
    f.scene.addItem(f.handle);
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, f.pixel(200, -100));
    f.log.clear();
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.log, (QStringList{"delete handle", "release item"}));
    // Nothing left to act on.
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.log.size(), 2);
}

void TestViewWindow::blindZoneMatchesTheTrueArc_data()
{
    QTest::addColumn<int>("range");
    QTest::addColumn<int>("zoomLevel");
    QTest::addColumn<QPointF>("centre");
    QTest::newRow("KT05 whole view") << 12000 << 70 << QPointF(0, -1000);
    QTest::newRow("KT05 edge of the range, close") << 12000 << 300 << QPointF(4243, -4243);
    QTest::newRow("KT05 behind the scanner") << 12000 << 200 << QPointF(0, 400);
    QTest::newRow("KT50 far corner on the arc, closest") << 120000 << 350 << QPointF(42426.4, 42426.4);
    QTest::newRow("KT50 side, arc end") << 120000 << 340 << QPointF(-42426.4, 42426.4);
    QTest::newRow("KT50 straight ahead, closest") << 120000 << 350 << QPointF(0, -60000);
}

// The shaded region is built from a polygon and cut to the window for speed; drawn at the
// view's scale it must look like the range square minus the true 270 degree pie.
void TestViewWindow::blindZoneMatchesTheTrueArc()
{
    QFETCH(int, range);
    QFETCH(int, zoomLevel);
    QFETCH(QPointF, centre);
    const double scale = ViewWindow::ScaleOfLevel(zoomLevel);
    const QSize size(400, 300);
    const QRectF exposed(centre.x() - size.width() / 2 / scale, centre.y() - size.height() / 2 / scale,
                         size.width() / scale, size.height() / scale);

    const QRectF square(-range / 2, -range / 2, range, range);
    QPainterPath pie(QPointF(0, 0));
    pie.arcTo(square, -45.0, 270.0);
    pie.closeSubpath();
    QPainterPath exact;
    exact.addRect(square);
    exact = exact.subtracted(pie);

    auto render = [&](const std::function<void(QPainter &)> &paint) {
        QImage image(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.scale(scale, scale);
        painter.translate(-exposed.topLeft());
        paint(painter);
        return image;
    };
    const QImage expected =
        render([&](QPainter &painter) { painter.fillPath(exact, QColor(125, 125, 125, 125)); });
    // As the view paints it: cut to the image first.
    const QImage actual = render([&](QPainter &painter) {
        ViewWindow::PaintBlindZone(&painter, range, range, scale, exposed);
    });
    int shaded = 0;
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const QColor e = expected.pixelColor(x, y);
            const QColor a = actual.pixelColor(x, y);
            // Edge pixels may differ by the antialiasing of a chord against the arc.
            QVERIFY2(pixels::near(a, e, 16),
                     qPrintable(QStringLiteral("pixel %1,%2: %3 instead of %4").arg(x).arg(y)
                                    .arg(pixels::describe(a), pixels::describe(e))));
            shaded += e != QColor(Qt::white);
        }
    }
    // Each case shows both the shade and the open field.
    QVERIFY(shaded > 0);
    QVERIFY(shaded < size.width() * size.height());
}

QTEST_MAIN(TestViewWindow)
#include "tst_viewwindow.moc"
