#include "gui/areas/editcontrol.h"

#include "core/areas/areamodel.h"
#include "core/areas/fieldediting.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

namespace veltrix {

namespace {

constexpr int SteerLimit = 180;  // degrees, both directions
constexpr int SpeedLimit = 300;

// Indexes of the twelve numbers that the parameter widgets write.
enum NumberIndex {
    OpenDelayNumber = 0,
    CloseDelayNumber = 1,
    HysteresisNumber = 2,
    DetectionSizeNumber = 3,
    SteerMinNumber = 4,
    SteerMaxNumber = 5,
    SpeedMinNumber = 6,
    SpeedMaxNumber = 7,
    OptionModeNumber = 8,
};

void setCheckable(QAbstractButton *button, bool checkable)
{
    if (button)
        button->setCheckable(checkable);
}

void setEnabled(QAbstractButton *button, bool enabled)
{
    if (button)
        button->setEnabled(enabled);
}

}  // namespace

EDIT_CONTROL::EDIT_CONTROL(AreaModel *model, const EditControlWidgets &widgets, QObject *parent)
    : QObject(parent), m_model(model), m_widgets(widgets)
{
    configureWidgets();
    AreaRecord area = m_model->current();
    for (int field = 0; field < FieldCount; ++field)
        area.setShape(field, Polygon);
    m_model->replaceArea(m_model->currentArea(), area);
    showCurrentField(m_model->currentField());
    connectWidgets();
}

void EDIT_CONTROL::configureWidgets()
{
    m_widgets.steerMinDgree->setRange(-SteerLimit, SteerLimit);
    m_widgets.steerMaxDgree->setRange(-SteerLimit, SteerLimit);
    m_widgets.vehicleMinSpeed->setRange(-SpeedLimit, SpeedLimit);
    m_widgets.vehicleMaxSpeed->setRange(-SpeedLimit, SpeedLimit);

    for (const FieldShapeButtons &buttons : m_widgets.shapeButtons) {
        for (qint32 shape : {Polygon, Arc, Rectangle})
            setCheckable(buttons[shape], true);
        if (buttons[Polygon])
            buttons[Polygon]->setChecked(true);
    }

    // Out1 has nothing to derive from. Ratio can arrive from a file or the scanner but
    // is not offered in the editor.
    const FieldShapeButtons &out1 = m_widgets.shapeButtons[0];
    for (qint32 shape : {Straight, Fan, Ratio})
        setEnabled(out1[shape], false);
    for (int field = 1; field < FieldCount; ++field) {
        const FieldShapeButtons &buttons = m_widgets.shapeButtons[field];
        setCheckable(buttons[Straight], true);
        setCheckable(buttons[Fan], true);
        setEnabled(buttons[Ratio], false);
        setCheckable(buttons[Ratio], true);
    }
}

void EDIT_CONTROL::connectWidgets()
{
    const auto activated = QOverload<int>::of(&QComboBox::activated);
    connect(m_widgets.openDelay, activated, this, &EDIT_CONTROL::OpenDelayIndexChange);
    connect(m_widgets.closeDelay, activated, this, &EDIT_CONTROL::CloseDelayIndexChange);
    connect(m_widgets.hysteresis, activated, this, &EDIT_CONTROL::HysteresisIndexChange);
    connect(m_widgets.detectionSize, activated, this, &EDIT_CONTROL::DetectionSizeIndexChange);
    for (QSpinBox *box : {m_widgets.steerMinDgree, m_widgets.steerMaxDgree,
                          m_widgets.vehicleMinSpeed, m_widgets.vehicleMaxSpeed})
        connect(box, &QSpinBox::editingFinished, this, &EDIT_CONTROL::CaseChannelParameterChange);
    connect(m_widgets.vehicleOptionMode, activated, this, &EDIT_CONTROL::CaseChannelParameterChange);
    // The field follows the Out tab however the tab changed: a click, Ctrl+Tab, the
    // arrow keys on the tab bar.
    connect(m_widgets.areaEditTab, &QTabWidget::tabBarClicked, this, &EDIT_CONTROL::AreaEditTabChannel);
    connect(m_widgets.areaEditTab, &QTabWidget::currentChanged, this, &EDIT_CONTROL::AreaEditTabChannel);

    connect(m_model, &AreaModel::areaChanged, this, &EDIT_CONTROL::areaChanged);
    connect(m_model, &AreaModel::currentAreaChanged, this, &EDIT_CONTROL::EditControlUpdateEditData);
    connect(m_model, &AreaModel::areasReplaced, this, &EDIT_CONTROL::EditControlUpdateEditData);
    connect(m_model, &AreaModel::currentFieldChanged, this, &EDIT_CONTROL::showCurrentField);

    using Slot = void (EDIT_CONTROL::*)();
    static const Slot shapeSlots[FieldCount][ShapeButtonCount] = {
        {&EDIT_CONTROL::PolygonOut1ClickedChange, &EDIT_CONTROL::ArcOut1ClickedChange,
         &EDIT_CONTROL::RectangleOut1ClickedChange, nullptr, nullptr, nullptr},
        {&EDIT_CONTROL::PolygonOut2ClickedChange, &EDIT_CONTROL::ArcOut2ClickedChange,
         &EDIT_CONTROL::RectangleOut2ClickedChange, &EDIT_CONTROL::StraightOut2ClickedChange,
         &EDIT_CONTROL::FanOut2ClickedChange, &EDIT_CONTROL::RatioOut2ClickedChange},
        {&EDIT_CONTROL::PolygonOut3ClickedChange, &EDIT_CONTROL::ArcOut3ClickedChange,
         &EDIT_CONTROL::RectangleOut3ClickedChange, &EDIT_CONTROL::StraightOut3ClickedChange,
         &EDIT_CONTROL::FanOut3ClickedChange, &EDIT_CONTROL::RatioOut3ClickedChange},
    };
    for (int field = 0; field < FieldCount; ++field) {
        for (int shape = 0; shape < ShapeButtonCount; ++shape) {
            QAbstractButton *button = m_widgets.shapeButtons[field][shape];
            if (button && shapeSlots[field][shape])
                connect(button, &QAbstractButton::clicked, this, shapeSlots[field][shape]);
        }
    }
}

void EDIT_CONTROL::EditControlUpdateEditData()
{
    const AreaRecord &area = m_model->current();
    m_widgets.openDelay->setCurrentIndex(area.openDelay);
    m_widgets.closeDelay->setCurrentIndex(area.closeDelay);
    m_widgets.hysteresis->setCurrentIndex(area.hysteresis);
    m_widgets.detectionSize->setCurrentIndex(area.detectionSize);
    m_widgets.steerMinDgree->setValue(area.steerMinDgree);
    m_widgets.steerMaxDgree->setValue(area.steerMaxDgree);
    m_widgets.vehicleMinSpeed->setValue(area.vehicleMinSpeed);
    m_widgets.vehicleMaxSpeed->setValue(area.vehicleMaxSpeed);
    m_widgets.vehicleOptionMode->setCurrentIndex(area.vehicleOptionMode);

    // Only the check states follow the stored shapes; a shape the field cannot hold
    // leaves its buttons as they are.
    for (int field = 0; field < FieldCount; ++field) {
        const qint32 shape = area.shape(field);
        if (IsShapeAllowed(field, shape))
            checkShapeButton(field, shape);
    }
}

void EDIT_CONTROL::areaChanged(int area)
{
    if (area == m_model->currentArea())
        EditControlUpdateEditData();
}

void EDIT_CONTROL::showCurrentField(int field)
{
    if (m_widgets.areaEditTab->currentIndex() != field)
        m_widgets.areaEditTab->setCurrentIndex(field);
}

void EDIT_CONTROL::OpenDelayIndexChange(int Index)
{
    writeNumber(OpenDelayNumber, Index);
}

void EDIT_CONTROL::CloseDelayIndexChange(int Index)
{
    writeNumber(CloseDelayNumber, Index);
}

void EDIT_CONTROL::HysteresisIndexChange(int Index)
{
    writeNumber(HysteresisNumber, Index);
}

void EDIT_CONTROL::CaseChannelParameterChange()
{
    AreaRecord area = m_model->current();
    area.setNumber(SteerMinNumber, m_widgets.steerMinDgree->value());
    area.setNumber(SteerMaxNumber, m_widgets.steerMaxDgree->value());
    area.setNumber(SpeedMinNumber, m_widgets.vehicleMinSpeed->value());
    area.setNumber(SpeedMaxNumber, m_widgets.vehicleMaxSpeed->value());
    area.setNumber(OptionModeNumber, m_widgets.vehicleOptionMode->currentIndex());
    m_model->editCurrentArea(area);
    emit EditControlParaChangeSignal();
}

void EDIT_CONTROL::DetectionSizeIndexChange(int Index)
{
    writeNumber(DetectionSizeNumber, Index);
}

void EDIT_CONTROL::PolygonOut1ClickedChange() { shapeChange(0, Polygon); }
void EDIT_CONTROL::ArcOut1ClickedChange() { shapeChange(0, Arc); }
void EDIT_CONTROL::RectangleOut1ClickedChange() { shapeChange(0, Rectangle); }
void EDIT_CONTROL::PolygonOut2ClickedChange() { shapeChange(1, Polygon); }
void EDIT_CONTROL::ArcOut2ClickedChange() { shapeChange(1, Arc); }
void EDIT_CONTROL::RectangleOut2ClickedChange() { shapeChange(1, Rectangle); }
void EDIT_CONTROL::StraightOut2ClickedChange() { shapeChange(1, Straight); }
void EDIT_CONTROL::FanOut2ClickedChange() { shapeChange(1, Fan); }
void EDIT_CONTROL::RatioOut2ClickedChange() { shapeChange(1, Ratio); }
void EDIT_CONTROL::PolygonOut3ClickedChange() { shapeChange(2, Polygon); }
void EDIT_CONTROL::ArcOut3ClickedChange() { shapeChange(2, Arc); }
void EDIT_CONTROL::RectangleOut3ClickedChange() { shapeChange(2, Rectangle); }
void EDIT_CONTROL::StraightOut3ClickedChange() { shapeChange(2, Straight); }
void EDIT_CONTROL::FanOut3ClickedChange() { shapeChange(2, Fan); }
void EDIT_CONTROL::RatioOut3ClickedChange() { shapeChange(2, Ratio); }

// Indexes outside 0..2 (a click beside the tabs reports -1) are ignored by the document.
void EDIT_CONTROL::AreaEditTabChannel(int Index)
{
    m_model->setCurrentField(Index);
}

void EDIT_CONTROL::writeNumber(int index, qint32 value)
{
    AreaRecord area = m_model->current();
    area.setNumber(index, value);
    m_model->editCurrentArea(area);
    emit EditControlParaChangeSignal();
}

void EDIT_CONTROL::shapeChange(int field, qint32 shape)
{
    checkShapeButton(field, shape);
    AreaRecord area = m_model->current();
    if (!ChooseFieldShape(area, field, shape))
        return;
    m_model->editCurrentArea(area);
    emit EditControlShapeChangeSignal();
}

void EDIT_CONTROL::checkShapeButton(int field, qint32 shape)
{
    const FieldShapeButtons &buttons = m_widgets.shapeButtons[field];
    for (int i = 0; i < ShapeButtonCount; ++i) {
        if (buttons[i])
            buttons[i]->setChecked(i == shape);
    }
}

}  // namespace veltrix
