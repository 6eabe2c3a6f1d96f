#include "emulatorprocess.h"
#include "waituntil.h"

#include "core/link/serialcomm.h"
#include "gui/app/connectioncontrol.h"
#include "gui/app/mainwindow.h"
#include "gui/graphics/optionscene.h"
#include "gui/graphics/paintoutline.h"

#include <QAction>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGroupBox>
#include <QLabel>
#include <QLCDNumber>
#include <QPainter>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

using namespace veltrix;

namespace {

constexpr int FrontWall = 4200;  // where the model 05 room's front wall stands, mm
constexpr uint EmulatorInputs = 5;
constexpr int RenderSize = 500;
constexpr double RenderScale = 0.04;  // 25 mm a pixel

QImage labelImage(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap().toImage();
#else
    return label->pixmap(Qt::ReturnByValue).toImage();
#endif
}

// The colour a scene point is drawn in, the scene rendered around the scanner.
QColor drawnAt(QGraphicsScene *scene, double x, double y)
{
    QImage image(RenderSize, RenderSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double half = RenderSize / 2.0 / RenderScale;
    scene->render(&painter, QRectF(0, 0, RenderSize, RenderSize), QRectF(-half, -half, 2 * half, 2 * half));
    return image.pixelColor(int(RenderSize / 2 + x * RenderScale), int(RenderSize / 2 + y * RenderScale));
}

// The main window with its transports connected straight to the emulator, as a
// successful connection leaves them, and the scanner's reports recorded.
struct LiveWindow
{
    MainWindow window;
    QList<uint> inports;

    LiveWindow()
    {
        window.messenger().setPresenter([](const UserMessage &) { return 0; });
        QObject::connect(window.sensorLink(), &SERIAL_COMM::IOPortSignals,
                         [this](uint in, uint, uint) { inports.append(in); });
        window.LanguageToEnglish();
        window.show();
    }

    // Connects as the user does from the menus, and waits until the link runs.
    bool connect(const QString &transport, const EmulatorProcess &emulator)
    {
        QSignalSpy opened(window.connectionControl(), &ConnectionControl::opened);
        if (transport == QLatin1String("serial")) {
            window.CreatOpenSerialPort(emulator.serialDevice());
        } else {
            window.CreatEthnertModeSignalSlot(transport == QLatin1String("udp")
                                                  ? QStringLiteral("MODE: UDP")
                                                  : QStringLiteral("MODE: TCP"));
            window.CreatEthernetPort(transport == QLatin1String("udp") ? QStringLiteral("10.77.0.2")
                                                                       : QStringLiteral("127.0.0.1"));
        }
        return opened.count() > 0 || opened.wait(5000);
    }

    // Waits for the next report whose input number is `inport` (any when negative).
    bool nextReport(int inport = -1)
    {
        const int seen = inports.size();
        return testing::waitUntil([&] {
            for (int i = seen; i < inports.size(); ++i) {
                if (inport < 0 || inports.at(i) == uint(inport))
                    return true;
            }
            return false;
        }, 5000);
    }

    template<typename T>
    T *widget(const char *name) const { return window.findChild<T *>(QString::fromLatin1(name)); }
};

}  // namespace

class TestLiveMonitoring : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void watchAndSimulate_data();
    void watchAndSimulate();
};

void TestLiveMonitoring::watchAndSimulate_data()
{
    QTest::addColumn<QString>("transport");
    QTest::newRow("tcp") << "tcp";
    QTest::newRow("udp") << "udp";
    QTest::newRow("serial") << "serial";
}

