#pragma once

#include "core/areas/areamodel.h"
#include "core/link/scannerconfiguration.h"
#include "core/link/sensorparameters.h"
#include "core/project/projectfile.h"

#include <QObject>
#include <QString>

namespace veltrix {

// The whole project the user works on: the scanner model, the scanner's parameter
// block, the 64 areas with their editing state, the file the project was last opened
// from or saved to, and whether there are unsaved changes. Like the area document it
// holds, it announces every change it makes, so that the window, the docks and the
// view follow it instead of being told by whoever changed it. It has no widgets: a
// command line can open, change and save a project with it.
//
// The unsaved-changes mark is the area document's (areas().isModified()), one mark
// for everything the project file holds. The project also keeps what its file holds
// (as last opened or saved; a new project's blank contents until then), so that a
// whole configuration arriving from elsewhere marks it changed only when it differs.
class Project : public QObject
{
    Q_OBJECT

public:
    explicit Project(QObject *parent = nullptr);

    AreaModel &areas() { return m_areas; }
    const AreaModel &areas() const { return m_areas; }

    // Scanner model 0..4 (05, 10, 20, 30, 50). Other values are ignored. Setting the
    // model it already has announces it again: the views start over at that model's
    // zoom, as with any model chosen.
    int modelIndex() const { return m_modelIndex; }
    void setModelIndex(int modelIndex);

    const SensorParameters &parameters() const { return m_parameters; }
    // A whole new parameter block, announced with parametersChanged().
    void setParameters(const SensorParameters &parameters);
    // The block itself, for the sensor dock, which stores the one setting the user
    // changed and announces that with its own signal (SENSOR_SETTING::ParametersEdited()).
    SensorParameters *parameterBlock() { return &m_parameters; }

    QString fileName() const { return m_fileName; }
    void setFileName(const QString &fileName);

    bool isModified() const { return m_areas.isModified(); }
    void setModified(bool modified) { m_areas.setModified(modified); }

    // What a scanner holds of the project: the parameter block and the 64 areas.
    ScannerConfiguration configuration() const;
    // A whole scanner configuration at once (a completed read-all): the block and
    // every area are replaced together, the undo histories start again from them, and
    // the project counts as modified unless it now holds exactly what its file holds.
    void applyConfiguration(const ScannerConfiguration &configuration);

    // What a project file holds of the project now.
    ProjectContents contents() const;
    // True when contents() is what the project's file holds (for a project without a
    // file: what it held when it was started).
    bool matchesSavedContents() const;
    // The project's file now holds contents(): nothing is unsaved.
    void markSaved();

    // A project file read completely: its model first (so that whatever depends on the
    // model follows before its areas are shown), then its settings and areas. The
    // undo histories start again from the opened areas, and nothing is unsaved.
    void applyOpened(const ProjectContents &contents, const QString &fileName);

    // A new project of model 0..4: blank fields (each area keeps its steering and
    // speed ranges and its channel group), the parameter block as a new scanner has
    // it, nothing modified, no file, fresh undo histories. The current area and field
    // and the clipboard stay.
    void startNew(int modelIndex);

signals:
    void modelChanged(int modelIndex);
    void parametersChanged();
    void fileNameChanged(const QString &fileName);
    // The unsaved-changes mark was set or cleared.
    void modifiedChanged(bool modified);

private:
    AreaModel m_areas;
    int m_modelIndex = 0;
    SensorParameters m_parameters;
    QString m_fileName;
    ProjectContents m_saved;
};

}  // namespace veltrix
