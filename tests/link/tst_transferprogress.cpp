#include "core/app/language.h"
#include "core/app/usermessage.h"
#include "core/areas/areamodel.h"
#include "core/link/framebuilders.h"
#include "core/link/sensorlinkdata.h"
#include "core/link/sensorparameters.h"
#include "core/link/serialcomm.h"
#include "gui/link/transferprogress.h"

#include "fakedevice.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

using namespace veltrix;

class TestTransferProgress : public QObject
{
    Q_OBJECT

    veltrix::LanguageSwitch languages;

private slots:
    // The link's messages are compared in English.
    void initTestCase() { languages.setLanguage(QString::fromLatin1(veltrix::LanguageSwitch::English)); }
    void dialogSetup();
    void showSetAndClose();
    void reachingMaximumCloses();
    void valueWhileHiddenKeepsItHidden();
    void noticeIsNonModalAndReplaced();
    void followsAReadAll();
    void cancelStopsTheTransfer();
};

void TestTransferProgress::dialogSetup()
{
    TransferProgress progress;
    QProgressDialog *dialog = progress.dialog();
    QCOMPARE(dialog->minimum(), 0);
    QCOMPARE(dialog->maximum(), 64);
    QCOMPARE(dialog->windowModality(), Qt::ApplicationModal);
    QVERIFY(!dialog->isVisible());
    QVERIFY(dialog->findChild<QLabel *>());
    // No timer is left running that would pop the dialog up after its minimum duration.
    for (const QTimer *timer : dialog->findChildren<QTimer *>())
        QVERIFY(!timer->isActive());
}

void TestTransferProgress::showSetAndClose()
{
    TransferProgress progress;
    progress.showProgress(QStringLiteral("Upload Data"), 3);
    QVERIFY(progress.dialog()->isVisible());
    QCOMPARE(progress.dialog()->windowTitle(), QStringLiteral("Upload Data"));
    QCOMPARE(progress.dialog()->value(), 3);
    progress.setProgress(10);
    QCOMPARE(progress.dialog()->value(), 10);
    progress.closeProgress();
    QVERIFY(!progress.dialog()->isVisible());
}

void TestTransferProgress::reachingMaximumCloses()
{
    TransferProgress progress;
    progress.showProgress(QStringLiteral("Download Data"), 63);
    progress.setProgress(64);
    QVERIFY(!progress.dialog()->isVisible());
}

void TestTransferProgress::valueWhileHiddenKeepsItHidden()
{
    TransferProgress progress;
    for (int value : {0, 5, 30})
        progress.setProgress(value);
    QVERIFY(!progress.dialog()->isVisible());
    for (const QTimer *timer : progress.dialog()->findChildren<QTimer *>())
        QVERIFY(!timer->isActive());
}

void TestTransferProgress::noticeIsNonModalAndReplaced()
{
    TransferProgress progress;
    progress.showNotice(QStringLiteral("Parameters"), QStringLiteral("Parameters Read OK!"));
    QPointer<QMessageBox> first = progress.notice();
    QVERIFY(first);
    QVERIFY(first->isVisible());
    QVERIFY(!first->isModal());
    QVERIFY(!first->parentWidget());
    QCOMPARE(first->windowTitle(), QStringLiteral("Parameters"));
    QCOMPARE(first->text(), QStringLiteral("Parameters Read OK!"));
    progress.showNotice(QStringLiteral("Parameters"), QStringLiteral("again"));
    QTRY_VERIFY(!first);  // closed and deleted
    QCOMPARE(progress.notice()->text(), QStringLiteral("again"));
}

void TestTransferProgress::followsAReadAll()
{
    AreaModel model;
    SensorLinkData data;
    SensorParameters parameters;
    FakeDevice serial;
    SERIAL_COMM link(&serial, &data, &model, &parameters, nullptr, nullptr);
    TransferProgress progress;
    progress.attach(&link);
    link.ReadSensorAllDataSlots();
    link.SerialPortSendData();
    serial.feed(buildRParaReply(parameters));
    link.SerialPortSendData();
    serial.feed(buildRCaseReply(model.areas()));
    QVERIFY(!progress.dialog()->isVisible());
    for (int i = 0; i < 64; ++i) {
        link.SerialPortSendData();
        QVERIFY(progress.dialog()->isVisible());
        QCOMPARE(progress.dialog()->windowTitle(), QStringLiteral("Upload Data"));
        serial.feed(buildRAreaReply(AreaRecord(), i, false));
        if (i < 63)
            QCOMPARE(progress.dialog()->value(), i + 1);
    }
    QVERIFY(!progress.dialog()->isVisible());
    QVERIFY(progress.notice());
    QCOMPARE(progress.notice()->text(), QStringLiteral("Parameters Read OK!"));
}

void TestTransferProgress::cancelStopsTheTransfer()
{
    AreaModel model;
    SensorLinkData data;
    SensorParameters parameters;
    FakeDevice serial;
    SERIAL_COMM link(&serial, &data, &model, &parameters, nullptr, nullptr);
    TransferProgress progress;
    progress.attach(&link);
    link.WriteSensorAllDataSlots();
    link.SerialPortSendData();
    QVERIFY(progress.dialog()->isVisible());
    auto *cancel = progress.dialog()->findChild<QPushButton *>();
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!progress.dialog()->isVisible());
    QVERIFY(!link.flag(SERIAL_COMM::WriteAreasFlag));
    QVERIFY(!link.flag(SERIAL_COMM::WriteParametersFlag));
    link.SerialPortSendData();
    QCOMPARE(serial.written.size(), 1);
}

QTEST_MAIN(TestTransferProgress)
#include "tst_transferprogress.moc"
