#include "core/areas/areamodelstate.h"

#include <QtGlobal>

namespace veltrix {

namespace {
constexpr qint32 StartupDetectionSize = 1;  // index 1 = 1.0 degree
}

AreaModelState::AreaModelState()
{
    resetToStartup();
}

int AreaModelState::clampCurrentArea()
{
    // Values above the last area behave as the last one; a negative value can only
    // come from corrupt input and is treated as the first area rather than indexing
    // outside the list.
    currentArea = qBound(0, currentArea, AreaCount - 1);
    return currentArea;
}

AreaRecord &AreaModelState::current()
{
    return areas[clampCurrentArea()];
}

int AreaModelState::clampedField() const
{
    return qBound(0, currentField, FieldCount - 1);
}

void AreaModelState::resetToStartup()
{
    AreaRecord startArea;
    startArea.detectionSize = StartupDetectionSize;
    areas = QVector<AreaRecord>(AreaCount, startArea);
    currentArea = 0;
    currentField = 0;
    modified = false;
    clipboard = AreaRecord();
    undoCursor = QVector<int>(AreaCount, 0);
    undoHistory = QVector<QVector<AreaRecord>>(AreaCount, QVector<AreaRecord>{blankArea});
}

}  // namespace veltrix
