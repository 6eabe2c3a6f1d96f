#include "core/areas/areamodel.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/viewwindow.h"
#include "core/link/displaypreferences.h"
#include "core/link/livescan.h"

#include <QGraphicsScene>
#include <QtMath>
#include <QtTest>

using namespace veltrix;

namespace {

// A polygon of `count` vertices over the scanner's field of view, its radius
// wobbling around `radius`, so every field is a realistic, irregular outline.
QVector<QPoint> Outline(int count, double radius, double wobble)
{
    QVector<QPoint> points;
    for (int i = 0; i < count; ++i) {
        const double angle = qDegreesToRadians(-45.0 + 270.0 * i / (count - 1));
        const double r = radius * (1.0 + wobble * std::sin(7.0 * angle));
        points << QPoint(qRound(r * std::cos(angle)), qRound(r * std::sin(angle)));
    }
    return points;
}

// Renders the view's viewport once to settle it, then measures one full frame at a
// time; with BENCH_FRAME_DIR set the last frame is saved there as NAME.png to look at.
void measureFrame(ViewWindow &view, const QString &name)
{
    QImage frame(view.viewport()->size(), QImage::Format_RGB32);
    view.viewport()->render(&frame);
    QCoreApplication::processEvents();
    QBENCHMARK {
        view.viewport()->render(&frame);
    }
    const QString out = qEnvironmentVariable("BENCH_FRAME_DIR");
    if (!out.isEmpty())
        frame.save(QStringLiteral("%1/%2.png").arg(out, name));
}

}  // namespace

// Time to paint one full frame of the view: grid, rings, axes, shading, labels,
// three fields of 100 vertices and the handles of the edited field, on the raster
// viewport at the main window's default size.
class BenchViewFrame : public QObject
{
    Q_OBJECT

private slots:
    void fullFrame_data();
    void fullFrame();
    void scanFrame_data();
    void scanFrame();
};

void BenchViewFrame::fullFrame_data()
{
    QTest::addColumn<int>("zoomLevel");
    QTest::addColumn<int>("model");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<bool>("farVertex");
    QTest::newRow("zoom 70") << 70 << 0 << QPointF(0, -1000) << false;
    QTest::newRow("zoom 180") << 180 << 0 << QPointF(0, -1000) << false;
    QTest::newRow("zoom 345") << 345 << 0 << QPointF(0, -1000) << false;
    // Close up on a far corner of the largest range: the rings there are huge.
    QTest::newRow("zoom 350, KT50 far corner") << 350 << 4 << QPointF(55000, -55000) << false;
    // Out1 a polygon with one vertex as far out as a point may lie (a distance of
    // -2147483648 typed into the polar table): its fill reaches a million pixels
    // beyond the viewport.
    QTest::newRow("zoom 250, a vertex 1 km out") << 250 << 0 << QPointF(0, 0) << true;
}

void BenchViewFrame::fullFrame()
{
    QFETCH(int, zoomLevel);
    QFETCH(int, model);
    QFETCH(QPointF, centre);
    QFETCH(bool, farVertex);
    AreaModel areaModel;
    LiveScan link;
    AreaRecord area = areaModel.current();
    area.out1Points = Outline(100, 5000, 0.08);
    if (farVertex) {
        area.out1Points = {{7, -18}, {-4083, 0}, {-5064, 0}, {-5005, 0},
                           {-CoordinateLimit, -CoordinateLimit}, {3578, 0}, {0, -3511}};
    }
    area.out2Points = Outline(100, 3500, 0.10);
    area.out3Points = Outline(100, 2000, 0.12);
    areaModel.replaceArea(areaModel.currentArea(), area);

    QGraphicsScene scene;
    ViewWindow view;
    view.UseRasterViewport();
    view.setScene(&scene);
    view.SetDeviceType(model);
    OPTION_SCENE controller(model, &scene, &areaModel, &link, view.BackgroundItems());
    ConnectViewToScene(&view, &controller);
    view.resize(1234, 752);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.ChangeSetupMatrix(zoomLevel);
    view.centerOn(centre);
    QCOMPARE(controller.PointItems().size(), area.out1Points.size() + 1);  // and the centre handle

    measureFrame(view, QStringLiteral("frame-%1-%2").arg(zoomLevel).arg(model));
}

void BenchViewFrame::scanFrame_data()
{
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("mode");
    for (int points : {2700, 30000}) {
        for (int mode : {int(DisplayGraph), int(DisplayCloud), int(DisplayLine)}) {
            const char *names[] = {"graph", "cloud", "line"};
            QTest::newRow(qPrintable(QStringLiteral("2 x %1, %2").arg(points).arg(names[mode])))
                << points << mode;
        }
    }
}

// One full frame with an Ethernet scan of `points` points drawn twice, as outline and
// as intensities, over the three fields, at the default zoom of model 05.
void BenchViewFrame::scanFrame()
{
    QFETCH(int, points);
    QFETCH(int, mode);
    AreaModel areaModel;
    LiveScan link;
    AreaRecord area = areaModel.current();
    area.out1Points = Outline(100, 5000, 0.08);
    area.out2Points = Outline(100, 3500, 0.10);
    area.out3Points = Outline(100, 2000, 0.12);
    areaModel.replaceArea(areaModel.currentArea(), area);
    for (int k = 0; k < points; ++k) {
        const double bearing = qDegreesToRadians(45.0 - 270.0 * (k + 1) / points);
        const double distance = 4000.0 * (1.0 + 0.2 * std::sin(40.0 * bearing));
        link.cloudDistX[k] = int(distance * std::cos(bearing));
        link.cloudDistY[k] = int(distance * std::sin(bearing));
        link.cloudIntensityX[k] = int(0.5 * distance * std::cos(bearing));
        link.cloudIntensityY[k] = int(0.5 * distance * std::sin(bearing));
    }
    link.cloudCount = points;
    ++link.scanSequence;
    ++link.intensitySequence;

    QGraphicsScene scene;
    ViewWindow view;
    view.UseRasterViewport();
    view.setScene(&scene);
    view.SetDeviceType(0);
    OPTION_SCENE controller(0, &scene, &areaModel, &link, view.BackgroundItems());
    ConnectViewToScene(&view, &controller);
    LinkConfiguration ethernet;
    ethernet.connectType = EthernetInterface;
    controller.SetLinkConfiguration(ethernet);
    controller.SetDisplayMode(mode);
    controller.UpdataScanOutline();
    controller.UpdataPaintIntensity();
    controller.RepaintScans();
    view.resize(1234, 752);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.ChangeSetupMatrix(ViewWindow::InitialZoomLevel);
    view.centerOn(0, 0);

    measureFrame(view, QStringLiteral("scan-%1-%2").arg(points).arg(mode));
}

QTEST_MAIN(BenchViewFrame)
#include "bench_viewframe.moc"
