// The operation-modes block with its preset and follower blocks: on a simulated drive, in a project
// database, and copied.
#include "FenwaLine.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaFollower.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaPreset.h"

#include "support/ModalScript.h"
#include "support/model/ProjectDb.h"

#include <algorithm>

namespace {

using platform::core::IDOK;

std::unique_ptr<FenwaOperMode> NewOperMode() {
    auto block = std::make_unique<FenwaOperMode>();
    block->Init();
    return block;
}

TEST(FenwaOperMode, MakesItsThreeBlocksAndFindsThemByClass) {
    auto block = NewOperMode();
    EXPECT_EQ(block->GetName().GetValue(), "Mode Configuration");
    EXPECT_EQ(block->GetVersion(), 77u);
    std::vector<int32_t> types;
    for (ZRObject* child : block->GetChildren())
        types.push_back(child->GetClass());
    EXPECT_EQ(types, (std::vector<int32_t>{fenwa::kAnalogInType, fenwa::kPresetType, fenwa::kFollowerType}));
    EXPECT_EQ(block->GetChild(fenwa::kPresetType), block->GetPreset());
    EXPECT_EQ(block->GetChild(fenwa::kAnalogInType), block->GetAnalog());
    EXPECT_EQ(block->GetChild(fenwa::kFollowerType), block->GetFollower());
    EXPECT_EQ(block->GetChild(fenwa::kDigInType), nullptr);
    EXPECT_EQ(block->GetChildren().size(), 3u) << "GetChild never makes a child";

    FenwaPreset* preset = block->GetPreset();
    EXPECT_EQ(preset->GetName().GetValue(), "Preset");
    // The name, as every object has it, then the seven velocities.
    ASSERT_EQ(preset->GetProperties().size(), 8u);
    EXPECT_EQ(preset->GetProperties()[0], &preset->GetName());
    for (int i = 0; i < FenwaPreset::kPresetCount; ++i) {
        ZRLongAttribute* velocity = preset->GetPresetAttribute(i);
        EXPECT_EQ(preset->GetProperties()[static_cast<size_t>(i) + 1], velocity);
        EXPECT_EQ(velocity->GetAttribute(), 205 + i);
        EXPECT_EQ(velocity->GetName(), "Preset Velocity " + std::to_string(i + 1));
        EXPECT_EQ(velocity->GetInternalValue(), 0);
    }
    EXPECT_EQ(preset->GetPresetAttribute(7), nullptr);
    EXPECT_EQ(preset->GetPresetAttribute(-1), nullptr);
    // The drive's range, whatever the units.
    {
        ModalScript script;
        script.ExpectMessage("cannot be more than 5000", IDOK);
        EXPECT_FALSE(preset->GetPresetAttribute(0)->Validate("5001"));
    }
    EXPECT_TRUE(preset->GetPresetAttribute(0)->Validate("-5000"));
}

// A stand-alone operation-modes block on the simulated drive at node 1.
class FenwaModesOnLine : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    FenwaDevice device;
};

TEST_F(FenwaModesOnLine, PresetsAndGearCountsGoToTheDriveAndComeBack) {
    {
        auto block = NewOperMode();
        block->Attach(&device, 1);
        for (ZRObject* child : block->GetChildren())
            EXPECT_EQ(child->GetInstance(), 1) << child->GetClass();
        Sent();
        for (int i = 0; i < FenwaPreset::kPresetCount; ++i)
            ASSERT_TRUE(block->GetPreset()->GetPresetAttribute(i)->SetValue(i % 2 ? -700.0 * i : 700.0 * i));
        EXPECT_EQ(Sent()[1], "CHP0CEFFFFFD44") << "preset 2 as -700";
        ASSERT_TRUE(block->GetFollower()->GetGearRatio()->SetValue("3:7"));
        const std::vector<std::string> sent = Sent();
        EXPECT_NE(std::find(sent.begin(), sent.end(), "CHP12E0000000C"), sent.end())
            << "master 3 is 12 counts";
        EXPECT_NE(std::find(sent.begin(), sent.end(), "CHP12D00000007"), sent.end());
    }
    auto fresh = NewOperMode();
    fresh->Attach(&device, 1);
    for (int i = 0; i < FenwaPreset::kPresetCount; ++i) {
        ZRLongAttribute* velocity = fresh->GetPreset()->GetPresetAttribute(i);
        velocity->Refresh(true);
        EXPECT_EQ(velocity->GetInternalValue(), i % 2 ? -700 * i : 700 * i) << i;
    }
    fresh->GetFollower()->GetGearRatio()->Refresh(true);
    EXPECT_EQ(fresh->GetFollower()->GetMasterCounts()->GetInternalValue(), 12u);
    EXPECT_EQ(fresh->GetFollower()->GetGearRatio()->GetValue(), "3:7");
}

