#include "core/link/serialcomm.h"

#include "core/link/areapayload.h"
#include "core/link/linktransaction.h"
#include "core/link/productinformationtransaction.h"
#include "core/link/readalltransaction.h"
#include "core/link/reboottransaction.h"
#include "core/link/verifytransaction.h"
#include "core/link/writealltransaction.h"
#include "core/project/devicemodels.h"

#include <QIODevice>
#include <QtMath>

namespace veltrix {

namespace {

quint16 clampToRange(quint16 value, int limit)
{
    return value > limit ? static_cast<quint16>(limit) : value;
}

// The flags in the order the send tick looks at them; the first one raised decides
// the tick, even when it cannot send because a reply is outstanding.
constexpr SERIAL_COMM::RequestFlag SendOrder[] = {
    SERIAL_COMM::RebootFlag,    SERIAL_COMM::ReadParametersFlag, SERIAL_COMM::WriteAreasFlag,
    SERIAL_COMM::ReadCaseFlag,  SERIAL_COMM::WriteCaseFlag,      SERIAL_COMM::ProductFlag,
    SERIAL_COMM::ReadAreasFlag, SERIAL_COMM::WriteParametersFlag, SERIAL_COMM::SimulationFlag,
    SERIAL_COMM::ScanFlag,      SERIAL_COMM::IntensityFlag,
};

// The request a transaction's flag sends, as the code that waits for its reply.
int pendingFor(SERIAL_COMM::RequestFlag flag)
{
    switch (flag) {
    case SERIAL_COMM::RebootFlag: return SERIAL_COMM::RebootCommand;
    case SERIAL_COMM::ReadParametersFlag: return SERIAL_COMM::ReadParametersCommand;
    case SERIAL_COMM::WriteAreasFlag: return SERIAL_COMM::WriteAreaCommand;
    case SERIAL_COMM::ReadCaseFlag: return SERIAL_COMM::ReadCaseCommand;
    case SERIAL_COMM::WriteCaseFlag: return SERIAL_COMM::WriteCaseCommand;
    case SERIAL_COMM::ProductFlag: return SERIAL_COMM::ProductCommand;
    case SERIAL_COMM::ReadAreasFlag: return SERIAL_COMM::ReadAreaCommand;
    case SERIAL_COMM::WriteParametersFlag: return SERIAL_COMM::WriteParametersCommand;
    default: return SERIAL_COMM::NoCommand;
    }
}

bool isPollingFlag(SERIAL_COMM::RequestFlag flag)
{
    return flag == SERIAL_COMM::ScanFlag || flag == SERIAL_COMM::IntensityFlag
        || flag == SERIAL_COMM::SimulationFlag;
}

}  // namespace

// Who takes a reply, in the order the replies are looked for in the receive buffer.
struct SERIAL_COMM::ReplyRoute
{
    enum Taker { Transaction, Scan, Intensity, Cloud, Simulation };
    enum Line { AnyLine, SerialOnly, EthernetOnly };
    FrameId id;
    int answers;  // the outstanding request it answers
    Taker taker;
    Line line;
};


const SERIAL_COMM::ReplyRoute SERIAL_COMM::ReceiveOrder[] = {
    {FrameId::RBoot, SERIAL_COMM::RebootCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::RPrda, SERIAL_COMM::ProductCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::RScan, SERIAL_COMM::ScanCommand, ReplyRoute::Scan, ReplyRoute::SerialOnly},
    {FrameId::Cloud, SERIAL_COMM::NoCommand, ReplyRoute::Cloud, ReplyRoute::EthernetOnly},
    {FrameId::RStre, SERIAL_COMM::IntensityCommand, ReplyRoute::Intensity, ReplyRoute::SerialOnly},
    {FrameId::RArea, SERIAL_COMM::ReadAreaCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::WArea, SERIAL_COMM::WriteAreaCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::RPara, SERIAL_COMM::ReadParametersCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::WPara, SERIAL_COMM::WriteParametersCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::RCase, SERIAL_COMM::ReadCaseCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::WCase, SERIAL_COMM::WriteCaseCommand, ReplyRoute::Transaction, ReplyRoute::AnyLine},
    {FrameId::WSimu, SERIAL_COMM::SimulationCommand, ReplyRoute::Simulation, ReplyRoute::AnyLine},
};

SERIAL_COMM::SERIAL_COMM(QObject *parent)
    : QObject(parent)
{
    qRegisterMetaType<TransactionResult>();
    qRegisterMetaType<TransactionQuestion>();
    qRegisterMetaType<RefusedStep>();
    qRegisterMetaType<LinkConfiguration>();
    qRegisterMetaType<SimulationBlock>();
    m_timeoutTimer.setInterval(ReplyTimeout);
    m_sendTimer.setInterval(SendInterval);
    m_sendTimer.start();
    connect(&m_scanTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadScanfTime);
    connect(&m_intensityTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadIntensityTime);
    connect(&m_simulationTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadSimulationTime);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadWriteOverTime);
    connect(&m_sendTimer, &QTimer::timeout, this, &SERIAL_COMM::SerialPortSendData);
}

