#include "core/link/transfertexts.h"

#include "core/link/areapayload.h"
#include "core/link/configurationchecksum.h"
#include "core/link/serialcomm.h"

#include <QStringList>

namespace veltrix {

namespace transfertexts {

namespace {

UserMessage message(MessageIcon icon, const QString &title, const QString &text)
{
    UserMessage result;
    result.icon = icon;
    result.title = title;
    result.text = text;
    return result;
}

// Said whenever a write-all ends before everything was written.
QString partialConfigurationText()
{
    return SERIAL_COMM::tr("传感器现在可能只保存了部分设置，使用前必须重新写入全部设置。");
}

QString answerText(int status)
{
    if (status == 1)
        return SERIAL_COMM::tr("参数设置异常");
    if (status == 2)
        return SERIAL_COMM::tr("内存写入错误");
    return SERIAL_COMM::tr("状态 %1").arg(status);
}

QString notWrittenStep(const RefusedStep &step)
{
    if (step.request == FrameId::WCase)
        return SERIAL_COMM::tr("智能选择数据（应答：%1）").arg(answerText(step.status));
    return SERIAL_COMM::tr("传感器参数（应答：%1）").arg(answerText(step.status));
}

QList<UserMessage> writeAllMessages(const TransactionResult &result)
{
    switch (result.outcome) {
    case TransactionOutcome::Complete:
        if (result.rebooted)
            return {message(MessageIcon::Information, SERIAL_COMM::tr("提示"), SERIAL_COMM::tr("传感器重新启动完成"))};
        return {};
    case TransactionOutcome::NotSendable:
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("错误"), unsendableText(result.unsendable))};
    case TransactionOutcome::Refused: {
        QString text;
        if (result.stopped) {
            text = SERIAL_COMM::tr("传感器拒绝写入区域%1（应答：%2），写入已停止。")
                       .arg(result.stoppedAt.area).arg(answerText(result.stoppedAt.status));
        } else {
            QStringList steps;
            for (const RefusedStep &step : result.notWritten)
                steps << notWrittenStep(step);
            // Never "complete" and no restart: the scanner holds part of what was sent.
            text = SERIAL_COMM::tr("写入未全部完成，传感器没有接受：%1。").arg(steps.join(SERIAL_COMM::tr("；")));
        }
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("错误"),
                        text + QLatin1Char('\n') + partialConfigurationText())};
    }
    case TransactionOutcome::Differs:
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("错误"),
                        writeDiffersText(result.differences.size()) + QLatin1Char('\n')
                            + partialConfigurationText())};
    case TransactionOutcome::Cancelled:
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("警告"),
                        SERIAL_COMM::tr("写入已取消。") + QLatin1Char('\n') + partialConfigurationText())};
    default:
        return {};
    }
}

QList<UserMessage> verifyMessages(const TransactionResult &result)
{
    switch (result.outcome) {
    case TransactionOutcome::Complete: {
        const std::optional<quint32> checksum = configurationChecksum(result.configuration);
        QString text = SERIAL_COMM::tr("传感器中的设置与文档完全相同。");
        if (checksum)
            text += QLatin1Char('\n') + SERIAL_COMM::tr("配置校验和：%1").arg(checksumText(*checksum));
        return {message(MessageIcon::Information, SERIAL_COMM::tr("校验"), text)};
    }
    case TransactionOutcome::Cancelled:
        return {message(MessageIcon::Information, SERIAL_COMM::tr("提示"), SERIAL_COMM::tr("校验已取消。"))};
    default:
        return {};
    }
}

}  // namespace

QString progressTitle(TransactionKind kind)
{
    if (kind == TransactionKind::Verify)
        return SERIAL_COMM::tr("校验数据");
    return kind == TransactionKind::WriteAll ? SERIAL_COMM::tr("下载数据") : SERIAL_COMM::tr("上传数据");
}

QString unsendableText(const UnsendableArea &area)
{
    if (area.reason == UnsendableArea::TooManyVertices) {
        const QString text = SERIAL_COMM::tr("区域%1 的 Out%2 有 %3 个点，一个输出区域最多只能写入 %4 个点。"
                                             "未向传感器写入任何数据。");
        return text.arg(area.area).arg(area.field + 1).arg(area.vertexCount).arg(MaxFieldVertices);
    }
    const QString text = SERIAL_COMM::tr("区域%1 的 Out%2 有超出传输范围的点（坐标最大 %3 mm）。"
                                         "未向传感器写入任何数据。");
    return text.arg(area.area).arg(area.field + 1).arg(MaxWireCoordinate);
}

