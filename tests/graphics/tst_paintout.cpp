#include "areachange.h"
#include "core/areas/areamodel.h"
#include "core/graphics/fieldshapes.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintout.h"
#include "core/link/livescan.h"
#include "pixels.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QRandomGenerator>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(QVector<QPoint>)

namespace {

// The scene square (-5000, -5000, 10000, 10000) rendered at 20 mm per pixel.
constexpr int ImageSide = 500;
constexpr double MmPerPixel = 20.0;
const QColor Black(0, 0, 0);

// Pixel of the area point (x, y); the area's y is up, the scene's y down.
QPoint pixelOf(double x, double y)
{
    return QPoint(int((x + 5000) / MmPerPixel), int((-y + 5000) / MmPerPixel));
}

QColor edited(int field)
{
    return FieldColor(field, EditedFieldAlpha);
}

QColor other(int field)
{
    return FieldColor(field, OtherFieldAlpha);
}

// As the random-edit test typed it: one distance of -2147483648 put a vertex on the
// corner of the coordinate limit, and every frame of the view took a quarter second.
const QVector<QPoint> FarVertexPolygon = {{7, -18}, {-4083, 0}, {-5064, 0}, {-5005, 0},
                                          {-CoordinateLimit, -CoordinateLimit}, {3578, 0},
                                          {0, -3511}};

const QVector<QPoint> BigBox = {QPoint(-3000, 0), QPoint(3000, 0), QPoint(3000, 4000),
                                QPoint(-3000, 4000)};

// The field items as the scene controller sets them up, over a black background.
struct Fixture
{
    AreaModel model;
    LiveScan link;
    int modelIndex = 0;
    QGraphicsScene scene;
    QList<QGraphicsItem *> background;
    OPTION_SCENE controller{modelIndex, &scene, &model, &link, &background};

    // Changes the current area through the document, as an edit elsewhere would.
    template<typename Change>
    void change(Change edit)
    {
        changeArea(model, model.currentArea(), edit);
    }

    QImage render()
    {
        QImage image(ImageSide, ImageSide, QImage::Format_RGB32);
        image.fill(Black);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, ImageSide, ImageSide),
                     QRectF(-5000, -5000, 10000, 10000));
        return image;
    }

    // The scene collects repaint requests in one queued call and reports them in
    // another.
    static void flush()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

#define EXPECT_PIXEL(image, point, colour)                                                    \
    do {                                                                                      \
        const QColor seen_ = (image).pixelColor(point);                                       \
        QVERIFY2(pixels::near(seen_, colour),                                                 \
                 qPrintable(QStringLiteral("at %1,%2: %3, expected %4")                       \
                                .arg((point).x()).arg((point).y())                            \
                                .arg(pixels::describe(seen_), pixels::describe(colour))));    \
    } while (false)

}  // namespace

class TestPaintOut : public QObject
{
    Q_OBJECT

private slots:
    void itemsCoverTheRangeSquare();
    void polygonPointOrderDoesNotMatter_data();
    void polygonPointOrderDoesNotMatter();
    void equalAnglesKeepTheLaterPoint_data();
    void equalAnglesKeepTheLaterPoint();
    void arcUsesTheLargerRadius();
    void arcWithOnePointDrawsNothingAndEmptiesTheNextField();
    void rectangleIsDrawnAsSweptPolygon();
    void straightOut2CutsOut1();
    void derivedFieldCatchesUpWhenPaintedFirst();
    void aChangeRepaintsOnceAndPaintingAsksForNothing();
    void fanOut3LimitsOut2();
    void ratioOut2ScalesOut1_data();
    void ratioOut2ScalesOut1();
    void editedFieldIsOpaque_data();
    void editedFieldIsOpaque();
    void unknownShapeDrawsNothing();
    void fieldFarBeyondThePictureShowsAsBefore_data();
    void fieldFarBeyondThePictureShowsAsBefore();
};

