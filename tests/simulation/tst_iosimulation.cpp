#include "areas/areamodel.h"
#include "simulation/iosimulation.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSlider>
#include <QSpinBox>
#include <QToolButton>
#include <QtTest>

using namespace veltrix;

namespace {

// The dock's controls as the form makes them: checkable groups starting unchecked,
// checkable buttons, plain spin boxes and sliders.
struct Dock
{
    QWidget parent;
    IoSimulationWidgets w;
    AreaModel model;
    std::unique_ptr<IO_SIMULATION> controller;

    Dock()
    {
        for (QGroupBox **group : {&w.inputGroup, &w.outputGroup, &w.faultGroup, &w.caseGroup}) {
            *group = new QGroupBox(&parent);
            (*group)->setCheckable(true);
            (*group)->setChecked(false);
        }
        auto button = [this] {
            auto *b = new QToolButton(&parent);
            b->setCheckable(true);
            return b;
        };
        for (QToolButton *&b : w.inputButtons)
            b = button();
        for (QToolButton *&b : w.outputButtons)
            b = button();
        w.faultButton = button();
        for (QSpinBox **spin : {&w.inputSpin, &w.outputSpin, &w.degreeSpin, &w.speedSpin})
            *spin = new QSpinBox(&parent);
        w.degreeSlider = new QSlider(Qt::Horizontal, &parent);
        w.speedSlider = new QSlider(Qt::Horizontal, &parent);
        w.operationMode = new QComboBox(&parent);
        w.operationMode->addItems({"0", "1", "2", "3", "4"});
        controller = std::make_unique<IO_SIMULATION>(&model, w);
    }

    // A click on the group's check box, as the user gives it.
    static void toggle(QGroupBox *group) { QTest::keyClick(group, Qt::Key_Space); }

    const SimulationBlock &block() const { return model.simulation; }
};

QImage iconImage(const QToolButton *button)
{
    return button->icon().pixmap(25, 25).toImage();
}

QImage pictureImage(const QString &path)
{
    return QIcon(path).pixmap(25, 25).toImage();
}

}  // namespace

class TestIoSimulation : public QObject
{
    Q_OBJECT

private slots:
    void inputsFromSpinBoxAndButtons();
    void inputAndCaseSimulationExcludeEachOther();
    void outputsAndFault();
    void steeringAndSpeedPairsMirror();
};

void TestIoSimulation::inputsFromSpinBoxAndButtons()
{
    Dock dock;
    Dock::toggle(dock.w.inputGroup);
    QVERIFY(dock.w.inputGroup->isChecked());

    // 37 lights inputs 1, 3 and 6.
    dock.w.inputSpin->setValue(37);
    for (int i = 0; i < SimulatedInputCount; ++i) {
        const bool on = (37 >> i) & 1;
        QCOMPARE(dock.w.inputButtons[i]->isChecked(), on);
        const QString picture = QStringLiteral(":/images/%1%2.png").arg(on ? "Green" : "Gray").arg(i + 1);
        QCOMPARE(iconImage(dock.w.inputButtons[i]), pictureImage(picture));
    }
    QCOMPARE(dock.block().inputSimulationOn, quint8(1));
    QCOMPARE(dock.block().simulatedInputs, 37);

    // A click on input 2 adds its bit and the spin box follows.
    QTest::mouseClick(dock.w.inputButtons[1], Qt::LeftButton);
    QCOMPARE(dock.w.inputSpin->value(), 39);
    QCOMPARE(dock.block().simulatedInputs, 39);

    // Off keeps the bits in the block; on again sends the same bits.
    Dock::toggle(dock.w.inputGroup);
    QCOMPARE(dock.block().inputSimulationOn, quint8(0));
    QCOMPARE(dock.block().simulatedInputs, 39);
    Dock::toggle(dock.w.inputGroup);
    QCOMPARE(dock.block().inputSimulationOn, quint8(1));
    QCOMPARE(dock.block().simulatedInputs, 39);
}

void TestIoSimulation::inputAndCaseSimulationExcludeEachOther()
{
    Dock dock;
    Dock::toggle(dock.w.inputGroup);
    Dock::toggle(dock.w.caseGroup);
    QVERIFY(!dock.w.inputGroup->isChecked());
    QCOMPARE(dock.block().inputSimulationOn, quint8(0));
    QCOMPARE(dock.block().caseSimulationOn, quint8(1));

    Dock::toggle(dock.w.inputGroup);
    QVERIFY(!dock.w.caseGroup->isChecked());
    QCOMPARE(dock.block().inputSimulationOn, quint8(1));
    QCOMPARE(dock.block().caseSimulationOn, quint8(0));
}

void TestIoSimulation::outputsAndFault()
{
    Dock dock;
    Dock::toggle(dock.w.outputGroup);
    QTest::mouseClick(dock.w.outputButtons[2], Qt::LeftButton);
    QCOMPARE(dock.w.outputSpin->value(), 4);
    QCOMPARE(iconImage(dock.w.outputButtons[2]), pictureImage(":/images/Red3.png"));
    QCOMPARE(dock.block().outputSimulationOn, quint8(1));
    QCOMPARE(dock.block().simulatedOutputs, 4);

    Dock::toggle(dock.w.faultGroup);
    QTest::mouseClick(dock.w.faultButton, Qt::LeftButton);
    QCOMPARE(dock.block().faultSimulationOn, quint8(1));
    QCOMPARE(dock.block().simulatedFault, 1);
    // The group off sends no fault, although the button still shows one.
    Dock::toggle(dock.w.faultGroup);
    QCOMPARE(dock.block().faultSimulationOn, quint8(0));
    QCOMPARE(dock.block().simulatedFault, 0);
    QVERIFY(dock.w.faultButton->isChecked());
}

void TestIoSimulation::steeringAndSpeedPairsMirror()
{
    Dock dock;
    dock.w.degreeSlider->setValue(-180);
    QCOMPARE(dock.w.degreeSpin->value(), -180);
    QCOMPARE(dock.block().steeringAngle, -180);
    dock.w.speedSpin->setValue(250);
    QCOMPARE(dock.w.speedSlider->value(), 250);
    QCOMPARE(dock.block().vehicleSpeed, 250);
    dock.w.operationMode->setCurrentIndex(3);
    QCOMPARE(dock.block().operationMode, 3);
}

QTEST_MAIN(TestIoSimulation)
#include "tst_iosimulation.moc"
