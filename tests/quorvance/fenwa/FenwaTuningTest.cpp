// The Fenwa tuning block: its gains and loop values on a simulated drive, the integrator mode's
// hold threshold, the ranges, the copy into the alternate gains and the values a project keeps.
#include "FenwaLine.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/TestDevice.h"

#include <filesystem>

namespace {

using Strings = std::vector<std::string>;

std::vector<std::string> Texts(const ZRObject::AttributeList& list) {
    std::vector<std::string> texts;
    for (ZRAttribute* a : list)
        texts.push_back(a->GetName() + "=" + a->GetAsString());
    return texts;
}

class FenwaTuningTest : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
        tuning.Init();
    }
    void Attach() {
        tuning.Attach(&device, 1);
        tuning.Refresh();
        Sent();
    }

    FenwaDevice device;
    FenwaTuning tuning;
};

TEST_F(FenwaTuningTest, DefinesItsListsAndCommandsInOrder) {
    EXPECT_EQ(tuning.GetClass(), fenwa::kTuningType);
    EXPECT_EQ(tuning.GetVersion(), 77u);
    EXPECT_EQ(tuning.GetName().GetAsString(), "Tuning");
    Strings properties;
    for (ZRAttribute* a : tuning.GetProperties())
        properties.push_back(a->GetName());
    // The name comes first, as in every object.
    EXPECT_EQ(properties, (Strings{"Name",
                                   "Online Tuning (Pr-0.03)",
                                   "Integrator Mode",
                                   "Integrator Hold Threshold",
                                   "Low Pass Filter Bandwidth",
                                   "Kff",
                                   "Kff Low Pass Filter Bandwidth",
                                   "P",
                                   "Integrator Time",
                                   "D",
                                   "Kp",
                                   "High Error Output Offset",
                                   "High Error Output Threshold",
                                   "Low Pass Filter Bandwidth",
                                   "Gain",
                                   "Resonant Frequency Suppression",
                                   "VReg P Gain",
                                   "VReg Integrator Time",
                                   "VReg Low Pass Bandwidth",
                                   "PReg Kp Gain",
                                   "IReg Low Pass Bandwidth"}));
    Strings statuses;
    for (ZRAttribute* a : tuning.GetStatus())
        statuses.push_back(a->GetName());
    EXPECT_EQ(statuses, (Strings{"Feedback Velocity", "Error", "Command Velocity", "Follower Position",
                                 "Error", "Master Position", "Command Current", "U Phase Current",
                                 "V Phase Current", "W Phase Current"}));
    ASSERT_EQ(tuning.GetCommands().size(), 2u);
    EXPECT_EQ(tuning.GetAutotuneCommand()->GetCommandText(), "TAT");
    EXPECT_EQ(tuning.GetAutotuneCommand()->GetData(), "01");
    EXPECT_EQ(tuning.GetSecondCommand()->GetCommandText(), "ETC");
    EXPECT_EQ(tuning.GetSecondCommand()->GetData(), "0B");
    // Fresh values: the threshold is hidden while the integrator is always on.
    EXPECT_EQ(tuning.GetOnlineTuning()->GetAsString(), "0700");
    EXPECT_EQ(tuning.GetAutotuningSpeed()->GetAsString(), "700");
    EXPECT_EQ(tuning.GetGain()->GetAsString(), "High");
    EXPECT_TRUE(tuning.GetIntegratorHoldThreshold()->IsHidden());
}

TEST_F(FenwaTuningTest, ReadsAndWritesTheGainsOnTheDrive) {
    sim.SetParameter(1, fenwa::attr::kTuningP, "0050");
    sim.SetParameter(1, fenwa::attr::kOnlineTuning, "3500");
    sim.SetParameter(1, fenwa::attr::kIntegratorMode, "0003");
    sim.SetMonitor(1, 0x16, "04D2");
    sim.SetMonitor(1, 0x02, "FFF6");
    Attach();
    EXPECT_EQ(tuning.GetP()->GetAsString(), "80");
    EXPECT_EQ(tuning.GetAdaptiveTuningResponse()->GetAsString(), "3");
    EXPECT_EQ(tuning.GetAutotuningSpeed()->GetAsString(), "500");
    EXPECT_EQ(tuning.GetIntegratorMode()->GetAsString(), "Position Error Disable");
    EXPECT_FALSE(tuning.GetIntegratorHoldThreshold()->IsHidden());
    EXPECT_EQ(tuning.GetVelocityError()->GetAsString(), "-10.0");
    tuning.GetFeedbackCurrent()->Refresh(true);
    EXPECT_EQ(tuning.GetFeedbackCurrent()->GetAsString(), "1.234");
    Sent();

    EXPECT_TRUE(tuning.GetKp()->SetAsString("45"));
    EXPECT_TRUE(tuning.GetAutotuningSpeed()->SetAsString("400"));
    EXPECT_TRUE(tuning.GetGain()->SetAsString("Low"));
    EXPECT_EQ(Sent(), (Strings{"CHP0670000002D", "CHP0033400", "CHP0720002"}));
    EXPECT_EQ(sim.Parameter(1, fenwa::attr::kTuningKp), "002D");
    EXPECT_EQ(sim.Parameter(1, fenwa::attr::kOnlineTuning), "3400");
    EXPECT_EQ(tuning.GetAdaptiveTuningResponse()->GetAsString(), "3");
}