void TestPaintOut::itemsCoverTheRangeSquare()
{
    Fixture f;
    const QList<PaintOutItem *> items = {f.controller.Out1Item(), f.controller.Out2Item(),
                                         f.controller.Out3Item()};
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->boundingRect(), QRectF(-6000, -6000, 12000, 12000));
        QVERIFY(items[i]->shape().contains(QPointF(5999, -5999)));
        QCOMPARE(items[i]->pos(), QPointF(0, 0));
        QCOMPARE(items[i]->Field(), i);
        QVERIFY(items[i]->flags() & QGraphicsItem::ItemIsSelectable);
    }
    QVERIFY(qgraphicsitem_cast<PAINT_OUT1 *>(static_cast<QGraphicsItem *>(items[0])));
    QVERIFY(!qgraphicsitem_cast<PAINT_OUT1 *>(static_cast<QGraphicsItem *>(items[1])));
    QVERIFY(qgraphicsitem_cast<PAINT_OUT3 *>(static_cast<QGraphicsItem *>(items[2])));
}

void TestPaintOut::polygonPointOrderDoesNotMatter_data()
{
    QTest::addColumn<QVector<QPoint>>("points");
    const QVector<QPoint> ordered = {QPoint(3000, -1000), QPoint(2500, 2000), QPoint(0, 3500),
                                     QPoint(-1500, 1500), QPoint(-2000, -500)};
    QVector<QPoint> clockwise(ordered.crbegin(), ordered.crend());
    QVector<QPoint> shuffled = ordered;
    QRandomGenerator random(20240611);
    for (int i = shuffled.size() - 1; i > 0; --i)
        std::swap(shuffled[i], shuffled[int(random.bounded(i + 1))]);
    QTest::newRow("angle order") << ordered;
    QTest::newRow("clockwise") << clockwise;
    QTest::newRow("shuffled") << shuffled;
    QTest::newRow("swapped ends") << QVector<QPoint>{ordered[4], ordered[1], ordered[2],
                                                     ordered[3], ordered[0]};
}

void TestPaintOut::polygonPointOrderDoesNotMatter()
{
    QFETCH(QVector<QPoint>, points);
    Fixture reference;
    reference.change([](AreaRecord &area) {
        area.out1Points = {QPoint(3000, -1000), QPoint(2500, 2000), QPoint(0, 3500),
                           QPoint(-1500, 1500), QPoint(-2000, -500)};
    });
    const QImage expected = reference.render();

    Fixture f;
    f.change([&](AreaRecord &area) { area.out1Points = points; });
    const QImage image = f.render();
    QCOMPARE(image, expected);

    const QColor yellow = pixels::over(edited(0), Black);
    EXPECT_PIXEL(image, pixelOf(1000, 1000), yellow);
    EXPECT_PIXEL(image, pixelOf(-1000, 500), yellow);
    EXPECT_PIXEL(image, pixelOf(0, 4000), Black);
    EXPECT_PIXEL(image, pixelOf(0, -1000), Black);  // behind the scanner: not swept
}

void TestPaintOut::equalAnglesKeepTheLaterPoint_data()
{
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<bool>("farCornerFilled");
    QTest::newRow("far point later") << QVector<QPoint>{QPoint(2000, 0), QPoint(1000, 1000),
                                                       QPoint(0, 2000), QPoint(3000, 3000)}
                                     << true;
    QTest::newRow("near point later") << QVector<QPoint>{QPoint(2000, 0), QPoint(3000, 3000),
                                                        QPoint(0, 2000), QPoint(1000, 1000)}
                                      << false;
}

void TestPaintOut::equalAnglesKeepTheLaterPoint()
{
    QFETCH(QVector<QPoint>, points);
    QFETCH(bool, farCornerFilled);
    Fixture f;
    f.change([&](AreaRecord &area) { area.out1Points = points; });
    const QImage image = f.render();
    const QColor yellow = pixels::over(edited(0), Black);
    EXPECT_PIXEL(image, pixelOf(2000, 2000), farCornerFilled ? yellow : Black);
    EXPECT_PIXEL(image, pixelOf(500, 300), yellow);
}

void TestPaintOut::arcUsesTheLargerRadius()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Shape = Arc;
        area.out1Points = {QPoint(1000, 0), QPoint(0, 3000)};
    });
    const QImage image = f.render();
    const QColor yellow = pixels::over(edited(0), Black);
    EXPECT_PIXEL(image, pixelOf(2000, 1500), yellow);   // radius 2500
    EXPECT_PIXEL(image, pixelOf(200, 2800), yellow);    // radius 2807
    EXPECT_PIXEL(image, pixelOf(2300, 2300), Black);    // radius 3253
    EXPECT_PIXEL(image, pixelOf(-500, 500), Black);     // outside the angles
    EXPECT_PIXEL(image, pixelOf(500, -500), Black);
}

