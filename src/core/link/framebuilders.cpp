#include "core/link/framebuilders.h"

#include "core/link/areapayload.h"
#include "core/link/crc16.h"

#include <cstring>

namespace veltrix {

namespace {

// Clears length bytes, writes the mnemonic of id and returns the start.
char *begin(char *frame, FrameId id, int length)
{
    std::memset(frame, 0, static_cast<size_t>(length));
    std::memcpy(frame, frameInfo(id).mnemonic, MnemonicLength);
    return frame;
}

int plainRequest(FrameBuffer &buffer, FrameId id)
{
    begin(buffer.data(), id, PlainRequestLength);
    putCrc(buffer.data(), PlainRequestLength - CrcLength);
    return PlainRequestLength;
}

int byteRequest(FrameBuffer &buffer, FrameId id, int value)
{
    const int length = frameInfo(id).requestLength;
    begin(buffer.data(), id, length)[MnemonicLength] = static_cast<char>(value);
    putCrc(buffer.data(), length - CrcLength);
    return length;
}

QByteArray sealed(FrameBuffer &buffer, int length)
{
    putCrc(buffer.data(), length - CrcLength);
    return QByteArray(buffer.data(), length);
}

}  // namespace

int buildRPrda(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RPrda); }
int buildRPara(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RPara); }
int buildRCase(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RCase); }
int buildRBoot(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RBoot); }
int buildRScan(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RScan); }
int buildRStre(FrameBuffer &buffer) { return plainRequest(buffer, FrameId::RStre); }

int buildRArea(FrameBuffer &buffer, int areaIndex)
{
    return byteRequest(buffer, FrameId::RArea, areaIndex);
}

int buildRAuto(FrameBuffer &buffer, bool start)
{
    return byteRequest(buffer, FrameId::RAuto, start ? 1 : 0);
}

int buildWPara(FrameBuffer &buffer, const SensorParameters &parameters)
{
    encodeParameterWrite(begin(buffer.data(), FrameId::WPara, ParameterFrameLength), parameters);
    putCrc(buffer.data(), ParameterFrameLength - CrcLength);
    return ParameterFrameLength;
}

int buildWArea(FrameBuffer &buffer, const AreaRecord &area, int areaIndex, bool inverted)
{
    char *frame = begin(buffer.data(), FrameId::WArea, AreaFrameLength);
    if (!encodeArea(frame, area, areaIndex, inverted))
        return 0;
    putCrc(frame, AreaFrameLength - CrcLength);
    return AreaFrameLength;
}

int buildWCase(FrameBuffer &buffer, const QVector<AreaRecord> &areas)
{
    encodeCase(begin(buffer.data(), FrameId::WCase, CaseFrameLength), areas);
    putCrc(buffer.data(), CaseFrameLength - CrcLength);
    return CaseFrameLength;
}

int buildWSimu(FrameBuffer &buffer, const SimulationBlock &block)
{
    encodeSimulationRequest(begin(buffer.data(), FrameId::WSimu, SimulationRequestLength), block);
    putCrc(buffer.data(), SimulationRequestLength - CrcLength);
    return SimulationRequestLength;
}

QByteArray buildAcknowledge(FrameId request, quint8 status)
{
    FrameBuffer buffer;
    begin(buffer.data(), request, AcknowledgeLength)[MnemonicLength] = static_cast<char>(status);
    return sealed(buffer, AcknowledgeLength);
}

QByteArray buildRParaReply(const SensorParameters &parameters)
{
    FrameBuffer buffer;
    encodeParameterReply(begin(buffer.data(), FrameId::RPara, ParameterFrameLength), parameters);
    return sealed(buffer, ParameterFrameLength);
}

QByteArray buildRAreaReply(const AreaRecord &area, int areaIndex, bool inverted)
{
    FrameBuffer buffer;
    if (!encodeArea(begin(buffer.data(), FrameId::RArea, AreaFrameLength), area, areaIndex, inverted))
        return QByteArray();
    return sealed(buffer, AreaFrameLength);
}

QByteArray buildRCaseReply(const QVector<AreaRecord> &areas)
{
    FrameBuffer buffer;
    encodeCase(begin(buffer.data(), FrameId::RCase, CaseFrameLength), areas);
    return sealed(buffer, CaseFrameLength);
}

QByteArray buildWSimuReply(quint8 inport, quint8 outport, quint16 status)
{
    FrameBuffer buffer;
    encodeSimulationReply(begin(buffer.data(), FrameId::WSimu, SimulationReplyLength), inport,
                          outport, status);
    return sealed(buffer, SimulationReplyLength);
}

QByteArray buildRPrdaReply(const ProductInfo &info, bool longForm)
{
    FrameBuffer buffer;
    const int length = longForm ? ProductReplyLongLength : ProductReplyLength;
    encodeProductInfo(begin(buffer.data(), FrameId::RPrda, length), info);
    return sealed(buffer, length);
}

QByteArray buildScanReply(FrameId id, const QVector<quint16> &values)
{
    FrameBuffer buffer;
    char *frame = begin(buffer.data(), id, ScanReplyLength);
    for (int i = 0; i < ScanValueCount; ++i)
        writeU16(frame + MnemonicLength + 2 * i, values.value(i));
    return QByteArray(frame, ScanReplyLength);
}

QByteArray buildCloudPacket(int startBearing, int endBearing, const QVector<CloudPoint> &points)
{
    QByteArray packet(CloudHeaderLength + CloudPointLength * points.size(), '\0');
    char *data = packet.data();
    std::memcpy(data, frameInfo(FrameId::Cloud).mnemonic, MnemonicLength);
    encodeCloudHeader(data, CloudHeader{startBearing, endBearing, int(points.size())});
    for (int k = 0; k < points.size(); ++k)
        encodeCloudPoint(data, k, points.at(k));
    return packet;
}

}  // namespace veltrix
