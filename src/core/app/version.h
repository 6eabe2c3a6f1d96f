#pragma once

#include <QString>

namespace veltrix {

// The program's version, "1.3.7", as the build system's project version gives it: the
// one place the program, the emulator, the about dialog and the package take it from.
QString ProgramVersion();

}  // namespace veltrix
