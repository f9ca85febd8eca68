// The blocks' attribute tables: ids, names, defaults and the order of the property and status lists.
#include "StandInDrive.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZRPreset.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using tarvik::AttributeId;

std::unique_ptr<ZRObject> Make(int32_t type) {
    std::unique_ptr<ZRObject> block;
    switch (type) {
    case tarvik::kAnalogInType:
        block = std::make_unique<TarvikAnalog>();
        break;
    case tarvik::kPresetType:
        block = std::make_unique<ZRPreset>();
        break;
    case tarvik::kFollowerType:
        block = std::make_unique<ZRFollower>();
        break;
    case tarvik::kIndexingType:
        block = std::make_unique<ZRIndexing>();
        break;
    case tarvik::kHomingType:
        block = std::make_unique<ZRHoming>();
        break;
    case tarvik::kTuningType:
        block = std::make_unique<ZRTuning>();
        break;
    case tarvik::kFaultsType:
        block = std::make_unique<ZRFaults>();
        break;
    case tarvik::kServiceInfoType:
        block = std::make_unique<ZRServiceInfo>();
        break;
    default:
        return nullptr;
    }
    block->Init();
    return block;
}

struct BlockCase {
    int32_t type;
    const char* name;
    size_t properties; // the name included
    size_t status;
};

TEST(TarvikBlockTables, EachBlockNamesItselfAndListsItsAttributes) {
    const BlockCase cases[] = {
        {tarvik::kAnalogInType, "Analog", 10, 1},   {tarvik::kPresetType, "Preset", 52, 0},
        {tarvik::kFollowerType, "Follower", 11, 0}, {tarvik::kIndexingType, "Indexing", 707, 10},
        {tarvik::kHomingType, "Homing", 12, 5},     {tarvik::kTuningType, "Tuning", 24, 17},
        {tarvik::kFaultsType, "Faults", 8, 39},     {tarvik::kServiceInfoType, "ServiceInfo", 25, 3},
    };
    for (const BlockCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto block = Make(c.type);
        EXPECT_EQ(block->GetClass(), c.type);
        EXPECT_EQ(block->GetVersion(), 0x13301u);
        EXPECT_EQ(block->GetName().GetValue(), c.name);
        EXPECT_EQ(block->GetProperties().size(), c.properties);
        EXPECT_EQ(block->GetStatus().size(), c.status);
    }
}

struct AttributeCase {
    int32_t type;
    bool status;
    size_t position;
    const char* name;
    int32_t id;
    const char* text; // shown without a drive's scales
};

