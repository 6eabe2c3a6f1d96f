#include "gui/app/about.h"
#include "gui/app/mainwindow.h"
#include "gui/app/messagebox.h"
#include "gui/connect/create.h"
#include "gui/connect/ethnertsetting.h"
#include "gui/connect/settingsdialog.h"
#include "core/link/serialcomm.h"
#include "windowundertest.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QtTest>

using namespace veltrix;

namespace {

// Every window a user can open: the main window and its dialogs.
QList<QWidget *> allWindows(MainWindow &w)
{
    return {&w, w.aboutDialog(), w.startDialog(), w.serialSettingsDialog(),
            w.ethernetSettingsDialog()};
}

// A readable path of object names from the window down, so that a difference names
// the widget.
QString pathOf(const QObject *object)
{
    QStringList names;
    for (; object; object = object->parent())
        names.prepend(object->objectName().isEmpty() ? QString::fromLatin1(object->metaObject()->className())
                                                     : object->objectName());
    return names.join(QLatin1Char('/'));
}

// The text a user sees on one object: what its kind shows as its own caption.
QString ownText(const QObject *object)
{
    if (auto *action = qobject_cast<const QAction *>(object))
        return action->text();
    if (auto *menu = qobject_cast<const QMenu *>(object))
        return menu->title();
    if (auto *group = qobject_cast<const QGroupBox *>(object))
        return group->title();
    if (auto *label = qobject_cast<const QLabel *>(object))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(object))
        return button->text();
    if (auto *edit = qobject_cast<const QLineEdit *>(object))
        return edit->text();
    if (auto *text = qobject_cast<const QTextEdit *>(object))
        return text->toPlainText();
    if (auto *widget = qobject_cast<const QWidget *>(object))
        return widget->isWindow() || qobject_cast<const QDockWidget *>(object)
                       || qobject_cast<const QToolBar *>(object)
                   ? widget->windowTitle()
                   : QString();
    return QString();
}

// Every visible text of every window: captions, titles, combo items, tab texts and
// table headers, keyed by where they are.
QMap<QString, QString> allTexts(MainWindow &w)
{
    QMap<QString, QString> texts;
    auto add = [&texts](const QString &key, const QString &text) {
        if (!text.isEmpty())
            texts.insert(key, text);
    };
    for (QWidget *window : allWindows(w)) {
        QObjectList objects{window};
        for (QObject *child : window->findChildren<QObject *>())
            objects << child;
        for (QObject *object : objects) {
            const QString path = pathOf(object);
            add(path, ownText(object));
            if (auto *combo = qobject_cast<QComboBox *>(object)) {
                for (int i = 0; i < combo->count(); ++i)
                    add(path + QStringLiteral("#item%1").arg(i), combo->itemText(i));
            } else if (auto *tabs = qobject_cast<QTabWidget *>(object)) {
                for (int i = 0; i < tabs->count(); ++i)
                    add(path + QStringLiteral("#tab%1").arg(i), tabs->tabText(i));
            } else if (auto *table = qobject_cast<QTableWidget *>(object)) {
                for (int i = 0; i < table->columnCount(); ++i) {
                    if (QTableWidgetItem *header = table->horizontalHeaderItem(i))
                        add(path + QStringLiteral("#header%1").arg(i), header->text());
                }
            }
        }
    }
    return texts;
}

QString textAt(MainWindow &w, const QString &name, const QString &part)
{
    QObject *object = nullptr;
    for (QWidget *window : allWindows(w)) {
        object = window->objectName() == name ? window : window->findChild<QObject *>(name);
        if (object)
            break;
    }
    if (!object)
        return QStringLiteral("<no %1>").arg(name);
    const int index = part.mid(part.indexOf(QLatin1Char(':')) + 1).toInt();
    if (part.startsWith(QLatin1String("item")))
        return qobject_cast<QComboBox *>(object)->itemText(index);
    if (part.startsWith(QLatin1String("tab")))
        return qobject_cast<QTabWidget *>(object)->tabText(index);
    if (part.startsWith(QLatin1String("header")))
        return qobject_cast<QTableWidget *>(object)->horizontalHeaderItem(index)->text();
    return ownText(object);
}

void switchTo(MainWindow &w, bool english)
{
    if (english)
        w.LanguageToEnglish();
    else
        w.LanguageToChinese();
    // Widgets hear of the new language through posted events.
    QCoreApplication::processEvents();
}

// The English of the interface: widget, which of its texts, and the text. A name with
// %1 stands for its three copies, one per output field.
struct EnglishText
{
    const char *name;
    const char *part;
    const char *english;
};

