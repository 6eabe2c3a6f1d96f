#include "pixels.h"

#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "core/link/livescan.h"

#include <QGraphicsScene>
#include <QGraphicsView>
#include <QPaintEvent>
#include <QPainter>
#include <QtTest>

#include <cmath>

using namespace veltrix;

namespace {

constexpr int ImageSize = 400;

// The two live items over a white scene, fed from one live scan as the scene
// controller places them.
struct LiveScene
{
    LiveScan data;
    QGraphicsScene scene;
    PAINT_OUTLINE *outline = new PAINT_OUTLINE(12000, 12000, &data, 0);
    PAINT_STRENGTH *intensity = new PAINT_STRENGTH(12000, 12000, &data, 0);

    void setDisplayMode(int mode)
    {
        outline->SetDisplayMode(mode);
        intensity->SetDisplayMode(mode);
    }

    LiveScene()
    {
        scene.addItem(outline);
        scene.addItem(intensity);
        scene.setSceneRect(-6000, -6000, 12000, 12000);
    }

    // A serial scan of one distance and one intensity in every direction.
    void serialScan(quint16 distance, quint16 strength)
    {
        data.scanDistances.fill(distance);
        data.scanIntensities.fill(strength);
        ++data.scanSequence;
        ++data.intensitySequence;
        outline->Refresh();
        intensity->Refresh();
    }

    // The scene around `centre` at `scale` pixels per millimetre.
    QImage render(double scale, QPointF centre = QPointF())
    {
        QImage image(ImageSize, ImageSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        const double half = ImageSize / 2.0 / scale;
        scene.render(&painter, QRectF(0, 0, ImageSize, ImageSize),
                     QRectF(centre.x() - half, centre.y() - half, 2 * half, 2 * half));
        return image;
    }
};

QPoint pixelOf(QPointF scenePoint, double scale)
{
    return QPoint(static_cast<int>(std::floor(scenePoint.x() * scale + ImageSize / 2.0)),
                  static_cast<int>(std::floor(scenePoint.y() * scale + ImageSize / 2.0)));
}

// Whether a pixel within `radius` of where the scene point lands has this colour.
bool colourNear(const QImage &image, QPointF scenePoint, double scale, const QColor &colour, int radius = 2)
{
    const QPoint centre = pixelOf(scenePoint, scale);
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (pixels::near(image.pixelColor(centre + QPoint(dx, dy)), colour))
                return true;
        }
    }
    return false;
}

// Rows of one colour that a vertical cut through column x meets around row y.
int thicknessAt(const QImage &image, int x, int y, const QColor &colour)
{
    int count = 0;
    for (int row = qMax(0, y - 10); row < qMin(image.height(), y + 10); ++row)
        count += pixels::near(image.pixelColor(x, row), colour) ? 1 : 0;
    return count;
}

}  // namespace

class TestScanItems : public QObject
{
    Q_OBJECT

private slots:
    void serialSamplesInTheirDirections();
    void drawnInEachDisplayMode_data();
    void drawnInEachDisplayMode();
    void pixelWidthsStayAtEveryZoom_data();
    void pixelWidthsStayAtEveryZoom();
    void readsOnlyWhatTheVectorsHold();
    void newScanRepaintsWhereTheOldOneWas();
};

void TestScanItems::serialSamplesInTheirDirections()
{
    LiveScan data;
    LinkConfiguration link;
    data.scanDistances[270] = 1000;
    data.scanDistances[0] = 1000;
    data.scanIntensities[100] = 2000;
    const QPolygonF outline = ScanPoints(data, ScanChannel::Distance, link);
    QCOMPARE(outline.size(), SerialScanSize + 1);
    QCOMPARE(outline.at(0), QPointF(0, 0));          // the scanner comes first
    QCOMPARE(outline.at(271), QPointF(0, -999));     // straight ahead, y truncated
    QCOMPARE(outline.at(1), QPointF(-707, 707));     // behind on the left
    QCOMPARE(outline.at(2), QPointF(0, 0));          // a zero sample lies on the scanner
    const QPointF bright = ScanPoints(data, ScanChannel::Intensity, link).at(101);
    QVERIFY(qAbs(std::hypot(bright.x(), bright.y()) - 2000) < 2);

    // Upside down, every sample lies half a degree further clockwise.
    link.invertedMount = true;
    const QPointF ahead = ScanPoints(data, ScanChannel::Distance, link).at(271);
    QVERIFY(qAbs(std::atan2(ahead.y(), ahead.x()) * 180 / M_PI + 89.5) < 0.1);
}

void TestScanItems::drawnInEachDisplayMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("graph") << int(DisplayGraph);
    QTest::newRow("cloud") << int(DisplayCloud);
    QTest::newRow("line") << int(DisplayLine);
}

