#include "core/link/configurationdifferencetext.h"

#include "core/areas/arearecord.h"
#include "core/link/areapayload.h"
#include "core/link/sensorparameters.h"

#include <array>

namespace veltrix {

namespace {

constexpr int DelayStepMs = 20;
constexpr double DetectionStepDegrees = 0.5;
constexpr int OpenDelayNumber = 0;
constexpr int CloseDelayNumber = 1;
constexpr int HysteresisNumber = 2;
constexpr int DetectionSizeNumber = 3;
constexpr int ChannelGroupNumber = 8;
constexpr int OctetBits = 8;
constexpr quint32 OctetMask = 0xFF;

const char *const Context = "veltrix::ConfigurationDifferenceText";

// The captions of the sensor settings, for parameter words 0..21 (the IP address in
// two words of two octets each).
const std::array<const char *, WrittenParameterCount> ParameterNames = {{
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "传感器控制方式"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS232通信波特率"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS232通信校验位"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS232通信停止位"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS485地址"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS485通信波特率"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS485通信校验位"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "RS485通信停止位"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "CAN总线地址"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "CAN总线波特率"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "传感器输出逻辑"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "扫描电机速度"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "扫描电机同步方式"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "扫描电机同步角度"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "传感器安装方式"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "传感器扫描零位点值"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "以太网模式接口"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "激光扫描频率"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "激光角度分辨率"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "采样噪声过滤等级"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "以太网IP地址（前两段）"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "以太网IP地址（后两段）"),
}};

constexpr int SwitchingNameCount = 9;
const std::array<const char *, SwitchingNameCount> SwitchingNames = {{
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "打开延迟"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "关闭延迟"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "关闭滞后比例"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "检测物体大小"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "最小驱动转角"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "最大驱动转角"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "最小车辆速度"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "最大车辆速度"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "车辆通道组别"),
}};

constexpr int ShapeNameCount = 6;
const std::array<const char *, ShapeNameCount> ShapeNames = {{
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "多边形"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "圆弧"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "矩形"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "直线"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "扇形"),
    QT_TRANSLATE_NOOP("veltrix::ConfigurationDifferenceText", "比例"),
}};

bool isIpAddressWord(int word)
{
    return word == IpAddressHighWord || word == IpAddressLowWord;
}

QString pointText(const QPoint &point)
{
    return QStringLiteral("(%1, %2)").arg(point.x()).arg(point.y());
}

}  // namespace

QString ConfigurationDifferenceText::parameterName(int word)
{
    if (word < 0 || word >= WrittenParameterCount)
        return tr("参数字%1").arg(word);
    return QCoreApplication::translate(Context, ParameterNames[static_cast<size_t>(word)]);
}

QString ConfigurationDifferenceText::switchingName(int number)
{
    if (number < 0 || number >= SwitchingNameCount)
        return tr("区域参数%1").arg(number);
    return QCoreApplication::translate(Context, SwitchingNames[static_cast<size_t>(number)]);
}

QString ConfigurationDifferenceText::shapeName(qint64 shape)
{
    if (shape < 0 || shape >= ShapeNameCount)
        return tr("形状%1").arg(shape);
    return QCoreApplication::translate(Context, ShapeNames[static_cast<size_t>(shape)]);
}

QString ConfigurationDifferenceText::place(const ConfigurationDifference &difference)
{
    const int area = difference.area;
    const int out = difference.field + 1;
    switch (difference.kind) {
    case DifferenceKind::Parameter:
        return tr("参数 %1").arg(parameterName(difference.item));
    case DifferenceKind::Switching:
        return tr("区域%1 %2").arg(area).arg(switchingName(difference.item));
    case DifferenceKind::Shape:
        return tr("区域%1 Out%2 形状").arg(area).arg(out);
    case DifferenceKind::Vertex:
        return tr("区域%1 Out%2 第%3点").arg(area).arg(out).arg(difference.item + 1);
    case DifferenceKind::ArcPoint:
        return difference.item == 0 ? tr("区域%1 Out%2 圆弧起点").arg(area).arg(out)
                                    : tr("区域%1 Out%2 圆弧终点").arg(area).arg(out);
    case DifferenceKind::FieldValue:
        return tr("区域%1 Out%2 距离").arg(area).arg(out);
    case DifferenceKind::CannotTravel:
        return tr("区域%1 Out%2 传输").arg(area).arg(out);
    }
    return QString();
}

