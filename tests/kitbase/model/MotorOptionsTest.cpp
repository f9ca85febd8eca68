#include "kitbase/model/ZRMotorOptions.h"
#include "kitbase/model/ZRMotorRS.h"
#include "platform/core/Directories.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

using Models = std::set<std::string>;
constexpr int32_t kAttr = 235;

const char* const kTarvikFilter =
    "TypeID<>2 AND EncoderID<>4 AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND (Index = 8)";
const char* const kFenwaFilter =
    "((EncoderID=1) OR (EncoderID=4)) AND (CommutationID=2) AND ((StartupID=1) OR (StartupID=2)) AND "
    "((TypeID=0) OR (TypeID=1)) AND (Index = 8) AND (Saturation=1) AND [Motor].[MotorID] = "
    "[FluxSaturation].[MotorID]";
const char* const kFenwaEngFilter =
    "((EncoderID=1) OR (EncoderID=4)) AND (CommutationID=2) AND ((StartupID=1) OR (StartupID=2)) AND "
    "((TypeID=0) OR (TypeID=1)) AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND (Index = 8)";
const char* const kMerrixFilter =
    "((EncoderID=1) OR (EncoderID=2) OR (EncoderID=3)) AND ((CommutationID=0) OR (CommutationID=1) OR "
    "(CommutationID=2)) AND ((StartupID=0) OR (StartupID=1) OR (StartupID=2)) AND ((TypeID=0) OR (TypeID=1)) "
    "AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND (Index = 8)";
// Catalogue patterns in double quotes with * wildcards, one limited by current, custom motors always.
const char* const kPatternFilter =
    "((EncoderID=1) OR (EncoderID=4)) AND (CommutationID=2) AND ((StartupID=1) OR (StartupID=2)) AND "
    "((TypeID=0) OR (TypeID=1)) AND (Index = 8) AND (Saturation=1) AND ([Motor].[MotorID] = "
    "[FluxSaturation].[MotorID]) AND (([Motor].[Model] LIKE \"KVR*\" AND [Motor].[ContinuousCurrent] < 16 ) "
    "OR ([Motor].[Model] LIKE \"KVS*\") or ([Motor].[StandardMotor] = 0)) ";

class MotorOptions : public ::testing::Test {
protected:
    void SetUp() override {
        db.Open(platform::core::JoinPath(platform::core::InstallDir(), "Motors.mdb"), true);
        object.SetDevice(&device);
        object.SetVersion(0);
        object.SetInstance(1);
    }

    platform::db::Database db;
    ZRMotorRS rs{&db};
    FakeStorage storage;
    TestDevice device{&storage, false}; // on line, firmware version 0
    TestObject object;
};

} // namespace

TEST_F(MotorOptions, FamilyFiltersListTheirMotorsOncePerMotorSortedByModel) {
    struct Case {
        const char* name;
        const char* filter;
        Models models;
    };
    const Case cases[] = {
        {"tarvik",
         kTarvikFilter,
         {"QV-R 40-1 A",  "QV-R 40-2 A",  "QV-R 60-1 A",  "QV-R 60-2 A",  "QV-R 60-2 B", "QV-R 80-3 C",
          "QV-R 100-2 C", "QV-R 100-3 A", "QV-R 130-2 A", "QV-R 130-4 A", "QV-T 60-2 A", "QV-B 40-1",
          "QV-R 60-3 A",  "QV-X 90-1 S",  "QV-R 100-2 R", "KVR 0201A",    "KVS 1001B",   "QV-L 25-1 A",
          "QV-L 25-2 A",  "QV-L 50-2 A",  "QV-L 50-4 A",  "QV-L 80-2 A"}},
        {"fenwa",
         kFenwaFilter,
         {"QV-R 40-1 A", "QV-R 40-2 A", "QV-R 60-1 A", "QV-R 60-2 A", "QV-R 80-1 A", "QV-R 100-3 A",
          "QV-R 130-4 A", "QV-R 60-3 A", "QV-X 90-1 S", "KVR 0201A", "KVR 0401A", "KVR 1502C", "KVS 0751A",
          "QV-L 25-1 A", "QV-L 25-2 A", "QV-L 50-4 A", "QV-L 80-2 A"}},
        {"fenwa eng", kFenwaEngFilter, {"QV-R 40-1 A", "QV-R 40-2 A",  "QV-R 60-1 A",  "QV-R 60-2 A",
                                        "QV-R 80-1 A", "QV-R 100-3 A", "QV-R 130-4 A", "QV-R 60-3 A",
                                        "QV-X 90-1 S", "KVR 0201A",    "KVR 0401A",    "KVR 1502C",
                                        "KVS 0751A",   "QV-L 25-1 A",  "QV-L 25-2 A",  "QV-L 50-4 A",
                                        "QV-L 80-2 A", "QV-R 80-2 A",  "QV-R 130-2 A", "KVS 1001B"}},
        {"merrix", kMerrixFilter, {"QV-R 40-1 A",  "QV-R 40-2 A", "QV-R 60-1 A",  "QV-R 60-2 A",
                                   "QV-R 60-2 B",  "QV-R 80-3 C", "QV-R 100-3 A", "QV-R 130-2 A",
                                   "QV-R 130-4 A", "QV-T 60-2 A", "QV-B 40-1",    "QV-R 60-3 A",
                                   "QV-X 90-1 S",  "KVR 0201A",   "KVS 1001B",    "QV-L 25-1 A",
                                   "QV-L 25-2 A",  "QV-L 50-2 A", "QV-L 50-4 A",  "QV-L 80-2 A"}},
        {"patterns", kPatternFilter, {"KVR 0201A", "KVR 0401A", "KVS 0751A", "QV-X 90-1 S"}},
    };
    for (const Case& c : cases) {
        ZRMotorOptions options(&object, &rs, c.filter);
        EXPECT_FALSE(rs.IsOpen()) << c.name;
        EXPECT_EQ(rs.GetSort(), "Model") << c.name;
        const auto& texts = options.GetStrings();
        EXPECT_EQ(Models(texts.begin(), texts.end()), c.models) << c.name;
        EXPECT_EQ(texts.size(), c.models.size()) << c.name; // each motor once
        EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end())) << c.name;
    }
}