SERIAL_COMM::~SERIAL_COMM()
{
    // A transaction still running ends with the link; nobody hears of it any more.
    if (m_transaction)
        m_transaction->disconnect(this);
}

void SERIAL_COMM::setDevice(QIODevice *device)
{
    if (m_device == device)
        return;
    if (m_device)
        disconnect(m_device, nullptr, this, nullptr);
    m_device = device;
    if (m_device)
        connect(m_device, &QIODevice::readyRead, this, &SERIAL_COMM::SerialPortReceiveData);
}

void SERIAL_COMM::SetConnectType(int connectType)
{
    if (connectType != SerialInterface && connectType != EthernetInterface)
        return;
    if (m_configuration.connectType == connectType)
        return;
    m_configuration.connectType = connectType;
    emit ConfigurationChanged(m_configuration);
}

void SERIAL_COMM::SetEthernetMode(int ethernetMode)
{
    if (ethernetMode != TcpMode && ethernetMode != UdpMode)
        return;
    if (m_configuration.ethernetMode == ethernetMode)
        return;
    m_configuration.ethernetMode = ethernetMode;
    emit ConfigurationChanged(m_configuration);
}

void SERIAL_COMM::SetInvertedMount(bool inverted)
{
    if (m_configuration.invertedMount == inverted)
        return;
    m_configuration.invertedMount = inverted;
    emit ConfigurationChanged(m_configuration);
}

void SERIAL_COMM::mountingRead(bool inverted)
{
    SetInvertedMount(inverted);
    emit DirChangeSignals(inverted);
}

void SERIAL_COMM::SetRangeLimit(int modelIndex)
{
    if (const DeviceModel *model = deviceModel(modelIndex))
        m_rangeLimit = model->rangeLimit;
}

void SERIAL_COMM::SetSimulationBlock(const SimulationBlock &block)
{
    m_simulation = block;
}

void SERIAL_COMM::ShowRecordedScan(const RecordedScan &scan)
{
    const bool ethernet = scan.link == ScanLink::Ethernet;
    SetConnectType(ethernet ? EthernetInterface : SerialInterface);
    mountingRead(scan.invertedMount);
    // The report first: an area it chooses is there when the scan is drawn.
    const IoPortState report{scan.inputs, scan.outputs, scan.status};
    m_live.storeReport(report);
    emit IOPortSignals(report.inport, report.outport, report.status);
    if (ethernet) {
        const int count = qMin<int>(CloudCapacity, qMin(scan.cloudDistances.size(), scan.cloudIntensities.size()));
        for (int i = 0; i < count; ++i) {
            m_live.cloudDistX[i] = scan.cloudDistances.at(i).x();
            m_live.cloudDistY[i] = scan.cloudDistances.at(i).y();
            m_live.cloudIntensityX[i] = scan.cloudIntensities.at(i).x();
            m_live.cloudIntensityY[i] = scan.cloudIntensities.at(i).y();
        }
        m_live.cloudCount = count;
        m_live.cloudIndex = 0;
    } else {
        if (scan.distances.size() == SerialScanSize)
            m_live.scanDistances = scan.distances;
        if (scan.intensities.size() == SerialScanSize)
            m_live.scanIntensities = scan.intensities;
    }
    ++m_live.scanSequence;
    ++m_live.intensitySequence;
    emit ReceiveScanfData();
    emit ReceiveIntensityData();
}

void SERIAL_COMM::ClearLiveScan()
{
    m_live.resetCloud();
    m_live.scanDistances.fill(0);
    m_live.scanIntensities.fill(0);
    m_live.storeReport(IoPortState());
    emit ReceiveScanfData();
    emit ReceiveIntensityData();
}

bool SERIAL_COMM::flag(RequestFlag requestFlag) const
{
    if (m_flags[static_cast<size_t>(requestFlag)])
        return true;
    return !isPollingFlag(requestFlag) && m_transaction && m_transaction->wants(requestFlag);
}

// ---- transactions ---------------------------------------------------------------------

