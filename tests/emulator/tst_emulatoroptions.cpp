#include "emulatoroptions.h"

#include <QCommandLineParser>
#include <QtTest>

using namespace veltrix;

namespace {

ParseOutcome parse(const QStringList &arguments, EmulatorOptions &options, QString &error)
{
    QCommandLineParser parser;
    addEmulatorOptions(parser);
    return parseEmulatorOptions(parser, QStringList{QStringLiteral("veltrix-emulator")} + arguments,
                                options, error);
}

}  // namespace

class TestEmulatorOptions : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void everyOptionIsRead();
    void badValuesAreRefused_data();
    void badValuesAreRefused();
};

void TestEmulatorOptions::defaults()
{
    EmulatorOptions options;
    QString error;
    QCOMPARE(parse({}, options, error), ParseOutcome::Run);
    QCOMPARE(options.address, QHostAddress(QHostAddress::LocalHost));
    QVERIFY(!options.answerDiscovery);
    QCOMPARE(options.scanner.model, 0);
    QCOMPARE(options.scanner.rangeLimit(), 6000);
    QCOMPARE(options.scanner.scanRate, 15.0);
    QCOMPARE(options.scanner.product.productCode, quint16(10));
    QCOMPARE(options.scanner.ethernetMode, 0);
    QVERIFY(!options.scanner.inverted);
    QVERIFY(options.replayFile.isEmpty() && !options.modelGiven && !options.scanRateGiven);
    QVERIFY(!options.faults.shapesReplies());
    QCOMPARE(options.faults.closeAfterFrames, 0);
    QCOMPARE(options.scanner.areaStatusArea, -1);
    QCOMPARE(parse({QStringLiteral("--help")}, options, error), ParseOutcome::Help);
}

void TestEmulatorOptions::everyOptionIsRead()
{
    EmulatorOptions options;
    QString error;
    const QStringList arguments = QStringLiteral(
        "--address 10.77.0.2 --pty-link /tmp/scanner --model 30 --ethernet-mode UDP --inverted "
        "--scan-rate 25 --replay /tmp/site.rec --object-speed 0 --inputs 17 --product-code 9 --firmware 2.5 "
        "--serial-number 4321 --production-date 2023-11-30 --long-product-reply --seed 99 "
        "--drop 0.1 --corrupt 0.05 --split 7 --noise 0.2 --delay 5-40 --area-status 10:2 "
        "--para-status 1 --case-status 2 --close-after 12 --fault-bit 0 --fault-bit 5 --verbose")
                                       .split(QLatin1Char(' '));
    QCOMPARE(parse(arguments, options, error), ParseOutcome::Run);
    QCOMPARE(error, QString());
    QCOMPARE(options.address, QHostAddress(QStringLiteral("10.77.0.2")));
    QVERIFY(options.answerDiscovery);
    QCOMPARE(options.ptyLink, QStringLiteral("/tmp/scanner"));
    QCOMPARE(options.scanner.model, 3);
    QCOMPARE(options.scanner.rangeLimit(), 36000);
    QCOMPARE(options.scanner.ethernetMode, 1);
    QVERIFY(options.scanner.inverted);
    QCOMPARE(options.scanner.scanRate, 25.0);
    QCOMPARE(options.scanner.objectSpeed, 0.0);
    QCOMPARE(int(options.scanner.inputs), 17);
    QCOMPARE(options.scanner.product.productCode, quint16(9));
    QCOMPARE(options.scanner.product.firmware, quint16(250));
    QCOMPARE(options.scanner.product.serialNumber, quint16(4321));
    QCOMPARE(options.scanner.product.year, quint16(2023));
    QCOMPARE(options.scanner.product.month, quint16(11));
    QCOMPARE(options.scanner.product.day, quint16(30));
    QVERIFY(options.scanner.longProductReply);
    QCOMPARE(options.seed, quint64(99));
    QCOMPARE(options.replayFile, QStringLiteral("/tmp/site.rec"));
    QVERIFY(options.modelGiven && options.scanRateGiven);
    QCOMPARE(options.faults.dropFraction, 0.1);
    QCOMPARE(options.faults.corruptFraction, 0.05);
    QCOMPARE(options.faults.splitMaxBytes, 7);
    QCOMPARE(options.faults.noiseFraction, 0.2);
    QCOMPARE(options.faults.delayMinMs, 5);
    QCOMPARE(options.faults.delayMaxMs, 40);
    QCOMPARE(options.scanner.areaStatusArea, 10);
    QCOMPARE(options.scanner.areaStatusValue, 2);
    QCOMPARE(options.scanner.parameterStatus, 1);
    QCOMPARE(options.scanner.caseStatus, 2);
    QCOMPARE(options.faults.closeAfterFrames, 12);
    QCOMPARE(int(options.scanner.faultBits), 0x21);
    QVERIFY(options.verbose);
}

