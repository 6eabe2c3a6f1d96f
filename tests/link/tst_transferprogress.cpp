#include "core/app/language.h"
#include "gui/link/transferprogress.h"

#include "linkrig.h"

#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QtTest>

using namespace veltrix;
using veltrix::testing::LinkRig;

class TestTransferProgress : public QObject
{
    Q_OBJECT

    veltrix::LanguageSwitch languages;

private slots:
    // The progress titles are compared in English.
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
    LinkRig rig;
    TransferProgress progress;
    progress.attach(&rig.link);
    rig.link.ReadSensorAllDataSlots();
    rig.exchange();  // "RPara"
    rig.exchange();  // "RCase"
    QVERIFY(!progress.dialog()->isVisible());
    for (int i = 0; i < 64; ++i) {
        rig.tick();
        QVERIFY(progress.dialog()->isVisible());
        QCOMPARE(progress.dialog()->windowTitle(), QStringLiteral("Upload Data"));
        QCOMPARE(progress.dialog()->value(), i);
        rig.deliver();
        if (i < 63)
            QCOMPARE(progress.dialog()->value(), i + 1);
    }
    QVERIFY(!progress.dialog()->isVisible());
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Complete);
}

void TestTransferProgress::cancelStopsTheTransfer()
{
    LinkRig rig;
    TransferProgress progress;
    progress.attach(&rig.link);
    rig.link.WriteSensorAllDataSlots();
    rig.tick();
    QVERIFY(progress.dialog()->isVisible());
    QCOMPARE(progress.dialog()->windowTitle(), QStringLiteral("Download Data"));
    auto *cancel = progress.dialog()->findChild<QPushButton *>();
    QVERIFY(cancel);
    QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(!progress.dialog()->isVisible());
    QCOMPARE(rig.lastResult().outcome, TransactionOutcome::Cancelled);
    QVERIFY(!rig.link.flag(SERIAL_COMM::WriteAreasFlag));
    rig.deliver();
    QVERIFY(rig.tick().isEmpty());
    QCOMPARE(rig.device.written.size(), 1);
}

QTEST_MAIN(TestTransferProgress)
#include "tst_transferprogress.moc"
