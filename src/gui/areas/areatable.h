#pragma once

#include "core/link/scannerconfiguration.h"

#include <QTableWidget>
#include <QVector>

#include <functional>

class QAction;
class QMenu;

namespace veltrix {

class AreaModel;
class PAINT_TABLE;

// Drives the list of the 64 areas in the edition dock (number, edit marker and
// thumbnail per row): picking a row, by mouse or keyboard, makes that area current,
// and the list follows the document wherever the current area or an area's contents
// changed. The Edit menu's whole-area operations (copy, cut, paste, delete, delete
// all) and per-area undo and redo arrive here and are carried out by the document.
//
// Derives from QTableWidget for its place among the dock's controllers but is only a
// controller: created without a parent and never shown. The visible table and the
// actions belong to the form; the thumbnails are created here and handed to the
// visible table as cell widgets. Each row's tool tip names the area's configuration
// checksum, worked out when the tip is asked for.
class AREA_TABLE : public QTableWidget
{
    Q_OBJECT

public:
    AREA_TABLE(AreaModel *model, QTableWidget *areaTableWidget, QAction *copyAction,
               QAction *cutAction, QAction *pasteAction, QAction *deleteAction);

    // The thumbnail that draws area `area` (0..63).
    PAINT_TABLE *thumbnail(int area) const;
    // Scanner model 0..4: the thumbnails cut straight fields at its range square.
    void SetDeviceType(int modelIndex);
    // The context menu, built on first use.
    QMenu *contextMenu() const { return m_menu; }

    // Where the area checksums come from: the whole configuration (the mounting in the
    // parameters decides how areas travel). Without one, the areas with the
    // parameters of a new scanner.
    using ConfigurationSource = std::function<ScannerConfiguration()>;
    void SetConfigurationSource(ConfigurationSource source) { m_source = std::move(source); }
    // The tool tip of area's row: its number and configuration checksum.
    QString areaToolTip(int area) const;

signals:
    // The Edit menu replaced one or more areas as a whole (cut, paste, delete, delete
    // all, undo, redo), also when that changed nothing. (Not connected in the program: see MainWindow::wireDocuments().)
    void EditAreaDataSignal();
    // The current area changed. (Not connected in the program: see MainWindow::wireDocuments().)
    void AreaTableIndexChange();

public slots:
    // The edit marker of the current area: green after a point edit, white again.
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
    // An undo step of the current area, or of every area. (Not connected in the program: see MainWindow::wireDocuments().)
    void SaveUndoAreaTableData();
    void SaveAllUndoAreaTableData();
    void AreaTableMenuEvent(QPoint pos);
    void AreaTableClickChangeSlots(int Row, int Column);

private:
    void setUpTable();
    void displayRow(int row);
    void setEditMarker(const QColor &color);
    void areaChanged(int area);
    void currentAreaChanged(int area);

    AreaModel *m_model;
    QTableWidget *m_table;
    QVector<PAINT_TABLE *> m_thumbnails;
    QMenu *m_menu;
    QAction *m_copyAction;
    QAction *m_cutAction;
    QAction *m_pasteAction;
    QAction *m_deleteAction;
    ConfigurationSource m_source;
};

}  // namespace veltrix
