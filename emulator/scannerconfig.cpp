#include "scannerconfig.h"

namespace veltrix {

int scannerModelIndex(const QString &name)
{
    for (size_t i = 0; i < DeviceModels.size(); ++i) {
        if (name == QLatin1String(DeviceModels[i].name))
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace veltrix
