#include "core/app/version.h"

namespace veltrix {

QString ProgramVersion()
{
    // Defined for this file alone, so that a new version compiles nothing else again.
    return QStringLiteral(VELTRIX_VERSION);
}

}  // namespace veltrix
