#include "core/link/serialcomm.h"

#include "core/app/usermessage.h"
#include "core/project/devicemodels.h"
#include "core/areas/areamodel.h"
#include "core/link/areapayload.h"
#include "core/link/sensorlinkdata.h"
#include "core/link/sensorparameters.h"

#include <QIODevice>
#include <QtMath>

namespace veltrix {

namespace {

quint16 clampToRange(quint16 value, int limit)
{
    return value > limit ? static_cast<quint16>(limit) : value;
}

// Said whenever a write-all ends before everything was written.
QString partialConfigurationText()
{
    return SERIAL_COMM::tr("传感器现在可能只保存了部分设置，使用前必须重新写入全部设置。");
}

bool isTransferCommand(int command)
{
    switch (command) {
    case SERIAL_COMM::ReadAreaCommand:
    case SERIAL_COMM::WriteAreaCommand:
    case SERIAL_COMM::ReadParametersCommand:
    case SERIAL_COMM::WriteParametersCommand:
    case SERIAL_COMM::ReadCaseCommand:
    case SERIAL_COMM::WriteCaseCommand:
        return true;
    default:
        return false;
    }
}

}  // namespace

SERIAL_COMM::SERIAL_COMM(QIODevice *serialPort, SensorLinkData *linkData, AreaModel *areaModel,
                         SensorParameters *parameters, QIODevice *tcpSocket,
                         QIODevice *udpSocket, Messenger *messenger, QObject *parent)
    : QObject(parent),
      m_serialPort(serialPort),
      m_linkData(linkData),
      m_areaModel(areaModel),
      m_parameters(parameters),
      m_tcpSocket(tcpSocket),
      m_udpSocket(udpSocket),
      m_messenger(messenger)
{
    m_timeoutTimer.setInterval(ReplyTimeout);
    m_sendTimer.setInterval(SendInterval);
    m_sendTimer.start();
    connect(&m_scanTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadScanfTime);
    connect(&m_intensityTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadIntensityTime);
    connect(&m_simulationTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadSimulationTime);
    connect(&m_timeoutTimer, &QTimer::timeout, this, &SERIAL_COMM::ReadWriteOverTime);
    connect(&m_sendTimer, &QTimer::timeout, this, &SERIAL_COMM::SerialPortSendData);
    for (QIODevice *device : {m_serialPort, m_tcpSocket, m_udpSocket}) {
        if (device)
            connect(device, &QIODevice::readyRead, this, &SERIAL_COMM::SerialPortReceiveData);
    }
    m_linkData->invertedMount = false;
}

void SERIAL_COMM::SetRangeLimit(int modelIndex)
{
    if (const DeviceModel *model = deviceModel(modelIndex))
        m_rangeLimit = model->rangeLimit;
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

void SERIAL_COMM::ClearCommandFlags()
{
    const bool transferring = transferRunning();
    m_pendingCommand = NoCommand;
    m_flags.fill(false);
    m_readAreaIndex = 0;
    m_writeAreaIndex = 0;
    m_areaRepeats = 0;
    m_writeFailures.clear();
    if (transferring)
        emit ProgressCloseSignal();
}

bool SERIAL_COMM::writeAllRunning() const
{
    return flag(WriteAreasFlag) || flag(WriteCaseFlag) || flag(WriteParametersFlag);
}

bool SERIAL_COMM::transferRunning() const
{
    return writeAllRunning() || flag(ReadAreasFlag) || flag(ReadCaseFlag)
        || flag(ReadParametersFlag);
}

void SERIAL_COMM::CancelTransfer()
{
    const bool writing = writeAllRunning();
    if (!transferRunning()) {
        emit ProgressCloseSignal();
        return;
    }
    for (RequestFlag transferFlag : {ReadParametersFlag, ReadCaseFlag, ReadAreasFlag,
                                     WriteAreasFlag, WriteCaseFlag, WriteParametersFlag})
        setFlag(transferFlag, false);
    // The answer to the request on its way no longer matters: nothing waits for it, and
    // a late write acknowledgement finds no write-all to move on.
    if (isTransferCommand(m_pendingCommand)) {
        m_pendingCommand = NoCommand;
        m_timeoutTimer.stop();
        m_timeoutCount = 0;
    }
    m_readAreaIndex = 0;
    m_writeAreaIndex = 0;
    m_areaRepeats = 0;
    m_writeFailures.clear();
    emit ProgressCloseSignal();
    if (writing) {
        showMessage(MessageIcon::Warning, tr("警告"),
                    tr("写入已取消。") + QLatin1Char('\n') + partialConfigurationText());
    } else {
        showMessage(MessageIcon::Information, tr("提示"),
                    tr("读取已取消，尚未读取的区域和参数可能仍是原来的内容。"));
    }
}

bool SERIAL_COMM::isEthernet() const
{
    return m_linkData->connectType == EthernetInterface;
}

QIODevice *SERIAL_COMM::activeDevice() const
{
    if (!isEthernet())
        return m_serialPort;
    return m_linkData->ethernetMode == UdpMode ? m_udpSocket : m_tcpSocket;
}

void SERIAL_COMM::SensorRebootSlots()
{
    setFlag(RebootFlag, true);
}

void SERIAL_COMM::ReadSensorAllDataSlots()
{
    if (isEthernet() && idle())
        sendAutoScan(false);
    // A read-all already under way keeps its place; a new one starts at area 0.
    if (!flag(ReadAreasFlag))
        m_readAreaIndex = 0;
    setFlag(ReadParametersFlag, true);
    setFlag(ReadAreasFlag, true);
    setFlag(ReadCaseFlag, true);
}

void SERIAL_COMM::WriteSensorAllDataSlots()
{
    if (refuseOversizedAreas())
        return;
    if (!writeAllRunning()) {
        m_areaRepeats = 0;
        m_writeFailures.clear();
    }
    if (isEthernet() && idle())
        sendAutoScan(false);
    if (!flag(WriteAreasFlag))
        m_writeAreaIndex = 0;
    setFlag(WriteAreasFlag, true);
    setFlag(WriteCaseFlag, true);
    setFlag(WriteParametersFlag, true);
}

void SERIAL_COMM::SensorInformationSlots()
{
    setFlag(ProductFlag, true);
}

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
    m_receiveBuffer.clear();
    m_linkData->resetCloud();
}

void SERIAL_COMM::send(int length, int pending)
{
    if (pending != NoCommand)
        m_pendingCommand = pending;
    m_transmitLength = length;
    m_timeoutTimer.start();
    QIODevice *device = activeDevice();
    if (device && device->isOpen())
        device->write(m_transmit.data(), length);
}

void SERIAL_COMM::sendAutoScan(bool start)
{
    send(buildRAuto(m_transmit, start), NoCommand);
}

void SERIAL_COMM::SerialPortSendData()
{
    // While a message box runs its nested event loop nothing new goes out: the user
    // has not answered yet, and more replies would only stack more boxes.
    if (m_messenger && m_messenger->isShowing())
        return;

    if (flag(RebootFlag)) {
        if (idle())
            send(buildRBoot(m_transmit), RebootCommand);
    } else if (flag(ReadParametersFlag)) {
        if (idle())
            send(buildRPara(m_transmit), ReadParametersCommand);
    } else if (flag(WriteAreasFlag)) {
        if (m_writeAreaIndex > MaxAreaIndex)
            m_writeAreaIndex = 0;
        else if (idle())
            sendNextArea();
    } else if (flag(ReadCaseFlag)) {
        if (idle())
            send(buildRCase(m_transmit), ReadCaseCommand);
    } else if (flag(WriteCaseFlag)) {
        if (idle())
            send(buildWCase(m_transmit, m_areaModel->areas()), WriteCaseCommand);
    } else if (flag(ProductFlag)) {
        if (idle())
            send(buildRPrda(m_transmit), ProductCommand);
    } else if (flag(ReadAreasFlag)) {
        if (m_readAreaIndex > MaxAreaIndex) {
            m_readAreaIndex = 0;
        } else if (idle()) {
            send(buildRArea(m_transmit, m_readAreaIndex), ReadAreaCommand);
            emit ProgressShowSignal(tr("上传数据"), m_readAreaIndex);
        }
    } else if (flag(WriteParametersFlag)) {
        if (idle())
            send(buildWPara(m_transmit, *m_parameters), WriteParametersCommand);
    } else if (flag(SimulationFlag)) {
        if (idle())
            send(buildWSimu(m_transmit, m_areaModel->simulation), SimulationCommand);
    } else if (flag(ScanFlag)) {
        if (isEthernet()) {
            if (idle()) {
                sendAutoScan(true);
                setFlag(ScanFlag, false);
            }
        } else if (idle()) {
            send(buildRScan(m_transmit), ScanCommand);
        }
    } else if (flag(IntensityFlag)) {
        if (isEthernet())
            setFlag(IntensityFlag, false);
        else if (idle())
            send(buildRStre(m_transmit), IntensityCommand);
    }
}

void SERIAL_COMM::sendNextArea()
{
    const AreaRecord &area = m_areaModel->areas().at(m_writeAreaIndex);
    const int length = buildWArea(m_transmit, area, m_writeAreaIndex, m_linkData->invertedMount);
    if (length == 0) {
        // The area changed into one a frame cannot carry after the write-all was checked.
        abandonWriteAll(unsendableReason(area, m_writeAreaIndex));
        return;
    }
    send(length, WriteAreaCommand);
    emit ProgressShowSignal(tr("下载数据"), m_writeAreaIndex);
}

QString SERIAL_COMM::unsendableReason(const AreaRecord &area, int areaIndex) const
{
    const int oversized = oversizedField(area);
    if (oversized >= 0) {
        const QString message = tr("区域%1 的 Out%2 有 %3 个点，一个输出区域最多只能写入 %4 个点。"
                                   "未向传感器写入任何数据。");
        return message.arg(areaIndex).arg(oversized + 1).arg(area.points(oversized).size())
            .arg(MaxFieldVertices);
    }
    const int outOfRange = outOfRangeField(area);
    if (outOfRange >= 0) {
        const QString message = tr("区域%1 的 Out%2 有超出传输范围的点（坐标最大 %3 mm）。"
                                   "未向传感器写入任何数据。");
        return message.arg(areaIndex).arg(outOfRange + 1).arg(MaxWireCoordinate);
    }
    return QString();
}

bool SERIAL_COMM::refuseOversizedAreas()
{
    for (int i = 0; i < m_areaModel->areas().size(); ++i) {
        const QString reason = unsendableReason(m_areaModel->areas().at(i), i);
        if (!reason.isEmpty()) {
            abandonWriteAll(reason);
            return true;
        }
    }
    return false;
}

void SERIAL_COMM::abandonWriteAll(const QString &message)
{
    const bool wasWriting = flag(WriteAreasFlag);
    setFlag(WriteAreasFlag, false);
    setFlag(WriteCaseFlag, false);
    setFlag(WriteParametersFlag, false);
    m_writeAreaIndex = 0;
    if (wasWriting)
        emit ProgressCloseSignal();
    showMessage(MessageIcon::Warning, tr("错误"), message);
}

void SERIAL_COMM::ReadWriteOverTime()
{
    // A missed area reply is asked for again rather than ending the area reads: giving
    // up would leave the document a silent mix of the scanner's areas and older ones.
    // Area writing starts again at area 0.
    m_writeAreaIndex = 0;
    m_pendingCommand = NoCommand;
    ++m_timeoutCount;
    if (m_timeoutCount <= TimeoutsBeforeWarning)
        return;
    m_timeoutCount = 0;
    m_readAreaIndex = 0;
    m_flags.fill(false);
    m_scanTimer.stop();
    m_intensityTimer.stop();
    m_simulationTimer.stop();
    m_timeoutTimer.stop();
    emit ProgressCloseSignal();
    showMessage(MessageIcon::Warning, tr("警告"),
                tr("读写参数超时,请检查连接"));
}

void SERIAL_COMM::SerialPortReceiveData()
{
    QIODevice *device = activeDevice();
    if (!device || !device->isOpen())
        return;
    for (;;) {
        const QByteArray chunk = device->readAll();
        if (chunk.isEmpty())
            break;
        m_receiveBuffer.append(chunk);
        if (device->bytesAvailable() <= 0)
            break;
    }

    // A decoder that shows a message runs a nested event loop in which this handler
    // may run again. Each decoder therefore finishes with the buffer and the link's
    // state before it shows anything, and reads the buffer afresh.
    decodeRBoot();
    decodeRPrda();
    if (isEthernet())
        decodeCloud();
    else
        decodeRScan();
    decodeRStre();
    decodeRArea();
    decodeWArea();
    decodeRPara();
    decodeWPara();
    decodeRCase();
    decodeWCase();
    decodeWSimu();
    if (m_receiveBuffer.size() > ReceiveBufferLimit)
        m_receiveBuffer.clear();
}

void SERIAL_COMM::acceptReply()
{
    m_timeoutTimer.stop();
    m_timeoutCount = 0;
}

void SERIAL_COMM::finishRequest(RequestFlag requestFlag)
{
    m_pendingCommand = NoCommand;
    setFlag(requestFlag, false);
}

void SERIAL_COMM::decodeRBoot()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RBoot", AcknowledgeLength, true, frame) != TakeResult::Valid)
        return;
    acceptReply();
    finishRequest(RebootFlag);
    showMessage(MessageIcon::Information, tr("提示"),
                tr("传感器重新启动完成"));
}

