#pragma once

#include "core/areas/arearecord.h"
#include "gui/areas/editcontrol.h"

#include <array>
#include <memory>

class QAction;
class QTableWidget;

namespace veltrix {

class AreaModel;
class AREA_TABLE;
class COORD_TABLE;

// The Edit menu's actions on whole areas, as the form names them. None is owned.
struct AreaEditActions
{
    QAction *copy = nullptr;       // Copy
    QAction *cut = nullptr;        // Cut
    QAction *paste = nullptr;      // Paste
    QAction *remove = nullptr;     // Delete
    QAction *removeAll = nullptr;  // DeleteAll
    QAction *undo = nullptr;       // Undo
    QAction *redo = nullptr;       // Redo
};

// The widgets of the edition dock that the area editors drive. None is owned.
struct EditionWidgets
{
    QTableWidget *areaTable = nullptr;                            // AreaTableWidget
    std::array<QTableWidget *, FieldCount> coordTables{};         // CoordTableWidgetOut1..3
    std::array<QTableWidget *, FieldCount> polarTables{};         // PolarTableWidgeOut1..3
    EditControlWidgets controls;
    AreaEditActions actions;
};

// The three editors of the edition dock on one document: the area list, the coordinate
// tables and the edit controls, with the Edit actions connected to the list. Each
// follows the document by itself; the only tie between two of them is the list's edit
// marker, set by a point typed into the coordinate tables. The main window builds its
// editors here, and so do the tests and benchmarks, so that they exercise the same
// wiring.
class AreaEditors
{
public:
    AreaEditors(AreaModel *document, const EditionWidgets &widgets);
    ~AreaEditors();

    AREA_TABLE *areaTable() const { return m_areaTable.get(); }
    COORD_TABLE *coordTable() const { return m_coordTable.get(); }
    EDIT_CONTROL *editControl() const { return m_editControl.get(); }

private:
    std::unique_ptr<AREA_TABLE> m_areaTable;
    std::unique_ptr<COORD_TABLE> m_coordTable;
    std::unique_ptr<EDIT_CONTROL> m_editControl;
};

}  // namespace veltrix
