// Errors, the storage base, devices and drive commands.
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRUpdate.h"

#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(ZRError, ComboMessageAddsTheCodeOnlyWhenThereIsOne) {
    EXPECT_EQ(ZRError(0, "Data doesn't exist").GetComboMessage(), "Data doesn't exist");
    EXPECT_EQ(ZRError(5, "Data doesn't exist").GetComboMessage(), "Data doesn't exist (error #5)");
    EXPECT_EQ(ZRError(-44, "x").GetComboMessage(), "x (error #-44)");
}

// A storage that offers only what every storage must.
class BareStorage : public ZRStorage {
public:
    bool Create(int32_t, int32_t&) override { return true; }
    bool Delete(int32_t, int32_t) override { return true; }
    bool GetFreeSpace(int32_t&) override { return true; }
    bool GetInstanceList(int32_t, Ids&) override { return true; }
    bool GetVersion(int32_t, int32_t, uint32_t&) override { return true; }
    bool InvokeService(int32_t, int32_t, int32_t, const Bytes&, std::optional<Bytes>&) override {
        return true;
    }
    bool ReadBool(int32_t, int32_t, int32_t, bool&) override { return true; }
    bool ReadFloat(int32_t, int32_t, int32_t, float&) override { return true; }
    bool ReadLong(int32_t, int32_t, int32_t, int32_t&, int) override { return true; }
    bool ReadString(int32_t, int32_t, int32_t, std::string&) override { return true; }
    bool ReadUlong(int32_t, int32_t, int32_t, uint32_t&, int) override { return true; }
    bool WriteBool(int32_t, int32_t, int32_t, bool) override { return true; }
    bool WriteFloat(int32_t, int32_t, int32_t, float) override { return true; }
    bool WriteLong(int32_t, int32_t, int32_t, int32_t, int) override { return true; }
    bool WriteString(int32_t, int32_t, int32_t, const std::string&) override { return true; }
    bool WriteUlong(int32_t, int32_t, int32_t, uint32_t, int) override { return true; }
};

TEST(ZRStorage, OptionalOperationsAnswerFalseWithoutThrowing) {
    BareStorage s;
    EXPECT_FALSE(s.IsBroken());
    EXPECT_EQ(s.GetBaseDir(), "");
    ZRStorage::Bytes bytes;
    ZRStorage::Strings files, dirs;
    EXPECT_FALSE(s.AddDir("a"));
    EXPECT_FALSE(s.DirExists("a"));
    EXPECT_FALSE(s.FileExists("a"));
    EXPECT_FALSE(s.GetDirList("a", files, dirs));
    EXPECT_FALSE(s.ReadFile("a", bytes));
    EXPECT_FALSE(s.WriteFile("a", bytes));
    EXPECT_FALSE(s.RemoveDir("a"));
    EXPECT_FALSE(s.RemoveFile("a"));
    EXPECT_FALSE(s.Rename("a", "b"));
    EXPECT_FALSE(s.ObjectExists(1, 1));
    EXPECT_FALSE(s.ReadBinary(1, 1, 1, bytes));
    EXPECT_FALSE(s.WriteBinary(1, 1, 1, bytes));
    s.SetBaseDir("/tmp/x");
    EXPECT_EQ(s.GetBaseDir(), "/tmp/x");
}

