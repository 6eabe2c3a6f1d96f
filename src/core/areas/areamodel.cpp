#include "core/areas/areamodel.h"

#include "core/areas/areaoperations.h"

namespace veltrix {

namespace {

constexpr int NoArea = -1;

int clampArea(int area)
{
    return qBound(0, area, AreaCount - 1);
}

}  // namespace

AreaModel::AreaModel(QObject *parent) : QObject(parent)
{
}

const AreaRecord &AreaModel::area(int index) const
{
    return m_state.areas.at(clampArea(index));
}

const QVector<AreaRecord> &AreaModel::undoHistory(int area) const
{
    return m_state.undoHistory.at(clampArea(area));
}

int AreaModel::undoCursor(int area) const
{
    return m_state.undoCursor.at(clampArea(area));
}

void AreaModel::setCurrentArea(int area)
{
    area = clampArea(area);
    if (area == m_state.currentArea)
        return;
    m_state.currentArea = area;
    emit currentAreaChanged(area);
}

void AreaModel::setCurrentField(int field)
{
    if (field < 0 || field >= FieldCount || field == m_state.currentField)
        return;
    m_state.currentField = field;
    emit currentFieldChanged(field);
}

void AreaModel::setModified(bool modified)
{
    const bool wasModified = m_state.modified;
    m_state.modified = modified;
    announce(NoArea, wasModified);
}

bool AreaModel::store(int index, AreaRecord contents)
{
    BoundAreaPoints(contents);
    AreaRecord &target = m_state.areas[index];
    if (target == contents)
        return false;
    target = std::move(contents);
    return true;
}

void AreaModel::announce(int changedArea, bool wasModified)
{
    if (changedArea != NoArea)
        emit areaChanged(changedArea);
    if (m_state.modified != wasModified)
        emit modifiedChanged(m_state.modified);
}

void AreaModel::editCurrentArea(const AreaRecord &contents)
{
    const bool wasModified = m_state.modified;
    const int area = m_state.currentArea;
    const bool changed = store(area, contents);
    SaveUndoSnapshot(m_state, area);
    announce(changed ? area : NoArea, wasModified);
}

void AreaModel::replaceArea(int index, const AreaRecord &contents)
{
    if (index < 0 || index >= AreaCount)
        return;
    if (store(index, contents))
        emit areaChanged(index);
}

bool AreaModel::replaceAllAreas(const QVector<AreaRecord> &areas)
{
    if (areas.size() != AreaCount)
        return false;
    for (int index = 0; index < AreaCount; ++index)
        store(index, areas.at(index));
    emit areasReplaced();
    return true;
}

void AreaModel::resetToStartup()
{
    const int area = m_state.currentArea;
    const int field = m_state.currentField;
    const bool wasModified = m_state.modified;
    m_state.resetToStartup();
    if (m_state.currentArea != area)
        emit currentAreaChanged(m_state.currentArea);
    if (m_state.currentField != field)
        emit currentFieldChanged(m_state.currentField);
    emit areasReplaced();
    announce(NoArea, wasModified);
}

void AreaModel::saveUndoSnapshot()
{
    const bool wasModified = m_state.modified;
    SaveUndoSnapshot(m_state, m_state.currentArea);
    announce(NoArea, wasModified);
}

void AreaModel::saveAllUndoSnapshots()
{
    const bool wasModified = m_state.modified;
    SaveAllUndoSnapshots(m_state);
    announce(NoArea, wasModified);
}

void AreaModel::startFreshHistories()
{
    StartFreshHistories(m_state);
}

bool AreaModel::stepHistory(bool (*step)(AreaModelState &))
{
    const bool wasModified = m_state.modified;
    const int area = m_state.currentArea;
    const AreaRecord before = m_state.areas.at(area);
    const bool replaced = step(m_state);
    announce(m_state.areas.at(area) != before ? area : NoArea, wasModified);
    return replaced;
}

bool AreaModel::undo()
{
    return stepHistory(UndoCurrentArea);
}

bool AreaModel::redo()
{
    return stepHistory(RedoCurrentArea);
}

void AreaModel::applyToCurrentArea(void (*operation)(AreaModelState &))
{
    const bool wasModified = m_state.modified;
    const int area = m_state.currentArea;
    const AreaRecord before = m_state.areas.at(area);
    operation(m_state);
    SaveUndoSnapshot(m_state, area);
    announce(m_state.areas.at(area) != before ? area : NoArea, wasModified);
}

void AreaModel::copyCurrentArea()
{
    CopyCurrentArea(m_state);
}

void AreaModel::cutCurrentArea()
{
    applyToCurrentArea(CutCurrentArea);
}

void AreaModel::pasteIntoCurrentArea()
{
    applyToCurrentArea(PasteIntoCurrentArea);
}

void AreaModel::deleteCurrentArea()
{
    applyToCurrentArea(DeleteCurrentArea);
}

void AreaModel::deleteAllAreas()
{
    const bool wasModified = m_state.modified;
    DeleteAllAreas(m_state);
    SaveAllUndoSnapshots(m_state);
    emit areasReplaced();
    announce(NoArea, wasModified);
}

}  // namespace veltrix