const EnglishText EnglishTexts[] = {
    // Edition dock
    {"ArealineText", "", "Area"},
    {"RegionsLineText", "", "Regions"},
    {"label_OpenDelay", "", "On Delay"},
    {"label_CloseDelay", "", "Off Delay"},
    {"label_Hysteresis", "", "Hysteresis"},
    {"label_DetectionSize", "", "Detection Size"},
    {"Area_Hysteresis", "item:0", "Close"},
    {"AreaEditTab", "tab:0", "Out 1"},
    {"AreaEditTab", "tab:1", "Out 2"},
    {"AreaEditTab", "tab:2", "Out 3"},
    {"IndependetBox%1", "", "Independent"},
    {"DependetBox%1", "", "Dependent"},
    {"TableCoordinatesOut%1", "tab:0", "Coordinates"},
    {"TableCoordinatesOut%1", "tab:1", "Teaching"},
    {"CoordinatesTypeOut%1", "tab:0", "Controls XY"},
    {"CoordinatesTypeOut%1", "tab:1", "Controls Polar"},
    {"CoordTableWidgetOut%1", "header:0", "Point"},
    {"CoordTableWidgetOut%1", "header:1", "X [mm]"},
    {"CoordTableWidgetOut%1", "header:2", "Y [mm]"},
    {"PolarTableWidgeOut%1", "header:0", "Point"},
    {"PolarTableWidgeOut%1", "header:1", "R [mm]"},
    {"PolarTableWidgeOut%1", "header:2", "Th [deg]"},
    {"RegionBoxOut%1", "", "Region"},
    {"label_Corner%1", "", "Corner"},
    {"label_Size%1", "", "Size"},
    {"ButtonSelectOut%1", "", "Select"},
    {"MethodBoxOut%1", "", "Method"},
    {"MethodOut%1", "item:0", "Average"},
    {"MethodOut%1", "item:1", "Minimum"},
    {"DistanceOffsetBoxOut%1", "", "Distance Offset"},
    {"OtherBoxOut%1", "", "Others"},
    {"CheckSimplifyResultOut%1", "", "Simplify The Result"},
    {"ButtonTeachOut%1", "", "Start Teach"},
    {"ParametersEditTab", "tab:0", "Parameter"},
    {"ParametersEditTab", "tab:1", "CaseChannel"},
    {"label_SteerDgreeRange", "", "Dgree Range"},
    {"label_VehicleSpeedRange", "", "Speed Range"},
    {"label_VehicleOptionMode", "", "Operation"},
    {"VehicleOptionMode", "item:0", "Type 0"},
    {"VehicleOptionMode", "item:4", "Type 4"},
    // Sensor dock; the output logic names the switching logic the scanner applies.
    {"label_ControlMode", "", "Control Mode"},
    {"Para_ControlMode", "item:3", "CAN Interface"},
    {"label_RS232BaudRate", "", "RS232 BaudRate"},
    {"Para_RS485StopBit", "item:1", "Stop 1.5Bit"},
    {"Para_RS232CommVerify", "item:2", "Even"},
    {"label_RS485IDAddress", "", "RS485 ID(1-127)"},
    {"label_CANIDAddress", "", "CAN ID(1-127)"},
    {"label_SensorOutputLogic", "", "Output Logic"},
    {"Para_SensorOutputLogic", "item:0", "Normally closed mode"},
    {"Para_SensorOutputLogic", "item:1", "Normally open mode"},
    {"Para_ScanfMotorSyncMode", "item:0", "Independent"},
    {"Para_ScanfMotorSyncAngle", "item:3", "270 deg"},
    {"Para_SensorInstallDir", "item:1", "Inverted Install"},
    {"label_SensorIPAddress", "", "IP Address:"},
    {"SensorEtherMode", "item:0", "TCP Server"},
    {"SensorScanAngle", "item:1", "0.2 degree"},
    {"ScanFilterLevel", "item:2", "Middle"},
    {"TrailiFilterLevel", "item:2", "Medium"},
    {"SensorMultipleEcho", "item:3", "MaxPower"},
    {"label_TrailiFilterLevel", "", "Traili Filter"},
    // Data table dock
    {"label_Timestamp", "", "Timestamp:"},
    {"DataTableWidget", "header:0", "Step"},
    {"DataTableWidget", "header:1", "Distance[mm]"},
    {"DataTableWidget", "header:2", "Intensity"},
    // Status strip captions
    {"label_dir", "", "Set Mode"},
    {"label_Status", "", "Status"},
    {"label_Inputs", "", "Input"},
    {"label_Outputs", "", "Output"},
    // IO simulation dock
    {"InportGrouptBox", "", "Input Simulation"},
    {"FaultGroupBox", "", "Fault Simulation"},
    {"CaseSimulationBox", "", "Simulation CaseChannel"},
    {"label_SimDgree", "", "Dgree"},
    {"SimOptionMode", "item:4", "Type 4"},
    // Menus
    {"menuFile", "", "File"},
    {"menuNew", "", "New"},
    {"menuEdit", "", "Edit"},
    {"menuView", "", "View"},
    {"menuMode", "", "Mode"},
    {"menuSetting", "", "Setting"},
    {"menuConnections", "", "Connections"},
    {"menuInterfaces", "", "Interfaces"},
    {"menuDisplay", "", "Display"},
    {"menuLanguage", "", "Language"},
    {"menuHelp", "", "Help"},
    // Actions
    {"Open", "", "Open"},
    {"Save", "", "Save"},
    {"SaveAs", "", "Save As"},
    {"Quit", "", "Quit"},
    {"Undo", "", "Undo"},
    {"Redo", "", "Redo"},
    {"Copy", "", "Copy"},
    {"Cut", "", "Cut"},
    {"Paste", "", "Paste"},
    {"Delete", "", "Delete"},
    {"DeleteAll", "", "Delete All"},
    {"AppSettings", "", "App Settings"},
    {"Distance", "", "Distance"},
    {"Intensity", "", "Intensity"},
    {"DataTable", "", "Data Table"},
    {"Edition", "", "Edition"},
    {"Monitoring", "", "Monitoring"},
    {"SensorSetting", "", "Sensor Setting"},
    {"IOSimulation", "", "IO Simulation"},
    {"SerialSetting", "", "Serial Setting"},
    {"EthnernetSetting", "", "Ethernet Setting"},
    {"SerialConnection", "", "Serial"},
    {"EthernetConnection", "", "Ethernet"},
    {"Connection", "", "Connection"},
    {"DisConnection", "", "DisConnection"},
    {"ReadAllSetting", "", "Read All Setting"},
    {"WriteAllSetting", "", "Write All Setting"},
    {"SoftReboot", "", "Soft Reboot"},
    {"SensorInformation", "", "Sensor Information"},
    {"DispGraph", "", "Disp Graph"},
    {"DispCloud", "", "Disp Cloud"},
    {"DispLine", "", "Disp Line"},
    {"Chinese", "", "简体中文"},
    {"English", "", "English"},
    {"About", "", "About"},
    {"Manual", "", "Manual"},
    {"Laser30", "", "30XX"},
    // Docks
    {"EditionControlDock", "", "Edition Controls"},
    {"DataTableDock", "", "Data Table"},
    {"SensorSettingDock", "", "Sensor Setting"},
    {"IOSimulationDock", "", "IO Simulation"},
};

