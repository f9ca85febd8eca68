#include "FenwaLine.h"

#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "tests/support/ModalScript.h"
#include "tests/support/model/ReasonRecorder.h"
#include "tests/support/wire/MixedLineSim.h"
#include "wirelink/NoxelComm.h"

#include <atomic>
#include <bit>
#include <thread>

namespace {

using fenwa::Id;
using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::IDRETRY;
using Strings = std::vector<std::string>;
namespace sym = wiresim::symbol;
using namespace fenwa::attr;

const char kRetryQuestion[] = "Communications have been lost with the drive, Retry?";
const char kLost[] = "Communications have been lost with node 1";

using FenwaStorageTest = FenwaLine;

TEST_F(FenwaStorageTest, RequestTextsByClassAndWhatTheDriveKeeps) {
    uint32_t u = 0;
    int32_t l = 0;
    float f = 0;
    std::string s;
    const struct {
        const char* what;
        std::function<bool()> operation;
        Strings requests;
    } cases[] = {
        {"parameter read", [&] { return storage->ReadUlong(0, 0, kDriveAddress, u, 4); }, {"SET00D"}},
        {"stored-class read", [&] { return storage->ReadUlong(0, 0, kSavePowerup, u, 4); }, {"SET00D"}},
        {"monitor read", [&] { return storage->ReadLong(0, 0, kMechanicalAngle, l, 4); }, {"MDM09"}},
        {"status text", [&] { return storage->ReadString(0, 0, kStatuses, s); }, {"STS"}},
        {"type text", [&] { return storage->ReadString(0, 0, kTypeText, s); }, {"TYP"}},
        {"version text", [&] { return storage->ReadString(0, 0, kFirmwareVersion, s); }, {"VER"}},
        {"monitor text", [&] { return storage->ReadString(0, 0, kIoStatus, s); }, {"MDM0F"}},
        {"float read", [&] { return storage->ReadFloat(0, 0, kPositionScale, f); }, {"SET3B8"}},
        {"one byte of -1",
         [&] { return storage->WriteLong(0, 0, kInitialCurrentBias, -1, 1); },
         {"CHP196FF"}},
        {"one byte of 2", [&] { return storage->WriteLong(0, 0, kDisplayedUnits, 2, 1); }, {"CHP3C02"}},
        {"two bytes", [&] { return storage->WriteUlong(0, 0, kOperationModes, 7, 2); }, {"CHP0000007"}},
        {"four bytes signed",
         [&] { return storage->WriteLong(0, 0, kInitialCurrentBias, -100, 4); },
         {"CHP196FFFFFF9C"}},
        {"four bytes", [&] { return storage->WriteUlong(0, 0, kSpeedWindow, 300, 4); }, {"CHP1F60000012C"}},
        {"float", [&] { return storage->WriteFloat(0, 0, kVelocityScale, 2.5f); }, {"CHP3BA40200000"}},
        {"text", [&] { return storage->WriteString(0, 0, kPositionLabel, "mm"); }, {"CHP3B9mm"}},
        {"bool", [&] { return storage->WriteBool(0, 0, kDriveAddress, true); }, {"CHP00D1"}},
        // Acknowledged, then polled until the drive is done.
        {"stored write",
         [&] { return storage->WriteUlong(0, 0, kSavePowerup, 10, 2); },
         {"STR00D000A", "STR", "STR"}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.operation()) << c.what;
        EXPECT_EQ(Sent(), c.requests) << c.what;
    }
    EXPECT_EQ(sim.Parameter(1, 0x196), "FF9C");
    EXPECT_EQ(sim.Parameter(1, 0x3BA), "40200000");
    EXPECT_EQ(sim.Parameter(1, 0x3B9), "mm");
    EXPECT_EQ(sim.Parameter(1, 0x00D), "000A");
    EXPECT_EQ(sim.Stores(1), 1);
    EXPECT_EQ(sim.Parameter(2, 0x00D), "0001");

    ASSERT_TRUE(storage->ReadLong(0, 0, kInitialCurrentBias, l, 4));
    EXPECT_EQ(l, -100);
    ASSERT_TRUE(storage->ReadFloat(0, 0, kVelocityScale, f));
    EXPECT_EQ(f, 2.5f);
    ASSERT_TRUE(storage->ReadString(0, 0, kStatuses, s));
    EXPECT_EQ(s, " P00000RDY0");
    bool b = false;
    ASSERT_TRUE(storage->ReadBool(0, 0, kDriveAddress, b));
    EXPECT_TRUE(b);
}

TEST_F(FenwaStorageTest, RepliesAreParsedByTheirLength) {
    const struct {
        const char* reply;
        int32_t asLong;
        uint32_t asUlong;
    } numbers[] = {
        {"FFFF", -1, 0xFFFF},
        {"00FFFF", 65535, 0xFFFF},
        {"0000FFFF", 65535, 0xFFFF},
        {"7FFF", 32767, 0x7FFF},
        {"8000", -32768, 0x8000},
        {"FFFFFFFF", -1, 0xFFFFFFFF},
        {"1a", 26, 26},
        {"5", 5, 5},
    };
    for (const auto& n : numbers) {
        AnswerWith(n.reply);
        int32_t l = 7;
        uint32_t u = 7;
        ASSERT_TRUE(storage->ReadLong(0, 0, kSpeedWindow, l, 4)) << n.reply;
        ASSERT_TRUE(storage->ReadUlong(0, 0, kSpeedWindow, u, 4)) << n.reply;
        EXPECT_EQ(l, n.asLong) << n.reply;
        EXPECT_EQ(u, n.asUlong) << n.reply;
    }
    AnswerWith("3F800000");
    float f = 0;
    ASSERT_TRUE(storage->ReadFloat(0, 0, kPositionScale, f));
    EXPECT_EQ(f, 1.0f);

    // Nothing but hexadecimal digits is a number: a half-numeric reply is no value.
    for (const char* bad : {"XYZ", "", "12G4", "-1", "0x12", "1FFFFFFFF"}) {
        AnswerWith(bad);
        int32_t l = 7;
        ZRError e = FenwaErrorOf([&] { storage->ReadLong(0, 0, kSpeedWindow, l, 4); });
        EXPECT_EQ(e.GetError(), 2) << bad;
        EXPECT_EQ(e.GetMessage(), "Drive returned bad data") << bad;
        EXPECT_EQ(FenwaErrorOf([&] {
                      float v;
                      storage->ReadFloat(0, 0, kPositionScale, v);
                  }).GetMessage(),
                  "Drive returned bad data")
            << bad;
    }
    AnswerWith("Any text: kept");
    std::string s;
    ASSERT_TRUE(storage->ReadString(0, 0, kPositionLabel, s));
    EXPECT_EQ(s, "Any text");
}

TEST_F(FenwaStorageTest, CallerErrorsAreRefusedBeforeAnythingIsSent) {
    int32_t l = 0;
    uint32_t u = 0;
    float f = 0;
    int32_t instance = 0;
    ZRStorage::Ids ids;
    const struct {
        const char* what;
        std::function<void()> operation;
        int code;
        const char* text;
    } cases[] = {
        {"one byte of 128", [&] { storage->WriteLong(0, 0, kDriveAddress, 128, 1); }, 6,
         "Invalid data value"},
        {"one byte of -129", [&] { storage->WriteLong(0, 0, kDriveAddress, -129, 1); }, 6,
         "Invalid data value"},
        {"two bytes of 32768", [&] { storage->WriteLong(0, 0, kDriveAddress, 32768, 2); }, 6,
         "Invalid data value"},
        {"unsigned two bytes of 65536", [&] { storage->WriteUlong(0, 0, kDriveAddress, 65536, 2); }, 6,
         "Invalid data value"},
        {"three bytes", [&] { storage->WriteLong(0, 0, kDriveAddress, 1, 3); }, 3, "Invalid Data Size"},
        {"unsigned one byte", [&] { storage->WriteUlong(0, 0, kDriveAddress, 1, 1); }, 3,
         "Invalid Data Size"},
        {"colon in a text", [&] { storage->WriteString(0, 0, kPositionLabel, "a:b"); }, 6,
         "Invalid data value"},
        {"frame end in a text", [&] { storage->WriteString(0, 0, kPositionLabel, "a\x03"); }, 6,
         "Invalid data value"},
        {"write of a status", [&] { storage->WriteString(0, 0, kStatuses, "x"); }, 2,
         "Command not supported by drive"},
        {"write of a monitor value", [&] { storage->WriteLong(0, 0, kBusVoltage, 1, 4); }, 2,
         "Command not supported by drive"},
        {"number read of a text class", [&] { storage->ReadUlong(0, 0, kFirmwareVersion, u, 4); }, 2,
         "Command not supported by drive"},
        {"float read of a monitor", [&] { storage->ReadFloat(0, 0, kBusVoltage, f); }, 2,
         "Command not supported by drive"},
        {"read of class 6", [&] { storage->ReadLong(0, 0, Id(6, 1), l, 4); }, 2,
         "Command not supported by drive"},
        {"create", [&] { storage->Create(0, instance); }, 5, "Create Not Implemented"},
        {"delete", [&] { storage->Delete(0, 1); }, 5, "Delete Not Implemented"},
        {"instance list", [&] { storage->GetInstanceList(0, ids); }, 3, "GetInstanceList Not Implemented"},
    };
    for (const auto& c : cases) {
        ZRError e = FenwaErrorOf(c.operation);
        EXPECT_EQ(e.GetError(), c.code) << c.what;
        EXPECT_EQ(e.GetMessage(), c.text) << c.what;
    }
    std::optional<ZRStorage::Bytes> reply;
    EXPECT_FALSE(storage->InvokeService(0, 0, 1, {'0'}, reply));
    int32_t space = 0;
    EXPECT_TRUE(storage->GetFreeSpace(space));
    EXPECT_EQ(space, 100000);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FenwaStorageTest, DriveRefusalsBecomeErrorsAndLeaveTheStorageUsable) {
    const struct {
        const char* what;
        uint8_t status;
        int code;
        const char* text;
    } forced[] = {
        {"GS", sym::GS, 11, "Command disabled when drive is enabled."},
        {"RS", sym::RS, 6, "Data value out of range"},
        {"US", sym::US, 2, "Command not supported by drive"},
        {"checksum error repeated", sym::SI, 1, "Communication Error. Check cables."},
    };
    for (const auto& c : forced) {
        sim.MisbehaveStatus(c.status);
        ZRError e = FenwaErrorOf([&] { storage->WriteUlong(0, 0, kSpeedWindow, 5, 4); });
        EXPECT_EQ(e.GetError(), c.code) << c.what;
        EXPECT_EQ(e.GetMessage(), c.text) << c.what;
    }
    // What the simulated drive refuses by itself.
    uint32_t u = 0;
    const struct {
        const char* what;
        std::function<void()> operation;
        int code;
    } own[] = {
        {"address 0", [&] { storage->WriteUlong(0, 0, kDriveAddress, 0, 4); }, 6},
        {"bias -101", [&] { storage->WriteLong(0, 0, kInitialCurrentBias, -101, 4); }, 6},
        {"unknown parameter", [&] { storage->ReadUlong(0, 0, Id(0, 0x999), u, 4); }, 2},
        {"unknown monitor", [&] { storage->ReadUlong(0, 0, Id(4, 0x55), u, 4); }, 2},
        {"mode change while enabled",
         [&] {
             sim.SetEnabled(1, true);
             storage->WriteUlong(0, 0, kOperationModes, 3, 2);
         },
         11},
        {"no value yet",
         [&] {
             sim.SetBusyReads(1, 1);
             storage->ReadUlong(0, 0, kSpeedWindow, u, 4);
         },
         14},
    };
    for (const auto& c : own)
        EXPECT_EQ(FenwaErrorOf(c.operation).GetError(), c.code) << c.what;
    EXPECT_EQ(FenwaErrorOf([&] {
                  sim.SetBusyReads(1, 1);
                  storage->ReadUlong(0, 0, kSpeedWindow, u, 4);
              }).GetMessage(),
              "Data not ready");

    EXPECT_FALSE(storage->IsBroken());
    EXPECT_TRUE(storage->ReadUlong(0, 0, kSpeedWindow, u, 4));
    EXPECT_EQ(u, 10u);
}

TEST_F(FenwaStorageTest, RetryWithTheDriveBackRepeatsTheExchangeOnce) {
    ReasonRecorder reasons(*storage);
    sim.PullCable();
    ModalScript modals;
    modals.Expect(
        platform::core::ModalKind::MessageBox, kRetryQuestion, [&](platform::core::ModalRequest& r) {
            EXPECT_EQ(r.flags & platform::core::MB_TYPEMASK, platform::core::MB_RETRYCANCEL);
            EXPECT_TRUE(storage->IsBroken()); // nothing else reaches the drive while the user decides
            sim.PlugCable();
            return IDRETRY;
        });
    uint32_t u = 0;
    ASSERT_TRUE(storage->ReadUlong(0, 0, kSpeedWindow, u, 4));
    EXPECT_EQ(u, 10u);
    EXPECT_EQ(Sent(), (Strings{"SET1F6", "LIV", "SET1F6"}));
    EXPECT_FALSE(storage->IsBroken());
    EXPECT_EQ(reasons.Count(ZRUpdate::ValueChanged), 0);
}

TEST_F(FenwaStorageTest, ALinkThatStaysLostBreaksTheStorageForGood) {
    const struct {
        const char* what;
        int answer;
        bool comesBack; // the probe finds the drive, the repeat is silent again
    } cases[] = {
        {"cancel", IDCANCEL, false},
        {"retry, still silent", IDRETRY, false},
        {"retry, silent again after the probe", IDRETRY, true},
    };
    for (const auto& c : cases) {
        storage = std::make_unique<FenwaStorage>(comm, 1);
        ReasonRecorder reasons(*storage);
        sim.PullCable();
        {
            ModalScript modals;
            modals.Expect(
                platform::core::ModalKind::MessageBox, kRetryQuestion, [&](platform::core::ModalRequest&) {
                    if (c.comesBack) {
                        sim.PlugCable();
                        sim.SetHandler([](const wiresim::CommandRequest& r) {
                            return r.command == "LIV" ? std::nullopt
                                                      : std::optional(wiresim::CommandAnswer::Silent());
                        });
                    }
                    return c.answer;
                });
            // One question per call: a second failure goes straight to the report.
            modals.ExpectMessage(kLost, IDOK);
            EXPECT_FALSE(storage->WriteUlong(0, 0, kSpeedWindow, 3, 4)) << c.what;
        }
        EXPECT_TRUE(storage->IsBroken()) << c.what;
        EXPECT_EQ(reasons.Count(ZRUpdate::ValueChanged), 1) << c.what;

        // Nothing more goes to the line, and no question is asked.
        sim.PlugCable();
        sim.SetHandler(nullptr);
        Sent();
        uint32_t u = 0;
        std::string s, reply;
        EXPECT_FALSE(storage->ReadUlong(0, 0, kSpeedWindow, u, 4));
        EXPECT_FALSE(storage->ReadString(0, 0, kStatuses, s));
        EXPECT_FALSE(storage->WriteUlong(0, 0, kSpeedWindow, 3, 4));
        EXPECT_FALSE(storage->ExecuteCommand("JOG", {}, "+", &reply, FenwaStorage::Ack));
        EXPECT_TRUE(Sent().empty()) << c.what;
    }
}

TEST_F(FenwaStorageTest, LinkFailuresOtherThanSilence) {
    // A reply that is no reply at all: the exchange was malformed, the drive is still there.
    sim.MisbehaveStatus(sym::SI);
    ZRError e = FenwaErrorOf([&] {
        uint32_t u;
        storage->ReadUlong(0, 0, kSpeedWindow, u, 4);
    });
    EXPECT_EQ(e.GetError(), 0);
    EXPECT_EQ(e.GetMessage(),
              "An improperly formatted message was sent to the drive. \nNotify technical support.");
    EXPECT_FALSE(storage->IsBroken());

    // A link without a port: no question, the report names the cause.
    comm->SetSerialComm(nullptr);
    ReasonRecorder reasons(*storage);
    {
        ModalScript modals;
        modals.ExpectMessage("Communications were not initialized properly. \nTry restarting Quorvance.",
                             IDOK);
        uint32_t u = 0;
        EXPECT_FALSE(storage->ReadUlong(0, 0, kSpeedWindow, u, 4));
    }
    EXPECT_TRUE(storage->IsBroken());
    EXPECT_EQ(reasons.Count(ZRUpdate::ValueChanged), 1);
}

TEST_F(FenwaStorageTest, VersionFromTheVersionText) {
    const struct {
        const char* text;
        bool ok;
        uint32_t version;
    } cases[] = {
        {"1.20", true, 276}, {"1.12", true, 0x10C}, {"2.5", true, 517}, {"1", false, 0}, {"v1.2", false, 0}};
    for (const auto& c : cases) {
        sim.SetVersion(1, c.text);
        uint32_t version = 0;
        EXPECT_EQ(storage->GetVersion(0, 0, version), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(version, c.version) << c.text;
        }
    }
    // A refusal is told, never thrown.
    sim.MisbehaveStatus(sym::US);
    ModalScript modals;
    modals.ExpectMessage("Command not supported by drive\nUnable to determine version information.", IDOK);
    uint32_t version = 0;
    EXPECT_FALSE(storage->GetVersion(0, 0, version));
}

TEST_F(FenwaStorageTest, DriveCommandsTakeTheirSuffixByMode) {
    std::string reply = "old";
    const struct {
        const char* what;
        const char* command;
        const char* data;
        const char* suffix;
        int mode;
        Strings requests;
    } cases[] = {
        {"ack with argument", "JOG", "", "-", FenwaStorage::Ack, {"JOG-"}},
        {"ack drops its data", "SVROF", "99", "", FenwaStorage::Ack, {"SVROF"}},
        {"long command keeps its data, drops the argument",
         "ETC",
         "0C",
         "+",
         FenwaStorage::UntilTok,
         {"ETC0C", "ETC", "ETC"}},
        {"response with argument", "MDM", "", "0B", FenwaStorage::Response, {"MDM0B"}},
        {"no such mode: nothing sent", "JOG", "", "0", 7, {}},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(storage->ExecuteCommand(c.command, c.data, c.suffix, &reply, c.mode)) << c.what;
        EXPECT_EQ(Sent(), c.requests) << c.what;
    }
    EXPECT_EQ(sim.Jog(1), "-");
    EXPECT_TRUE(storage->ExecuteCommand("MDM", {}, "0B", &reply, FenwaStorage::Response));
    EXPECT_EQ(reply, "0139");
    EXPECT_TRUE(storage->ExecuteCommand("JOG", {}, "0", nullptr, FenwaStorage::Ack));
}

// The jog thread and the user-interface thread share the storage: each exchange is whole.
TEST_F(FenwaStorageTest, TwoThreadsNeverInterleaveOnTheLine) {
    constexpr int kRounds = 40;
    std::atomic<int> jogged{0};
    std::thread jog([&] {
        for (int i = 0; i < kRounds; ++i)
            jogged += storage->ExecuteCommand("JOG", {}, i % 2 ? "+" : "-", nullptr, FenwaStorage::Ack);
    });
    int read = 0;
    for (int i = 0; i < kRounds; ++i) {
        uint32_t u = 0;
        read += storage->ReadUlong(0, 0, kSpeedWindow, u, 4) && u == 10;
    }
    jog.join();
    EXPECT_EQ(jogged, kRounds);
    EXPECT_EQ(read, kRounds);
    EXPECT_EQ(sim.JogCount(1), kRounds);
    for (const auto& request : sim.Requests())
        EXPECT_TRUE(request.command == "SET1F6" || request.command == "JOG+" || request.command == "JOG-")
            << request.frame;
}

} // namespace

