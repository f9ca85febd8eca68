#include "quorvance/tarvik/TarvikStorage.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRUpdate.h"
#include "tests/support/ModalScript.h"
#include "tests/support/model/ReasonRecorder.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/HalvoMaster.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"
#include "wirelink/ZelnaComm.h"

#include <bit>
#include <functional>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDRETRY;
using wiresim::TarvikDriveSim;
constexpr int32_t Id(int32_t parameter, int32_t index = TarvikStorage::kNoIndex) {
    return TarvikStorage::Id(parameter, index);
}

// The text of a request line: ':' and the node before it, the checksum and CR after it.
std::string TextOf(const std::string& line) {
    return line.size() < 6 ? line : line.substr(3, line.size() - 6);
}

// The ZRError an operation threw; a failure when it threw none.
ZRError ErrorOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const ZRError& e) {
        return e;
    }
    ADD_FAILURE() << "no ZRError";
    return ZRError(-1, "<none>");
}

// A line of simulated Tarvik drives and the storage of the drive at node 1.
template <class Sim> class LineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        port.Init(sim.Path(), 38400);
        noxel = NoxelComm::Instance();
        noxel->Init(&port);
    }
    void TearDown() override { NoxelComm::DestroyInstance(); }

    // The request texts the drives received since the last call.
    std::vector<std::string> Sent() {
        std::vector<std::string> texts;
        std::vector<std::string> lines = sim.Requests();
        for (size_t i = m_seen; i < lines.size(); ++i)
            texts.push_back(TextOf(lines[i]));
        m_seen = lines.size();
        return texts;
    }

    wiresim::Started<Sim> sim{std::set<uint8_t>{1, 2}};
    SerialComm port;
    // Silence lasts seconds of the link's clock: let them pass twenty times as fast.
    FakeClock fast{20};
    NoxelComm* noxel = nullptr;
    std::unique_ptr<TarvikStorage> storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), 1);

private:
    size_t m_seen = 0;
};

using TarvikStorageTest = LineFixture<TarvikDriveSim>;
using TarvikStorageReplyTest = LineFixture<wiresim::NoxelDriveSim>;

TEST_F(TarvikStorageTest, RequestTextsAndWhatTheDriveHolds) {
    uint32_t u = 0;
    int32_t l = 0;
    float f = 0;
    std::string s;
    const struct {
        const char* what;
        std::function<bool()> operation;
        const char* request;
    } cases[] = {
        {"read, no index", [&] { return storage->ReadUlong(0, 0, Id(2), u, 2); }, "0020"},
        {"read, array index", [&] { return storage->ReadLong(0, 0, Id(349, 1), l, 4); }, "15D001"},
        {"read of a command index has none", [&] { return storage->ReadUlong(0, 0, Id(97, 0x200), u, 1); },
         "0610"},
        {"write, command form", [&] { return storage->WriteLong(0, 0, Id(457, 0x200), 2, 1); }, "1C9102"},
        {"write, command form with index", [&] { return storage->WriteUlong(0, 0, Id(392, 0x103), 5, 1); },
         "188103"
         "05"},
        {"write, array index", [&] { return storage->WriteLong(0, 0, Id(349, 1), -2, 4); }, "15D301FFFFFFFE"},
        {"write of -1 in one byte", [&] { return storage->WriteLong(0, 0, Id(398), -1, 1); }, "18E3FF"},
        {"unsigned write", [&] { return storage->WriteUlong(0, 0, Id(256), 4096, 2); }, "10031000"},
        {"float write", [&] { return storage->WriteFloat(0, 0, Id(9), 2.5f); }, "009340200000"},
        {"text write", [&] { return storage->WriteString(0, 0, Id(8), "mm"); }, "00836D6D"},
        {"bool write", [&] { return storage->WriteBool(0, 0, Id(30), true); }, "01E301"},
        {"service with its characters",
         [&] {
             std::optional<ZRStorage::Bytes> reply;
             return storage->InvokeService(0, 0, Id(111), {}, reply);
         },
         "06F1"},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(c.operation()) << c.what;
        EXPECT_EQ(Sent(), std::vector<std::string>{c.request}) << c.what;
    }
    EXPECT_EQ(sim.Value(1, 349, 1), 0xFFFFFFFEu);
    EXPECT_EQ(sim.Value(1, 398), 0xFFu);
    EXPECT_EQ(sim.Value(1, 392, 3), 5u);
    EXPECT_EQ(sim.Value(1, 256), 4096u);
    EXPECT_EQ(std::bit_cast<float>(sim.Value(1, 9)), 2.5f);
    EXPECT_EQ(sim.Text(1, 8), "mm");

    // Read back, each by its own decoding.
    ASSERT_TRUE(storage->ReadFloat(0, 0, Id(9), f));
    EXPECT_EQ(f, 2.5f);
    ASSERT_TRUE(storage->ReadString(0, 0, Id(8), s));
    EXPECT_EQ(s, "mm");
    sim.SetValue(1, 33, 0, 0xFFFE);
    ASSERT_TRUE(storage->ReadLong(0, 0, Id(33), l, 2));
    EXPECT_EQ(l, -2);
    ASSERT_TRUE(storage->ReadUlong(0, 0, Id(33), u, 2));
    EXPECT_EQ(u, 65534u);
}

