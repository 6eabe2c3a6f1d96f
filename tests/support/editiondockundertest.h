#pragma once

// The real edition dock of the program on a document of its own, with the Edit actions
// the window gives it (texts, shortcuts), and its widgets found by their form names,
// for the tests and benchmarks of the area editors.

#include "core/areas/areamodel.h"
#include "gui/areas/areatable.h"
#include "gui/areas/coordtable.h"
#include "gui/areas/editcontrol.h"
#include "gui/areas/editiondock.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <array>

namespace veltrix {
namespace testing {

class EditionDockUnderTest
{
    // First: the actions below are made into it.
    QList<QAction *> m_actions;

public:
    explicit EditionDockUnderTest(AreaModel *model)
        : copy(action("Copy", "Ctrl+C")),
          cut(action("Cut", "Ctrl+X")),
          paste(action("Paste", "Ctrl+V")),
          remove(action("Delete", "Ctrl+D")),
          removeAll(action("DeleteAll", "")),
          undo(action("Undo", "Ctrl+Z")),
          redo(action("Redo", "Ctrl+Y")),
          dock(model, {copy, cut, paste, remove, removeAll, undo, redo})
    {
        for (QAction *edit : {copy, cut, paste, remove, removeAll, undo, redo})
            dock.addAction(edit);
        dock.resize(700, 700);
        areaTable = widget<QTableWidget>("AreaTableWidget");
        openDelay = widget<QComboBox>("Area_OpenDelay");
        closeDelay = widget<QComboBox>("Area_CloseDelay");
        hysteresis = widget<QComboBox>("Area_Hysteresis");
        detectionSize = widget<QComboBox>("Area_DetectionSize");
        steerMin = widget<QSpinBox>("SteerMinDgree");
        steerMax = widget<QSpinBox>("SteerMaxDgree");
        speedMin = widget<QSpinBox>("VehicleMinSpeed");
        speedMax = widget<QSpinBox>("VehicleMaxSpeed");
        optionMode = widget<QComboBox>("VehicleOptionMode");
        areaEditTab = widget<QTabWidget>("AreaEditTab");
        const char *const shapes[] = {"Polygon", "Arc", "Rectangle", "Straight", "Fan", "Ratio"};
        for (int field = 0; field < 3; ++field) {
            const QByteArray out = "Out" + QByteArray::number(field + 1);
            coordinatesType[field] = widget<QTabWidget>("CoordinatesType" + out);
            coordTables[field] = widget<QTableWidget>("CoordTableWidget" + out);
            polarTables[field] = widget<QTableWidget>("PolarTableWidge" + out);
            for (int shape = 0; shape < 6; ++shape)
                shapeButtons[field][shape] = widget<QToolButton>("Button" + QByteArray(shapes[shape]) + out);
        }
    }

    ~EditionDockUnderTest() { qDeleteAll(m_actions); }

    // Shows the dock and waits until it can take keyboard focus.
    bool showActive()
    {
        dock.show();
        QApplication::setActiveWindow(&dock);
        return QTest::qWaitForWindowActive(&dock);
    }

    // Shows the page of `field` with its cartesian (page 0) or polar (page 1) table.
    void showTable(int field, int page)
    {
        areaEditTab->setCurrentIndex(field);
        coordinatesType[field]->setCurrentIndex(page);
    }

    template<typename T>
    T *widget(const QByteArray &name) const
    {
        T *found = dock.findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qFatal("no widget %s in the edition dock", name.constData());
        return found;
    }

    AREA_TABLE &list() const { return *dock.areaTable(); }
    COORD_TABLE &coordinates() const { return *dock.coordTable(); }
    EDIT_CONTROL &controls() const { return *dock.editControl(); }

    QAction *copy;
    QAction *cut;
    QAction *paste;
    QAction *remove;
    QAction *removeAll;
    QAction *undo;
    QAction *redo;
    EditionDock dock;
    QTableWidget *areaTable = nullptr;
    QComboBox *openDelay = nullptr;
    QComboBox *closeDelay = nullptr;
    QComboBox *hysteresis = nullptr;
    QComboBox *detectionSize = nullptr;
    QSpinBox *steerMin = nullptr;
    QSpinBox *steerMax = nullptr;
    QSpinBox *speedMin = nullptr;
    QSpinBox *speedMax = nullptr;
    QComboBox *optionMode = nullptr;
    QTabWidget *areaEditTab = nullptr;
    std::array<QTabWidget *, 3> coordinatesType{};
    std::array<std::array<QToolButton *, 6>, 3> shapeButtons{};
    std::array<QTableWidget *, 3> coordTables{};
    std::array<QTableWidget *, 3> polarTables{};

private:
    QAction *action(const char *name, const char *shortcut)
    {
        auto *edit = new QAction(QString::fromLatin1(name));
        edit->setObjectName(QString::fromLatin1(name));
        edit->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
        m_actions.append(edit);
        return edit;
    }
};

// Edits a cell the way a user does: double-click it, select the editor's text, type,
// press Return. The view commits the entry from its event queue, so this waits until
// the editor has closed. Returns false when no editor opened or it did not close.
inline bool typeIntoCell(QTableWidget *table, int row, int column, const QString &text)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item)
        return false;
    table->scrollToItem(item);
    const QPoint centre = table->visualItemRect(item).center();
    // A double click is press, release, the double-click event and its release. The
    // last release also tells the test library that the button is up again, which its
    // double click alone leaves held for every later mouse event.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(table->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    auto *editor = qobject_cast<QLineEdit *>(table->indexWidget(table->model()->index(row, column)));
    if (!editor)
        return false;
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    const QModelIndex index = table->model()->index(row, column);
    // One round of the event queue commits it; waiting (which sleeps between looks)
    // is left for a queue that takes longer.
    QCoreApplication::processEvents();
    return !table->indexWidget(index) || QTest::qWaitFor([&] { return !table->indexWidget(index); });
}

}  // namespace testing
}  // namespace veltrix
