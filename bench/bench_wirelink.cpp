// Exchanges per second of each drive protocol against a simulated drive that answers at once,
// over a pseudo-terminal. A pty has no baud rate, so the time per exchange is the library's own
// overhead (plus the simulator's and the kernel's); "overhead" compares it with the time the same
// bytes take on a real line at 38400 baud, 10 bits a character.
#include "LineMeasure.h"
#include "tests/support/wire/CommandDriveSim.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "tests/support/wire/HalvoSlaveSim.h"
#include "tests/support/wire/NoxelDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/Querin.h"
#include "wirelink/SerialComm.h"
#include "wirelink/ZelnaComm.h"

#include <benchmark/benchmark.h>

namespace {

void BM_NoxelExchange(benchmark::State& state) {
    wiresim::Started<wiresim::NoxelDriveSim> drive;
    drive.SetHandler([](uint8_t, const std::string&) {
        return wiresim::NoxelAnswer{"0000ABCD", false, false};
    });
    SerialComm port;
    port.Init(drive.Path(), 38400);
    NoxelComm* noxel = NoxelComm::Instance();
    noxel->Init(&port);
    const unsigned char text[] = "00100000";
    unsigned char reply[256];
    unsigned short length;
    int driveError;
    Measure(state, drive, [&] { noxel->ExchgMessage(1, text, 8, reply, length, driveError, 0); });
    NoxelComm::DestroyInstance();
}
BENCHMARK(BM_NoxelExchange)->UseRealTime();

void BM_QuerinCommand(benchmark::State& state) {
    wiresim::Started<wiresim::HalvoSlaveSim> slave;
    slave.SetHandler([](uint8_t, const wiresim::Bytes& command) {
        return std::vector<wiresim::Bytes>{wiresim::HalvoSlaveSim::ReplyPacket(command, 0, {1, 2, 3, 4})};
    });
    SerialComm port;
    port.Init(slave.Path(), 38400);
    HalvoMaster* master = HalvoMaster::Instance();
    master->Init(&port);
    master->RefreshNode(1);
    Querin querin(master);
    const unsigned char data[] = {0x01, 0x10, 0x02, 0x03};
    unsigned char reply[256];
    unsigned short length, status;
    Measure(state, slave, [&] { querin.Encapsulate(1, data, 4, reply, length, status); });
    HalvoMaster::DestroyInstance();
}
BENCHMARK(BM_QuerinCommand)->UseRealTime();

template <class Comm, class Sim> void CommandResponse(benchmark::State& state) {
    wiresim::Started<Sim> drive;
    drive.SetHandler([](const wiresim::CommandRequest&) {
        return std::optional<wiresim::CommandAnswer>(wiresim::CommandAnswer::Text("#MV 1234"));
    });
    SerialComm port;
    port.Init(drive.Path(), 38400);
    Comm* comm = Comm::Instance();
    comm->Init(&port);
    std::string reply;
    auto error = Comm::NoError;
    Measure(state, drive, [&] { comm->SendAndGetResponse(1, "MV", reply, error); });
    Comm::DestroyInstance();
}

void BM_FenwaResponse(benchmark::State& state) {
    CommandResponse<FenwaComm, wiresim::FenwaDriveSim>(state);
}
BENCHMARK(BM_FenwaResponse)->UseRealTime();

void BM_ZelnaResponse(benchmark::State& state) {
    CommandResponse<ZelnaComm, wiresim::ZelnaDriveSim>(state);
}
BENCHMARK(BM_ZelnaResponse)->UseRealTime();

void BM_ZelnaAck(benchmark::State& state) {
    wiresim::Started<wiresim::ZelnaDriveSim> drive;
    SerialComm port;
    port.Init(drive.Path(), 38400);
    ZelnaComm* zelna = ZelnaComm::Instance();
    zelna->Init(&port);
    auto error = ZelnaComm::NoError;
    Measure(state, drive, [&] { zelna->SendAndGetAck(1, "EN1", error); });
    ZelnaComm::DestroyInstance();
}
BENCHMARK(BM_ZelnaAck)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