// Every entry of the simulated drive's table is found, reads with its size and takes its own value
// back: the table is sorted, its initial values lie in their ranges and its sizes fit the layer.
TEST_F(TarvikStorageTest, EveryParameterOfTheDriveReadsAndTakesItsValueBack) {
    using wiresim::TarvikParameter;
    using Kind = TarvikParameter::Kind;
    for (const TarvikParameter& p : wiresim::TarvikParameters()) {
        if (p.kind == Kind::Service)
            continue;
        const bool writable = p.access & TarvikParameter::kWrite;
        for (int i = 0; i < p.entries; ++i) {
            const int32_t id = Id(p.number, p.entries > 1 ? i : TarvikStorage::kNoIndex);
            bool read = false, written = true;
            if (p.kind == Kind::Text) {
                std::string text;
                read = storage->ReadString(0, 0, id, text);
                written = !writable || storage->WriteString(0, 0, id, text);
            } else if (p.kind == Kind::Samples) {
                std::string raw;
                read = storage->ReadRaw(0, 0, id, raw);
                // Sixteen samples of the parameter's width a block.
                EXPECT_EQ(raw.size(), 16u * 2 * static_cast<size_t>(p.size)) << p.number;
            } else if (p.kind == Kind::Float) {
                float f = 0;
                read = storage->ReadFloat(0, 0, id, f);
                written = !writable || storage->WriteFloat(0, 0, id, f);
            } else if (p.kind == Kind::Signed) {
                int32_t l = 0;
                read = storage->ReadLong(0, 0, id, l, p.size);
                written = !writable || storage->WriteLong(0, 0, id, l, p.size);
            } else {
                uint32_t u = 0;
                read = storage->ReadUlong(0, 0, id, u, p.size);
                written = !writable || storage->WriteUlong(0, 0, id, u, p.size);
            }
            EXPECT_TRUE(read && written) << p.number << "[" << i << "]";
        }
    }
}

// The simulator finds parameters by binary search: rows merged in from several places must keep
// the table sorted and unique.
TEST(TarvikParameterTable, IsSortedAndUnique) {
    auto table = wiresim::TarvikParameters();
    for (size_t i = 1; i < table.size(); ++i)
        EXPECT_LT(table[i - 1].number, table[i].number) << table[i].name;
}

// A play sees a request before the table and hears of every write the table took.
class EchoPlay : public wiresim::TarvikSimPlay {
public:
    std::optional<wiresim::NoxelAnswer> Take(uint8_t, wiresim::TarvikSimValues& drive, int parameter, int function,
                                             const std::string&) override {
        if (parameter != 2 || function != 0)
            return std::nullopt;
        return wiresim::NoxelAnswer{wiresim::TarvikHex(drive.Get(14, 1) & 0xFFFF, 4)};
    }
    void After(uint8_t node, wiresim::TarvikSimValues&, int parameter, int function, const std::string&) override {
        writes.push_back(node * 1000 + parameter * 10 + function);
    }
    std::vector<int> writes;
};

TEST_F(TarvikStorageTest, PlaysAnswerBeforeTheTableAndHearOfItsWrites) {
    auto& play = sim.AddPlay<EchoPlay>();
    ASSERT_TRUE(storage->WriteLong(0, 0, Id(14, 1), 4660, 4));
    uint32_t version = 0;
    ASSERT_TRUE(storage->ReadUlong(0, 0, Id(2), version, 2));
    EXPECT_EQ(version, 4660u);
    ErrorOf([&] { storage->WriteLong(0, 0, Id(14, 1), -1, 4); }); // refused by the table: no After
    EXPECT_EQ(play.writes, std::vector<int>{1143});
    EXPECT_EQ(sim.FindPlay<EchoPlay>(), &play);
}

