#include "core/link/crc32.h"

#include <array>

namespace veltrix {

namespace {

constexpr quint32 ReflectedPolynomial = 0xEDB88320u;

constexpr std::array<quint32, 256> makeTable()
{
    std::array<quint32, 256> table{};
    for (quint32 i = 0; i < 256; ++i) {
        quint32 value = i;
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1u) ? (value >> 1) ^ ReflectedPolynomial : value >> 1;
        table[i] = value;
    }
    return table;
}

constexpr std::array<quint32, 256> Table = makeTable();

}  // namespace

quint32 crc32Update(quint32 state, const char *data, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i)
        state = Table[(state ^ static_cast<quint8>(data[i])) & 0xFFu] ^ (state >> 8);
    return state;
}

}  // namespace veltrix
