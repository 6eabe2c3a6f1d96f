#pragma once

#include "core/areas/arearecord.h"

#include <QDockWidget>
#include <array>
#include <memory>

class QAction;
class QScrollArea;
class QSplitter;
class QToolBar;

namespace Ui {
class EditionDock;
class FieldEditPage;
}

namespace veltrix {

class AreaModel;
class AREA_TABLE;
class COORD_TABLE;
class EDIT_CONTROL;
struct TeachPageWidgets;

// The Edit menu's actions on whole areas, as the window's form names them. None is
// owned.
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

// The edition dock (EditionControlDock): its form and the three editors on one document (the area list, the coordinate tables and the edit
// controls), with the Edit actions connected to the list. Each editor follows the
// document by itself. The three Out pages are one form, built once per field; their
// widgets carry the field's number at the end of their names (ButtonPolygonOut2).
//
// The list's green edit marker goes on the current area whenever one of its points is
// edited: here, in the tables or by a shape change, and in the view, where the window
// connects the scene's handle edits (PointItemChannelSignal()) to the same slot.
class EditionDock : public QDockWidget
{
    Q_OBJECT

public:
    // Widths of a first start, before any saved layout exists: wide enough for the
    // shape buttons, with room for the thumbnails.
    static constexpr int DefaultWidth = 410;
    static constexpr int AreaListWidth = 170;

    EditionDock(AreaModel *document, const AreaEditActions &actions, QWidget *parent = nullptr);
    ~EditionDock() override;

    AREA_TABLE *areaTable() const { return m_areaTable.get(); }
    COORD_TABLE *coordTable() const { return m_coordTable.get(); }
    EDIT_CONTROL *editControl() const { return m_editControl.get(); }
    // The Teaching page of field 0..2.
    TeachPageWidgets teachPage(int field) const;

    // The area list beside the field editors, and the parameter tabs over the Out tabs.
    QSplitter *areaSplitter() const;
    QSplitter *fieldSplitter() const;
    // Puts the area tool bar (the window's Copy .. Delete All) over the area list.
    void setToolBar(QToolBar *toolBar);

    // Divides the dock between the area list and the field editors as a first start has it.
    void applyDefaultSplit();

protected:
    void changeEvent(QEvent *event) override;

private:
    void buildFieldPages();
    void createEditors(AreaModel *document, const AreaEditActions &actions);
    void retranslate();
    void fitParameterTabs();

    std::unique_ptr<Ui::EditionDock> m_ui;
    // The Out pages' forms and the widgets they are built on.
    std::array<std::unique_ptr<Ui::FieldEditPage>, FieldCount> m_pages;
    std::array<QScrollArea *, FieldCount> m_pageWidgets{};
    std::unique_ptr<AREA_TABLE> m_areaTable;
    std::unique_ptr<COORD_TABLE> m_coordTable;
    std::unique_ptr<EDIT_CONTROL> m_editControl;
};

}  // namespace veltrix
