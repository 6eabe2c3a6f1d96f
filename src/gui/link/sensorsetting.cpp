#include "gui/link/sensorsetting.h"

#include "core/link/linkconfiguration.h"
#include "core/link/sensorparameters.h"

#include <QComboBox>
#include <QEvent>
#include <QSignalBlocker>
#include <QSpinBox>

namespace veltrix {

namespace {

constexpr int ExtraItemValueRole = Qt::UserRole;

const SensorSettingField &fieldAt(int field)
{
    return SensorSettingFields.at(static_cast<size_t>(field));
}

}  // namespace

SENSOR_SETTING::SENSOR_SETTING(SensorParameters *parameters, const SensorSettingWidgets &widgets,
                               QObject *parent)
    : QObject(parent), m_parameters(parameters), m_widgets(widgets)
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        const SensorSettingField &f = fieldAt(field);
        if (QComboBox *combo = comboAt(field)) {
            Q_ASSERT(combo->count() == f.listLength);
            combo->installEventFilter(this);
        } else if (QSpinBox *spin = spinAt(field)) {
            const QSignalBlocker blocker(spin);
            spin->setRange(f.minimum, f.maximum);
        }
    }
    showParameters(true);
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (QComboBox *combo = comboAt(field)) {
            connect(combo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                    [this, field] { fieldEdited(field); });
        } else if (QSpinBox *spin = spinAt(field)) {
            connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this,
                    [this, field] { fieldEdited(field); });
        }
        if (fieldAt(field).alwaysDisabled)
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
    showParameters(true);
}

void SENSOR_SETTING::EnableInterfaceFields(int connectType)
{
    m_connectType = connectType;
    const bool serial = connectType == SerialInterface;
    for (int field = 0; field < BoundSettingCount; ++field) {
        const SensorSettingField &f = fieldAt(field);
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
    return !fieldAt(field).ethernetOnly || m_connectType == EthernetInterface;
}

void SENSOR_SETTING::UpdateParametersToDock()
{
    resetValuesBeyondList(*m_parameters);
    showParameters(false);
}

void SENSOR_SETTING::ShowParameters()
{
    showParameters(true);
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

void SENSOR_SETTING::showParameters(bool everyField)
{
    for (int field = 0; field < BoundSettingCount; ++field) {
        if (everyField || takenNow(field))
            showValue(field, settingFieldValue(*m_parameters, field));
    }
}

quint32 SENSOR_SETTING::fieldValue(int field) const
{
    if (const QComboBox *combo = comboAt(field)) {
        const int index = combo->currentIndex();
        if (index < fieldAt(field).listLength)
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
        spin->setValue(int(settingValueInRange(field, value)));
        return;
    }
    QComboBox *combo = comboAt(field);
    if (!combo)
        return;
    const int listLength = fieldAt(field).listLength;
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
    const int listLength = fieldAt(field).listLength;
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

}  // namespace veltrix
