#include "areachange.h"
#include "core/areas/areamodel.h"
#include "gui/areas/editcontrol.h"
#include "editiondockundertest.h"

#include <QAbstractItemView>
#include <QTabBar>
#include <QtTest>

using namespace veltrix;
using namespace veltrix::testing;

using Points = QVector<QPoint>;
Q_DECLARE_METATYPE(Points)

namespace {

struct Fixture
{
    AreaModel model;
    EditionDockUnderTest dock{&model};
    EDIT_CONTROL &control = dock.controls();
    QSignalSpy paraChanges{&control, &EDIT_CONTROL::EditControlParaChangeSignal};
    QSignalSpy shapeChanges{&control, &EDIT_CONTROL::EditControlShapeChangeSignal};

    QToolButton *button(int field, int shape) const { return dock.shapeButtons[field][shape]; }

    QVector<bool> checkStates(int field) const
    {
        QVector<bool> states;
        for (QToolButton *b : dock.shapeButtons[field])
            states << b->isChecked();
        return states;
    }
};

QVector<bool> onlyChecked(int shape)
{
    QVector<bool> states(ShapeButtonCount, false);
    states[shape] = true;
    return states;
}

// Picks entry `index` of a combo box the way a user does: open the list, move to
// the entry with the arrow keys, press Return.
void chooseEntry(QComboBox *box, int index)
{
    box->showPopup();
    QAbstractItemView *list = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    list->setFocus();
    while (list->currentIndex().row() < index)
        QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex().row() > index)
        QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Return);
    QTRY_VERIFY(!list->window()->isVisible());
}

// Types a value into a spin box and finishes the edit with Return.
void typeIntoSpinBox(QSpinBox *box, int value)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, QString::number(value));
    QTest::keyClick(box, Qt::Key_Return);
}

}  // namespace

class TestEditControl : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void constructionResetsShapesOfTheCurrentArea();
    void shapeButtons_data();
    void shapeButtons();
    void ratioSlotWorksWhenCalled();
    void everyShapeSlotSetsItsFieldAndShape_data();
    void everyShapeSlotSetsItsFieldAndShape();
    void reloadShowsTheCurrentArea();
    void reloadKeepsButtonsForAnOutOfRangeShape_data();
    void reloadKeepsButtonsForAnOutOfRangeShape();
    void comboChoiceWritesItsField_data();
    void comboChoiceWritesItsField();
    void sameDelayAgainStillSnapshots();
    void finishingOneSpinBoxWritesAllCaseFields_data();
    void finishingOneSpinBoxWritesAllCaseFields();
    void operationModeWritesAllCaseFields();
    void tabClickSetsCurrentField_data();
    void tabClickSetsCurrentField();
    void otherTabIndexesChangeNothing();
};

void TestEditControl::construction()
{
    Fixture f;
    QCOMPARE(f.dock.steerMin->minimum(), -180);
    QCOMPARE(f.dock.steerMax->maximum(), 180);
    QCOMPARE(f.dock.speedMin->minimum(), -300);
    QCOMPARE(f.dock.speedMax->maximum(), 300);
    for (int field = 0; field < FieldCount; ++field) {
        for (int shape : {Polygon, Arc, Rectangle}) {
            QVERIFY(f.button(field, shape)->isCheckable());
            QVERIFY(f.button(field, shape)->isEnabled());
        }
        QCOMPARE(f.checkStates(field), onlyChecked(Polygon));
        QVERIFY(f.button(field, Ratio)->isCheckable() == (field > 0));
        QVERIFY(!f.button(field, Ratio)->isEnabled());
    }
    for (int shape : {Straight, Fan, Ratio})
        QVERIFY(!f.button(0, shape)->isEnabled());
    for (int field : {1, 2}) {
        for (int shape : {Straight, Fan}) {
            QVERIFY(f.button(field, shape)->isCheckable());
            QVERIFY(f.button(field, shape)->isEnabled());
        }
    }
}

void TestEditControl::constructionResetsShapesOfTheCurrentArea()
{
    AreaModel model;
    model.setCurrentArea(9);
    changeArea(model, 9, [](AreaRecord &area) {
        area.out1Shape = Arc;
        area.out2Shape = Fan;
        area.out3Shape = Ratio;
        area.out2Points = {{0, 700}};
    });
    changeArea(model, 10, [](AreaRecord &area) { area.out2Shape = Fan; });
    EditionDockUnderTest dock(&model);
    for (int field = 0; field < FieldCount; ++field)
        QCOMPARE(model.area(9).shape(field), qint32(Polygon));
    QCOMPARE(model.area(9).out2Points, (Points{{0, 700}}));
    QCOMPARE(model.area(10).out2Shape, qint32(Fan));
}

