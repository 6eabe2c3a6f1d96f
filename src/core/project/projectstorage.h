#pragma once

#include <QString>

class QDate;

namespace veltrix {

class Project;

// Opening a project file of model 0..4, or of any model.
constexpr int AnyProjectModel = -1;

enum class ProjectFileStatus {
    Done,
    NotOpened,  // the file could not be opened for reading
    Refused,    // the file was opened but is not a complete project file (of that model)
};

// Reads the project file into `project` as a whole: nothing changes unless the file
// reads completely (ReadProject); then the project takes its model, settings and
// areas, every area becomes an undo step and fileName is the project's file. With
// expectedModel 0..4 only a file of that model is taken. *error (if given) says why
// a file was not taken.
ProjectFileStatus OpenProjectFile(Project &project, const QString &fileName, int expectedModel,
                                  QString *error = nullptr);

// Writes the project to fileName through a save file, which replaces an existing file
// only once every byte of the new one is written. Then fileName is the project's file
// and nothing is unsaved. Returns false with the reason in *error (if given), leaving
// the project and any old file as they were.
bool SaveProjectFile(Project &project, const QString &fileName, const QDate &savedOn,
                     QString *error = nullptr);

}  // namespace veltrix
