#include "core/project/project.h"

#include "core/project/devicemodels.h"
#include "core/project/projectfile.h"

namespace veltrix {

Project::Project(QObject *parent) : QObject(parent)
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
}

ProjectContents Project::contents() const
{
    ProjectContents contents;
    contents.modelIndex = m_modelIndex;
    contents.settings = ProjectSettingsOf(m_parameters);
    contents.areas = m_areas.areas();
    return contents;
}

void Project::applyOpened(const ProjectContents &contents, const QString &fileName)
{
    if (contents.modelIndex != m_modelIndex)
        setModelIndex(contents.modelIndex);
    setParameters(ParametersFromProjectSettings(contents.settings, m_parameters));
    m_areas.replaceAllAreas(contents.areas);
    m_areas.saveAllUndoSnapshots();
    setFileName(fileName);
}

void Project::startNew(int modelIndex)
{
    if (modelIndex != m_modelIndex)
        setModelIndex(modelIndex);
    m_areas.setModified(false);
    m_areas.replaceAllAreas(AreasForNewProject(m_areas.areas()));
    setParameters(SensorParameters());
    setFileName(QString());
}

}  // namespace veltrix
