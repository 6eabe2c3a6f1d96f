#include "core/areas/areaoperations.h"

#include "core/areas/areamodelstate.h"

#include <QtGlobal>

namespace veltrix {

namespace {

bool isValidArea(int area)
{
    return area >= 0 && area < AreaCount;
}

// The cursor of `area` brought into its history, so that a history that was touched
// from outside can never be indexed out of range.
int clampedCursor(const AreaModelState &model, int area)
{
    const int size = model.undoHistory.at(area).size();
    return size == 0 ? -1 : qBound(0, model.undoCursor.at(area), size - 1);
}

// Steps the current area's cursor by `step` (-1 undo, +1 redo) and restores the entry
// it lands on, when that entry exists.
bool stepHistory(AreaModelState &model, int step)
{
    model.modified = true;
    const int area = model.clampCurrentArea();
    const int cursor = clampedCursor(model, area);
    const int target = cursor + step;
    if (cursor < 0 || target < 0 || target >= model.undoHistory.at(area).size())
        return false;
    model.undoCursor[area] = target;
    model.areas[area] = model.undoHistory.at(area).at(target);
    return true;
}

}  // namespace

void CopyCurrentArea(AreaModelState &model)
{
    model.clipboard = model.current();
}

void CutCurrentArea(AreaModelState &model)
{
    AreaRecord &area = model.current();
    model.clipboard = area;
    area = model.blankArea;
    model.modified = true;
}

void PasteIntoCurrentArea(AreaModelState &model)
{
    model.current() = model.clipboard;
    model.modified = true;
}

void DeleteCurrentArea(AreaModelState &model)
{
    model.current() = model.blankArea;
    model.modified = true;
}

void DeleteAllAreas(AreaModelState &model)
{
    for (AreaRecord &area : model.areas)
        area = model.blankArea;
    model.modified = true;
}

void SaveUndoSnapshot(AreaModelState &model, int area)
{
    if (!isValidArea(area))
        return;
    model.modified = true;
    QVector<AreaRecord> &history = model.undoHistory[area];
    const int cursor = clampedCursor(model, area);
    if (cursor < history.size() - 1)
        history.resize(cursor + 1);
    if (history.size() >= UndoHistoryLimit)
        history.remove(0, history.size() - UndoHistoryLimit + 1);
    history.append(model.areas.at(area));
    model.undoCursor[area] = history.size() - 1;
}

void SaveAllUndoSnapshots(AreaModelState &model)
{
    for (int area = 0; area < AreaCount; ++area)
        SaveUndoSnapshot(model, area);
}

void StartFreshHistories(AreaModelState &model)
{
    for (int area = 0; area < AreaCount; ++area) {
        model.undoHistory[area] = QVector<AreaRecord>{model.areas.at(area)};
        model.undoCursor[area] = 0;
    }
}

bool UndoCurrentArea(AreaModelState &model)
{
    return stepHistory(model, -1);
}

bool RedoCurrentArea(AreaModelState &model)
{
    return stepHistory(model, +1);
}

}  // namespace veltrix
