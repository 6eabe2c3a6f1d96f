#pragma once

#include "core/link/framebuilders.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>

class QIODevice;

namespace veltrix {

class AreaModel;
class Messenger;
enum class MessageIcon;
struct SensorLinkData;
struct SensorParameters;

// Owns all traffic with the scanner. Menu commands and polling timers only raise
// request flags; a 20 ms send tick sends at most one request per tick, and only when
// no reply is outstanding; every arriving byte goes into one receive buffer in which
// each reply decoder looks for its frame. A 2000 ms time-out guards the outstanding
// request. Widget-free: progress and the one non-modal notice go out as signals, modal
// messages through the Messenger.
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
    // Area writes the scanner refused (status 1, 2 or unknown) that one write-all sends
    // again by itself; the next refusal stops it.
    static constexpr int AreaWriteRepeats = 3;

    // The devices are not owned; any of them may be null (nothing is then read from or
    // written to it).
    SERIAL_COMM(QIODevice *serialPort, SensorLinkData *linkData, AreaModel *areaModel,
                SensorParameters *parameters, QIODevice *tcpSocket, QIODevice *udpSocket,
                Messenger *messenger = nullptr, QObject *parent = nullptr);

    void setMessenger(Messenger *messenger) { m_messenger = messenger; }

    // Distance and intensity limit of scanner model 0..4; other indexes are ignored.
    void SetRangeLimit(int modelIndex);
    int rangeLimit() const { return m_rangeLimit; }

    void StopOverTimer();
    // Starts the reply time-out again, with its full interval, when a request is still
    // waiting for its reply (after something held it stopped, such as a file dialog).
    void ResumeOverTimer();
    // Forgets the outstanding request and every request flag, as when the connection
    // closes; the area loops start again at area 0 and a shown progress closes.
    void ClearCommandFlags();

    int pendingCommand() const { return m_pendingCommand; }
    int timeoutCount() const { return m_timeoutCount; }
    int readAreaIndex() const { return m_readAreaIndex; }
    int writeAreaIndex() const { return m_writeAreaIndex; }
    bool flag(RequestFlag flag) const { return m_flags[static_cast<size_t>(flag)]; }
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
    // Stops a running read-all or write-all at once (the progress dialog's Cancel) and
    // tells the user what that leaves behind.
    void CancelTransfer();

signals:
    void IOPortSignals(uint inport, uint outport, uint status);
    void DirChangeSignals(bool inverted);
    void ReceiveScanfData();
    void ReceiveParameters();
    void ReceiveIntensityData();

    // The transfer progress (range 0..64) for the GUI's progress dialog.
    void ProgressShowSignal(const QString &title, int value);
    void ProgressValueSignal(int value);
    void ProgressCloseSignal();
    // A message that is shown without waiting for the user ("Parameters Read OK!").
    void NoticeSignal(const QString &title, const QString &text);

private:
    QIODevice *activeDevice() const;
    bool isEthernet() const;
    bool idle() const { return m_pendingCommand == NoCommand; }
    void setFlag(RequestFlag flag, bool on) { m_flags[static_cast<size_t>(flag)] = on; }
    void send(int length, int pending);
    void sendAutoScan(bool start);
    void sendNextArea();
    // Why area cannot travel in a frame (too many vertices, a point out of range), or
    // an empty text when it can.
    QString unsendableReason(const AreaRecord &area, int areaIndex) const;
    void abandonWriteAll(const QString &message);
    bool transferRunning() const;
    bool writeAllRunning() const;
    // Ends the write-all after its "WPara" answer: complete only if every step was
    // accepted, otherwise a message listing what the scanner did not take.
    void finishWriteAll(int parameterStatus);
    QString answerText(int status) const;
    bool refuseOversizedAreas();

    // Shared by every decoder on a valid reply: the time-out stops and its count resets.
    void acceptReply();
    void finishRequest(RequestFlag flag);

    void decodeRBoot();
    void decodeRPrda();
    void decodeRScan();
    void decodeCloud();
    void storeCloudPacket(const QByteArray &packet);
    void decodeRStre();
    void decodeRArea();
    void decodeWArea();
    void decodeRPara();
    void decodeWPara();
    void decodeRCase();
    void decodeWCase();
    void decodeWSimu();
    void storeSerialScan(const QByteArray &frame, QVector<quint16> &target);

    int showMessage(MessageIcon icon, const QString &title, const QString &message,
                    const QStringList &buttons = QStringList());
    void showStatusError(int status);

    QIODevice *m_serialPort;
    SensorLinkData *m_linkData;
    AreaModel *m_areaModel;
    SensorParameters *m_parameters;
    QIODevice *m_tcpSocket;
    QIODevice *m_udpSocket;
    Messenger *m_messenger;

    QByteArray m_receiveBuffer;
    QTimer m_scanTimer;
    QTimer m_intensityTimer;
    QTimer m_simulationTimer;
    QTimer m_timeoutTimer;
    QTimer m_sendTimer;
    int m_rangeLimit = 6000;
    int m_readAreaIndex = 0;
    int m_writeAreaIndex = 0;
    int m_areaRepeats = 0;          // refused area writes repeated in this write-all
    QStringList m_writeFailures;    // steps of this write-all the scanner did not accept
    int m_timeoutCount = 0;
    int m_pendingCommand = NoCommand;
    std::array<bool, RequestFlagCount> m_flags{};
    FrameBuffer m_transmit{};
    int m_transmitLength = 0;
};

}  // namespace veltrix
