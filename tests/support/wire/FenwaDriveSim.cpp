#include "tests/support/wire/FenwaDriveSim.h"

#include "tests/support/wire/FenwaParameterTable.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace wiresim {

using namespace symbol;

namespace {

// The status's control-mode code of each operation mode.
const char* ControlMode(const std::string& operationMode) {
    switch (std::strtol(operationMode.c_str(), nullptr, 16)) {
    case 1:
        return " F";
    case 2:
        return " S";
    case 3:
        return " C";
    case 4:
        return "SF";
    case 5:
        return "CF";
    case 6:
        return "CS";
    case 7:
        return " P";
    case 8:
        return "PF";
    case 9:
        return "PS";
    case 10:
        return "PC";
    case 11:
        return " D";
    default:
        return "??";
    }
}

// The parameter number of "nnn..." (three hexadecimal digits), or -1.
int NumberOf(const std::string& text) {
    if (text.size() < 3)
        return -1;
    int number = 0;
    for (size_t i = 0; i < 3; ++i) {
        char c = text[i];
        int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0)
            return -1;
        number = number * 16 + digit;
    }
    return number;
}

// The value of hexadecimal digits, or -1 when there are none or one is no digit.
long HexValue(const std::string& text) {
    if (text.empty())
        return -1;
    long value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                 : -1;
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

CommandAnswer Reply(const std::string& command, const std::string& value) {
    return CommandAnswer::Text("#" + command.substr(0, 3) + value);
}

} // namespace

FenwaDriveSim::FenwaDriveSim(std::set<uint8_t> nodes) : CommandDriveSim(Family::Fenwa, nodes) {
    for (uint8_t node : nodes)
        Reset(m_drives[node]);
}

FenwaDriveSim::~FenwaDriveSim() {
    Stop();
}

FenwaDriveSim::Drive& FenwaDriveSim::DriveAt(uint8_t node) {
    return m_drives[node];
}

const FenwaDriveSim::Drive& FenwaDriveSim::DriveAt(uint8_t node) const {
    static const Drive none;
    auto it = m_drives.find(node);
    return it == m_drives.end() ? none : it->second;
}

void FenwaDriveSim::Reset(Drive& drive) {
    drive.parameters.clear();
    drive.monitors.clear();
    for (const FenwaParameter& p : FenwaParameters())
        drive.parameters[p.number] = p.initial;
    for (const FenwaMonitor& m : FenwaMonitors())
        drive.monitors[m.number] = m.initial;
}

std::string FenwaDriveSim::StatusOf(const Drive& drive) {
    auto mode = drive.parameters.find(0);
    std::string status = ControlMode(mode == drive.parameters.end() ? "" : mode->second);
    status += "00"; // speed window, up to speed
    status += drive.enabled ? '1' : '0';
    status += "00"; // overtravels
    status += drive.fault;
    status += drive.enabled ? '1' : '0';
    return status;
}

std::string FenwaDriveSim::Parameter(uint8_t node, int number) const {
    std::lock_guard lock(m_mutex);
    const auto& values = DriveAt(node).parameters;
    auto it = values.find(number);
    return it == values.end() ? std::string() : it->second;
}

void FenwaDriveSim::SetParameter(uint8_t node, int number, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).parameters[number] = text;
}

std::string FenwaDriveSim::Monitor(uint8_t node, int number) const {
    std::lock_guard lock(m_mutex);
    const auto& values = DriveAt(node).monitors;
    auto it = values.find(number);
    return it == values.end() ? std::string() : it->second;
}

void FenwaDriveSim::SetMonitor(uint8_t node, int number, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).monitors[number] = text;
}

std::string FenwaDriveSim::Status(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return StatusOf(DriveAt(node));
}

bool FenwaDriveSim::Enabled(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).enabled;
}

void FenwaDriveSim::SetEnabled(uint8_t node, bool enabled) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).enabled = enabled;
}

void FenwaDriveSim::SetFaultHistory(uint8_t node, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).faultHistory = text;
}

void FenwaDriveSim::SetCapture(uint8_t node, int channel, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).captures[channel] = text;
}

int FenwaDriveSim::FaultClears(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).faultClears;
}

void FenwaDriveSim::SetFault(uint8_t node, const std::string& code) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).fault = code.substr(0, 3);
}

void FenwaDriveSim::SetVersion(uint8_t node, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).version = text;
}

void FenwaDriveSim::SetType(uint8_t node, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).type = text;
}

void FenwaDriveSim::SetBusyReads(uint8_t node, int count) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).busyReads = count;
}

void FenwaDriveSim::SetBusyPolls(int count) {
    std::lock_guard lock(m_mutex);
    m_busyPolls = count;
}

std::string FenwaDriveSim::Jog(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).jog;
}

