#include "areachange.h"
#include "core/areas/areamodel.h"
#include "core/areas/polar.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintout.h"
#include "gui/graphics/paintoutline.h"
#include "gui/graphics/paintstrength.h"
#include "gui/graphics/pointpoint.h"
#include "gui/graphics/pointratio.h"
#include "gui/graphics/viewwindow.h"
#include "core/link/livescan.h"
#include "mouse.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QtTest>

using namespace veltrix;

Q_DECLARE_METATYPE(QVector<QPoint>)

namespace {

// The view and the scene controller connected as the main window connects them, on a
// model 05 document, shown at a zoom level chosen per test.
struct SceneFixture
{
    AreaModel model;
    LiveScan link;
    int modelIndex = 0;
    QGraphicsScene scene;
    ViewWindow view;
    OPTION_SCENE *controller = nullptr;
    int channelSignals = 0;

    explicit SceneFixture(int zoomLevel = 250)
    {
        view.setScene(&scene);
        view.SetDeviceType(modelIndex);
        controller = new OPTION_SCENE(modelIndex, &scene, &model, &link, view.BackgroundItems());
        ConnectViewToScene(&view, controller);
        QObject::connect(controller, &OPTION_SCENE::PointItemChannelSignal,
                         [this] { ++channelSignals; });
        view.resize(1000, 1000);
        view.ChangeSetupMatrix(zoomLevel);
    }

    ~SceneFixture() { delete controller; }

    bool show()
    {
        view.show();
        const bool exposed = QTest::qWaitForWindowExposed(&view);
        view.centerOn(0, 0);
        return exposed;
    }

    const AreaRecord &area() const { return model.current(); }

    // Changes the current area through the document, as an edit elsewhere would.
    template<typename Change>
    void change(Change edit)
    {
        changeArea(model, model.currentArea(), edit);
    }
    QWidget *viewport() const { return view.viewport(); }
    const QList<QGraphicsItem *> &handles() const { return controller->PointItems(); }

    QPoint pixelOfArea(int x, int y) const { return view.mapFromScene(QPointF(x, -y)); }

    void drag(const QPoint &from, const QPoint &to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mousePress(viewport(), Qt::LeftButton, modifiers, from);
        mouse::moveTo(viewport(), (from + to) / 2, Qt::LeftButton, modifiers);
        mouse::moveTo(viewport(), to, Qt::LeftButton, modifiers);
        QTest::mouseRelease(viewport(), Qt::LeftButton, modifiers, to);
    }

    void dragArea(QPoint from, QPoint to)
    {
        drag(pixelOfArea(from.x(), from.y()), pixelOfArea(to.x(), to.y()));
    }

    QGraphicsItem *centreHandle() const
    {
        for (QGraphicsItem *item : handles()) {
            if (item->pos() == QPointF(0, 0))
                return item;
        }
        return nullptr;
    }
};

}  // namespace

class TestOptionScene : public QObject
{
    Q_OBJECT

private slots:
    void constructionFillsTheSceneAndTheView();
    void modelChangeResizesSceneAndItems();
    void rebuildCreatesHandlesForTheEditedField_data();
    void rebuildCreatesHandlesForTheEditedField();
    void zOrderFollowsTheEditedField_data();
    void zOrderFollowsTheEditedField();
    void handlesKeepTheirPixelSize();
    void handlePaintsAFilledSquare();
    void draggingTheCentreHandleCreatesAVertex();
    void vertexDroppedOnTheOriginLeavesTheModel();
    void rightClickDeletesOnlyPolygonVertices();
    void centreHandleDeletedComesBackOnRelease();
    void deleteRequestsAreIgnoredForArcsAndRectangles_data();
    void deleteRequestsAreIgnoredForArcsAndRectangles();
    void arcPartnerFollowsTheRadius_data();
    void arcPartnerFollowsTheRadius();
    void rectangleCornerDragsItsNeighbours();
    void ratioBarStopsAtTheScanner();
    void shiftHeldDragMovesNothing();
    void onlyTheLeftButtonDragsAHandle_data();
    void onlyTheLeftButtonDragsAHandle();
    void rebuildDuringADragIsSafe();
    void handleEditsRepaintTheWholeFields();
    void outlineRepaintReachesTheFieldsWhileTheScanIsHidden_data();
    void outlineRepaintReachesTheFieldsWhileTheScanIsHidden();
};