LinkTransaction *SERIAL_COMM::startTransaction(std::unique_ptr<LinkTransaction> owned)
{
    LinkTransaction *transaction = owned.release();
    transaction->setParent(this);
    // Connected first, so that the link has let go of it before anyone else hears.
    connect(transaction, &LinkTransaction::finished, this,
            [this, transaction](const TransactionResult &result) { transactionEnded(transaction, result); });
    if (m_transaction) {
        transaction->end(TransactionOutcome::Busy);
        return transaction;
    }
    m_transaction = transaction;
    connect(transaction, &LinkTransaction::mountingRead, this, &SERIAL_COMM::mountingRead);
    emit TransactionStarted(transaction);
    if (!transaction->begin())
        return transaction;
    // A streaming Ethernet scanner stops its clouds first, so that the transfer's
    // replies are not lost among them; so again when the transfer goes on after a
    // question, during which scan polling may have started them.
    const bool transfer = transaction->kind() == TransactionKind::ReadAll
        || transaction->kind() == TransactionKind::WriteAll
        || transaction->kind() == TransactionKind::Verify;
    if (transfer) {
        stopClouds();
        connect(transaction, &LinkTransaction::resumed, this, &SERIAL_COMM::stopClouds);
    }
    return transaction;
}

LinkTransaction *SERIAL_COMM::transaction() const
{
    return m_transaction.data();
}

void SERIAL_COMM::transactionEnded(LinkTransaction *transaction, const TransactionResult &result)
{
    if (transaction == m_transaction)
        m_transaction = nullptr;
    transaction->deleteLater();
    emit TransactionFinished(result);
}

void SERIAL_COMM::SensorRebootSlots()
{
    startTransaction(std::make_unique<RebootTransaction>());
}

void SERIAL_COMM::ReadSensorAllDataSlots()
{
    startTransaction(std::make_unique<ReadAllTransaction>(m_source ? m_source() : ScannerConfiguration()));
}

void SERIAL_COMM::WriteSensorAllDataSlots()
{
    startTransaction(std::make_unique<WriteAllTransaction>(m_source ? m_source() : ScannerConfiguration()));
}

void SERIAL_COMM::VerifySensorAllDataSlots()
{
    startTransaction(std::make_unique<VerifyTransaction>(m_source ? m_source() : ScannerConfiguration()));
}

void SERIAL_COMM::SensorInformationSlots()
{
    startTransaction(std::make_unique<ProductInformationTransaction>());
}

bool SERIAL_COMM::transactionCommandPending() const
{
    switch (m_pendingCommand) {
    case NoCommand:
    case ScanCommand:
    case IntensityCommand:
    case SimulationCommand:
        return false;
    default:
        return true;
    }
}

void SERIAL_COMM::CancelTransfer()
{
    if (!m_transaction)
        return;
    // The answer to the request on its way no longer matters: nothing waits for it,
    // and arriving late it finds nobody to take it.
    if (transactionCommandPending()) {
        m_pendingCommand = NoCommand;
        m_timeoutTimer.stop();
        m_timeoutCount = 0;
    }
    m_transaction->end(TransactionOutcome::Cancelled);
}

void SERIAL_COMM::ClearCommandFlags()
{
    m_pendingCommand = NoCommand;
    m_flags.fill(false);
    if (m_transaction)
        m_transaction->end(TransactionOutcome::LinkLost);
}

void SERIAL_COMM::StopOverTimer()
{
    m_timeoutTimer.stop();
}

void SERIAL_COMM::ResumeOverTimer()
{
    if (!idle())
        m_timeoutTimer.start();
}

// ---- polling ----------------------------------------------------------------------------

void SERIAL_COMM::OpenSendReadScanf()
{
    m_scanTimer.setInterval(isEthernet() ? EthernetScanInterval : SerialPollInterval);
    m_scanTimer.start();
}

void SERIAL_COMM::CloseSendReadScanf()
{
    m_scanTimer.stop();
}

void SERIAL_COMM::OpenSendReadIntensity()
{
    if (isEthernet())
        return;  // the pushed cloud packets carry the intensities
    m_intensityTimer.setInterval(SerialPollInterval);
    m_intensityTimer.start();
}

void SERIAL_COMM::CloseSendReadIntensity()
{
    m_intensityTimer.stop();
}

void SERIAL_COMM::OpenSendReadSimulation()
{
    m_simulationTimer.setInterval(SimulationInterval);
    m_simulationTimer.start();
}

void SERIAL_COMM::CloseSendReadSimulation()
{
    m_simulationTimer.stop();
}

void SERIAL_COMM::ReadScanfTime()
{
    setFlag(ScanFlag, true);
}

void SERIAL_COMM::ReadIntensityTime()
{
    setFlag(IntensityFlag, true);
}

