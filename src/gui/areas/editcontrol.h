#pragma once

#include "core/areas/arearecord.h"

#include <QObject>
#include <array>

class QAbstractButton;
class QComboBox;
class QSpinBox;
class QTabWidget;

namespace veltrix {

class AreaModel;

// Shape buttons of one field in the order of ShapeType: Polygon, Arc, Rectangle,
// Straight, Fan, Ratio.
constexpr int ShapeButtonCount = 6;
using FieldShapeButtons = std::array<QAbstractButton *, ShapeButtonCount>;

// The widgets of the edition dock that EDIT_CONTROL binds, as the form names them.
// None is owned.
struct EditControlWidgets
{
    QTabWidget *areaEditTab = nullptr;        // AreaEditTab: Out 1, Out 2, Out 3
    QComboBox *openDelay = nullptr;           // Area_OpenDelay
    QComboBox *closeDelay = nullptr;          // Area_CloseDelay
    QComboBox *hysteresis = nullptr;          // Area_Hysteresis
    QComboBox *detectionSize = nullptr;       // Area_DetectionSize
    QSpinBox *steerMinDgree = nullptr;        // SteerMinDgree
    QSpinBox *steerMaxDgree = nullptr;        // SteerMaxDgree
    QSpinBox *vehicleMinSpeed = nullptr;      // VehicleMinSpeed
    QSpinBox *vehicleMaxSpeed = nullptr;      // VehicleMaxSpeed
    QComboBox *vehicleOptionMode = nullptr;   // VehicleOptionMode
    std::array<FieldShapeButtons, FieldCount> shapeButtons{};  // ButtonPolygonOut1 .. ButtonRatioOut3
};

// Binds the parameter widgets and the shape buttons of the edition dock to the current
// area: hands every user choice to the document as an edit and announces it, picks the
// field being edited with the Out tabs, and reloads the widgets whenever the document's
// current area changed, whatever changed it. Keeps no state besides the pointers.
class EDIT_CONTROL : public QObject
{
    Q_OBJECT

public:
    EDIT_CONTROL(AreaModel *model, const EditControlWidgets &widgets, QObject *parent = nullptr);

signals:
    // One of the twelve numbers of the current area was written (even with its old
    // value). (Not connected in the program: see MainWindow::wireDocuments().)
    void EditControlParaChangeSignal();
    // A field of the current area got a new shape type and new points.
    void EditControlShapeChangeSignal();

public slots:
    void EditControlUpdateEditData();
    void OpenDelayIndexChange(int Index);
    void CloseDelayIndexChange(int Index);
    void HysteresisIndexChange(int Index);
    void CaseChannelParameterChange();
    void DetectionSizeIndexChange(int Index);
    void PolygonOut1ClickedChange();
    void ArcOut1ClickedChange();
    void RectangleOut1ClickedChange();
    void PolygonOut2ClickedChange();
    void ArcOut2ClickedChange();
    void RectangleOut2ClickedChange();
    void StraightOut2ClickedChange();
    void FanOut2ClickedChange();
    void RatioOut2ClickedChange();
    void PolygonOut3ClickedChange();
    void ArcOut3ClickedChange();
    void RectangleOut3ClickedChange();
    void StraightOut3ClickedChange();
    void FanOut3ClickedChange();
    void RatioOut3ClickedChange();
    void AreaEditTabChannel(int Index);

private:
    void configureWidgets();
    void connectWidgets();
    void writeNumber(int index, qint32 value);
    void shapeChange(int field, qint32 shape);
    void checkShapeButton(int field, qint32 shape);
    void areaChanged(int area);
    void showCurrentField(int field);

    AreaModel *m_model;
    EditControlWidgets m_widgets;
};

}  // namespace veltrix