void TestOptionScene::constructionFillsTheSceneAndTheView()
{
    SceneFixture f;
    QCOMPARE(f.scene.sceneRect(), QRectF(-6000, -6000, 12000, 12000));
    QCOMPARE(f.controller->RangeWidth(), 12000);
    QCOMPARE(f.controller->RangeHeight(), 12000);
    const QList<QGraphicsItem *> &background = *f.view.BackgroundItems();
    QCOMPARE(background.size(), 5);
    QVERIFY(qgraphicsitem_cast<PAINT_OUT1 *>(background[0]));
    QVERIFY(qgraphicsitem_cast<PAINT_OUT2 *>(background[1]));
    QVERIFY(qgraphicsitem_cast<PAINT_OUT3 *>(background[2]));
    QVERIFY(qgraphicsitem_cast<PAINT_OUTLINE *>(background[3]));
    QVERIFY(qgraphicsitem_cast<PAINT_STRENGTH *>(background[4]));
    QCOMPARE(background[3]->zValue(), 6.0);
    QCOMPARE(background[4]->zValue(), 5.0);
    for (QGraphicsItem *item : background) {
        QCOMPARE(item->scene(), &f.scene);
        QCOMPARE(item->pos(), QPointF(0, 0));
        QCOMPARE(item->boundingRect(), QRectF(-6000, -6000, 12000, 12000));
    }
    // An empty polygon Out1: only the centre handle, and the model stays empty.
    QCOMPARE(f.handles().size(), 1);
    QVERIFY(qgraphicsitem_cast<POINT_POINT *>(f.handles()[0]));
    QCOMPARE(f.handles()[0]->pos(), QPointF(0, 0));
    QCOMPARE(f.handles()[0]->zValue(), 7.0);
    QVERIFY(f.area().out1Points.isEmpty());
}

void TestOptionScene::modelChangeResizesSceneAndItems()
{
    SceneFixture f;
    f.controller->SetDeviceType(4);
    QCOMPARE(f.scene.sceneRect(), QRectF(-60000, -60000, 120000, 120000));
    QCOMPARE(f.controller->RangeWidth(), 120000);
    QCOMPARE(f.controller->RangeHeight(), 120000);
    for (QGraphicsItem *item : *f.view.BackgroundItems())
        QCOMPARE(item->boundingRect(), QRectF(-60000, -60000, 120000, 120000));
    // The field far out is found under the mouse where it was not before.
    QCOMPARE(f.scene.itemAt(QPointF(50000, -50000), QTransform()), f.controller->OutlineItem());

    f.controller->SetDeviceType(9);  // unknown: everything stays
    QCOMPARE(f.scene.sceneRect(), QRectF(-60000, -60000, 120000, 120000));
}

void TestOptionScene::rebuildCreatesHandlesForTheEditedField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::addColumn<int>("handleType");
    QTest::addColumn<bool>("centre");
    const QVector<QPoint> three = {QPoint(500, 100), QPoint(-300, 900), QPoint(0, -700)};
    QTest::newRow("Out1 polygon") << 0 << int(Polygon) << three << int(POINT_POINT::Type) << true;
    QTest::newRow("Out2 polygon") << 1 << int(Polygon) << three << int(POINT_POINT::Type) << true;
    QTest::newRow("Out1 arc") << 0 << int(Arc) << QVector<QPoint>{QPoint(500, 0), QPoint(0, 500)}
                              << int(POINT_POINT::Type) << false;
    QTest::newRow("Out3 rectangle")
        << 2 << int(Rectangle)
        << QVector<QPoint>{QPoint(20, 0), QPoint(20, 0), QPoint(20, 0), QPoint(20, 0)}
        << int(POINT_POINT::Type) << false;
    QTest::newRow("Out2 straight") << 1 << int(Straight) << QVector<QPoint>{QPoint(0, 900)}
                                   << int(POINT_RATIO::Type) << false;
    QTest::newRow("Out3 fan") << 2 << int(Fan) << QVector<QPoint>{QPoint(0, 1500)}
                              << int(POINT_RATIO::Type) << false;
    QTest::newRow("Out2 ratio") << 1 << int(Ratio) << QVector<QPoint>{QPoint(0, 20)}
                                << int(POINT_RATIO::Type) << false;
}

