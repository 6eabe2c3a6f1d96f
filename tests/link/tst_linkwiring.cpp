#include "gui/app/mainwindow.h"
#include "core/link/readalltransaction.h"
#include "core/link/serialcomm.h"
#include "gui/link/transferprogress.h"
#include "windowundertest.h"

#include <QAction>
#include <QHostAddress>
#include <QProgressDialog>
#include <QSignalSpy>
#include <QUdpSocket>
#include <QtTest>

using namespace veltrix;

namespace {

QAction *action(const MainWindow &w, const char *name)
{
    return w.findChild<QAction *>(QString::fromLatin1(name));
}

}  // namespace

class TestLinkWiring : public QObject
{
    Q_OBJECT

private slots:
    void linkIsBuiltWithTheWindow();
    void connectionActionsRaiseRequests_data();
    void connectionActionsRaiseRequests();
    void displayActionsStartPollingOnlyWhenOpen();
    void progressFollowsTheLink();
};

void TestLinkWiring::linkIsBuiltWithTheWindow()
{
    MainWindow w;
    SERIAL_COMM *link = w.sensorLink();
    QVERIFY(link);
    QVERIFY(link->sendTimer().isActive());
    QCOMPARE(link->rangeLimit(), 6000);
    QCOMPARE(w.sensorParameters(), SensorParameters());
    QVERIFY(w.transferProgress());
    QVERIFY(!w.transferProgress()->dialog()->isVisible());
}

void TestLinkWiring::connectionActionsRaiseRequests_data()
{
    QTest::addColumn<QByteArray>("actionName");
    QTest::addColumn<QList<int>>("flags");
    QTest::addColumn<int>("answer");  // to a question the action asks first
    QTest::newRow("ReadAllSetting")
        << QByteArray("ReadAllSetting")
        << QList<int>{SERIAL_COMM::ReadParametersFlag, SERIAL_COMM::ReadAreasFlag, SERIAL_COMM::ReadCaseFlag}
        << 0;
    QTest::newRow("WriteAllSetting")
        << QByteArray("WriteAllSetting")
        << QList<int>{SERIAL_COMM::WriteAreasFlag, SERIAL_COMM::WriteCaseFlag, SERIAL_COMM::WriteParametersFlag}
        << 0;
    QTest::newRow("WriteAllSetting, cancelled") << QByteArray("WriteAllSetting") << QList<int>{} << 1;
    QTest::newRow("SoftReboot") << QByteArray("SoftReboot") << QList<int>{SERIAL_COMM::RebootFlag} << 0;
    QTest::newRow("SensorInformation") << QByteArray("SensorInformation")
                                       << QList<int>{SERIAL_COMM::ProductFlag} << 0;
}

void TestLinkWiring::connectionActionsRaiseRequests()
{
    QFETCH(QByteArray, actionName);
    QFETCH(QList<int>, flags);
    QFETCH(int, answer);
    testing::WindowUnderTest w;
    w.answer = answer;
    QAction *a = action(w, actionName.constData());
    QVERIFY(a);
    a->setEnabled(true);  // a successful open enables it
    a->trigger();
    for (int f = 0; f < SERIAL_COMM::RequestFlagCount; ++f)
        QCOMPARE(w.sensorLink()->flag(SERIAL_COMM::RequestFlag(f)), flags.contains(f));
}

void TestLinkWiring::displayActionsStartPollingOnlyWhenOpen()
{
    MainWindow w;
    SERIAL_COMM *link = w.sensorLink();
    QAction *distance = action(w, "Distance");
    QAction *intensity = action(w, "Intensity");
    distance->trigger();  // off
    distance->trigger();  // on, but nothing is open
    intensity->trigger();
    QVERIFY(!link->scanTimer().isActive());
    QVERIFY(!link->intensityTimer().isActive());

    // A connected UDP socket (inside the test's own network namespace) is open at once.
    w.CreatConnectTypeSignalSlot(EthernetInterface);
    w.CreatEthnertModeSignalSlot(QStringLiteral("MODE: UDP"));
    w.udpTransport()->connectToHost(QHostAddress::LocalHost, 8080);
    QVERIFY(w.anyTransportOpen());
    distance->trigger();  // off
    distance->trigger();  // on
    QVERIFY(link->scanTimer().isActive());
    QCOMPARE(link->scanTimer().interval(), 1000);
    intensity->trigger();  // off
    intensity->trigger();  // on: Ethernet has no intensity polling
    QVERIFY(!link->intensityTimer().isActive());
    distance->trigger();
    QVERIFY(!link->scanTimer().isActive());
    w.udpTransport()->abort();
}

void TestLinkWiring::progressFollowsTheLink()
{
    MainWindow w;
    LinkTransaction *readAll = w.sensorLink()->startTransaction(std::make_unique<ReadAllTransaction>());
    emit readAll->progressChanged(0, 64);
    QVERIFY(w.transferProgress()->dialog()->isVisible());
    w.sensorLink()->CancelTransfer();
    QVERIFY(!w.transferProgress()->dialog()->isVisible());
}

QTEST_MAIN(TestLinkWiring)
#include "tst_linkwiring.moc"
