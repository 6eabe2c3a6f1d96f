#include "gui/app/about.h"
#include "gui/app/mainwindow.h"
#include "core/app/storedsettings.h"
#include "core/app/version.h"

#include <QAction>
#include <QDockWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

using namespace veltrix;

// What the program remembers between runs, through a store of the test's own that
// outlives the windows, as the user's store outlives the program.
class TestSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir folder;
    QString storePath() const { return folder.filePath(QStringLiteral("Parameters.ini")); }

private slots:
    void init();
    void cleanupTestCase();
    void firstStartIsChineseGraphWithTheWorkingDocks();
    void choicesSurviveARestart();
    void unknownOrDamagedValuesFallBackToTheDefaults_data();
    void unknownOrDamagedValuesFallBackToTheDefaults();
    void windowLeftOffScreenComesBack();
    void aboutFollowsTheLanguage();
};

void TestSettings::init()
{
    QFile::remove(storePath());
    const QString path = storePath();
    setSettingsStoreOpener([path] { return new QSettings(path, QSettings::IniFormat); });
}

void TestSettings::cleanupTestCase()
{
    setSettingsStoreOpener({});
}

void TestSettings::firstStartIsChineseGraphWithTheWorkingDocks()
{
    MainWindow w;
    w.show();
    QCOMPARE(w.languageSwitch().language(), QStringLiteral("zh_CN"));
    QCOMPARE(w.windowTitle(), QStringLiteral("激光雷达编辑器[*]"));
    QCOMPARE(w.displayPreferences().DisplayMode, qint32(DisplayGraph));
    QVERIFY(w.findChild<QAction *>(QStringLiteral("DispGraph"))->isChecked());
    for (const char *dock : {"EditionControlDock", "DataTableDock", "SensorSettingDock"})
        QVERIFY2(w.findChild<QDockWidget *>(QLatin1String(dock))->isVisible(), dock);
    QVERIFY(!w.findChild<QDockWidget *>(QStringLiteral("IOSimulationDock"))->isVisible());
}