void TestOptionScene::rebuildCreatesHandlesForTheEditedField()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(QVector<QPoint>, points);
    QFETCH(int, handleType);
    QFETCH(bool, centre);
    SceneFixture f;
    f.model.setCurrentArea(70);  // beyond the last area: used, and stored, as 63
    f.model.setCurrentField(field);
    f.change([&](AreaRecord &area) {
        area.setShape(field, shape);
        area.points(field) = points;
        area.points(field == 0 ? 1 : 0) = {QPoint(1, 1), QPoint(2, 2)};  // another field
    });
    QCOMPARE(f.model.currentArea(), 63);

    QCOMPARE(f.handles().size(), points.size() + (centre ? 1 : 0));
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(f.handles()[i]->type(), handleType);
        QCOMPARE(f.handles()[i]->pos(), QPointF(points[i].x(), -points[i].y()));
        QCOMPARE(f.handles()[i]->scene(), &f.scene);
    }
    if (centre)
        QCOMPARE(f.handles().last()->pos(), QPointF(0, 0));
    // Rebuilding again replaces the handles instead of adding to them.
    f.controller->CoordTableUpdatePointItem();
    QCOMPARE(f.handles().size(), points.size() + (centre ? 1 : 0));
    QCOMPARE(f.scene.items().size(), 5 + f.handles().size());
}

void TestOptionScene::zOrderFollowsTheEditedField_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QVector<int>>("z");
    QTest::newRow("Out1") << 0 << QVector<int>{3, 2, 1};
    QTest::newRow("Out2") << 1 << QVector<int>{2, 3, 1};
    QTest::newRow("Out3") << 2 << QVector<int>{1, 2, 3};
    QTest::newRow("unknown keeps the last order") << 5 << QVector<int>{1, 2, 3};
}

void TestOptionScene::zOrderFollowsTheEditedField()
{
    QFETCH(int, field);
    QFETCH(QVector<int>, z);
    SceneFixture f;
    f.model.setCurrentField(2);
    f.model.setCurrentField(field);
    QCOMPARE(int(f.controller->Out1Item()->zValue()), z[0]);
    QCOMPARE(int(f.controller->Out2Item()->zValue()), z[1]);
    QCOMPARE(int(f.controller->Out3Item()->zValue()), z[2]);
}

void TestOptionScene::handlesKeepTheirPixelSize()
{
    SceneFixture f(300);  // scale 2
    f.change([&](AreaRecord &area) {
        area.out2Shape = Straight;
        area.out2Points = {QPoint(0, 100)};
    });
    f.model.setCurrentField(1);
    QCOMPARE(f.handles()[0]->boundingRect(), QRectF(-12.5, -1.25, 25, 2.5));
    f.model.setCurrentField(0);
    QGraphicsItem *centre = f.handles()[0];
    QCOMPARE(centre->boundingRect(), QRectF(-3.75, -3.75, 7.5, 7.5));

    f.view.ChangeSetupMatrix(250);  // scale 1: the scene's index follows the new size
    QCOMPARE(centre->boundingRect(), QRectF(-7.5, -7.5, 15, 15));
    QCOMPARE(f.scene.itemAt(QPointF(7, 7), QTransform()), centre);
}

