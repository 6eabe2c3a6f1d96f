// Nothing replaced or written without the user knowing, as a user meets it in the main
// window against a scanner running in this process: connecting over unsaved changes
// asks (Keep Project reads nothing, Read replaces the areas and marks the project
// changed), Open over unsaved changes asks, an opened file starts a fresh undo history,
// a write-all asks first naming where it goes (Cancel sends nothing), and a scanner
// that stops answering is shown as such until it answers again.

#include "randomareas.h"
#include "waituntil.h"
#include "windowundertest.h"

#include "emulatedscanner.h"
#include "emulatorserver.h"

#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "core/project/projectstorage.h"
#include "gui/app/appsettingsdialog.h"
#include "gui/app/connectioncontrol.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace veltrix;
using veltrix::testing::waitUntil;

namespace {

constexpr int Reach = 5400;
const QString ReadQuestion =
    QStringLiteral("Reading the scanner's configuration replaces the unsaved changes of this project.");
const QString DiscardQuestion = QStringLiteral("The application\nDo you want to discart your changes?");
enum { Read = 0, KeepProject = 1 };
enum { Write = 0, Cancel = 1 };

// The window in English, a scanner of this process holding areas of its own, and every
// request the scanner hears.
struct Session
{
    testing::WindowUnderTest w;
    std::unique_ptr<EmulatorServer> server;
    QStringList heard;  // mnemonics, in order
    QList<TransactionResult> results;

    Session()
    {
        w.LanguageToEnglish();
        QObject::connect(w.sensorLink(), &SERIAL_COMM::TransactionFinished,
                         [this](const TransactionResult &result) { results.append(result); });
    }

    bool startScanner()
    {
        EmulatorOptions options;
        options.scanner.objectSpeed = 0;
        options.address = QHostAddress(QStringLiteral("127.0.0.5"));
        server = std::make_unique<EmulatorServer>(options);
        QString error;
        if (!server->start(&error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        const QVector<AreaRecord> areas = randomareas::areas(7, Reach);
        for (int i = 0; i < areas.size(); ++i)
            server->scanner()->setArea(i, areas.at(i));
        QObject::connect(server.get(), &EmulatorServer::traffic, [this](const QString &line) {
            heard << line.section(QLatin1String(": "), 1).left(5);
        });
        return true;
    }

    bool connectOverTcp()
    {
        w.CreatEthnertModeSignalSlot(QStringLiteral("MODE: TCP"));
        w.CreatEthernetPort(QStringLiteral("127.0.0.5"));
        return waitUntil([this] { return w.connectionControl()->isConnected(); }, 3000);
    }

    bool finished(TransactionKind kind)
    {
        return waitUntil([&] {
            for (const TransactionResult &result : results) {
                if (result.kind == kind && result.isComplete())
                    return true;
            }
            return false;
        }, 15000);
    }

    // A design of the user's own, not saved.
    QVector<AreaRecord> ownDesign()
    {
        const QVector<AreaRecord> areas = randomareas::areas(99, Reach);
        w.areaModel().replaceAllAreas(areas);
        w.areaModel().setModified(true);
        return areas;
    }
};

}  // namespace

class TestSafeguards : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void connectingOverUnsavedChanges_data();
    void connectingOverUnsavedChanges();
    void openAsksAndStartsAFreshHistory();
    void writeAllAsksFirst_data();
    void writeAllAsksFirst();
    void silentScannerAndBack();
};

void TestSafeguards::connectingOverUnsavedChanges_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Keep Project") << int(KeepProject);
    QTest::newRow("Read") << int(Read);
}