int FenwaDriveSim::JogCount(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).jogs;
}

std::vector<std::string> FenwaDriveSim::Services(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).services;
}

int FenwaDriveSim::Stores(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).stores;
}

void FenwaDriveSim::SetAutotunePolls(int count) {
    std::lock_guard lock(m_mutex);
    m_autotunePolls = count;
}

int FenwaDriveSim::Autotunes(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).autotunes;
}

void FenwaDriveSim::FactoryReset(uint8_t node) {
    std::lock_guard lock(m_mutex);
    Reset(DriveAt(node));
}

void FenwaDriveSim::SetBootMode(uint8_t node, bool boot) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).boot = boot;
}

bool FenwaDriveSim::BootMode(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).boot;
}

bool FenwaDriveSim::UpgradeMode(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).upgrading;
}

void FenwaDriveSim::SetImageVersion(uint8_t node, const std::string& text) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).imageVersion = text;
}

std::map<uint32_t, uint8_t> FenwaDriveSim::Flash(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).flash;
}

int FenwaDriveSim::Records(uint8_t node) const {
    std::lock_guard lock(m_mutex);
    return DriveAt(node).records;
}

void FenwaDriveSim::RefuseBootCommand(uint8_t node, const std::string& command) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).refused.push_back(command);
}

void FenwaDriveSim::FallSilentAfterRecords(uint8_t node, int records) {
    std::lock_guard lock(m_mutex);
    DriveAt(node).silentAfter = records;
}

std::optional<CommandAnswer> FenwaDriveSim::Boot(Drive& drive, const std::string& command) {
    const bool download = command == "TMN09" || command == "TMN0B" || command.rfind("FU", 0) == 0;
    if (!download)
        return std::nullopt;
    for (const std::string& refused : drive.refused)
        if (command.rfind(refused, 0) == 0)
            return CommandAnswer::Status(command.rfind("TMN", 0) == 0 ? US : RS);
    if (command == "TMN09") {
        // The drive drops into its boot loader and waits for a new image.
        drive.boot = drive.upgrading = true;
        drive.verified = drive.flashed = false;
        drive.received.clear();
        drive.records = 0;
        drive.pending = "TMN";
        drive.pendingBusy = m_busyPolls;
        return CommandAnswer::Status(ACK);
    }
    if (!drive.upgrading)
        return CommandAnswer::Status(US);
    if (command.rfind("FU3", 0) == 0) {
        const std::string record = command.substr(3);
        const long address = record.size() >= 7 ? HexValue(record.substr(0, 5)) : -1;
        const long count = record.size() >= 7 ? HexValue(record.substr(5, 2)) : -1;
        const std::string data = record.size() >= 7 ? record.substr(7) : std::string();
        if (address < 0 || count < 0 || data.size() != static_cast<size_t>(2 * count))
            return CommandAnswer::Status(RS);
        for (long i = 0; i < count; ++i) {
            const long byte = HexValue(data.substr(static_cast<size_t>(2 * i), 2));
            if (byte < 0)
                return CommandAnswer::Status(RS);
            drive.received[static_cast<uint32_t>(address + i)] = static_cast<uint8_t>(byte);
        }
        ++drive.records;
        if (drive.silentAfter >= 0 && --drive.silentAfter <= 0)
            drive.silent = true;
        return CommandAnswer::Status(ACK);
    }
    if (command == "FU201") {
        drive.verified = true;
        return CommandAnswer::Status(ACK);
    }
    if (command == "TMN0B") {
        if (!drive.verified)
            return CommandAnswer::Status(US);
        drive.flash = drive.received;
        drive.flashed = true;
        drive.pending = "TMN";
        drive.pendingBusy = m_busyPolls;
        return CommandAnswer::Status(ACK);
    }
    if (command == "FU100") {
        drive.upgrading = false;
        return CommandAnswer::Status(ACK);
    }
    return CommandAnswer::Status(US);
}

uint8_t FenwaDriveSim::Take(Drive& drive, const std::string& numberAndValue) {
    const int number = NumberOf(numberAndValue);
    const FenwaParameter* parameter = number < 0 ? nullptr : FindFenwaParameter(number);
    if (!parameter)
        return US;
    if (parameter->disabledOnly && drive.enabled)
        return GS;
    std::string kept;
    if (!FenwaAccept(*parameter, numberAndValue.substr(3), kept))
        return RS;
    drive.parameters[number] = kept;
    return 0;
}

