#pragma once

// The widgets of the edition dock, built the way the main window's form builds them
// (object names, items, nesting), for tests and benchmarks of the area editors, which
// build the editors on them with AreaEditors, as the main window does.

#include "gui/areas/areaeditors.h"
#include "gui/areas/editcontrol.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <array>

namespace veltrix {
namespace testing {

struct EditionDock
{
    QWidget root;
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
    QAction *copy = nullptr;
    QAction *cut = nullptr;
    QAction *paste = nullptr;
    QAction *remove = nullptr;
    QAction *removeAll = nullptr;
    QAction *undo = nullptr;
    QAction *redo = nullptr;

    EditionDock()
    {
        root.setObjectName(QStringLiteral("dockWidgetContents"));
        root.resize(700, 700);
        auto *layout = new QHBoxLayout(&root);

        areaTable = new QTableWidget(&root);
        areaTable->setObjectName(QStringLiteral("AreaTableWidget"));
        areaTable->setMinimumWidth(220);
        layout->addWidget(areaTable);

        auto *right = new QWidget(&root);
        auto *rightLayout = new QVBoxLayout(right);
        layout->addWidget(right, 1);

        auto *parameters = new QTabWidget(right);
        parameters->setObjectName(QStringLiteral("ParametersEditTab"));
        rightLayout->addWidget(parameters);
        auto *paramPage = new QWidget;
        paramPage->setObjectName(QStringLiteral("Parameters"));
        auto *paramGrid = new QGridLayout(paramPage);
        openDelay = combo(paramGrid, 0, QStringLiteral("Area_OpenDelay"), delayItems());
        closeDelay = combo(paramGrid, 1, QStringLiteral("Area_CloseDelay"), delayItems());
        hysteresis = combo(paramGrid, 2, QStringLiteral("Area_Hysteresis"), hysteresisItems());
        detectionSize = combo(paramGrid, 3, QStringLiteral("Area_DetectionSize"), detectionItems());
        parameters->addTab(paramPage, QStringLiteral("通道参数"));

        auto *casePage = new QWidget;
        casePage->setObjectName(QStringLiteral("CaseChannel"));
        auto *caseGrid = new QGridLayout(casePage);
        steerMin = spin(caseGrid, 0, 0, QStringLiteral("SteerMinDgree"));
        steerMax = spin(caseGrid, 0, 1, QStringLiteral("SteerMaxDgree"));
        speedMin = spin(caseGrid, 1, 0, QStringLiteral("VehicleMinSpeed"));
        speedMax = spin(caseGrid, 1, 1, QStringLiteral("VehicleMaxSpeed"));
        QStringList groups;
        for (int i = 1; i <= 5; ++i)
            groups << QStringLiteral("通道组%1").arg(i);
        optionMode = new QComboBox(casePage);
        optionMode->setObjectName(QStringLiteral("VehicleOptionMode"));
        optionMode->addItems(groups);
        caseGrid->addWidget(optionMode, 2, 0, 1, 2);
        parameters->addTab(casePage, QStringLiteral("智能选择"));

        areaEditTab = new QTabWidget(right);
        areaEditTab->setObjectName(QStringLiteral("AreaEditTab"));
        rightLayout->addWidget(areaEditTab, 1);
        static const char *const shapeNames[6] = {"Polygon", "Arc", "Rectangle",
                                                  "Straight", "Fan", "Ratio"};
        for (int field = 0; field < 3; ++field) {
            const QString out = QStringLiteral("Out%1").arg(field + 1);
            auto *page = new QWidget;
            page->setObjectName(QStringLiteral("TableArea") + out);
            auto *pageLayout = new QVBoxLayout(page);
            auto *buttonRow = new QHBoxLayout;
            pageLayout->addLayout(buttonRow);
            for (int shape = 0; shape < 6; ++shape) {
                auto *button = new QToolButton(page);
                button->setObjectName(QStringLiteral("Button%1%2").arg(QLatin1String(shapeNames[shape]), out));
                button->setText(QLatin1String(shapeNames[shape]));
                buttonRow->addWidget(button);
                shapeButtons[field][shape] = button;
            }
            auto *types = new QTabWidget(page);
            types->setObjectName(QStringLiteral("CoordinatesType") + out);
            types->setTabPosition(QTabWidget::South);
            coordTables[field] = new QTableWidget;
            coordTables[field]->setObjectName(QStringLiteral("CoordTableWidget") + out);
            polarTables[field] = new QTableWidget;
            polarTables[field]->setObjectName(QStringLiteral("PolarTableWidge") + out);
            types->addTab(coordTables[field], QStringLiteral("X/Y坐标"));
            types->addTab(polarTables[field], QStringLiteral("角度距离"));
            coordinatesType[field] = types;
            pageLayout->addWidget(types, 1);
            areaEditTab->addTab(page, QStringLiteral("输出%1").arg(field + 1));
        }

        copy = action(QStringLiteral("Copy"), QKeySequence(QStringLiteral("Ctrl+C")));
        cut = action(QStringLiteral("Cut"), QKeySequence(QStringLiteral("Ctrl+X")));
        paste = action(QStringLiteral("Paste"), QKeySequence(QStringLiteral("Ctrl+V")));
        remove = action(QStringLiteral("Delete"), QKeySequence(QStringLiteral("Ctrl+D")));
        removeAll = action(QStringLiteral("DeleteAll"), QKeySequence());
        undo = action(QStringLiteral("Undo"), QKeySequence(QStringLiteral("Ctrl+Z")));
        redo = action(QStringLiteral("Redo"), QKeySequence(QStringLiteral("Ctrl+Y")));
    }

