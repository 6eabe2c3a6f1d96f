#include "core/record/recordingformat.h"

#include "core/link/crc32.h"
#include "core/link/payloads.h"
#include "core/link/sensorlinkdata.h"
#include "core/project/devicemodels.h"

#include <QtEndian>

#include <cstring>
#include <limits>

namespace veltrix::recording {

namespace {

constexpr quint8 InvertedFlag = 0x01;
constexpr quint8 ChecksumKnownFlag = 0x01;
constexpr int SerialDataSize = 2 * 2 * ScanValueCount;

void putU8(QByteArray &out, quint8 value) { out.append(static_cast<char>(value)); }
void putU16(QByteArray &out, quint16 value)
{
    char bytes[2];
    qToLittleEndian(value, bytes);
    out.append(bytes, 2);
}
void putU32(QByteArray &out, quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    out.append(bytes, 4);
}
void putU64(QByteArray &out, quint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    out.append(bytes, 8);
}

void putVarint(QByteArray &out, quint64 value)
{
    while (value >= 0x80) {
        out.append(static_cast<char>((value & 0x7F) | 0x80));
        value >>= 7;
    }
    out.append(static_cast<char>(value));
}

// The differences of one sequence of values, each zigzagged (small magnitudes of
// either sign give small numbers) and written in 7-bit groups.
void putSequence(QByteArray &out, const QVector<QPoint> &points, bool yCoordinate)
{
    qint64 previous = 0;
    for (const QPoint &p : points) {
        const qint64 value = yCoordinate ? p.y() : p.x();
        const qint64 delta = value - previous;
        putVarint(out, (static_cast<quint64>(delta) << 1) ^ static_cast<quint64>(delta >> 63));
        previous = value;
    }
}

// Reads the payload front to back, failing once it would read past its end.
class PayloadReader
{
public:
    explicit PayloadReader(const QByteArray &payload)
        : m_data(reinterpret_cast<const uchar *>(payload.constData())), m_size(payload.size())
    {
    }

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_size; }

    quint8 u8() { return take(1) ? m_data[m_at - 1] : 0; }
    quint16 u16() { return take(2) ? qFromLittleEndian<quint16>(m_data + m_at - 2) : 0; }
    quint32 u32() { return take(4) ? qFromLittleEndian<quint32>(m_data + m_at - 4) : 0; }
    quint64 u64() { return take(8) ? qFromLittleEndian<quint64>(m_data + m_at - 8) : 0; }

    bool sequence(QVector<QPoint> &points, bool yCoordinate)
    {
        qint64 previous = 0;
        for (QPoint &p : points) {
            quint64 zigzag = 0;
            int shift = 0;
            for (;;) {
                if (shift >= 7 * MaxVarintSize || !take(1))
                    return m_ok = false;
                const quint8 byte = m_data[m_at - 1];
                zigzag |= quint64(byte & 0x7F) << shift;
                shift += 7;
                if (!(byte & 0x80))
                    break;
            }
            const qint64 delta = static_cast<qint64>(zigzag >> 1) ^ -static_cast<qint64>(zigzag & 1);
            const qint64 value = previous + delta;
            if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
                return m_ok = false;
            (yCoordinate ? p.ry() : p.rx()) = static_cast<int>(value);
            previous = value;
        }
        return true;
    }

private:
    bool take(qsizetype count)
    {
        if (!m_ok || m_size - m_at < count)
            return m_ok = false;
        m_at += count;
        return true;
    }

    const uchar *m_data;
    qsizetype m_size;
    qsizetype m_at = 0;
    bool m_ok = true;
};

}  // namespace

qint64 maxScanPayload()
{
    return ScanFixedSize + 4 + qint64(4) * CloudCapacity * MaxVarintSize;
}

QByteArray encodeHeader(const RecordingHeader &header)
{
    QByteArray out(Magic, MagicSize);
    putU16(out, FormatVersion);
    putU8(out, static_cast<quint8>(header.model));
    putU8(out, header.checksumKnown ? ChecksumKnownFlag : 0);
    putU32(out, header.checksumKnown ? header.configurationChecksum : 0);
    putU64(out, static_cast<quint64>(header.startedMs));
    putU32(out, 0);
    putU32(out, crc32(out));
    return out;
}

HeaderCheck decodeHeader(const QByteArray &bytes, RecordingHeader &header, int &version)
{
    if (bytes.size() < MagicSize || std::memcmp(bytes.constData(), Magic, MagicSize) != 0)
        return HeaderCheck::Foreign;
    if (bytes.size() < HeaderSize)
        return HeaderCheck::Damaged;
    const QByteArray head = bytes.left(HeaderSize);
    PayloadReader read(head);
    read.u64();
    version = read.u16();
    const int model = read.u8();
    const quint8 flags = read.u8();
    const quint32 checksum = read.u32();
    const qint64 started = static_cast<qint64>(read.u64());
    read.u32();
    const quint32 crc = read.u32();
    if (crc != crc32(head.left(HeaderSize - 4)))
        return HeaderCheck::Damaged;
    if (version > FormatVersion)
        return HeaderCheck::Newer;
    if (version < 1 || !deviceModel(model))
        return HeaderCheck::Damaged;
    header.model = model;
    // Flags this version does not know are left alone; a checksum not marked known is none.
    header.checksumKnown = (flags & ChecksumKnownFlag) != 0;
    header.configurationChecksum = header.checksumKnown ? checksum : 0;
    header.startedMs = started;
    return HeaderCheck::Valid;
}

