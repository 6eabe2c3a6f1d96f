#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>

namespace veltrix {

// Every frame starts with a five-letter ASCII mnemonic; its length is fixed by the
// mnemonic (the "Cloud" packet carries its own point count instead).
constexpr int MnemonicLength = 5;
constexpr int TransmitBufferSize = 1264;  // the longest request, an area frame

constexpr int PlainRequestLength = 7;     // mnemonic + CRC
constexpr int AreaRequestLength = 8;      // "RArea": mnemonic, area index, CRC
constexpr int AutoRequestLength = 8;      // "RAuto": mnemonic, 0 or 1, CRC
constexpr int AcknowledgeLength = 8;      // write replies and "RBoot": mnemonic, byte, CRC
constexpr int ParameterFrameLength = 67;
constexpr int AreaFrameLength = 1264;
constexpr int CaseFrameLength = 647;
constexpr int SimulationRequestLength = 18;
constexpr int SimulationReplyLength = 13;
constexpr int ScanReplyLength = 1085;     // 540 values, no CRC
constexpr int ProductReplyLength = 19;
constexpr int ProductReplyLongLength = 509;
constexpr int CloudHeaderLength = 12;
constexpr int CloudPointLength = 4;

// The receive buffer is emptied when it grows past this after the decoders ran.
constexpr int ReceiveBufferLimit = 50000;

enum class FrameId : int {
    RPrda, RPara, WPara, RArea, WArea, RCase, WCase, RBoot, WSimu, RScan, RStre, RAuto, Cloud
};
constexpr int FrameIdCount = 13;

struct FrameInfo
{
    FrameId id;
    const char *mnemonic;   // five letters, NUL-terminated
    int requestLength;      // 0: never sent by the tool
    int replyLength;        // 0: no reply; "Cloud": its header length; "RPrda": short form
    bool replyHasCrc;
};

const FrameInfo &frameInfo(FrameId id);

// The table entry whose mnemonic starts data (at least five bytes), or nullptr. Lets a
// scanner-side reader tell which request it is looking at.
const FrameInfo *frameInfoFor(const char *data, int length);

enum class TakeResult {
    NotFound,    // no mnemonic in the buffer
    Incomplete,  // mnemonic found, frame not complete yet: nothing removed
    Valid,       // frame removed and returned (CRC correct or not carried)
    BadCrc,      // frame removed and dropped
    Dropped,     // "Cloud" header that can never complete: its mnemonic removed
};

// Finds the first occurrence of mnemonic in buffer; once length bytes are present
// from there, removes exactly those bytes into frame and checks the CRC held in the
// last two of them when withCrc is set.
TakeResult takeFrame(QByteArray &buffer, const char *mnemonic, int length, bool withCrc,
                     QByteArray &frame);

// "RPrda": a 19-byte reply whose CRC fails may be the start of the 509-byte form, so
// it waits for 509 bytes before deciding.
TakeResult takeProductFrame(QByteArray &buffer, QByteArray &frame);

// "Cloud": reads the 12-byte header first, then waits for 12 + 4 N bytes. A header
// announcing more bytes than the receive buffer may ever hold is dropped (only its
// mnemonic, so nothing that follows is lost), so it cannot block later packets.
TakeResult takeCloudPacket(QByteArray &buffer, QByteArray &frame);

// The reply of id as the frame table describes it (mnemonic, length, checksum), taken
// from buffer as takeFrame does; "RPrda" and "Cloud" as the two functions above.
TakeResult takeReply(QByteArray &buffer, FrameId id, QByteArray &frame);

// Big-endian and little-endian 16-bit helpers for payloads.
inline quint16 readU16(const char *p)
{
    return static_cast<quint16>((static_cast<quint8>(p[0]) << 8) | static_cast<quint8>(p[1]));
}
inline qint16 readS16(const char *p) { return static_cast<qint16>(readU16(p)); }
inline quint16 readU16Le(const char *p)
{
    return static_cast<quint16>((static_cast<quint8>(p[1]) << 8) | static_cast<quint8>(p[0]));
}
inline void writeU16(char *p, quint32 value)
{
    p[0] = static_cast<char>((value >> 8) & 0xFF);
    p[1] = static_cast<char>(value & 0xFF);
}
inline void writeU16Le(char *p, quint32 value)
{
    p[0] = static_cast<char>(value & 0xFF);
    p[1] = static_cast<char>((value >> 8) & 0xFF);
}

}  // namespace veltrix
