#pragma once

#include <QMetaType>
#include <QtGlobal>

namespace veltrix {

// What the IO simulation asks the scanner to pretend, sent with every "WSimu".
// Field order is the order of the frame payload.
struct SimulationBlock
{
    quint8 inputSimulationOn = 0;
    quint8 outputSimulationOn = 0;
    quint8 faultSimulationOn = 0;
    quint8 caseSimulationOn = 0;
    qint32 simulatedInputs = 0;   // bit 0 = input 1 .. bit 5 = input 6
    qint32 simulatedOutputs = 0;  // bit 0 = output 1 .. bit 2 = output 3
    qint32 simulatedFault = 0;    // 1 = fault; 0 whenever fault simulation is off
    qint32 steeringAngle = 0;     // degrees, -180..180
    qint32 vehicleSpeed = 0;      // -300..300
    qint32 operationMode = 0;     // 0..4
};

}  // namespace veltrix

Q_DECLARE_METATYPE(veltrix::SimulationBlock)
