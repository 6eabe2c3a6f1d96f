#include "cli/projectinput.h"

#include "cli/clioutput.h"
#include "core/link/transfertexts.h"
#include "core/link/writealltransaction.h"
#include "core/project/project.h"
#include "core/project/projectstorage.h"

namespace veltrix::cli {

bool openProject(const QString &path, Project &project, QString *error)
{
    QString reason;
    switch (OpenProjectFile(project, path, AnyProjectModel, &reason)) {
    case ProjectFileStatus::Done:
        return true;
    case ProjectFileStatus::NotOpened:
        *error = Cli::tr("无法打开项目文件 %1：%2").arg(path, reason);
        return false;
    case ProjectFileStatus::Refused:
        break;
    }
    *error = Cli::tr("项目文件 %1 已损坏：%2").arg(path, reason);
    return false;
}

bool travels(const ScannerConfiguration &configuration, QString *error)
{
    UnsendableArea unsendable;
    if (!WriteAllTransaction::findUnsendable(configuration, &unsendable))
        return true;
    *error = transfertexts::unsendableText(unsendable);
    return false;
}

}  // namespace veltrix::cli
