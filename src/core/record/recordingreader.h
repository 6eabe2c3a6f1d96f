#pragma once

#include "core/record/recordedscan.h"
#include "core/record/recordingformat.h"

#include <QString>

#include <memory>
#include <vector>

class QFile;
class QIODevice;

namespace veltrix {

// Reads a scan recording. Opening checks the header and takes the index written at
// the end; when the index is missing or damaged (the recording was cut short) it is
// rebuilt by walking the records, and the recording holds every scan written whole
// before the cut. Each scan's checksum is checked when the scan is read. A foreign or
// damaged file is refused with a text naming it.
class RecordingReader
{
public:
    RecordingReader();
    ~RecordingReader();
    RecordingReader(const RecordingReader &) = delete;
    RecordingReader &operator=(const RecordingReader &) = delete;

    bool open(const QString &fileName, QString *error);
    // Reads from device, which must be open for reading, allow seeking and stay open
    // while the reader uses it (it is not taken over); name is what messages call it.
    bool open(QIODevice *device, const QString &name, QString *error);
    void close();

    bool isOpen() const { return m_device != nullptr; }
    const RecordingHeader &header() const { return m_header; }
    int scanCount() const { return static_cast<int>(m_index.size()); }
    quint32 timeOf(int scan) const { return m_index.at(static_cast<size_t>(scan)).timeMs; }
    quint32 durationMs() const { return m_index.empty() ? 0 : m_index.back().timeMs; }
    // Whether the index had to be rebuilt because the recording was cut short.
    bool wasCutShort() const { return m_cutShort; }

    // The scan on show at timeMs: the last one recorded at or before it (the first
    // one before it began); -1 in a recording without scans.
    int scanAt(quint32 timeMs) const;
    bool readScan(int scan, RecordedScan &out, QString *error);

private:
    bool load(QString *error);
    bool takeIndex();
    bool walkRecords(QString *error);
    qint64 zerosFrom();  // where the zero bytes at the end of the file begin
    QByteArray readAt(qint64 offset, qint64 length);
    bool fail(QString *error, const QString &reason);
    QString shownName() const;

    std::unique_ptr<QFile> m_file;
    QIODevice *m_device = nullptr;
    QString m_name;
    qint64 m_size = 0;
    RecordingHeader m_header;
    std::vector<recording::IndexEntry> m_index;
    bool m_cutShort = false;
};

}  // namespace veltrix