void TestPaintOut::arcWithOnePointDrawsNothingAndEmptiesTheNextField()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Points = BigBox;
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 2000)};
    });
    QVERIFY(!f.controller.Out2Item()->PreviousPath().isEmpty());

    // Out1 turns into an arc with a single point: it shows nothing, and the straight
    // Out2 derived from it must not keep showing the old box.
    f.change([&](AreaRecord &area) {
        area.out1Shape = Arc;
        area.out1Points = {QPoint(0, 3000)};
    });
    const QImage image = f.render();
    QVERIFY(f.controller.Out2Item()->PreviousPath().isEmpty());
    EXPECT_PIXEL(image, pixelOf(1000, 1000), Black);
    EXPECT_PIXEL(image, pixelOf(1000, 3000), Black);
}

void TestPaintOut::rectangleIsDrawnAsSweptPolygon()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Shape = Rectangle;
        area.out1Points = {QPoint(-1000, 500), QPoint(-1000, 2500), QPoint(1000, 2500),
                           QPoint(1000, 500)};
    });
    const QImage image = f.render();
    const QColor yellow = pixels::over(edited(0), Black);
    EXPECT_PIXEL(image, pixelOf(0, 2000), yellow);
    EXPECT_PIXEL(image, pixelOf(-800, 2300), yellow);
    // Like every field, the region is swept from the scanner to the corners.
    EXPECT_PIXEL(image, pixelOf(0, 250), yellow);
    EXPECT_PIXEL(image, pixelOf(900, 150), Black);
    EXPECT_PIXEL(image, pixelOf(1500, 1500), Black);
    EXPECT_PIXEL(image, pixelOf(0, 2800), Black);
}

void TestPaintOut::straightOut2CutsOut1()
{
    Fixture f;
    f.model.setCurrentField(1);
    f.change([&](AreaRecord &area) {
        area.out1Points = BigBox;
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 2000)};
    });
    const QImage image = f.render();
    const QColor yellow = pixels::over(other(0), Black);
    const QColor orange = pixels::over(edited(1), yellow);
    EXPECT_PIXEL(image, pixelOf(1000, 1000), orange);
    EXPECT_PIXEL(image, pixelOf(-2500, 1900), orange);
    EXPECT_PIXEL(image, pixelOf(1000, 2200), yellow);
    EXPECT_PIXEL(image, pixelOf(-2500, 3800), yellow);
    EXPECT_PIXEL(image, pixelOf(1000, 4500), Black);
}

// Painted on top, Out1 is drawn after the Out2 derived from it: that Out2 is cut from
// the Out1 of this very repaint, not of an earlier one.
void TestPaintOut::derivedFieldCatchesUpWhenPaintedFirst()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Points = BigBox;
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 2000)};
    });
    QVERIFY(f.controller.Out1Item()->zValue() > f.controller.Out2Item()->zValue());

    const QImage image = f.render();
    const QColor orange = pixels::over(other(1), Black);
    const QColor both = pixels::over(edited(0), orange);
    const QColor yellow = pixels::over(edited(0), Black);
    EXPECT_PIXEL(image, pixelOf(1000, 1000), both);
    EXPECT_PIXEL(image, pixelOf(1000, 3000), yellow);

    // Another area: Out2 follows the new Out1 instead of keeping the old cut.
    changeArea(f.model, 1, [](AreaRecord &area) {
        area.out1Points = {QPoint(-1000, 0), QPoint(1000, 0), QPoint(1000, 1000),
                           QPoint(-1000, 1000)};
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 2000)};
    });
    f.model.setCurrentArea(1);
    const QImage next = f.render();
    EXPECT_PIXEL(next, pixelOf(500, 500), both);
    EXPECT_PIXEL(next, pixelOf(2500, 1000), Black);
}