TEST_F(TarvikStorageTest, DriveCodesBecomeErrorsWithTheirTexts) {
    const struct {
        int drive, code;
        const char* text;
    } cases[] = {
        {1, 6, "Invalid Data"},
        {2, 8, "Command Not Available, Invalid Drive State."},
        {3, 15, "EEPROM Write Rrror"},
        {4, 6, "Data Below Minimum"},
        {5, 6, "Data Above Maximum"},
        {6, 11, "Command disabled when drive is enabled."},
        {7, 15, "Invalid Array Index"},
        {8, 2, "Invalid Function Code"},
        {9, 12, "Invalid Parameter Number"},
        {0x20, 1, "Communication Error"},
    };
    for (const auto& c : cases) {
        sim.Refuse(1, c.drive);
        ZRError e = ErrorOf([&] {
            uint32_t v;
            storage->ReadUlong(0, 0, Id(2), v, 2);
        });
        EXPECT_EQ(e.GetError(), c.code) << c.drive;
        EXPECT_EQ(e.GetMessage(), c.text) << c.drive;
    }
    // A refusal leaves the storage usable.
    uint32_t v = 0;
    EXPECT_TRUE(storage->ReadUlong(0, 0, Id(2), v, 2));
    EXPECT_FALSE(storage->IsBroken());
}

TEST_F(TarvikStorageTest, TheSimulatedDriveRefusesAsADriveDoes) {
    int32_t l = 0;
    std::optional<ZRStorage::Bytes> reply;
    const struct {
        const char* what;
        std::function<void()> operation;
        const char* text;
    } cases[] = {
        {"below the range", [&] { storage->WriteLong(0, 0, Id(450), 0, 1); }, "Data Below Minimum"},
        {"above the maximum", [&] { storage->WriteUlong(0, 0, Id(47), 101, 1); }, "Data Above Maximum"},
        {"unknown parameter", [&] { storage->ReadLong(0, 0, Id(500), l, 1); }, "Invalid Parameter Number"},
        {"index past the array", [&] { storage->ReadLong(0, 0, Id(349, 2), l, 4); }, "Invalid Array Index"},
        {"write to a status", [&] { storage->WriteLong(0, 0, Id(1), 0, 1); }, "Invalid Function Code"},
        {"motion of a disabled drive", [&] { storage->InvokeService(0, 0, Id(205), {}, reply); },
         "Command Not Available, Invalid Drive State."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.operation).GetMessage(), c.text) << c.what;

    ASSERT_TRUE(storage->InvokeService(0, 0, Id(107), {'0', '1'}, reply));
    EXPECT_EQ(ErrorOf([&] { storage->WriteLong(0, 0, Id(90), 1, 1); }).GetMessage(),
              "Command disabled when drive is enabled.");
}