void TestOptionScene::handlePaintsAFilledSquare()
{
    const double scale = 1.0;
    QGraphicsScene scene(-50, -50, 100, 100);
    auto *handle = new POINT_POINT(scale);
    scene.addItem(handle);
    auto render = [&] {
        QImage image(100, 100, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        scene.render(&painter, QRectF(0, 0, 100, 100), QRectF(-50, -50, 100, 100));
        return image;
    };
    auto count = [](const QImage &image, const QColor &colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == colour;
        return n;
    };
    QCOMPARE(handle->PaintedRect(), QRect(-7, -7, 15, 15));
    const QImage plain = render();
    QCOMPARE(count(plain, QColor(Qt::blue)), 15 * 15);
    QCOMPARE(plain.pixelColor(50, 50), QColor(Qt::blue));
    handle->setSelected(true);
    const QImage selected = render();
    QCOMPARE(count(selected, QColor(Qt::blue).darker(150)), 15 * 15);
}

void TestOptionScene::draggingTheCentreHandleCreatesAVertex()
{
    SceneFixture f;
    QVERIFY(f.show());
    QGraphicsItem *centre = f.handles()[0];
    f.dragArea(QPoint(0, 0), QPoint(300, 200));
    QCOMPARE(f.area().out1Points, QVector<QPoint>{QPoint(300, 200)});
    QVERIFY(f.channelSignals > 0);
    QCOMPARE(f.handles().size(), 2);
    QCOMPARE(f.handles()[0], centre);
    QCOMPARE(centre->pos(), QPointF(300, -200));
    QVERIFY(qgraphicsitem_cast<POINT_POINT *>(f.handles()[1]));
    QCOMPARE(f.handles()[1]->pos(), QPointF(0, 0));  // a fresh centre handle

    f.dragArea(QPoint(0, 0), QPoint(-250, 100));
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(300, 200), QPoint(-250, 100)}));
    QCOMPARE(f.handles().size(), 3);
    // The other fields and areas are untouched.
    QVERIFY(f.area().out2Points.isEmpty());
    QVERIFY(f.model.area(1).out1Points.isEmpty());
}

void TestOptionScene::vertexDroppedOnTheOriginLeavesTheModel()
{
    SceneFixture f;
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) {
        area.out1Points = {QPoint(200, 0), QPoint(0, 200), QPoint(-200, 0)};
    });
    f.dragArea(QPoint(200, 0), QPoint(0, 0));
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(0, 200), QPoint(-200, 0)}));
    // Dropped one pixel away it stays a vertex.
    f.dragArea(QPoint(0, 200), QPoint(1, 0));
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(1, 0), QPoint(-200, 0)}));
}

void TestOptionScene::rightClickDeletesOnlyPolygonVertices()
{
    SceneFixture f;
    QVERIFY(f.show());
    const QVector<QPoint> points = {QPoint(200, 0), QPoint(0, 200), QPoint(-200, 0)};
    f.change([&](AreaRecord &area) { area.out1Points = points; });
    const int handles = f.handles().size();

    // Empty space inside the fields, and space with no item at all.
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.pixelOfArea(120, 250));
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.pixelOfArea(-100, -300));
    QCOMPARE(f.area().out1Points, points);
    QCOMPARE(f.handles().size(), handles);

    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, f.pixelOfArea(0, 200));
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(200, 0), QPoint(-200, 0)}));
    QCOMPARE(f.handles().size(), handles - 1);
    QCOMPARE(f.view.CurrentItem(), nullptr);
}

void TestOptionScene::centreHandleDeletedComesBackOnRelease()
{
    SceneFixture f;
    QVERIFY(f.show());
    const QPoint origin = f.pixelOfArea(0, 0);
    QTest::mousePress(f.viewport(), Qt::RightButton, {}, origin);
    QCOMPARE(f.handles().size(), 0);
    QTest::mouseRelease(f.viewport(), Qt::RightButton, {}, origin);
    QCOMPARE(f.handles().size(), 1);
    QCOMPARE(f.handles()[0]->pos(), QPointF(0, 0));
    QVERIFY(f.area().out1Points.isEmpty());
}