TEST_F(FenwaTuningTest, IntegratorModeDecidesWhetherAndHowTheThresholdShows) {
    ZRUlongAttribute& threshold = *tuning.GetIntegratorHoldThreshold();
    const struct {
        const char* mode;
        bool hidden;
        int unitsChanged;
    } cases[] = {
        {"High Current Disable", false, 1},
        {"Always On", true, 0},
        {"Velocity Command Disable", false, 1},
        {"Position Error Disable", false, 1},
    };
    for (const auto& c : cases) {
        ReasonRecorder reasons(threshold);
        ASSERT_TRUE(tuning.GetIntegratorMode()->SetAsString(c.mode)) << c.mode;
        EXPECT_EQ(threshold.IsHidden(), c.hidden) << c.mode;
        EXPECT_EQ(reasons.Count(ZRUpdate::UnitsChanged), c.unitsChanged) << c.mode;
        if (std::string(c.mode) == "High Current Disable") {
            EXPECT_EQ(threshold.GetUnits(), "% motor rated current");
            EXPECT_EQ(threshold.GetScaleObject(), nullptr);
        }
    }
}

TEST_F(FenwaTuningTest, RangesRefuseValuesBeforeTheyAreWritten) {
    Attach();
    const struct {
        ZRAttribute* attribute;
        const char* text;
        const char* message; // null: taken
    } cases[] = {
        {tuning.GetAutotuningSpeed(), "900", nullptr},
        {tuning.GetAutotuningSpeed(), "200", nullptr},
        {tuning.GetAutotuningSpeed(), "1000", "Value cannot be more than 900"},
        {tuning.GetAutotuningSpeed(), "100", "Value cannot be less than 200"},
        {tuning.GetP(), "501", "Value cannot be more than 500"},
        {tuning.GetHighErrorOutputOffset(), "451", "Value cannot be more than 450"},
        {tuning.GetKffLowPass(), "800", nullptr},
    };
    for (const auto& c : cases) {
        ModalScript modals;
        if (c.message)
            modals.ExpectMessage(c.message, platform::core::IDOK);
        EXPECT_EQ(c.attribute->Validate(c.text), c.message == nullptr)
            << c.attribute->GetName() << " " << c.text;
    }
    EXPECT_TRUE(Sent().empty());
}

TEST_F(FenwaTuningTest, CopyWritesTheFiveMainGainsIntoTheAlternateSetInOrder) {
    sim.SetParameter(1, fenwa::attr::kTuningP, "0050");
    sim.SetParameter(1, fenwa::attr::kVelocityLowPass, "0320");
    Attach();
    tuning.CopyMainGainsToAlternate();
    EXPECT_EQ(Sent(), (Strings{"CHP26300000050", "CHP2640000001A", "CHP26700000320", "CHP26500000014",
                               "CHP2660000012C"}));
    EXPECT_EQ(sim.Parameter(1, fenwa::attr::kVRegP), "0050");
    EXPECT_EQ(sim.Parameter(1, fenwa::attr::kVRegLowPass), "0320");
    EXPECT_EQ(tuning.GetVRegLowPass()->GetAsString(), "800");
}

TEST_F(FenwaTuningTest, ARefusedAlternateWriteLeavesItAndTheCopyGoesOn) {
    Attach();
    // The drive takes every alternate gain but refuses the velocity one.
    sim.SetHandler([](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
        if (r.command.rfind("CHP263", 0) == 0)
            return wiresim::CommandAnswer::Status(wiresim::symbol::RS);
        return std::nullopt;
    });
    tuning.GetP()->SetInternalValue(90);
    Sent();
    {
        ModalScript modals;
        modals.ExpectMessage("Data value out of range", platform::core::IDOK);
        tuning.CopyMainGainsToAlternate();
    }
    EXPECT_EQ(Sent().size(), 5u);
    EXPECT_EQ(tuning.GetVRegP()->GetAsString(), "60");
    EXPECT_EQ(sim.Parameter(1, fenwa::attr::kVRegP), "003C");
}

TEST_F(FenwaTuningTest, AProjectKeepsTheValues) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        DBStorage db;
        db.OpenDB();
        TestDevice offLine(&db, true);
        FenwaTuning stored;
        stored.Init();
        stored.Create(&offLine);
        stored.GetP()->SetAsString("123");
        stored.GetIntegratorMode()->SetAsString("Velocity Command Disable");
        stored.GetIntegratorHoldThreshold()->SetAsString("250");
        stored.GetAutotuningSpeed()->SetAsString("300");
        stored.GetAdaptiveTuningResponse()->SetAsString("7 (Fastest)");
        stored.GetGain()->SetAsString("Medium");
        stored.GetIRegLowPass()->SetAsString("444");

        FenwaTuning reopened;
        reopened.Init();
        reopened.Attach(&offLine, stored.GetInstance());
        reopened.Refresh();
        EXPECT_EQ(Texts(reopened.GetProperties()), Texts(stored.GetProperties()));
        EXPECT_EQ(reopened.GetOnlineTuning()->GetAsString(), "7300");
        EXPECT_EQ(reopened.GetAutotuningSpeed()->GetAsString(), "300");
        EXPECT_EQ(reopened.GetAdaptiveTuningResponse()->GetAsString(), "7 (Fastest)");
        EXPECT_FALSE(reopened.GetIntegratorHoldThreshold()->IsHidden());
    }
    std::filesystem::current_path(previous);
}

} // namespace
