// Teaching a field as a user does it in the main window, against a scanner in this
// process over TCP that looks at its still room: the start buttons follow the
// connection, Start Teach makes the live outline the field's polygon (an independent
// one for Out2), with the scan polling left as the Distance action had it, and one
// Undo brings the field back; every refusal says why and changes nothing; the region
// can be dragged in the view.

#include "fieldreach.h"
#include "waituntil.h"
#include "windowundertest.h"

#include "emulatedscanner.h"
#include "emulatorserver.h"

#include "core/graphics/fieldshapes.h"
#include "core/link/serialcomm.h"
#include "gui/app/connectioncontrol.h"
#include "gui/areas/teachcontrol.h"
#include "gui/graphics/viewwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QProgressDialog>
#include <QSpinBox>
#include <QtMath>
#include <QtTest>

#include <memory>

using namespace veltrix;
using veltrix::testing::waitUntil;

namespace {

const QHostAddress ScannerAddress(QStringLiteral("127.0.0.6"));
constexpr int Scans = 5;
constexpr int Offset = 150;

// The window in English and a scanner whose object stands still.
struct Session
{
    std::unique_ptr<EmulatorServer> server;
    testing::WindowUnderTest w;

    Session()
    {
        w.LanguageToEnglish();
        w.show();
        w.teachControl()->recorder()->setRecording(Scans, TeachRecorder::DefaultDuration);
    }

    // Connected, the read-all that connecting starts cancelled and its message gone.
    bool connect()
    {
        EmulatorOptions options;
        options.address = ScannerAddress;
        options.scanner.objectSpeed = 0;
        server = std::make_unique<EmulatorServer>(options);
        QString error;
        if (!server->start(&error))
            return false;
        w.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
        w.CreatEthernetPort(ScannerAddress.toString());
        if (!waitUntil([this] { return w.connectionControl()->isConnected(); }, 3000))
            return false;
        w.sensorLink()->CancelTransfer();
        const bool told = waitUntil([this] { return !w.shown.isEmpty(); }, 2000);
        w.shown.clear();
        return told;
    }

    template<typename T>
    T *page(const char *name, int field)
    {
        return w.widget<T>((QLatin1String(name) + QString::number(field + 1)).toLatin1().constData());
    }
    const AreaRecord &area() { return w.areaModel().area(0); }
    // The message shown next, or empty after two seconds.
    QString nextMessage()
    {
        waitUntil([this] { return !w.shown.isEmpty(); }, 2000);
        return w.shown.isEmpty() ? QString() : w.shown.takeFirst().text;
    }
};

AreaRecord startingArea(int field)
{
    AreaRecord area;
    area.out1Shape = Arc;
    area.out1Points = {QPoint(800, 800), QPoint(-800, 800)};
    if (field == 1) {
        area.out1Shape = Polygon;
        area.out1Points = {QPoint(2000, 0), QPoint(0, 2500), QPoint(-2000, 0)};
        area.out2Shape = Fan;
        area.out2Points = {QPoint(0, 1000)};
    }
    return area;
}

}  // namespace

class TestTeachWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void teachAndUndo_data();
    void teachAndUndo();
    void refusalsChangeNothing_data();
    void refusalsChangeNothing();
    void regionDraggedInTheView();
};

void TestTeachWindow::teachAndUndo_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("distanceShown");
    QTest::newRow("Out1, outline shown") << 0 << true;
    QTest::newRow("Out2 from a fan, outline off") << 1 << false;
}

void TestTeachWindow::teachAndUndo()
{
    QFETCH(int, field);
    QFETCH(bool, distanceShown);
    Session s;
    auto *teach = s.page<QAbstractButton>("ButtonTeachOut", field);
    QVERIFY(!teach->isEnabled());
    QVERIFY(s.connect());
    QVERIFY(teach->isEnabled());
    if (!distanceShown)
        s.w.trigger("Distance");
    const AreaRecord before = startingArea(field);
    s.w.areaModel().editCurrentArea(before);
    s.page<QSpinBox>("SpinDistanceOffsetOut", field)->setValue(Offset);
    s.page<QCheckBox>("CheckSimplifyResultOut", field)->setChecked(false);

    teach->click();
    QVERIFY(s.w.teachControl()->progressDialog()->isVisible());
    QVERIFY(!teach->isEnabled());
    QVERIFY(waitUntil([&] { return s.area().points(field) != before.points(field); }, 5000));
    QVERIFY(!s.w.teachControl()->progressDialog()->isVisible());
    QVERIFY(teach->isEnabled());
    QCOMPARE(s.w.sensorLink()->scanTimer().isActive(), distanceShown);
    QVERIFY(s.w.shown.isEmpty());

    const AreaRecord taught = s.area();
    QCOMPARE(taught.shape(field), qint32(Polygon));
    QCOMPARE(taught.points(1 - field), before.points(1 - field));
    const QVector<QPoint> &points = taught.points(field);
    QVERIFY(points.size() <= TeachIn::MaxVertices);
    // Inside what the scanner sees by the offset at every bearing, and close to it at
    // most (the pillar, the object and the corners cut in between vertices).
    int close = 0;
    int bearings = 0;
    for (double degrees = -44.0; degrees <= 224.0; degrees += 1.0, ++bearings) {
        const double seen = s.server->scanner()->room().echo(degrees, 0).distance;
        const double reached = testing::fieldReach(points, degrees);
        QVERIFY2(reached <= seen - Offset + 1.0, qPrintable(QString::number(degrees)));
        close += reached >= seen - Offset - 100.0 ? 1 : 0;
    }
    QVERIFY2(close >= bearings * 8 / 10, qPrintable(QString::number(close)));

    s.w.trigger("Undo");
    QCOMPARE(s.area(), before);
}