TEST_F(MotorOptions, OptionsCarryTheMotorIdsAndThePlaceholder) {
    ZRMotorOptions options(&object, &rs, kTarvikFilter);
    int index = -1;
    ASSERT_TRUE(options.GetIndex(std::string("QV-R 100-3 A"), index));
    EXPECT_EQ(options.GetData(index), 10);
    int byId = -1;
    ASSERT_TRUE(options.GetIndex(int32_t{10}, byId));
    EXPECT_EQ(byId, index);
    EXPECT_FALSE(options.GetIndex(int32_t{6}, byId)); // filtered out
    EXPECT_EQ(byId, index);

    int count = options.GetCount();
    options.AddInvalid();
    EXPECT_EQ(options.GetAsString(count), "Unexpected Value");
    EXPECT_EQ(options.GetData(count), ZRMotorOptions::InvalidValue);
    EXPECT_EQ(options.GetData(count + 1), 0);
    // On line every motor is offered and supported whatever the firmware.
    EXPECT_EQ(static_cast<int>(options.GetStrings().size()), count + 1);
    EXPECT_TRUE(options.IsSupported(0));
    EXPECT_FALSE(options.UseBackup(index));
}

TEST_F(MotorOptions, ValuesTravelAsFourByteMotorIds) {
    ZRMotorOptions options(&object, &rs, kTarvikFilter);
    int index = -1;
    ASSERT_TRUE(options.GetIndex(std::string("QV-L 25-1 A"), index));

    EXPECT_TRUE(options.WriteValue(&storage, -171, 1, kAttr, index));
    EXPECT_EQ((storage.longs[{-171, 1, kAttr}]), 30);
    EXPECT_EQ(storage.lastSize, 4);
    storage.RefuseNext("WriteLong");
    EXPECT_FALSE(options.WriteValue(&storage, -171, 1, kAttr, index)); // a refused write is no success
    int calls = storage.Calls("WriteLong");
    EXPECT_FALSE(options.WriteValue(&storage, -171, 1, kAttr, options.GetCount()));
    EXPECT_EQ(storage.Calls("WriteLong"), calls);

    storage.longs[{-171, 1, kAttr}] = 10;
    int read = -1;
    ASSERT_TRUE(options.ReadValue(&storage, -171, 1, kAttr, read));
    EXPECT_EQ(options.GetData(read), 10);
    storage.longs[{-171, 1, kAttr}] = 6; // not in this list
    EXPECT_FALSE(options.ReadValue(&storage, -171, 1, kAttr, read));
    EXPECT_EQ(options.GetData(read), 10);
    storage.RefuseNext("ReadLong");
    EXPECT_FALSE(options.ReadValue(&storage, -171, 1, kAttr, read));
    storage.FailNext(ZRError(3, "Drive busy"), "ReadLong");
    EXPECT_THROW(options.ReadValue(&storage, -171, 1, kAttr, read), ZRError);
}

TEST_F(MotorOptions, DatabaseErrorsPassThroughAndLeaveTheRecordsetClosed) {
    EXPECT_THROW(ZRMotorOptions(&object, &rs, "NoSuchColumn = 1"), platform::db::DbError);
    EXPECT_FALSE(rs.IsOpen());
}
