#include "core/link/sensorsettingfields.h"

namespace veltrix {

namespace {

constexpr int WholeWord = -1;
constexpr int HighByte = 0;
constexpr int LowByte = 1;

constexpr SensorSettingField plain(int word, SettingInterface editableOn = SettingInterface::Any)
{
    return SensorSettingField{word, WholeWord, editableOn, false, false, false};
}

}  // namespace

const std::array<SensorSettingField, BoundSettingCount> SensorSettingFields = {{
    plain(0, SettingInterface::Serial),   // control mode
    plain(1, SettingInterface::Serial),   // RS232 baud rate
    plain(2, SettingInterface::Serial),   // RS232 parity
    plain(3, SettingInterface::Serial),   // RS232 stop bits
    plain(4, SettingInterface::Serial),   // RS485 address
    plain(5, SettingInterface::Serial),   // RS485 baud rate
    plain(6, SettingInterface::Serial),   // RS485 parity
    plain(7, SettingInterface::Serial),   // RS485 stop bits
    plain(8),                             // CAN address
    plain(9),                             // CAN baud rate
    plain(10),                            // output logic
    {11, WholeWord, SettingInterface::Any, true, false, false},   // motor speed
    {12, WholeWord, SettingInterface::Any, true, false, false},   // motor synchronisation
    {13, WholeWord, SettingInterface::Any, true, false, false},   // synchronisation angle
    plain(InstallDirectionWord),          // mounting direction
    {15, WholeWord, SettingInterface::Any, true, false, false},   // zero value
    {16, WholeWord, SettingInterface::Ethernet, false, true, false},  // Ethernet mode
    {ScanFrequencyWord, WholeWord, SettingInterface::Ethernet, false, false, true},
    {18, WholeWord, SettingInterface::Ethernet, false, true, false},  // angular resolution
    {FilterLevelWord, WholeWord, SettingInterface::Any, false, false, true},
    {IpAddressHighWord, HighByte, SettingInterface::Ethernet, false, true, false},
    {IpAddressHighWord, LowByte, SettingInterface::Ethernet, false, true, false},
    {IpAddressLowWord, HighByte, SettingInterface::Ethernet, false, true, false},
    {IpAddressLowWord, LowByte, SettingInterface::Ethernet, false, true, false},
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

}  // namespace veltrix