TEST(ZRStorage, ExtractsRepliesLeastSignificantByteFirst) {
    const uint8_t one[] = {0x01, 0x00, 0x00, 0x00};
    const uint8_t minusTwo[] = {0xFE, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(ZRStorage::ExtractLong(one), 1);
    EXPECT_EQ(ZRStorage::ExtractLong(minusTwo), -2);
    float f = 1.5f;
    uint32_t bits;
    std::memcpy(&bits, &f, 4);
    const uint8_t floatBytes[] = {uint8_t(bits), uint8_t(bits >> 8), uint8_t(bits >> 16),
                                  uint8_t(bits >> 24)};
    EXPECT_EQ(ZRStorage::ExtractFloat(floatBytes), 1.5f);

    const uint8_t texts[] = {'a', 'b', 'c', 0, 'd', 'e', 0};
    const uint8_t* p = texts;
    EXPECT_EQ(ZRStorage::ExtractString(p), "abc");
    EXPECT_EQ(p, texts + 4);
    EXPECT_EQ(ZRStorage::ExtractString(p), "de");
    EXPECT_EQ(p, texts + 7);
}

TEST(ZRStorage, ExtractStringWithAnEndNeverReadsPastIt) {
    const uint8_t reply[] = {'x', 'y', 'z'}; // no NUL
    const uint8_t* p = reply;
    EXPECT_EQ(ZRStorage::ExtractString(p, reply + 3), "xyz");
    EXPECT_EQ(p, reply + 3);
    EXPECT_EQ(ZRStorage::ExtractString(p, reply + 3), "");
    EXPECT_EQ(p, reply + 3);
}

TEST(ZRDevice, StartsOffLineWithoutStorageSupportingEveryVersion) {
    TestDevice device;
    device.SetOffLine(true);
    EXPECT_TRUE(device.IsOffLine());
    EXPECT_EQ(device.GetStorage(), nullptr);
    EXPECT_EQ(device.GetVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(device.GetName(), "");
}

class ZRCommandTest : public testing::Test {
protected:
    ZRCommandTest() {
        object.SetClass(42);
        object.SetInstance(3);
        command.SetObject(&object);
        command.Define(9);
    }
    FakeStorage storage;
    TestDevice device{&storage, false};
    TestObject object;
    ZRCommand command{object.GetDevice()};
};

TEST_F(ZRCommandTest, NewCommandIsEnabledAndSupportedForEveryVersion) {
    ZRDevice* none = nullptr;
    ZRCommand fresh(none);
    EXPECT_TRUE(fresh.GetEnabled());
    EXPECT_TRUE(fresh.IsSupported());
    EXPECT_EQ(fresh.GetService(), 0);
    EXPECT_EQ(fresh.GetFirstVersion(), 0u);
    EXPECT_EQ(fresh.GetLastVersion(), 0xFFFFFFFFu);
    EXPECT_EQ(fresh.GetLastError(), 0);
}

TEST_F(ZRCommandTest, WithoutDeviceAnswersFalseSilently) {
    EXPECT_FALSE(command.Execute(true));
    EXPECT_EQ(command.GetLastMessage(), "");
    EXPECT_EQ(storage.Calls(), 0);
}

TEST_F(ZRCommandTest, RefusalsSetTheLastMessageAndShowItOnlyWhenAsked) {
    struct Case {
        bool offLine, supported;
        const char* message;
    } cases[] = {
        {true, true, "The Drive is Offline."},
        {false, false, "The command is not supported by this firmware version."},
    };
    object.SetDevice(&device);
    for (const Case& c : cases) {
        device.SetOffLine(c.offLine);
        command.SetSupported(c.supported);
        EXPECT_FALSE(command.Execute(false));
        EXPECT_EQ(command.GetLastMessage(), c.message);
        {
            ModalScript script;
            script.ExpectMessage(c.message, platform::core::IDOK);
            EXPECT_FALSE(command.Execute(true));
        }
    }
    EXPECT_EQ(storage.Calls(), 0);
}

TEST_F(ZRCommandTest, SuccessTellsObserversBeforeTheResponseChanges) {
    object.SetDevice(&device);
    storage.serviceReplies[9] = {1, 2, 3};
    struct Watcher : platform::core::Observer {
        ZRCommand* command = nullptr;
        std::vector<uint8_t> seen;
        int reason = -1;
        void OnUpdate(platform::core::Subject*, platform::core::Message* m) override {
            reason = ReasonOf(m);
            seen = command->GetResponse();
        }
    } watcher;
    watcher.command = &command;
    command.GetResponse() = {9};
    command.AddObserver(&watcher);
    EXPECT_TRUE(command.Execute(std::vector<uint8_t>{7, 8}, false));
    command.RemoveObserver(&watcher);
    EXPECT_EQ(watcher.reason, ZRUpdate::CommandExecuted);
    EXPECT_EQ(watcher.seen, std::vector<uint8_t>{9});
    EXPECT_EQ(command.GetResponse(), (std::vector<uint8_t>{1, 2, 3}));
    ASSERT_EQ(storage.serviceCalls.size(), 1u);
    EXPECT_EQ(storage.serviceCalls[0].cls, 42);
    EXPECT_EQ(storage.serviceCalls[0].instance, 3);
    EXPECT_EQ(storage.serviceCalls[0].service, 9);
    EXPECT_EQ(storage.serviceCalls[0].data, (std::vector<uint8_t>{7, 8}));

    // A service without a reply keeps the previous bytes.
    storage.serviceReplies.clear();
    EXPECT_TRUE(command.Execute(false));
    EXPECT_EQ(command.GetResponse(), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(command.GetLastMessage(), "");
}

TEST_F(ZRCommandTest, StorageErrorsAndRefusalsAreReportedInTheResult) {
    object.SetDevice(&device);
    ReasonRecorder reasons(command);
    storage.FailNext(ZRError(5, "Bad"));
    EXPECT_FALSE(command.Execute(false));
    EXPECT_EQ(command.GetLastError(), 5);
    EXPECT_EQ(command.GetLastMessage(), "Bad (error #5)");
    {
        ModalScript script;
        script.ExpectMessage("Bad (error #5)", platform::core::IDOK);
        storage.FailNext(ZRError(5, "Bad"));
        EXPECT_FALSE(command.Execute(true));
    }
    storage.RefuseNext("InvokeService");
    EXPECT_FALSE(command.Execute(true));
    EXPECT_EQ(command.GetLastMessage(), "");
    EXPECT_EQ(command.GetLastError(), 0);
    EXPECT_EQ(reasons.Count(ZRUpdate::CommandExecuted), 0);
}

TEST_F(ZRCommandTest, CheckSupportedOnlyEverClearsTheFlag) {
    command.SetFirstVersion(1);
    command.SetLastVersion(4);
    object.SetVersion(0);
    command.CheckSupported();
    EXPECT_TRUE(command.IsSupported());
    object.SetVersion(4);
    command.CheckSupported();
    EXPECT_TRUE(command.IsSupported());
    object.SetVersion(5);
    command.CheckSupported();
    EXPECT_FALSE(command.IsSupported());
    object.SetVersion(3);
    command.CheckSupported();
    EXPECT_FALSE(command.IsSupported());
}

TEST_F(ZRCommandTest, SetEnabledAlwaysAnnouncesIt) {
    ReasonRecorder reasons(command);
    command.SetEnabled(true);
    command.SetEnabled(false);
    EXPECT_EQ(reasons.reasons, (std::vector<int>{ZRUpdate::EnabledChanged, ZRUpdate::EnabledChanged}));
    EXPECT_FALSE(command.GetEnabled());
}

} // namespace
