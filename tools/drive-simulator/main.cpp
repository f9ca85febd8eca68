// drive-simulator tarvik|noxel|halvo|fenwa|zelna [node...] [--fenwa node...]
// Plays the drive's side of one protocol on a pseudo-terminal and prints the device path to give
// the program as its serial port. Runs until interrupted. With --fenwa, Fenwa drives share the
// Tarvik drives' line. Simulated Tarvik and Fenwa drives also take commands on standard input
// (type "help").
#include "tests/support/wire/CommandDriveSim.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "tests/support/wire/FenwaParameterTable.h"
#include "tests/support/wire/HalvoSlaveSim.h"
#include "tests/support/wire/MixedLineSim.h"
#include "tests/support/wire/NoxelDriveSim.h"
#include "tests/support/wire/TarvikBootPlay.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikFaultPlay.h"
#include "tests/support/wire/TarvikInputsPlay.h"
#include "tests/support/wire/TarvikRecoveryPlay.h"

#include <bit>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

int Usage() {
    std::fprintf(stderr, "usage: drive-simulator tarvik|noxel|halvo|fenwa|zelna [node...] [--fenwa node...]\n"
                         "  nodes are decimal, 1 by default; --fenwa puts Fenwa drives on the Tarvik line\n");
    return 2;
}

const char kHelp[] = "commands:\n"
                     "  list                          the parameters a drive knows\n"
                     "  get NODE PARAM [INDEX]        a value the drive holds\n"
                     "  set NODE PARAM [INDEX] VALUE  a number (decimal or 0x...) or a text\n"
                     "  refuse NODE CODE [TIMES]      answer the next requests with drive code 1-9\n"
                     "  pull [REPLIES]                pull the cable (after that many more answers)\n"
                     "  cut                           pull the cable in the middle of the next answer\n"
                     "  plug                          put the cable back\n"
                     "  reset NODE                    factory settings\n"
                     "  fault NODE NUMBER             raise drive fault 1-255 (flag and history)\n"
                     "  input NODE INPUT on|off       switch digital input 1-8\n"
                     "  sercos NODE                   give the drive a SERCOS card (runs as SERCOS drive)\n"
                     "  lost                          the drive at node 254 loses its settings\n"
                     "  powerup [MS]                  it answers at node 254 at 9600 baud for MS ms (3000)\n"
                     "  powerdown                     power the lost drive down\n"
                     "  boot NODE                     no valid main firmware until a firmware download\n"
                     "  quit\n";

const char kFenwaHelp[] =
    "Fenwa drives (parameter and monitor numbers in hexadecimal):\n"
    "  fenwa-list                      the parameters and monitor values\n"
    "  fenwa-get NODE NUMBER           a parameter's text\n"
    "  fenwa-set NODE NUMBER TEXT      a parameter's text as the drive answers it\n"
    "  fenwa-monitor NODE NUMBER TEXT  a monitor value's text\n"
    "  fenwa-status NODE               the status text\n"
    "  fenwa-enable NODE on|off        the servo state\n"
    "  fenwa-fault NODE CODE           the status's fault code (E22, W01, RDY)\n"
    "  fenwa-version NODE TEXT         the version text (1.12)\n"
    "  fenwa-busy NODE COUNT           answer the next reads with BSY\n"
    "  fenwa-refuse gs|rs|us [TIMES]   refuse the next requests\n"
    "  fenwa-pull | fenwa-plug         pull the cable of the Fenwa drives, put it back\n"
    "  fenwa-reset NODE                factory settings\n";

bool Number(const std::string& text, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 0);
    return !text.empty() && *end == 0;
}

