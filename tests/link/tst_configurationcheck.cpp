#include "core/app/language.h"
#include "core/link/configurationchecksum.h"
#include "core/link/configurationdiff.h"
#include "core/link/configurationdifferencetext.h"
#include "core/link/configurationtravel.h"
#include "core/link/crc32.h"

#include <QtTest>

#include <functional>

using namespace veltrix;

using Edit = std::function<void(ScannerConfiguration &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

// A plant's configuration: a polygon protective field with an arc and a straight cut
// behind it in area 0, a rectangle with a fan in area 5, a full 100-vertex outline in
// area 12, case words on area 7, and the scanner's network address.
ScannerConfiguration plant()
{
    ScannerConfiguration c;
    c.parameters[ScanFrequencyWord] = 1;
    c.parameters[IpAddressHighWord] = (192 << 8) | 168;
    c.parameters[IpAddressLowWord] = (1 << 8) | 20;
    AreaRecord &a0 = c.areas[0];
    a0.hysteresis = 2;
    a0.out1Points = {QPoint(-1500, -200), QPoint(-1500, 1800), QPoint(0, 2600),
                     QPoint(1500, 1800), QPoint(1500, -200)};
    a0.out2Shape = Arc;
    a0.out2Points = {QPoint(2500, -800), QPoint(-2500, -700)};
    a0.out3Shape = Straight;
    a0.out3Points = {QPoint(0, 900)};
    AreaRecord &a5 = c.areas[5];
    a5.out1Shape = Rectangle;
    a5.out1Points = {QPoint(-800, 0), QPoint(-800, 3000), QPoint(800, 3000), QPoint(800, 0)};
    a5.out2Shape = Fan;
    a5.out2Points = {QPoint(0, 2000)};
    for (int i = 0; i < 100; ++i) {
        const double bearing = qDegreesToRadians(-40.0 + 2.6 * i);
        c.areas[12].out1Points.append(QPoint(int(4000 * std::cos(bearing)), int(3000 * std::sin(bearing) + 500)));
    }
    c.areas[7].steerMinDgree = -30;
    c.areas[7].steerMaxDgree = 30;
    c.areas[7].vehicleMaxSpeed = 120;
    return c;
}

QVector<quint32> areaChecksums(const ScannerConfiguration &c)
{
    QVector<quint32> sums;
    for (int area = 0; area < AreaCount; ++area)
        sums.append(areaChecksum(c, area).value_or(0));
    return sums;
}

}  // namespace

class TestConfigurationCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_languages.setLanguage(QString::fromLatin1(LanguageSwitch::English)); }
    void crc32CheckValue();
    void sameTravelSameChecksum_data();
    void sameTravelSameChecksum();
    void changeFound_data();
    void changeFound();
    void configurationThatCannotTravel();

private:
    LanguageSwitch m_languages;
};

void TestConfigurationCheck::crc32CheckValue()
{
    QCOMPARE(crc32("123456789"), 0xCBF43926u);
    QCOMPARE(checksumText(0xCBF43926u), QStringLiteral("CBF43926"));
    QCOMPARE(checksumText(0x00000A0Bu), QStringLiteral("00000A0B"));
    quint32 state = crc32Update(Crc32Start, "1234", 4);
    QCOMPARE(crc32Finish(crc32Update(state, "56789", 5)), 0xCBF43926u);
}

// Configurations that reach a scanner as the same bytes: equal checksums, whole and
// per area, and no difference.
void TestConfigurationCheck::sameTravelSameChecksum_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::newRow("polygon vertices in another order") << Edit([](ScannerConfiguration &c) {
        std::reverse(c.areas[0].out1Points.begin(), c.areas[0].out1Points.end());
        std::swap(c.areas[12].out1Points[3], c.areas[12].out1Points[70]);
    });
    QTest::newRow("a number beyond the 16 bits that travel") << Edit([](ScannerConfiguration &c) {
        c.areas[7].vehicleMaxSpeed += 65536;
        c.parameters[ScanFrequencyWord] += 0x10000;
    });
    QTest::newRow("straight field's x, which does not travel") << Edit([](ScannerConfiguration &c) {
        c.areas[0].out3Points = {QPoint(250, 900)};
    });
    QTest::newRow("read back from a scanner") << Edit([](ScannerConfiguration &c) {
        c = afterTravel(c).configuration;
    });
    QTest::newRow("read back, mounted upside down") << Edit([](ScannerConfiguration &c) {
        c.parameters[InstallDirectionWord] = 1;
        c = afterTravel(c).configuration;
    });
}

void TestConfigurationCheck::sameTravelSameChecksum()
{
    QFETCH(Edit, edit);
    ScannerConfiguration document = plant();
    ScannerConfiguration scanner = plant();
    edit(scanner);
    // The upside-down row changes the mounting of both: only the trip is compared.
    document.parameters[InstallDirectionWord] = scanner.parameters[InstallDirectionWord];
    QVERIFY(scanner != document);
    QVERIFY(configurationChecksum(document).has_value());
    QCOMPARE(configurationChecksum(scanner), configurationChecksum(document));
    QCOMPARE(areaChecksums(scanner), areaChecksums(document));
    const QVector<ConfigurationDifference> differences = compareConfigurations(document, scanner);
    for (const ConfigurationDifference &d : differences)
        qWarning() << ConfigurationDifferenceText::line(d);
    QVERIFY(differences.isEmpty());
}

