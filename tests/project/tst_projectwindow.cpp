#include "core/areas/areamodel.h"
#include "core/link/serialcomm.h"
#include "windowundertest.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QSlider>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#ifndef VELTRIX_NO_POSIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace veltrix;

namespace {

// The main window as a user drives it: every message box and file dialog is recorded
// and answered from a queue (a message box with its first button, a file dialog with
// Cancel, once the queue is empty).
struct Session
{
    testing::WindowUnderTest w;
    QTemporaryDir dir;
    QList<UserMessage> &shown = w.shown;
    QList<int> &answers = w.answers;
    QList<FileDialogRequest> &asked = w.asked;
    QStringList &files = w.files;

    QString path(const QString &name) const { return dir.filePath(name); }
    void trigger(const char *action) { w.findChild<QAction *>(QLatin1String(action))->trigger(); }
    template<typename T>
    T *widget(const char *name) { return w.findChild<T *>(QLatin1String(name)); }

    // A document worth saving: the six shapes, negative points, empty lists, and
    // settings away from their defaults.
    void fillDocument()
    {
        QVector<AreaRecord> areas = w.areaModel().areas();
        for (int number = 0; number < AreaCount; ++number) {
            AreaRecord &area = areas[number];
            area.out1Shape = number % 3;
            area.out2Shape = number % 6;
            area.out3Shape = (number + 3) % 6;
            area.steerMinDgree = -number;
            area.hysteresis = number % 11;
            if (number % 3 != 2)
                area.out1Points = {{-1500, 200}, {1500, -350}, {0, 2500 + number}};
        }
        w.areaModel().replaceAllAreas(areas);
        w.areaModel().setCurrentArea(3);
        SensorParameters parameters = w.project().parameters();
        parameters[0] = 3;                // control mode CAN
        parameters[4] = 42;               // RS485 address
        parameters[FilterLevelWord] = 2;
        w.project().setParameters(parameters);
        w.areaModel().setModified(true);
    }

