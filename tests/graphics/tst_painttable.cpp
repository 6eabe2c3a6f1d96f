#include "areachange.h"
#include "core/areas/areamodel.h"
#include "core/graphics/fieldshapes.h"
#include "gui/graphics/painttable.h"
#include "pixels.h"

#include <QtMath>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int Side = 200;  // thumbnail size used here; the centre is (100, 100)
const QColor Black(0, 0, 0);

QColor fill(int field)
{
    return FieldColor(field, EditedFieldAlpha);
}

QImage renderThumbnail(AreaModel &model, int area)
{
    PAINT_TABLE widget(area, &model);
    widget.resize(Side, Side);
    QImage image(Side, Side, QImage::Format_RGB32);
    image.fill(Black);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Pixel of the area point (x, y) in a thumbnail whose farthest point is `farthest` mm.
QPoint pixelOf(double x, double y, double farthest)
{
    const double f = 50.0 / farthest;
    return QPoint(Side / 2 + qFloor(x * f), Side / 2 - qCeil(y * f));
}

}  // namespace

class TestPaintTable : public QObject
{
    Q_OBJECT

private slots:
    void startsWithTheTableGeometry();
    void emptyAreaShowsOnlyTheCross();
    void farthestPointLiesFiftyPixelsOut_data();
    void farthestPointLiesFiftyPixelsOut();
    void straightOut2CutsOut1();
    void arcWithOnePointIsLeftOutAndStraightAfterItIsEmpty();
    void ratioScalesOut2AndOut3DerivesFromUnscaledOut1();
    void showsItsOwnAreaNotTheCurrentOne();
};

void TestPaintTable::startsWithTheTableGeometry()
{
    AreaModel model;
    PAINT_TABLE widget(5, &model);
    QCOMPARE(widget.geometry(), QRect(0, 0, 40, 100));
    QCOMPARE(widget.AreaIndex(), 5);
}

void TestPaintTable::emptyAreaShowsOnlyTheCross()
{
    AreaModel model;
    const QImage image = renderThumbnail(model, 0);
    const QColor cross = pixels::over(QColor(128, 128, 128, 128), Black);
    int crossPixels = 0;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Black)
                continue;
            QVERIFY2(pixels::near(c, cross, 2) && (x == Side / 2 || y == Side / 2),
                     qPrintable(QStringLiteral("unexpected %1 at %2,%3")
                                    .arg(pixels::describe(c)).arg(x).arg(y)));
            ++crossPixels;
        }
    }
    // Dotted: both lines are there, but not every pixel of them.
    QVERIFY(crossPixels > Side / 2);
    QVERIFY(crossPixels < 2 * Side);
}

void TestPaintTable::farthestPointLiesFiftyPixelsOut_data()
{
    QTest::addColumn<int>("radius");
    QTest::newRow("3 m") << 3000;
    QTest::newRow("30 m") << 30000;
}

void TestPaintTable::farthestPointLiesFiftyPixelsOut()
{
    QFETCH(int, radius);
    AreaModel model;
    AreaRecord area = model.area(0);
    area.out1Shape = Arc;
    area.out1Points = {QPoint(radius, 0), QPoint(0, radius)};
    model.replaceArea(0, area);
    const QImage image = renderThumbnail(model, 0);
    const QColor yellow = pixels::over(fill(0), Black);
    // Along the 45 degree diagonal the quarter pie ends at 50 pixels.
    auto diagonal = [&](double d) {
        return image.pixelColor(Side / 2 + qRound(d * M_SQRT1_2), Side / 2 - qRound(d * M_SQRT1_2));
    };
    QVERIFY2(pixels::near(diagonal(10), yellow), qPrintable(pixels::describe(diagonal(10))));
    QVERIFY2(pixels::near(diagonal(47), yellow), qPrintable(pixels::describe(diagonal(47))));
    QCOMPARE(diagonal(53), Black);
    // The pie lies in the upper right quadrant only: forward is up.
    QCOMPARE(image.pixelColor(Side / 2 - 20, Side / 2 - 20), Black);
    QCOMPARE(image.pixelColor(Side / 2 + 20, Side / 2 + 20), Black);
}

