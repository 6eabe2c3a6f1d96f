#pragma once

#include "core/link/configurationdiff.h"

#include <QCoreApplication>
#include <QString>

namespace veltrix {

// The texts of a configuration difference in the current language, for the list a
// verification shows and for the command line: where it lies, and each side's value
// as the editors show it (delays in ms, hysteresis in percent, shapes by name, points
// as (x, y) in mm).
class ConfigurationDifferenceText
{
    Q_DECLARE_TR_FUNCTIONS(veltrix::ConfigurationDifferenceText)

public:
    // Where it lies: "区域3 Out1 第5点", "参数 激光扫描频率"...
    static QString place(const ConfigurationDifference &difference);
    // The parts of the place, for a table's columns: the area ("区域3", or "参数" for
    // a parameter word), the field ("Out1", empty where there is none) and the item
    // ("第5点", "打开延迟", a parameter's name, "形状"...).
    static QString areaPart(const ConfigurationDifference &difference);
    static QString fieldPart(const ConfigurationDifference &difference);
    static QString itemPart(const ConfigurationDifference &difference);
    static QString documentValue(const ConfigurationDifference &difference);
    static QString scannerValue(const ConfigurationDifference &difference);
    // All of it on one line: place, the document's value and the scanner's.
    static QString line(const ConfigurationDifference &difference);

    // The name of parameter word 0..21 and of area number 0..8.
    static QString parameterName(int word);
    static QString switchingName(int number);
    static QString shapeName(qint64 shape);

private:
    static QString valueText(const ConfigurationDifference &difference, const DifferenceValue &value);
};

}  // namespace veltrix
