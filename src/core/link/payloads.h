#pragma once

#include "core/link/simulationblock.h"
#include "core/link/frames.h"
#include "core/link/sensorparameters.h"

#include <QtGlobal>

namespace veltrix {

// "RPara" reply (words 0..25) and "WPara" request (words 0..21), both 67 bytes.
void encodeParameterReply(char *frame, const SensorParameters &parameters);
void decodeParameterReply(const char *frame, SensorParameters &parameters);
void encodeParameterWrite(char *frame, const SensorParameters &parameters);
// Stores words 0..21 of a "WPara" request; words 22..25 are left as they are.
void decodeParameterWrite(const char *frame, SensorParameters &parameters);

// The "WSimu" request as it travels.
struct SimulationRequest
{
    int mode = 0;            // 1 input simulation, 2 case simulation, 0 neither
    int inputs = 0;          // low byte of the simulated inputs
    int steeringAngle = 0;   // signed degrees
    int vehicleSpeed = 0;    // signed
    int operationMode = 0;
    bool outputSimulation = false;
    int outputs = 0;         // low byte of the simulated outputs
    int fault = 0;           // low byte of the simulated fault, 0 when fault simulation is off
};
constexpr int SimulationModeInputs = 1;
constexpr int SimulationModeCase = 2;

void encodeSimulationRequest(char *frame, const SimulationBlock &block);
SimulationRequest decodeSimulationRequest(const char *frame);

// The three values of a "WSimu" reply as IOPortSignals delivers them: input and output
// bytes widened as signed bytes (0x80 and above arrive with the upper 24 bits set).
struct IoPortState
{
    uint inport = 0;
    uint outport = 0;
    uint status = 0;
};
void encodeSimulationReply(char *frame, quint8 inport, quint8 outport, quint16 status);
IoPortState decodeSimulationReply(const char *frame);

// "RPrda" reply fields (the same first bytes in the 19- and the 509-byte form).
struct ProductInfo
{
    quint16 productCode = 0;  // 10 names the product "ZD-XXXX"
    quint16 firmware = 0;     // version x 100
    quint16 serialNumber = 0;
    quint16 year = 0;
    quint16 month = 0;
    quint16 day = 0;
};
constexpr quint16 KnownProductCode = 10;
void encodeProductInfo(char *frame, const ProductInfo &info);
ProductInfo decodeProductInfo(const char *frame);

// "RScan" and "RStre" replies: 540 unsigned values, high byte first, from byte 5.
constexpr int ScanValueCount = 540;
inline quint16 scanValue(const char *frame, int i)
{
    return readU16(frame + MnemonicLength + 2 * i);
}

// "Cloud" packet: the header fields and point k.
struct CloudHeader
{
    int startBearing = 0;  // whole degrees
    int endBearing = 0;    // 315 marks the last sector of a scan
    int count = 0;
};
constexpr int LastCloudSector = 315;
constexpr int FirstCloudBearing = 45;
struct CloudPoint
{
    quint16 distance = 0;
    quint16 intensity = 0;
};
CloudHeader decodeCloudHeader(const char *packet);
CloudPoint cloudPoint(const char *packet, int k);
void encodeCloudHeader(char *packet, const CloudHeader &header);
void encodeCloudPoint(char *packet, int k, const CloudPoint &point);

}  // namespace veltrix