void TestPaintTable::straightOut2CutsOut1()
{
    AreaModel model;
    AreaRecord area = model.area(3);
    area.out1Shape = Polygon;
    area.out1Points = {QPoint(2000, 3000), QPoint(-2000, 0), QPoint(2000, 0), QPoint(-2000, 3000)};
    area.out2Shape = Straight;
    area.out2Points = {QPoint(0, 1000)};
    model.replaceArea(3, area);
    const QImage image = renderThumbnail(model, 3);
    const double farthest = std::sqrt(2000.0 * 2000.0 + 3000.0 * 3000.0);
    const QColor yellow = pixels::over(fill(0), Black);
    const QColor orange = pixels::over(fill(1), yellow);

    const QColor below = image.pixelColor(pixelOf(1000, 500, farthest));
    const QColor above = image.pixelColor(pixelOf(1000, 1500, farthest));
    const QColor top = image.pixelColor(pixelOf(-1000, 2700, farthest));
    QVERIFY2(pixels::near(below, orange), qPrintable(pixels::describe(below)));
    QVERIFY2(pixels::near(above, yellow), qPrintable(pixels::describe(above)));
    QVERIFY2(pixels::near(top, yellow), qPrintable(pixels::describe(top)));
    QCOMPARE(image.pixelColor(pixelOf(1000, -300, farthest)), Black);
}

void TestPaintTable::arcWithOnePointIsLeftOutAndStraightAfterItIsEmpty()
{
    AreaModel model;
    AreaRecord area = model.area(0);
    area.out1Shape = Arc;
    area.out1Points = {QPoint(0, 4000)};
    area.out2Shape = Straight;
    area.out2Points = {QPoint(0, 3000)};
    area.out3Shape = Polygon;
    area.out3Points = {QPoint(1000, 0), QPoint(1000, 1000), QPoint(-1000, 1000), QPoint(-1000, 0)};
    model.replaceArea(0, area);
    const QImage image = renderThumbnail(model, 0);
    const QColor red = pixels::over(fill(2), Black);
    const QColor cross = pixels::over(QColor(128, 128, 128, 128), Black);

    int redPixels = 0;
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == Black || pixels::near(c, cross, 2))
                continue;
            // Red fill, the cross seen through it, or Out3's thin white outline: but
            // nothing yellow or orange.
            QVERIFY2(c.green() == c.blue() || c.red() > 250,
                     qPrintable(pixels::describe(c)));
            if (pixels::near(c, red))
                ++redPixels;
        }
    }
    // Out3 reaches 1414 mm of the farthest 4000 mm: a box about 17 by 8.8 pixels.
    QVERIFY(redPixels > 80);
    QVERIFY(pixels::near(image.pixelColor(pixelOf(500, 500, 4000)), red));
}

void TestPaintTable::ratioScalesOut2AndOut3DerivesFromUnscaledOut1()
{
    AreaModel model;
    AreaRecord area = model.area(0);
    area.out1Points = {QPoint(3000, 0), QPoint(3000, 3000), QPoint(-3000, 3000), QPoint(-3000, 0)};
    area.out2Shape = Ratio;
    area.out2Points = {QPoint(0, 1000)};  // a third of the 3000 mm height
    area.out3Shape = Straight;
    area.out3Points = {QPoint(0, 2000)};
    model.replaceArea(0, area);
    const QImage image = renderThumbnail(model, 0);
    const double farthest = std::sqrt(2.0) * 3000.0;
    const QColor yellow = pixels::over(fill(0), Black);
    const QColor orange = pixels::over(fill(1), yellow);
    const QColor redOverYellow = pixels::over(fill(2), yellow);
    const QColor redOverOrange = pixels::over(fill(2), orange);

    // Out2 is Out1 at a third: inside 1000 x 1000 around the scanner, under Out3.
    const QColor inner = image.pixelColor(pixelOf(500, 500, farthest));
    QVERIFY2(pixels::near(inner, redOverOrange), qPrintable(pixels::describe(inner)));
    // Out3 is cut from the full-size Out1, drawn at the thumbnail's own scale.
    const QColor outer = image.pixelColor(pixelOf(2000, 1500, farthest));
    QVERIFY2(pixels::near(outer, redOverYellow), qPrintable(pixels::describe(outer)));
    const QColor high = image.pixelColor(pixelOf(2000, 2500, farthest));
    QVERIFY2(pixels::near(high, yellow), qPrintable(pixels::describe(high)));
}

void TestPaintTable::showsItsOwnAreaNotTheCurrentOne()
{
    AreaModel model;
    changeArea(model, 0, [](AreaRecord &area) { area.out1Points = {QPoint(0, 1000), QPoint(1000, 0)}; });
    const QImage own = renderThumbnail(model, 7);
    for (int y = 0; y < Side; ++y) {
        for (int x = 0; x < Side; ++x) {
            if (x != Side / 2 && y != Side / 2)
                QCOMPARE(own.pixelColor(x, y), Black);
        }
    }
    // An index outside the document draws the cross and nothing else, without crashing.
    const QImage outside = renderThumbnail(model, 64);
    QCOMPARE(outside.pixelColor(Side / 2 + 20, Side / 2 - 20), Black);
}

QTEST_MAIN(TestPaintTable)
#include "tst_painttable.moc"