void TestEditControl::shapeButtons_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("oldShape");
    QTest::addColumn<Points>("before");
    QTest::addColumn<int>("clicked");
    QTest::addColumn<Points>("after");
    QTest::addColumn<int>("emitted");

    const Points seven{{1, 10}, {2, 10}, {3, 10}, {4, 10}, {5, 10}, {6, 10}, {7, 10}};
    QTest::newRow("Arc again emits nothing") << 1 << int(Arc) << Points{{900, 0}, {0, 900}}
                                             << int(Arc) << Points{{900, 0}, {0, 900}} << 0;
    QTest::newRow("Rectangle over seven points") << 0 << int(Polygon) << seven << int(Rectangle)
                                                 << Points(4, {20, 0}) << 1;
    QTest::newRow("Polygon keeps rectangle points") << 0 << int(Rectangle) << Points(4, {20, 0})
                                                    << int(Polygon) << Points(4, {20, 0}) << 1;
    QTest::newRow("Fan for Out3") << 2 << int(Polygon) << seven << int(Fan) << Points{{0, 20}} << 1;
    QTest::newRow("Straight for Out2") << 1 << int(Rectangle) << Points(4, {20, 0}) << int(Straight)
                                       << Points{{0, 20}} << 1;
    QTest::newRow("Arc for Out3") << 2 << int(Fan) << Points{{0, 300}} << int(Arc)
                                  << Points(2, {20, 0}) << 1;
    QTest::newRow("Polygon again") << 2 << int(Polygon) << seven << int(Polygon) << seven << 0;
    QTest::newRow("disabled Out1 Fan") << 0 << int(Polygon) << seven << int(Fan) << seven << 0;
}

void TestEditControl::shapeButtons()
{
    QFETCH(int, field);
    QFETCH(int, oldShape);
    QFETCH(Points, before);
    QFETCH(int, clicked);
    QFETCH(Points, after);
    QFETCH(int, emitted);

    Fixture f;
    f.model.setCurrentArea(4);
    changeArea(f.model, 4, [&](AreaRecord &area) {
        area.setShape(field, oldShape);
        area.points(field) = before;
    });
    f.control.EditControlUpdateEditData();
    f.dock.areaEditTab->setCurrentIndex(field);
    QVERIFY(f.dock.showActive());

    const QVector<bool> statesBefore = f.checkStates(field);
    QTest::mouseClick(f.button(field, clicked), Qt::LeftButton);

    const bool enabled = f.button(field, clicked)->isEnabled();
    QCOMPARE(f.model.area(4).shape(field), enabled ? clicked : oldShape);
    QCOMPARE(f.model.area(4).points(field), after);
    QCOMPARE(f.shapeChanges.count(), emitted);
    QCOMPARE(f.paraChanges.count(), 0);
    QCOMPARE(f.checkStates(field), enabled ? onlyChecked(clicked) : statesBefore);
    QCOMPARE(f.model.area(5), AreaModel().area(5));
}

void TestEditControl::ratioSlotWorksWhenCalled()
{
    Fixture f;
    changeArea(f.model, 0, [](AreaRecord &area) { area.out3Points = {{100, 100}, {200, 200}}; });
    f.control.RatioOut3ClickedChange();
    QCOMPARE(f.model.current().out3Shape, qint32(Ratio));
    QCOMPARE(f.model.current().out3Points, (Points{{0, 20}}));
    QCOMPARE(f.checkStates(2), onlyChecked(Ratio));
    QCOMPARE(f.shapeChanges.count(), 1);
}

void TestEditControl::everyShapeSlotSetsItsFieldAndShape_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::addColumn<Points>("points");
    static const char *const names[] = {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"};
    const Points initial[] = {{{5, 6}, {7, 8}}, Points(2, {20, 0}), Points(4, {20, 0}),
                              {{0, 20}}, {{0, 20}}, {{0, 20}}};
    for (int field = 0; field < FieldCount; ++field) {
        for (int shape = 0; shape < (field == 0 ? 3 : 6); ++shape) {
            const QByteArray slot = QByteArray(names[shape]) + "Out" + QByteArray::number(field + 1)
                + "ClickedChange";
            QTest::newRow(slot.constData()) << field << shape << initial[shape];
        }
    }
}

