#include "core/link/sensorsettingfields.h"

namespace veltrix {

namespace {

constexpr int WholeWord = -1;
constexpr int HighByte = 0;
constexpr int LowByte = 1;
constexpr qint64 LargestWireValue = 0xFFFF;

constexpr SensorSettingField list(int word, int length,
                                  SettingInterface editableOn = SettingInterface::Any)
{
    return SensorSettingField{word, WholeWord, editableOn, false, false, false, length, 0, 0};
}

constexpr SensorSettingField number(int word, int minimum, int maximum,
                                    SettingInterface editableOn = SettingInterface::Any)
{
    return SensorSettingField{word, WholeWord, editableOn, false, false, false, 0, minimum, maximum};
}

constexpr SensorSettingField fixed(SensorSettingField field)
{
    field.alwaysDisabled = true;
    return field;
}

constexpr SensorSettingField ethernetOnly(SensorSettingField field)
{
    field.ethernetOnly = true;
    return field;
}

constexpr SensorSettingField resetting(SensorSettingField field)
{
    field.resetBeyondList = true;
    return field;
}

constexpr SensorSettingField octet(int word, int which, int minimum, int maximum)
{
    return ethernetOnly({word, which, SettingInterface::Ethernet, false, false, false, 0, minimum,
                         maximum});
}

constexpr SettingInterface Serial = SettingInterface::Serial;
constexpr SettingInterface Ethernet = SettingInterface::Ethernet;
constexpr int BaudRates = 6;     // 9600 .. 460800
constexpr int Parities = 3;      // none, odd, even
constexpr int StopBits = 3;      // 1, 1.5, 2
constexpr int DeviceAddressMinimum = 1;
constexpr int DeviceAddressMaximum = 127;

}  // namespace

const std::array<SensorSettingField, BoundSettingCount> SensorSettingFields = {{
    list(0, 5, Serial),                 // control mode: IO, RS232, RS485, CAN, Modbus
    list(1, BaudRates, Serial),         // RS232 baud rate
    list(2, Parities, Serial),          // RS232 parity
    list(3, StopBits, Serial),          // RS232 stop bits
    number(4, DeviceAddressMinimum, DeviceAddressMaximum, Serial),  // RS485 address
    list(5, BaudRates, Serial),         // RS485 baud rate
    list(6, Parities, Serial),          // RS485 parity
    list(7, StopBits, Serial),          // RS485 stop bits
    number(8, DeviceAddressMinimum, DeviceAddressMaximum),          // CAN address
    list(9, 4),                         // CAN baud rate: 125K .. 1000K
    list(10, 2),                        // output logic
    fixed(number(11, 1200, 2400)),      // motor speed ratio
    fixed(list(12, 3)),                 // motor synchronisation: independent, master, slave
    fixed(list(13, 4)),                 // synchronisation angle: 0, 90, 180, 270 degrees
    list(InstallDirectionWord, 2),      // mounting direction
    fixed(number(15, 1000, 3000)),      // zero value
    ethernetOnly(list(16, 2, Ethernet)),       // Ethernet mode: TCP, UDP
    resetting(list(ScanFrequencyWord, 2, Ethernet)),
    ethernetOnly(list(18, 2, Ethernet)),       // angular resolution
    resetting(list(FilterLevelWord, 4)),
    octet(IpAddressHighWord, HighByte, 10, 223),  // a unicast class A..C address
    octet(IpAddressHighWord, LowByte, 0, 255),
    octet(IpAddressLowWord, HighByte, 0, 255),
    octet(IpAddressLowWord, LowByte, 0, 255),
}};

quint32 settingFieldValue(const SensorParameters &parameters, int field)
{
    const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
    const quint32 word = parameters[f.word];
    if (f.octet == HighByte)
        return (word >> 8) & 0xFF;
    if (f.octet == LowByte)
        return word & 0xFF;
    return word;
}

void storeSettingField(SensorParameters &parameters, int field, quint32 value)
{
    const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
    quint32 &word = parameters[f.word];
    if (f.octet == HighByte)
        word = (word & ~0xFF00u) | ((value & 0xFF) << 8);
    else if (f.octet == LowByte)
        word = (word & ~0xFFu) | (value & 0xFF);
    else
        word = value;
}

qint64 settingValueInRange(int field, qint64 value)
{
    const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
    if (!f.isList())
        return qBound(qint64(f.minimum), value, qint64(f.maximum));
    if (value < 0 || value > LargestWireValue || (f.resetBeyondList && value >= f.listLength))
        return 0;
    return value;
}

bool resetValuesBeyondList(SensorParameters &parameters)
{
    bool changed = false;
    for (int field = 0; field < BoundSettingCount; ++field) {
        const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
        if (f.resetBeyondList && parameters[f.word] >= quint32(f.listLength)) {
            storeSettingField(parameters, field, 0);
            changed = true;
        }
    }
    return changed;
}

}  // namespace veltrix
