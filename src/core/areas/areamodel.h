#pragma once

#include "core/areas/areamodelstate.h"

#include <QObject>

namespace veltrix {

// The document the user edits: 64 protective areas of three output fields each, the
// area and field being edited, the area clipboard, the per-area undo histories and
// whether there are unsaved changes. It is the only way to change them, and it says
// what changed: the area list, the coordinate tables, the edit controls and the scene
// each listen and bring themselves up to date, and none of them refreshes another.
// So whatever changes the areas (an editor, a read-all, an opened file, a new project,
// the active area the scanner reports) shows in every view.
//
// Points are held within +-CoordinateLimit however they arrive: typed, dragged,
// derived by a shape rule, read from the wire or from a file.
class AreaModel : public QObject
{
    Q_OBJECT

public:
    explicit AreaModel(QObject *parent = nullptr);

    const QVector<AreaRecord> &areas() const { return m_state.areas; }
    const AreaRecord &area(int index) const;  // index clamped into 0..63
    const AreaRecord &current() const { return m_state.areas.at(m_state.currentArea); }
    int currentArea() const { return m_state.currentArea; }
    int currentField() const { return m_state.currentField; }
    bool isModified() const { return m_state.modified; }
    const AreaRecord &clipboard() const { return m_state.clipboard; }
    const AreaRecord &blankArea() const { return m_state.blankArea; }
    const QVector<AreaRecord> &undoHistory(int area) const;  // area clamped into 0..63
    int undoCursor(int area) const;

    // The area and field being edited. An area outside 0..63 is taken as the nearest
    // one; a field outside 0..2 is ignored.
    void setCurrentArea(int area);
    void setCurrentField(int field);
    void setModified(bool modified);

    // The user changed the current area: it is stored and becomes an undo step (also
    // when nothing changed: choosing the same delay again counts as an edit).
    void editCurrentArea(const AreaRecord &contents);

    // Area `index` (0..63; others are ignored) becomes `contents`, with no undo step
    // and `modified` left alone: an area read from the scanner, or a step of a handle
    // drag, whose release takes the undo snapshot.
    void replaceArea(int index, const AreaRecord &contents);
    // All 64 areas at once, as an opened file, a new project or the case data of a
    // read-all bring them; same rules. Refuses (returns false) any other count.
    bool replaceAllAreas(const QVector<AreaRecord> &areas);
    // Everything as the program starts: blank areas with detection size 1.0 degree,
    // fresh histories, area and field 0, nothing modified.
    void resetToStartup();

    // An undo step of the current area as it is now, or of every area.
    void saveUndoSnapshot();
    void saveAllUndoSnapshots();
    // Every area's history starts again from the area as it is now.
    void startFreshHistories();
    // Steps the current area back or forward in its history. Sets `modified` even when
    // there is no step to take; returns true when the area was replaced.
    bool undo();
    bool redo();

    // The area clipboard and deleting. Cut, paste, delete and delete all are undo steps
    // like every other change, so that one Undo brings back exactly what was there.
    void copyCurrentArea();
    void cutCurrentArea();
    void pasteIntoCurrentArea();
    void deleteCurrentArea();
    void deleteAllAreas();

signals:
    void areaChanged(int area);  // the contents of one area
    void currentAreaChanged(int area);
    void currentFieldChanged(int field);
    void areasReplaced();        // the contents of all areas at once
    void modifiedChanged(bool modified);

private:
    bool store(int index, AreaRecord contents);
    void applyToCurrentArea(void (*operation)(AreaModelState &));
    bool stepHistory(bool (*step)(AreaModelState &));
    void announce(int changedArea, bool wasModified);

    AreaModelState m_state;
};

}  // namespace veltrix
