#pragma once

#include <array>
#include <cstddef>

namespace veltrix {

// The five scanner models, by model index 0..4.
struct DeviceModel
{
    const char *name;  // "05" .. "50", as in the project file extensions ".KT05" .. ".KT50"
    int rangeSquare;   // side of the square scene range, mm
    int minimumZoom;   // lowest zoom level of the view, also its level after a model change
    int rangeLimit;    // longest distance the scanner reports, mm
};

constexpr int DeviceModelCount = 5;

// The closest zoom level of the view, the same for every model.
constexpr int MaximumZoomLevel = 350;

constexpr std::array<DeviceModel, DeviceModelCount> DeviceModels = {{
    {"05", 12000, 70, 6000},
    {"10", 24000, 30, 12000},
    {"20", 48000, -20, 24000},
    {"30", 72000, -55, 36000},
    {"50", 120000, -90, 60000},
}};

// The model of an index, or nullptr for an index outside 0..4.
inline const DeviceModel *deviceModel(int index)
{
    return index >= 0 && index < DeviceModelCount ? &DeviceModels[static_cast<std::size_t>(index)]
                                                  : nullptr;
}

}  // namespace veltrix
