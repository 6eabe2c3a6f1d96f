#pragma once

#include "core/record/recordedscan.h"
#include "core/record/recordingwriter.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

namespace veltrix {

class LinkTransaction;
class SERIAL_COMM;
struct LinkConfiguration;
struct LiveScan;
struct TransactionResult;

// The scan as the link holds it now, with the mounting and interface it arrived by:
// serial arrays, or the first cloudCount points of the cloud.
RecordedScan RecordedScanOf(const LiveScan &live, const LinkConfiguration &link, quint32 timeMs);

// Records every scan the link receives into a scan recording until it is stopped: the
// distances with the intensities last received, the active area, the inputs, outputs
// and status last reported, and the time since the recording started. The header
// names the scanner model and, when known, the checksum of the configuration the
// scanner holds: the one a complete read-all brought or a complete write-all sent
// during this connection. A scan that cannot be written ends the recording.
class ScanRecorder : public QObject
{
    Q_OBJECT

public:
    // The link is not owned and must outlive the recorder.
    explicit ScanRecorder(SERIAL_COMM *link, QObject *parent = nullptr);
    ~ScanRecorder() override;

    // Creates (or replaces) the file and records from now on; false with a text naming
    // the file when it cannot be created.
    bool start(const QString &fileName, int modelIndex, QString *error);
    // Ends the recording with its index; false with a text naming the file when that
    // cannot be written (the scans written stay readable).
    bool stop(QString *error = nullptr);

    bool isRecording() const { return m_writer.isOpen(); }
    QString fileName() const { return m_fileName; }
    int scanCount() const { return m_writer.scanCount(); }
    qint64 size() const { return m_writer.size(); }
    qint64 elapsedMs() const { return isRecording() ? m_clock.elapsed() : 0; }
    std::optional<quint32> scannerChecksum() const { return m_scannerChecksum; }

public slots:
    // The connection is gone: the recording ends, and the scanner's configuration is
    // no longer known.
    void connectionEnded();

signals:
    void scanRecorded();
    // Writing failed and the recording ended; message names the file and the reason.
    void failed(const QString &message);
    void stopped();

private:
    void takeScan();
    void transactionStarted(LinkTransaction *transaction);
    void transactionFinished(const TransactionResult &result);

    SERIAL_COMM *m_link;
    RecordingWriter m_writer;
    QString m_fileName;
    QElapsedTimer m_clock;
    std::optional<quint32> m_scannerChecksum;
    std::optional<quint32> m_writing;  // the checksum of a write-all under way
};

}  // namespace veltrix
