#pragma once

#include "core/link/framebuilders.h"
#include "core/link/linkconfiguration.h"
#include "core/link/livescan.h"
#include "core/link/scannerconfiguration.h"
#include "core/link/simulationblock.h"
#include "core/record/recordedscan.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <array>
#include <functional>
#include <memory>

class QIODevice;

namespace veltrix {

class LinkTransaction;
struct TransactionResult;

// Owns all traffic with the scanner. Menu commands, transactions and polling timers
// only raise request flags; a 20 ms send tick sends at most one request per tick, in
// the flags' fixed order, and only when no reply is outstanding; every arriving byte
// goes into one receive buffer, from which one dispatcher over the frame table takes
// each reply. A 2000 ms time-out guards the outstanding request; the fourth in a row
// stops everything. Read-all, write-all, product information and reboot run as
// transactions, one at a time, that end with a result value. The link shows nothing:
// what happened goes out as signals and results, and the send tick never pauses.
class SERIAL_COMM : public QObject
{
    Q_OBJECT

public:
    // Code of the request awaiting its reply; "RAuto" expects none and leaves it alone.
    enum PendingCommand : int {
        NoCommand = 0,
        ProductCommand = 1,
        ScanCommand = 3,
        IntensityCommand = 4,
        RebootCommand = 5,
        ReadAreaCommand = 6,
        WriteAreaCommand = 7,
        ReadParametersCommand = 8,
        WriteParametersCommand = 9,
        ReadCaseCommand = 10,
        WriteCaseCommand = 11,
        SimulationCommand = 12,
    };

    enum RequestFlag : int {
        ProductFlag,
        ScanFlag,
        IntensityFlag,
        RebootFlag,
        ReadAreasFlag,
        WriteAreasFlag,
        ReadParametersFlag,
        WriteParametersFlag,
        ReadCaseFlag,
        WriteCaseFlag,
        SimulationFlag,
        RequestFlagCount
    };

    static constexpr int SendInterval = 20;
    static constexpr int ReplyTimeout = 2000;
    static constexpr int SerialPollInterval = 50;
    static constexpr int EthernetScanInterval = 1000;
    static constexpr int SimulationInterval = 200;
    static constexpr int TimeoutsBeforeWarning = 3;

    // What a read-all starts from and a write-all sends: the program's configuration
    // as it is when the transfer starts.
    using ConfigurationSource = std::function<ScannerConfiguration()>;

    explicit SERIAL_COMM(QObject *parent = nullptr);
    ~SERIAL_COMM() override;

    // The open connection's device, not owned; null while closed (requests then go
    // nowhere and run into the time-out).
    void setDevice(QIODevice *device);
    QIODevice *device() const { return m_device; }

    const LinkConfiguration &configuration() const { return m_configuration; }
    void SetConnectType(int connectType);
    void SetEthernetMode(int ethernetMode);
    void SetInvertedMount(bool inverted);

    const LiveScan &liveScan() const { return m_live; }
    const SimulationBlock &simulationBlock() const { return m_simulation; }

    void SetConfigurationSource(ConfigurationSource source) { m_source = std::move(source); }

    // Takes transaction on, unless another one runs: then it ends at once as Busy and
    // nothing is sent. Returns it (owned by the link, deleted once it has finished).
    LinkTransaction *startTransaction(std::unique_ptr<LinkTransaction> transaction);
    // The transaction running now, or null.
    LinkTransaction *transaction() const;

    // Distance and intensity limit of scanner model 0..4; other indexes are ignored.
    void SetRangeLimit(int modelIndex);
    int rangeLimit() const { return m_rangeLimit; }

    void StopOverTimer();
    // Starts the reply time-out again, with its full interval, when a request is still
    // waiting for its reply (after something held it stopped, such as a file dialog).
    void ResumeOverTimer();
    // Forgets the outstanding request and every request flag, as when the connection
    // closes; a running transaction ends as LinkLost.
    void ClearCommandFlags();

