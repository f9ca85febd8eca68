#include "quorvance/RowRuleCases.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/ZRGridRow.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRMasterFactory.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRVersionRowTarvik.h"

#include <memory>
#include <vector>

using Kind = ZRRowKind;

TEST(TarvikRowRules, BlocksAreKeyedByTheParameterNumber) {
    // The array index never matters.
    const RowRuleCase cases[] = {
        {"tarvik drive p34 property", -177, TarvikId(34), "", false, Kind::Edit},
        {"tarvik drive p34 status", -177, TarvikId(34), "", true, Kind::AsString},
        {"tarvik drive other p is editable in both", -178, TarvikId(35, 3), "", true, Kind::Edit},
        {"tarvik drive p350 selection", -178, TarvikId(350), "", false, Kind::Choice, true, true},
        {"tarvik drive p350 otherwise", -178, TarvikId(350), "", false, Kind::BoolEdit},
        {"tarvik drive p207 array element", -177, TarvikId(207, 2), "", false, Kind::Bool},
        {"tarvik parameter number is 9 bits", -177, TarvikId(207 | 0x200), "", false, Kind::Bool},
        {"tarvik tuning spin", -170, TarvikId(51), "", false, Kind::Spin},
        {"tarvik motor model property", -171, TarvikId(235), "", false, Kind::MotorChoice},
        {"tarvik motor model status", -171, TarvikId(235), "", true, Kind::AsString},
        {"tarvik blob file", -169, -1, "Blob File", false, Kind::BlobFile},
        {"tarvik encoder status", -169, -1, "Status", false, Kind::AsString},
        {"tarvik encoder other", -169, TarvikId(3), "", false, Kind::Bool},
        {"tarvik digital inputs", -168, TarvikId(105, 4), "", false, Kind::CheckList},
        {"tarvik service version", -163, TarvikId(2), "", false, Kind::VersionTarvik},
        {"devicenet check list", -156, TarvikId(355), "", false, Kind::CheckList},
        {"devicenet other", -156, TarvikId(1), "", false, Kind::Bool},
    };
    ExpectRows(cases);
}

TEST(TarvikRowRules, OwnersNoFamilyListsGetTheTarvikDefaults) {
    const RowRuleCase cases[] = {
        {"tarvik scope version", -164, TarvikId(2, 0), "", false, Kind::VersionTarvik},
        {"tarvik scope lamp", -164, TarvikId(148), "", false, Kind::Bool},
        {"tarvik scope other", -164, TarvikId(149), "", false, Kind::AsString},
        {"operation modes are unlisted", -180, TarvikId(186), "", false, Kind::Bool},
        {"merrix file is unlisted", 5, 3, "", false, Kind::AsString},
    };
    ExpectRows(cases);
}

TEST(TarvikFactory, MakesEveryStoredBlockWhichInitTakesToItsId) {
    ZRMasterFactory factory;
    for (int32_t type :
         {-180, -179, -176, -175, -174, -173, -172, -171, -170, -169, -168, -167, -166, -165, -164, -163}) {
        std::unique_ptr<ZRObject> block = factory.CreateObject(type);
        ASSERT_NE(block, nullptr) << type;
        block->Init();
        EXPECT_EQ(block->GetClass(), type);
    }
    // Only the drive makes these.
    for (int32_t type : {-161, -156, -160})
        EXPECT_EQ(factory.CreateObject(type), nullptr) << type;
}

TEST(TarvikFactory, OperationModesBuildIndexingAndHomingOnlyForTheirIndexingId) {
    ZRMasterFactory factory;
    std::unique_ptr<ZRObject> indexing = factory.CreateObject(-180);
    std::unique_ptr<ZRObject> plain = factory.CreateObject(-179);
    auto* indexingModes = dynamic_cast<ZROperMode*>(indexing.get());
    auto* plainModes = dynamic_cast<ZROperMode*>(plain.get());
    ASSERT_TRUE(indexingModes && plainModes);
    indexing->Init();
    plain->Init();
    EXPECT_TRUE(indexingModes->GetIndexing() && indexingModes->GetHoming());
    EXPECT_EQ(plainModes->GetIndexing(), nullptr);
}

TEST(TarvikFactory, BothDriveTypesMakeADriveWithEveryBlock) {
    ZRMasterFactory factory;
    for (auto [type, modes] : {std::pair{-177, -179}, std::pair{-178, -180}}) {
        std::unique_ptr<ZRObject> object = factory.CreateObject(type);
        auto* drive = dynamic_cast<ZRDrive*>(object.get());
        ASSERT_NE(drive, nullptr) << type;
        drive->Init();
        EXPECT_EQ(drive->GetClass(), type);
        std::vector<int32_t> children;
        for (ZRObject* child : drive->GetChildren())
            children.push_back(child->GetClass());
        // No product type yet, so no DeviceNet block among the children.
        EXPECT_EQ(children, (std::vector<int32_t>{modes, -171, -170, -169, -168, -167, -166, -165, -164, -163}))
            << type;
        EXPECT_NE(drive->GetMonitor(), nullptr);
        EXPECT_NE(drive->GetDeviceNet(), nullptr);
    }
}

TEST(TarvikRowFactory, FirmwareVersionsShowAsTheTarvikVersionRow) {
    // The service block's own, and parameter 2 of an owner no family lists.
    ZRServiceInfo info;
    info.Init();
    auto isTarvikVersion = [](ZRAttribute* attribute) {
        std::unique_ptr<ZRGridRow> row = ZRMasterRowFactory::CreateRow(ZRFamilyRegistry::Instance(), attribute, false);
        EXPECT_NE(row, nullptr);
        return dynamic_cast<ZRVersionRowTarvik*>(row.get()) != nullptr;
    };
    ASSERT_NE(info.GetFirmwareVersion(), nullptr);
    EXPECT_TRUE(isTarvikVersion(info.GetFirmwareVersion()));
    ZRMonitor monitor;
    monitor.Init();
    ZRUlongAttribute version{monitor.GetDevice(), 4};
    version.SetObject(&monitor);
    version.Define(TarvikId(2));
    EXPECT_TRUE(isTarvikVersion(&version));
    // Any other attribute of that owner keeps its plain row.
    version.Define(TarvikId(149));
    EXPECT_FALSE(isTarvikVersion(&version));
}
