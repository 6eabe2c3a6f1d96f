#include "core/link/payloads.h"

#include "core/link/frames.h"

namespace veltrix {

namespace {

constexpr int ParameterOffset = 5;          // words 0..16, two bytes each
constexpr int LowWordCount = 17;
constexpr int IpEchoOffset = 40;            // "WPara": last octet of the IP address
constexpr int NetworkWordsOffset = 41;      // words 17..21
constexpr int ReadOnlyWordsOffset = 51;     // "RPara": words 22..25

}  // namespace

void encodeParameterReply(char *frame, const SensorParameters &parameters)
{
    for (int word = 0; word < LowWordCount; ++word)
        writeU16(frame + ParameterOffset + 2 * word, parameters[word]);
    for (int word = LowWordCount; word < WrittenParameterCount; ++word)
        writeU16(frame + NetworkWordsOffset + 2 * (word - LowWordCount), parameters[word]);
    for (int word = WrittenParameterCount; word < SensorParameterCount; ++word)
        writeU16(frame + ReadOnlyWordsOffset + 2 * (word - WrittenParameterCount), parameters[word]);
}

void decodeParameterReply(const char *frame, SensorParameters &parameters)
{
    for (int word = 0; word < LowWordCount; ++word)
        parameters[word] = readU16(frame + ParameterOffset + 2 * word);
    for (int word = LowWordCount; word < WrittenParameterCount; ++word)
        parameters[word] = readU16(frame + NetworkWordsOffset + 2 * (word - LowWordCount));
    for (int word = WrittenParameterCount; word < SensorParameterCount; ++word)
        parameters[word] = readU16(frame + ReadOnlyWordsOffset + 2 * (word - WrittenParameterCount));
}

void encodeParameterWrite(char *frame, const SensorParameters &parameters)
{
    for (int word = 0; word < LowWordCount; ++word)
        writeU16(frame + ParameterOffset + 2 * word, parameters[word]);
    frame[IpEchoOffset] = static_cast<char>(parameters[IpAddressLowWord] & 0xFF);
    for (int word = LowWordCount; word < WrittenParameterCount; ++word)
        writeU16(frame + NetworkWordsOffset + 2 * (word - LowWordCount), parameters[word]);
}

void decodeParameterWrite(const char *frame, SensorParameters &parameters)
{
    for (int word = 0; word < LowWordCount; ++word)
        parameters[word] = readU16(frame + ParameterOffset + 2 * word);
    for (int word = LowWordCount; word < WrittenParameterCount; ++word)
        parameters[word] = readU16(frame + NetworkWordsOffset + 2 * (word - LowWordCount));
}

void encodeSimulationRequest(char *frame, const SimulationBlock &block)
{
    int mode = 0;
    if (block.inputSimulationOn)
        mode = SimulationModeInputs;
    else if (block.caseSimulationOn)
        mode = SimulationModeCase;
    frame[5] = static_cast<char>(mode);
    frame[6] = static_cast<char>(block.simulatedInputs & 0xFF);
    writeU16(frame + 7, static_cast<quint32>(block.steeringAngle));
    writeU16(frame + 9, static_cast<quint32>(block.vehicleSpeed));
    writeU16(frame + 11, static_cast<quint32>(block.operationMode));
    frame[13] = static_cast<char>(block.outputSimulationOn ? 1 : 0);
    frame[14] = static_cast<char>(block.simulatedOutputs & 0xFF);
    frame[15] = static_cast<char>(block.faultSimulationOn ? (block.simulatedFault & 0xFF) : 0);
}

SimulationRequest decodeSimulationRequest(const char *frame)
{
    SimulationRequest request;
    request.mode = static_cast<quint8>(frame[5]);
    request.inputs = static_cast<quint8>(frame[6]);
    request.steeringAngle = readS16(frame + 7);
    request.vehicleSpeed = readS16(frame + 9);
    request.operationMode = readU16(frame + 11);
    request.outputSimulation = frame[13] != 0;
    request.outputs = static_cast<quint8>(frame[14]);
    request.fault = static_cast<quint8>(frame[15]);
    return request;
}

void encodeSimulationReply(char *frame, quint8 inport, quint8 outport, quint16 status)
{
    frame[5] = static_cast<char>(inport);
    frame[6] = 0;
    frame[7] = static_cast<char>(outport);
    frame[8] = 0;
    writeU16(frame + 9, status);
}

IoPortState decodeSimulationReply(const char *frame)
{
    IoPortState state;
    state.inport = static_cast<uint>(static_cast<qint32>(static_cast<qint8>(frame[5])));
    state.outport = static_cast<uint>(static_cast<qint32>(static_cast<qint8>(frame[7])));
    state.status = readU16(frame + 9);
    return state;
}

void encodeProductInfo(char *frame, const ProductInfo &info)
{
    writeU16(frame + 5, info.productCode);
    writeU16(frame + 7, info.firmware);
    writeU16(frame + 9, info.serialNumber);
    writeU16(frame + 11, info.year);
    writeU16(frame + 13, info.month);
    writeU16(frame + 15, info.day);
}

ProductInfo decodeProductInfo(const char *frame)
{
    ProductInfo info;
    info.productCode = readU16(frame + 5);
    info.firmware = readU16(frame + 7);
    info.serialNumber = readU16(frame + 9);
    info.year = readU16(frame + 11);
    info.month = readU16(frame + 13);
    info.day = readU16(frame + 15);
    return info;
}

CloudHeader decodeCloudHeader(const char *packet)
{
    CloudHeader header;
    header.startBearing = readU16(packet + 6);
    header.endBearing = readU16(packet + 8);
    header.count = readU16(packet + 10);
    return header;
}

CloudPoint cloudPoint(const char *packet, int k)
{
    const char *p = packet + CloudHeaderLength + CloudPointLength * k;
    return CloudPoint{readU16Le(p), readU16Le(p + 2)};
}

void encodeCloudHeader(char *packet, const CloudHeader &header)
{
    packet[5] = 0;
    writeU16(packet + 6, static_cast<quint32>(header.startBearing));
    writeU16(packet + 8, static_cast<quint32>(header.endBearing));
    writeU16(packet + 10, static_cast<quint32>(header.count));
}

void encodeCloudPoint(char *packet, int k, const CloudPoint &point)
{
    char *p = packet + CloudHeaderLength + CloudPointLength * k;
    writeU16Le(p, point.distance);
    writeU16Le(p + 2, point.intensity);
}

}  // namespace veltrix