TEST_F(TarvikStorageTest, CallerErrorsAreRefusedBeforeAnythingIsSent) {
    std::string reply;
    const struct {
        const char* what;
        std::function<void()> operation;
        int code;
        const char* text;
    } cases[] = {
        {"one byte of 128", [&] { storage->WriteLong(0, 0, Id(398), 128, 1); }, 6, "Invalid data value"},
        {"two bytes of 65536", [&] { storage->WriteUlong(0, 0, Id(256), 65536, 2); }, 6,
         "Invalid data value"},
        {"three bytes", [&] { storage->WriteLong(0, 0, Id(398), 1, 3); }, 3, "Invalid Data Size"},
        {"read of three bytes",
         [&] {
             int32_t v;
             storage->ReadLong(0, 0, Id(398), v, 3);
         },
         3, "Invalid Data Size"},
        {"65 characters", [&] { storage->WriteString(0, 0, Id(8), std::string(65, 'x')); }, 6,
         "Invalid Data Size"},
        {"function 16", [&] { storage->SendMessage(Id(4), 16, {}, reply, 0, 0); }, 3,
         "Invalid function code."},
        // 4 + 2 + 2 x 125 characters do not fit the drive's buffer.
        {"over-long message",
         [&] { storage->SendMessage(Id(156, 0), 0, ZRStorage::Bytes(125, 0), reply, 0, 0); }, 3,
         "Invalid Data Size"},
    };
    for (const auto& c : cases) {
        ZRError e = ErrorOf(c.operation);
        EXPECT_EQ(e.GetError(), c.code) << c.what;
        EXPECT_EQ(e.GetMessage(), c.text) << c.what;
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TarvikStorageTest, RawMessagesAndVersions) {
    std::string reply;
    // Fault history entry 3: function 0 with one data byte.
    sim.SetValue(1, 156, 3, 0x1234ABCD);
    ASSERT_TRUE(storage->SendMessage(Id(156), 0, {3}, reply, 8, 0));
    EXPECT_EQ(reply, "1234ABCD");
    EXPECT_EQ(Sent(), std::vector<std::string>{"09C003"});
    EXPECT_EQ(ErrorOf([&] { storage->SendMessage(Id(156), 0, {3}, reply, 4, 0); }).GetError(), 16);

    uint32_t version = 0;
    ASSERT_TRUE(storage->GetVersion(0, 0, version));
    EXPECT_EQ(version, 0x13301u);
    sim.SetValue(1, 2, 0, 200);
    ASSERT_TRUE(storage->GetVersion(0, 0, version));
    EXPECT_EQ(version, 200u);
    sim.Refuse(1, 9);
    EXPECT_FALSE(storage->GetVersion(0, 0, version));

    int32_t space = 0;
    EXPECT_TRUE(storage->GetFreeSpace(space));
    EXPECT_EQ(space, 100000);
    int32_t instance = 0;
    ZRStorage::Ids ids;
    EXPECT_EQ(ErrorOf([&] { storage->Create(0, instance); }).GetMessage(), "Create Not Implemented");
    EXPECT_EQ(ErrorOf([&] { storage->Delete(0, 1); }).GetError(), 5);
    EXPECT_EQ(ErrorOf([&] { storage->GetInstanceList(0, ids); }).GetMessage(),
              "GetInstanceList Not Implemented");
}

TEST_F(TarvikStorageTest, TwoDrivesOnOneLineKeepTheirOwnValues) {
    TarvikStorage second(noxel, 2);
    std::string one, two;
    ASSERT_TRUE(storage->ReadString(0, 0, Id(6), one));
    ASSERT_TRUE(second.ReadString(0, 0, Id(6), two));
    EXPECT_EQ(one, "Drive 1");
    EXPECT_EQ(two, "Drive 2");
    ASSERT_TRUE(second.WriteLong(0, 0, Id(82), 7, 1));
    EXPECT_EQ(sim.Value(2, 82), 7u);
    EXPECT_EQ(sim.Value(1, 82), 0u);
}

TEST_F(TarvikStorageTest, TheOtherFamiliesProbesLeaveTheLineToTheTarvikDrives) {
    // A scan asks each node in every family's protocol; the Tarvik drives answer only their own.
    HalvoMaster* halvo = HalvoMaster::Instance();
    FenwaComm* fenwa = FenwaComm::Instance();
    ZelnaComm* zelna = ZelnaComm::Instance();
    halvo->Init(&port);
    fenwa->Init(&port);
    zelna->Init(&port);
    for (uint8_t node : {1, 2, 3}) {
        halvo->RefreshNode(node);
        fenwa->RefreshNode(node);
        zelna->RefreshNode(node);
        noxel->RefreshNode(node);
        EXPECT_FALSE(halvo->IsNodeActive(node) || fenwa->IsNodeActive(node) || zelna->IsNodeActive(node));
        EXPECT_EQ(noxel->IsNodeActive(node), node != 3) << int(node);
    }
    HalvoMaster::DestroyInstance();
    FenwaComm::DestroyInstance();
    ZelnaComm::DestroyInstance();
    uint32_t v = 0;
    EXPECT_TRUE(storage->ReadUlong(0, 0, Id(2), v, 2));
}

TEST_F(TarvikStorageTest, RetryWithTheDriveBackRepeatsTheOperationOnce) {
    uint32_t v = 0;
    ASSERT_TRUE(storage->ReadUlong(0, 0, Id(82), v, 1));
    Sent();
    ReasonRecorder reasons(*storage);
    sim.PullCable();
    ModalScript modals;
    modals.Expect(platform::core::ModalKind::MessageBox,
                  "Communications have been lost with the drive, Retry?",
                  [&](platform::core::ModalRequest& r) {
                      EXPECT_EQ(r.flags & platform::core::MB_TYPEMASK, platform::core::MB_RETRYCANCEL);
                      sim.PlugCable();
                      return IDRETRY;
                  });
    sim.SetValue(1, 82, 0, 9);
    ASSERT_TRUE(storage->ReadUlong(0, 0, Id(82), v, 1));
    EXPECT_EQ(v, 9u);
    std::vector<std::string> sent = Sent();
    // The silent tries, the probe of the refresh, the drive taken back, the repeat.
    ASSERT_GE(sent.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(sent.end() - 3, sent.end()),
              (std::vector<std::string>{"0010", "1C9102", "0520"}));
    EXPECT_FALSE(storage->IsBroken());
    EXPECT_EQ(reasons.Count(ZRUpdate::ValueChanged), 0);
}

TEST_F(TarvikStorageTest, ALinkThatStaysLostBreaksTheStorageForGood) {
    uint32_t v = 0;
    const struct {
        const char* what;
        int answer;
        bool midReply;
    } cases[] = {{"retry, still silent", IDRETRY, false}, {"cancel, cable out in a reply", IDCANCEL, true}};
    for (const auto& c : cases) {
        storage = std::make_unique<TarvikStorage>(noxel, 1);
        ReasonRecorder recorder(*storage);
        sim.PlugCable();
        ASSERT_TRUE(storage->ReadUlong(0, 0, Id(82), v, 1)) << c.what;
        if (c.midReply)
            sim.PullCableMidReply();
        else
            sim.PullCable();
        {
            ModalScript modals;
            modals.ExpectMessage("Communications have been lost with the drive, Retry?", c.answer);
            modals.ExpectMessage("Communications have been lost with node 1", platform::core::IDOK);
            EXPECT_FALSE(storage->WriteLong(0, 0, Id(82), 3, 1)) << c.what;
        }
        EXPECT_TRUE(storage->IsBroken()) << c.what;
        EXPECT_EQ(recorder.Count(ZRUpdate::ValueChanged), 1) << c.what;

        // Nothing more goes to the line, and no question is asked.
        sim.PlugCable();
        Sent();
        std::optional<ZRStorage::Bytes> reply;
        std::string raw;
        EXPECT_FALSE(storage->ReadUlong(0, 0, Id(82), v, 1));
        EXPECT_FALSE(storage->WriteLong(0, 0, Id(82), 3, 1));
        EXPECT_FALSE(storage->InvokeService(0, 0, Id(111), {}, reply));
        EXPECT_FALSE(storage->SendMessage(Id(111), 1, {}, raw, 0, 0));
        EXPECT_TRUE(Sent().empty()) << c.what;
    }
}

TEST_F(TarvikStorageTest, GarbledAnswersAreAFormatErrorNotALostLink) {
    uint32_t v = 0;
    ASSERT_TRUE(storage->ReadUlong(0, 0, Id(82), v, 1));
    sim.Misbehave(wiresim::NoxelDriveSim::Fault::Garbage, 3);
    ZRError e = ErrorOf([&] { storage->ReadUlong(0, 0, Id(82), v, 1); });
    EXPECT_EQ(e.GetError(), 0);
    EXPECT_EQ(e.GetMessage(),
              "An improperly formatted message was sent to the drive. \nNotify technical support.");
    EXPECT_FALSE(storage->IsBroken());
}

TEST_F(TarvikStorageReplyTest, MalformedRepliesAreRefused) {
    std::string reply;
    sim.SetHandler([&](uint8_t, const std::string&) { return wiresim::NoxelAnswer{reply, false, false}; });
    int32_t l = 0;
    std::string s;
    const struct {
        const char* what;
        std::string data;
        std::function<void()> operation;
        int code;
        const char* text;
    } cases[] = {
        {"short", "12", [&] { storage->ReadLong(0, 0, Id(5), l, 2); }, 16,
         "Drive returned wrong number of characters"},
        {"data to a write", "00", [&] { storage->WriteLong(0, 0, Id(5), 1, 1); }, 16,
         "Drive returned wrong number of characters"},
        {"not hexadecimal", "12G4", [&] { storage->ReadLong(0, 0, Id(5), l, 2); }, 2,
         "Drive returned bad data"},
        {"raw beyond 128", std::string(130, '0'), [&] { storage->ReadRaw(0, 0, Id(166, 0), s); }, 16,
         "Drive returned too many characters"},
    };
    for (const auto& c : cases) {
        reply = c.data;
        ZRError e = ErrorOf(c.operation);
        EXPECT_EQ(e.GetError(), c.code) << c.what;
        EXPECT_EQ(e.GetMessage(), c.text) << c.what;
    }
    reply = "414A5Z";
    ASSERT_TRUE(storage->ReadString(0, 0, Id(5), s));
    EXPECT_EQ(s, "AJ*");
    reply = std::string(128, '7');
    ASSERT_TRUE(storage->ReadRaw(0, 0, Id(166, 0), s));
    EXPECT_EQ(s, reply);

    // A refusal whose code is not two digits.
    sim.SetHandler([](uint8_t, const std::string&) { return wiresim::NoxelAnswer{"5", true, false}; });
    ZRError e = ErrorOf([&] { storage->ReadLong(0, 0, Id(5), l, 1); });
    EXPECT_EQ(e.GetError(), 1);
    EXPECT_EQ(e.GetMessage(), "Communication Error");
}

} // namespace
