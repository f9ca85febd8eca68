#include "tests/support/wire/FenwaParameterTable.h"

#include "platform/core/HexDigit.h"
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdio>

namespace wiresim {

namespace {

using Kind = FenwaParameter::Kind;

constexpr double kMinScale = 1.1920928955078125e-07; // 2^-23

} // namespace

const std::vector<FenwaParameter>& FenwaParameters() {
    static const std::vector<FenwaParameter> table = {
        {0x000, "Operation Modes (Main/Override)", Kind::Word, 1, 11, "0002", true},
        {0x001, "Prm-001", Kind::Text, 4, 4, "0001", true},
        {0x002, "Pr-0.02", Kind::Text, 4, 4, "0000", true},
        {0x003, "Online Tuning (Pr-0.03)", Kind::Text, 4, 4, "0700", false},
        {0x004, "Inertia Ratio", Kind::Long, 0, 6000, "00000000", false},
        {0x005, "Pr-0.05", Kind::Text, 4, 4, "0881", false},
        {0x006, "Pr-0.06", Kind::Text, 4, 4, "0000", false},
        {0x007, "Pr-0.07", Kind::Text, 4, 4, "0000", false},
        {0x008, "Pr-0.08", Kind::Text, 4, 4, "0000", false},
        {0x009, "Pr-0.09", Kind::Text, 4, 4, "0000", false},
        {0x00A, "Pr-0.10", Kind::Text, 4, 4, "0000", false},
        {0x00B, "Pr-0.11", Kind::Text, 4, 4, "0000", false},
        {0x00C, "Pr-0.12", Kind::Text, 4, 4, "0000", false},
        {0x00D, "Drive Address", Kind::Word, 1, 255, "0001", true},
        {0x065, "P", Kind::Word, 0, 500, "003C", false},
        {0x066, "Integrator Time", Kind::Word, 0, 60000, "001A", false},
        {0x067, "Kp", Kind::Word, 0, 700, "0014", false},
        {0x068, "Current Low Pass Filter Bandwidth", Kind::Word, 0, 10000, "012C", false},
        {0x069, "Velocity Low Pass Filter Bandwidth", Kind::Word, 0, 10000, "03E8", false},
        {0x06B, "Resonant Frequency Suppression", Kind::Word, 0, 10000, "2710", false},
        {0x06C, "Kff", Kind::Word, 0, 100, "0000", false},
        {0x06D, "Kff Low Pass Filter Bandwidth", Kind::Word, 0, 800, "00C8", false},
        {0x06E, "Integrator Mode", Kind::Word, 0, 3, "0000", false},
        {0x06F, "Integrator Hold Threshold", Kind::Word, 0, 3000, "0064", false},
        {0x070, "High Error Output Offset", Kind::Word, 0, 450, "0000", false},
        {0x071, "High Error Output Threshold", Kind::Word, 0, 50000, "03E8", false},
        {0x072, "Gain", Kind::Word, 0, 2, "0000", false},
        {0x0C8, "Analog Velocity Scale", Kind::Word, 100, 20000, "01F4", false},
        {0x0C9, "Velocity Command", Kind::Word, 0, 5000, "01F4", false},
        {0x0CA, "Acceleration Time", Kind::Word, 0, 10000, "0000", false},
        {0x0CB, "Deceleration Time", Kind::Word, 0, 10000, "0000", false},
        {0x0CC, "S-Curve Time", Kind::Word, 0, 5000, "0000", false},
        {0x0CD, "Preset Velocity 1", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0CE, "Preset Velocity 2", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0CF, "Preset Velocity 3", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0D0, "Preset Velocity 4", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0D1, "Preset Velocity 5", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0D2, "Preset Velocity 6", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0D3, "Preset Velocity 7", Kind::SignedWord, -5000, 5000, "0000", false},
        {0x0D4, "Manual Velocity limit", Kind::Word, 1, 10000, "2710", false},
        {0x0D5, "Velocity Limit Mode", Kind::Word, 0, 3, "0000", false},
        {0x12C, "Pr-3.00", Kind::Text, 4, 4, "2000", true},
        {0x12D, "Gear Ratio Follower Counts", Kind::Word, 1, 65535, "0001", false},
        {0x12E, "Gear Ratio Master Counts", Kind::Word, 4, 65532, "0004", false},
        {0x12F, "Output Ratio Output Counts", Kind::Word, 1, 65535, "0800", false},
        {0x130, "Output Ratio Motor Counts", Kind::Word, 1, 65535, "0800", false},
        {0x190, "Current Scale", Kind::Word, 0, 1000, "014D", false},
        {0x191, "Positive Internal", Kind::Word, 0, 500, "01F4", false},
        {0x192, "Negative Internal", Kind::Word, 0, 500, "01F4", false},
        {0x193, "Positive External", Kind::Word, 0, 500, "0064", false},
        {0x194, "Negative External", Kind::Word, 0, 500, "0064", false},
        {0x195, "Maximum Stopping Current", Kind::Word, 0, 500, "01F4", false},
        {0x196, "Initial Current Bias", Kind::SignedWord, -100, 100, "0000", false},
        {0x1F4, "In Position Size", Kind::Word, 0, 2500, "000A", false},
        {0x1F5, "Near Position Size", Kind::Word, 0, 2500, "0014", false},
        {0x1F6, "Speed Window", Kind::Word, 0, 1000, "000A", false},
        {0x1F7, "Up to Speed", Kind::Word, 1, 5000, "0014", false},
        {0x1F8, "Zero Clamp", Kind::Word, 0, 5000, "0000", false},
        {0x1F9, "Brake Inactive Delay", Kind::Word, 0, 1000, "0000", false},
        {0x1FA, "Disable Delay", Kind::Word, 0, 100, "0000", false},
        {0x1FB, "Brake Active Delay", Kind::Word, 0, 1000, "0032", false},
        {0x1FC, "Braking Application Speed", Kind::Word, 0, 1000, "0064", false},
        {0x1FD, "Following Error Limit", Kind::Long, 0, 99999, "00005000", false},
        {0x1FE, "AC Line Loss Fault Delay", Kind::Word, 20, 1000, "0014", false},
        {0x1FF, "External Shunt Capacity", Kind::Word, 0, 1500, "0000", false},
        {0x200, "Analog Output 1 Signal", Kind::Word, 0, 28, "0000", false},
        {0x201, "Analog Output 2 Signal", Kind::Word, 0, 28, "0001", false},
        {0x202, "Analog Output 1 Scale", Kind::Word, 1, 5000, "01F4", false},
        {0x203, "Analog Output 2 Scale", Kind::Word, 1, 5000, "01F4", false},
        {0x258, "Velocity Command Offset", Kind::SignedWord, -10000, 10000, "0000", false},
        {0x259, "Current Command Offset", Kind::SignedWord, -10000, 10000, "0000", false},
        {0x25A, "U Phase Current Offset", Kind::SignedWord, -32768, 32767, "0000", false},
        {0x25B, "W Phase Current Offset", Kind::SignedWord, -32768, 32767, "0000", false},
        {0x25C, "D", Kind::Word, 0, 1000, "0000", false},
        {0x25D, "Error Filter Bandwidth", Kind::Word, 0, 2500, "0000", false},
        {0x25E, "Fault Capture Sample Period", Kind::Word, 1, 99, "0019", false},
        {0x25F, "Fault Capture Channel A", Kind::Word, 0, 268, "0000", false},
        {0x260, "Fault Capture Channel B", Kind::Word, 0, 268, "0003", false},
        {0x261, "Fault Capture Channel C", Kind::Word, 0, 268, "000B", false},
        {0x262, "Fault Capture Channel D", Kind::Word, 0, 268, "0010", false},
        {0x263, "VReg P Gain", Kind::Word, 0, 1000, "003C", false},
        {0x264, "VReg Integrator Time", Kind::Word, 0, 60000, "001A", false},
        {0x265, "PReg Kp Gain", Kind::Word, 0, 700, "0014", false},
        {0x266, "IReg Low Pass Bandwidth", Kind::Word, 0, 10000, "012C", false},
        {0x267, "VReg Low Pass Bandwidth", Kind::Word, 0, 10000, "03E8", false},
        {0x2BC, "Drive Model", Kind::Word, 0, 1500, "0190", false},
        {0x2BD, "DC Bus Voltage Offset", Kind::SignedWord, -100, 100, "0000", false},
        {0x2BE, "Regenerative Current Offset", Kind::SignedWord, -1000, 1000, "0000", false},
        {0x2BF, "Analog Output CH1 Offset", Kind::SignedWord, -1000, 1000, "0000", false},
        {0x2C0, "Analog Output CH1 Scale", Kind::SignedWord, -1000, 1000, "0000", false},
        {0x2C1, "Analog Output CH2 Offset", Kind::SignedWord, -1000, 1000, "0000", false},
        {0x2C2, "Analog Output CH2 Scale", Kind::SignedWord, -1000, 1000, "0000", false},
        {0x2C3, "DC Bus ADC Calibration", Kind::SignedWord, -10000, 10000, "0000", false},
        {0x384, "Motor Flag", Kind::Long, 0, 1, "00000000", false},
        {0x385, "Motor Type", Kind::Word, 0, 2, "0000", false},
        {0x386, "Resistance", Kind::Long, 0, 4294967295, "00000280", false},
        {0x387, "Inductance", Kind::Long, 0, 4294967295, "00000800", false},
        {0x388, "Intermittent Current", Kind::Long, 0, 4294967295, "00000377", false},
        {0x389, "Continuous Current", Kind::Long, 0, 4294967295, "00000134", false},
        {0x38A, "Rated Voltage", Kind::Long, 0, 4294967295, "00000145", false},
        {0x38B, "Encoder", Kind::Word, 1, 5, "0004", false},
        {0x38C, "Hall Input Offset", Kind::Long, 0, 4294967295, "00000078", false},
        {0x38D, "Torque Constant", Kind::Long, 0, 4294967295, "0000046A", false},
        {0x38E, "Inertia", Kind::Long, 0, 4294967295, "00002E14", false},
        {0x38F, "Poles/Revolution", Kind::Long, 0, 4294967295, "00000008", false},
        {0x390, "Lines/Revolution", Kind::Long, 0, 4294967295, "00008000", false},
        {0x391, "Maximum Speed (RPM)", Kind::Long, 0, 4294967295, "00001388", false},
        {0x392, "Force Constant", Kind::Long, 0, 4294967295, "00000274", false},
        {0x393, "Mass", Kind::Long, 0, 4294967295, "00014CCD", false},
        {0x394, "Electrical Cycle", Kind::Long, 0, 4294967295, "00000258", false},
        {0x395, "Lines/Meter", Kind::Long, 0, 4294967295, "0000C350", false},
        {0x396, "Maximum Speed (Meters/Sec)", Kind::Long, 0, 4294967295, "00000200", false},
        {0x397, "Software Protection", Kind::Long, 0, 1, "00000000", false},
        {0x398, "Integral Thermostat", Kind::Long, 0, 1, "00000000", false},
        {0x399, "Rth(w-e)", Kind::Long, 0, 4294967295, "0020C49B", false},
        {0x39A, "Cth(w-e)", Kind::Long, 0, 4294967295, "00000100", false},
        {0x39B, "Rth(w-a)", Kind::Long, 0, 4294967295, "0020C49B", false},
        {0x39C, "Cth(w-a)", Kind::Long, 0, 4294967295, "00000100", false},
        {0x39D, "Commutation", Kind::Word, 0, 3, "0002", false},
        {0x39E, "Sinusoidal Startup", Kind::Word, 0, 2, "0002", false},
        {0x39F, "Integral Limits", Kind::Long, 0, 1, "00000000", false},
        {0x3B6, "Motor Model", Kind::Text, 0, 32, "Default Motor", false},
        {0x3B7, "Name", Kind::Text, 0, 32, "", false},
        {0x3B8, "Position Scale", Kind::Float, kMinScale, 1e10, "3F800000", false},
        {0x3B9, "Position Label", Kind::Text, 0, 16, "Counts", false},
        {0x3BA, "Velocity Scale", Kind::Float, kMinScale, 1e10, "3F800000", false},
        {0x3BB, "Velocity Label", Kind::Text, 0, 16, "RPM", false},
        {0x3BC, "Acceleration Scale", Kind::Float, kMinScale, 1e10, "3F800000", false},
        {0x3BD, "Acceleration Label", Kind::Text, 0, 16, "Revs/s/s", false},
        {0x3BE, "Scope Setup", Kind::Text, 32, 32, "00000000000000100510011E05000100", false},
        {0x3BF, "Scope Scales", Kind::Text, 32, 32, "00000000000001000000000000000100", false},
        {0x3C0, "Displayed Units", Kind::Word, 0, 2, "0000", false},
    };
    return table;
}

const FenwaParameter* FindFenwaParameter(int number) {
    const auto& table = FenwaParameters();
    auto it = std::lower_bound(table.begin(), table.end(), number,
                               [](const FenwaParameter& p, int n) { return p.number < n; });
    return it != table.end() && it->number == number ? &*it : nullptr;
}

const std::vector<FenwaMonitor>& FenwaMonitors() {
    static const std::vector<FenwaMonitor> table = {
        {0x00, "Feedback Velocity", "0000"},
        {0x01, "Command Velocity", "0000"},
        {0x02, "Velocity Error", "0000"},
        {0x03, "Command Current", "0000"},
        {0x04, "Follower Position", "00000000"},
        {0x05, "Master Position", "00000000"},
        {0x06, "Position Error", "0000"},
        {0x07, "Position Command Count Frequency", "0000"},
        {0x08, "Commutation Angle", "0E10"},
        {0x09, "Mechanical Angle", "FFF6"},
        {0x0A, "Shunt Power Limit Ratio", "0000"},
        {0x0B, "Bus Voltage", "0139"},
        {0x0C, "Absolute Rotations", "0000"},
        {0x0D, "Velocity Command Offset", "0000"},
        {0x0E, "Current Command Offset", "0000"},
        {0x0F, "IO Status", "000000000000"},
        {0x10, "U Phase Current", "0000"},
        {0x11, "V Phase Current", "0000"},
        {0x12, "W Phase Current", "0000"},
        {0x13, "Motor Temperature", "0000"},
        {0x14, "Analog Command - Velocity", "0000"},
        {0x15, "Analog Command - Current", "0000"},
        {0x16, "Feedback Current", "0000"},
        {0x17, "Hall States", "0005"},
        {0x18, "Motor Feedback Position", "00000000"},
        {0x19, "Instantaneous output power", "0000"},
        {0x1A, "Output power limit ratio", "0000"},
        {0x1B, "Instantaneous shunt power", "0000"},
        {0x1C, "Drive Utilization", "0005"},
    };
    return table;
}

const FenwaMonitor* FindFenwaMonitor(int number) {
    const auto& table = FenwaMonitors();
    auto it = std::lower_bound(table.begin(), table.end(), number,
                               [](const FenwaMonitor& m, int n) { return m.number < n; });
    return it != table.end() && it->number == number ? &*it : nullptr;
}

bool FenwaAccept(const FenwaParameter& parameter, const std::string& value, std::string& kept) {
    if (parameter.kind == Kind::Text) {
        if (value.size() < parameter.min || value.size() > parameter.max)
            return false;
        kept = value;
        return true;
    }
    const size_t width = value.size();
    if (width != 1 && width != 2 && width != 4 && width != 8)
        return false;
    uint32_t bits = 0;
    for (char c : value) {
        int digit = platform::core::HexDigitValue(c);
        if (digit < 0)
            return false;
        bits = bits << 4 | static_cast<uint32_t>(digit);
    }
    char text[9];
    if (parameter.kind == Kind::Float) {
        const float number = std::bit_cast<float>(bits);
        if (width != 8 || !(number >= parameter.min && number <= parameter.max))
            return false;
        std::snprintf(text, sizeof text, "%08X", bits);
        kept = text;
        return true;
    }
    double number = bits;
    if (parameter.kind == Kind::SignedWord)
        number = width <= 2   ? static_cast<int8_t>(bits)
                 : width == 4 ? static_cast<int16_t>(bits)
                              : static_cast<int32_t>(bits);
    if (number < parameter.min || number > parameter.max)
        return false;
    if (parameter.kind == Kind::Long)
        std::snprintf(text, sizeof text, "%08X", bits);
    else
        std::snprintf(text, sizeof text, "%04X",
                      static_cast<uint32_t>(static_cast<int64_t>(number)) & 0xFFFF);
    kept = text;
    return true;
}

} // namespace wiresim