void TestOptionScene::deleteRequestsAreIgnoredForArcsAndRectangles_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<QVector<QPoint>>("points");
    QTest::newRow("arc") << int(Arc) << QVector<QPoint>{QPoint(300, 0), QPoint(0, 300)};
    QTest::newRow("rectangle") << int(Rectangle)
                               << QVector<QPoint>{QPoint(-200, 100), QPoint(-200, 300),
                                                  QPoint(200, 300), QPoint(200, 100)};
}

void TestOptionScene::deleteRequestsAreIgnoredForArcsAndRectangles()
{
    QFETCH(int, shape);
    QFETCH(QVector<QPoint>, points);
    SceneFixture f;
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) {
        area.out1Shape = shape;
        area.out1Points = points;
    });
    QCOMPARE(f.handles().size(), points.size());
    const QPoint handle = f.pixelOfArea(points[1].x(), points[1].y());
    QTest::mouseClick(f.viewport(), Qt::LeftButton, {}, handle);
    QCOMPARE(f.view.CurrentItem(), f.handles()[1]);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QTest::mouseClick(f.viewport(), Qt::RightButton, {}, handle);
    QCOMPARE(f.area().out1Points, points);
    QCOMPARE(f.handles().size(), points.size());
}

void TestOptionScene::arcPartnerFollowsTheRadius_data()
{
    QTest::addColumn<QPoint>("target");
    QTest::newRow("outward on the x axis") << QPoint(350, 0);
    QTest::newRow("inward and turned") << QPoint(150, 150);
    QTest::newRow("behind the scanner") << QPoint(-100, -380);
}

void TestOptionScene::arcPartnerFollowsTheRadius()
{
    QFETCH(QPoint, target);
    SceneFixture f;
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) {
        area.out1Shape = Arc;
        area.out1Points = {QPoint(300, 0), QPoint(-200, 200)};
    });
    const float partnerAngle = PolarOf(QPoint(-200, 200)).angle;

    f.dragArea(QPoint(300, 0), target);
    const QVector<QPoint> &points = f.area().out1Points;
    QCOMPARE(points.size(), 2);
    QCOMPARE(points[0], target);
    const Polar partner = PolarOf(points[1]);
    const float radius = PolarOf(target).radius;
    QVERIFY2(qAbs(partner.radius - radius) < 1.5f,
             qPrintable(QStringLiteral("%1 vs %2").arg(partner.radius).arg(radius)));
    QVERIFY(qAbs(partner.angle - partnerAngle) < 0.01f);
    QCOMPARE(f.handles()[1]->pos(), QPointF(points[1].x(), -points[1].y()));
    QVERIFY(f.channelSignals > 0);
}

void TestOptionScene::rectangleCornerDragsItsNeighbours()
{
    SceneFixture f(200);  // two millimetres per pixel
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) {
        area.out1Shape = Rectangle;
        area.out1Points = {QPoint(-200, 100), QPoint(-200, 400), QPoint(300, 400), QPoint(300, 100)};
    });

    f.dragArea(QPoint(-200, 100), QPoint(-500, 800));
    const QVector<QPoint> expected = {QPoint(-500, 800), QPoint(-500, 400), QPoint(300, 400),
                                      QPoint(300, 800)};
    QCOMPARE(f.area().out1Points, expected);
    for (int i = 0; i < 4; ++i)
        QCOMPARE(f.handles()[i]->pos(), QPointF(expected[i].x(), -expected[i].y()));

    // Corner 2 drags corner 3's x and corner 1's y.
    f.dragArea(QPoint(300, 400), QPoint(600, 200));
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(-500, 800), QPoint(-500, 200),
                                                   QPoint(600, 200), QPoint(600, 800)}));
}

