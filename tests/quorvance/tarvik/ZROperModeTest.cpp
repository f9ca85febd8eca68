// The operation-modes block: its children per drive type, copy rules and the project round trip.
#include "StandInDrive.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/ZRFollower.h"
#include "quorvance/tarvik/ZRHoming.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPreset.h"

#include "support/ModalScript.h"
#include "support/model/ProjectDb.h"
#include "support/model/TestDevice.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using namespace tarvik;
using platform::core::IDOK;

std::unique_ptr<ZROperMode> NewOperMode(int32_t type) {
    auto block = std::make_unique<ZROperMode>(type);
    block->Init();
    return block;
}

std::vector<int32_t> ChildTypes(ZRObject& block) {
    std::vector<int32_t> types;
    for (ZRObject* child : block.GetChildren())
        types.push_back(child->GetClass());
    return types;
}

TEST(ZROperMode, ChildrenFollowTheDriveType) {
    struct Case {
        int32_t type;
        std::vector<int32_t> children;
        bool positionPresetsStored;
    };
    const Case cases[] = {
        {kOperModesType, {kAnalogInType, kPresetType, kFollowerType}, false},
        {kOperModesIndexingType,
         {kAnalogInType, kPresetType, kFollowerType, kIndexingType, kHomingType},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        auto block = NewOperMode(c.type);
        EXPECT_EQ(block->GetClass(), c.type);
        EXPECT_EQ(block->GetVersion(), kBlockVersion);
        EXPECT_EQ(block->GetName().GetValue(), "Mode Configuration");
        EXPECT_EQ(ChildTypes(*block), c.children);
        for (int32_t type : {kAnalogInType, kPresetType, kFollowerType, kIndexingType, kHomingType}) {
            const bool present = std::find(c.children.begin(), c.children.end(), type) != c.children.end();
            ZRObject* child = block->GetChild(type);
            EXPECT_EQ(child != nullptr, present) << type;
            if (child) {
                EXPECT_EQ(child->GetParent(), block.get());
            }
        }
        EXPECT_EQ(block->GetChild(kTuningType), nullptr);
        EXPECT_EQ(block->GetChildren().size(), c.children.size()) << "GetChild never makes a child";
        // The standard drive's position presets are neither read nor stored.
        for (int i = 0; i < ZRPreset::kPresetCount; ++i) {
            EXPECT_EQ(block->GetPreset()->GetPosition(i)->GetAttribute() != ZRObject::kNoAttribute,
                      c.positionPresetsStored);
            EXPECT_EQ(block->GetPreset()->GetDeceleration(i)->GetAttribute() != ZRObject::kNoAttribute,
                      c.positionPresetsStored);
        }
        EXPECT_NE(block->GetPreset()->GetPresetVelocity(7)->GetAttribute(), ZRObject::kNoAttribute);
    }
    // A preset block of its own keeps its position presets.
    ZRPreset alone;
    alone.Init();
    EXPECT_EQ(alone.GetPosition(0)->GetAttribute(), AttributeId(13, 0));
}

class ZROperModeCopy : public testing::Test {
protected:
    ZROperModeCopy() : source(NewOperMode(kOperModesIndexingType)) {
        source->GetPreset()->GetPresetCurrent(3)->SetInternalValue(-77);
        source->GetAnalog()->GetVelocityOffset()->SetInternalValue(12);
        source->GetFollower()->GetSlewLimit()->SetInternalValue(5000);
        source->GetIndexing()->GetDistance(2)->SetInternalValue(4242);
        source->GetHoming()->GetHomePosition()->SetInternalValue(-9);
    }
    ~ZROperModeCopy() override { ZRProgress::Instance()->SetCancelled(false); }

    std::unique_ptr<ZROperMode> source;
};

TEST_F(ZROperModeCopy, AWholeBlockCopiesWhatBothDrivesHave) {
    auto standard = NewOperMode(kOperModesType);
    standard->Copy(source.get(), false);
    EXPECT_EQ(standard->GetPreset()->GetPresetCurrent(3)->GetInternalValue(), -77);
    EXPECT_EQ(standard->GetAnalog()->GetVelocityOffset()->GetInternalValue(), 12);
    EXPECT_EQ(standard->GetFollower()->GetSlewLimit()->GetInternalValue(), 5000u);
    EXPECT_EQ(standard->GetChildren().size(), 3u);

    auto indexing = NewOperMode(kOperModesIndexingType);
    indexing->Copy(source.get(), false);
    EXPECT_EQ(indexing->GetIndexing()->GetDistance(2)->GetInternalValue(), 4242);
    EXPECT_EQ(indexing->GetHoming()->GetHomePosition()->GetInternalValue(), -9);
    // The children are the same objects: copying never replaces them.
    EXPECT_EQ(indexing->GetChildren().size(), 5u);
}

TEST_F(ZROperModeCopy, APastedBlockGoesIntoItsOwnKindOfChildOrNowhere) {
    auto standard = NewOperMode(kOperModesType);
    standard->Copy(source->GetIndexing(), true); // the standard drive has no indexing: ignored
    standard->Copy(source->GetFollower(), true);
    EXPECT_EQ(standard->GetFollower()->GetSlewLimit()->GetInternalValue(), 5000u);
    EXPECT_EQ(standard->GetPreset()->GetPresetCurrent(3)->GetInternalValue(), 0);
    EXPECT_EQ(standard->GetChildren().size(), 3u);

    auto indexing = NewOperMode(kOperModesIndexingType);
    indexing->Copy(source->GetHoming(), true);
    EXPECT_EQ(indexing->GetHoming()->GetHomePosition()->GetInternalValue(), -9);
    EXPECT_EQ(indexing->GetIndexing()->GetDistance(2)->GetInternalValue(), 1000);
    indexing->Copy(nullptr, true);
    ZRObject unrelated;
    indexing->Copy(&unrelated, true);
}

TEST_F(ZROperModeCopy, ACancelAfterThePresetsLeavesTheRestUnchanged) {
    auto target = NewOperMode(kOperModesIndexingType);
    ZRProgress::Instance()->SetCancelled(true);
    target->Copy(source.get(), false);
    EXPECT_EQ(target->GetPreset()->GetPresetCurrent(3)->GetInternalValue(), -77);
    EXPECT_EQ(target->GetAnalog()->GetVelocityOffset()->GetInternalValue(), 0);
    EXPECT_EQ(target->GetFollower()->GetSlewLimit()->GetInternalValue(), 100000u);
    EXPECT_EQ(target->GetIndexing()->GetDistance(2)->GetInternalValue(), 1000);
    EXPECT_EQ(target->GetHoming()->GetHomePosition()->GetInternalValue(), 0);
}

TEST(TarvikAnalogCopy, AScaleOutsideThisDrivesRangeCopiesNothing) {
    TarvikAnalog source, target;
    source.Init();
    target.Init();
    source.GetVelocityOffset()->SetInternalValue(250);
    source.GetCurrentScale()->SetInternalValue(401); // the stored word holds it; the range does not
    {
        ModalScript script;
        script.ExpectMessage("Current Scale", IDOK);
        target.Copy(&source, true);
    }
    EXPECT_EQ(target.GetVelocityOffset()->GetInternalValue(), 0);
    EXPECT_EQ(target.GetCurrentScale()->GetInternalValue(), 100);

    source.GetCurrentScale()->SetInternalValue(-400);
    target.Copy(&source, true);
    EXPECT_EQ(target.GetVelocityOffset()->GetInternalValue(), 250);
    EXPECT_EQ(target.GetCurrentScale()->GetInternalValue(), -400);
}

// Blocks in a project database: written on creation, read back by a fresh block.
class TarvikBlocksProject : public testing::Test {
protected:
    ZRStorage::Ids Links(int32_t cls, int32_t instance) const { return project.Links(cls, instance); }

    ProjectDb project;
    std::unique_ptr<DBStorage>& db = project.db;
    TestDevice& device = project.device;
};

TEST_F(TarvikBlocksProject, AnOperationModesBlockComesBackWithEveryChildsValues) {
    {
        auto block = NewOperMode(kOperModesIndexingType);
        block->Create(&device);
        EXPECT_EQ(Links(kOperModesIndexingType, block->GetInstance()).size(), 5u);
        block->GetAnalog()->GetPositionScale()->SetInternalValue(-321);
        block->GetPreset()->GetPosition(6)->SetInternalValue(66);
        block->GetFollower()->GetPreset(4)->SetValue((-3 << 16) | 7);
        block->GetIndexing()->GetMode(63)->SetAsString("Jog");
        block->GetHoming()->GetHomeType()->SetAsString("Home to Marker");
    }
    auto block = NewOperMode(kOperModesIndexingType);
    block->Attach(&device, 1);
    for (ZRObject* child : block->GetChildren()) {
        EXPECT_GT(child->GetInstance(), 0) << child->GetClass();
        child->Refresh();
    }
    EXPECT_EQ(block->GetAnalog()->GetPositionScale()->GetInternalValue(), -321);
    EXPECT_EQ(block->GetPreset()->GetPosition(6)->GetInternalValue(), 66);
    EXPECT_EQ(block->GetFollower()->GetPreset(4)->GetAsString(), "7:-3");
    EXPECT_EQ(block->GetIndexing()->GetMode(63)->GetAsString(), "Jog");
    EXPECT_EQ(block->GetIndexing()->GetDistance(63)->GetName(), "Maximum Distance");
    EXPECT_EQ(block->GetHoming()->GetHomeType()->GetAsString(), "Home to Marker");
    EXPECT_EQ(Links(kOperModesIndexingType, 1).size(), 5u) << "reattaching adds no links";
}

TEST_F(TarvikBlocksProject, AStoredChoiceNoOptionHasShowsAsUnexpected) {
    {
        auto block = NewOperMode(kOperModesIndexingType);
        block->Create(&device);
        block->GetIndexing()->GetMode(0)->SetAsString("Absolute");
    }
    const int32_t indexing = kIndexingType, homing = kHomingType;
    db->WriteUlong(indexing, 1, AttributeId(param::kIndexMode, 0), 9, 1);
    db->WriteUlong(indexing, 1, AttributeId(param::kIndexActionWhenComplete, 3), 4, 1);
    db->WriteUlong(homing, 1, AttributeId(param::kHomeType), 6, 1);

    auto block = NewOperMode(kOperModesIndexingType);
    block->Attach(&device, 1);
    block->GetIndexing()->Refresh();
    block->GetHoming()->Refresh();
    for (ZRIndexSelection* selection :
         {block->GetIndexing()->GetMode(0), block->GetIndexing()->GetActionWhenComplete(3),
          block->GetHoming()->GetHomeType()}) {
        EXPECT_EQ(selection->GetAsString(), "Unexpected Value") << selection->GetName();
    }
    EXPECT_EQ(block->GetIndexing()->GetDistance(0)->GetName(), "Distance");
    EXPECT_EQ(block->GetIndexing()->GetMode(1)->GetAsString(), "Incremental");
}

TEST_F(TarvikBlocksProject, ExtraAndBrokenChildLinksAreHandled) {
    {
        auto block = NewOperMode(kOperModesType);
        block->Create(&device);
    }
    // A link to an object that is gone, ahead of the real ones, and one more than there are children.
    ZRStorage::Ids links = Links(kOperModesType, 1);
    ASSERT_EQ(links.size(), 3u);
    for (uint32_t link : links)
        db->RemoveChild(kOperModesType, 1, static_cast<int32_t>(link));
    db->AddChild(kOperModesType, 1, 9999);
    for (uint32_t link : links)
        db->AddChild(kOperModesType, 1, static_cast<int32_t>(link));

    ModalScript script;
    script.ExpectMessage("Corrupted project database. Data may have been lost.", IDOK);
    auto block = NewOperMode(kOperModesType);
    block->Attach(&device, 1);
    // Only as many links as children were read: the broken one and the first two real ones.
    EXPECT_GT(block->GetAnalog()->GetInstance(), 0);
    EXPECT_GT(block->GetPreset()->GetInstance(), 0);
    const ZRStorage::Ids after = Links(kOperModesType, 1);
    EXPECT_EQ(std::count(after.begin(), after.end(), 9999u), 0) << "the broken link is removed";
}

} // namespace
