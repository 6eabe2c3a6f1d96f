#include "gui/areas/areaeditors.h"

#include "gui/areas/areatable.h"
#include "gui/areas/coordtable.h"

#include <QAction>

namespace veltrix {

AreaEditors::AreaEditors(AreaModel *document, const EditionWidgets &widgets)
    : m_areaTable(std::make_unique<AREA_TABLE>(document, widgets.areaTable, widgets.actions.copy,
                                               widgets.actions.cut, widgets.actions.paste,
                                               widgets.actions.remove)),
      m_coordTable(std::make_unique<COORD_TABLE>(
          document, widgets.coordTables[0], widgets.coordTables[1], widgets.coordTables[2],
          widgets.polarTables[0], widgets.polarTables[1], widgets.polarTables[2])),
      m_editControl(std::make_unique<EDIT_CONTROL>(document, widgets.controls))
{
    AREA_TABLE *areas = m_areaTable.get();
    const AreaEditActions &actions = widgets.actions;
    QObject::connect(actions.undo, &QAction::triggered, areas, &AREA_TABLE::UndoAreaTableData);
    QObject::connect(actions.redo, &QAction::triggered, areas, &AREA_TABLE::RedoAreaTableData);
    QObject::connect(actions.copy, &QAction::triggered, areas, &AREA_TABLE::CopyAreaTableData);
    QObject::connect(actions.cut, &QAction::triggered, areas, &AREA_TABLE::CutAreaTableData);
    QObject::connect(actions.paste, &QAction::triggered, areas, &AREA_TABLE::PasteAreaTableData);
    QObject::connect(actions.remove, &QAction::triggered, areas, &AREA_TABLE::DeleteAreaTableData);
    QObject::connect(actions.removeAll, &QAction::triggered, areas,
                     &AREA_TABLE::DeleteAllAreaTableData);
    QObject::connect(m_coordTable.get(), &COORD_TABLE::CoordTableEditSignal, areas,
                     &AREA_TABLE::SetEditAreaTableDisplay);
    // The form's first entries are not area 0's values (its detection size is 1.0°).
    m_editControl->EditControlUpdateEditData();
}

AreaEditors::~AreaEditors() = default;

}  // namespace veltrix
