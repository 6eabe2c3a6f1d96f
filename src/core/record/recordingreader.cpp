#include "core/record/recordingreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <algorithm>

namespace veltrix {

namespace {

constexpr qint64 ZeroCheckChunk = 1 << 16;

}  // namespace

RecordingReader::RecordingReader() = default;
RecordingReader::~RecordingReader() = default;

bool RecordingReader::fail(QString *error, const QString &reason)
{
    if (error)
        *error = reason;
    return false;
}

QString RecordingReader::shownName() const
{
    return QDir::toNativeSeparators(m_name);
}

bool RecordingReader::open(const QString &fileName, QString *error)
{
    close();
    m_name = fileName;
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::ReadOnly)) {
        return fail(error, QCoreApplication::translate("veltrix::RecordingReader", "无法打开“%1”：%2")
                               .arg(shownName(), file->errorString()));
    }
    m_file = std::move(file);
    if (open(m_file.get(), fileName, error))
        return true;
    m_file.reset();
    return false;
}

bool RecordingReader::open(QIODevice *device, const QString &name, QString *error)
{
    if (device != m_file.get())
        close();
    m_device = device;
    m_name = name;
    m_size = device->size();
    m_index.clear();
    m_cutShort = false;
    if (load(error))
        return true;
    m_device = nullptr;
    m_index.clear();
    return false;
}

void RecordingReader::close()
{
    m_device = nullptr;
    m_file.reset();
    m_index.clear();
    m_cutShort = false;
    m_header = RecordingHeader();
}

bool RecordingReader::load(QString *error)
{
    int version = 0;
    switch (recording::decodeHeader(readAt(0, recording::HeaderSize), m_header, version)) {
    case recording::HeaderCheck::Valid:
        break;
    case recording::HeaderCheck::Foreign:
        return fail(error, QCoreApplication::translate("veltrix::RecordingReader", "“%1”不是扫描录制文件。")
                               .arg(shownName()));
    case recording::HeaderCheck::Newer:
        return fail(error, QCoreApplication::translate("veltrix::RecordingReader",
                                                       "“%1”由较新版本的程序录制（格式 %2），无法读取。")
                               .arg(shownName()).arg(version));
    case recording::HeaderCheck::Damaged:
        return fail(error, QCoreApplication::translate("veltrix::RecordingReader", "“%1”已损坏：文件头无效。")
                               .arg(shownName()));
    }
    if (takeIndex())
        return true;
    m_index.clear();
    m_cutShort = true;
    return walkRecords(error);
}

QByteArray RecordingReader::readAt(qint64 offset, qint64 length)
{
    if (!m_device->seek(offset))
        return QByteArray();
    return m_device->read(length);
}

// The index and the tail that points at it, both whole and consistent with the scan
// records they describe; false leaves the index to be rebuilt.
bool RecordingReader::takeIndex()
{
    using namespace recording;
    if (m_size < HeaderSize + TailRecordSize)
        return false;
    const QByteArray tail = readAt(m_size - TailRecordSize, TailRecordSize);
    quint32 tag = 0, length = 0;
    if (tail.size() != TailRecordSize || !readRecordHead(tail.constData(), tag, length) || tag != TailTag
        || !recordCrcHolds(tail))
        return false;
    const qint64 indexOffset = decodeTail(tail.mid(RecordHeadSize, TailPayloadSize));
    const qint64 indexLength = m_size - TailRecordSize - indexOffset;
    if (indexOffset < HeaderSize || indexLength < RecordFrameSize + 4)
        return false;
    const QByteArray record = readAt(indexOffset, indexLength);
    if (record.size() != indexLength || !readRecordHead(record.constData(), tag, length) || tag != IndexTag
        || RecordFrameSize + qint64(length) != indexLength || !recordCrcHolds(record))
        return false;
    std::vector<IndexEntry> entries;
    if (!decodeIndex(record.mid(RecordHeadSize, length), entries))
        return false;
    // Scans follow the header one after the other, in time order, before the index.
    qint64 earliest = HeaderSize;
    quint32 time = 0;
    for (const IndexEntry &entry : entries) {
        const bool first = &entry == &entries.front();
        if ((first ? entry.offset != HeaderSize : entry.offset < earliest) || entry.timeMs < time
            || entry.offset + RecordFrameSize + ScanFixedSize > indexOffset)
            return false;
        earliest = entry.offset + RecordFrameSize + ScanFixedSize;
        time = entry.timeMs;
    }
    // The last scan record ends where the index begins.
    if (!entries.empty()) {
        const qint64 last = entries.back().offset;
        const QByteArray head = readAt(last, RecordHeadSize);
        if (head.size() != RecordHeadSize || !readRecordHead(head.constData(), tag, length) || tag != ScanTag
            || last + RecordFrameSize + qint64(length) != indexOffset)
            return false;
    } else if (indexOffset != HeaderSize) {
        return false;
    }
    m_index = std::move(entries);
    return true;
}

