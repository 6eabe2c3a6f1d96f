// What the user is told about each transaction result, refusal and question, in
// English and in Chinese: every box's title, text and buttons.

#include "core/app/language.h"
#include "core/link/transfertexts.h"

#include <QtTest>

using namespace veltrix;


namespace {

const QString Partial = QStringLiteral(
    "\nThe sensor may now hold a partial configuration and must be written again before use.");

TransactionResult result(TransactionKind kind, TransactionOutcome outcome)
{
    TransactionResult r;
    r.kind = kind;
    r.outcome = outcome;
    return r;
}

TransactionResult writeAll(TransactionOutcome outcome)
{
    return result(TransactionKind::WriteAll, outcome);
}

QStringList shown(const QList<UserMessage> &messages)
{
    QStringList lines;
    for (const UserMessage &message : messages)
        lines << message.title + QLatin1String(" | ") + message.text;
    return lines;
}

}  // namespace

class TestTransferTexts : public QObject
{
    Q_OBJECT

    LanguageSwitch languages;

private slots:
    void resultMessages_data();
    void resultMessages();
    void refusalsAndQuestions_data();
    void refusalsAndQuestions();
    void productInformation_data();
    void productInformation();
};

void TestTransferTexts::resultMessages_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<TransactionResult>("result");
    QTest::addColumn<QStringList>("messages");  // "title | text", in order

    QTest::newRow("read-all complete: only its notice") << false
        << result(TransactionKind::ReadAll, TransactionOutcome::Complete) << QStringList();
    QTest::newRow("read-all cancelled")
        << false << result(TransactionKind::ReadAll, TransactionOutcome::Cancelled)
        << QStringList{"Message | The read was cancelled; areas and parameters are as they were before it."};
    QTest::newRow("read-all timed out: the warning tells")
        << false << result(TransactionKind::ReadAll, TransactionOutcome::TimedOut) << QStringList();
    QTest::newRow("write-all complete, not restarted") << false << writeAll(TransactionOutcome::Complete)
                                                       << QStringList();
    TransactionResult restarted = writeAll(TransactionOutcome::Complete);
    restarted.rebooted = true;
    QTest::newRow("write-all complete and restarted") << true << restarted
                                                      << QStringList{QStringLiteral("提示 | 传感器重新启动完成")};
    QTest::newRow("reboot") << false << result(TransactionKind::Reboot, TransactionOutcome::Complete)
                            << QStringList{"Message | Sensor Reboot Complete"};
    QTest::newRow("write-all cancelled") << false << writeAll(TransactionOutcome::Cancelled)
                                         << QStringList{"Warning | The write was cancelled." + Partial};
    QTest::newRow("link lost: the connection tells") << false << writeAll(TransactionOutcome::LinkLost)
                                                     << QStringList();
    QTest::newRow("busy") << false << result(TransactionKind::Reboot, TransactionOutcome::Busy)
        << QStringList{"Warning | A read or write with the sensor is still running; try again when it has finished."};

    TransactionResult refused = writeAll(TransactionOutcome::Refused);
    refused.notWritten = {RefusedStep{FrameId::WCase, -1, 1}, RefusedStep{FrameId::WPara, -1, 7}};
    QTest::newRow("case data and parameters not written") << false << refused
        << QStringList{"Message | The write did not complete; the sensor did not accept the case data (answer: "
                       "Parameters Setting Error); the sensor parameters (answer: status 7)." + Partial};
    QTest::newRow("not written, Chinese") << true << refused
        << QStringList{QStringLiteral("错误 | 写入未全部完成，传感器没有接受：智能选择数据（应答：参数设置异常）；"
                                      "传感器参数（应答：状态 7）。\n传感器现在可能只保存了部分设置，使用前必须重新写入全部设置。")};
    TransactionResult stopped = writeAll(TransactionOutcome::Refused);
    stopped.stopped = true;
    stopped.stoppedAt = RefusedStep{FrameId::WArea, 10, 2};
    QTest::newRow("stopped at a refused area") << false << stopped
        << QStringList{"Message | The sensor refused area 10 (answer: FLASH Write Error); the write was stopped."
                       + Partial};

    TransactionResult oversized = writeAll(TransactionOutcome::NotSendable);
    oversized.unsendable = UnsendableArea{12, 1, UnsendableArea::TooManyVertices, 101};
    QTest::newRow("too many vertices") << false << oversized
        << QStringList{"Message | Area 12 Out2 has 101 points; an output field can carry at most 100. "
                       "Nothing was written to the sensor."};
    QTest::newRow("too many vertices, Chinese") << true << oversized
        << QStringList{QStringLiteral("错误 | 区域12 的 Out2 有 101 个点，一个输出区域最多只能写入 100 个点。"
                                      "未向传感器写入任何数据。")};
    TransactionResult faraway = writeAll(TransactionOutcome::NotSendable);
    faraway.unsendable = UnsendableArea{30, 2, UnsendableArea::PointOutOfRange, 2};
    QTest::newRow("point out of range") << false << faraway
        << QStringList{"Message | Area 30 Out3 has a point beyond what can be sent (coordinates up to 32767 mm). "
                       "Nothing was written to the sensor."};
}

