#pragma once

#include <QtGlobal>

namespace veltrix {

enum DisplayModes : qint32 { DisplayGraph = 0, DisplayCloud = 1, DisplayLine = 2 };

// How the user likes the live scan drawn; remembered between runs.
struct DisplayPreferences
{
    qint32 DisplayMode = DisplayGraph;
};

}  // namespace veltrix
