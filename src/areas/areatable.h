#pragma once

#include <QTableWidget>
#include <QVector>

class QAction;
class QMenu;

namespace veltrix {

class AreaModel;
class PAINT_TABLE;

// Drives the list of the 64 areas in the edition dock (number, edit marker and
// thumbnail per row): a click makes an area current. Owns the whole-area operations of
// the Edit menu (copy, cut, paste, delete, delete all) and per-area undo and redo over
// the snapshot histories kept in the model.
//
// Derives from QTableWidget for its place among the dock's controllers but is only a
// controller: created without a parent and never shown. The visible table and the
// actions belong to the form; the thumbnails are created here and handed to the
// visible table as cell widgets.
class AREA_TABLE : public QTableWidget
{
    Q_OBJECT

public:
    AREA_TABLE(AreaModel *model, QTableWidget *areaTableWidget, QAction *copyAction,
               QAction *cutAction, QAction *pasteAction, QAction *deleteAction);

    // The thumbnail that draws area `area` (0..63).
    PAINT_TABLE *thumbnail(int area) const;
    // The context menu, built on first use.
    QMenu *contextMenu() const { return m_menu; }

signals:
    // One or more areas were replaced as a whole (cut, paste, delete, undo, redo).
    void EditAreaDataSignal();
    // currentArea changed.
    void AreaTableIndexChange();

public slots:
    void SetEditAreaTableDisplay();
    void ResetEditAreaTableDisplay();
    void AreaTableWidgetAllDisplay();
    void AreaTableWidgetCurDisplay();
    void CopyAreaTableData();
    void CutAreaTableData();
    void PasteAreaTableData();
    void DeleteAreaTableData();
    void DeleteAllAreaTableData();
    void UndoAreaTableData();
    void RedoAreaTableData();
    void SaveUndoAreaTableData();
    void SaveAllUndoAreaTableData();
    void AreaTableMenuEvent(QPoint pos);
    void AreaTableClickChangeSlots(int Row, int Column);

private:
    void setUpTable();
    void displayRow(int row);
    void setEditMarker(const QColor &color);

    AreaModel *m_model;
    QTableWidget *m_table;
    QVector<PAINT_TABLE *> m_thumbnails;
    QMenu *m_menu;
    QAction *m_copyAction;
    QAction *m_cutAction;
    QAction *m_pasteAction;
    QAction *m_deleteAction;
};

}  // namespace veltrix