// Texts that read the same in both languages: the Chinese entry of the Language menu,
// the about box's close button, the Ethernet dialog's address caption and its hidden
// clear button.
const QStringList SameInBothLanguages = {QStringLiteral("简体中文"), QStringLiteral("关闭"),
                                         QStringLiteral("传感器以太网IP地址"),
                                         QStringLiteral("清除")};

bool hasChinese(const QString &text)
{
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return han.match(text).hasMatch();
}

}  // namespace

// The whole interface in both languages, switched at run time as a user switches it.
class TestLanguages : public QObject
{
    Q_OBJECT

private slots:
    void switchingBackRestoresEveryText();
    void englishTexts();
    void selectionsSurviveBothSwitches();
    void messagesAfterASwitch_data();
    void messagesAfterASwitch();
    void statusValuesFollowTheSwitch();
};

void TestLanguages::switchingBackRestoresEveryText()
{
    MainWindow w;
    w.show();
    QCoreApplication::processEvents();
    const QMap<QString, QString> chinese = allTexts(w);

    switchTo(w, true);
    const QMap<QString, QString> english = allTexts(w);
    QStringList leftInChinese;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (hasChinese(it.value()) && !SameInBothLanguages.contains(it.value()))
            leftInChinese << it.key() + QStringLiteral(": ") + it.value();
    }
    QVERIFY2(leftInChinese.isEmpty(), qPrintable(leftInChinese.join(QLatin1Char('\n'))));

    switchTo(w, false);
    const QMap<QString, QString> again = allTexts(w);
    QStringList differences;
    for (const QString &key : chinese.keys() + again.keys()) {
        if (chinese.value(key) != again.value(key))
            differences << key + QStringLiteral(": ") + chinese.value(key) + QStringLiteral(" / ")
                               + again.value(key);
    }
    differences.removeDuplicates();
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
    // A fair share of the interface took part.
    QVERIFY2(chinese.size() > 400, qPrintable(QString::number(chinese.size())));
}