// The fifteen slots, called by name: each must change its own field to its own shape.
void TestEditControl::everyShapeSlotSetsItsFieldAndShape()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    QFETCH(Points, points);
    Fixture f;
    // A stored shape that no slot chooses, so that every slot makes a change.
    changeArea(f.model, 0, [](AreaRecord &area) {
        for (int other = 0; other < FieldCount; ++other) {
            area.setShape(other, 7);
            area.points(other) = {{5, 6}, {7, 8}};
        }
    });
    const AreaRecord before = f.model.current();
    QVERIFY(QMetaObject::invokeMethod(&f.control, QTest::currentDataTag()));
    QCOMPARE(f.model.current().shape(field), qint32(shape));
    QCOMPARE(f.model.current().points(field), points);
    QCOMPARE(f.checkStates(field), onlyChecked(shape));
    for (int other = 0; other < FieldCount; ++other) {
        if (other != field) {
            QCOMPARE(f.model.current().shape(other), before.shape(other));
            QCOMPARE(f.model.current().points(other), before.points(other));
        }
    }
    QCOMPARE(f.shapeChanges.count(), 1);
}

void TestEditControl::reloadShowsTheCurrentArea()
{
    Fixture f;
    AreaRecord area;
    area.openDelay = 25;
    area.closeDelay = 3;
    area.hysteresis = 10;
    area.detectionSize = 9;
    area.steerMinDgree = -170;
    area.steerMaxDgree = 45;
    area.vehicleMinSpeed = -300;
    area.vehicleMaxSpeed = 120;
    area.vehicleOptionMode = 4;
    area.out1Shape = Rectangle;
    area.out1Points = QVector<QPoint>(4, {20, 0});
    area.out2Shape = Fan;
    area.out2Points = {{0, 500}};
    area.out3Shape = Ratio;
    area.out3Points = {{0, 200}};
    f.model.replaceArea(31, area);
    f.model.setCurrentArea(31);
    f.control.EditControlUpdateEditData();

    QCOMPARE(f.dock.openDelay->currentText(), QStringLiteral("500ms"));
    QCOMPARE(f.dock.closeDelay->currentText(), QStringLiteral("60ms"));
    QCOMPARE(f.dock.hysteresis->currentText(), QStringLiteral("10%"));
    QCOMPARE(f.dock.detectionSize->currentText(), QStringLiteral("5.0°"));
    QCOMPARE(f.dock.steerMin->value(), -170);
    QCOMPARE(f.dock.steerMax->value(), 45);
    QCOMPARE(f.dock.speedMin->value(), -300);
    QCOMPARE(f.dock.speedMax->value(), 120);
    QCOMPARE(f.dock.optionMode->currentIndex(), 4);
    QCOMPARE(f.checkStates(0), onlyChecked(Rectangle));
    QCOMPARE(f.checkStates(1), onlyChecked(Fan));
    QCOMPARE(f.checkStates(2), onlyChecked(Ratio));
    QCOMPARE(f.model.area(31), area);
    QCOMPARE(f.paraChanges.count(), 0);
    QCOMPARE(f.shapeChanges.count(), 0);
}

void TestEditControl::reloadKeepsButtonsForAnOutOfRangeShape_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<int>("shape");
    QTest::newRow("Out1 fan") << 0 << int(Fan);
    QTest::newRow("Out1 ratio") << 0 << int(Ratio);
    QTest::newRow("Out2 six") << 1 << 6;
    QTest::newRow("Out3 negative") << 2 << -1;
}

void TestEditControl::reloadKeepsButtonsForAnOutOfRangeShape()
{
    QFETCH(int, field);
    QFETCH(int, shape);
    Fixture f;
    changeArea(f.model, 0, [&](AreaRecord &area) {
        area.setShape(field, Arc);
        area.points(field) = {{500, 0}, {0, 500}};
    });
    f.control.EditControlUpdateEditData();
    QCOMPARE(f.checkStates(field), onlyChecked(Arc));

    changeArea(f.model, 2, [&](AreaRecord &area) {
        area.setShape(field, shape);
        area.points(field) = {{0, 300}};
    });
    f.model.setCurrentArea(2);
    f.control.EditControlUpdateEditData();
    QCOMPARE(f.checkStates(field), onlyChecked(Arc));
    QCOMPARE(f.model.current().shape(field), qint32(shape));
    QCOMPARE(f.model.current().points(field), (Points{{0, 300}}));
    QCOMPARE(f.shapeChanges.count(), 0);
}

void TestEditControl::comboChoiceWritesItsField_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("index");
    QTest::newRow("on delay") << "Area_OpenDelay" << 0 << 7;
    QTest::newRow("off delay") << "Area_CloseDelay" << 1 << 25;
    QTest::newRow("hysteresis") << "Area_Hysteresis" << 2 << 3;
    QTest::newRow("detection size") << "Area_DetectionSize" << 3 << 0;
}

void TestEditControl::comboChoiceWritesItsField()
{
    QFETCH(QString, name);
    QFETCH(int, number);
    QFETCH(int, index);
    Fixture f;
    f.model.setCurrentArea(6);
    QVERIFY(f.dock.showActive());
    auto *box = f.dock.dock.findChild<QComboBox *>(name);
    QVERIFY(box);
    chooseEntry(box, index);
    QCOMPARE(f.model.area(6).number(number), index);
    QCOMPARE(f.paraChanges.count(), 1);
    for (int other = 0; other < AreaNumberCount; ++other) {
        if (other != number)
            QCOMPARE(f.model.area(6).number(other), AreaModel().area(6).number(other));
    }
}

