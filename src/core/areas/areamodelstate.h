#pragma once

#include "core/areas/arearecord.h"

#include <QVector>

namespace veltrix {

constexpr int AreaCount = 64;
constexpr int UndoHistoryLimit = 100;

// Everything the area document holds, as a plain value: the 64 areas, the area and
// field being edited, the area clipboard, the per-area undo histories and whether
// there are unsaved changes. The pure editing functions (areaoperations.h) work on
// it; the program reaches it only through AreaModel, which keeps its invariants and
// announces every change.
struct AreaModelState
{
    AreaModelState();

    bool modified = false;
    int currentArea = 0;           // 0..63; see current()
    int currentField = 0;          // 0 Out1, 1 Out2, 2 Out3
    QVector<AreaRecord> areas;     // always exactly AreaCount entries
    AreaRecord clipboard;
    const AreaRecord blankArea;
    QVector<int> undoCursor;                    // per area: index of the snapshot equal to the area
    QVector<QVector<AreaRecord>> undoHistory;   // per area: at most UndoHistoryLimit snapshots

    // currentArea brought into 0..63 and stored back, as every reader and writer that
    // indexes areas with it must do first.
    int clampCurrentArea();
    AreaRecord &current();

    // currentField brought into 0..2.
    int clampedField() const;

    // The state the program starts with: every area blank but with detection size
    // index 1 (1.0 degree), histories reset to one blank snapshot.
    void resetToStartup();
};

}  // namespace veltrix
