#include "gui/link/sensorsetting.h"

#include "core/link/linkconfiguration.h"
#include "core/link/sensorparameters.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>
#include <QSpinBox>

namespace veltrix {

namespace {

// Ranges of the number fields that a reset sets; the address bytes keep the form's.
struct NumberRange
{
    int word;
    int minimum;
    int maximum;
};
constexpr NumberRange NumberRanges[] = {
    {4, 1, 127},        // RS485 address
    {8, 1, 127},        // CAN address
    {11, 1200, 2400},   // motor speed ratio
    {15, 1000, 3000},   // zero value
};

constexpr int ExtraItemValueRole = Qt::UserRole;
constexpr quint32 LargestWireValue = 0xFFFF;

}  // namespace

SENSOR_SETTING::SENSOR_SETTING(SensorParameters *parameters, const SensorSettingWidgets &widgets,
                               QObject *parent)
    : QObject(parent), m_parameters(parameters), m_widgets(widgets)
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (QComboBox *combo = comboAt(field)) {
            m_listLength[static_cast<size_t>(field)] = combo->count();
            combo->installEventFilter(this);
        }
    }
    ResetToDefaults();
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (QComboBox *combo = comboAt(field)) {
            connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                    [this, field] { fieldEdited(field); });
        } else if (QSpinBox *spin = spinAt(field)) {
            connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                    [this, field] { fieldEdited(field); });
        }
        if (SensorSettingFields.at(static_cast<size_t>(field)).alwaysDisabled)
            m_widgets.at(static_cast<size_t>(field))->setEnabled(false);
    }
}

QComboBox *SENSOR_SETTING::comboAt(int field) const
{
    return qobject_cast<QComboBox *>(m_widgets.at(static_cast<size_t>(field)));
}

QSpinBox *SENSOR_SETTING::spinAt(int field) const
{
    return qobject_cast<QSpinBox *>(m_widgets.at(static_cast<size_t>(field)));
}

void SENSOR_SETTING::ResetToDefaults()
{
    m_parameters->resetToDefaults();
    for (int field = 0; field < BoundSettingCount; ++field) {
        QSpinBox *spin = spinAt(field);
        if (!spin)
            continue;
        for (const NumberRange &range : NumberRanges) {
            if (range.word == SensorSettingFields.at(static_cast<size_t>(field)).word) {
                const QSignalBlocker blocker(spin);
                spin->setRange(range.minimum, range.maximum);
            }
        }
    }
    UpdateParametersToDock();
}

void SENSOR_SETTING::EnableInterfaceFields(int connectType)
{
    m_connectType = connectType;
    const bool serial = connectType == SerialInterface;
    for (int field = 0; field < BoundSettingCount; ++field) {
        const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
        QWidget *widget = m_widgets.at(static_cast<size_t>(field));
        if (f.alwaysDisabled)
            widget->setEnabled(false);
        else if (f.editableOn == SettingInterface::Serial)
            widget->setEnabled(serial);
        else if (f.editableOn == SettingInterface::Ethernet)
            widget->setEnabled(!serial);
    }
}

bool SENSOR_SETTING::takenNow(int field) const
{
    return !SensorSettingFields.at(static_cast<size_t>(field)).ethernetOnly
        || m_connectType == EthernetInterface;
}

void SENSOR_SETTING::UpdateParametersToDock()
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (!takenNow(field))
            continue;
        const SensorSettingField &f = SensorSettingFields.at(static_cast<size_t>(field));
        if (f.resetBeyondList && (*m_parameters)[f.word] >= quint32(m_listLength[static_cast<size_t>(field)]))
            storeSettingField(*m_parameters, field, 0);
        showValue(field, settingFieldValue(*m_parameters, field));
    }
}

void SENSOR_SETTING::UpdateParametersFromDock()
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (takenNow(field))
            takeField(field);
    }
}

void SENSOR_SETTING::fieldEdited(int field)
{
    if (!takenNow(field))
        return;
    takeField(field);
    emit ParametersEdited();
}

void SENSOR_SETTING::takeField(int field)
{
    const QComboBox *combo = comboAt(field);
    if (combo && combo->currentIndex() < 0)
        return;  // nothing chosen: the word keeps its value
    storeSettingField(*m_parameters, field, fieldValue(field));
}

quint32 SENSOR_SETTING::fieldValue(int field) const
{
    if (const QComboBox *combo = comboAt(field)) {
        const int index = combo->currentIndex();
        if (index < m_listLength[static_cast<size_t>(field)])
            return static_cast<quint32>(qMax(index, 0));
        return combo->itemData(index, ExtraItemValueRole).toUInt();
    }
    if (const QSpinBox *spin = spinAt(field))
        return static_cast<quint32>(spin->value());
    return 0;
}

void SENSOR_SETTING::showValue(int field, quint32 value)
{
    QWidget *widget = m_widgets.at(static_cast<size_t>(field));
    const QSignalBlocker blocker(widget);
    if (QSpinBox *spin = spinAt(field)) {
        spin->setValue(static_cast<int>(qMin(value, LargestWireValue)));
        return;
    }
    QComboBox *combo = comboAt(field);
    if (!combo)
        return;
    const int listLength = m_listLength[static_cast<size_t>(field)];
    while (combo->count() > listLength)
        combo->removeItem(listLength);
    if (value < quint32(listLength)) {
        combo->setCurrentIndex(static_cast<int>(value));
        return;
    }
    combo->addItem(QString(), value);
    retranslateExtraItem(combo, field);
    combo->setCurrentIndex(listLength);
}

void SENSOR_SETTING::retranslateExtraItem(QComboBox *combo, int field)
{
    const int listLength = m_listLength[static_cast<size_t>(field)];
    if (combo->count() > listLength) {
        const uint value = combo->itemData(listLength, ExtraItemValueRole).toUInt();
        combo->setItemText(listLength, tr("值 %1").arg(value));
    }
}

bool SENSOR_SETTING::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        for (int field = 0; field < BoundSettingCount; ++field) {
            if (m_widgets.at(static_cast<size_t>(field)) == watched)
                retranslateExtraItem(comboAt(field), field);
        }
    }
    return QObject::eventFilter(watched, event);
}

QVector<int> SENSOR_SETTING::SettingValues() const
{
    QVector<int> values;
    values.reserve(BoundSettingCount);
    for (int field = 0; field < BoundSettingCount; ++field)
        values.append(static_cast<int>(fieldValue(field)));
    return values;
}

void SENSOR_SETTING::SetSettingValues(const QVector<int> &values)
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        const int value = values.value(field, 0);
        if (QSpinBox *spin = spinAt(field)) {
            const QSignalBlocker blocker(spin);
            spin->setValue(value);  // clamped into the field's range
            continue;
        }
        // A list value can travel only in 16 bits; a value no word can hold reads as
        // 0, and scan frequency and filter level beyond their lists start at 0 too.
        const bool beyondList = value >= m_listLength[static_cast<size_t>(field)];
        const bool resets = SensorSettingFields.at(static_cast<size_t>(field)).resetBeyondList;
        if (value < 0 || quint32(value) > LargestWireValue || (beyondList && resets))
            showValue(field, 0);
        else
            showValue(field, static_cast<quint32>(value));
    }
    UpdateParametersFromDock();
}

}  // namespace veltrix
