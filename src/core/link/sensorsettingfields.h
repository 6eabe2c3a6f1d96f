#pragma once

#include "core/link/sensorparameters.h"

#include <QString>

#include <array>

namespace veltrix {

// The 24 fields of the sensor settings dock that show a word of the parameter block,
// in the order of the dock and of the project file's settings section.
constexpr int BoundSettingCount = 24;

enum class SettingInterface { Any, Serial, Ethernet };

struct SensorSettingField
{
    int word;          // the parameter word shown
    int octet;         // -1: the whole word; 0 its high byte, 1 its low byte (IP address)
    // The field can be changed only while this interface is chosen; on the other it is
    // greyed. Always-disabled fields show a value the tool does not let the user set.
    SettingInterface editableOn;
    bool alwaysDisabled;
    // Shown from the block and taken back into it only on an Ethernet connection; over
    // a serial line the scanner's Ethernet settings are left as last read.
    bool ethernetOnly;
    // A list choice whose word beyond the list is put back to the first item when shown
    // (scan frequency and filter level); other choices show such a value as it is.
    bool resetBeyondList;
    // A list choice has listLength items (its word is the item index); a number field
    // (listLength 0) takes values from minimum to maximum.
    int listLength;
    int minimum;
    int maximum;

    bool isList() const { return listLength > 0; }
};

extern const std::array<SensorSettingField, BoundSettingCount> SensorSettingFields;

// The value field `field` shows of the block: the word, or one byte of it.
quint32 settingFieldValue(const SensorParameters &parameters, int field);
// Stores a field's value into its word, or into its byte of the word only.
void storeSettingField(SensorParameters &parameters, int field, quint32 value);

// A value for field `field` brought into what the field can hold, as the dock's
// fields take it: a number field clamps into its range; a list choice that no
// 16-bit word can hold is 0, and so is one beyond the list of a field that resets
// such values (scan frequency, filter level); other list values beyond the list stay
// (the dock shows them as "value N").
qint64 settingValueInRange(int field, qint64 value);

// Scan frequency and filter level beyond their lists put back to the first item, as
// the dock does when it shows a block the scanner reported. True when a word changed.
bool resetValuesBeyondList(SensorParameters &parameters);

}  // namespace veltrix