QString ConfigurationDifferenceText::areaPart(const ConfigurationDifference &difference)
{
    if (difference.kind == DifferenceKind::Parameter)
        return tr("参数");
    return tr("区域%1").arg(difference.area);
}

QString ConfigurationDifferenceText::fieldPart(const ConfigurationDifference &difference)
{
    if (difference.field < 0)
        return QString();
    return QStringLiteral("Out%1").arg(difference.field + 1);
}

QString ConfigurationDifferenceText::itemPart(const ConfigurationDifference &difference)
{
    switch (difference.kind) {
    case DifferenceKind::Parameter:
        return parameterName(difference.item);
    case DifferenceKind::Switching:
        return switchingName(difference.item);
    case DifferenceKind::Shape:
        return tr("形状");
    case DifferenceKind::Vertex:
        return tr("第%1点").arg(difference.item + 1);
    case DifferenceKind::ArcPoint:
        return difference.item == 0 ? tr("圆弧起点") : tr("圆弧终点");
    case DifferenceKind::FieldValue:
        return tr("距离");
    case DifferenceKind::CannotTravel:
        return tr("传输");
    }
    return QString();
}

QString ConfigurationDifferenceText::valueText(const ConfigurationDifference &difference,
                                               const DifferenceValue &value)
{
    if (!value.present)
        return difference.kind == DifferenceKind::CannotTravel ? tr("可以传输") : tr("无");
    const qint64 n = value.number;
    switch (difference.kind) {
    case DifferenceKind::Parameter:
        if (isIpAddressWord(difference.item))
            return QStringLiteral("%1.%2").arg((n >> OctetBits) & OctetMask).arg(n & OctetMask);
        return QString::number(n);
    case DifferenceKind::Switching:
        switch (difference.item) {
        case OpenDelayNumber:
        case CloseDelayNumber:
            return QStringLiteral("%1 ms").arg(n * DelayStepMs);
        case HysteresisNumber:
            return n == 0 ? tr("关闭") : QStringLiteral("%1%").arg(n);
        case DetectionSizeNumber:
            return QStringLiteral("%1°").arg((n + 1) * DetectionStepDegrees, 0, 'f', 1);
        case ChannelGroupNumber:
            return tr("通道组%1").arg(n);
        default:
            return QString::number(n);
        }
    case DifferenceKind::Shape:
        return shapeName(n);
    case DifferenceKind::Vertex:
    case DifferenceKind::ArcPoint:
        return pointText(value.point);
    case DifferenceKind::FieldValue:
        return QStringLiteral("%1 mm").arg(n);
    case DifferenceKind::CannotTravel:
        return n > MaxFieldVertices ? tr("%1个点（最多%2个）").arg(n).arg(MaxFieldVertices)
                                    : tr("有点超出传输范围");
    }
    return QString();
}

QString ConfigurationDifferenceText::documentValue(const ConfigurationDifference &difference)
{
    return valueText(difference, difference.document);
}

QString ConfigurationDifferenceText::scannerValue(const ConfigurationDifference &difference)
{
    return valueText(difference, difference.scanner);
}

QString ConfigurationDifferenceText::line(const ConfigurationDifference &difference)
{
    return tr("%1：文档 %2，传感器 %3")
        .arg(place(difference), documentValue(difference), scannerValue(difference));
}

}  // namespace veltrix
