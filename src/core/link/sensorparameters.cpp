#include "core/link/sensorparameters.h"

namespace veltrix {

void SensorParameters::resetToDefaults()
{
    words.fill(0);
    words[4] = 127;      // RS485 address
    words[8] = 127;      // CAN address
    words[11] = 1200;    // motor speed ratio
    words[15] = 1780;    // scan zero value
    words[IpAddressHighWord] = 0xC0A8;  // 192.168
    words[IpAddressLowWord] = 0x0158;   // 1.88
    words[22] = 200;
    words[23] = 500;
    words[24] = 1;
    words[25] = 0;
}

}  // namespace veltrix
