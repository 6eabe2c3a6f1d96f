#pragma once

#include "core/record/recordedscan.h"
#include "core/record/recordingformat.h"

#include <QString>

#include <memory>
#include <vector>

class QFile;
class QIODevice;

namespace veltrix {

// Writes a scan recording: the header at once, then every scan as a record of its own
// with its own checksum, handed to the system as soon as it is written (and to the
// disk about once a second of recorded time), so that a recording that is cut short
// keeps every scan written before the cut; close() adds the index that lets a reader
// reach any moment at once. Failures come back as false and a text naming the file.
class RecordingWriter
{
public:
    RecordingWriter();
    ~RecordingWriter();  // closes the recording, index included, if still open
    RecordingWriter(const RecordingWriter &) = delete;
    RecordingWriter &operator=(const RecordingWriter &) = delete;

    // Creates (or replaces) the file.
    bool open(const QString &fileName, const RecordingHeader &header, QString *error);
    // Writes to device, which must be open for writing and is not taken over; name is
    // what messages call it.
    bool open(QIODevice *device, const QString &name, const RecordingHeader &header, QString *error);

    // Appends one scan. Its time must not lie before the previous scan's; a serial
    // scan has 540 distances and intensities, a cloud scan at most 30000 points.
    bool write(const RecordedScan &scan, QString *error);
    // Writes the index and ends the recording (the file itself is closed too when the
    // writer opened it).
    bool close(QString *error);

    bool isOpen() const { return m_device != nullptr; }
    int scanCount() const { return static_cast<int>(m_index.size()); }
    qint64 size() const { return m_size; }
    quint32 lastTimeMs() const { return m_index.empty() ? 0 : m_index.back().timeMs; }

private:
    bool append(const QByteArray &bytes, QString *error);
    void syncToDisk();
    bool fail(QString *error, const QString &reason);

    std::unique_ptr<QFile> m_file;
    QIODevice *m_device = nullptr;
    QString m_name;
    bool m_failed = false;  // a write failed: nothing is appended after it
    QString m_failure;
    qint64 m_size = 0;
    std::vector<recording::IndexEntry> m_index;
    quint32 m_lastSyncMs = 0;
};

}  // namespace veltrix