void SERIAL_COMM::decodeRPrda()
{
    QByteArray frame;
    if (takeProductFrame(m_receiveBuffer, frame) != TakeResult::Valid)
        return;
    acceptReply();
    finishRequest(ProductFlag);
    const ProductInfo info = decodeProductInfo(frame.constData());
    const QString name = info.productCode == KnownProductCode ? QStringLiteral("ZD-XXXX") : QString();
    const QString firmware = QString::number(info.firmware / 100.0, 'f', 2);
    const QString serial = QString::number(double(info.serialNumber), 'f', 6);
    QStringList lines;
    lines << tr("产品型号:  %1").arg(name) << tr("固件版本:  %1").arg(firmware)
          << tr("串行编号:  %1").arg(serial)
          << tr("生产日期:  %1年%2月%3日").arg(info.year).arg(info.month).arg(info.day);
    showMessage(MessageIcon::Information, tr("产品信息"),
                lines.join(QLatin1Char('\n')));
}

void SERIAL_COMM::storeSerialScan(const QByteArray &frame, QVector<quint16> &target)
{
    const bool inverted = m_linkData->invertedMount;
    for (int i = 0; i < ScanValueCount; ++i) {
        const int slot = inverted ? i : ScanValueCount - 1 - i;
        target[slot] = clampToRange(scanValue(frame.constData(), i), m_rangeLimit);
    }
}