void TestSafeguards::connectingOverUnsavedChanges()
{
    QFETCH(int, answer);
    Session s;
    QVERIFY(s.startScanner());
    const QVector<AreaRecord> design = s.ownDesign();
    s.w.answer = answer;
    QVERIFY(s.connectOverTcp());
    QVERIFY(waitUntil([&] { return !s.w.shown.isEmpty(); }, 2000));
    QCOMPARE(s.w.shown.first().text, ReadQuestion);
    QCOMPARE(s.w.shown.first().buttons, (QStringList{"Read", "Keep Project"}));

    if (answer == KeepProject) {
        // Connected, polling, but no area was asked for and the design is as it was.
        QTest::qWait(600);
        QVERIFY(s.w.connectionControl()->isConnected());
        QVERIFY(!s.heard.isEmpty());
        QVERIFY2(!s.heard.contains(QLatin1String("RArea")), qPrintable(s.heard.join(' ')));
        QVERIFY(!s.heard.contains(QLatin1String("RPara")));
        QCOMPARE(s.w.areaModel().areas(), design);
        QVERIFY(s.w.isWindowModified());
        return;
    }
    QVERIFY(s.finished(TransactionKind::ReadAll));
    QCOMPARE(s.heard.count(QLatin1String("RArea")), AreaCount);
    for (int i = 0; i < AreaCount; ++i)
        QCOMPARE(s.w.areaModel().area(i).out1Points, s.server->scanner()->area(i).out1Points);
    // The scanner's configuration is not in any file: the title says there is something
    // to save, and Undo cannot bring the design back.
    QVERIFY(s.w.areaModel().isModified());
    QVERIFY(s.w.isWindowModified());
    const AreaRecord read = s.w.areaModel().area(0);
    s.w.trigger("Undo");
    QCOMPARE(s.w.areaModel().area(0), read);
}

void TestSafeguards::openAsksAndStartsAFreshHistory()
{
    QTemporaryDir dir;
    Session s;
    // A file holding a design, saved and then changed without saving.
    const QVector<AreaRecord> design = s.ownDesign();
    const QString file = dir.filePath(QStringLiteral("plant.KT05"));
    QVERIFY(SaveProjectFile(s.w.project(), file, QDate(2026, 1, 2)));
    AreaRecord changed = s.w.areaModel().area(0);
    changed.out1Points = {{10, 20}, {30, 40}};
    QVector<AreaRecord> edited = design;
    edited[0] = changed;
    s.w.areaModel().replaceAllAreas(edited);
    s.w.areaModel().saveUndoSnapshot();
    s.w.areaModel().setModified(true);

    // Cancel keeps the changes; no file is asked for.
    s.w.answers = {1};
    s.w.OpenProject();
    QCOMPARE(s.w.shown.size(), 1);
    QCOMPARE(s.w.shown.first().text, DiscardQuestion);
    QVERIFY(s.w.asked.isEmpty());
    QCOMPARE(s.w.areaModel().area(0), changed);

    // Discarding them opens the file: nothing unsaved, and Undo stays in this file.
    s.w.files << file;
    s.w.OpenProject();
    QCOMPARE(s.w.shown.size(), 2);
    QCOMPARE(s.w.asked.size(), 1);
    QVERIFY(!s.w.isWindowModified());
    const AreaRecord opened = s.w.areaModel().area(0);
    QVERIFY(opened != changed);
    s.w.trigger("Undo");
    QCOMPARE(s.w.areaModel().area(0), opened);
}

void TestSafeguards::writeAllAsksFirst_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("confirm");  // as App Settings has it
    QTest::newRow("Cancel") << int(Cancel) << true;
    QTest::newRow("Write") << int(Write) << true;
    QTest::newRow("not asked") << int(Write) << false;
}