    QByteArray contents(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString &name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

#ifndef VELTRIX_NO_POSIX
// Writes larger than this fail in this process, as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};
#endif

}  // namespace

class TestProjectWindow : public QObject
{
    Q_OBJECT

private slots:
    void saveNewAndOpenAnotherModel();
    void savingUnderAName_data();
    void savingUnderAName();
    void failedSaveKeepsOldFileAndChanges_data();
    void failedSaveKeepsOldFileAndChanges();
    void unreadableFileChangesNothing_data();
    void unreadableFileChangesNothing();
    void newProjectAsksBeforeDiscarding();
    void fileDialogKeepsOutstandingRequestAlive();
};

void TestProjectWindow::saveNewAndOpenAnotherModel()
{
    Session s;
    s.trigger("Laser20");
    QVERIFY(s.shown.isEmpty());  // nothing to lose yet
    s.fillDocument();
    const QVector<AreaRecord> saved = s.w.areaModel().areas();
    const SensorParameters settings = s.w.project().parameters();

    s.files << s.path("plant");
    s.trigger("Save");
    QCOMPARE(s.asked.size(), 1);
    QCOMPARE(s.asked[0].filter, QStringLiteral("(*.KT20)"));
    QVERIFY(!s.w.areaModel().isModified());
    QVERIFY(QFile::exists(s.path("plant.KT20")));
    QVERIFY(s.w.windowTitle().startsWith(QLatin1String("plant.KT20[*]")));
    QVERIFY(!s.w.isWindowModified());

    s.trigger("Laser05");
    QCOMPARE(s.w.currentModel(), 0);
    QCOMPARE(s.w.areaModel().area(3).out1Points.size(), 0);
    QCOMPARE(s.w.project().parameters(), SensorParameters());
    QCOMPARE(s.widget<QSpinBox>("Para_RS485IDAddress")->value(), 127);
    QVERIFY(!s.w.windowTitle().contains(QLatin1String("plant")));

    s.files << s.path("plant.KT20");
    s.w.OpenProject();
    QVERIFY(s.asked.last().filter.isEmpty());  // any model
    QCOMPARE(s.w.currentModel(), 2);
    QCOMPARE(s.w.sensorLink()->rangeLimit(), 24000);
    QCOMPARE(s.widget<QSlider>("ZoomSlider")->minimum(), -20);
    QCOMPARE(s.w.areaModel().areas(), saved);
    QCOMPARE(s.w.project().parameters(), settings);
    // The sensor dock shows the opened settings.
    QCOMPARE(s.widget<QComboBox>("Para_ControlMode")->currentIndex(), 3);
    QCOMPARE(s.widget<QSpinBox>("Para_RS485IDAddress")->value(), 42);
    // The views show the opened areas: area 3's three Out1 points in its table.
    QCOMPARE(s.widget<QTableWidget>("CoordTableWidgetOut1")->item(2, 2)->text(),
             QStringLiteral("2503"));
    QVERIFY(!s.w.areaModel().isModified());  // it holds what its file holds
    QVERIFY(!s.w.isWindowModified());
    s.w.areaModel().setModified(true);

    // Save now writes to the opened file without asking.
    const int asked = s.asked.size();
    s.trigger("Save");
    QCOMPARE(s.asked.size(), asked);
    QVERIFY(!s.w.areaModel().isModified());
}

void TestProjectWindow::savingUnderAName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("answer");        // to "replace?", if asked
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("written");   // empty: nothing written
    QTest::newRow("extension added, file replaced") << "plant" << 0 << true << "plant.KT20";
    QTest::newRow("extension added, file kept") << "plant" << 1 << true << "";
    QTest::newRow("dialog confirmed the name") << "plant.KT20" << 1 << false << "plant.KT20";
    QTest::newRow("other case is another name") << "plant.kt20" << 1 << false
                                                << "plant.kt20.KT20";
    QTest::newRow("cancelled") << "" << 0 << false << "";
}

void TestProjectWindow::savingUnderAName()
{
    QFETCH(QString, typed);
    QFETCH(int, answer);
    QFETCH(bool, asked);
    QFETCH(QString, written);

    Session s;
    s.w.CreateDeviceType(2);
    s.w.areaModel().setModified(true);
    s.writeFile("plant.KT20", "old");
    s.files << (typed.isEmpty() ? QString() : s.path(typed));
    s.answers << answer;
    s.trigger("SaveAs");

    QCOMPARE(s.shown.size(), asked ? 1 : 0);
    QCOMPARE(s.w.areaModel().isModified(), written.isEmpty());
    QCOMPARE(s.w.project().fileName(), written.isEmpty() ? QString() : s.path(written));
    if (written != QLatin1String("plant.KT20"))
        QCOMPARE(s.contents("plant.KT20"), QByteArray("old"));
    if (!written.isEmpty())
        QVERIFY(s.contents(written).startsWith("VRQ_LASER_20\n"));
}

void TestProjectWindow::failedSaveKeepsOldFileAndChanges_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("folder is a file") << "old.KT05/plant.KT05" << false;
    QTest::newRow("disk full") << "old.KT05" << true;
}

void TestProjectWindow::failedSaveKeepsOldFileAndChanges()
{
    QFETCH(QString, target);
    QFETCH(bool, diskFull);

    Session s;
    s.writeFile("old.KT05", "the old file\n");
    s.w.areaModel().setModified(true);
    s.files << s.path(target);
    {
#ifndef VELTRIX_NO_POSIX
        std::unique_ptr<FileSizeLimit> limit;
        if (diskFull)
            limit = std::make_unique<FileSizeLimit>(4096);
#else
        if (diskFull)
            QSKIP("no per-process file size limit on this system");
#endif
        s.trigger("Save");
    }
    QCOMPARE(s.contents("old.KT05"), QByteArray("the old file\n"));
    QVERIFY(s.w.areaModel().isModified());
    QVERIFY(s.w.project().fileName().isEmpty());
    QCOMPARE(s.shown.size(), 1);
    QVERIFY2(s.shown[0].text.contains(s.path(target)), qPrintable(s.shown[0].text));
    // Closing asks again; Save with the file dialog cancelled keeps the window open.
    QVERIFY(!s.w.close());
    QCOMPARE(s.asked.size(), 2);
}

