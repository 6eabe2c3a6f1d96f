#include "core/link/crc16.h"

#include <array>

namespace veltrix {

namespace {

constexpr quint16 CrcInitial = 0xFFFF;
constexpr quint16 CrcPolynomial = 0xA001;

constexpr std::array<quint16, 256> makeCrcTable()
{
    std::array<quint16, 256> table{};
    for (int byte = 0; byte < 256; ++byte) {
        quint16 crc = static_cast<quint16>(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1u) ? static_cast<quint16>((crc >> 1) ^ CrcPolynomial)
                             : static_cast<quint16>(crc >> 1);
        table[static_cast<size_t>(byte)] = crc;
    }
    return table;
}

constexpr std::array<quint16, 256> CrcTable = makeCrcTable();

}  // namespace

quint16 crc16(const char *data, int length)
{
    quint16 crc = CrcInitial;
    for (int i = 0; i < length; ++i) {
        const quint8 index = static_cast<quint8>(crc ^ static_cast<quint8>(data[i]));
        crc = static_cast<quint16>((crc >> 8) ^ CrcTable[index]);
    }
    return crc;
}

void putCrc(char *frame, int length)
{
    const quint16 crc = crc16(frame, length);
    frame[length] = static_cast<char>(crc & 0xFF);
    frame[length + 1] = static_cast<char>(crc >> 8);
}

bool checkCrc(const char *frame, int length)
{
    const quint16 crc = crc16(frame, length);
    return static_cast<quint8>(frame[length]) == (crc & 0xFF)
        && static_cast<quint8>(frame[length + 1]) == (crc >> 8);
}

}  // namespace veltrix