    int pendingCommand() const { return m_pendingCommand; }
    int timeoutCount() const { return m_timeoutCount; }
    // True from the fourth time-out in a row until the scanner answers again or the
    // connection closes.
    bool scannerSilent() const { return m_silent; }
    bool flag(RequestFlag flag) const;
    const QByteArray &receiveBuffer() const { return m_receiveBuffer; }
    const QTimer &scanTimer() const { return m_scanTimer; }
    const QTimer &intensityTimer() const { return m_intensityTimer; }
    const QTimer &simulationTimer() const { return m_simulationTimer; }
    const QTimer &timeoutTimer() const { return m_timeoutTimer; }
    const QTimer &sendTimer() const { return m_sendTimer; }

public slots:
    void SensorRebootSlots();
    void ReadSensorAllDataSlots();
    void WriteSensorAllDataSlots();
    // Reads the scanner back and compares it with the program's configuration.
    void VerifySensorAllDataSlots();
    void SensorInformationSlots();
    void OpenSendReadScanf();
    void CloseSendReadScanf();
    void OpenSendReadIntensity();
    void CloseSendReadIntensity();
    void OpenSendReadSimulation();
    void CloseSendReadSimulation();
    void ReadScanfTime();
    void ReadIntensityTime();
    void ReadSimulationTime();
    void ReadWriteOverTime();
    void SerialPortSendData();
    void SerialPortReceiveData();
    void CloseSerialPortSlots();
    // Stops the running transaction at once (the progress dialog's Cancel).
    void CancelTransfer();
    // What the next "WSimu" asks the scanner to pretend.
    void SetSimulationBlock(const veltrix::SimulationBlock &block);
    // A recorded scan shown as if the scanner had just sent it: the link takes the
    // recording's interface and mounting, stores its distances and intensities (or its
    // cloud) and its report, and announces them as it announces what arrives, so that
    // everything that watches the scanner shows a replay alike.
    void ShowRecordedScan(const veltrix::RecordedScan &scan);
    // Empties the live scan (the serial arrays, the cloud and the report) and
    // announces the scan; the report is not announced, so that no area is chosen by it.
    void ClearLiveScan();

signals:
    void IOPortSignals(uint inport, uint outport, uint status);
    void DirChangeSignals(bool inverted);
    void ReceiveScanfData();
    void ReceiveIntensityData();
    // Interface, Ethernet mode or mounting changed.
    void ConfigurationChanged(const veltrix::LinkConfiguration &configuration);
    void TransactionStarted(veltrix::LinkTransaction *transaction);
    void TransactionFinished(const veltrix::TransactionResult &result);
    // The fourth time-out in a row: polling, simulation and the transaction stopped.
    void TimedOutSignal();
    // The first reply after TimedOutSignal(): the scanner answers again.
    void AnsweringAgainSignal();

private:
    struct ReplyRoute;
    static const ReplyRoute ReceiveOrder[];

    bool isEthernet() const { return m_configuration.isEthernet(); }
    bool idle() const { return m_pendingCommand == NoCommand; }
    void setFlag(RequestFlag flag, bool on) { m_flags[static_cast<size_t>(flag)] = on; }
    void serve(RequestFlag flag);
    void send(int length, int pending);
    void sendAutoScan(bool start);
    void stopClouds();
    bool transactionCommandPending() const;
    void transactionEnded(LinkTransaction *transaction, const TransactionResult &result);
    void mountingRead(bool inverted);

    bool dispatch(const ReplyRoute &route, const QByteArray &frame);
    // Shared by every reply that answers the outstanding request.
    void acceptReply();
    void noteAnswer();
    void storeSerialScan(const QByteArray &frame, QVector<quint16> &target);
    void storeCloudPacket(const QByteArray &packet);
    bool takeScan(const QByteArray &frame);
    bool takeIntensity(const QByteArray &frame);
    bool takeSimulation(const QByteArray &frame);

    QIODevice *m_device = nullptr;
    LinkConfiguration m_configuration;
    LiveScan m_live;
    SimulationBlock m_simulation;
    ConfigurationSource m_source;
    QPointer<LinkTransaction> m_transaction;

    QByteArray m_receiveBuffer;
    QTimer m_scanTimer;
    QTimer m_intensityTimer;
    QTimer m_simulationTimer;
    QTimer m_timeoutTimer;
    QTimer m_sendTimer;
    int m_rangeLimit = 6000;
    int m_timeoutCount = 0;
    bool m_silent = false;
    int m_pendingCommand = NoCommand;
    std::array<bool, RequestFlagCount> m_flags{};  // the polling flags; transactions hold theirs
    FrameBuffer m_transmit{};
    int m_transmitLength = 0;
};

}  // namespace veltrix
