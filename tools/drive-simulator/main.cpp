// drive-simulator tarvik|noxel|halvo|fenwa|zelna [node...]
// Plays the drive's side of one protocol on a pseudo-terminal and prints the device path to give
// the program as its serial port. Runs until interrupted. Simulated Tarvik drives also take
// commands on standard input (type "help").
#include "tests/support/wire/CommandDriveSim.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "tests/support/wire/HalvoSlaveSim.h"
#include "tests/support/wire/NoxelDriveSim.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikFaultPlay.h"
#include "tests/support/wire/TarvikInputsPlay.h"

#include <bit>
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
    std::fprintf(stderr, "usage: drive-simulator tarvik|noxel|halvo|fenwa|zelna [node...]\n"
                         "  nodes are decimal, 1 by default\n");
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
                     "  quit\n";

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
    } else if (command == "sercos" && args.size() == 1 && numeric) {
        if (auto* inputs = sim.FindPlay<wiresim::TarvikInputsPlay>())
            inputs->AddSercosCard(static_cast<uint8_t>(n[0]));
    } else {
        std::printf("%s", kHelp);
    }
    std::fflush(stdout);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return Usage();
    const std::string protocol = argv[1];
    std::set<uint8_t> nodes;
    for (int i = 2; i < argc; ++i) {
        char* end = nullptr;
        long node = std::strtol(argv[i], &end, 10);
        if (*end || node < 0 || node > 255)
            return Usage();
        nodes.insert(static_cast<uint8_t>(node));
    }
    if (nodes.empty())
        nodes.insert(1);

    std::unique_ptr<wiresim::PtySimulator> sim;
    wiresim::TarvikDriveSim* tarvik = nullptr;
    if (protocol == "tarvik") {
        auto drives = std::make_unique<wiresim::Started<wiresim::TarvikDriveSim>>(nodes);
        tarvik = drives.get();
        sim = std::move(drives);
    } else if (protocol == "noxel")
        sim = std::make_unique<wiresim::Started<wiresim::NoxelDriveSim>>(nodes);
    else if (protocol == "halvo")
        sim = std::make_unique<wiresim::Started<wiresim::HalvoSlaveSim>>(nodes);
    else if (protocol == "fenwa")
        sim = std::make_unique<wiresim::Started<wiresim::FenwaDriveSim>>(nodes);
    else if (protocol == "zelna")
        sim = std::make_unique<wiresim::Started<wiresim::ZelnaDriveSim>>(nodes);
    else
        return Usage();

    std::signal(SIGINT, OnSignal);
    std::signal(SIGTERM, OnSignal);
    std::printf("%s\n", sim->Path().c_str());
    std::fflush(stdout);
    // Commands while standard input lasts (a terminal); then, or without one, serve until stopped.
    if (tarvik) {
        for (std::string line; !g_stop && std::getline(std::cin, line);)
            if (!RunCommand(*tarvik, line))
                return 0;
    }
    while (!g_stop)
        ::pause();
    return 0;
}