// Painting has no side effects: a change of the area asks for one repaint, and
// painting asks for nothing further.
void TestPaintOut::aChangeRepaintsOnceAndPaintingAsksForNothing()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Points = BigBox;
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 2000)};
    });
    f.render();
    Fixture::flush();

    // Repaint requests of the scene: reports with at least one dirty rectangle.
    QList<QRectF> dirty;
    int repaints = 0;
    QObject::connect(&f.scene, &QGraphicsScene::changed, [&](const QList<QRectF> &rects) {
        if (!rects.isEmpty()) {
            ++repaints;
            dirty = rects;
        }
    });
    f.render();
    Fixture::flush();
    QCOMPARE(repaints, 0);

    f.change([&](AreaRecord &area) {
        area.out1Points = {QPoint(-1000, 0), QPoint(1000, 0), QPoint(1000, 1000)};
    });
    Fixture::flush();
    QCOMPARE(repaints, 1);
    QVERIFY(dirty.at(0).contains(f.controller.Out2Item()->sceneBoundingRect()));
    const QImage image = f.render();
    Fixture::flush();
    QCOMPARE(repaints, 1);
    // Out2 is already cut from the new, smaller Out1.
    EXPECT_PIXEL(image, pixelOf(-2500, 1000), Black);
    EXPECT_PIXEL(image, pixelOf(500, 500),
                 pixels::over(edited(0), pixels::over(other(1), Black)));
}

void TestPaintOut::fanOut3LimitsOut2()
{
    Fixture f;
    f.model.setCurrentField(2);
    f.change([&](AreaRecord &area) {
        area.out1Points = {};
        area.out2Points = {QPoint(3000, -3000), QPoint(3000, 3000), QPoint(-3000, 3000),
            QPoint(-3000, -3000)};
        area.out3Shape = Fan;
        area.out3Points = {QPoint(0, 1500)};
    });
    const QImage image = f.render();
    const QColor orange = pixels::over(other(1), Black);
    const QColor red = pixels::over(edited(2), orange);
    EXPECT_PIXEL(image, pixelOf(0, 1000), red);
    EXPECT_PIXEL(image, pixelOf(1200, 500), red);        // radius 1300
    EXPECT_PIXEL(image, pixelOf(1000, -800), red);       // inside the 270 degree fan
    EXPECT_PIXEL(image, pixelOf(1200, 1200), orange);    // radius 1697
    EXPECT_PIXEL(image, pixelOf(0, 2000), orange);
    EXPECT_PIXEL(image, pixelOf(2500, -2000), orange);    // outside the fan's radius
    EXPECT_PIXEL(image, pixelOf(2000, -2500), Black);     // outside Out2
}

void TestPaintOut::ratioOut2ScalesOut1_data()
{
    // Out1 is the 6000 x 4000 box, Out2 the ratio, Out3 a straight cut at 3000 that
    // derives from the path Out2 hands on. Each place lists the fields covering it.
    QTest::addColumn<int>("ratio");
    QTest::addColumn<QVector<QPoint>>("places");
    QTest::addColumn<QVector<int>>("fields");  // bit i set: Out(i+1) covers the place
    const QVector<QPoint> places = {QPoint(500, 800), QPoint(900, 1500), QPoint(-2800, 3200),
                                    QPoint(2800, 3800), QPoint(0, 4500)};
    QTest::newRow("1000 of 4000: a quarter") << 1000 << places << QVector<int>{7, 5, 1, 1, 0};
    QTest::newRow("5000 of 4000: unchanged") << 5000 << places << QVector<int>{7, 7, 3, 3, 0};
    QTest::newRow("4000 of 4000: unchanged") << 4000 << places << QVector<int>{7, 7, 3, 3, 0};
    QTest::newRow("0: Out2 not drawn") << 0 << places << QVector<int>{5, 5, 1, 1, 0};
}

void TestPaintOut::ratioOut2ScalesOut1()
{
    QFETCH(int, ratio);
    QFETCH(QVector<QPoint>, places);
    QFETCH(QVector<int>, fields);
    Fixture f;
    f.model.setCurrentField(1);
    f.change([&](AreaRecord &area) {
        area.out1Points = BigBox;
        area.out2Shape = Ratio;
        area.out2Points = {QPoint(0, ratio)};
        area.out3Shape = Straight;
        area.out3Points = {QPoint(0, 3000)};
    });
    const QImage image = f.render();
    for (int i = 0; i < places.size(); ++i) {
        QColor expected = Black;
        // With Out2 edited the stacking is Out3, Out1, Out2 from the bottom.
        for (int field : {2, 0, 1}) {
            if (fields[i] & (1 << field))
                expected = pixels::over(field == 1 ? edited(field) : other(field), expected);
        }
        EXPECT_PIXEL(image, pixelOf(places[i].x(), places[i].y()), expected);
    }
    // Out3 derives from Out1 at full size, whatever the ratio.
    QCOMPARE(f.controller.Out3Item()->PreviousPath().boundingRect(),
             QRectF(-3000, -4000, 6000, 4000));
}

