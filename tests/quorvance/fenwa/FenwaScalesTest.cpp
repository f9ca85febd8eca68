// The Fenwa drive's scale and units models: factors, precisions and unit texts by the displayed
// units and the motor type, and how their changes reach the bound attributes.
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaAccelScale.h"
#include "quorvance/fenwa/FenwaAccelUnits.h"
#include "quorvance/fenwa/FenwaAccelUserUnits.h"
#include "quorvance/fenwa/FenwaAnalogVelocityScale.h"
#include "quorvance/fenwa/FenwaAnalogVelocityUnits.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCurrentScale.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/fenwa/FenwaPositionScale.h"
#include "quorvance/fenwa/FenwaPositionUnits.h"
#include "quorvance/fenwa/FenwaVelocityScale.h"
#include "quorvance/fenwa/FenwaVelocityUnits.h"
#include "quorvance/fenwa/FenwaVelocityUserUnits.h"
#include "tests/support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace {

using namespace fenwa;

double Factor(ZRScale* scale, bool* ok = nullptr) {
    double factor = -1;
    const bool result = scale->GetScaleFactor(factor);
    if (ok)
        *ok = result;
    return factor;
}

// A drive whose motor block holds the values the models read, as the motor block defines them.
class FenwaScales : public ::testing::Test {
protected:
    void SetUp() override {
        drive = std::make_unique<FenwaDrive>();
        drive->Init();
        FenwaMotor* motor = drive->GetMotor();
        motorType = motor->GetMotorType();
        rpm = motor->GetMaximumSpeed();
        rpm->SetInternalValue(5000);
        linear = motor->GetMaximumSpeedLinear();
        linear->SetInternalValue(512); // 2 m/s
        current = motor->GetContinuousCurrent();
        current->SetInternalValue(320); // 2.5 A
        drive->GetVelocityScaleAttribute()->SetValue(2.0f);
        drive->GetPositionScaleAttribute()->SetValue(4.0f);
        drive->GetAccelerationScaleAttribute()->SetValue(3.0f);
        drive->GetVelocityLabel()->SetValue("mm/s");
        drive->GetPositionLabel()->SetValue("mm");
        drive->GetAccelerationLabel()->SetValue("mm/s/s");
    }
    void TearDown() override { drive.reset(); }

    void Choose(const char* units, const char* motor) {
        ASSERT_TRUE(drive->GetDisplayedUnits()->SetAsString(units));
        ASSERT_TRUE(motorType->SetAsString(motor));
    }

    ZRIndexSelection* motorType = nullptr;
    ZRUlongAttribute* rpm = nullptr;
    ZRUlongAttribute* linear = nullptr;
    ZRUlongAttribute* current = nullptr;
    std::unique_ptr<FenwaDrive> drive;
};

TEST_F(FenwaScales, FactorsPrecisionsAndUnitsFollowTheDisplayedUnitsAndTheMotor) {
    const struct {
        const char* units;
        const char* motor;
        double velocity;
        int velocityPrecision;
        const char* velocityUnits;
        double accel;
        int accelPrecision;
        const char* accelUnits;
        double position;
        const char* positionUnits;
        const char* velocityUser;
    } cases[] = {
        {"Metric", "Rotary", 1, 0, "RPM", 60.0 / 5000, 2, "Revs/s^2", 1, "Counts", "RPM per User Units"},
        {"English", "Rotary", 1, 0, "RPM", 60.0 / 5000, 2, "Revs/s^2", 1, "Counts", "RPM per User Units"},
        {"Metric", "Linear", 1000, 3, "m/s", 0.5, 3, "m/s^2", 1, "Counts", "m/s per User Units"},
        // 0.03937 inches per millimetre for velocities, 0.0254 m per inch for accelerations.
        {"English", "Linear", 25.4000508001016, 3, "in/s", 0.0127, 3, "in/s^2", 1, "Counts",
         "m/s per User Units"},
        {"User", "Rotary", 2, 2, "mm/s", 60.0 * 3 / 5000, 2, "mm/s/s", 4, "mm", "RPM per User Units"},
        {"User", "Linear", 2000, 2, "mm/s", 1.5, 3, "mm/s/s", 4, "mm", "m/s per User Units"},
        {"Metric", "Induction", 1, 0, "", 1, 2, "", 1, "Counts", ""},
        {"User", "Induction", 2, 2, "mm/s", 3, 2, "mm/s/s", 4, "mm", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.units) + " " + c.motor);
        Choose(c.units, c.motor);
        EXPECT_NEAR(Factor(drive->GetVelocityScale()), c.velocity, 1e-9);
        EXPECT_NEAR(Factor(drive->GetAnalogVelocityScale()), 10 * c.velocity, 1e-8);
        EXPECT_EQ(drive->GetVelocityScale()->GetPrecision(), c.velocityPrecision);
        EXPECT_EQ(drive->GetAnalogVelocityScale()->GetPrecision(), c.velocityPrecision);
        EXPECT_EQ(drive->GetVelocityUnits()->GetUnits(), c.velocityUnits);
        EXPECT_EQ(drive->GetAnalogVelocityUnits()->GetUnits(), std::string(c.velocityUnits) + "/Volt");
        EXPECT_NEAR(Factor(drive->GetAccelScale()), c.accel, 1e-12);
        EXPECT_EQ(drive->GetAccelScale()->GetPrecision(), c.accelPrecision);
        EXPECT_EQ(drive->GetAccelUnits()->GetUnits(), c.accelUnits);
        EXPECT_DOUBLE_EQ(Factor(drive->GetPositionScale()), c.position);
        EXPECT_EQ(drive->GetPositionScale()->GetPrecision(), c.position == 1 ? 0 : 2);
        EXPECT_EQ(drive->GetPositionUnits()->GetUnits(), c.positionUnits);
        EXPECT_EQ(drive->GetVelocityUserUnits()->GetUnits(), c.velocityUser);
        // The drive's own "Velocity Scale" shows the user units' text.
        EXPECT_EQ(drive->GetVelocityScaleAttribute()->GetUnits(), c.velocityUser);
        EXPECT_DOUBLE_EQ(Factor(drive->GetCurrentScale()), 1 / (2.5 * 0.001));
        EXPECT_EQ(drive->GetCurrentScale()->GetPrecision(), 2);
    }
    Choose("User", "Linear");
    EXPECT_EQ(drive->GetAccelUserUnits()->GetUnits(), "m/s^2 per User Units");
    EXPECT_EQ(drive->GetAccelerationScaleAttribute()->GetUnits(), "m/s^2 per User Units");
}

