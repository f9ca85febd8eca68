// Reading every parameter and monitor value of one simulated Fenwa drive through its storage, over a
// pseudo-terminal. "overhead" is the time of one whole read over the wire time of the same bytes
// at 38400 baud: the storage's share on top of the link's (compare BM_FenwaResponse in
// bench_wirelink).
#include "LineMeasure.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"
#include "tests/support/wire/FenwaDriveSim.h"
#include "tests/support/wire/FenwaParameterTable.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/SerialComm.h"

#include <stdexcept>

namespace {

using wiresim::FenwaParameter;
using Kind = FenwaParameter::Kind;

void BM_FenwaReadEveryParameter(benchmark::State& state) {
    wiresim::Started<wiresim::FenwaDriveSim> drive;
    SerialComm port;
    port.Init(drive.Path(), 38400);
    FenwaComm* comm = FenwaComm::Instance();
    comm->Init(&port);
    FenwaStorage storage(comm, 1);

    size_t reads = 0;
    auto readAll = [&] {
        reads = 0;
        for (const FenwaParameter& p : wiresim::FenwaParameters()) {
            const int32_t id = fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(p.number));
            bool ok = false;
            int32_t l = 0;
            float f = 0;
            std::string text;
            switch (p.kind) {
            case Kind::Float:
                ok = storage.ReadFloat(0, 0, id, f);
                break;
            case Kind::Text:
                ok = storage.ReadString(0, 0, id, text);
                break;
            default:
                ok = storage.ReadLong(0, 0, id, l, 4);
                break;
            }
            if (!ok)
                throw std::runtime_error("the simulated drive did not answer");
            ++reads;
        }
        for (const wiresim::FenwaMonitor& m : wiresim::FenwaMonitors()) {
            std::string text;
            if (!storage.ReadString(0, 0, fenwa::Id(fenwa::cls::kMonitor, static_cast<uint16_t>(m.number)),
                                    text))
                throw std::runtime_error("the simulated drive did not answer");
            ++reads;
        }
    };
    Measure(state, drive, readAll);
    state.counters["reads"] = static_cast<double>(reads);
    FenwaComm::DestroyInstance();
}
BENCHMARK(BM_FenwaReadEveryParameter)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
