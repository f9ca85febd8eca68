// The Fenwa drive off line: saved into a project database and opened again, a broken child link,
// copies, and what an off-line drive refuses or never asks.
#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaOperMode.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "tests/quorvance/DriveValues.h"
#include "tests/support/ModalScript.h"
#include "tests/support/model/ProjectDb.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

namespace {

using namespace fenwa;
using platform::core::IDOK;

std::unique_ptr<FenwaDrive> NewDrive() {
    auto drive = std::make_unique<FenwaDrive>();
    drive->Init();
    return drive;
}

// Values of every kind the drive keeps, set and checked by their display texts.
const struct {
    const char* name;
    const char* text;
} kValues[] = {
    {"Drive Address", "9"},   {"Operation Modes (Main/Override)", "Preset Velocity/Follower"},
    {"Speed Window", "33"},   {"Initial Current Bias", "-12"},
    {"Disable Delay", "20"},  {"Displayed Units", "English"},
    {"Position Label", "mm"}, {"Position Scale", "2.5"},
    {"Pr-0.02", "1002"},      {"Acceleration Time", "2000"},
};

void SetValues(FenwaDrive& drive) {
    drive.GetName().SetValue("Axis 1");
    for (const auto& v : kValues)
        ASSERT_TRUE(drive.GetAttribute(v.name)->SetAsString(v.text)) << v.name;
}

void ExpectValues(FenwaDrive& drive) {
    EXPECT_EQ(drive.GetName().GetAsString(), "Axis 1");
    for (const auto& v : kValues)
        EXPECT_EQ(drive.GetAttribute(v.name)->GetAsString(), v.text) << v.name;
    // What follows from them.
    EXPECT_EQ(drive.GetAttribute("Fault and Disable Braking")->GetAsString(), "Free Stop");
    EXPECT_EQ(drive.GetAttribute("Power Input")->GetAsString(), "DC");
    EXPECT_EQ(drive.GetAccelerationLimits()->GetAsString(), "Active");
    EXPECT_EQ(drive.GetAcceleration()->GetInternalValue(), 300u);
}

class FenwaDriveProject : public ::testing::Test {
protected:
    ProjectDb project;
};

TEST_F(FenwaDriveProject, ASavedDriveComesBackWithItsValues) {
    int32_t instance = 0;
    {
        auto drive = NewDrive();
        drive->Create(&project.device);
        instance = drive->GetInstance();
        ASSERT_GT(instance, 0);
        SetValues(*drive);
        // Off line nothing asks for a reset.
        ASSERT_TRUE(drive->GetOperationModes()->SetAsString("Dual Current Control/None"));
        EXPECT_FALSE(drive->IsResetPromptPending());
        ASSERT_TRUE(drive->GetOperationModes()->SetAsString("Preset Velocity/Follower"));
        EXPECT_EQ(project.Links(kDriveType, instance).size(), 10u);
    }
    auto drive = NewDrive();
    drive->Attach(&project.device, instance);
    drive->Refresh();
    ExpectValues(*drive);
    for (ZRObject* child : drive->GetChildren())
        EXPECT_GT(child->GetInstance(), 0) << child->GetClass();
    EXPECT_EQ(project.Links(kDriveType, instance).size(), 10u) << "attaching again adds no links";

    ModalScript modals;
    modals.ExpectMessage("The Drive is Offline.", IDOK);
    drive->ResetDrive(true);
}

// Every writable stored property of the drive and of all its blocks, each moved off its initial
// value, comes back from the project.
TEST_F(FenwaDriveProject, EveryStoredPropertyOfEveryBlockComesBack) {
    int32_t instance = 0;
    DriveValues saved;
    size_t changed = 0;
    std::set<int32_t> blocks;
    {
        auto drive = NewDrive();
        drive->Create(&project.device);
        instance = drive->GetInstance();
        std::vector<ZRObject*> objects{drive.get()};
        for (size_t i = 0; i < objects.size(); ++i)
            for (ZRObject* child : objects[i]->GetChildren())
                objects.push_back(child);
        for (ZRObject* object : objects)
            for (ZRAttribute* attribute : object->GetProperties()) {
                if (!attribute || !attribute->IsWritable() || attribute->GetAttribute() == -1)
                    continue;
                const std::string before = attribute->GetInternalAsString();
                if (auto* choice = dynamic_cast<ZRIndexSelection*>(attribute)) {
                    if (choice->GetOptions() && choice->GetOptions()->GetCount() > 1)
                        choice->SetValue(choice->GetValue() == 0 ? 1 : 0);
                } else if (!dynamic_cast<ZRStringAttribute*>(attribute)) {
                    // Texts (the assignment words among them) have their own rules.
                    char* end = nullptr;
                    const long value = std::strtol(before.c_str(), &end, 10);
                    if (!before.empty() && *end == '\0' &&
                        !attribute->SetInternalAsString(std::to_string(value + 1)))
                        attribute->SetInternalAsString(std::to_string(value - 1));
                }
                if (attribute->GetInternalAsString() != before) {
                    ++changed;
                    blocks.insert(object->GetClass());
                }
            }
        saved = ValuesOf(*drive);
    }
    // The drive and the blocks with stored settings: motor, tuning, inputs, outputs, analog output,
    // encoder, scope, faults, service information and the three mode blocks.
    EXPECT_GE(blocks.size(), 10u);
    EXPECT_GT(changed, 100u);
    auto drive = NewDrive();
    drive->Attach(&project.device, instance);
    EXPECT_TRUE(SameValues(saved, ValuesOf(*drive)));
}

TEST_F(FenwaDriveProject, ABrokenChildLinkIsReportedOnceAndRemoved) {
    int32_t instance = 0;
    int32_t operModeInstance = 0;
    {
        auto drive = NewDrive();
        drive->Create(&project.device);
        instance = drive->GetInstance();
        operModeInstance = drive->GetOperMode()->GetInstance();
    }
    // A preset linked at drive level is no block of the drive's: it is left alone.
    int32_t preset = 0;
    ASSERT_TRUE(project.db->Create(kPresetType, preset));
    int32_t presetId = 0;
    ASSERT_TRUE(project.db->FindInstance(kPresetType, preset, presetId));
    ASSERT_TRUE(project.db->AddChild(kDriveType, instance, presetId));
    ASSERT_TRUE(project.db->AddChild(kDriveType, instance, 9999));

    auto drive = NewDrive();
    {
        ModalScript modals;
        modals.ExpectMessage("Corrupted project database. Data may have been lost.", IDOK);
        drive->Attach(&project.device, instance);
    }
    EXPECT_EQ(drive->GetOperMode()->GetInstance(), operModeInstance);
    const ZRStorage::Ids links = project.Links(kDriveType, instance);
    EXPECT_EQ(std::count(links.begin(), links.end(), 9999u), 0);
    EXPECT_EQ(links.size(), 11u);
}

TEST(FenwaDriveCopy, CopiesAnotherFenwaDriveAndNothingElse) {
    auto source = NewDrive();
    SetValues(*source);
    auto drive = NewDrive();
    drive->Copy(source.get(), true);
    EXPECT_EQ(drive->GetAttribute("Drive Address")->GetAsString(), "9");
    EXPECT_EQ(drive->GetAttribute("Speed Window")->GetAsString(), "33");
    EXPECT_EQ(drive->GetAttribute("Pr-0.02")->GetAsString(), "1002");
    EXPECT_EQ(drive->GetAcceleration()->GetInternalValue(), 300u) << "the copied ramp time couples";
    EXPECT_EQ(drive->GetChildren().size(), 10u);

    auto other = NewDrive();
    FenwaMotor motor;
    motor.Init();
    other->Copy(&motor, true);
    other->Copy(other.get(), true);
    auto fresh = NewDrive();
    ASSERT_EQ(other->GetProperties().size(), fresh->GetProperties().size());
    for (size_t i = 0; i < fresh->GetProperties().size(); ++i)
        EXPECT_EQ(other->GetProperties()[i]->GetAsString(), fresh->GetProperties()[i]->GetAsString())
            << fresh->GetProperties()[i]->GetName();
}

} // namespace
