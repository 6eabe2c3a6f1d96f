#pragma once

#include <QtGlobal>

namespace veltrix {

constexpr int CrcLength = 2;

// CRC-16/MODBUS (initial 0xFFFF, reflected polynomial 0xA001, no final XOR) over
// length bytes, computed with a 256-entry table.
quint16 crc16(const char *data, int length);

// Writes the CRC of the first length bytes of frame into frame[length] (low byte) and
// frame[length + 1] (high byte).
void putCrc(char *frame, int length);

// True when frame[length], frame[length + 1] hold the CRC of the first length bytes.
bool checkCrc(const char *frame, int length);

}  // namespace veltrix