void SERIAL_COMM::decodeRScan()
{
    if (isEthernet())
        return;
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RScan", ScanReplyLength, false, frame) != TakeResult::Valid)
        return;
    storeSerialScan(frame, m_linkData->scanDistances);
    ++m_linkData->scanSequence;
    acceptReply();
    finishRequest(ScanFlag);
    emit ReceiveScanfData();
}

void SERIAL_COMM::decodeRStre()
{
    if (isEthernet())
        return;
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RStre", ScanReplyLength, false, frame) != TakeResult::Valid)
        return;
    storeSerialScan(frame, m_linkData->scanIntensities);
    ++m_linkData->intensitySequence;
    acceptReply();
    finishRequest(IntensityFlag);
    emit ReceiveIntensityData();
}

void SERIAL_COMM::decodeCloud()
{
    // A scanner pushes about 135 packets a second and reads often arrive coalesced, so
    // every complete packet in the buffer is decoded now; taking one per call would let
    // the backlog grow until the buffer limit throws whole scans away.
    for (;;) {
        QByteArray packet;
        const TakeResult result = takeCloudPacket(m_receiveBuffer, packet);
        if (result == TakeResult::Dropped)
            continue;  // a header that can never complete; the search goes on
        if (result != TakeResult::Valid)
            return;
        storeCloudPacket(packet);
    }
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

    SensorLinkData &data = *m_linkData;
    const bool inverted = data.invertedMount;
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

void SERIAL_COMM::decodeRArea()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RArea", AreaFrameLength, true, frame) != TakeResult::Valid)
        return;
    const int index = areaIndexOf(frame.constData());
    // While a read-all runs, only the answer for the area being asked for moves it on.
    // A late answer to an area asked for again after a time-out, or one left over from
    // an earlier read-all, must neither advance the loop past an area not yet read nor
    // count as the reply to the request outstanding now. An index above 63 names no
    // area at all: counted as a step it would let "read OK" appear with an area never
    // read, so it is ignored and the time-out asks for the area again.
    const bool reading = flag(ReadAreasFlag);
    if (index > MaxAreaIndex || (reading && index != m_readAreaIndex))
        return;
    // Through the document, so that every view shows the area just read.
    AreaRecord area = m_areaModel->area(index);
    decodeArea(frame.constData(), area, m_linkData->invertedMount);
    m_areaModel->replaceArea(index, area);
    // An area arriving outside a read-all (late, after a cancel) answers no request of
    // now: the time-out and the reply awaited for another request stay as they are.
    if (!reading)
        return;
    acceptReply();
    ++m_readAreaIndex;
    const int progress = m_readAreaIndex;
    const bool complete = m_readAreaIndex >= AreaCount;
    if (complete) {
        m_readAreaIndex = 0;
        setFlag(ReadAreasFlag, false);
    }
    m_pendingCommand = NoCommand;
    emit ProgressValueSignal(progress);
    if (complete)
        emit NoticeSignal(tr("参数"), tr("参数读取完成！"));
}

