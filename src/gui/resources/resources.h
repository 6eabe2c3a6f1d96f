#pragma once

namespace veltrix {

// Registers the images compiled into veltrix_gui (":/images/..."). A resource file in
// a static library is only linked in when something refers to it, so every entry
// point that shows images (the main window, dialogs built on their own in tests)
// calls this first. Calling it more than once is harmless.
void initResources();

}  // namespace veltrix
