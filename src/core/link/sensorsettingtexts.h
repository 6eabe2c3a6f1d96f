#pragma once

#include "core/link/sensorsettingfields.h"

#include <QString>
#include <QStringList>

namespace veltrix {

// The texts the sensor settings dock shows for its 24 bound fields (SensorSettingFields
// order), in the current language, for whatever shows the settings without the dock:
// the configuration report. They are the dock form's own texts, translated in its
// context, so the two read alike in every language.

// The caption beside field `field` ("传感器控制方式"; the four IP address fields share
// one), without a trailing colon.
QString sensorSettingCaption(int field);

// The items of a list field, index = the value it stands for; empty for a number field.
QStringList sensorSettingItems(int field);

// What the field shows for the block: a list field its item (a value beyond the list
// as the dock's extra item, "值 9"), a number field its value brought into range.
QString sensorSettingValueText(const SensorParameters &parameters, int field);

}  // namespace veltrix