void SERIAL_COMM::decodeWArea()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "WArea", AcknowledgeLength, true, frame) != TakeResult::Valid)
        return;
    // Late, after a cancel or the final time-out: there is no area loop to move on.
    if (!flag(WriteAreasFlag))
        return;
    acceptReply();
    const int status = static_cast<quint8>(frame[MnemonicLength]);
    m_pendingCommand = NoCommand;
    if (status == 0) {
        ++m_writeAreaIndex;
        const int progress = m_writeAreaIndex;
        if (m_writeAreaIndex >= AreaCount) {
            m_writeAreaIndex = 0;
            setFlag(WriteAreasFlag, false);
        }
        emit ProgressValueSignal(progress);
        return;
    }
    // A refused area is sent again by itself only a few times: a scanner that refuses
    // it every time would otherwise keep the write-all going forever.
    if (m_areaRepeats >= AreaWriteRepeats) {
        const QString refused = tr("传感器拒绝写入区域%1（应答：%2），写入已停止。")
                                    .arg(m_writeAreaIndex).arg(answerText(status));
        abandonWriteAll(refused + QLatin1Char('\n') + partialConfigurationText());
        return;
    }
    ++m_areaRepeats;
    if (status == 1) {
        m_writeAreaIndex = 0;  // the flag stays set: writing starts again at area 0
        showMessage(MessageIcon::Warning, tr("错误"),
                    tr("参数设置异常，请重启传感器恢复初始参数。"));
    } else {
        showStatusError(status);  // the same area is sent again
    }
}