CommandAnswer FenwaDriveSim::Poll(Drive& drive, const std::string& command) {
    if (drive.pending != command)
        return CommandAnswer::Status(US);
    if (drive.pendingBusy > 0) {
        --drive.pendingBusy;
        return CommandAnswer::Text("#BSY");
    }
    drive.pending.clear();
    if (command == "STR")
        ++drive.stores;
    if (command == "TAT" && drive.autotuning) {
        drive.autotuning = false;
        // The run measured the motor: the gains it found replace the main ones.
        char text[5];
        for (auto [number, value] : {std::pair{0x065, kTunedP}, std::pair{0x066, kTunedIntegratorTime},
                                     std::pair{0x067, kTunedKp}}) {
            std::snprintf(text, sizeof text, "%04X", value);
            drive.parameters[number] = text;
        }
        ++drive.autotunes;
    }
    return CommandAnswer::Text("#TOK");
}

CommandAnswer FenwaDriveSim::Answer(const CommandRequest& request) {
    if (m_pulled)
        return CommandAnswer::Silent();
    if (auto answer = Handle(request))
        return *answer;
    if (request.terminal)
        return Serve(request);
    const std::string& command = request.command;
    const std::string head = command.substr(0, 3);
    const std::string rest = command.size() > 3 ? command.substr(3) : std::string();

    std::unique_lock lock(m_mutex);
    Drive& drive = DriveAt(request.node);
    if (drive.silent)
        return CommandAnswer::Silent();
    if (command == "HWR") {
        // A restart runs a newly flashed image; without one a drive in boot mode stays there.
        if (drive.flashed) {
            drive.boot = drive.flashed = false;
            drive.version = drive.imageVersion;
        }
        drive.upgrading = false;
        return CommandAnswer::Status(ACK);
    }
    if (command == "LIV")
        return CommandAnswer::Status(ACK);
    if (auto answer = Boot(drive, command))
        return *answer;
    if (drive.boot && command != "TYP" && command != "VER" && command != "TMN")
        return CommandAnswer::Status(US);
    if (command == "STS")
        return Reply(command, StatusOf(drive));
    if (command == "TYP")
        return Reply(command, drive.type);
    if (command == "VER")
        return Reply(command, drive.boot ? "0.0" : drive.version);
    if (command == "RST") {
        drive.fault = "RDY";
        ++drive.faultClears;
        return CommandAnswer::Status(ACK);
    }
    if (command == "EHY*")
        return Reply(command, drive.faultHistory);
    if (head == "DIE" && rest.size() == 4) {
        auto it = drive.captures.find(std::atoi(rest.c_str()));
        return it == drive.captures.end() ? CommandAnswer::Status(US) : Reply(command, it->second);
    }
    if (head == "SET" || head == "MDM") {
        const std::map<int, std::string>& values = head == "SET" ? drive.parameters : drive.monitors;
        char* end = nullptr;
        const long number = std::strtol(rest.c_str(), &end, 16);
        auto it = rest.empty() || *end ? values.end() : values.find(static_cast<int>(number));
        if (it == values.end())
            return CommandAnswer::Status(US);
        if (drive.busyReads > 0) {
            --drive.busyReads;
            return CommandAnswer::Text("#BSY");
        }
        return Reply(command, it->second);
    }
    if (head == "CHP") {
        uint8_t refusal = Take(drive, rest);
        return CommandAnswer::Status(refusal ? refusal : ACK);
    }
    if (command == "STR" || command == "ETC" || command == "TAT" || command == "TMN")
        return Poll(drive, command);
    if (command == "TAT01") {
        drive.pending = head;
        drive.pendingBusy = m_autotunePolls;
        drive.autotuning = true;
        return CommandAnswer::Status(ACK);
    }
    // The analog input's offset services: taken, then polled like a stored write.
    if ((head == "TAT" || head == "TMN") && rest.size() == 2) {
        drive.services.push_back(command);
        drive.pending = head;
        drive.pendingBusy = m_busyPolls;
        drive.autotuning = false;
        return CommandAnswer::Status(ACK);
    }
    if (head == "STR" || command == "ETC0C") {
        if (head == "STR") {
            if (uint8_t refusal = Take(drive, rest))
                return CommandAnswer::Status(refusal);
        } else {
            if (drive.enabled)
                return CommandAnswer::Status(GS);
            Reset(drive);
        }
        drive.pending = head;
        drive.pendingBusy = m_busyPolls;
        return CommandAnswer::Status(ACK);
    }
    if (command == "SVRON" || command == "SVROF") {
        drive.enabled = command == "SVRON";
        return CommandAnswer::Status(ACK);
    }
    if (head == "JOG" && (rest == "0" || rest == "+" || rest == "-")) {
        drive.jog = rest;
        ++drive.jogs;
        return CommandAnswer::Status(ACK);
    }
    lock.unlock();
    if (IsLongCommand(command))
        return Serve(request);
    return CommandAnswer::Status(US);
}

} // namespace wiresim