// Distances of 1000 mm and intensities of 2000 all round: the outline as a green, the
// intensities as a blue circle of the 270 degrees the scanner sees.
void TestScanItems::drawnInEachDisplayMode()
{
    QFETCH(int, mode);
    LiveScene live;
    live.setDisplayMode(mode);
    live.serialScan(1000, 2000);
    const double scale = 0.075;  // 2.6 m from the scanner to the image's edges
    const QImage image = live.render(scale);
    const QColor white(Qt::white);

    if (mode == DisplayGraph) {
        const QColor blueFill = pixels::over(QColor(0, 0, 255, 50), white);
        QVERIFY(colourNear(image, QPointF(0, -1500), scale, blueFill, 0));
        QVERIFY(colourNear(image, QPointF(0, -500), scale, pixels::over(QColor(0, 255, 0, 80), blueFill), 0));
        QVERIFY(colourNear(image, QPointF(0, -1000), scale, Qt::gray, 1));
    } else {
        QVERIFY(colourNear(image, QPointF(0, -999), scale, Qt::green));
        QVERIFY(colourNear(image, QPointF(-1000, 0), scale, Qt::green));
        QVERIFY(colourNear(image, QPointF(0, -2000), scale, Qt::blue));
        QVERIFY(colourNear(image, QPointF(0, -500), scale, white, 0));
    }
    // Nothing beyond the intensities, nor in the blind wedge behind the scanner.
    QVERIFY(colourNear(image, QPointF(0, -2500), scale, white, 0));
    QVERIFY(colourNear(image, QPointF(0, 1500), scale, white, 0));
}

void TestScanItems::pixelWidthsStayAtEveryZoom_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("pixels");
    QTest::newRow("line, far") << int(DisplayLine) << 0.05 << 2;
    QTest::newRow("line, very close") << int(DisplayLine) << 3.5 << 2;
    QTest::newRow("cloud, far") << int(DisplayCloud) << 0.05 << 2;
    QTest::newRow("cloud, very close") << int(DisplayCloud) << 3.0 << 5;
}

// Where the outline crosses straight ahead, its line is as thick on the screen at
// every zoom; cloud points grow by a pixel per scene unit on the screen.
void TestScanItems::pixelWidthsStayAtEveryZoom()
{
    QFETCH(int, mode);
    QFETCH(double, scale);
    QFETCH(int, pixels);
    LiveScene live;
    live.setDisplayMode(mode);
    live.serialScan(1000, 0);
    const QImage image = live.render(scale, QPointF(0, -999));
    QCOMPARE(thicknessAt(image, ImageSize / 2, ImageSize / 2, Qt::green), pixels);
}

void TestScanItems::readsOnlyWhatTheVectorsHold()
{
    LiveScan data;
    LinkConfiguration link;
    link.connectType = EthernetInterface;
    data.cloudCount = CloudCapacity + 5000;
    QCOMPARE(ScanPoints(data, ScanChannel::Distance, link).size(), CloudCapacity + 1);
    data.cloudCount = -3;
    QCOMPARE(ScanPoints(data, ScanChannel::Intensity, link).size(), 1);

    // The intensities are read over their own length, whatever the distances hold.
    link.connectType = SerialInterface;
    data.scanIntensities.resize(100);
    QCOMPARE(ScanPoints(data, ScanChannel::Intensity, link).size(), 101);
}

// Records the regions a widget is asked to paint.
class PaintRegions : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted |= static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

// A scan that shrinks must not leave the old outline standing on the screen, and a
// new scan repaints no more of the view than the two scans cover.
void TestScanItems::newScanRepaintsWhereTheOldOneWas()
{
    LiveScene live;
    live.setDisplayMode(DisplayCloud);
    QGraphicsView view(&live.scene);
    view.setViewportUpdateMode(QGraphicsView::MinimalViewportUpdate);
    const double scale = 0.05;
    view.setTransform(QTransform::fromScale(scale, scale));
    view.resize(800, 800);
    view.centerOn(0, 0);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    PaintRegions regions;
    view.viewport()->installEventFilter(&regions);
    live.serialScan(4000, 0);
    QTRY_VERIFY(!regions.painted.isEmpty());
    regions.painted = QRegion();

    live.data.scanDistances.fill(1000);
    ++live.data.scanSequence;
    live.outline->SetViewScale(scale);
    live.outline->Refresh();
    QTRY_VERIFY(!regions.painted.isEmpty());
    const QRect oldScan = view.mapFromScene(QRectF(QPointF(-4000, -4000), QPointF(4000, 2828))).boundingRect();
    QVERIFY(QRegion(oldScan.adjusted(-5, -5, 5, 5)).subtracted(regions.painted).isEmpty());
    QVERIFY(!regions.painted.contains(view.mapFromScene(QPointF(0, -5500))));
}

QTEST_MAIN(TestScanItems)
#include "tst_scanitems.moc"
