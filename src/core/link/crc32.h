#pragma once

#include <QByteArray>
#include <QtGlobal>

namespace veltrix {

// CRC-32 as zlib and IEEE 802.3 compute it (reflected polynomial 0xEDB88320, initial
// and final XOR 0xFFFFFFFF). Feed pieces one after the other: start with Crc32Start,
// update with each piece, and finish once.
constexpr quint32 Crc32Start = 0xFFFFFFFFu;
quint32 crc32Update(quint32 state, const char *data, qsizetype length);
inline quint32 crc32Finish(quint32 state) { return state ^ 0xFFFFFFFFu; }

inline quint32 crc32(const QByteArray &data)
{
    return crc32Finish(crc32Update(Crc32Start, data.constData(), data.size()));
}

}  // namespace veltrix