// One command line for the simulated Tarvik drives; false to stop.
bool RunCommand(wiresim::TarvikDriveSim& sim, const std::string& line) {
    using wiresim::TarvikParameter;
    std::istringstream in(line);
    std::string command;
    in >> command;
    std::vector<std::string> args;
    for (std::string word; in >> word;)
        args.push_back(word);
    std::vector<long> n(args.size());
    bool numeric = true;
    for (size_t i = 0; i < args.size(); ++i)
        numeric = Number(args[i], n[i]) && numeric;

    if (command.empty()) {
        return true;
    } else if (command == "quit") {
        return false;
    } else if (command == "list") {
        for (const TarvikParameter& p : wiresim::TarvikParameters())
            std::printf("%4d %-28s %d byte(s) x%d\n", p.number, p.name, p.size, p.entries);
    } else if (command == "get" && (args.size() == 2 || args.size() == 3) && numeric) {
        const TarvikParameter* p = wiresim::FindTarvikParameter(static_cast<int>(n[1]));
        const auto node = static_cast<uint8_t>(n[0]);
        if (!p)
            std::printf("no parameter %ld\n", n[1]);
        else if (p->kind == TarvikParameter::Kind::Text)
            std::printf("\"%s\"\n", sim.Text(node, p->number).c_str());
        else {
            uint32_t bits = sim.Value(node, p->number, args.size() == 3 ? static_cast<int>(n[2]) : 0);
            if (p->kind == TarvikParameter::Kind::Float)
                std::printf("%g (0x%08X)\n", std::bit_cast<float>(bits), bits);
            else
                std::printf("%u (0x%X)\n", bits, bits);
        }
    } else if (command == "set" && (args.size() == 3 || args.size() == 4) && Number(args[0], n[0]) &&
               Number(args[1], n[1])) {
        const TarvikParameter* p = wiresim::FindTarvikParameter(static_cast<int>(n[1]));
        long index = 0, value = 0;
        if (!p)
            std::printf("no parameter %ld\n", n[1]);
        else if (p->kind == TarvikParameter::Kind::Text)
            sim.SetText(static_cast<uint8_t>(n[0]), p->number, line.substr(line.find(args[2])));
        else if (p->kind == TarvikParameter::Kind::Float && args.size() == 3)
            sim.SetValue(static_cast<uint8_t>(n[0]), p->number, 0,
                         std::bit_cast<uint32_t>(std::stof(args[2])));
        else if ((args.size() == 4 && !Number(args[2], index)) || !Number(args.back(), value))
            std::printf("%s", kHelp);
        else
            sim.SetValue(static_cast<uint8_t>(n[0]), p->number, static_cast<int>(index),
                         static_cast<uint32_t>(value));
    } else if (command == "refuse" && (args.size() == 2 || args.size() == 3) && numeric) {
        sim.Refuse(static_cast<uint8_t>(n[0]), static_cast<int>(n[1]),
                   args.size() == 3 ? static_cast<int>(n[2]) : 1);
    } else if (command == "pull" && args.size() <= 1 && numeric) {
        sim.PullCable(args.empty() ? 0 : static_cast<int>(n[0]));
    } else if (command == "cut" && args.empty()) {
        sim.PullCableMidReply();
    } else if (command == "plug" && args.empty()) {
        sim.PlugCable();
    } else if (command == "reset" && args.size() == 1 && numeric) {
        sim.Reset(static_cast<uint8_t>(n[0]));
    } else if (command == "fault" && args.size() == 2 && numeric && n[1] >= 1 && n[1] <= 255) {
        wiresim::TarvikFaultPlay::Raise(sim, static_cast<uint8_t>(n[0]), static_cast<int>(n[1]));
    } else if (command == "input" && args.size() == 3 && Number(args[0], n[0]) && Number(args[1], n[1]) &&
               (args[2] == "on" || args[2] == "off") && n[1] >= 1 && n[1] <= 8) {
        if (auto* inputs = sim.FindPlay<wiresim::TarvikInputsPlay>())
            inputs->SetInput(static_cast<uint8_t>(n[0]), static_cast<int>(n[1]), args[2] == "on");
    } else if (command == "boot" && args.size() == 1 && numeric) {
        if (auto* boot = sim.FindPlay<wiresim::TarvikBootPlay>())
            boot->SetBootMode(static_cast<uint8_t>(n[0]), true);
    } else if (command == "sercos" && args.size() == 1 && numeric) {
        if (auto* inputs = sim.FindPlay<wiresim::TarvikInputsPlay>())
            inputs->AddSercosCard(static_cast<uint8_t>(n[0]));
    } else if ((command == "lost" || command == "powerdown") && args.empty()) {
        if (auto* recovery = sim.FindPlay<wiresim::TarvikRecoveryPlay>()) {
            if (command == "lost")
                recovery->SetLost(true);
            else
                recovery->PowerDown();
        }
    } else if (command == "powerup" && args.size() <= 1 && numeric && (args.empty() || n[0] >= 0)) {
        if (auto* recovery = sim.FindPlay<wiresim::TarvikRecoveryPlay>())
            recovery->PowerUp(args.empty() ? wiresim::TarvikRecoveryPlay::kWindow
                                           : std::chrono::milliseconds(n[0]));
    } else {
        std::printf("%s", kHelp);
    }
    std::fflush(stdout);
    return true;
}

bool Hex(const std::string& text, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 16);
    return !text.empty() && *end == 0;
}