void TestOptionScene::ratioBarStopsAtTheScanner()
{
    SceneFixture f;
    QVERIFY(f.show());
    f.model.setCurrentField(1);
    f.change([&](AreaRecord &area) {
        area.out1Points = {QPoint(300, 0), QPoint(0, 300)};
        area.out2Shape = Ratio;
        area.out2Points = {QPoint(0, 200)};
    });
    QCOMPARE(f.handles().size(), 1);

    // Picked off-centre and dragged up and sideways: only y follows.
    const QPoint grab = f.pixelOfArea(15, 200);
    f.drag(grab, grab + QPoint(40, -100));
    QCOMPARE(f.area().out2Points, QVector<QPoint>{QPoint(0, 300)});

    // Dragged far below the scanner: the bar stops at y = 0 and keeps its point.
    const QPoint again = f.pixelOfArea(-10, 300);
    f.drag(again, again + QPoint(0, 600));
    QCOMPARE(f.handles()[0]->pos(), QPointF(0, 0));
    QCOMPARE(f.area().out2Points, QVector<QPoint>{QPoint(0, 0)});
    QCOMPARE(f.area().out1Points, (QVector<QPoint>{QPoint(300, 0), QPoint(0, 300)}));
}

void TestOptionScene::shiftHeldDragMovesNothing()
{
    SceneFixture f;
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) { area.out1Points = {QPoint(200, 100)}; });
    const QPoint from = f.pixelOfArea(200, 100);
    f.drag(from, from + QPoint(50, 50), Qt::ShiftModifier);
    QCOMPARE(f.area().out1Points, QVector<QPoint>{QPoint(200, 100)});

    f.model.setCurrentField(2);
    f.change([&](AreaRecord &area) {
        area.out3Shape = Fan;
        area.out3Points = {QPoint(0, 200)};
    });
    const QPoint bar = f.pixelOfArea(0, 200);
    f.drag(bar, bar + QPoint(0, -50), Qt::ShiftModifier);
    QCOMPARE(f.area().out3Points, QVector<QPoint>{QPoint(0, 200)});
}

void TestOptionScene::onlyTheLeftButtonDragsAHandle_data()
{
    QTest::addColumn<int>("shape");
    QTest::addColumn<int>("button");
    QTest::newRow("ratio bar, right button") << int(Ratio) << int(Qt::RightButton);
    QTest::newRow("ratio bar, middle button") << int(Ratio) << int(Qt::MiddleButton);
    QTest::newRow("arc point, middle button") << int(Arc) << int(Qt::MiddleButton);
}

// A drag with another button (a right press on a handle that cannot be deleted, say)
// moves nothing: neither the handle nor the field.
void TestOptionScene::onlyTheLeftButtonDragsAHandle()
{
    QFETCH(int, shape);
    QFETCH(int, button);
    SceneFixture f;
    QVERIFY(f.show());
    f.model.setCurrentField(1);
    f.change([&](AreaRecord &area) {
        area.out1Points = {QPoint(300, 0), QPoint(0, 300)};
        area.out2Shape = shape;
    });
    const QVector<QPoint> points = shape == Ratio ? QVector<QPoint>{QPoint(0, 200)}
                                                  : QVector<QPoint>{QPoint(0, 200), QPoint(200, 0)};
    f.change([&](AreaRecord &area) { area.out2Points = points; });
    const QPointF before = f.handles()[0]->pos();

    const auto held = Qt::MouseButton(button);
    const QPoint from = f.pixelOfArea(0, 200);
    QTest::mousePress(f.viewport(), held, {}, from);
    mouse::moveTo(f.viewport(), from + QPoint(0, -60), held);
    mouse::moveTo(f.viewport(), from + QPoint(0, -120), held);
    QTest::mouseRelease(f.viewport(), held, {}, from + QPoint(0, -120));
    QCOMPARE(f.handles()[0]->pos(), before);
    QCOMPARE(f.area().out2Points, points);
}