void SERIAL_COMM::decodeRPara()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RPara", ParameterFrameLength, true, frame) != TakeResult::Valid)
        return;
    acceptReply();
    decodeParameterReply(frame.constData(), *m_parameters);
    const bool inverted = (*m_parameters)[InstallDirectionWord] != 0;
    m_linkData->invertedMount = inverted;
    finishRequest(ReadParametersFlag);
    emit DirChangeSignals(inverted);
    emit ReceiveParameters();
    emit ProgressCloseSignal();
}

void SERIAL_COMM::decodeWPara()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "WPara", AcknowledgeLength, true, frame) != TakeResult::Valid)
        return;
    // Late, after a cancel or the final time-out: it must not report a write-all that
    // was given up as complete.
    if (!flag(WriteParametersFlag))
        return;
    acceptReply();
    const int status = static_cast<quint8>(frame[MnemonicLength]);
    finishRequest(WriteParametersFlag);
    // The write-all ends here whatever the status; its progress must not stay on screen.
    emit ProgressCloseSignal();
    finishWriteAll(status);
}

void SERIAL_COMM::finishWriteAll(int parameterStatus)
{
    // Taken before any box opens: its nested event loop must not see this write-all's
    // state any more.
    QStringList failures = m_writeFailures;
    if (parameterStatus != 0)
        failures << tr("传感器参数（应答：%1）").arg(answerText(parameterStatus));
    m_writeFailures.clear();
    m_areaRepeats = 0;

    if (!failures.isEmpty()) {
        showStatusError(parameterStatus);
        // Never "complete" and no restart: the scanner holds part of what was sent.
        const QString notWritten = tr("写入未全部完成，传感器没有接受：%1。")
                                       .arg(failures.join(tr("；")));
        showMessage(MessageIcon::Warning, tr("错误"),
                    notWritten + QLatin1Char('\n') + partialConfigurationText());
        return;
    }
    showMessage(MessageIcon::Information, tr("提示"),
                tr("参数写入完成，请重启生效！"));
    const QStringList buttons{tr("确定"), tr("取消")};
    const int answer = showMessage(MessageIcon::Question, tr("提示"),
                                   tr("是否重启传感器?"), buttons);
    if (answer == 0)
        setFlag(RebootFlag, true);
}