// One command line for the simulated Fenwa drives; false when it is none of theirs.
bool RunFenwaCommand(wiresim::FenwaDriveSim& sim, const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    std::vector<std::string> args;
    for (std::string word; in >> word;)
        args.push_back(word);
    long node = 0, number = 0, count = 1;
    const bool hasNode = !args.empty() && Number(args[0], node) && node >= 0 && node <= 255;
    const auto n = static_cast<uint8_t>(node);
    // The text argument: the rest of the line after the number, blanks kept.
    auto rest = [&](size_t index) {
        size_t at = 0;
        for (size_t i = 0; i <= index && at != std::string::npos; ++i)
            at = line.find_first_not_of(' ', line.find(args[i], at) + (i < index ? args[i].size() : 0));
        return at == std::string::npos ? std::string() : line.substr(at);
    };
    if (command == "fenwa-list") {
        for (const wiresim::FenwaParameter& p : wiresim::FenwaParameters())
            std::printf("SET%03X %-34s \"%s\"\n", p.number, p.name, p.initial);
        for (const wiresim::FenwaMonitor& m : wiresim::FenwaMonitors())
            std::printf("MDM%02X  %-34s \"%s\"\n", m.number, m.name, m.initial);
    } else if (command == "fenwa-get" && args.size() == 2 && hasNode && Hex(args[1], number)) {
        std::printf("\"%s\"\n", sim.Parameter(n, static_cast<int>(number)).c_str());
    } else if ((command == "fenwa-set" || command == "fenwa-monitor") && args.size() >= 3 && hasNode &&
               Hex(args[1], number)) {
        if (command == "fenwa-set")
            sim.SetParameter(n, static_cast<int>(number), rest(2));
        else
            sim.SetMonitor(n, static_cast<int>(number), rest(2));
    } else if (command == "fenwa-status" && args.size() == 1 && hasNode) {
        std::printf("\"%s\"\n", sim.Status(n).c_str());
    } else if (command == "fenwa-enable" && args.size() == 2 && hasNode &&
               (args[1] == "on" || args[1] == "off")) {
        sim.SetEnabled(n, args[1] == "on");
    } else if (command == "fenwa-fault" && args.size() == 2 && hasNode && args[1].size() == 3) {
        sim.SetFault(n, args[1]);
    } else if (command == "fenwa-version" && args.size() == 2 && hasNode) {
        sim.SetVersion(n, args[1]);
    } else if (command == "fenwa-busy" && args.size() == 2 && hasNode && Number(args[1], count)) {
        sim.SetBusyReads(n, static_cast<int>(count));
    } else if (command == "fenwa-refuse" && (args.size() == 1 || args.size() == 2) &&
               (args.size() == 1 || Number(args[1], count))) {
        namespace sym = wiresim::symbol;
        const uint8_t status = args[0] == "gs"   ? sym::GS
                               : args[0] == "rs" ? sym::RS
                               : args[0] == "us" ? sym::US
                                                 : 0;
        if (!status)
            std::printf("%s", kFenwaHelp);
        else
            sim.MisbehaveStatus(status, static_cast<int>(count));
    } else if (command == "fenwa-pull" && args.empty()) {
        sim.PullCable();
    } else if (command == "fenwa-plug" && args.empty()) {
        sim.PlugCable();
    } else if (command == "fenwa-reset" && args.size() == 1 && hasNode) {
        sim.FactoryReset(n);
    } else if (command.rfind("fenwa-", 0) == 0) {
        std::printf("%s", kFenwaHelp);
    } else {
        return false;
    }
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string protocol = argv[1];
    std::set<uint8_t> nodes, fenwaNodes;
    bool mixed = false;
    for (int i = 2; i < argc; ++i) {
        if (std::string(argv[i]) == "--fenwa" && protocol == "tarvik" && !mixed) {
            mixed = true;
            continue;
        }
        char* end = nullptr;
        long node = std::strtol(argv[i], &end, 10);
        if (*end || node < 0 || node > 255)
            return Usage();
        (mixed ? fenwaNodes : nodes).insert(static_cast<uint8_t>(node));
    }
    if (nodes.empty())
        nodes.insert(1);
    if (mixed && fenwaNodes.empty())
        return Usage();

    std::unique_ptr<wiresim::PtySimulator> sim;
    wiresim::TarvikDriveSim* tarvik = nullptr;
    wiresim::FenwaDriveSim* fenwa = nullptr;
    if (protocol == "tarvik" && mixed) {
        auto drives = std::make_unique<wiresim::Started<wiresim::MixedLineSim>>(nodes, fenwaNodes);
        tarvik = drives.get();
        fenwa = &drives->Fenwa();
        sim = std::move(drives);
    } else if (protocol == "tarvik") {
        auto drives = std::make_unique<wiresim::Started<wiresim::TarvikDriveSim>>(nodes);
        tarvik = drives.get();
        sim = std::move(drives);
    } else if (protocol == "noxel")
        sim = std::make_unique<wiresim::Started<wiresim::NoxelDriveSim>>(nodes);
    else if (protocol == "halvo")
        sim = std::make_unique<wiresim::Started<wiresim::HalvoSlaveSim>>(nodes);
    else if (protocol == "fenwa") {
        auto drives = std::make_unique<wiresim::Started<wiresim::FenwaDriveSim>>(nodes);
        fenwa = drives.get();
        sim = std::move(drives);
    } else if (protocol == "zelna")
        sim = std::make_unique<wiresim::Started<wiresim::ZelnaDriveSim>>(nodes);
    else
        return Usage();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%s\n", sim->Path().c_str());
    std::fflush(stdout);
    // Commands while standard input lasts (a terminal); then, or without one, serve until stopped.
    if (tarvik || fenwa) {
        for (std::string line; !g_stop && std::getline(std::cin, line);) {
            std::string word;
            std::istringstream(line) >> word;
            if (fenwa && RunFenwaCommand(*fenwa, line))
                continue;
            if (word == "quit" || (tarvik && !RunCommand(*tarvik, line)))
                return 0;
            if (fenwa && !word.empty() && (word == "help" || !tarvik)) {
                std::printf("%s", kFenwaHelp);
                std::fflush(stdout);
            }
        }
    }
    while (!g_stop)
        ::pause();
    return 0;
}