void SERIAL_COMM::ReadSimulationTime()
{
    setFlag(SimulationFlag, true);
}

void SERIAL_COMM::CloseSerialPortSlots()
{
    m_silent = false;
    m_receiveBuffer.clear();
    m_live.resetCloud();
}

// ---- sending ----------------------------------------------------------------------------

void SERIAL_COMM::send(int length, int pending)
{
    if (pending != NoCommand)
        m_pendingCommand = pending;
    m_transmitLength = length;
    m_timeoutTimer.start();
    if (m_device && m_device->isOpen())
        m_device->write(m_transmit.data(), length);
}

void SERIAL_COMM::sendAutoScan(bool start)
{
    send(buildRAuto(m_transmit, start), NoCommand);
}

void SERIAL_COMM::stopClouds()
{
    if (isEthernet() && idle())
        sendAutoScan(false);
}

void SERIAL_COMM::SerialPortSendData()
{
    for (RequestFlag requestFlag : SendOrder) {
        if (flag(requestFlag)) {
            serve(requestFlag);
            return;
        }
    }
}

void SERIAL_COMM::serve(RequestFlag requestFlag)
{
    if (requestFlag == IntensityFlag && isEthernet()) {
        setFlag(IntensityFlag, false);  // the clouds carry the intensities
        return;
    }
    if (!idle())
        return;
    switch (requestFlag) {
    case ScanFlag:
        if (isEthernet()) {
            sendAutoScan(true);
            setFlag(ScanFlag, false);
        } else {
            send(buildRScan(m_transmit), ScanCommand);
        }
        return;
    case IntensityFlag:
        send(buildRStre(m_transmit), IntensityCommand);
        return;
    case SimulationFlag:
        send(buildWSimu(m_transmit, m_simulation), SimulationCommand);
        return;
    default: {
        const int length = m_transaction->buildRequest(requestFlag, m_transmit, m_configuration);
        if (length > 0)
            send(length, pendingFor(requestFlag));
        return;
    }
    }
}

void SERIAL_COMM::ReadWriteOverTime()
{
    // The request is asked for again: a missed area reply does not end the area reads
    // (a read-all is complete only with every area), and area writing starts again at
    // area 0.
    m_pendingCommand = NoCommand;
    ++m_timeoutCount;
    if (m_transaction)
        m_transaction->replyTimedOut();
    if (m_timeoutCount <= TimeoutsBeforeWarning)
        return;
    m_timeoutCount = 0;
    m_flags.fill(false);
    m_scanTimer.stop();
    m_intensityTimer.stop();
    m_simulationTimer.stop();
    m_timeoutTimer.stop();
    if (m_transaction)
        m_transaction->end(TransactionOutcome::TimedOut);
    m_silent = true;
    emit TimedOutSignal();
}

// ---- receiving --------------------------------------------------------------------------

void SERIAL_COMM::SerialPortReceiveData()
{
    if (!m_device || !m_device->isOpen())
        return;
    for (;;) {
        const QByteArray chunk = m_device->readAll();
        if (chunk.isEmpty())
            break;
        m_receiveBuffer.append(chunk);
        if (m_device->bytesAvailable() <= 0)
            break;
    }

    for (const ReplyRoute &route : ReceiveOrder) {
        if ((route.line == ReplyRoute::SerialOnly && isEthernet())
            || (route.line == ReplyRoute::EthernetOnly && !isEthernet()))
            continue;
        // A scanner pushes about 135 cloud packets a second and reads often arrive
        // coalesced, so every complete packet in the buffer is taken now; one per pass
        // would let the backlog grow until the buffer limit throws whole scans away.
        // Every other reply is taken once per pass.
        for (;;) {
            QByteArray frame;
            const TakeResult taken = takeReply(m_receiveBuffer, route.id, frame);
            if (route.taker == ReplyRoute::Cloud && taken == TakeResult::Dropped)
                continue;  // a header that can never complete; the search goes on
            if (taken == TakeResult::Valid)
                dispatch(route, frame);
            if (route.taker != ReplyRoute::Cloud || taken != TakeResult::Valid)
                break;
        }
    }
    if (m_receiveBuffer.size() > ReceiveBufferLimit)
        m_receiveBuffer.clear();
}

