#pragma once

#include "areas/arearecord.h"
#include "areas/simulationblock.h"

#include <QVector>

namespace veltrix {

constexpr int AreaCount = 64;
constexpr int UndoHistoryLimit = 100;

// The document the user edits: 64 areas of three output fields each. One instance
// exists per process; editors, views, the project file and the link share it by
// pointer and announce their own changes with signals. It has no lock: everything
// runs on the user-interface thread.
class AreaModel
{
public:
    AreaModel();

    double rangeWidth = 12000.0;   // square scene range of the scanner model, mm
    double rangeHeight = 12000.0;
    bool modified = false;
    int currentArea = 0;           // 0..63; see current()
    int currentField = 0;          // 0 Out1, 1 Out2, 2 Out3
    QVector<AreaRecord> areas;     // always exactly AreaCount entries
    AreaRecord clipboard;
    const AreaRecord blankArea;
    QVector<int> undoCursor;                    // per area: index of the snapshot equal to the area
    QVector<QVector<AreaRecord>> undoHistory;   // per area: at most UndoHistoryLimit snapshots
    SimulationBlock simulation;

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
