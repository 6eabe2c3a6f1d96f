#include "core/project/projectstorage.h"

#include "core/project/project.h"
#include "core/project/projectfile.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>

namespace veltrix {

ProjectFileStatus OpenProjectFile(Project &project, const QString &fileName, int expectedModel,
                                  QString *error)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        if (error)
            *error = file.errorString();
        return ProjectFileStatus::NotOpened;
    }
    ProjectContents contents = project.contents();
    if (!ReadProject(file, expectedModel, contents, error))
        return ProjectFileStatus::Refused;
    project.applyOpened(contents, fileName);
    return ProjectFileStatus::Done;
}

bool SaveProjectFile(Project &project, const QString &fileName, const QDate &savedOn,
                     QString *error)
{
    QSaveFile file(fileName);
    QString reason;
    bool written = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (written)
        written = WriteProject(file, project.contents(), savedOn, &reason);
    else
        reason = file.errorString();
    if (written) {
        written = file.commit();
        if (!written)
            reason = file.errorString();
    } else {
        file.cancelWriting();
    }
    if (!written) {
        if (error)
            *error = reason;
        return false;
    }
    project.setFileName(fileName);
    project.markSaved();
    return true;
}

}  // namespace veltrix
