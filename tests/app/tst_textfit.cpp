// Every dock and dialog in both languages, at the window's first size and at 1920 x 1080:
// no text is wider than its widget shows it, every tab page included, and nothing but
// the view needs a horizontal scroll bar; the docks grow with the window. And the check
// itself finds a label, a combo box and a tab made too narrow on purpose.

#include "textfit.h"
#include "windowundertest.h"

#include "gui/app/about.h"
#include "gui/app/appsettingsdialog.h"
#include "gui/connect/create.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"

#include <QApplication>
#include <QDockWidget>
#include <QSet>
#include <QTabWidget>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::TextFit;
using veltrix::testing::WindowUnderTest;

namespace {

const QSize FirstSize(1234, 752);
const QSize FullHd(1920, 1080);

// The tab widgets of scope that lie in no other tab widget of it.
QList<QTabWidget *> outermostTabs(QWidget *scope)
{
    QList<QTabWidget *> outermost;
    const QList<QTabWidget *> all = scope->findChildren<QTabWidget *>();
    for (QTabWidget *tabs : all) {
        bool nested = false;
        for (QWidget *up = tabs->parentWidget(); up && up != scope; up = up->parentWidget())
            nested = nested || qobject_cast<QTabWidget *>(up);
        if (!nested)
            outermost << tabs;
    }
    return outermost;
}

// Checks window with every page of every tab widget under scope shown in turn (the
// pages of a tab widget inside a page while that page is shown).
void checkEveryPage(QWidget *window, QWidget *scope, QSet<QString> &problems)
{
    QCoreApplication::processEvents();
    for (const QString &problem : TextFit::problems(window))
        problems.insert(problem);
    for (QTabWidget *tabs : outermostTabs(scope)) {
        const int shown = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            if (page == shown)
                continue;
            tabs->setCurrentIndex(page);
            checkEveryPage(window, tabs->widget(page), problems);
        }
        tabs->setCurrentIndex(shown);
        for (int page = 0; page < tabs->count(); ++page) {
            if (page == shown)
                checkEveryPage(window, tabs->widget(page), problems);
        }
    }
}

QString report(const QSet<QString> &problems)
{
    QStringList sorted = problems.values();
    sorted.sort();
    return sorted.join(QLatin1Char('\n'));
}

}  // namespace

class TestTextFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void windowAndDocks_data();
    void windowAndDocks();
    void dialogs_data();
    void dialogs();
    void findsTextsMadeTooNarrow();
    void docksGrowWithTheWindow();
};

void TestTextFit::windowAndDocks_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QSize>("size");
    QTest::newRow("Chinese, first size") << 0 << FirstSize;
    QTest::newRow("English, first size") << 1 << FirstSize;
    QTest::newRow("Chinese, 1920 x 1080") << 0 << FullHd;
    QTest::newRow("English, 1920 x 1080") << 1 << FullHd;
}

void TestTextFit::windowAndDocks()
{
    QFETCH(int, language);
    QFETCH(QSize, size);
    WindowUnderTest w;
    w.setLanguage(language);
    w.resize(size);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Every dock at once, the simulation dock too.
    w.OpenCloseIOSimulationDock(true);
    QSet<QString> problems;
    checkEveryPage(&w, &w, problems);
    QVERIFY2(problems.isEmpty(), qPrintable(report(problems)));
}

void TestTextFit::dialogs_data()
{
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("dialog");
    for (int language : {0, 1}) {
        const char *const tag = language == 0 ? "Chinese" : "English";
        for (const char *dialog : {"about", "start", "serial", "ethernet", "settings"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(tag), QLatin1String(dialog))))
                << language << QString::fromLatin1(dialog);
    }
}

void TestTextFit::dialogs()
{
    QFETCH(int, language);
    QFETCH(QString, dialog);
    WindowUnderTest w;
    w.setLanguage(language);
    w.show();
    QWidget *shown = nullptr;
    if (dialog == QLatin1String("about"))
        shown = w.aboutDialog();
    else if (dialog == QLatin1String("start"))
        shown = w.startDialog();
    else if (dialog == QLatin1String("serial"))
        shown = w.serialSettingsDialog();
    else if (dialog == QLatin1String("ethernet"))
        shown = w.ethernetSettingsDialog();
    else {
        w.OpenAppSettings();
        shown = w.appSettingsDialog();
    }
    QVERIFY(shown);
    shown->show();
    QVERIFY(QTest::qWaitForWindowExposed(shown));
    QSet<QString> problems;
    checkEveryPage(shown, shown, problems);
    QVERIFY2(problems.isEmpty(), qPrintable(report(problems)));
}

// The check is not blind: in the window as it is, a caption, a combo box and the tabs
// of a dock made narrower than their texts are found, each by its name.
void TestTextFit::findsTextsMadeTooNarrow()
{
    WindowUnderTest w;
    w.setLanguage(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *label = w.widget<QLabel>("label_OpenDelay");
    auto *combo = w.widget<QComboBox>("Area_OpenDelay");
    auto *tabs = w.widget<QTabWidget>("ParametersEditTab");
    QVERIFY(TextFit::problems(label).isEmpty());
    QVERIFY(TextFit::problems(combo).isEmpty());

    label->setFixedWidth(label->fontMetrics().horizontalAdvance(label->text()) / 2);
    combo->setFixedWidth(combo->fontMetrics().horizontalAdvance(QStringLiteral("0ms")));
    tabs->setFixedWidth(tabs->tabBar()->tabRect(0).width());
    QCoreApplication::processEvents();
    const QString found = TextFit::problems(&w).join(QLatin1Char('\n'));
    QVERIFY2(found.contains(QLatin1String("label_OpenDelay: \"On Delay\"")), qPrintable(found));
    QVERIFY2(found.contains(QLatin1String("Area_OpenDelay: \"500ms\"")), qPrintable(found));
    QVERIFY2(found.contains(QLatin1String("\"CaseChannel\"")), qPrintable(found));
}

// From the first size to 1920 x 1080 the docks take their share of the new room, and
// back again they give it up.
void TestTextFit::docksGrowWithTheWindow()
{
    WindowUnderTest w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCoreApplication::processEvents();
    auto *edition = w.widget<QDockWidget>("EditionControlDock");
    auto *sensor = w.widget<QDockWidget>("SensorSettingDock");
    const int editionFirst = edition->width();
    const int sensorFirst = sensor->width();
    w.resize(FullHd);
    QVERIFY(QTest::qWaitFor([&] { return w.width() == FullHd.width(); }));
    QCoreApplication::processEvents();
    QVERIFY2(edition->width() > editionFirst * 5 / 4, qPrintable(QString::number(edition->width())));
    QVERIFY2(sensor->width() > sensorFirst * 5 / 4, qPrintable(QString::number(sensor->width())));
    w.resize(FirstSize);
    QVERIFY(QTest::qWaitFor([&] { return w.width() < FullHd.width(); }));
    QCoreApplication::processEvents();
    QVERIFY(edition->width() < editionFirst * 5 / 4);
}

QTEST_MAIN(TestTextFit)
#include "tst_textfit.moc"