void TestProjectWindow::unreadableFileChangesNothing_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("cut in area 1") << QByteArray() << "第 48 行";
    QTest::newRow("wrong model") << QByteArray("VRQ_LASER_50\n") << "VRQ_LASER_05";
    QTest::newRow("no such file") << QByteArray("-") << "No document";
}

void TestProjectWindow::unreadableFileChangesNothing()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);

    Session s;
    if (bytes.isEmpty()) {
        s.files << s.path("cut.KT05");
        s.trigger("Save");
        const QList<QByteArray> lines = s.contents("cut.KT05").split('\n');
        bytes = lines.mid(0, 48).join('\n') + '\n';
    }
    if (bytes != "-")
        s.writeFile("damaged.KT05", bytes);
    s.fillDocument();
    s.w.areaModel().setModified(false);
    const QVector<AreaRecord> areas = s.w.areaModel().areas();
    const SensorParameters settings = s.w.project().parameters();
    s.shown.clear();

    s.files << s.path("damaged.KT05");
    s.trigger("Open");
    QCOMPARE(s.w.areaModel().areas(), areas);
    QCOMPARE(s.w.project().parameters(), settings);
    QVERIFY(!s.w.areaModel().isModified());
    QCOMPARE(s.shown.size(), 1);
    QVERIFY(s.shown[0].text.contains(s.path("damaged.KT05")));
    QVERIFY2(s.shown[0].text.contains(expected), qPrintable(s.shown[0].text));
}

void TestProjectWindow::newProjectAsksBeforeDiscarding()
{
    Session s;
    s.fillDocument();
    const QVector<AreaRecord> before = s.w.areaModel().areas();

    s.answers << 1;  // Cancel
    s.trigger("Laser30");
    QCOMPARE(s.shown.size(), 1);
    QCOMPARE(s.w.currentModel(), 0);
    QCOMPARE(s.w.areaModel().areas(), before);

    s.answers << 0;  // OK
    s.trigger("Laser30");
    QCOMPARE(s.w.currentModel(), 3);
    QCOMPARE(s.w.sensorLink()->rangeLimit(), 36000);
    QCOMPARE(s.widget<QSlider>("ZoomSlider")->value(), -55);
    QVERIFY(!s.w.areaModel().isModified());
    QCOMPARE(s.w.project().parameters(), SensorParameters());
    for (int number = 0; number < AreaCount; ++number) {
        const AreaRecord &area = s.w.areaModel().area(number);
        QVERIFY(area.out1Points.isEmpty());
        QCOMPARE(area.detectionSize, 0);
        QCOMPARE(area.out2Shape, 0);
        QCOMPARE(area.steerMinDgree, before[number].steerMinDgree);
    }
    // The edit controls show the emptied current area.
    QCOMPARE(s.widget<QComboBox>("Area_Hysteresis")->currentIndex(), 0);
    const auto *table = s.widget<QTableWidget>("CoordTableWidgetOut1");
    QVERIFY(table->findItems(QStringLiteral("-1500"), Qt::MatchExactly).isEmpty());
}

void TestProjectWindow::fileDialogKeepsOutstandingRequestAlive()
{
    Session s;
    SERIAL_COMM *link = s.w.sensorLink();
    int asked = 0;
    bool runningDuringDialog = true;
    s.w.projectFiles()->setFileChooser([&](const FileDialogRequest &) {
        ++asked;
        runningDuringDialog = link->timeoutTimer().isActive();
        return QString();
    });
    s.trigger("Open");
    QVERIFY(!link->timeoutTimer().isActive());  // nothing was waiting

    link->ReadSensorAllDataSlots();
    link->SerialPortSendData();  // the request goes out and waits for its reply
    QVERIFY(link->pendingCommand() != SERIAL_COMM::NoCommand);
    for (const char *action : {"Open", "SaveAs"}) {
        runningDuringDialog = true;
        const int askedBefore = asked;
        s.trigger(action);
        QCOMPARE(asked, askedBefore + 1);
        QVERIFY(!runningDuringDialog);
        QVERIFY2(link->timeoutTimer().isActive(), action);
    }
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
