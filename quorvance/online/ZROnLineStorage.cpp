#include "quorvance/online/ZROnLineStorage.h"

#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "wirelink/ZRCommError.h"

#include <array>

namespace {

constexpr const char* kUnrecognized = "Unrecognized Error";
constexpr const char* kInterpolatedFrequency = "Excessive Interpolated Feedback Frequency";

// By fault number; null entries are numbers the drives never report. The misspellings are the
// drives' documented texts and stay as they are.
constexpr std::array<const char*, 101> kFaultTexts = [] {
    std::array<const char*, 101> t{};
    t[0] = "No Drive Error";
    t[1] = "Non-Volatile Memory Endurance Exceeded";
    t[2] = "Position Change Exceeds Position Rollover / 2";
    t[3] = "Absolute Feedback Range Exceeded";
    t[4] = "Motor Overtemperature Fault";
    t[5] = "IPM Fault";
    t[6] = "SERCOS Hardware Overtravel";
    t[7] = "Motor Enc Chan B Line Break";
    t[8] = "Motor Enc Chan A Line Break";
    t[9] = "Bus Undervoltage Fault";
    t[10] = "Bus Overvoltage Fault";
    t[11] = "Illegal Hall State Fault";
    t[12] = "Home Search Failed";
    t[13] = "Home Position Outside Limits";
    t[14] = "Option Card Communication Fault";
    t[15] = "Electrical Cycle Length Exceeded";
    t[16] = "Overtravel Fault";
    t[17] = "Excessive Average Current Fault";
    t[18] = "Overspeed Fault";
    t[19] = "Excess Following Error Fault";
    t[20] = "Motor Encoder State Error Fault";
    t[21] = "Auxiliary Encoder State Error Fault";
    t[22] = "Motor Thermal Protection Fault";
    t[23] = "IPM Thermal Protection Fault";
    t[24] = "Excess Velocity Error Fault";
    t[25] = "Sensor unassigned";
    t[26] = "Motor speed limit exceeded";
    t[27] = "Axis Not Homed";
    t[28] = "Motor Parameter Error";
    t[29] = kInterpolatedFrequency;
    t[30] = "Smart Encoder Comm Fault";
    t[31] = "Smart Encoder Data Error";
    t[32] = kInterpolatedFrequency;
    t[33] = "Absolute Position Exceeds Position Rollover";
    t[34] = "Ground Short Error";
    t[35] = "Soft-Starting Error";
    t[36] = "Power Module Overtemperature";
    t[37] = "AC Input Phase Loss";
    t[39] = "Self Sensing Startup Error";
    t[40] = "230V Shunt Protection Error";
    t[41] = "460V Shunt Protection Error";
    t[51] = "Boot Firmware Checksum Error";
    t[52] = "Main Firmware Checksum Error";
    t[53] = "User parameter memory has not been initialized";
    t[54] = "NVRAM Memory Unreadable";
    t[55] = "User Parameter Memory Corrupted";
    t[56] = "Processor Watchdog Error";
    t[57] = "Gate Array Watchdog Error";
    t[58] = "Excessive CPU Load";
    t[60] = "Manufacturing Parameter Area Unitialized";
    t[62] = "Manufacturing Parameter Area Corrupted";
    t[74] = "NVRAM Memory Write Error";
    t[82] = "Processory Bus Error";
    t[87] = "Illegal Event";
    t[88] = "Breakpoint";
    t[89] = "Option board main firmware corrupt";
    t[92] = "Vendor Code Uninitialized";
    t[93] = "DeviceNet(TM) Serial Number Uniitialized";
    t[94] = "Option board NVMEM error";
    t[95] = "Option Board Dual Port Error";
    t[96] = "Processor Unused Interrupt";
    t[97] = "Processor Spurious Interrupt";
    t[98] = "Processor Divide By Zero";
    t[99] = "Processor Illegal Instruction";
    return t;
}();

} // namespace

std::string ZROnLineStorage::GetFaultText(int number) {
    if (number == 255)
        return "Drive Ready";
    if (number < 0 || number >= static_cast<int>(kFaultTexts.size()) || !kFaultTexts[number])
        return kUnrecognized;
    return kFaultTexts[number];
}

void ZROnLineStorage::ShowLinkLost(int commErrorCode) const {
    using platform::core::Format;
    constexpr const char* kProduct = "Quorvance";
    std::string text;
    switch (commErrorCode) {
    case ZRCommError::PurgeTimeout:
        text = "Communication port overflow. \nReboot attached drives and rescan.";
        break;
    case ZRCommError::IoError:
        text =
            Format("Unable to read from communications port. \nTry restarting %s or rebooting your computer.",
                   kProduct);
        break;
    case ZRCommError::NotInitialized:
        text = Format("Communications were not initialized properly. \nTry restarting %s.", kProduct);
        break;
    default:
        text = Format("Communications have been lost with node %d", GetNode());
        break;
    }
    platform::core::MessageBox(text);
}