void TestSafeguards::writeAllAsksFirst()
{
    QFETCH(int, answer);
    QFETCH(bool, confirm);
    Session s;
    QVERIFY(s.startScanner());
    QVERIFY(s.connectOverTcp());
    QVERIFY(s.finished(TransactionKind::ReadAll));
    if (!confirm) {
        s.w.OpenAppSettings();
        auto *box = s.w.appSettingsDialog()->findChild<QCheckBox *>(QStringLiteral("ConfirmWriteAllBox"));
        QVERIFY(box->isChecked());
        box->setChecked(false);
        s.w.appSettingsDialog()->accept();
        QVERIFY(!s.w.confirmsWriteAll());
    }
    QVector<AreaRecord> areas = s.w.areaModel().areas();
    for (AreaRecord &area : areas) {
        area.out1Points.clear();
        area.out2Points.clear();
        area.out3Points.clear();
    }
    areas[3].out1Points = {{-500, 800}, {500, 800}, {0, 100}};
    areas[40].out2Points = {{-300, 600}, {300, 600}, {0, 100}};
    s.w.areaModel().replaceAllAreas(areas);
    s.w.shown.clear();
    s.heard.clear();
    s.results.clear();

    s.w.answer = answer;
    s.w.trigger("WriteAllSetting");
    if (!confirm) {
        QVERIFY(s.finished(TransactionKind::WriteAll));
        QVERIFY(!s.w.shown.first().text.contains(QLatin1String("Target:")));
        return;
    }
    QCOMPARE(s.w.shown.size(), 1);
    const UserMessage &question = s.w.shown.first();
    QCOMPARE(question.buttons, (QStringList{"Write", "Cancel"}));
    QVERIFY2(question.text.contains(QLatin1String("Target: 127.0.0.5:8080 (TCP)")), qPrintable(question.text));
    QVERIFY(question.text.contains(QLatin1String("Model: 05XX")));
    QVERIFY(question.text.contains(QLatin1String("Project file: (not saved)")));
    QVERIFY(question.text.contains(QLatin1String("Areas not empty: 2 of 64")));

    if (answer == Cancel) {
        QTest::qWait(600);
        for (const char *write : {"WArea", "WCase", "WPara"})
            QVERIFY2(!s.heard.contains(QLatin1String(write)), qPrintable(s.heard.join(' ')));
        QVERIFY(s.results.isEmpty());
        QVERIFY(s.server->scanner()->area(3).out1Points != areas[3].out1Points);
        return;
    }
    QVERIFY(s.finished(TransactionKind::WriteAll));
    // Written, and read back identical (the points travel as the mounting has them).
    QVERIFY(waitUntil([&] { return s.w.shown.size() > 1; }, 3000));
    QVERIFY2(s.w.shown.at(1).text.contains(QLatin1String("read back identical")), qPrintable(s.w.shown.at(1).text));
    QCOMPARE(s.server->scanner()->area(3).out1Points.size(), 3);
}

// Four time-outs in a row: the strip says the scanner does not answer, in red, and
// the connection's actions stay usable; the next reply brings the connection back.
void TestSafeguards::silentScannerAndBack()
{
    Session s;
    QVERIFY(s.startScanner());
    QVERIFY(s.connectOverTcp());
    QVERIFY(s.finished(TransactionKind::ReadAll));
    auto *status = s.w.widget<QLabel>("label_StatusValue");
    QVERIFY(waitUntil([&] { return !status->text().isEmpty(); }, 3000));

    DeliveryFaults silence;
    silence.dropFraction = 1;
    s.server->setFaults(silence);
    SERIAL_COMM *link = s.w.sensorLink();
    for (int timeout = 0; timeout < 4; ++timeout) {
        QCOMPARE(s.w.connectionControl()->state(), ConnectionControl::State::Connected);
        link->SensorInformationSlots();
        QVERIFY(waitUntil([&] { return link->pendingCommand() != SERIAL_COMM::NoCommand; }, 2000));
        link->ReadWriteOverTime();  // the reply time-out, without waiting for it
    }
    QCOMPARE(s.w.connectionControl()->state(), ConnectionControl::State::NoAnswer);
    QCOMPARE(status->text(), QStringLiteral("No answer"));
    QCOMPARE(status->palette().color(QPalette::WindowText), QColor(0xc6, 0x28, 0x28));
    QVERIFY(s.w.statusBar()->currentMessage().startsWith(QLatin1String("Scanner does not answer")));
    for (const char *action : {"ReadAllSetting", "WriteAllSetting", "SensorInformation", "DisConnection"})
        QVERIFY2(s.w.action(action)->isEnabled(), action);

    s.server->setFaults(DeliveryFaults());
    s.w.trigger("SensorInformation");
    QVERIFY(waitUntil([&] {
        return s.w.connectionControl()->state() == ConnectionControl::State::Connected;
    }, 3000));
    QVERIFY(s.w.statusBar()->currentMessage().startsWith(QLatin1String("Connect127.0.0.5:8080")));
    // Polling runs again: the status comes back from the scanner's reports.
    QVERIFY(waitUntil([&] { return status->text() != QLatin1String("No answer"); }, 3000));
}

QTEST_MAIN(TestSafeguards)
#include "tst_safeguards.moc"