TEST(TarvikBlockTables, AttributesSitInTheirListPlaceWithIdNameAndDefault) {
    const int32_t noIndex = tarvik::kNoIndex;
    const AttributeCase cases[] = {
        {tarvik::kAnalogInType, false, 1, "Velocity Scale", AttributeId(280), "100"},
        {tarvik::kAnalogInType, false, 5, "Position Scale", AttributeId(40), "1000"},
        {tarvik::kAnalogInType, false, 7, "Accel/Decel Limits", AttributeId(168), "Inactive"},
        {tarvik::kAnalogInType, false, 9, "Decel Limit", AttributeId(94), "100000"},
        {tarvik::kAnalogInType, true, 0, "Analog Command In", AttributeId(122), "0"},
        {tarvik::kPresetType, false, 1, "Preset 0", AttributeId(91, 0), "0.0"},
        {tarvik::kPresetType, false, 2, "Preset 0", AttributeId(92, 0), "0.00"},
        {tarvik::kPresetType, false, 3, "Position", AttributeId(13, 0), "0"},
        {tarvik::kPresetType, false, 48, "Deceleration", AttributeId(147, 7), "100000"},
        {tarvik::kPresetType, false, 49, "Accel/Decel Limits", AttributeId(169), "Active"},
        {tarvik::kPresetType, false, 51, "Deceleration", AttributeId(96), "100000"},
        {tarvik::kFollowerType, false, 1, "Preset 0", AttributeId(26, 0), "1:1"},
        {tarvik::kFollowerType, false, 8, "Preset 7", AttributeId(26, 7), "1:1"},
        {tarvik::kFollowerType, false, 9, "Slew Limit Enable", AttributeId(30), "Inactive"},
        {tarvik::kFollowerType, false, 10, "Slew Limit", AttributeId(29), "100000"},
        {tarvik::kIndexingType, false, 1, "Auto Start Indexing", AttributeId(88), "off"},
        {tarvik::kIndexingType, false, 3, "Mode", AttributeId(174, 0), "Incremental"},
        {tarvik::kIndexingType, false, 5, "Distance", AttributeId(175, 0), "1000"},
        {tarvik::kIndexingType, false, 6, "Batch Count", AttributeId(181, 0), "1"},
        {tarvik::kIndexingType, false, 706, "Action When Complete", AttributeId(182, 63), "Stop"},
        {tarvik::kIndexingType, true, 2, "In Motion", AttributeId(207), "False"},
        {tarvik::kIndexingType, true, 9, "Actual Position", AttributeId(126), "0"},
        {tarvik::kHomingType, false, 1, "Home Type", AttributeId(197), "To Sensor/Fwd to Marker"},
        {tarvik::kHomingType, false, 2, "Auto Start Homing on Enable", AttributeId(196), "Inactive"},
        {tarvik::kHomingType, false, 10, "Creep Velocity", AttributeId(204), "10000.0"},
        {tarvik::kHomingType, false, 11, "Home Current Value", AttributeId(351), "1.00"},
        {tarvik::kHomingType, true, 4, "Axis Homed", AttributeId(207), "False"},
        {tarvik::kTuningType, false, 1, "Motor Direction", AttributeId(167), "Bi-Directional"},
        {tarvik::kTuningType, false, 5, "Kp", AttributeId(17), "4.00"},
        {tarvik::kTuningType, false, 10, "Kaff", AttributeId(451), "0"},
        {tarvik::kTuningType, false, 11, "Kpd", AttributeId(50), "1.00"},
        {tarvik::kTuningType, false, 15, "Ke", AttributeId(54), "1.00"},
        {tarvik::kTuningType, false, 17, "Step Current", AttributeId(99), "10"},
        {tarvik::kTuningType, false, 22, "Enable", AttributeId(46), "Enabled"},
        {tarvik::kTuningType, false, 23, "Bandwidth", AttributeId(45), "150"},
        {tarvik::kTuningType, true, 10, "D-Axis Feedback", AttributeId(140), "0.00"},
        {tarvik::kTuningType, true, 16, "Current - Average", AttributeId(136), "0.00"},
        {tarvik::kFaultsType, false, 1, "User Current Fault", AttributeId(49), "255.00"},
        {tarvik::kFaultsType, false, 2, "User Velocity Fault", AttributeId(270), "100000"},
        {tarvik::kFaultsType, false, 4, "Velocity Error Fault Limit", AttributeId(38), "25.0"},
        {tarvik::kFaultsType, false, 7, "Following Error Time", AttributeId(25), "100"},
        {tarvik::kFaultsType, true, 0, "4:Motor Overtemp", AttributeId(116), "False"},
        {tarvik::kFaultsType, true, 25, "29:Excessive Output Frequency", AttributeId(116), "False"},
        {tarvik::kFaultsType, true, 38, "41:460V Shunt Protection Fault", AttributeId(414), "False"},
        {tarvik::kServiceInfoType, false, 2, "Drive Size", AttributeId(151), "0.5"},
        {tarvik::kServiceInfoType, false, 4, "Command Input Offset", AttributeId(242), "0"},
        {tarvik::kServiceInfoType, false, 5, "Command Input Scale", AttributeId(241), "1.000"},
        {tarvik::kServiceInfoType, false, 24, "uPA Revision", AttributeId(470), "Rev 0"},
        {tarvik::kServiceInfoType, true, 2, "Time in Service", AttributeId(154), "0:00"},
    };
    for (const AttributeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.type << (c.status ? " status " : " property ") << c.position);
        auto block = Make(c.type);
        const auto& list = c.status ? block->GetStatus() : block->GetProperties();
        ASSERT_LT(c.position, list.size());
        ZRAttribute* a = list[c.position];
        EXPECT_EQ(a->GetName(), c.name);
        EXPECT_EQ(a->GetAttribute(), c.id);
        EXPECT_EQ(a->GetAsString(), c.text);
    }
    (void)noIndex;
}

TEST(TarvikBlockTables, ReadOnlyValuesRefuseWritesAndTheOperatingModeStaysUnlisted) {
    ZRTuning tuning;
    tuning.Init();
    EXPECT_EQ(tuning.GetOperatingMode()->GetAsString(), "Analog Position Input");
    EXPECT_FALSE(tuning.GetOperatingMode()->IsWritable());
    for (const auto* list : {&tuning.GetProperties(), &tuning.GetStatus()})
        for (ZRAttribute* a : *list)
            EXPECT_NE(a, tuning.GetOperatingMode());
    for (ZRAttribute* a : tuning.GetStatus())
        EXPECT_FALSE(a->IsWritable()) << a->GetName();

    ZRFaults faults;
    faults.Init();
    EXPECT_EQ(faults.GetFault(38), nullptr);
    EXPECT_EQ(faults.GetFault(6)->GetName(), "6:SERCOS Hardware Overtravel");
    for (ZRAttribute* a : faults.GetStatus())
        EXPECT_FALSE(a->IsWritable()) << a->GetName();
}

TEST(TarvikBlockTables, FirmwareWindowsDecideWhatANewerDriveOffers) {
    struct Case {
        uint32_t version;
        int fault;
        bool supported;
    };
    const Case faultCases[] = {
        {0x10900, 1, false}, {0x10900, 4, true},   {0x10A00, 1, true},  {0x10A00, 39, false},
        {0x10D00, 39, true}, {0x11D05, 40, false}, {0x11D06, 41, true}, {0x10900, 33, false},
    };
    for (const Case& c : faultCases) {
        ZRFaults faults;
        faults.Init();
        faults.SetVersion(c.version);
        ZRAttribute* flag = faults.GetFault(c.fault);
        flag->CheckSupported();
        EXPECT_EQ(flag->IsSupported(), c.supported) << c.fault << " at " << std::hex << c.version;
    }
    for (const auto& [version, supported] : {std::pair{0x11CFFu, false}, std::pair{0x11D00u, true}}) {
        ZRTuning tuning;
        tuning.Init();
        tuning.SetVersion(version);
        tuning.GetKaff()->CheckSupported();
        EXPECT_EQ(tuning.GetKaff()->IsSupported(), supported) << std::hex << version;
    }
}

} // namespace