void TestTeachWindow::refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("situation");
    QTest::addColumn<QString>("message");
    QTest::newRow("not connected") << "not connected" << "No sensor is connected; the field was not changed.";
    QTest::newRow("no scan in time") << "no scan" << "No scan data arrived; the field was not changed.";
    QTest::newRow("nothing measured in the region")
        << "region" << "No measured point lies in the region; the field was not changed.";
    QTest::newRow("connection lost") << "lost" << "The connection to the sensor was lost; the field was not changed.";
}

void TestTeachWindow::refusalsChangeNothing()
{
    QFETCH(QString, situation);
    QFETCH(QString, message);
    Session s;
    if (situation != QLatin1String("not connected"))
        QVERIFY(s.connect());
    const AreaRecord before = startingArea(0);
    s.w.areaModel().editCurrentArea(before);
    const int undoSteps = s.w.areaModel().undoCursor(0);
    if (situation == QLatin1String("region")) {
        // Beyond the room's corner, within the range.
        s.page<QSpinBox>("SpinCorner1Out", 0)->setValue(4000);
        s.page<QSpinBox>("SpinCorner2Out", 0)->setValue(4500);
        s.page<QSpinBox>("SpinSize1Out", 0)->setValue(1500);
        s.page<QSpinBox>("SpinSize2Out", 0)->setValue(1400);
    }

    // The button is greyed without a connection; the page's action is still refused.
    s.w.teachControl()->startTeach(0);
    if (situation == QLatin1String("no scan"))
        s.w.teachControl()->recorder()->TimeUp();
    else if (situation == QLatin1String("lost"))
        s.w.trigger("DisConnection");
    QCOMPARE(s.nextMessage(), message);
    QTest::qWait(50);
    QVERIFY(s.w.shown.isEmpty());
    QVERIFY(!s.w.teachControl()->progressDialog()->isVisible());
    QCOMPARE(s.area(), before);
    QCOMPARE(s.w.areaModel().undoCursor(0), undoSteps);
}

// Select, then a drag in the view: the region's spin boxes follow the band in area
// coordinates, the button pops up again, and nothing in the area moved.
void TestTeachWindow::regionDraggedInTheView()
{
    Session s;
    const AreaRecord before = startingArea(0);
    s.w.areaModel().editCurrentArea(before);
    auto *view = s.w.widget<ViewWindow>("graphicsView");
    auto *select = s.page<QAbstractButton>("ButtonSelectOut", 0);
    select->click();
    QVERIFY(select->isChecked());
    const QPoint from = view->mapFromScene(QPointF(-1500, -2500));  // area (-1500, 2500)
    const QPoint to = view->mapFromScene(QPointF(1000, -500));      // area (1000, 500)
    QWidget *viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QTest::mouseMove(viewport, (from + to) / 2);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, to);
    const QPointF a = view->mapToScene(from);
    const QPointF b = view->mapToScene(to);
    QCOMPARE(s.page<QSpinBox>("SpinCorner1Out", 0)->value(), qRound(a.x()));
    QCOMPARE(s.page<QSpinBox>("SpinCorner2Out", 0)->value(), qRound(-b.y()));
    QCOMPARE(s.page<QSpinBox>("SpinSize1Out", 0)->value(), qRound(b.x()) - qRound(a.x()));
    QCOMPARE(s.page<QSpinBox>("SpinSize2Out", 0)->value(), qRound(-a.y()) - qRound(-b.y()));
    QVERIFY(qAbs(s.page<QSpinBox>("SpinSize1Out", 0)->value() - 2500) < 200);
    QVERIFY(!select->isChecked());
    QCOMPARE(s.area(), before);
    // Without Select the view's gestures are its own again: the region stays.
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, to);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, from);
    QCOMPARE(s.page<QSpinBox>("SpinCorner1Out", 0)->value(), qRound(a.x()));
}

QTEST_MAIN(TestTeachWindow)
#include "tst_teachwindow.moc"