// A verification after a scanner's copy was changed: exactly that difference, in the
// current language (English here), and a different checksum for the whole and for
// the changed area only.
void TestConfigurationCheck::changeFound_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<int>("changedArea");  // -1: the parameters
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("hysteresis") << Edit([](ScannerConfiguration &c) { c.areas[0].hysteresis = 5; })
        << 0 << QStringList{"Area 0 Hysteresis: document 2%, scanner 5%"};
    QTest::newRow("vertex moved") << Edit([](ScannerConfiguration &c) {
        QVector<QPoint> &points = c.areas[0].out1Points;
        points[points.indexOf(QPoint(1500, 1800))] = QPoint(1500, 1700);
    }) << 0 << QStringList{"Area 0 Out1 point 2: document (1500, 1800), scanner (1500, 1700)"};
    QTest::newRow("vertex added") << Edit([](ScannerConfiguration &c) {
        c.areas[0].out1Points.append(QPoint(800, 2400));
    }) << 0 << QStringList{"Area 0 Out1 point 3: document none, scanner (800, 2400)"};
    QTest::newRow("vertex removed from a full field") << Edit([](ScannerConfiguration &c) {
        c.areas[12].out1Points.removeAt(50);
    }) << 12 << QStringList{"Area 12 Out1 point 51: document (0, 3500), scanner none"};
    QTest::newRow("arc made a polygon") << Edit([](ScannerConfiguration &c) {
        c.areas[0].out2Shape = Polygon;
    }) << 0 << QStringList{"Area 0 Out2 shape: document Arc, scanner Polygon"};
    QTest::newRow("arc radius") << Edit([](ScannerConfiguration &c) {
        c.areas[0].out2Points = {QPoint(3000, -960), QPoint(-2500, -700)};
    }) << 0 << QStringList{"Area 0 Out2 arc start: document (2509, -767), scanner (3011, -920)",
                           "Area 0 Out2 arc end: document (-2534, -679), scanner (-3041, -815)"};
    QTest::newRow("fan distance") << Edit([](ScannerConfiguration &c) { c.areas[5].out2Points = {QPoint(0, 2100)}; })
        << 5 << QStringList{"Area 5 Out2 distance: document 2000 mm, scanner 2100 mm"};
    QTest::newRow("scan frequency") << Edit([](ScannerConfiguration &c) { c.parameters[ScanFrequencyWord] = 2; })
        << -1 << QStringList{"Parameter Sensor Scan frequency: document 1, scanner 2"};
    QTest::newRow("IP address") << Edit([](ScannerConfiguration &c) { c.parameters[IpAddressLowWord] = (1 << 8) | 21; })
        << -1 << QStringList{"Parameter IP Address (last two octets): document 1.20, scanner 1.21"};
    QTest::newRow("case words") << Edit([](ScannerConfiguration &c) {
        c.areas[7].steerMaxDgree = 45;
        c.areas[7].vehicleOptionMode = 3;
    }) << 7 << QStringList{"Area 7 Max Steering Angle: document 30, scanner 45",
                           "Area 7 Operation: document Type 0, scanner Type 3"};
    QTest::newRow("delay") << Edit([](ScannerConfiguration &c) { c.areas[63].closeDelay = 4; })
        << 63 << QStringList{"Area 63 Off Delay: document 0 ms, scanner 80 ms"};
}

void TestConfigurationCheck::changeFound()
{
    QFETCH(Edit, edit);
    QFETCH(int, changedArea);
    QFETCH(QStringList, lines);
    const ScannerConfiguration document = plant();
    ScannerConfiguration scanner = afterTravel(document).configuration;
    edit(scanner);

    QStringList found;
    for (const ConfigurationDifference &d : compareConfigurations(document, scanner)) {
        found << ConfigurationDifferenceText::line(d);
        QCOMPARE(d.area, changedArea);
    }
    QCOMPARE(found, lines);
    QVERIFY(configurationChecksum(scanner).has_value());
    QVERIFY(configurationChecksum(scanner) != configurationChecksum(document));
    const QVector<quint32> before = areaChecksums(document);
    const QVector<quint32> after = areaChecksums(scanner);
    for (int area = 0; area < AreaCount; ++area)
        QCOMPARE(after[area] != before[area], area == changedArea);
}

void TestConfigurationCheck::configurationThatCannotTravel()
{
    ScannerConfiguration document = plant();
    document.areas[12].out1Points.append(QPoint(100, 4000));  // 101 vertices
    document.areas[20].out2Shape = Arc;
    document.areas[20].out2Points = {QPoint(70000, 0), QPoint(0, 1000)};
    QVERIFY(!configurationChecksum(document).has_value());
    const std::optional<FieldLocation> stuck = fieldThatCannotTravel(document);
    QVERIFY(stuck.has_value());
    QCOMPARE(stuck->area, 12);
    QCOMPARE(stuck->field, 0);
    QVERIFY(!areaChecksum(document, 12).has_value());
    QVERIFY(!areaChecksum(document, 20).has_value());
    QVERIFY(areaChecksum(document, 0).has_value());

    QStringList found;
    for (const ConfigurationDifference &d : compareConfigurations(document, plant()))
        found << ConfigurationDifferenceText::line(d);
    QCOMPARE(found, (QStringList{
        "Area 12 Out1 transfer: document 101 points (at most 100), scanner fits",
        "Area 20 Out2 transfer: document a point beyond the wire's range, scanner fits"}));
}

QTEST_GUILESS_MAIN(TestConfigurationCheck)
#include "tst_configurationcheck.moc"
