#pragma once

#include "cli/target.h"
#include "core/connect/scannerconnection.h"
#include "core/link/scannerconfiguration.h"
#include "core/link/serialcomm.h"
#include "core/link/transactionresult.h"
#include "core/link/writealltransaction.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>

#include <optional>

namespace veltrix::cli {

// What one scanner is asked to do.
struct JobRequest
{
    enum class Kind { Read, Write, Verify };
    Kind kind = Kind::Read;
    ScannerConfiguration configuration;  // Write, Verify: the document
    WriteCheck check = WriteCheck::ReadBack;
    bool reboot = false;                 // Write: restart once written (and found identical)
};

// One scanner's work on its own link: connects to the target, runs the read-all,
// write-all or verification with the program's link engine, answers its questions as
// the command line was told (a refused area is written again, a restart only with
// --reboot), closes again and keeps what came of it. Several run side by side in one
// event loop, each with its own link.
class ScannerJob : public QObject
{
    Q_OBJECT

public:
    enum class Phase { Waiting, Connecting, Reading, Writing, ReadingBack, Restarting, Done };
    enum class Outcome { Pending, Identical, Written, Read, Differs, Refused, LinkFailure };

    ScannerJob(const Target &target, const JobRequest &request, QObject *parent = nullptr);
    ~ScannerJob() override;

    const Target &target() const { return m_target; }
    // The Ethernet mode of a bare address, as a discovery search found it (TCP
    // otherwise); before start().
    void setEthernetMode(int mode) { m_ethernetMode = mode; }
    int ethernetMode() const { return m_ethernetMode; }
    // "tcp", "udp" or "serial": how it is reached.
    QString interfaceName() const;

    void start();

    Phase phase() const { return m_phase; }
    int step() const { return m_step; }
    int steps() const { return m_steps; }
    bool isFinished() const { return m_phase == Phase::Done; }
    qint64 elapsedMs() const { return m_elapsedMs; }

    Outcome outcome() const { return m_outcome; }
    int exitCode() const;
    // Why it failed or what differs, one line; empty when done without a fault.
    QString message() const { return m_message; }
    const TransactionResult &result() const { return m_result; }
    // The checksum of what the scanner holds, when it was read (or read back).
    std::optional<quint32> scannerChecksum() const;

signals:
    // Phase or progress moved.
    void changed();
    void finished();

private:
    void opened();
    void connectionFailed(ScannerConnection::Failure reason, const QString &detail);
    void transactionStarted(LinkTransaction *transaction);
    void transactionFinished(const TransactionResult &result);
    void conclude();
    void setPhase(Phase phase);

    Target m_target;
    JobRequest m_request;
    int m_ethernetMode;
    SERIAL_COMM m_link;
    ScannerConnection m_connection;
    QElapsedTimer m_clock;
    Phase m_phase = Phase::Waiting;
    int m_step = 0;
    int m_steps = 0;
    qint64 m_elapsedMs = 0;
    bool m_concluding = false;
    std::optional<TransactionResult> m_finished;
    QString m_connectionFault;
    TransactionResult m_result;
    Outcome m_outcome = Outcome::Pending;
    QString m_message;
};

}  // namespace veltrix::cli