void TestEditControl::sameDelayAgainStillSnapshots()
{
    Fixture f;
    QVERIFY(f.dock.showActive());
    chooseEntry(f.dock.openDelay, 5);
    chooseEntry(f.dock.openDelay, 5);
    QCOMPARE(f.model.current().openDelay, 5);
    QCOMPARE(f.paraChanges.count(), 2);
    QCOMPARE(f.model.undoHistory(0).size(), 3);
    QCOMPARE(f.model.undoCursor(0), 2);
}

void TestEditControl::finishingOneSpinBoxWritesAllCaseFields_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("value");
    QTest::newRow("steer min") << "SteerMinDgree" << -45;
    QTest::newRow("steer max") << "SteerMaxDgree" << 170;
    QTest::newRow("speed min") << "VehicleMinSpeed" << -250;
    QTest::newRow("speed max") << "VehicleMaxSpeed" << 299;
}

void TestEditControl::finishingOneSpinBoxWritesAllCaseFields()
{
    QFETCH(QString, name);
    QFETCH(int, value);
    Fixture f;
    // Values shown but not yet written to the area (as after a reload of another area).
    f.dock.steerMin->setValue(-10);
    f.dock.steerMax->setValue(20);
    f.dock.speedMin->setValue(-30);
    f.dock.speedMax->setValue(40);
    f.dock.optionMode->setCurrentIndex(3);
    QCOMPARE(f.model.current().steerMaxDgree, 0);

    f.dock.dock.findChild<QTabWidget *>(QStringLiteral("ParametersEditTab"))->setCurrentIndex(1);
    QVERIFY(f.dock.showActive());
    auto *box = f.dock.dock.findChild<QSpinBox *>(name);
    QVERIFY(box);
    typeIntoSpinBox(box, value);
    QCOMPARE(box->value(), value);
    const AreaRecord &area = f.model.current();
    QCOMPARE(area.steerMinDgree, f.dock.steerMin->value());
    QCOMPARE(area.steerMaxDgree, f.dock.steerMax->value());
    QCOMPARE(area.vehicleMinSpeed, f.dock.speedMin->value());
    QCOMPARE(area.vehicleMaxSpeed, f.dock.speedMax->value());
    QCOMPARE(area.vehicleOptionMode, 3);
    QCOMPARE(f.paraChanges.count(), 1);
    QCOMPARE(area.openDelay, 0);
    QCOMPARE(area.detectionSize, 1);
}

void TestEditControl::operationModeWritesAllCaseFields()
{
    Fixture f;
    f.dock.steerMin->setValue(-90);
    f.dock.speedMax->setValue(100);
    f.dock.dock.findChild<QTabWidget *>(QStringLiteral("ParametersEditTab"))->setCurrentIndex(1);
    QVERIFY(f.dock.showActive());
    chooseEntry(f.dock.optionMode, 2);
    QCOMPARE(f.model.current().vehicleOptionMode, 2);
    QCOMPARE(f.model.current().steerMinDgree, -90);
    QCOMPARE(f.model.current().vehicleMaxSpeed, 100);
    QCOMPARE(f.paraChanges.count(), 1);
}

void TestEditControl::tabClickSetsCurrentField_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("field");
    QTest::newRow("Out 2") << 1 << 1;
    QTest::newRow("Out 3") << 2 << 2;
    QTest::newRow("Out 1") << 0 << 0;
}

void TestEditControl::tabClickSetsCurrentField()
{
    QFETCH(int, tab);
    QFETCH(int, field);
    Fixture f;
    f.model.setCurrentField(1);
    QVERIFY(f.dock.showActive());
    QTabBar *bar = f.dock.areaEditTab->tabBar();
    QSignalSpy clicks(f.dock.areaEditTab, &QTabWidget::tabBarClicked);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(tab).center());
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(f.model.currentField(), field);
    QCOMPARE(f.paraChanges.count() + f.shapeChanges.count(), 0);
}

void TestEditControl::otherTabIndexesChangeNothing()
{
    Fixture f;
    f.model.setCurrentField(2);
    // The tab bar reports -1 for a click beside its tabs.
    for (int index : {-1, 3, 100}) {
        emit f.dock.areaEditTab->tabBarClicked(index);
        QCOMPARE(f.model.currentField(), 2);
    }
    emit f.dock.areaEditTab->tabBarClicked(0);
    QCOMPARE(f.model.currentField(), 0);
}

QTEST_MAIN(TestEditControl)
#include "tst_editcontrol.moc"