TEST_F(FenwaScales, BoundValuesRedisplayOnceForEachModelThatChanged) {
    Choose("Metric", "Rotary");
    auto* window = dynamic_cast<ZRUlongAttribute*>(drive->GetAttribute("Speed Window"));
    ASSERT_TRUE(window);
    EXPECT_DOUBLE_EQ(window->GetValue(), 10);
    EXPECT_EQ(window->GetUnits(), "RPM");
    ReasonRecorder reasons(*window);
    ASSERT_TRUE(drive->GetDisplayedUnits()->SetAsString("User"));
    EXPECT_EQ(reasons.Count(ZRUpdate::ScaleChanged), 1);
    EXPECT_EQ(reasons.Count(ZRUpdate::UnitsChanged), 1);
    EXPECT_DOUBLE_EQ(window->GetValue(), 5);
    EXPECT_EQ(window->GetUnits(), "mm/s");

    // A value range is in stored units: 1000 RPM, shown as 500 user units.
    EXPECT_DOUBLE_EQ(window->GetMax(), 500);
}

TEST_F(FenwaScales, WithoutInputsTheFactorIsOneAndTheUnitsEmpty) {
    // Before Connect.
    FenwaDrive bare;
    for (ZRScale* scale : std::initializer_list<ZRScale*>{bare.GetVelocityScale(), bare.GetPositionScale(),
                                                          bare.GetAccelScale(), bare.GetCurrentScale()}) {
        bool ok = false;
        EXPECT_EQ(Factor(scale, &ok), 1.0);
        EXPECT_TRUE(ok);
    }
    EXPECT_EQ(Factor(bare.GetAnalogVelocityScale()), 10.0);
    for (ZRUnits* units : std::initializer_list<ZRUnits*>{
             bare.GetVelocityUnits(), bare.GetPositionUnits(), bare.GetAccelUnits(),
             bare.GetAnalogVelocityUnits(), bare.GetVelocityUserUnits(), bare.GetAccelUserUnits()})
        EXPECT_EQ(units->GetUnits(), "");

    // A zero divisor gives no factor: the value shows "Scaling Error" rather than infinity.
    Choose("Metric", "Rotary");
    current->SetInternalValue(0);
    rpm->SetInternalValue(0);
    bool ok = true;
    EXPECT_EQ(Factor(drive->GetCurrentScale(), &ok), 1.0);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Factor(drive->GetAccelScale(), &ok), 1.0);
    EXPECT_FALSE(ok);

    // Once a watched value goes, the model is disconnected for good: a stand-in motor type that
    // the models find first is connected, chosen and then destroyed.
    auto options = std::make_unique<ZRLongOptions>(drive->GetMotor(), 2);
    options->Add(0, "Rotary");
    options->Add(1, "Linear");
    options->Add(2, "Induction");
    ZRDevice* none = nullptr;
    auto standIn = std::make_unique<ZRIndexSelection>(none);
    Bind(*standIn, nullptr, attr::kMotorTypeId, "Motor Type");
    standIn->SetOptions(std::move(options));
    auto& list = drive->GetMotor()->GetProperties();
    list.insert(list.begin(), standIn.get());
    drive->ConnectScales();
    ASSERT_TRUE(drive->GetDisplayedUnits()->SetAsString("User"));
    ASSERT_TRUE(standIn->SetAsString("Linear"));
    list.erase(std::find(list.begin(), list.end(), standIn.get()));
    standIn.reset();
    EXPECT_EQ(Factor(drive->GetVelocityScale()), 1.0);
    EXPECT_EQ(drive->GetVelocityUnits()->GetUnits(), "");
    EXPECT_EQ(drive->GetVelocityUserUnits()->GetUnits(), "");
    EXPECT_EQ(drive->GetPositionUnits()->GetUnits(), "mm") << "position never watched the motor";
}

} // namespace