void TestSettings::choicesSurviveARestart()
{
    QList<int> splitterSizes;
    {
        MainWindow w;
        w.show();
        w.LanguageToEnglish();
        w.OpenDispCloudSlot();
        auto *dataTable = w.findChild<QDockWidget *>(QStringLiteral("DataTableDock"));
        w.addDockWidget(Qt::LeftDockWidgetArea, dataTable);
        auto *splitter = w.findChild<QSplitter *>(QStringLiteral("splitter"));
        QCoreApplication::processEvents();  // the docks take the widths their texts need
        splitter->setSizes({170, 330});
        splitterSizes = splitter->sizes();
        // A dock closed at the end is shown again at the next start.
        w.findChild<QDockWidget *>(QStringLiteral("SensorSettingDock"))->close();
        QVERIFY(w.close());
    }
    QSettings raw(storePath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Language")).toInt(), 1);
    QCOMPARE(raw.value(QStringLiteral("SaveDispMpde")).toInt(), 1);

    MainWindow again;
    again.show();
    QCoreApplication::processEvents();
    QCOMPARE(again.languageSwitch().language(), QStringLiteral("en"));
    QCOMPARE(again.windowTitle(), QStringLiteral("Radar[*]"));
    QCOMPARE(again.displayPreferences().DisplayMode, qint32(DisplayCloud));
    QVERIFY(again.findChild<QAction *>(QStringLiteral("DispCloud"))->isChecked());
    QCOMPARE(again.dockWidgetArea(again.findChild<QDockWidget *>(QStringLiteral("DataTableDock"))),
             Qt::LeftDockWidgetArea);
    // The area list keeps the width it was given; the pane beside it takes what the
    // dock has left, at least what its texts need.
    QCOMPARE(again.findChild<QSplitter *>(QStringLiteral("splitter"))->sizes().first(), splitterSizes.first());
    QVERIFY(again.findChild<QDockWidget *>(QStringLiteral("SensorSettingDock"))->isVisible());
    QVERIFY(again.findChild<QAction *>(QStringLiteral("SensorSetting"))->isChecked());
}

void TestSettings::unknownOrDamagedValuesFallBackToTheDefaults_data()
{
    QTest::addColumn<QVariant>("language");
    QTest::addColumn<QVariant>("displayMode");
    QTest::addColumn<QByteArray>("layout");
    QTest::newRow("unknown numbers") << QVariant(7) << QVariant(9) << QByteArray();
    QTest::newRow("negative numbers") << QVariant(-1) << QVariant(-3) << QByteArray();
    QTest::newRow("text instead of numbers") << QVariant("English") << QVariant("cloud") << QByteArray();
    QTest::newRow("damaged layout") << QVariant(0) << QVariant(0) << QByteArray("\x01\x02garbage", 9);
}

void TestSettings::unknownOrDamagedValuesFallBackToTheDefaults()
{
    QFETCH(QVariant, language);
    QFETCH(QVariant, displayMode);
    QFETCH(QByteArray, layout);
    {
        QSettings raw(storePath(), QSettings::IniFormat);
        raw.setValue(QStringLiteral("Language"), language);
        raw.setValue(QStringLiteral("SaveDispMpde"), displayMode);
        raw.setValue(QStringLiteral("geometry"), layout);
        raw.setValue(QStringLiteral("windowState"), layout);
        raw.setValue(QStringLiteral("splitterSizes"), layout);
        raw.setValue(QStringLiteral("splitterSizes2"), layout);
    }
    MainWindow w;
    w.show();
    QCOMPARE(w.languageSwitch().language(), QStringLiteral("zh_CN"));
    QCOMPARE(w.displayPreferences().DisplayMode, qint32(DisplayGraph));
    for (const char *dock : {"EditionControlDock", "DataTableDock", "SensorSettingDock"})
        QVERIFY2(w.findChild<QDockWidget *>(QLatin1String(dock))->isVisible(), dock);
    for (const char *name : {"splitter", "splitter_2"}) {
        const QList<int> sizes = w.findChild<QSplitter *>(QLatin1String(name))->sizes();
        QVERIFY2(!sizes.contains(0), name);
    }
}

void TestSettings::windowLeftOffScreenComesBack()
{
    {
        MainWindow w;
        w.show();
        w.move(-20000, -20000);
        QVERIFY(w.close());
    }
    MainWindow again;
    again.show();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.intersects(again.frameGeometry()),
             qPrintable(QStringLiteral("window at %1,%2").arg(again.x()).arg(again.y())));
}

void TestSettings::aboutFollowsTheLanguage()
{
    MainWindow w;
    About *about = w.aboutDialog();
    QVERIFY(about);
    w.findChild<QAction *>(QStringLiteral("About"))->trigger();
    QVERIFY(about->isVisible());
    QVERIFY(about->isModal());
    auto *notes = about->findChild<QTextBrowser *>(QStringLiteral("NoteMessage"));
    QVERIFY(notes->toPlainText().startsWith(QStringLiteral("版本信息: 1.3.5\n更新日期: 20231226")));

    w.LanguageToEnglish();
    QCoreApplication::processEvents();
    QCOMPARE(about->windowTitle(), QStringLiteral("About"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("label_Ver"))->text(), QStringLiteral("Version: ") + ProgramVersion());
    const QStringList paragraphs = notes->toPlainText().split(QLatin1Char('\n'));
    // Three versions of 16, 11 and 5 lines, an empty paragraph between them.
    QCOMPARE(paragraphs.size(), 16 + 1 + 11 + 1 + 5);
    QCOMPARE(paragraphs.first(), QStringLiteral("Version Information: 1.3.5"));
    QCOMPARE(paragraphs.at(16), QString());
    QCOMPARE(paragraphs.last(), QStringLiteral("2)Improve UDP Connect."));
    // The close button keeps its text in both languages.
    QCOMPARE(about->findChild<QPushButton *>(QStringLiteral("Button_Close"))->text(), QStringLiteral("关闭"));
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
