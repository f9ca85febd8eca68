// Reading every parameter of one simulated Tarvik drive through its storage, over a pseudo-terminal.
// "overhead" is the time of one whole read over the wire time of the same bytes at 38400 baud: the
// message layer's share on top of the link's (compare BM_NoxelExchange in bench_wirelink).
#include "LineMeasure.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <stdexcept>
#include <vector>

namespace {

using wiresim::TarvikParameter;
using Kind = TarvikParameter::Kind;

void BM_TarvikReadEveryParameter(benchmark::State& state) {
    wiresim::Started<wiresim::TarvikDriveSim> drive;
    SerialComm port;
    port.Init(drive.Path(), 38400);
    NoxelComm* noxel = NoxelComm::Instance();
    noxel->Init(&port);
    TarvikStorage storage(noxel, 1);

    std::vector<const TarvikParameter*> readable;
    for (const TarvikParameter& p : wiresim::TarvikParameters())
        if (p.access & TarvikParameter::kRead)
            readable.push_back(&p);
    size_t reads = 0;
    auto readAll = [&] {
        reads = 0;
        for (const TarvikParameter* p : readable) {
            for (int i = 0; i < p->entries; ++i) {
                const int32_t id = TarvikStorage::Id(p->number, p->entries > 1 ? i : TarvikStorage::kNoIndex);
                bool ok = false;
                uint32_t u = 0;
                float f = 0;
                std::string text;
                switch (p->kind) {
                case Kind::Float:
                    ok = storage.ReadFloat(0, 0, id, f);
                    break;
                case Kind::Text:
                    ok = storage.ReadString(0, 0, id, text);
                    break;
                case Kind::Samples:
                    ok = storage.ReadRaw(0, 0, id, text);
                    break;
                default:
                    ok = storage.ReadUlong(0, 0, id, u, p->size);
                    break;
                }
                if (!ok)
                    throw std::runtime_error("the simulated drive did not answer");
                ++reads;
            }
        }
    };
    Measure(state, drive, readAll);
    state.counters["reads"] = static_cast<double>(reads);
    NoxelComm::DestroyInstance();
}
BENCHMARK(BM_TarvikReadEveryParameter)->UseRealTime()->Unit(benchmark::kMillisecond);

// One scope capture of a 16-bit and a 32-bit channel as the scope window takes it: arm, poll the
// trigger status until the capture is in, read the eight sample blocks of each channel and scale
// them for the plot.
void BM_TarvikScopeCapture(benchmark::State& state) {
    wiresim::Started<wiresim::TarvikDriveSim> sim;
    sim.SetValue(1, 0, 0, 0x0E);
    SerialComm port;
    port.Init(sim.Path(), 38400);
    NoxelComm* noxel = NoxelComm::Instance();
    noxel->Init(&port);
    TarvikStorage storage(noxel, 1);
    ZRNoxelDevice device;
    device.SetStorage(&storage);
    device.SetOffLine(false);
    ZRDrive drive(tarvik::kStandardDriveType);
    drive.SetProductType(0x0E);
    drive.Init();
    drive.Attach(&device, 1);
    ZRNoxelScope& scope = *drive.GetScope();
    scope.GetInputSignal(0)->SetValue(22); // velocity feedback, 16-bit
    scope.GetInputSignal(1)->SetValue(7);  // position feedback, 32-bit
    std::vector<float> plotted;
    auto capture = [&] {
        scope.ArmTrigger();
        int polls = 0;
        while (!scope.IsDataReady())
            if (++polls > 100)
                throw std::runtime_error("the simulated drive never finished its capture");
        for (int c = 0; c < 2; ++c) {
            if (!scope.ReadChannel(c))
                throw std::runtime_error("the samples did not read");
            scope.GetChannelData(c, plotted);
        }
    };
    Measure(state, sim, capture);
    NoxelComm::DestroyInstance();
}
BENCHMARK(BM_TarvikScopeCapture)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
