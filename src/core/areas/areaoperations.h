#pragma once

namespace veltrix {

struct AreaModelState;

// Whole-area operations on the document: the area clipboard, deleting areas, and the
// per-area snapshot histories behind undo and redo. Each works on the current area
// (clamped to 0..63 first) unless it says otherwise. None of them takes a snapshot:
// the document (AreaModel) takes one after each change it applies.

// clipboard = current area. Leaves `modified` alone.
void CopyCurrentArea(AreaModelState &model);

// clipboard = current area, then the current area becomes blank. Sets `modified`.
void CutCurrentArea(AreaModelState &model);

// current area = clipboard. Sets `modified`.
void PasteIntoCurrentArea(AreaModelState &model);

// current area = blank. Sets `modified`.
void DeleteCurrentArea(AreaModelState &model);

// Every area becomes blank. Sets `modified`.
void DeleteAllAreas(AreaModelState &model);

// Appends a copy of area `area` to its history: redo states after the cursor are
// dropped, the oldest entry goes when the history is full, and the cursor moves to the
// new entry. Sets `modified`. An index outside 0..63 is ignored.
void SaveUndoSnapshot(AreaModelState &model, int area);

// A snapshot of every area, 0..63 in turn.
void SaveAllUndoSnapshots(AreaModelState &model);

// Every history starts again with the area as it is now as its only entry, so that no
// Undo can bring back an area of the document that was there before (an opened file,
// a configuration read from the scanner). `modified` is left alone.
void StartFreshHistories(AreaModelState &model);

// Steps the current area one entry back in its history and restores that entry.
// Sets `modified` even when the cursor is already at the start. Returns true when the
// area was replaced.
bool UndoCurrentArea(AreaModelState &model);

// Steps the current area one entry forward, if there is one. Same rules as undo.
bool RedoCurrentArea(AreaModelState &model);

}  // namespace veltrix
