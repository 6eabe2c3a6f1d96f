#include "scannerconfig.h"

namespace veltrix {

int scannerModelIndex(const QString &name)
{
    for (size_t i = 0; i < ScannerModels.size(); ++i) {
        if (name == QLatin1String(ScannerModels[i].name))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace veltrix
