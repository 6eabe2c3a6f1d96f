#include "gui/resources/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function in the enclosing namespace, so it
// has to be expanded at global scope.
static void registerImageResources()
{
    Q_INIT_RESOURCE(veltrix_images);
}

namespace veltrix {

bool lazyPngIconsRegistered();  // lazyicons.cpp

void initResources()
{
    static const bool registered = [] {
        registerImageResources();
        return lazyPngIconsRegistered();
    }();
    Q_UNUSED(registered)
}

}  // namespace veltrix