namespace {

// A scan probes every node in every family's protocol; each drive answers only its own.
TEST(FenwaBesideTarvik, BothFamiliesAnswerOnOneLine) {
    wiresim::Started<wiresim::MixedLineSim> line(std::set<uint8_t>{1}, std::set<uint8_t>{2});
    SerialComm port;
    port.Init(line.Path(), 38400);
    FakeClock fast{20};
    FenwaComm* fenwa = FenwaComm::Instance();
    NoxelComm* noxel = NoxelComm::Instance();
    fenwa->Init(&port);
    noxel->Init(&port);
    for (short node : {1, 2, 3}) {
        fenwa->RefreshNode(node);
        noxel->RefreshNode(node);
        EXPECT_EQ(fenwa->IsNodeActive(node), node == 2) << node;
        EXPECT_EQ(noxel->IsNodeActive(node), node == 1) << node;
    }
    {
        FenwaStorage fenwaDrive(fenwa, 2);
        TarvikStorage tarvikDrive(noxel, 1);
        for (int round = 0; round < 3; ++round) {
            uint32_t address = 0, version = 0;
            ASSERT_TRUE(fenwaDrive.WriteUlong(0, 0, kSpeedWindow, 20 + round, 4));
            ASSERT_TRUE(tarvikDrive.GetVersion(0, 0, version));
            ASSERT_TRUE(fenwaDrive.ReadUlong(0, 0, kSpeedWindow, address, 4));
            EXPECT_EQ(address, 20u + round);
        }
        EXPECT_EQ(line.Fenwa().Parameter(2, 0x1F6), "0016");
    }
    FenwaComm::DestroyInstance();
    NoxelComm::DestroyInstance();
}

} // namespace