void TestEmulatorOptions::badValuesAreRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("mentions");

    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("address") << QStringList{"--address", "scanner"} << "--address";
    QTest::newRow("every address") << QStringList{"--address", "0.0.0.0"} << "--address";
    QTest::newRow("broadcast address") << QStringList{"--address", "255.255.255.255"} << "--address";
    QTest::newRow("IPv6") << QStringList{"--address", "::"} << "--address";
    // Not a number passes every comparison with a range and overflows what it is
    // turned into; infinity overflows too.
    QTest::newRow("firmware nan") << QStringList{"--firmware", "nan"} << "--firmware";
    QTest::newRow("firmware inf") << QStringList{"--firmware", "inf"} << "--firmware";
    QTest::newRow("scan rate nan") << QStringList{"--scan-rate", "nan"} << "--scan-rate";
    QTest::newRow("object speed nan") << QStringList{"--object-speed", "nan"} << "--object-speed";
    QTest::newRow("object speed -inf") << QStringList{"--object-speed", "-inf"} << "--object-speed";
    QTest::newRow("drop nan") << QStringList{"--drop", "nan"} << "--drop";
    QTest::newRow("corrupt NaN") << QStringList{"--corrupt", "NaN"} << "--corrupt";
    QTest::newRow("noise nan") << QStringList{"--noise", "nan"} << "--noise";
    QTest::newRow("noise inf") << QStringList{"--noise", "inf"} << "--noise";
    QTest::newRow("model") << QStringList{"--model", "40"} << "--model";
    QTest::newRow("ethernet mode") << QStringList{"--ethernet-mode", "serial"} << "--ethernet-mode";
    QTest::newRow("drop above 1") << QStringList{"--drop", "1.5"} << "--drop";
    QTest::newRow("corrupt not a number") << QStringList{"--corrupt", "some"} << "--corrupt";
    QTest::newRow("split 0") << QStringList{"--split", "0"} << "--split";
    QTest::newRow("delay reversed") << QStringList{"--delay", "40-5"} << "--delay";
    QTest::newRow("area status without area") << QStringList{"--area-status", "2"} << "--area-status";
    QTest::newRow("area status area 64") << QStringList{"--area-status", "64:1"} << "--area-status";
    QTest::newRow("area status 0") << QStringList{"--area-status", "3:0"} << "--area-status";
    QTest::newRow("fault bit 16") << QStringList{"--fault-bit", "16"} << "--fault-bit";
    QTest::newRow("inputs 256") << QStringList{"--inputs", "256"} << "--inputs";
    QTest::newRow("date") << QStringList{"--production-date", "30.11.2023"} << "--production-date";
    QTest::newRow("scan rate 0") << QStringList{"--scan-rate", "0"} << "--scan-rate";
    QTest::newRow("stray argument") << QStringList{"project.KT05"} << "project.KT05";
}

void TestEmulatorOptions::badValuesAreRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, mentions);
    EmulatorOptions options;
    QString error;
    QCOMPARE(parse(arguments, options, error), ParseOutcome::Error);
    QVERIFY2(error.contains(mentions), qPrintable(error));
}

QTEST_GUILESS_MAIN(TestEmulatorOptions)
#include "tst_emulatoroptions.moc"