void SERIAL_COMM::decodeRCase()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "RCase", CaseFrameLength, true, frame) != TakeResult::Valid)
        return;
    acceptReply();
    QVector<AreaRecord> areas = m_areaModel->areas();
    decodeCase(frame.constData(), areas);
    m_areaModel->replaceAllAreas(areas);
    finishRequest(ReadCaseFlag);
}

void SERIAL_COMM::decodeWCase()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "WCase", AcknowledgeLength, true, frame) != TakeResult::Valid)
        return;
    if (!flag(WriteCaseFlag))
        return;  // late, after a cancel or the final time-out
    acceptReply();
    finishRequest(WriteCaseFlag);
    const int status = static_cast<quint8>(frame[MnemonicLength]);
    // The parameters are still written; the end of the write-all names what failed.
    if (status != 0)
        m_writeFailures << tr("智能选择数据（应答：%1）").arg(answerText(status));
    showStatusError(status);
}

void SERIAL_COMM::decodeWSimu()
{
    QByteArray frame;
    if (takeFrame(m_receiveBuffer, "WSimu", SimulationReplyLength, true, frame) != TakeResult::Valid)
        return;
    acceptReply();
    finishRequest(SimulationFlag);
    const IoPortState state = decodeSimulationReply(frame.constData());
    emit IOPortSignals(state.inport, state.outport, state.status);
}

int SERIAL_COMM::showMessage(MessageIcon icon, const QString &title, const QString &message,
                             const QStringList &buttons)
{
    // Without a messenger nothing is shown and no button counts as chosen.
    if (!m_messenger)
        return -1;
    return m_messenger->show(icon, title, message, buttons);
}

QString SERIAL_COMM::answerText(int status) const
{
    if (status == 1)
        return tr("参数设置异常");
    if (status == 2)
        return tr("内存写入错误");
    return tr("状态 %1").arg(status);
}

void SERIAL_COMM::showStatusError(int status)
{
    if (status == 1) {
        showMessage(MessageIcon::Warning, tr("错误"),
                    tr("参数设置异常"));
    } else if (status == 2) {
        showMessage(MessageIcon::Warning, tr("错误"),
                    tr("内存写入错误"));
    }
}

}  // namespace veltrix
