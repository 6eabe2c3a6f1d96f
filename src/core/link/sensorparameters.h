#pragma once

#include <QtGlobal>

#include <array>

namespace veltrix {

constexpr int SensorParameterCount = 26;  // words 0..25 travel in "RPara"
constexpr int WrittenParameterCount = 22; // words 0..21 travel in "WPara"

// The scanner's own configuration as one block of 26 words. Combo-box settings hold
// the item index, spin-box settings the value. Only the low 16 bits of each word travel
// on the wire. Owned by the main window; the link and the settings dock share it.
struct SensorParameters
{
    SensorParameters() { resetToDefaults(); }

    std::array<quint32, SensorParameterCount> words{};

    quint32 &operator[](int index) { return words[static_cast<size_t>(index)]; }
    quint32 operator[](int index) const { return words[static_cast<size_t>(index)]; }

    // The values a fresh project starts with. Words 16..19 (Ethernet mode, scan
    // frequency, angular resolution, filter) have no factory value of their own and
    // start at 0, the first item of each list.
    void resetToDefaults();

    friend bool operator==(const SensorParameters &a, const SensorParameters &b)
    {
        return a.words == b.words;
    }
    friend bool operator!=(const SensorParameters &a, const SensorParameters &b) { return !(a == b); }
};

// Word numbers with a meaning of their own outside the settings dock.
enum SensorParameterWord : int {
    InstallDirectionWord = 14,  // 0 forward, 1 inverted mounting
    ScanFrequencyWord = 17,
    FilterLevelWord = 19,
    IpAddressHighWord = 20,     // first octet x 256 + second octet
    IpAddressLowWord = 21,      // third octet x 256 + fourth octet
};

}  // namespace veltrix
