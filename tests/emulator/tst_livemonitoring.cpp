#include "emulatorprocess.h"
#include "linkrig.h"

#include "app/mainwindow.h"
#include "graphics/optionscene.h"
#include "graphics/paintoutline.h"

#include <QAction>
#include <QDockWidget>
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

constexpr int FrontWall = 4200;   // where the model 05 room's front wall stands, mm
constexpr uint EmulatorInputs = 5;
constexpr int RenderSize = 500;
constexpr double RenderScale = 0.04;

QImage labelImage(const QLabel *label)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return label->pixmap().toImage();
#else
    return label->pixmap(Qt::ReturnByValue).toImage();
#endif
}

// The scene around the scanner, 1 pixel per 25 mm.
QImage renderScene(QGraphicsScene *scene)
{
    QImage image(RenderSize, RenderSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const double half = RenderSize / 2.0 / RenderScale;
    scene->render(&painter, QRectF(0, 0, RenderSize, RenderSize), QRectF(-half, -half, 2 * half, 2 * half));
    return image;
}

QColor pixelAt(const QImage &image, double sceneX, double sceneY)
{
    return image.pixelColor(int(RenderSize / 2 + sceneX * RenderScale), int(RenderSize / 2 + sceneY * RenderScale));
}

bool greenNear(const QImage &image, double sceneX, double sceneY)
{
    for (int dy = -3; dy <= 3; ++dy) {
        for (int dx = -3; dx <= 3; ++dx) {
            const QColor c = pixelAt(image, sceneX + dx / RenderScale, sceneY + dy / RenderScale);
            if (c == QColor(Qt::green))
                return true;
        }
    }
    return false;
}

// The main window with its own link and transports connected straight to the emulator,
// as a successful connection leaves them, and its reports recorded.
struct LiveWindow
{
    MainWindow window;
    QList<QList<QVariant>> reports;

    LiveWindow()
    {
        window.messenger().setPresenter([](const UserMessage &) { return 0; });
        QObject::connect(window.sensorLink(), &SERIAL_COMM::IOPortSignals,
                         [this](uint in, uint out, uint status) { reports.append({in, out, status}); });
        window.LanguageToEnglish();
        window.show();
        QCoreApplication::processEvents();
    }

    bool connect(const QString &transport, const EmulatorProcess &emulator)
    {
        SensorLinkData &data = window.linkData();
        if (transport == QLatin1String("serial")) {
            data.connectType = SerialInterface;
            window.serialTransport()->setPortName(emulator.serialDevice());
            return window.serialTransport()->open(QIODevice::ReadWrite);
        }
        data.connectType = EthernetInterface;
        if (transport == QLatin1String("udp")) {
            data.ethernetMode = UdpMode;
            window.udpTransport()->connectToHost(QStringLiteral("10.77.0.2"), LinkRig::ScannerPort);
            return window.udpTransport()->isOpen();
        }
        data.ethernetMode = TcpMode;
        window.tcpTransport()->connectToHost(QStringLiteral("127.0.0.1"), LinkRig::ScannerPort);
        return window.tcpTransport()->waitForConnected(3000);
    }

    // Waits for the next report that satisfies `wanted`.
    bool nextReport(const std::function<bool(uint inport)> &wanted)
    {
        const int seen = reports.size();
        return LinkRig::waitUntil([&] {
            for (int i = seen; i < reports.size(); ++i) {
                if (wanted(reports.at(i).at(0).toUInt()))
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
    EmulatorProcess emulator({"--address", address, "--object-speed", "0", "--inputs",
                              QString::number(EmulatorInputs), "--fault-bit", "3"});
    QVERIFY(emulator.start());
    LiveWindow live;
    MainWindow &w = live.window;
    QVERIFY(live.connect(transport, emulator));
    w.areaModel().areas[5].out1Points = {QPoint(-500, 1000), QPoint(500, 1000)};

    // Distance is checked from the start; Intensity is switched on; the simulation
    // exchange runs while connected.
    QSignalSpy scans(w.sensorLink(), &SERIAL_COMM::ReceiveScanfData);
    QSignalSpy intensities(w.sensorLink(), &SERIAL_COMM::ReceiveIntensityData);
    w.OpenCloseReadScanf(true);
    live.widget<QAction>("Intensity")->trigger();
    w.sensorLink()->OpenSendReadSimulation();
    QVERIFY(LinkRig::waitUntil([&] { return scans.count() >= 2 && intensities.count() >= 2; }, 8000));
    QVERIFY(live.nextReport([](uint) { return true; }));

    // The outline reaches the front wall in every display mode.
    QGraphicsScene *scene = w.sceneController()->OutlineItem()->scene();
    w.OpenDispLineSlot();
    QImage image = renderScene(scene);
    QVERIFY(greenNear(image, 0, -FrontWall));
    QVERIFY(pixelAt(image, 0, -FrontWall / 2) == QColor(Qt::white));
    w.OpenDispCloudSlot();
    QVERIFY(greenNear(renderScene(scene), 0, -FrontWall));
    w.OpenDispGraphSlot();
    image = renderScene(scene);
    const QColor inside = pixelAt(image, 0, -FrontWall / 2);
    QVERIFY2(inside.green() > inside.red() + 30, qPrintable(inside.name()));
    QCOMPARE(pixelAt(image, 0, -FrontWall - 800), QColor(Qt::white));

    // The data table lists the serial scan, straight ahead in row 270.
    auto *table = live.widget<QTableWidget>("DataTableWidget");
    QCOMPARE(table->rowCount(), 540);
    if (transport == QLatin1String("serial")) {
        const int ahead = table->item(270, 1)->text().toInt();
        QVERIFY2(qAbs(ahead - FrontWall) <= 30, qPrintable(table->item(270, 1)->text()));
        QVERIFY(table->item(270, 2)->text().toInt() > 0);
    }

    // The status strip shows the emulator's inputs and its fault.
    QCOMPARE(live.widget<QLCDNumber>("InputlcdNum")->intValue(), int(EmulatorInputs));
    QCOMPARE(labelImage(live.widget<QLabel>("InputPort1")), QPixmap(":/images/Green1.png").toImage());
    QCOMPARE(labelImage(live.widget<QLabel>("InputPort2")), QPixmap(":/images/Gray2.png").toImage());
    QCOMPARE(labelImage(live.widget<QLabel>("InputPort3")), QPixmap(":/images/Green3.png").toImage());
    QCOMPARE(live.widget<QLabel>("label_StatusValue")->text(), QStringLiteral("Connect Abnormal(4)"));

    // Monitoring shows the area the inputs choose, in the editors too.
    live.widget<QAction>("Monitoring")->trigger();
    QVERIFY(live.nextReport([](uint inport) { return inport == EmulatorInputs; }));
    QCOMPARE(w.areaModel().currentArea, int(EmulatorInputs));
    QCOMPARE(live.widget<QTableWidget>("CoordTableWidgetOut1")->item(1, 1)->text(), QStringLiteral("500"));

    // Inputs simulated from the dock reach the scanner, which then reports them.
    QAction *simulation = live.widget<QAction>("IOSimulation");
    simulation->setEnabled(true);
    simulation->trigger();
    QTest::keyClick(live.widget<QGroupBox>("InportGrouptBox"), Qt::Key_Space);
    live.widget<QSpinBox>("InputspinBox")->setValue(37);
    QVERIFY(live.nextReport([](uint inport) { return inport == 37; }));
    QVERIFY(live.nextReport([](uint inport) { return inport == 37; }));
    QCOMPARE(w.areaModel().currentArea, 37);

    // Ending the simulation, as closing the connection does, gives the scanner its own
    // inputs back with the very next exchange.
    w.StopAllSimulation();
    QVERIFY(live.nextReport([](uint) { return true; }));
    QVERIFY(live.nextReport([](uint) { return true; }));
    QCOMPARE(live.reports.last().at(0).toUInt(), EmulatorInputs);
    QCOMPARE(w.areaModel().currentArea, int(EmulatorInputs));
}

QTEST_MAIN(TestLiveMonitoring)
#include "tst_livemonitoring.moc"
