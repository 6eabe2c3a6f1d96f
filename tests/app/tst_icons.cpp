// Icons of the program's PNG pictures are read when first drawn; drawn, they are the
// very pictures an icon read at once would give, at every size and pixel ratio, in
// every mode, and an icon of a file that is not there stays null.
#include "gui/resources/resources.h"

#include <QApplication>
#include <QDataStream>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QTest>

class TestIcons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { veltrix::initResources(); }
    void drawnAsReadAtOnce_data();
    void drawnAsReadAtOnce();
    void missingFileGivesNullIcon();
};

void TestIcons::drawnAsReadAtOnce_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("side");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("mode");
    QTest::newRow("tool bar") << ":/images/openFile.png" << 24 << qreal(1) << int(QIcon::Normal);
    QTest::newRow("dock tool bar, sharp screen") << ":/images/copy.png" << 20 << qreal(2) << int(QIcon::Normal);
    QTest::newRow("greyed") << ":/images/Save.png" << 24 << qreal(1) << int(QIcon::Disabled);
    QTest::newRow("larger than the picture") << ":/images/openFile.png" << 96 << qreal(1) << int(QIcon::Normal);
    QTest::newRow("named without suffix") << ":/images/newFile" << 24 << qreal(1) << int(QIcon::Normal);
}

void TestIcons::drawnAsReadAtOnce()
{
    QFETCH(QString, file);
    QFETCH(int, side);
    QFETCH(qreal, ratio);
    QFETCH(int, mode);
    QVERIFY2(QFile::exists(file), qPrintable(file));

    const QIcon icon(file);
    // The icon's engine names itself first when the icon is written to a stream.
    QByteArray written;
    QDataStream out(&written, QIODevice::WriteOnly);
    out << icon;
    QDataStream in(written);
    QString engine;
    in >> engine;
    QCOMPARE(engine, QStringLiteral("veltrix-lazy-png"));

    QIcon readAtOnce;
    readAtOnce.addPixmap(QPixmap(file));
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes(), readAtOnce.availableSizes());
    const QSize size(side, side);
    const auto iconMode = static_cast<QIcon::Mode>(mode);
    QCOMPARE(icon.actualSize(size, iconMode), readAtOnce.actualSize(size, iconMode));
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    const QImage drawn = icon.pixmap(size, ratio, iconMode).toImage();
    const QImage expected = readAtOnce.pixmap(size, ratio, iconMode).toImage();
#else
    Q_UNUSED(ratio)
    const QImage drawn = icon.pixmap(size, iconMode).toImage();
    const QImage expected = readAtOnce.pixmap(size, iconMode).toImage();
#endif
    QVERIFY(!drawn.isNull());
    QCOMPARE(drawn, expected);
}

void TestIcons::missingFileGivesNullIcon()
{
    QVERIFY(QIcon(QStringLiteral(":/images/no-such-picture.png")).isNull());
    QVERIFY(QIcon(QStringLiteral(":/images/no-such-picture.png")).pixmap(24, 24).isNull());
}

QTEST_MAIN(TestIcons)
#include "tst_icons.moc"