// Blocks in a project database: written on creation, read back by a fresh block.
class FenwaModesProject : public testing::Test {
protected:
    ZRStorage::Ids Links() const { return project.Links(fenwa::kOperModeType, 1); }

    ProjectDb project;
    std::unique_ptr<DBStorage>& db = project.db;
    TestDevice& device = project.device;
};

TEST_F(FenwaModesProject, PresetsAndGearRatioComeBackFromTheProject) {
    {
        auto block = NewOperMode();
        block->Create(&device);
        EXPECT_EQ(Links().size(), 3u);
        block->GetPreset()->GetPresetAttribute(6)->SetValue(-4321);
        block->GetFollower()->GetGearRatio()->SetValue("16383:65535");
    }
    auto block = NewOperMode();
    block->Attach(&device, 1);
    for (ZRObject* child : block->GetChildren()) {
        EXPECT_GT(child->GetInstance(), 0) << child->GetClass();
        child->Refresh();
    }
    EXPECT_EQ(block->GetPreset()->GetPresetAttribute(6)->GetInternalValue(), -4321);
    EXPECT_EQ(block->GetFollower()->GetMasterCounts()->GetInternalValue(), 65532u);
    EXPECT_EQ(block->GetFollower()->GetGearRatio()->GetValue(), "16383:65535");
    EXPECT_EQ(Links().size(), 3u) << "reattaching adds no links";
}

TEST_F(FenwaModesProject, OnlyTheStoredChildrenAttach) {
    {
        auto block = NewOperMode();
        block->Create(&device);
    }
    // The link to the analog block is gone.
    const ZRStorage::Ids links = Links();
    ASSERT_EQ(links.size(), 3u);
    db->RemoveChild(fenwa::kOperModeType, 1, static_cast<int32_t>(links[0]));

    auto block = std::make_unique<FenwaOperMode>();
    block->Init();
    block->SetInstance(1);
    block->SetDevice(&device);
    block->AttachDBChildren();
    EXPECT_EQ(block->GetAnalog()->GetInstance(), 0) << "left unattached";
    EXPECT_GT(block->GetPreset()->GetInstance(), 0);
    EXPECT_GT(block->GetFollower()->GetInstance(), 0);
}

TEST_F(FenwaModesProject, ABrokenLinkIsReportedOnceAndRemovedAndTheRestAttach) {
    {
        auto block = NewOperMode();
        block->Create(&device);
    }
    // The analog link points at a row that is gone; preset and follower stay.
    ZRStorage::Ids links = Links();
    ASSERT_EQ(links.size(), 3u);
    for (uint32_t link : links)
        db->RemoveChild(fenwa::kOperModeType, 1, static_cast<int32_t>(link));
    db->AddChild(fenwa::kOperModeType, 1, 9999);
    db->AddChild(fenwa::kOperModeType, 1, static_cast<int32_t>(links[1]));
    db->AddChild(fenwa::kOperModeType, 1, static_cast<int32_t>(links[2]));

    ModalScript script;
    script.ExpectMessage("Corrupted project database. Data may have been lost.", IDOK);
    auto block = NewOperMode();
    block->Attach(&device, 1);
    EXPECT_GT(block->GetPreset()->GetInstance(), 0);
    EXPECT_GT(block->GetFollower()->GetInstance(), 0);
    const ZRStorage::Ids after = Links();
    EXPECT_EQ(std::count(after.begin(), after.end(), 9999u), 0) << "the broken link is removed";
}

