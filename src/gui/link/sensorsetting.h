#pragma once

#include "core/link/sensorsettingfields.h"

#include <QObject>
#include <QVector>

#include <array>

class QComboBox;
class QSpinBox;
class QWidget;

namespace veltrix {

struct SensorParameters;

// The dock's bound fields, in the order of SensorSettingFields: list choices
// (QComboBox, the word is the item index) and number fields (QSpinBox).
using SensorSettingWidgets = std::array<QWidget *, BoundSettingCount>;

// Keeps the sensor settings dock and the parameter block in step. Showing the block
// never writes back into it; a change the user makes stores the word (or the address
// byte) of that one field and nothing else, so a value the dock cannot show as one of
// its items is kept as it is. Such a value appears as an extra item ("value 9") until
// the user picks another. The widgets are the form's; this object does not own them.
class SENSOR_SETTING : public QObject
{
    Q_OBJECT

public:
    SENSOR_SETTING(SensorParameters *parameters, const SensorSettingWidgets &widgets,
                   QObject *parent = nullptr);

    // The block as a new project has it, shown in the dock.
    void ResetToDefaults();

    // Greys the fields that do not apply to the connection type (0 serial, 1 Ethernet);
    // fields of Ethernet only are taken into the block only while it is Ethernet.
    void EnableInterfaceFields(int connectType);

    // The project file's settings section: the 24 fields in dock order, each as its
    // word or address byte (a list choice its item index).
    QVector<int> SettingValues() const;
    // Sets the 24 fields from the settings section (missing values are 0; a number
    // field clamps into its range) and takes them into the block as the connection
    // type allows.
    void SetSettingValues(const QVector<int> &values);

public slots:
    void UpdateParametersToDock();
    // Takes every field the connection type allows into the block.
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
    // Shows value in the field without announcing it.
    void showValue(int field, quint32 value);
    quint32 fieldValue(int field) const;
    void retranslateExtraItem(QComboBox *combo, int field);

    SensorParameters *m_parameters;
    int m_connectType = 0;  // serial until told otherwise
    SensorSettingWidgets m_widgets;
    std::array<int, BoundSettingCount> m_listLength{};  // the form's items; 0 for numbers
};

}  // namespace veltrix
