// The configuration report as an engineer gets it: a project with every shape type,
// written to PDF, its pages turned into images and text with poppler's pdftoppm and
// pdftotext (package poppler-utils). Checked: the page count, that each field's colour
// lies where its shape is, the texts in the language chosen, the window's File >
// Export Report, and that a report that cannot be written, or is cancelled, leaves no
// file behind.

#include "windowundertest.h"
#include "../graphics/pixels.h"

#include "core/app/language.h"
#include "core/areas/polar.h"
#include "core/graphics/fieldshapes.h"
#include "core/link/configurationchecksum.h"
#include "core/link/sensorsettingtexts.h"
#include "core/project/devicemodels.h"
#include "core/project/project.h"
#include "core/report/areapages.h"
#include "core/report/areaplot.h"
#include "core/report/configurationreport.h"
#include "core/report/reportcanvas.h"
#include "gui/link/sensorsettingdock.h"

#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtMath>
#include <QtTest>

#include <algorithm>

using namespace veltrix;

namespace {

constexpr int Model = 2;          // 20XX: range 24 m
constexpr int ImageResolution = 50;  // dpi of the page images

QPoint polar(double radius, double degrees)
{
    return QPoint(qRound(radius * std::cos(qDegreesToRadians(degrees))),
                  qRound(radius * std::sin(qDegreesToRadians(degrees))));
}

// Areas 0, 5 and 9 hold between them every shape a field can have; area 63 a polygon
// (as many as a field can have) too long for one page. The others are empty.
ReportDocument document()
{
    ReportDocument doc;
    doc.modelIndex = Model;
    doc.projectFile = QStringLiteral("/plant/line 3/plant.KT20");
    doc.madeAt = QDateTime(QDate(2024, 5, 17), QTime(14, 30, 5));
    SensorParameters &parameters = doc.configuration.parameters;
    parameters[1] = 9;  // an RS232 baud rate the list does not have
    parameters[IpAddressHighWord] = (10 << 8) | 0;
    parameters[IpAddressLowWord] = (0 << 8) | 42;
    QVector<AreaRecord> &areas = doc.configuration.areas;

    AreaRecord &a0 = areas[0];
    a0.out1Points = {polar(4000, -30), polar(4500, 20), polar(5000, 90), polar(4500, 160), polar(4000, 210)};
    a0.out2Shape = Straight;
    a0.out2Points = {QPoint(0, 2000)};
    a0.out3Shape = Fan;
    a0.out3Points = {QPoint(0, 1200)};

    AreaRecord &a5 = areas[5];
    a5.out1Shape = Arc;
    a5.out1Points = {polar(3000, 20), polar(3000, 160)};
    a5.out2Shape = Ratio;
    a5.out2Points = {QPoint(0, 1800)};
    a5.out3Shape = Rectangle;
    a5.out3Points = {QPoint(-400, 300), QPoint(-400, 700), QPoint(400, 700), QPoint(400, 300)};

    AreaRecord &a9 = areas[9];
    a9.out1Shape = Rectangle;
    a9.out1Points = {QPoint(-2500, 400), QPoint(-2500, 3500), QPoint(2500, 3500), QPoint(2500, 400)};
    a9.out2Points = {polar(2000, 30), polar(2600, 90), polar(2000, 150)};
    a9.out3Shape = Arc;
    a9.out3Points = {polar(1000, 60), polar(1000, 120)};

    for (int i = 0; i < 100; ++i)
        areas[63].out1Points.append(polar(6000, -40 + i * 2.6));
    return doc;
}

QString tool(const char *name)
{
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString pdfText(const QString &pdf)
{
    QProcess process;
    process.start(tool("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage pageImage(const QString &pdf, int page, const QString &folder)
{
    const QString prefix = QDir(folder).filePath(QStringLiteral("page%1").arg(page));
    QProcess::execute(tool("pdftoppm"), {QStringLiteral("-r"), QString::number(ImageResolution),
                                         QStringLiteral("-f"), QString::number(page),
                                         QStringLiteral("-l"), QString::number(page),
                                         QStringLiteral("-png"), QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

// The colour the middle of a 5 x 5 patch mostly has (the grid's thin lines aside).
QColor patchColor(const QImage &image, const QPoint &at)
{
    QVector<int> r, g, b;
    for (int dy = -2; dy <= 2; ++dy) {
        for (int dx = -2; dx <= 2; ++dx) {
            const QColor c = image.pixelColor(at + QPoint(dx, dy));
            r << c.red();
            g << c.green();
            b << c.blue();
        }
    }
    for (QVector<int> *channel : {&r, &g, &b})
        std::sort(channel->begin(), channel->end());
    return QColor(r.at(12), g.at(12), b.at(12));
}

// Which of the drawn fields cover scene point p.
QVector<bool> coverage(const AreaDrawing &drawing, const QPointF &p)
{
    QVector<bool> covered;
    for (const FieldDrawing &field : drawing)
        covered << (field.visible && field.path.contains(p / field.scaleFactor));
    return covered;
}

}  // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pagesShowEveryShapeInItsColours();
    void textsInTheChosenLanguage_data();
    void textsInTheChosenLanguage();
    void settingsAsTheDockShowsThem_data();
    void settingsAsTheDockShowsThem();
    void windowExportsReport();
    void nothingHalfWrittenIsLeft_data();
    void nothingHalfWrittenIsLeft();

private:
    LanguageSwitch m_languages;
    QTemporaryDir m_folder;
};

void TestReport::initTestCase()
{
    QVERIFY2(!tool("pdftoppm").isEmpty() && !tool("pdftotext").isEmpty(),
             "pdftoppm and pdftotext are needed: install poppler-utils");
    QVERIFY(m_folder.isValid());
    m_languages.setLanguage(QString::fromLatin1(LanguageSwitch::English));
}

// Each area with fields gets its page; on it, at points well inside one field's shape
// (and outside those drawn over it) the page shows that field's colour over white,
// over the colours of the fields under it; outside every shape it is white.
void TestReport::pagesShowEveryShapeInItsColours()
{
    const ReportDocument doc = document();
    const QString pdf = m_folder.filePath(QStringLiteral("shapes.pdf"));
    const ReportResult result = ConfigurationReport::write(doc, pdf);
    QVERIFY2(result.written(), qPrintable(result.error));
    QCOMPARE(result.pages, 2 + 1 + 1 + 1 + 2);
    QCOMPARE(pdfText(pdf).count(QLatin1Char('\f')), result.pages);

    const QRectF box = AreaPages::plotBox();
    const QRectF deviceBox = ReportCanvas::device(box.x(), box.y(), box.width(), box.height());
    const double pixelsPerUnit = ImageResolution / 25.4 / ReportCanvas::UnitsPerMm;
    const int range = DeviceModels[Model].rangeSquare;
    const struct { int area; int page; } pages[] = {{0, 3}, {5, 4}, {9, 5}};
    for (const auto &entry : pages) {
        const AreaRecord &area = doc.configuration.areas.at(entry.area);
        const QImage image = pageImage(pdf, entry.page, m_folder.path());
        QVERIFY(!image.isNull());
        QVERIFY(qAbs(image.width() - ReportCanvas::PageWidth / 25.4 * ImageResolution) <= 1.0);
        const AreaPlot plot(area, Model, deviceBox, ReportCanvas::UnitsPerMm);
        const AreaDrawing drawing = BuildAreaDrawing(area, range, range);
        // Look for a sample of each field (and of none) on a grid over the plot.
        QVector<bool> found(FieldCount + 1, false);
        const double margin = 2.0 * plot.scaleDenominator();  // 2 mm of paper, in mm
        const QRectF scene = plot.sceneToDevice().inverted().mapRect(deviceBox);
        for (double y = scene.top() + margin; y < scene.bottom() - margin; y += margin) {
            for (double x = scene.left() + margin; x < scene.right() - margin; x += margin) {
                const QPointF p(x, y);
                // In front of the scanner, clear of its shading and of the labels.
                if (-y < margin || std::hypot(x, y) < 2 * margin)
                    continue;
                const QVector<bool> here = coverage(drawing, p);
                bool steady = true;
                for (const QPointF &d : {QPointF(margin, 0), QPointF(-margin, 0), QPointF(0, margin), QPointF(0, -margin)})
                    steady = steady && coverage(drawing, p + d) == here;
                if (!steady)
                    continue;
                const int top = int(here.lastIndexOf(true));
                if (found[top + 1])
                    continue;
                found[top + 1] = true;
                QColor expected(Qt::white);
                for (int field = 0; field < FieldCount; ++field) {
                    if (here[field])
                        expected = pixels::over(FieldColor(field, EditedFieldAlpha), expected);
                }
                const QPoint pixel = (plot.sceneToDevice().map(p) * pixelsPerUnit).toPoint();
                const QColor seen = patchColor(image, pixel);
                QVERIFY2(pixels::near(seen, expected, 10),
                         qPrintable(QStringLiteral("area %1, field %2 at (%3, %4): %5, expected %6")
                                        .arg(entry.area).arg(top + 1).arg(x).arg(-y)
                                        .arg(pixels::describe(seen), pixels::describe(expected))));
            }
        }
        for (int field = 0; field < FieldCount; ++field)
            QVERIFY2(found[field + 1], qPrintable(QStringLiteral("area %1 Out%2 not sampled").arg(entry.area).arg(field + 1)));
        QVERIFY(found[0]);
    }
}

void TestReport::textsInTheChosenLanguage_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("expected");
    const QString checksum = checksumText(*configurationChecksum(document().configuration));
    QTest::newRow("English") << QString::fromLatin1(LanguageSwitch::English)
                             << QStringList{"Laser Scanner Configuration Report", "20XX", "plant.KT20",
                                            "2024-05-17 14:30:05", checksum, "Engineer's signature",
                                            "Control Mode", "IO Interface", "value 9", "10.0.0.42",
                                            "Area 5", "Area 63 (continued)", "On Delay", "Arc", "Ratio",
                                            "Page 7 of 7"};
    QTest::newRow("Chinese") << QString::fromLatin1(LanguageSwitch::SourceLanguage)
                             << QStringList{"激光扫描仪配置报告", checksum, "工程师签名", "传感器控制方式",
                                            "IO接口控制", "值 9", "区域 5", "区域 63（续）", "圆弧", "比例"};
}

void TestReport::textsInTheChosenLanguage()
{
    QFETCH(QString, language);
    QFETCH(QStringList, expected);
    QVERIFY(m_languages.setLanguage(language));
    const QString pdf = m_folder.filePath(language + QStringLiteral(".pdf"));
    QVERIFY(ConfigurationReport::write(document(), pdf).written());
    m_languages.setLanguage(QString::fromLatin1(LanguageSwitch::English));
    // Layout may spread a text over blanks; compare without them. Ligatures (ﬁ) and the
    // Kangxi radicals a CJK font shares glyphs with come back as plain letters. (Texts
    // with a character the writer maps to the radicals supplement, such as 页, cannot
    // be found this way.)
    QString text = pdfText(pdf).normalized(QString::NormalizationForm_KC);
    text.remove(QRegularExpression(QStringLiteral("[ \\t]+")));
    for (QString sought : expected) {
        sought = sought.normalized(QString::NormalizationForm_KC).remove(QLatin1Char(' '));
        QVERIFY2(text.contains(sought), qPrintable(sought));
    }
    const bool chinese = text.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]")));
    QCOMPARE(chinese, language == QLatin1String(LanguageSwitch::SourceLanguage));
}

void TestReport::settingsAsTheDockShowsThem_data()
{
    QTest::addColumn<QString>("language");
    QTest::newRow("English") << QString::fromLatin1(LanguageSwitch::English);
    QTest::newRow("Chinese") << QString::fromLatin1(LanguageSwitch::SourceLanguage);
}

// The report's settings table reads as the sensor dock: each field's caption and the
// text its list or number field shows, a value beyond a list included.
void TestReport::settingsAsTheDockShowsThem()
{
    QFETCH(QString, language);
    const char *const fields[BoundSettingCount] = {
        "Para_ControlMode", "Para_RS232BaudRate", "Para_RS232CommVerify", "Para_RS232StopBit",
        "Para_RS485IDAddress", "Para_RS485BaudRate", "Para_RS485CommVerify", "Para_RS485StopBit",
        "Para_CANIDAddress", "Para_CANBaudRate", "Para_SensorOutputLogic", "Para_ScanfMotorSpeed",
        "Para_ScanfMotorSyncMode", "Para_ScanfMotorSyncAngle", "Para_SensorInstallDir",
        "Para_SensorZeroValue", "SensorEtherMode", "SensorScanFerq", "SensorScanAngle", "ScanFilterLevel",
        "Para_SensorIPAddress1", "Para_SensorIPAddress2", "Para_SensorIPAddress3", "Para_SensorIPAddress4"};
    testing::WindowUnderTest w;
    SensorParameters block = document().configuration.parameters;
    block[6] = 2;
    block[13] = 3;
    block[FilterLevelWord] = 2;
    w.project().setParameters(block);
    QVERIFY(m_languages.setLanguage(language));
    QCoreApplication::sendPostedEvents();
    const SensorSettingDock *dock = w.sensorSettingDock();
    for (int field = 0; field < BoundSettingCount; ++field) {
        const QString name = QString::fromLatin1(fields[field]);
        QString labelName = QStringLiteral("label_") + QString(name).remove(QStringLiteral("Para_"));
        if (field >= 20)
            labelName.chop(1);  // the four address fields share one caption
        const QLabel *label = dock->findChild<QLabel *>(labelName);
        QVERIFY2(label, qPrintable(labelName));
        QCOMPARE(sensorSettingCaption(field), label->text().remove(QRegularExpression(QStringLiteral("[:：]$"))));
        if (const auto *combo = dock->findChild<QComboBox *>(name)) {
            QStringList items;
            for (int i = 0; i < SensorSettingFields[size_t(field)].listLength; ++i)
                items << combo->itemText(i);
            QCOMPARE(sensorSettingItems(field), items);
            QCOMPARE(sensorSettingValueText(block, field), combo->currentText());
        } else {
            QCOMPARE(sensorSettingValueText(block, field), dock->findChild<QSpinBox *>(name)->text());
        }
    }
    m_languages.setLanguage(QString::fromLatin1(LanguageSwitch::English));
}

// File > Export Report proposes the project's name as a PDF, adds the extension to a
// name without it, and writes the project's report there.
void TestReport::windowExportsReport()
{
    testing::WindowUnderTest w;
    w.LanguageToEnglish();
    w.project().setModelIndex(Model);
    w.project().applyConfiguration(document().configuration);
    w.project().setFileName(m_folder.filePath(QStringLiteral("plant.KT20")));
    QCOMPARE(w.action("ExportReport")->text(), QStringLiteral("Export Report"));
    w.files << m_folder.filePath(QStringLiteral("from window"));
    w.trigger("ExportReport");
    QCOMPARE(w.asked.size(), 1);
    QCOMPARE(w.asked.first().directory, m_folder.filePath(QStringLiteral("plant.pdf")));
    QVERIFY(w.asked.first().filter.contains(QLatin1String("*.pdf")));
    QVERIFY(w.shown.isEmpty());
    const QString text = pdfText(m_folder.filePath(QStringLiteral("from window.pdf")));
    QCOMPARE(text.count(QLatin1Char('\f')), 7);
    QVERIFY(text.contains(QLatin1String("plant.KT20")));
}

void TestReport::nothingHalfWrittenIsLeft_data()
{
    QTest::addColumn<bool>("window");
    QTest::newRow("folder missing, in the window") << true;
    QTest::newRow("cancelled half way") << false;
}

// A report that cannot be written is told once, naming the file and the reason; one
// cancelled half way leaves the file that was there as it was, and nothing beside it.
void TestReport::nothingHalfWrittenIsLeft()
{
    QFETCH(bool, window);
    QTemporaryDir folder;
    const QString existing = folder.filePath(QStringLiteral("old.pdf"));
    QFile old(existing);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("the report signed last week");
    old.close();

    if (window) {
        testing::WindowUnderTest w;
        w.LanguageToEnglish();
        w.project().applyConfiguration(document().configuration);
        const QString missing = folder.filePath(QStringLiteral("no such folder/report.pdf"));
        w.files << missing;
        w.trigger("ExportReport");
        QCOMPARE(w.shown.size(), 1);
        QVERIFY2(w.shown.first().text.contains(QDir::toNativeSeparators(missing)), qPrintable(w.shown.first().text));
        QVERIFY(w.shown.first().text.contains(QLatin1String("Cannot write the report")));
        QVERIFY(!QFileInfo::exists(missing));
    } else {
        int calls = 0;
        const ReportResult result = ConfigurationReport::write(document(), existing, [&calls](int done, int total) {
            ++calls;
            return done < total / 2;
        });
        QCOMPARE(result.outcome, ReportOutcome::Cancelled);
        QCOMPARE(calls, AreaCount / 2);
    }
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("the report signed last week"));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.pdf")});
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
