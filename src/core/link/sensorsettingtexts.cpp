#include "core/link/sensorsettingtexts.h"

#include <QCoreApplication>

#include <array>
#include <vector>

namespace veltrix {

namespace {

// The dock form's translation context: its texts are translated once, for both.
const char *const DockContext = "SensorSettingDock";

// A text of the form, with the disambiguation it carries there (or none).
struct FormText
{
    const char *text;
    const char *comment = nullptr;
    bool translated = true;  // baud rates and frequencies read the same everywhere
};

QString shown(const FormText &text)
{
    if (!text.translated)
        return QString::fromUtf8(text.text);
    return QCoreApplication::translate(DockContext, text.text, text.comment);
}

#define DOCK_TEXT(text) FormText{QT_TRANSLATE_NOOP("SensorSettingDock", text)}
#define DOCK_TEXT_WITH(text, comment) FormText QT_TRANSLATE_NOOP3("SensorSettingDock", text, comment)
#define PLAIN(text) FormText{text, nullptr, false}

const std::array<FormText, BoundSettingCount> Captions = {{
    DOCK_TEXT("传感器控制方式"),
    DOCK_TEXT("RS232通信波特率"),
    DOCK_TEXT("RS232通信校验位"),
    DOCK_TEXT("RS232通信停止位"),
    DOCK_TEXT("RS485地址(1-127)"),
    DOCK_TEXT("RS485通信波特率"),
    DOCK_TEXT("RS485通信校验位"),
    DOCK_TEXT("RS485通信停止位"),
    DOCK_TEXT("CAN总线地址(1-127)"),
    DOCK_TEXT("CAN总线波特率"),
    DOCK_TEXT("传感器输出逻辑"),
    DOCK_TEXT("扫描电机速度"),
    DOCK_TEXT("扫描电机同步方式"),
    DOCK_TEXT("扫描电机同步角度"),
    DOCK_TEXT("传感器安装方式"),
    DOCK_TEXT("传感器扫描零位点值"),
    DOCK_TEXT("以太网模式接口"),
    DOCK_TEXT("激光扫描频率"),
    DOCK_TEXT("激光角度分辨率"),
    DOCK_TEXT("采样噪声过滤等级"),
    DOCK_TEXT("以太网IP地址:"),
    DOCK_TEXT("以太网IP地址:"),
    DOCK_TEXT("以太网IP地址:"),
    DOCK_TEXT("以太网IP地址:"),
}};

const std::vector<FormText> ControlModes = {
    DOCK_TEXT("IO接口控制"), DOCK_TEXT("RS232通信控制"), DOCK_TEXT("RS485通信控制"),
    DOCK_TEXT("CAN总线控制"), DOCK_TEXT("Modbus协议控制")};
const std::vector<FormText> BaudRates = {PLAIN("9600"),  PLAIN("19200"),  PLAIN("38400"),
                                                   PLAIN("57600"), PLAIN("115200"), PLAIN("460800")};
const std::vector<FormText> Parities = {DOCK_TEXT("无校验"), DOCK_TEXT("奇校验"),
                                                  DOCK_TEXT("偶校验")};
const std::vector<FormText> StopBits = {DOCK_TEXT("停止位1Bit"), DOCK_TEXT("停止位1.5Bit"),
                                                  DOCK_TEXT("停止位2Bit")};
const std::vector<FormText> CanBaudRates = {PLAIN("125K"), PLAIN("250K"), PLAIN("500K"),
                                                      PLAIN("1000K")};
const std::vector<FormText> OutputLogic = {DOCK_TEXT("常闭方式"), DOCK_TEXT("常开方式")};
const std::vector<FormText> SyncModes = {DOCK_TEXT("独立模式"), DOCK_TEXT("主机模式"),
                                                   DOCK_TEXT("从机模式")};
const std::vector<FormText> SyncAngles = {DOCK_TEXT("0度"), DOCK_TEXT("90度"),
                                                    DOCK_TEXT("180度"), DOCK_TEXT("270度")};
const std::vector<FormText> Mountings = {DOCK_TEXT("正向安装"), DOCK_TEXT("倒立安装")};
const std::vector<FormText> EthernetModes = {DOCK_TEXT("TCP服务器"), DOCK_TEXT("UDP模式")};
const std::vector<FormText> ScanFrequencies = {PLAIN("72KHz"), PLAIN("144KHz")};
const std::vector<FormText> Resolutions = {DOCK_TEXT("0.1度"), DOCK_TEXT("0.2度")};
const std::vector<FormText> FilterLevels = {
    DOCK_TEXT("关闭"), DOCK_TEXT("简单"), DOCK_TEXT_WITH("中等", "scan filter level"),
    DOCK_TEXT("严格")};

#undef DOCK_TEXT
#undef DOCK_TEXT_WITH
#undef PLAIN

// Per field the list's items, in the dock's order; empty for the number fields.
const std::vector<FormText> &itemsOf(int field)
{
    static const std::vector<FormText> none;
    switch (field) {
    case 0: return ControlModes;
    case 1: case 5: return BaudRates;
    case 2: case 6: return Parities;
    case 3: case 7: return StopBits;
    case 9: return CanBaudRates;
    case 10: return OutputLogic;
    case 12: return SyncModes;
    case 13: return SyncAngles;
    case 14: return Mountings;
    case 16: return EthernetModes;
    case 17: return ScanFrequencies;
    case 18: return Resolutions;
    case 19: return FilterLevels;
    default: return none;
    }
}

bool validField(int field)
{
    return field >= 0 && field < BoundSettingCount;
}

}  // namespace

QString sensorSettingCaption(int field)
{
    if (!validField(field))
        return QString();
    QString caption = shown(Captions[static_cast<size_t>(field)]);
    while (caption.endsWith(QLatin1Char(':')) || caption.endsWith(QChar(0xFF1A)))
        caption.chop(1);
    return caption.trimmed();
}

QStringList sensorSettingItems(int field)
{
    QStringList items;
    if (!validField(field))
        return items;
    for (const FormText &item : itemsOf(field))
        items << shown(item);
    return items;
}

QString sensorSettingValueText(const SensorParameters &parameters, int field)
{
    if (!validField(field))
        return QString();
    const quint32 value = settingFieldValue(parameters, field);
    const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
    if (!f.isList())
        return QString::number(settingValueInRange(field, value));
    const QStringList items = sensorSettingItems(field);
    if (value < quint32(items.size()))
        return items.at(static_cast<int>(value));
    return QCoreApplication::translate("veltrix::SENSOR_SETTING", "值 %1").arg(value);
}

}  // namespace veltrix