void TestLanguages::englishTexts()
{
    MainWindow w;
    switchTo(w, true);
    QStringList wrong;
    int checked = 0;
    for (const EnglishText &text : EnglishTexts) {
        const QString name = QString::fromLatin1(text.name);
        const QStringList names = name.contains(QLatin1String("%1"))
                                      ? QStringList{name.arg(1), name.arg(2), name.arg(3)}
                                      : QStringList{name};
        const QString english = QString::fromUtf8(text.english);
        for (const QString &one : names) {
            const QString shown = textAt(w, one, QString::fromLatin1(text.part));
            if (shown != english)
                wrong << QStringLiteral("%1 %2: \"%3\", not \"%4\"")
                             .arg(one, QLatin1String(text.part), shown, english);
            ++checked;
        }
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    QVERIFY(checked > 150);
}

void TestLanguages::selectionsSurviveBothSwitches()
{
    MainWindow w;
    QMap<QComboBox *, int> chosen;
    for (QWidget *window : allWindows(w)) {
        for (QComboBox *combo : window->findChildren<QComboBox *>()) {
            if (combo->count() > 1) {
                combo->setCurrentIndex(combo->count() - 1);
                chosen.insert(combo, combo->currentIndex());
            }
        }
    }
    QVERIFY(chosen.size() > 30);
    for (bool english : {true, false}) {
        switchTo(w, english);
        for (auto it = chosen.cbegin(); it != chosen.cend(); ++it)
            QVERIFY2(it.key()->currentIndex() == it.value(), qPrintable(pathOf(it.key())));
    }
}

void TestLanguages::messagesAfterASwitch_data()
{
    QTest::addColumn<bool>("english");
    QTest::addColumn<QString>("promptTitle");
    QTest::addColumn<QStringList>("promptButtons");
    QTest::addColumn<QString>("standardButton");
    QTest::newRow("to English") << true << "Warning" << QStringList{"Save", "Close", "Cancel"}
                                << "OK";
    QTest::newRow("back to Chinese") << false << "警告" << QStringList{"保存", "关闭", "取消"}
                                     << "确定";
}

// The close prompt, and a box with the toolkit's own OK button as the link shows one.
void TestLanguages::messagesAfterASwitch()
{
    QFETCH(bool, english);
    QFETCH(QString, promptTitle);
    QFETCH(QStringList, promptButtons);
    QFETCH(QString, standardButton);

    testing::WindowUnderTest w;
    w.answer = 2;  // Cancel: the window stays
    switchTo(w, true);
    switchTo(w, english);
    w.show();
    w.areaModel().setModified(true);
    QVERIFY(!w.close());
    QCOMPARE(w.shown.size(), 1);
    QCOMPARE(w.shown.first().title, promptTitle);
    QCOMPARE(w.shown.first().buttons, promptButtons);

    QString buttonText;
    QTimer::singleShot(0, this, [&buttonText] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        QCOMPARE(box->buttons().size(), 1);
        buttonText = box->buttons().first()->text();
        box->buttons().first()->click();
    });
    UserMessage message;
    message.title = QStringLiteral("title");
    message.text = QStringLiteral("text");
    QCOMPARE(messageBoxPresenter(&w)(message), 0);
    QCOMPARE(buttonText.remove(QLatin1Char('&')), standardButton);
    w.areaModel().setModified(false);
}

// The mounting direction and the fault status the scanner last reported are shown again
// in the new language at once, not only at its next report.
void TestLanguages::statusValuesFollowTheSwitch()
{
    MainWindow w;
    auto *direction = w.findChild<QLabel *>(QStringLiteral("label_dirValue"));
    auto *status = w.findChild<QLabel *>(QStringLiteral("label_StatusValue"));
    switchTo(w, true);
    QCOMPARE(direction->text(), QString());
    QCOMPARE(status->text(), QString());

    emit w.sensorLink()->DirChangeSignals(true);
    emit w.sensorLink()->IOPortSignals(0, 0, 0x21);
    QCOMPARE(direction->text(), QStringLiteral("Reverse Set"));
    QCOMPARE(status->text(), QStringLiteral("Revolve Abnormal(1)Temperature Abnormal(6)"));
    switchTo(w, false);
    QCOMPARE(direction->text(), QStringLiteral("倒立安装"));
    QCOMPARE(status->text(), QStringLiteral("旋转异常(1)过温异常(6)"));
    emit w.sensorLink()->DirChangeSignals(false);
    emit w.sensorLink()->IOPortSignals(0, 0, 0);
    switchTo(w, true);
    QCOMPARE(direction->text(), QStringLiteral("Forward Set"));
    QCOMPARE(status->text(), QStringLiteral("Normal(0)"));
}

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
