// drive-simulator noxel|halvo|fenwa|zelna [node...]
// Plays the drive's side of one protocol on a pseudo-terminal and prints the device path to give
// the program as its serial port. Runs until interrupted.
#include "tests/support/wire/CommandDriveSim.h"
#include "tests/support/wire/HalvoSlaveSim.h"
#include "tests/support/wire/NoxelDriveSim.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void OnSignal(int) {
    g_stop = 1;
}

int Usage() {
    std::fprintf(stderr, "usage: drive-simulator noxel|halvo|fenwa|zelna [node...]\n"
                         "  nodes are decimal, 1 by default\n");
    return 2;
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
    if (protocol == "noxel")
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
    while (!g_stop)
        ::pause();
    return 0;
}
