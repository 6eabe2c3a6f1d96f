#include "core/record/recordingwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#ifndef VELTRIX_NO_POSIX
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <io.h>
#endif

namespace veltrix {

namespace {

constexpr quint32 SyncIntervalMs = 1000;  // recorded time between two syncs to the disk

}  // namespace

RecordingWriter::RecordingWriter() = default;

RecordingWriter::~RecordingWriter()
{
    if (isOpen())
        close(nullptr);
}

bool RecordingWriter::fail(QString *error, const QString &reason)
{
    if (error)
        *error = QCoreApplication::translate("veltrix::RecordingWriter", "无法写入“%1”：%2")
                     .arg(QDir::toNativeSeparators(m_name), reason);
    return false;
}

bool RecordingWriter::open(const QString &fileName, const RecordingHeader &header, QString *error)
{
    if (isOpen())
        close(nullptr);
    auto file = std::make_unique<QFile>(fileName);
    if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        m_name = fileName;
        return fail(error, file->errorString());
    }
    m_file = std::move(file);
    if (open(m_file.get(), fileName, header, error))
        return true;
    m_file.reset();
    return false;
}

bool RecordingWriter::open(QIODevice *device, const QString &name, const RecordingHeader &header,
                           QString *error)
{
    m_device = device;
    m_name = name;
    m_failed = false;
    m_failure.clear();
    m_size = 0;
    m_index.clear();
    m_lastSyncMs = 0;
    if (!append(recording::encodeHeader(header), error)) {
        m_device = nullptr;
        return false;
    }
    syncToDisk();
    return true;
}

bool RecordingWriter::write(const RecordedScan &scan, QString *error)
{
    if (!isOpen())
        return fail(error, QCoreApplication::translate("veltrix::RecordingWriter", "录制未打开。"));
    if (!m_index.empty() && scan.timeMs < m_index.back().timeMs)
        return fail(error, QCoreApplication::translate("veltrix::RecordingWriter", "扫描的时间早于前一次扫描。"));
    QByteArray payload;
    if (!recording::encodeScan(scan, static_cast<quint32>(m_index.size()), payload))
        return fail(error, QCoreApplication::translate("veltrix::RecordingWriter", "扫描数据不完整或超出范围。"));
    const qint64 offset = m_size;
    if (!append(recording::frameRecord(recording::ScanTag, payload), error))
        return false;
    m_index.push_back(recording::IndexEntry{offset, scan.timeMs});
    if (scan.timeMs - m_lastSyncMs >= SyncIntervalMs) {
        syncToDisk();
        m_lastSyncMs = scan.timeMs;
    }
    return true;
}

bool RecordingWriter::close(QString *error)
{
    if (!isOpen())
        return true;
    if (m_failed) {
        // No index after a failed write: the recording reads as cut short there.
        if (m_file)
            m_file->close();
        m_file.reset();
        m_device = nullptr;
        return fail(error, m_failure);
    }
    const qint64 indexOffset = m_size;
    bool written = append(recording::frameRecord(recording::IndexTag, recording::encodeIndex(m_index)), error)
        && append(recording::frameRecord(recording::TailTag, recording::encodeTail(indexOffset)), error);
    syncToDisk();
    if (m_file) {
        m_file->close();
        if (written && m_file->error() != QFileDevice::NoError)
            written = fail(error, m_file->errorString());
        m_file.reset();
    }
    m_device = nullptr;
    return written;
}

// After a failed write nothing more is appended: the file then ends in the middle of a
// record, which a reader takes for a recording cut short there, keeping every scan
// before it; more records after a broken one would make the file damaged.
bool RecordingWriter::append(const QByteArray &bytes, QString *error)
{
    if (m_failed)
        return fail(error, m_failure);
    bool written = m_device->write(bytes) == bytes.size();
    // Handed to the system now, so that the scan survives the program being killed.
    auto *file = qobject_cast<QFileDevice *>(m_device);
    if (written && file)
        written = file->flush();
    if (!written) {
        m_failed = true;
        m_failure = m_device->errorString();
        return fail(error, m_failure);
    }
    m_size += bytes.size();
    return true;
}

// Asks the system to put what it holds of the file on the disk, so that a power loss
// costs at most the last second.
void RecordingWriter::syncToDisk()
{
    auto *file = qobject_cast<QFileDevice *>(m_device);
    if (!file || file->handle() < 0)
        return;
#ifndef VELTRIX_NO_POSIX
    ::fsync(file->handle());
#elif defined(Q_OS_WIN)
    ::_commit(file->handle());
#endif
}

}  // namespace veltrix