class FenwaOperModeCopy : public testing::Test {
protected:
    FenwaOperModeCopy() : source(NewOperMode()) {
        source->GetPreset()->GetPresetAttribute(2)->SetValue(-77);
        source->GetFollower()->GetFollowerCounts()->SetValue(9);
    }
    ~FenwaOperModeCopy() override { ZRProgress::Instance()->SetCancelled(false); }

    std::unique_ptr<FenwaOperMode> source;
};

TEST_F(FenwaOperModeCopy, CopiesEachBlockIntoItsOwn) {
    auto target = NewOperMode();
    target->Copy(source.get(), false);
    EXPECT_EQ(target->GetPreset()->GetPresetAttribute(2)->GetInternalValue(), -77);
    EXPECT_EQ(target->GetFollower()->GetFollowerCounts()->GetInternalValue(), 9u);
    EXPECT_EQ(target->GetFollower()->GetGearRatio()->GetValue(), "1:9");
    EXPECT_EQ(target->GetChildren().size(), 3u) << "copying never replaces the children";
}

TEST_F(FenwaOperModeCopy, ACancelStopsAfterThePresets) {
    auto target = NewOperMode();
    ZRProgress::Instance()->SetCancelled(true);
    target->Copy(source.get(), false);
    EXPECT_EQ(target->GetPreset()->GetPresetAttribute(2)->GetInternalValue(), -77);
    EXPECT_EQ(target->GetFollower()->GetFollowerCounts()->GetInternalValue(), 1u);
}

// The gear ratio text and its two counts.
class FenwaGearRatio : public testing::Test {
protected:
    FenwaGearRatio() { follower.Init(); }
    ZRStringAttribute& Ratio() { return *follower.GetGearRatio(); }

    FenwaFollower follower;
};

TEST_F(FenwaGearRatio, StartsAtOneToOneWithTheMasterCountedInFours) {
    EXPECT_EQ(Ratio().GetValue(), "1:1");
    EXPECT_EQ(Ratio().GetUnits(), "Master Counts:Follower Counts");
    EXPECT_EQ(follower.GetMasterCounts()->GetInternalValue(), 4u);
    EXPECT_EQ(follower.GetFollowerCounts()->GetInternalValue(), 1u);
    EXPECT_EQ(follower.GetCommandType()->GetAsString(), "Step Up/Step Down");
    EXPECT_EQ(follower.GetControllerOutputType()->GetAsString(), "Line Drive");
    EXPECT_EQ(follower.GetProperties(),
              (ZRObject::AttributeList{&follower.GetName(), follower.GetMasterCounts(), follower.GetFollowerCounts()}));
}

TEST_F(FenwaGearRatio, TextAndCountsFollowEachOther) {
    ASSERT_TRUE(Ratio().SetValue("3:7"));
    EXPECT_EQ(follower.GetMasterCounts()->GetInternalValue(), 12u);
    EXPECT_EQ(follower.GetFollowerCounts()->GetInternalValue(), 7u);
    EXPECT_EQ(Ratio().GetValue(), "3:7") << "the counts' own change does not bounce back";

    follower.GetMasterCounts()->SetValue(2);
    follower.GetFollowerCounts()->SetValue(5);
    EXPECT_EQ(Ratio().GetValue(), "2:5");
}

TEST_F(FenwaGearRatio, ATextThatIsNoRatioIsRefused) {
    {
        ModalScript script;
        script.ExpectMessage("Invalid Ratio Format", IDOK);
        EXPECT_FALSE(Ratio().Validate("3/7"));
    }
    {
        // The master count refuses its part first, in its own words.
        ModalScript script;
        script.ExpectMessage("Gear Ratio Master Counts", IDOK);
        script.ExpectMessage("Please re-enter.", IDOK);
        EXPECT_FALSE(Ratio().Validate("16384:7"));
    }
    EXPECT_TRUE(Ratio().Validate("16383:65535"));
    {
        // Set directly, a text that is no ratio changes no count.
        ModalScript script;
        script.ExpectMessage("Invalid Ratio Format", IDOK);
        Ratio().SetValue("x");
    }
    EXPECT_EQ(follower.GetMasterCounts()->GetInternalValue(), 4u);
}

} // namespace