void TestPaintOut::editedFieldIsOpaque_data()
{
    QTest::addColumn<int>("field");
    QTest::newRow("Out1") << 0;
    QTest::newRow("Out2") << 1;
    QTest::newRow("Out3") << 2;
}

void TestPaintOut::editedFieldIsOpaque()
{
    QFETCH(int, field);
    Fixture f;
    f.model.setCurrentField(field);
    // Three separate wedges: Out1 to the right, Out2 ahead, Out3 to the left.
    f.change([&](AreaRecord &area) {
        area.out1Points = {QPoint(3000, 0), QPoint(3000, 1000)};
        area.out2Points = {QPoint(-500, 3000), QPoint(500, 3000)};
        area.out3Points = {QPoint(-3000, 0), QPoint(-3000, 1000)};
    });
    const QImage image = f.render();
    const QPoint places[3] = {pixelOf(2500, 400), pixelOf(0, 2500), pixelOf(-2500, 400)};
    for (int i = 0; i < 3; ++i)
        EXPECT_PIXEL(image, places[i], pixels::over(i == field ? edited(i) : other(i), Black));
}

void TestPaintOut::unknownShapeDrawsNothing()
{
    Fixture f;
    f.change([&](AreaRecord &area) {
        area.out1Shape = 9;
        area.out1Points = BigBox;
        area.out2Shape = Straight;  // not a shape Out1 may have: ignored there
        area.out2Points = BigBox;
    });
    const QImage image = f.render();
    EXPECT_PIXEL(image, pixelOf(1000, 1000), Black);
}

void TestPaintOut::fieldFarBeyondThePictureShowsAsBefore_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<double>("scale");  // pixels per mm
    QTest::newRow("polygon with a vertex 1 km out") << 0 << int(Polygon) << FarVertexPolygon << 1.0;
    QTest::newRow("fan Out2 of that polygon") << 1 << int(Fan) << QVector<QPoint>{{0, 300000}} << 1.0;
    QTest::newRow("arc of 50 m seen at 4 px/mm")
        << 0 << int(Arc) << QVector<QPoint>{{50000, 0}, {0, 50000}} << 4.0;
}

// Only what lies around the picture is handed to the painter, and the picture is the
// one the whole path gives.
void TestPaintOut::fieldFarBeyondThePictureShowsAsBefore()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(QVector<QPoint>, points);
    QFETCH(double, scale);
    AreaRecord area;
    area.out1Points = FarVertexPolygon;
    area.setShape(field, shape);
    area.points(field) = points;
    const FieldDrawing drawing = BuildAreaDrawing(area, 12000, 12000)[field];
    QVERIFY(drawing.visible);

    QImage cut(300, 300, QImage::Format_RGB32);
    cut.fill(Black);
    QImage whole = cut;
    const QColor fill = FieldColor(field, EditedFieldAlpha);
    const auto place = [scale](QPainter &painter) {
        painter.setRenderHint(QPainter::Antialiasing);  // as the view paints its items
        painter.translate(150, 150);
        painter.scale(scale, scale);
    };
    QPainter painter(&cut);
    place(painter);
    const QRectF device(0, 0, cut.width(), cut.height());
    const QPainterPath visible = VisiblePart(drawing.path, painter.combinedTransform(), device);
    const QRectF window = device.adjusted(-VisibleMargin, -VisibleMargin, VisibleMargin, VisibleMargin);
    QVERIFY(window.contains(painter.combinedTransform().mapRect(visible.controlPointRect())));
    PaintFieldDrawing(&painter, drawing, fill);
    painter.end();

    QPainter reference(&whole);
    place(reference);
    reference.setPen(drawing.outlined ? FieldOutlinePen() : QPen(Qt::NoPen));
    reference.setBrush(fill);
    reference.drawPath(drawing.path);
    reference.end();
    int differing = 0;
    for (int y = 0; y < cut.height(); ++y) {
        for (int x = 0; x < cut.width(); ++x) {
            if (!pixels::near(cut.pixelColor(x, y), whole.pixelColor(x, y), 2))
                ++differing;
        }
    }
    QCOMPARE(differing, 0);
}

QTEST_MAIN(TestPaintOut)
#include "tst_paintout.moc"
