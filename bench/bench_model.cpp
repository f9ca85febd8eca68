// Object model: export and import of a large object tree, and the text round trip of scaled
// attributes, over the in-memory storage.
#include "kitbase/model/ZRFormat.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRScale.h"

#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>

namespace {

// 48 longs, a name and a text: 50 stored attributes per object.
constexpr int kLongs = 48;
constexpr int kFolders = 9;
constexpr int kLeavesPerFolder = 110; // 1 + 9 + 990 = 1000 objects

std::unique_ptr<TestObject> MakeTree() {
    auto root = std::make_unique<TestObject>(TestObject::kClass, kLongs);
    root->Init();
    int n = 0;
    auto fill = [&n](TestObject& object) {
        for (size_t i = 0; i < object.LongCount(); ++i)
            object.Long(i).SetValue(double(n * 7 + int(i)));
        ++n;
    };
    fill(*root);
    for (int f = 0; f < kFolders; ++f) {
        auto* folder = static_cast<TestObject*>(root->GetChild(TestObject::kClass));
        fill(*folder);
        for (int l = 0; l < kLeavesPerFolder; ++l)
            fill(*static_cast<TestObject*>(folder->GetChild(TestObject::kClass)));
    }
    return root;
}

// Everything the benchmarks share: the factory, a stored tree and its text.
struct World {
    World() : installed(&factory) {
        factory.Register(TestObject::kClass,
                         [] { return std::make_unique<TestObject>(TestObject::kClass, kLongs); });
        tree = MakeTree();
        tree->Create(&device);
        std::ostringstream out;
        tree->Export(out);
        text = out.str();
    }
    TestFactory factory;
    ScopedFactory installed;
    FakeStorage storage;
    TestDevice device{&storage, true};
    std::unique_ptr<TestObject> tree;
    std::string text;
};

World& TheWorld() {
    static World world;
    return world;
}

void BM_ExportTree(benchmark::State& state) {
    World& world = TheWorld();
    for (auto _ : state) {
        std::ostringstream out;
        world.tree->Export(out);
        benchmark::DoNotOptimize(out.str().size());
    }
    state.SetItemsProcessed(state.iterations() * 1000);
    state.counters["bytes"] = double(world.text.size());
}
BENCHMARK(BM_ExportTree)->Unit(benchmark::kMillisecond);

// Import into a detached object: the cost of parsing and making objects.
void BM_ImportTreeDetached(benchmark::State& state) {
    World& world = TheWorld();
    ZRObject::SetImportVersion(1.2f);
    for (auto _ : state) {
        TestObject root(TestObject::kClass, kLongs);
        root.Init();
        std::istringstream in(world.text);
        bool ok = root.Import(in);
        benchmark::DoNotOptimize(ok);
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ImportTreeDetached)->Unit(benchmark::kMillisecond);

// Import into an object of a project: every child is created and every value written.
void BM_ImportTreeStored(benchmark::State& state) {
    World& world = TheWorld();
    ZRObject::SetImportVersion(1.2f);
    for (auto _ : state) {
        state.PauseTiming();
        auto storage = std::make_unique<FakeStorage>();
        TestDevice device(storage.get(), true);
        auto root = std::make_unique<TestObject>(TestObject::kClass, kLongs);
        root->Init();
        root->Create(&device);
        std::istringstream in(world.text);
        state.ResumeTiming();
        bool ok = root->Import(in);
        benchmark::DoNotOptimize(ok);
        state.PauseTiming();
        root.reset();
        storage.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_ImportTreeStored)->Unit(benchmark::kMillisecond);

// A scale whose factor follows nothing: counts per revolution over 60 seconds.
class FixedScale : public ZRScale {
public:
    int GetPrecision() override { return 3; }
    bool GetScaleFactor(double& factor) override {
        factor = 4096.0 / 60.0;
        return true;
    }
};

// A scaled long on an on-line drive: each set unscales, rounds and writes; each get scales and formats.
struct ScaledAttribute {
    ScaledAttribute() {
        storage.strings[{TestObject::kClass, 1, TestObject::kNameId}] = "Drive";
        object.Init();
        object.Attach(&device, 1);
        ZRLongAttribute& a = Attribute();
        auto format = std::make_unique<ZRFormat>();
        format->SetFormatString("%.3f");
        a.SetScaleObject(&scale);
        a.SetScale(2.0);
        a.SetFormat(std::move(format));
    }
    ~ScaledAttribute() { Attribute().SetScaleObject(nullptr); }
    ZRLongAttribute& Attribute() { return object.Long(0); }

    FakeStorage storage;
    TestDevice device{&storage, false};
    TestObject object{TestObject::kClass, 1};
    FixedScale scale;
};

void BM_ScaledSetAsString(benchmark::State& state) {
    ScaledAttribute fixture;
    ZRLongAttribute& a = fixture.Attribute();
    const char* texts[] = {"12.5", "-300.125", "0.001", "1000"};
    size_t i = 0;
    for (auto _ : state) {
        bool ok = a.SetAsString(texts[i++ & 3]);
        benchmark::DoNotOptimize(ok);
    }
}
BENCHMARK(BM_ScaledSetAsString);

void BM_ScaledGetAsString(benchmark::State& state) {
    ScaledAttribute fixture;
    ZRLongAttribute& a = fixture.Attribute();
    a.SetAsString("-300.125");
    for (auto _ : state) {
        std::string text = a.GetAsString();
        benchmark::DoNotOptimize(text.data());
    }
}
BENCHMARK(BM_ScaledGetAsString);

} // namespace

BENCHMARK_MAIN();
