#pragma once

#include "core/link/sensorsettingfields.h"

#include <QObject>

#include <array>

class QComboBox;
class QSpinBox;
class QWidget;

namespace veltrix {

struct SensorParameters;

// The dock's bound fields, in the order of SensorSettingFields: list choices
// (QComboBox, the word is the item index) and number fields (QSpinBox).
using SensorSettingWidgets = std::array<QWidget *, BoundSettingCount>;

// Keeps the sensor settings dock and a parameter block (the project's) in step. A
// change the user makes stores the word (or the address byte) of that one field and
// nothing else, so a value the dock cannot show as one of its items is kept as it is;
// such a value appears as an extra item ("value 9") until the dock shows another
// block. The widgets are the form's; this object does not own them.
class SENSOR_SETTING : public QObject
{
    Q_OBJECT

public:
    SENSOR_SETTING(SensorParameters *parameters, const SensorSettingWidgets &widgets,
                   QObject *parent = nullptr);

    // The block as a new scanner has it, shown. (A new project resets the project's
    // block itself; this is for a block of one's own.)
    void ResetToDefaults();

    // Greys the fields that do not apply to the connection type (0 serial, 1 Ethernet);
    // fields of Ethernet only are taken into the block only while it is Ethernet.
    void EnableInterfaceFields(int connectType);

public slots:
    // A block the scanner reported: scan frequency and filter level beyond their lists
    // are put back to their first item, and the block is shown, except that over a
    // serial line the scanner's Ethernet settings are left as the dock shows them.
    void UpdateParametersToDock();
    // A whole new block (an opened file, a new project): every field shows it.
    void ShowParameters();
    // Takes every field the connection type allows into the block. Nothing in the
    // program needs it (each change is taken as it is made); it stays as the way to
    // take the whole dock at once.
    void UpdateParametersFromDock();

signals:
    // The user changed a setting in the dock.
    void ParametersEdited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QComboBox *comboAt(int field) const;
    QSpinBox *spinAt(int field) const;
    bool takenNow(int field) const;
    void fieldEdited(int field);
    void takeField(int field);
    // Shows the block; over a serial line the Ethernet-only fields only if `everyField`.
    void showParameters(bool everyField);
    // Shows value in the field without announcing it.
    void showValue(int field, quint32 value);
    quint32 fieldValue(int field) const;
    void retranslateExtraItem(QComboBox *combo, int field);

    SensorParameters *m_parameters;
    int m_connectType = 0;  // serial until told otherwise
    SensorSettingWidgets m_widgets;
};

}  // namespace veltrix