void TestTransferTexts::resultMessages()
{
    QFETCH(bool, chinese);
    QFETCH(TransactionResult, result);
    QFETCH(QStringList, messages);
    languages.setLanguage(QString::fromLatin1(chinese ? LanguageSwitch::SourceLanguage : LanguageSwitch::English));
    QCOMPARE(shown(transfertexts::resultMessages(result)), messages);
}

void TestTransferTexts::refusalsAndQuestions_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("question");  // -1: the refusal of step
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("buttons");  // of the last message
    QTest::newRow("setting error") << false << -1 << 1 << QStringList{"Message | Parameters Setting Error"}
                                   << QStringList();
    QTest::newRow("flash error, Chinese") << true << -1 << 2
                                          << QStringList{QStringLiteral("错误 | 内存写入错误")} << QStringList();
    QTest::newRow("unknown status: nothing") << false << -1 << 3 << QStringList{" | "} << QStringList();
    QTest::newRow("area refused") << false << int(TransactionQuestion::AreaWriteRefused) << 1
                                  << QStringList{"Message | Parameters Setting Error.Please restart."}
                                  << QStringList();
    QTest::newRow("restart") << false << int(TransactionQuestion::Restart) << 0
                             << QStringList{"Message | Parameters Write Complete.Please restart.",
                                            "Message | Do you restart?"}
                             << QStringList{"Yes", "No"};
    QTest::newRow("restart, Chinese") << true << int(TransactionQuestion::Restart) << 0
                                      << QStringList{QStringLiteral("提示 | 参数写入完成，请重启生效！"),
                                                     QStringLiteral("提示 | 是否重启传感器?")}
                                      << QStringList{QStringLiteral("确定"), QStringLiteral("取消")};
}

void TestTransferTexts::refusalsAndQuestions()
{
    QFETCH(bool, chinese);
    QFETCH(int, question);
    QFETCH(int, status);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, buttons);
    languages.setLanguage(QString::fromLatin1(chinese ? LanguageSwitch::SourceLanguage : LanguageSwitch::English));
    const RefusedStep step{FrameId::WArea, 4, status};
    const QList<UserMessage> made = question < 0
        ? QList<UserMessage>{transfertexts::refusalMessage(step)}
        : transfertexts::questionMessages(TransactionQuestion{TransactionQuestion::Kind(question), step});
    QCOMPARE(shown(made), messages);
    QCOMPARE(made.last().buttons, buttons);
    QCOMPARE(made.last().defaultButton, 0);
}

void TestTransferTexts::productInformation_data()
{
    QTest::addColumn<bool>("chinese");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("english, known product")
        << false << 10 << "Product Message"
        << "Product Name:  ZD-XXXX\nFirmware:  2.50\nSerialNumber:  1234.000000\nProduction:  2023 - 7 - 31";
    QTest::newRow("english, code 9 leaves the name empty")
        << false << 9 << "Product Message"
        << "Product Name:  \nFirmware:  2.50\nSerialNumber:  1234.000000\nProduction:  2023 - 7 - 31";
    QTest::newRow("chinese")
        << true << 10 << QStringLiteral("产品信息")
        << QStringLiteral("产品型号:  ZD-XXXX\n固件版本:  2.50\n串行编号:  1234.000000\n生产日期:  2023年7月31日");
}

void TestTransferTexts::productInformation()
{
    QFETCH(bool, chinese);
    QFETCH(int, code);
    QFETCH(QString, title);
    QFETCH(QString, text);
    languages.setLanguage(QString::fromLatin1(chinese ? LanguageSwitch::SourceLanguage : LanguageSwitch::English));
    TransactionResult product = result(TransactionKind::ProductInformation, TransactionOutcome::Complete);
    product.product = ProductInfo{quint16(code), 250, 1234, 2023, 7, 31};
    const QList<UserMessage> messages = transfertexts::resultMessages(product);
    QCOMPARE(messages.size(), 1);
    QCOMPARE(messages[0].title, title);
    QCOMPARE(messages[0].text, text);
    QCOMPARE(messages[0].icon, MessageIcon::Information);
    // The time-out warning and the read notice, in the same language.
    QCOMPARE(transfertexts::timeoutWarning().text,
             chinese ? QStringLiteral("读写参数超时,请检查连接") : QStringLiteral("Connect OverTimer, Check Connect"));
    QCOMPARE(transfertexts::readCompleteText(),
             chinese ? QStringLiteral("参数读取完成！") : QStringLiteral("Parameters Read OK!"));
}

QTEST_GUILESS_MAIN(TestTransferTexts)
#include "tst_transfertexts.moc"