// A user connected to a scanner watches its scan, its inputs and its fault, follows
// its areas in monitoring mode, and drives its inputs from the simulation dock until
// the simulation ends with the connection.
void TestLiveMonitoring::watchAndSimulate()
{
    QFETCH(QString, transport);
    const QString address = transport == QLatin1String("udp") ? QStringLiteral("10.77.0.2")
                                                              : QStringLiteral("127.0.0.1");
    // The scanner answers discovery with its Ethernet mode, which the program adopts.
    EmulatorProcess emulator({"--address", address, "--object-speed", "0", "--inputs",
                              QString::number(EmulatorInputs), "--fault-bit", "3",
                              "--ethernet-mode", transport == QLatin1String("udp") ? "udp" : "tcp"});
    QVERIFY(emulator.start());
    LiveWindow live;
    MainWindow &w = live.window;
    QVERIFY(live.connect(transport, emulator));
    QVERIFY(live.widget<QAction>("Distance")->isChecked());

    // Distance is checked from the start; the user switches Intensity on.
    QSignalSpy scans(w.sensorLink(), &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(w.sensorLink(), &SERIAL_COMM::ReceiveIntensityData);
    live.widget<QAction>("Intensity")->trigger();
    QVERIFY(testing::waitUntil([&] { return scans.count() >= 2 && intensities.count() >= 2; }, 8000));
    QVERIFY(live.nextReport());
    // Connecting read every area from the scanner; area 5 gets a field of its own now.
    AreaRecord area;
    area.out1Points = {QPoint(-500, 1000), QPoint(500, 1000)};
    w.areaModel().replaceArea(5, area);

    // The outline reaches the front wall in every display mode: a filled graph, and
    // points or a line on the wall itself.
    QGraphicsScene *scene = w.sceneController()->OutlineItem()->scene();
    w.OpenDispGraphSlot();
    const QColor inside = drawnAt(scene, 0, -FrontWall + 300);
    QVERIFY2(inside.green() > inside.red() + 30, qPrintable(inside.name()));
    QCOMPARE(drawnAt(scene, 0, -FrontWall - 300), QColor(Qt::white));
    for (void (MainWindow::*mode)() : {&MainWindow::OpenDispCloudSlot, &MainWindow::OpenDispLineSlot}) {
        (w.*mode)();
        QCOMPARE(drawnAt(scene, 0, -FrontWall), QColor(Qt::green));
        QCOMPARE(drawnAt(scene, 0, -FrontWall / 2), QColor(Qt::white));
    }

    // The data table lists the serial scan, straight ahead in row 270.
    auto *table = live.widget<QTableWidget>("DataTableWidget");
    if (transport == QLatin1String("serial")) {
        QVERIFY2(qAbs(table->item(270, 1)->text().toInt() - FrontWall) <= 30,
                 qPrintable(table->item(270, 1)->text()));
        QVERIFY(table->item(270, 2)->text().toInt() > 0);
    }

    // The status strip shows the emulator's inputs and its fault.
    QCOMPARE(live.widget<QLCDNumber>("InputlcdNum")->intValue(), int(EmulatorInputs));
    QCOMPARE(labelImage(live.widget<QLabel>("InputPort3")), QPixmap(":/images/Green3.png").toImage());
    QCOMPARE(labelImage(live.widget<QLabel>("InputPort2")), QPixmap(":/images/Gray2.png").toImage());
    QCOMPARE(live.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("Connect Abnormal(4)"));

    // Monitoring shows the area the inputs choose, in the editors too.
    live.widget<QAction>("Monitoring")->trigger();
    QVERIFY(live.nextReport(EmulatorInputs));
    QCOMPARE(w.areaModel().currentArea(), int(EmulatorInputs));
    QCOMPARE(w.sceneController()->PointItems().at(1)->pos(), QPointF(500, -1000));

    // Inputs simulated from the dock reach the scanner, which then reports them.
    live.widget<QAction>("IOSimulation")->trigger();
    QTest::keyClick(live.widget<QGroupBox>("InportGrouptBox"), Qt::Key_Space);
    live.widget<QSpinBox>("InputspinBox")->setValue(37);
    QVERIFY(live.nextReport(37));
    QVERIFY(live.nextReport(37));
    QCOMPARE(w.areaModel().currentArea(), 37);

    // Disconnecting ends the simulation and clears the status strip; connected again,
    // the scanner reports its own inputs, not the ones simulated before.
    live.widget<QAction>("DisConnection")->trigger();
    QCOMPARE(live.widget<QLCDNumber>("InputlcdNum")->intValue(), 0);
    QCOMPARE(live.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("Normal(0)"));
    QCOMPARE(w.simulationBlock().inputSimulationOn, quint8(0));
    QVERIFY(live.connect(transport, emulator));
    QVERIFY(live.nextReport());
    QCOMPARE(live.inports.last(), EmulatorInputs);
    QCOMPARE(w.areaModel().currentArea(), int(EmulatorInputs));
}

QTEST_MAIN(TestLiveMonitoring)
#include "tst_livemonitoring.moc"
