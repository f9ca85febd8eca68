#include "quorvance/RowRuleCases.h"

#include "kitbase/model/ZRObject.h"
#include "quorvance/shell/ZRMasterFactory.h"
#include "quorvance/tarvik/ZROperMode.h"

#include <memory>

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