    EditControlWidgets editWidgets() const
    {
        EditControlWidgets widgets;
        widgets.areaEditTab = areaEditTab;
        widgets.openDelay = openDelay;
        widgets.closeDelay = closeDelay;
        widgets.hysteresis = hysteresis;
        widgets.detectionSize = detectionSize;
        widgets.steerMinDgree = steerMin;
        widgets.steerMaxDgree = steerMax;
        widgets.vehicleMinSpeed = speedMin;
        widgets.vehicleMaxSpeed = speedMax;
        widgets.vehicleOptionMode = optionMode;
        for (int field = 0; field < 3; ++field) {
            for (int shape = 0; shape < 6; ++shape)
                widgets.shapeButtons[field][shape] = shapeButtons[field][shape];
        }
        return widgets;
    }

    EditionWidgets widgets() const
    {
        EditionWidgets all;
        all.areaTable = areaTable;
        for (int field = 0; field < 3; ++field) {
            all.coordTables[field] = coordTables[field];
            all.polarTables[field] = polarTables[field];
        }
        all.controls = editWidgets();
        all.actions = {copy, cut, paste, remove, removeAll, undo, redo};
        return all;
    }

    // Shows the dock and waits until it can take keyboard focus.
    bool showActive()
    {
        root.show();
        QApplication::setActiveWindow(&root);
        return QTest::qWaitForWindowActive(&root);
    }

    // Shows the page of `field` with its cartesian (page 0) or polar (page 1) table.
    void showTable(int field, int page)
    {
        areaEditTab->setCurrentIndex(field);
        coordinatesType[field]->setCurrentIndex(page);
    }

    static QStringList delayItems()
    {
        QStringList items;
        for (int i = 0; i <= 25; ++i)
            items << QStringLiteral("%1ms").arg(i * 20);
        return items;
    }

    static QStringList hysteresisItems()
    {
        QStringList items{QStringLiteral("关闭")};
        for (int i = 1; i <= 10; ++i)
            items << QStringLiteral("%1%").arg(i);
        return items;
    }

    static QStringList detectionItems()
    {
        QStringList items;
        for (int i = 1; i <= 10; ++i)
            items << QStringLiteral("%1°").arg(i * 0.5, 0, 'f', 1);
        return items;
    }

private:
    QComboBox *combo(QGridLayout *grid, int row, const QString &name, const QStringList &items)
    {
        auto *box = new QComboBox;
        box->setObjectName(name);
        box->addItems(items);
        grid->addWidget(box, row, 1);
        return box;
    }

    QSpinBox *spin(QGridLayout *grid, int row, int column, const QString &name)
    {
        auto *box = new QSpinBox;
        box->setObjectName(name);
        grid->addWidget(box, row, column + 1);
        return box;
    }

    QAction *action(const QString &name, const QKeySequence &shortcut)
    {
        auto *act = new QAction(name, &root);
        act->setObjectName(name);
        act->setShortcut(shortcut);
        root.addAction(act);
        return act;
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
