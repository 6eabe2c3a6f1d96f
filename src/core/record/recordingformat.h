#pragma once

#include "core/record/recordedscan.h"

#include <QByteArray>
#include <QtGlobal>

#include <vector>

// The bytes of a scan recording, shared by its writer and its reader. The README
// describes the format; everything is little-endian.
namespace veltrix::recording {

constexpr char Magic[8] = {'V', 'X', 'R', 'E', 'C', '\r', '\n', '\x1a'};
constexpr int MagicSize = 8;
constexpr quint16 FormatVersion = 1;
constexpr int HeaderSize = 32;

// A record: tag, payload length, payload, CRC-32 over all that precedes it.
constexpr int RecordHeadSize = 8;
constexpr int RecordFrameSize = RecordHeadSize + 4;
constexpr quint32 tagOf(const char (&text)[5])
{
    return quint32(quint8(text[0])) | quint32(quint8(text[1])) << 8 | quint32(quint8(text[2])) << 16
        | quint32(quint8(text[3])) << 24;
}
constexpr quint32 ScanTag = tagOf("SCAN");
constexpr quint32 IndexTag = tagOf("INDX");
constexpr quint32 TailTag = tagOf("TAIL");

constexpr int ScanFixedSize = 16;        // number, time, link, flags, area, inputs, outputs, status
constexpr int MaxVarintSize = 5;         // a difference of two 32-bit values, zigzagged
qint64 maxScanPayload();
constexpr int IndexEntrySize = 12;       // offset (8), time (4)
constexpr int TailPayloadSize = 8;       // offset of the index record
constexpr int TailRecordSize = RecordFrameSize + TailPayloadSize;

struct IndexEntry
{
    qint64 offset = 0;   // of the scan's record
    quint32 timeMs = 0;
};

QByteArray encodeHeader(const RecordingHeader &header);
enum class HeaderCheck { Valid, Foreign, Newer, Damaged };
// bytes: the first HeaderSize bytes of the file (fewer when the file is shorter).
HeaderCheck decodeHeader(const QByteArray &bytes, RecordingHeader &header, int &version);

QByteArray frameRecord(quint32 tag, const QByteArray &payload);
// The tag and length of a record head; false when they cannot start a record.
bool readRecordHead(const char *head, quint32 &tag, quint32 &length);
bool recordCrcHolds(const QByteArray &record);

// False when the scan cannot be recorded (arrays of the wrong size, too many points).
bool encodeScan(const RecordedScan &scan, quint32 number, QByteArray &payload);
// False when the payload is not a well-formed scan.
bool decodeScan(const QByteArray &payload, RecordedScan &scan, quint32 &number);

QByteArray encodeIndex(const std::vector<IndexEntry> &entries);
bool decodeIndex(const QByteArray &payload, std::vector<IndexEntry> &entries);
QByteArray encodeTail(qint64 indexOffset);
qint64 decodeTail(const QByteArray &payload);

}  // namespace veltrix::recording