// Walks the records from the header on. A record cut off by the end of the file is
// where the recording was cut, and so is a damaged one whose end the file does not
// reach with anything but zero bytes (space the system had given the file that the
// data never reached after a power loss); any other damage refuses the file.
bool RecordingReader::walkRecords(QString *error)
{
    using namespace recording;
    qint64 at = HeaderSize;
    quint32 time = 0;
    const QString damaged = QCoreApplication::translate("veltrix::RecordingReader",
                                                        "“%1”已损坏：第 %2 字节处的记录无效。");
    while (m_size - at >= RecordHeadSize) {
        const QByteArray head = readAt(at, RecordHeadSize);
        quint32 tag = 0, length = 0;
        if (head.size() != RecordHeadSize)
            break;
        if (!readRecordHead(head.constData(), tag, length)) {
            if (zerosFrom() <= at + RecordHeadSize)
                break;
            return fail(error, damaged.arg(shownName()).arg(at));
        }
        if (tag != ScanTag)
            break;  // the index, which follows the last scan
        const qint64 end = at + RecordFrameSize + qint64(length);
        if (end > m_size)
            break;
        const QByteArray record = readAt(at, end - at);
        if (record.size() != end - at)
            break;
        if (!recordCrcHolds(record)) {
            if (zerosFrom() <= end)
                break;
            return fail(error, damaged.arg(shownName()).arg(at));
        }
        RecordedScan scan;
        quint32 number = 0;
        if (!decodeScan(record.mid(RecordHeadSize, length), scan, number)
            || number != static_cast<quint32>(m_index.size()) || scan.timeMs < time)
            return fail(error, damaged.arg(shownName()).arg(at));
        m_index.push_back(IndexEntry{at, scan.timeMs});
        time = scan.timeMs;
        at = end;
    }
    return true;
}

qint64 RecordingReader::zerosFrom()
{
    qint64 start = m_size;
    while (start > 0) {
        const qint64 from = qMax<qint64>(0, start - ZeroCheckChunk);
        const QByteArray chunk = readAt(from, start - from);
        if (chunk.size() != start - from)
            return m_size;
        const auto last = std::find_if(chunk.crbegin(), chunk.crend(), [](char byte) { return byte != 0; });
        if (last != chunk.crend())
            return from + (chunk.crend() - last);
        start = from;
    }
    return 0;
}

int RecordingReader::scanAt(quint32 timeMs) const
{
    if (m_index.empty())
        return -1;
    const auto later = std::upper_bound(m_index.cbegin(), m_index.cend(), timeMs,
                                        [](quint32 t, const recording::IndexEntry &e) { return t < e.timeMs; });
    return qMax(0, static_cast<int>(later - m_index.cbegin()) - 1);
}

bool RecordingReader::readScan(int scan, RecordedScan &out, QString *error)
{
    using namespace recording;
    const QString unreadable = QCoreApplication::translate("veltrix::RecordingReader",
                                                           "“%1”已损坏：扫描 %2 无法读取。");
    if (!isOpen() || scan < 0 || scan >= scanCount()) {
        return fail(error, QCoreApplication::translate("veltrix::RecordingReader", "“%1”中没有扫描 %2。")
                               .arg(shownName()).arg(scan));
    }
    const IndexEntry &entry = m_index[static_cast<size_t>(scan)];
    const QByteArray head = readAt(entry.offset, RecordHeadSize);
    quint32 tag = 0, length = 0;
    if (head.size() != RecordHeadSize || !readRecordHead(head.constData(), tag, length) || tag != ScanTag)
        return fail(error, unreadable.arg(shownName()).arg(scan));
    const QByteArray record = head + m_device->read(qint64(length) + 4);
    quint32 number = 0;
    if (record.size() != RecordFrameSize + qint64(length) || !recordCrcHolds(record)
        || !decodeScan(record.mid(RecordHeadSize, length), out, number) || number != static_cast<quint32>(scan)
        || out.timeMs != entry.timeMs)
        return fail(error, unreadable.arg(shownName()).arg(scan));
    return true;
}

}  // namespace veltrix
