#include "quorvance/fenwa/FenwaFaultTable.h"

#include <cstring>

const std::array<FenwaFault, kFenwaFaultCount> kFenwaFaults = {{
    {"E22", "4", "Motor Overtemperature Fault"},
    {"E11", "5", "IPM Fault"},
    {"E41", "9", "Bus Undervoltage Fault"},
    {"E40", "10", "Bus Overvoltage Fault"},
    {"E50", "18", "Motor Overspeed Fault"},
    {"E51", "19", "Excess Position Error Fault"},
    {"E25", "22", "Motor Continuous Current Overload Fault"},
    {"E27", "23", "Drive Overload Fault"},
    {"E36", "28", "Encoder Data Range Fault"},
    {"E31", "30", "Encoder Cable Open Fault"},
    {"E38", "31", "Encoder Data Parameter Fault"},
    {"E24", "36", "Drive Overtemperature Fault"},
    {"E42", "37", "AC Line Loss Fault"},
    {"E63", "53", "User Parameter Initialization Fault"},
    {"E13", "54", "Current Feedback Offset Fault"},
    {"E61", "55", "User Parameter Checksum Fault"},
    {"E53", "56", "Watchdog Timeout Fault"},
    {"E10", "57", "PWM Hardware Fault"},
    {"E62", "58", "User Parameter Range Fault"},
    {"E70", "60", "Drive Initialization Fault"},
    {"E23", "75", "Shunt Overload Protection Fault"},
    {"E12", "79", "Shunt Overcurrent Protection Fault"},
    {"E33", "83", "Absolute Encoder Battery Fault"},
    {"E34", "84", "Absolute Encoder Overspeed"},
    {"E35", "85", "Absolute Encoder Multi-turn Count Fault"},
    {"E37", "86", "Encoder Single-turn Count Fault"},
    {"E71", "100", "Drive Set Up Fault"},
    {"E20", "101", "Motor Power Cable Open Fault"},
    {"E21", "102", "Motor Instantaneous Current Overload Fault"},
    {"E28", "103", "Motor Mismatch Fault"},
    {"E26", "104", "Continuous Power Overload Fault"},
    {"E30", "105", "Encoder Type Mismatch Fault"},
    {"E32", "106", "Encoder Communication Fault"},
    {"E60", "107", "Serial Communication Fault"},
    {"E52", "108", "Position Command Frequency Fault"},
    {"W01", "bAt", "Warning: Absolute Encoder Battery"},
    {"W08", "oCC", "Warning: Over Current Command"},
    {"W10", "oSC", "Warning: Over Speed Command"},
    {"W20", "PIn", "Warning: Digital IO Assignment"},
    {"W04", "PrE", "Warning: Power Up Overspeed"},
}};

const FenwaFault* FindFenwaFault(const char* code) {
    for (const FenwaFault& fault : kFenwaFaults) {
        if (std::strcmp(fault.code, code) == 0)
            return &fault;
    }
    return nullptr;
}