QByteArray frameRecord(quint32 tag, const QByteArray &payload)
{
    QByteArray record;
    record.reserve(RecordFrameSize + payload.size());
    putU32(record, tag);
    putU32(record, static_cast<quint32>(payload.size()));
    record.append(payload);
    putU32(record, crc32(record));
    return record;
}

bool readRecordHead(const char *head, quint32 &tag, quint32 &length)
{
    tag = qFromLittleEndian<quint32>(head);
    length = qFromLittleEndian<quint32>(head + 4);
    if (tag == ScanTag)
        return length >= ScanFixedSize && length <= maxScanPayload();
    if (tag == IndexTag)
        return length >= 4 && (length - 4) % IndexEntrySize == 0;
    if (tag == TailTag)
        return length == TailPayloadSize;
    return false;
}

bool recordCrcHolds(const QByteArray &record)
{
    const qsizetype covered = record.size() - 4;
    return covered >= RecordHeadSize
        && crc32Finish(crc32Update(Crc32Start, record.constData(), covered))
               == qFromLittleEndian<quint32>(record.constData() + covered);
}

bool encodeScan(const RecordedScan &scan, quint32 number, QByteArray &payload)
{
    const bool serial = scan.link == ScanLink::Serial;
    if (serial && (scan.distances.size() != ScanValueCount || scan.intensities.size() != ScanValueCount))
        return false;
    if (!serial && (scan.link != ScanLink::Ethernet || scan.cloudDistances.size() > CloudCapacity
                    || scan.cloudIntensities.size() != scan.cloudDistances.size()))
        return false;
    payload.clear();
    payload.reserve(serial ? ScanFixedSize + SerialDataSize : ScanFixedSize + 4 + 8 * scan.cloudDistances.size());
    putU32(payload, number);
    putU32(payload, scan.timeMs);
    putU8(payload, static_cast<quint8>(scan.link));
    putU8(payload, scan.invertedMount ? InvertedFlag : 0);
    putU8(payload, scan.activeArea);
    putU8(payload, scan.inputs);
    putU8(payload, scan.outputs);
    putU8(payload, 0);
    putU16(payload, scan.status);
    if (serial) {
        for (const quint16 value : scan.distances)
            putU16(payload, value);
        for (const quint16 value : scan.intensities)
            putU16(payload, value);
    } else {
        putU32(payload, static_cast<quint32>(scan.cloudDistances.size()));
        putSequence(payload, scan.cloudDistances, false);
        putSequence(payload, scan.cloudDistances, true);
        putSequence(payload, scan.cloudIntensities, false);
        putSequence(payload, scan.cloudIntensities, true);
    }
    return true;
}

bool decodeScan(const QByteArray &payload, RecordedScan &scan, quint32 &number)
{
    PayloadReader read(payload);
    number = read.u32();
    scan.timeMs = read.u32();
    const quint8 link = read.u8();
    const quint8 flags = read.u8();
    scan.activeArea = read.u8();
    scan.inputs = read.u8();
    scan.outputs = read.u8();
    read.u8();
    scan.status = read.u16();
    if (!read.ok() || link > static_cast<quint8>(ScanLink::Ethernet))
        return false;
    scan.link = static_cast<ScanLink>(link);
    scan.invertedMount = (flags & InvertedFlag) != 0;
    if (scan.link == ScanLink::Serial) {
        scan.cloudDistances.clear();
        scan.cloudIntensities.clear();
        scan.distances.resize(ScanValueCount);
        scan.intensities.resize(ScanValueCount);
        for (quint16 &value : scan.distances)
            value = read.u16();
        for (quint16 &value : scan.intensities)
            value = read.u16();
    } else {
        scan.distances.clear();
        scan.intensities.clear();
        const quint32 count = read.u32();
        if (!read.ok() || count > static_cast<quint32>(CloudCapacity))
            return false;
        scan.cloudDistances.resize(static_cast<int>(count));
        scan.cloudIntensities.resize(static_cast<int>(count));
        read.sequence(scan.cloudDistances, false);
        read.sequence(scan.cloudDistances, true);
        read.sequence(scan.cloudIntensities, false);
        read.sequence(scan.cloudIntensities, true);
    }
    return read.ok() && read.atEnd();
}

QByteArray encodeIndex(const std::vector<IndexEntry> &entries)
{
    QByteArray payload;
    payload.reserve(4 + IndexEntrySize * static_cast<int>(entries.size()));
    putU32(payload, static_cast<quint32>(entries.size()));
    for (const IndexEntry &entry : entries) {
        putU64(payload, static_cast<quint64>(entry.offset));
        putU32(payload, entry.timeMs);
    }
    return payload;
}

bool decodeIndex(const QByteArray &payload, std::vector<IndexEntry> &entries)
{
    PayloadReader read(payload);
    const quint32 count = read.u32();
    if (!read.ok() || (payload.size() - 4) / IndexEntrySize != static_cast<qint64>(count))
        return false;
    entries.resize(count);
    for (IndexEntry &entry : entries) {
        entry.offset = static_cast<qint64>(read.u64());
        entry.timeMs = read.u32();
    }
    return read.ok() && read.atEnd();
}

QByteArray encodeTail(qint64 indexOffset)
{
    QByteArray payload;
    putU64(payload, static_cast<quint64>(indexOffset));
    return payload;
}

qint64 decodeTail(const QByteArray &payload)
{
    PayloadReader read(payload);
    const qint64 offset = static_cast<qint64>(read.u64());
    return read.ok() && read.atEnd() ? offset : -1;
}

}  // namespace veltrix::recording
