#include "core/project/project.h"

#include "core/project/devicemodels.h"
namespace veltrix {

namespace {

bool sameContents(const ProjectContents &a, const ProjectContents &b)
{
    return a.modelIndex == b.modelIndex && a.settings == b.settings && a.areas == b.areas;
}

}  // namespace

Project::Project(QObject *parent) : QObject(parent), m_saved(contents())
{
    connect(&m_areas, &AreaModel::modifiedChanged, this, &Project::modifiedChanged);
}

void Project::setModelIndex(int modelIndex)
{
    if (!deviceModel(modelIndex))
        return;
    m_modelIndex = modelIndex;
    emit modelChanged(m_modelIndex);
}

void Project::setParameters(const SensorParameters &parameters)
{
    if (parameters == m_parameters)
        return;
    m_parameters = parameters;
    emit parametersChanged();
}

void Project::setFileName(const QString &fileName)
{
    if (fileName == m_fileName)
        return;
    m_fileName = fileName;
    emit fileNameChanged(m_fileName);
}

ScannerConfiguration Project::configuration() const
{
    ScannerConfiguration configuration;
    configuration.parameters = m_parameters;
    configuration.areas = m_areas.areas();
    return configuration;
}

void Project::applyConfiguration(const ScannerConfiguration &configuration)
{
    setParameters(configuration.parameters);
    m_areas.replaceAllAreas(configuration.areas);
    m_areas.startFreshHistories();
    // Whatever was unsaved is gone now; what counts is whether the file still holds
    // what the project holds, so that a later Save does not pass for a no-op.
    setModified(!matchesSavedContents());
}

ProjectContents Project::contents() const
{
    ProjectContents contents;
    contents.modelIndex = m_modelIndex;
    contents.settings = ProjectSettingsOf(m_parameters);
    contents.areas = m_areas.areas();
    return contents;
}

bool Project::matchesSavedContents() const
{
    return sameContents(contents(), m_saved);
}

void Project::markSaved()
{
    m_saved = contents();
    setModified(false);
}

void Project::applyOpened(const ProjectContents &contents, const QString &fileName)
{
    if (contents.modelIndex != m_modelIndex)
        setModelIndex(contents.modelIndex);
    setParameters(ParametersFromProjectSettings(contents.settings, m_parameters));
    m_areas.replaceAllAreas(contents.areas);
    m_areas.startFreshHistories();
    setFileName(fileName);
    markSaved();
}

void Project::startNew(int modelIndex)
{
    if (modelIndex != m_modelIndex)
        setModelIndex(modelIndex);
    m_areas.setModified(false);
    m_areas.replaceAllAreas(AreasForNewProject(m_areas.areas()));
    m_areas.startFreshHistories();
    setParameters(SensorParameters());
    setFileName(QString());
    markSaved();
}

}  // namespace veltrix
