#pragma once

#include "core/link/scannerconfiguration.h"

#include <QString>

namespace veltrix {
class Project;
}

namespace veltrix::cli {

// Reads the project file at path (of any model) into project; false, with one line in
// *error naming the file and, for a damaged file, the line, when it cannot.
bool openProject(const QString &path, Project &project, QString *error);

// Whether configuration fits the frames that carry it to a scanner; false, with one
// line in *error naming the area and field that does not, when it does not (nothing
// is sent then, as in the window).
bool travels(const ScannerConfiguration &configuration, QString *error);

}  // namespace veltrix::cli