bool SERIAL_COMM::dispatch(const ReplyRoute &route, const QByteArray &frame)
{
    if (route.taker == ReplyRoute::Cloud) {
        noteAnswer();
        storeCloudPacket(frame);  // no checksum, no request: nothing waits for it
        return true;
    }
    // Only the answer to the request outstanding now is taken; a late one (after a
    // time-out or a cancel) would otherwise pass for the reply of another request.
    if (m_pendingCommand != route.answers)
        return false;
    switch (route.taker) {
    case ReplyRoute::Scan: return takeScan(frame);
    case ReplyRoute::Intensity: return takeIntensity(frame);
    case ReplyRoute::Simulation: return takeSimulation(frame);
    default: break;
    }
    QPointer<LinkTransaction> transaction = m_transaction;
    if (!transaction || !transaction->accepts(route.id, frame))
        return false;
    acceptReply();
    transaction->takeReply(route.id, frame, m_configuration);
    return true;
}

void SERIAL_COMM::acceptReply()
{
    m_timeoutTimer.stop();
    m_timeoutCount = 0;
    m_pendingCommand = NoCommand;
    noteAnswer();
}

void SERIAL_COMM::noteAnswer()
{
    if (!m_silent)
        return;
    m_silent = false;
    emit AnsweringAgainSignal();
}

void SERIAL_COMM::storeSerialScan(const QByteArray &frame, QVector<quint16> &target)
{
    const bool inverted = m_configuration.invertedMount;
    for (int i = 0; i < ScanValueCount; ++i) {
        const int slot = inverted ? i : ScanValueCount - 1 - i;
        target[slot] = clampToRange(scanValue(frame.constData(), i), m_rangeLimit);
    }
}

bool SERIAL_COMM::takeScan(const QByteArray &frame)
{
    acceptReply();
    setFlag(ScanFlag, false);
    storeSerialScan(frame, m_live.scanDistances);
    ++m_live.scanSequence;
    emit ReceiveScanfData();
    return true;
}

bool SERIAL_COMM::takeIntensity(const QByteArray &frame)
{
    acceptReply();
    setFlag(IntensityFlag, false);
    storeSerialScan(frame, m_live.scanIntensities);
    ++m_live.intensitySequence;
    emit ReceiveIntensityData();
    return true;
}

bool SERIAL_COMM::takeSimulation(const QByteArray &frame)
{
    acceptReply();
    setFlag(SimulationFlag, false);
    const IoPortState state = decodeSimulationReply(frame.constData());
    m_live.storeReport(state);
    emit IOPortSignals(state.inport, state.outport, state.status);
    return true;
}

void SERIAL_COMM::storeCloudPacket(const QByteArray &packet)
{
    const CloudHeader header = decodeCloudHeader(packet.constData());
    const int start = header.startBearing;
    const int count = header.count;
    const int span = start < header.endBearing ? header.endBearing - start
                                               : header.endBearing + 360 - start;
    // A packet that cannot be placed in the cloud vectors is dropped whole: a start
    // before the first bearing of a scan, an empty or reversed span, a sector that
    // starts where it ends, or points that would run past the last slot. The slot is
    // worked out in 64 bits: header values up to 65535 overflow 32.
    if (span <= 0 || start == header.endBearing || start < FirstCloudBearing)
        return;
    const qint64 firstSlot = ((qint64(count) * 24 / span) * (start - FirstCloudBearing)) / 24;
    if (firstSlot < 0 || firstSlot + count > CloudCapacity)
        return;

    LiveScan &data = m_live;
    const bool inverted = m_configuration.invertedMount;
    const float step = static_cast<float>(span) / static_cast<float>(count);
    data.cloudIndex = static_cast<qint32>(firstSlot);
    for (int k = 0; k < count; ++k) {
        const CloudPoint point = cloudPoint(packet.constData(), k);
        const float distance = clampToRange(point.distance, m_rangeLimit);
        const float intensity = clampToRange(point.intensity, m_rangeLimit);
        const float degrees = inverted ? static_cast<float>(k + 1) * step + static_cast<float>(start - 270)
                                       : 90.0f - static_cast<float>(start) - static_cast<float>(k + 1) * step;
        const float bearing = degrees * DegreesToRadians;
        const float cosine = static_cast<float>(qFastCos(bearing));
        const float sine = static_cast<float>(qFastSin(bearing));
        const int slot = data.cloudIndex;
        data.cloudDistX[slot] = static_cast<qint32>(distance * cosine);
        data.cloudDistY[slot] = static_cast<qint32>(distance * sine);
        data.cloudIntensityX[slot] = static_cast<qint32>(intensity * cosine);
        data.cloudIntensityY[slot] = static_cast<qint32>(intensity * sine);
        ++data.cloudIndex;
    }
    if (header.endBearing == LastCloudSector) {
        data.cloudCount = data.cloudIndex;
        data.cloudIndex = 0;
        ++data.scanSequence;
        ++data.intensitySequence;
        emit ReceiveScanfData();
        emit ReceiveIntensityData();
    }
}

}  // namespace veltrix