void TestOptionScene::rebuildDuringADragIsSafe()
{
    SceneFixture f;
    QVERIFY(f.show());
    f.change([&](AreaRecord &area) { area.out1Points = {QPoint(200, 100)}; });
    // Whatever listens to the release may rebuild the handles (an undo snapshot that
    // refreshes the tables, say): the view must not report the destroyed handle.
    int moves = 0;
    QObject::connect(&f.view, &ViewWindow::ReleasePointItem, f.controller,
                     &OPTION_SCENE::CoordTableUpdatePointItem);
    QObject::connect(&f.view, &ViewWindow::MovePointItem, [&] { ++moves; });
    const QPoint from = f.pixelOfArea(200, 100);
    QTest::mousePress(f.viewport(), Qt::LeftButton, {}, from);
    mouse::moveTo(f.viewport(), from + QPoint(20, 0), Qt::LeftButton);
    mouse::moveTo(f.viewport(), from + QPoint(40, 0), Qt::LeftButton);
    QCOMPARE(moves, 2);
    QTest::mouseRelease(f.viewport(), Qt::LeftButton, {}, from + QPoint(40, 0));
    // The release writes the final position back before the listener rebuilds.
    QCOMPARE(moves, 3);
    QCOMPARE(f.view.CurrentItem(), nullptr);
    QCOMPARE(f.area().out1Points, QVector<QPoint>{QPoint(240, 100)});
    QCOMPARE(f.handles().size(), 2);
    QTest::keyClick(&f.view, Qt::Key_Delete);
    QCOMPARE(f.area().out1Points, QVector<QPoint>{QPoint(240, 100)});
}

void TestOptionScene::handleEditsRepaintTheWholeFields()
{
    // Minimal viewport updates repaint only what is marked dirty: a handle edit must
    // mark the fields, not just the handle's own square. Without a view the scene
    // reports what it marked.
    AreaModel model;
    LiveScan link;
    int modelIndex = 0;
    QGraphicsScene scene;
    QList<QGraphicsItem *> background;
    OPTION_SCENE controller(modelIndex, &scene, &model, &link, &background);
    changeArea(model, 0, [](AreaRecord &area) {
        area.out1Shape = Arc;
        area.out1Points = {QPoint(300, 0), QPoint(0, 300)};
    });
    controller.CoordTableUpdatePointItem();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();

    QRectF dirty;
    QObject::connect(&scene, &QGraphicsScene::changed, [&](const QList<QRectF> &rects) {
        for (const QRectF &r : rects)
            dirty |= r;
    });
    controller.PointItems()[0]->setPos(400, 0);
    controller.MovePointItemSlots(controller.PointItems()[0]);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    QVERIFY(dirty.contains(controller.Out1Item()->sceneBoundingRect()));
    QCOMPARE(model.current().out1Points[1], QPoint(0, 400));
}

void TestOptionScene::outlineRepaintReachesTheFieldsWhileTheScanIsHidden_data()
{
    QTest::addColumn<bool>("scanShown");
    QTest::newRow("scan outline shown") << true;
    QTest::newRow("scan outline hidden") << false;
}

// UpdataPaintOutline is how an area switch, a field tab or an edit elsewhere gets the
// fields redrawn; it must do so also while no scan is read and the outline is hidden.
void TestOptionScene::outlineRepaintReachesTheFieldsWhileTheScanIsHidden()
{
    QFETCH(bool, scanShown);
    AreaModel model;
    LiveScan link;
    int modelIndex = 0;
    QGraphicsScene scene;
    QList<QGraphicsItem *> background;
    OPTION_SCENE controller(modelIndex, &scene, &model, &link, &background);
    controller.OutlineItem()->setVisible(scanShown);
    controller.IntensityItem()->setVisible(scanShown);
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();

    QRectF dirty;
    QObject::connect(&scene, &QGraphicsScene::changed, [&](const QList<QRectF> &rects) {
        for (const QRectF &r : rects)
            dirty |= r;
    });
    model.setCurrentArea(5);
    controller.UpdataPaintOutline();
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    for (QGraphicsItem *field : {static_cast<QGraphicsItem *>(controller.Out1Item()),
                                 static_cast<QGraphicsItem *>(controller.Out2Item()),
                                 static_cast<QGraphicsItem *>(controller.Out3Item())})
        QVERIFY(dirty.contains(field->sceneBoundingRect()));
}

QTEST_MAIN(TestOptionScene)
#include "tst_optionscene.moc"