QString writeDiffersText(int differences)
{
    return SERIAL_COMM::tr("写入失败：从传感器读回的设置与写入的设置有 %1 处不同。").arg(differences);
}

QString readCompleteTitle()
{
    return SERIAL_COMM::tr("参数");
}

QString readCompleteText()
{
    return SERIAL_COMM::tr("参数读取完成！");
}

UserMessage refusalMessage(const RefusedStep &step)
{
    if (step.status == 1)
        return message(MessageIcon::Warning, SERIAL_COMM::tr("错误"), SERIAL_COMM::tr("参数设置异常"));
    if (step.status == 2)
        return message(MessageIcon::Warning, SERIAL_COMM::tr("错误"), SERIAL_COMM::tr("内存写入错误"));
    return UserMessage();
}

QList<UserMessage> questionMessages(const TransactionQuestion &question)
{
    if (question.kind == TransactionQuestion::AreaWriteRefused) {
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("错误"),
                        SERIAL_COMM::tr("参数设置异常，请重启传感器恢复初始参数。"))};
    }
    UserMessage restart = message(MessageIcon::Question, SERIAL_COMM::tr("提示"),
                                  SERIAL_COMM::tr("是否重启传感器?"));
    restart.buttons = QStringList{SERIAL_COMM::tr("确定"), SERIAL_COMM::tr("取消")};
    restart.defaultButton = 0;
    const QString written = question.verified
        ? SERIAL_COMM::tr("参数写入完成，读回校验一致（配置校验和 %1），请重启生效！")
              .arg(checksumText(question.checksum))
        : SERIAL_COMM::tr("参数写入完成，请重启生效！");
    return {message(MessageIcon::Information, SERIAL_COMM::tr("提示"), written), restart};
}

QString productText(const ProductInfo &info)
{
    const QString name = info.productCode == KnownProductCode ? QStringLiteral("ZD-XXXX") : QString();
    const QString firmware = QString::number(info.firmware / 100.0, 'f', 2);
    const QString serial = QString::number(double(info.serialNumber), 'f', 6);
    QStringList lines;
    lines << SERIAL_COMM::tr("产品型号:  %1").arg(name) << SERIAL_COMM::tr("固件版本:  %1").arg(firmware)
          << SERIAL_COMM::tr("串行编号:  %1").arg(serial)
          << SERIAL_COMM::tr("生产日期:  %1年%2月%3日").arg(info.year).arg(info.month).arg(info.day);
    return lines.join(QLatin1Char('\n'));
}

QList<UserMessage> resultMessages(const TransactionResult &result)
{
    if (result.outcome == TransactionOutcome::Busy) {
        return {message(MessageIcon::Warning, SERIAL_COMM::tr("警告"),
                        SERIAL_COMM::tr("正在与传感器读写数据，请等当前的读写结束后再试。"))};
    }
    switch (result.kind) {
    case TransactionKind::WriteAll:
        return writeAllMessages(result);
    case TransactionKind::ReadAll:
        if (result.outcome == TransactionOutcome::Cancelled) {
            return {message(MessageIcon::Information, SERIAL_COMM::tr("提示"),
                            SERIAL_COMM::tr("读取已取消，区域和参数保持读取前的内容。"))};
        }
        return {};
    case TransactionKind::ProductInformation:
        if (result.isComplete())
            return {message(MessageIcon::Information, SERIAL_COMM::tr("产品信息"), productText(result.product))};
        return {};
    case TransactionKind::Reboot:
        if (result.isComplete())
            return {message(MessageIcon::Information, SERIAL_COMM::tr("提示"), SERIAL_COMM::tr("传感器重新启动完成"))};
        return {};
    case TransactionKind::Verify:
        return verifyMessages(result);
    case TransactionKind::ReadArea:
        return {};
    }
    return {};
}

UserMessage timeoutWarning()
{
    return message(MessageIcon::Warning, SERIAL_COMM::tr("警告"), SERIAL_COMM::tr("读写参数超时,请检查连接"));
}

}  // namespace transfertexts

}  // namespace veltrix
