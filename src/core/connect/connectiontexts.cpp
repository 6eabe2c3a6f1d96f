#include "core/connect/connectiontexts.h"

#include <QCoreApplication>

namespace veltrix {

namespace connectiontexts {

namespace {

constexpr int MillisecondsPerSecond = 1000;

}  // namespace

QString ethernetTarget(const QString &address)
{
    return address.trimmed() + QLatin1Char(':') + QString::number(ScannerConnection::ScannerPort);
}

QString serialTarget(const QString &portName)
{
    return portName;
}

QString reason(ScannerConnection::Cause cause, const QString &systemText)
{
    using Cause = ScannerConnection::Cause;
    switch (cause) {
    case Cause::Refused:
        return QCoreApplication::translate("ScannerConnection", "连接被拒绝");
    case Cause::NoAnswer:
        return QCoreApplication::translate("ScannerConnection", "%1 秒内无应答")
            .arg(ScannerConnection::ConnectTimeout / MillisecondsPerSecond);
    case Cause::NotIpv4:
        return QCoreApplication::translate("ScannerConnection", "不是 IPv4 地址");
    case Cause::Unreachable:
        return QCoreApplication::translate("ScannerConnection", "无法到达该地址");
    case Cause::Closed:
        return QCoreApplication::translate("ScannerConnection", "传感器关闭了连接");
    case Cause::NoSuchPort:
        return QCoreApplication::translate("ScannerConnection", "没有这个串口");
    case Cause::PortBusy:
        return QCoreApplication::translate("ScannerConnection", "串口被占用或没有权限");
    case Cause::NoBaudRate:
        return QCoreApplication::translate("ScannerConnection", "没有设置波特率");
    case Cause::Unplugged: {
        const QString words = QCoreApplication::translate(
            "ScannerConnection", "串口适配器已拔出或不再响应");
        if (systemText.isEmpty())
            return words;
        return words + QLatin1Char('\n')
            + QCoreApplication::translate("ScannerConnection", "（系统：%1）").arg(systemText);
    }
    case Cause::Other:
        break;
    }
    return systemText.isEmpty() ? QCoreApplication::translate("ScannerConnection", "原因不明")
                                : systemText;
}

QString failureLine(const QString &target, ScannerConnection::Cause cause,
                    const QString &systemText)
{
    return target + QStringLiteral(" \u2014 ") + reason(cause, systemText);
}

}  // namespace connectiontexts

}  // namespace veltrix
