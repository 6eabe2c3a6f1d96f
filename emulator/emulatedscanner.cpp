#include "emulatedscanner.h"

#include "areafields.h"

#include "core/link/areapayload.h"
#include "core/link/crc16.h"
#include "core/link/framebuilders.h"

#include <QtMath>

#include <cmath>
#include <cstring>

namespace veltrix {

namespace {

constexpr double FirstSampleDegrees = -44.5;  // sample 0 of "RScan"/"RStre"
constexpr double SampleStepDegrees = 0.5;
constexpr double CloudBearingToDevice = -90.0; // cloud bearing 180 looks straight ahead
constexpr int CoarseResolution = 1;            // parameter word 18: 1 -> 0.2°, otherwise 0.1°
constexpr int MaxDetectionSize = 9;            // index 9 = 5.0°

// A stored write frame handed back under the read mnemonic with a fresh checksum.
QByteArray asReply(const QByteArray &stored, FrameId reply)
{
    QByteArray frame = stored;
    std::memcpy(frame.data(), frameInfo(reply).mnemonic, MnemonicLength);
    putCrc(frame.data(), frame.size() - CrcLength);
    return frame;
}

}  // namespace

EmulatedScanner::EmulatedScanner(const ScannerConfig &config, QObject *parent)
    : QObject(parent),
      m_config(config),
      m_room(config.rangeLimit(), config.objectSpeed),
      m_areaStatusPending(config.areaStatusArea >= 0),
      m_wrongIndexPending(config.wrongIndexArea >= 0)
{
    m_parameters[InstallDirectionWord] = config.inverted ? 1 : 0;
    m_parameters[EthernetModeWord] = static_cast<quint32>(config.ethernetMode);
    const AreaRecord blank;
    for (int i = 0; i < AreaCount; ++i)
        setArea(i, blank);
    setCaseData(QVector<AreaRecord>(AreaCount));
    m_clock.start();
}

qint64 EmulatedScanner::now() const
{
    return m_frozenAt >= 0 ? m_frozenAt : m_clock.elapsed();
}

void EmulatedScanner::freezeClock(qint64 ms)
{
    m_frozenAt = ms;
}

EmulatedScanner::Response EmulatedScanner::handle(const QByteArray &request)
{
    Response response;
    const FrameInfo *info = frameInfoFor(request.constData(), request.size());
    if (!info || request.size() != info->requestLength)
        return response;
    const char *frame = request.constData();
    switch (info->id) {
    case FrameId::RPrda:
        response.reply = buildRPrdaReply(m_config.product, m_config.longProductReply);
        break;
    case FrameId::RPara:
        response.reply = buildRParaReply(m_parameters);
        break;
    case FrameId::WPara:
        response.reply = storeParameters(request);
        break;
    case FrameId::RArea: {
        const int index = static_cast<quint8>(frame[MnemonicLength]);
        response.reply = readArea(index);
        if (m_wrongIndexPending && index == m_config.wrongIndexArea && !response.reply.isEmpty()) {
            m_wrongIndexPending = false;
            response.reply[MnemonicLength] = static_cast<char>(index + AreaCount);
            putCrc(response.reply.data(), response.reply.size() - CrcLength);
        }
        break;
    }
    case FrameId::WArea:
        response.reply = storeArea(request);
        break;
    case FrameId::RCase:
        response.reply = asReply(m_caseFrame, FrameId::RCase);
        break;
    case FrameId::WCase:
        response.reply = storeCase(request);
        break;
    case FrameId::RBoot:
        response.reply = buildAcknowledge(FrameId::RBoot, 0);
        emit rebooted();
        break;
    case FrameId::WSimu: {
        const IoState state = simulate(request);
        response.reply = buildWSimuReply(state.inport, state.outport, state.status);
        break;
    }
    case FrameId::RScan:
        response.reply = buildScanReply(FrameId::RScan, scanDistances(now()));
        break;
    case FrameId::RStre:
        response.reply = buildScanReply(FrameId::RStre, scanIntensities(now()));
        break;
    case FrameId::RAuto:
        if (frame[MnemonicLength] == 1)
            response.cloud = CloudCommand::Start;
        else if (frame[MnemonicLength] == 0)
            response.cloud = CloudCommand::Stop;
        break;
    case FrameId::Cloud:
        break;
    }
    return response;
}

QByteArray EmulatedScanner::storeParameters(const QByteArray &request)
{
    const int status = m_config.parameterStatus;
    if (status == 0)
        decodeParameterWrite(request.constData(), m_parameters);
    return buildAcknowledge(FrameId::WPara, static_cast<quint8>(status));
}

QByteArray EmulatedScanner::storeArea(const QByteArray &request)
{
    const int index = areaIndexOf(request.constData());
    if (index > MaxAreaIndex)
        return buildAcknowledge(FrameId::WArea, 1);  // no such area: a setting error
    if (m_areaStatusPending && index == m_config.areaStatusArea) {
        // A refused write leaves the area as it was.
        m_areaStatusPending = m_config.areaStatusAlways;
        return buildAcknowledge(FrameId::WArea, static_cast<quint8>(m_config.areaStatusValue));
    }
    m_areaFrames[static_cast<size_t>(index)] = request;
    return buildAcknowledge(FrameId::WArea, 0);
}

QByteArray EmulatedScanner::storeCase(const QByteArray &request)
{
    const int status = m_config.caseStatus;
    if (status == 0)
        m_caseFrame = request;
    return buildAcknowledge(FrameId::WCase, static_cast<quint8>(status));
}

QByteArray EmulatedScanner::readArea(int index) const
{
    if (index > MaxAreaIndex)
        return QByteArray();  // there is no such area to report
    return asReply(m_areaFrames[static_cast<size_t>(index)], FrameId::RArea);
}

bool EmulatedScanner::preload(const QVector<AreaRecord> &areas, const SensorParameters &parameters,
                              QString *error)
{
    if (areas.size() != AreaCount) {
        if (error)
            *error = QStringLiteral("%1 areas instead of %2").arg(areas.size()).arg(AreaCount);
        return false;
    }
    for (int i = 0; i < AreaCount; ++i) {
        const int field = oversizedField(areas.at(i));
        if (field >= 0) {
            if (error)
                *error = QStringLiteral("area %1 Out%2 has more than %3 points").arg(i).arg(field + 1).arg(MaxFieldVertices);
            return false;
        }
        const int outOfRange = outOfRangeField(areas.at(i));
        if (outOfRange >= 0) {
            if (error)
                *error = QStringLiteral("area %1 Out%2 has a point beyond %3 mm").arg(i).arg(outOfRange + 1).arg(MaxWireCoordinate);
            return false;
        }
    }
    const bool upsideDown = parameters[InstallDirectionWord] != 0;
    for (int i = 0; i < AreaCount; ++i) {
        FrameBuffer buffer;
        m_areaFrames[static_cast<size_t>(i)] = QByteArray(buffer.data(), buildWArea(buffer, areas.at(i), i, upsideDown));
    }
    setCaseData(areas);
    for (int word = 0; word < WrittenParameterCount; ++word)
        m_parameters[word] = parameters[word] & 0xFFFF;
    return true;
}

void EmulatedScanner::setParameters(const SensorParameters &parameters)
{
    m_parameters = parameters;
}

AreaRecord EmulatedScanner::area(int index) const
{
    AreaRecord record;
    if (index < 0 || index > MaxAreaIndex)
        return record;
    decodeArea(m_areaFrames[static_cast<size_t>(index)].constData(), record, false);
    const AreaRecord caseWords = caseData().at(index);
    for (int word = 4; word <= 8; ++word)
        record.setNumber(word, caseWords.number(word));
    return record;
}

void EmulatedScanner::setArea(int index, const AreaRecord &area)
{
    if (index < 0 || index > MaxAreaIndex)
        return;
    FrameBuffer buffer;
    const int length = buildWArea(buffer, area, index, false);
    if (length > 0)
        m_areaFrames[static_cast<size_t>(index)] = QByteArray(buffer.data(), length);
}

QVector<AreaRecord> EmulatedScanner::caseData() const
{
    QVector<AreaRecord> areas(AreaCount);
    decodeCase(m_caseFrame.constData(), areas);
    return areas;
}

void EmulatedScanner::setCaseData(const QVector<AreaRecord> &areas)
{
    FrameBuffer buffer;
    m_caseFrame = QByteArray(buffer.data(), buildWCase(buffer, areas));
}

// ---- live data --------------------------------------------------------------------------

void EmulatedScanner::setScanSource(std::unique_ptr<ScanSource> source, int model, double scanRate)
{
    m_source = std::move(source);
    if (deviceModel(model))
        m_config.model = model;
    if (scanRate > 0)
        m_config.scanRate = scanRate;
}

Echo EmulatedScanner::echoAt(double deviceDegrees, qint64 ms) const
{
    // Upside down, the scanner's left is the vehicle's right.
    const double vehicleDegrees = inverted() ? 180.0 - deviceDegrees : deviceDegrees;
    return m_source ? m_source->echo(vehicleDegrees, ms) : m_room.echo(vehicleDegrees, ms);
}

QVector<quint16> EmulatedScanner::scanDistances(qint64 ms) const
{
    QVector<quint16> values(ScanValueCount);
    for (int j = 0; j < ScanValueCount; ++j)
        values[j] = echoAt(FirstSampleDegrees + SampleStepDegrees * j, ms).distance;
    return values;
}

QVector<quint16> EmulatedScanner::scanIntensities(qint64 ms) const
{
    QVector<quint16> values(ScanValueCount);
    for (int j = 0; j < ScanValueCount; ++j)
        values[j] = echoAt(FirstSampleDegrees + SampleStepDegrees * j, ms).intensity;
    return values;
}

int EmulatedScanner::cloudPointsPerScan() const
{
    const int tenths = m_parameters[ScanAngleWord] == CoarseResolution ? 2 : 1;
    return (LastCloudSector - FirstCloudBearing) * 10 / tenths;
}

QByteArray EmulatedScanner::cloudSector(int sector, qint64 ms) const
{
    const int start = FirstCloudBearing + CloudSectorDegrees * (sector % CloudSectorCount);
    const int count = cloudPointsPerScan() / CloudSectorCount;
    const double step = double(CloudSectorDegrees) / count;
    QVector<CloudPoint> points(count);
    for (int k = 0; k < count; ++k) {
        const double bearing = start + (k + 1) * step;
        const Echo echo = echoAt(bearing + CloudBearingToDevice, ms);
        points[k] = CloudPoint{echo.distance, echo.intensity};
    }
    return buildCloudPacket(start, start + CloudSectorDegrees, points);
}

// ---- simulation -------------------------------------------------------------------------

EmulatedScanner::IoState EmulatedScanner::simulate(const QByteArray &request) const
{
    const SimulationRequest asked = decodeSimulationRequest(request.constData());
    IoState state;
    state.inport = m_config.inputs;
    if (asked.mode == SimulationModeInputs) {
        state.inport = static_cast<quint8>(asked.inputs);
    } else if (asked.mode == SimulationModeCase) {
        const int area = caseArea(asked.steeringAngle, asked.vehicleSpeed, asked.operationMode);
        if (area >= 0)
            state.inport = static_cast<quint8>(area);
    }
    if (asked.outputSimulation)
        state.outport = static_cast<quint8>(asked.outputs);
    else
        state.outport = intrudedOutputs(qMin<int>(state.inport, MaxAreaIndex), now());
    state.status = asked.fault != 0 ? static_cast<quint16>(asked.fault) : m_config.faultBits;
    return state;
}

int EmulatedScanner::caseArea(int steering, int speed, int operationMode) const
{
    auto within = [](int value, int a, int b) { return value >= qMin(a, b) && value <= qMax(a, b); };
    const QVector<AreaRecord> areas = caseData();
    for (int i = 0; i < areas.size(); ++i) {
        const AreaRecord &a = areas.at(i);
        if (within(steering, a.steerMinDgree, a.steerMaxDgree)
            && within(speed, a.vehicleMinSpeed, a.vehicleMaxSpeed)
            && operationMode == a.vehicleOptionMode)
            return i;
    }
    return -1;
}

quint8 EmulatedScanner::intrudedOutputs(int areaIndex, qint64 ms) const
{
    AreaRecord record;
    decodeArea(m_areaFrames[static_cast<size_t>(qBound(0, areaIndex, MaxAreaIndex))].constData(),
               record, false);
    const double range = 2.0 * m_config.rangeLimit();
    const AreaFields fields(record, range, range);
    // An object counts once it covers the area's detection size: (index + 1) samples
    // of 0.5° side by side.
    const int needed = qBound(0, record.detectionSize, MaxDetectionSize) + 1;
    const QVector<quint16> distances = scanDistances(ms);
    quint8 outputs = 0;
    for (int field = 0; field < FieldCount; ++field) {
        int run = 0;
        for (int j = 0; j < ScanValueCount; ++j) {
            const double degrees = FirstSampleDegrees + SampleStepDegrees * j;
            const double radians = qDegreesToRadians(degrees);
            const double d = distances.at(j);
            const bool inside = d > 0
                && fields.contains(field, QPointF(d * std::cos(radians), d * std::sin(radians)));
            run = inside ? run + 1 : 0;
            if (run >= needed) {
                outputs |= static_cast<quint8>(1u << field);
                break;
            }
        }
    }
    return outputs;
}

}  // namespace veltrix
