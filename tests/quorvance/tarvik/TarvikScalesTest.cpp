#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "quorvance/tarvik/TarvikAccelScale.h"
#include "quorvance/tarvik/TarvikAccelUnits.h"
#include "quorvance/tarvik/TarvikAnalogCurrentScale.h"
#include "quorvance/tarvik/TarvikAnalogOutScale.h"
#include "quorvance/tarvik/TarvikAnalogOutUnits.h"
#include "quorvance/tarvik/TarvikAnalogPositionScale.h"
#include "quorvance/tarvik/TarvikAnalogPositionUnits.h"
#include "quorvance/tarvik/TarvikAnalogVelocityScale.h"
#include "quorvance/tarvik/TarvikAnalogVelocityUnits.h"
#include "quorvance/tarvik/TarvikAuxAccelScale.h"
#include "quorvance/tarvik/TarvikAuxAccelUnits.h"
#include "quorvance/tarvik/TarvikAuxPositionScale.h"
#include "quorvance/tarvik/TarvikAuxPositionUnits.h"
#include "quorvance/tarvik/ZRCurrentLimitScale.h"
#include "quorvance/tarvik/ZRCurrentScale.h"
#include "quorvance/tarvik/ZRCurrentUnits.h"
#include "quorvance/tarvik/ZRFBAccelScale.h"
#include "quorvance/tarvik/ZRFBAccelUnits.h"
#include "quorvance/tarvik/ZRFBPositionScale.h"
#include "quorvance/tarvik/ZRFBPositionUnits.h"
#include "quorvance/tarvik/ZRFBVelocityScale.h"
#include "quorvance/tarvik/ZRFBVelocityUnits.h"
#include "quorvance/tarvik/ZRGearScale.h"
#include "quorvance/tarvik/ZRInverseGearScale.h"
#include "quorvance/tarvik/ZRNoxelChannelScales.h"
#include "quorvance/tarvik/ZRPositionScale.h"
#include "quorvance/tarvik/ZRPositionUnits.h"
#include "quorvance/tarvik/ZRVelocityScale.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"
#include "tests/support/model/ReasonRecorder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

std::unique_ptr<ZRIndexSelection> Selection(ZRDevice*& device, std::vector<std::pair<uint32_t, std::string>> options) {
    auto selection = std::make_unique<ZRIndexSelection>(device);
    auto list = std::make_unique<ZRUlongOptions>(nullptr, 1);
    for (auto& [value, text] : options)
        list->Add(value, text);
    selection->SetOptions(std::move(list));
    selection->SetValue(0);
    return selection;
}

// The attributes the models read, held apart from any drive.
class TarvikScales : public testing::Test {
protected:
    TarvikScales() {
        units = Selection(device, {{0, "Metric"}, {1, "English"}, {2, "User"}, {7, "Other"}});
        motorType = Selection(device, {{0, "Rotary"}, {1, "Linear"}, {2, "Unknown"}});
        auxType = Selection(device, {{0, "Rotary"}, {1, "Linear"}});
        encoder = Selection(device, {{0, "Incremental"}, {1, "Sine/Cosine"}});
        interpolation = Selection(device, {{0, "x4"}, {1, "x8"}, {2, "x16"}, {3, "x32"}, {4, "x64"}, {5, "x128"},
                                           {6, "x256"}, {7, "x512"}, {8, "x1024"}});
        source = Selection(device, {{0, "Motor Encoder"}, {1, "Auxiliary Encoder"}});
        driveSize = Selection(device, {{1, "1"}, {2, "2"}, {11, "11"}});
        signal = Selection(device, {{1, "Position"}, {22, "Velocity"}, {16, "Current"}, {40, "Other"}});
        for (auto* f : {&velocityScale, &positionScale, &accelScale, &auxVelocityScale, &auxPositionScale, &auxAccelScale}) {
            *f = std::make_unique<ZRFloatAttribute>(device);
            (*f)->SetValue(1.0F);
        }
        for (auto* t : {&velocityLabel, &positionLabel, &accelLabel, &currentLabel, &auxVelocityLabel, &auxPositionLabel,
                        &auxAccelLabel})
            *t = std::make_unique<ZRStringAttribute>(device, 16, PadRight, ' ');
        for (auto* u : {&precision, &linesRev, &linesMeter, &maxSpeed, &maxSpeedLinear, &intermittent, &auxLinesRev,
                        &auxLinesMeter, &numerator, &denominator})
            *u = std::make_unique<ZRUlongAttribute>(device, 4);
        gearBox = std::make_unique<ZRBoolAttribute>(device, 1, -1);
        s.displayedUnits = units.get();
        s.velocityPrecision = s.positionPrecision = s.accelerationPrecision = s.currentPrecision = precision.get();
        s.velocityScale = velocityScale.get();
        s.positionScale = positionScale.get();
        s.accelerationScale = accelScale.get();
        s.velocityLabel = velocityLabel.get();
        s.positionLabel = positionLabel.get();
        s.accelerationLabel = accelLabel.get();
        s.currentLabel = currentLabel.get();
        s.auxVelocityScale = auxVelocityScale.get();
        s.auxPositionScale = auxPositionScale.get();
        s.auxAccelerationScale = auxAccelScale.get();
        s.auxVelocityLabel = auxVelocityLabel.get();
        s.auxPositionLabel = auxPositionLabel.get();
        s.auxAccelerationLabel = auxAccelLabel.get();
        s.motorType = motorType.get();
        s.encoder = encoder.get();
        s.linesRevolution = linesRev.get();
        s.linesMeter = linesMeter.get();
        s.maximumSpeed = maxSpeed.get();
        s.maximumSpeedLinear = maxSpeedLinear.get();
        s.intermittentCurrent = intermittent.get();
        s.gearBox = gearBox.get();
        s.gearNumerator = numerator.get();
        s.gearDenominator = denominator.get();
        s.feedbackSource = source.get();
        s.interpolation = interpolation.get();
        s.auxType = auxType.get();
        s.auxLinesRevolution = auxLinesRev.get();
        s.auxLinesMeter = auxLinesMeter.get();
        s.driveSize = driveSize.get();
        s.signal = signal.get();
    }

    template <class M> std::unique_ptr<M> Connected() {
        auto model = std::make_unique<M>(nullptr);
        model->Connect(s);
        return model;
    }
    template <class M> double Factor(bool* ok = nullptr) {
        double factor = 0;
        bool result = Connected<M>()->GetScaleFactor(factor);
        if (ok)
            *ok = result;
        return factor;
    }

    ZRDevice* device = nullptr;
    std::unique_ptr<ZRIndexSelection> units, motorType, auxType, encoder, interpolation, source, driveSize, signal;
    std::unique_ptr<ZRFloatAttribute> velocityScale, positionScale, accelScale, auxVelocityScale, auxPositionScale,
        auxAccelScale;
    std::unique_ptr<ZRStringAttribute> velocityLabel, positionLabel, accelLabel, currentLabel, auxVelocityLabel,
        auxPositionLabel, auxAccelLabel;
    std::unique_ptr<ZRUlongAttribute> precision, linesRev, linesMeter, maxSpeed, maxSpeedLinear, intermittent,
        auxLinesRev, auxLinesMeter, numerator, denominator;
    std::unique_ptr<ZRBoolAttribute> gearBox;
    TarvikUnitSubjects s;
};

TEST_F(TarvikScales, UserUnitsUseTheScaleAndLabel) {
    units->SetValue(2);
    positionScale->SetValue(1000.0F);
    positionLabel->SetValue("mm");
    auto scale = Connected<ZRPositionScale>();
    double value = 5000;
    EXPECT_TRUE(scale->ScaleValue(value));
    EXPECT_DOUBLE_EQ(value, 5.0);
    EXPECT_EQ(Connected<ZRPositionUnits>()->GetUnits(), "mm");
    EXPECT_EQ(Connected<TarvikAnalogPositionUnits>()->GetUnits(), "mm/Volt");
    // The feedback models follow the source: the auxiliary encoder's own factor and label.
    auxPositionScale->SetValue(4.0F);
    auxPositionLabel->SetValue("deg");
    source->SetValue(1);
    EXPECT_DOUBLE_EQ(Factor<ZRFBPositionScale>(), 4.0);
    EXPECT_EQ(Connected<ZRFBPositionUnits>()->GetUnits(), "deg");
    EXPECT_DOUBLE_EQ(Factor<TarvikAuxPositionScale>(), 4.0);
}

TEST_F(TarvikScales, MotorFactorsByTypeEncoderAndUnitSystem) {
    struct Case {
        int units, type, encoder, interpolation;
        uint32_t lr, lm;
        double velocity, accel;
        const char* velocityText;
        const char* accelText;
    } cases[] = {
        {0, 0, 0, 3, 2000, 0, 2000.0 / 15, 8000, "RPM", "Revs/s^2"},
        {0, 0, 1, 6, 2000, 0, 2000.0 * 64 / 15, 8000 * 64, "RPM", "Revs/s^2"},
        {1, 1, 0, 0, 0, 100000, 4 * 100000 / 39.37, 4 * 100000 / 39.37, "in/s", "in/s^2"},
        {0, 1, 0, 0, 0, 100000, 400000, 400000, "m/s", "m/s^2"},
        {0, 2, 1, 2, 0, 0, 4, 4, "", ""},
        {3, 0, 0, 0, 2000, 0, 1, 1, "", ""},
    };
    for (const Case& c : cases) {
        units->SetValue(c.units);
        motorType->SetValue(c.type);
        encoder->SetValue(c.encoder);
        interpolation->SetValue(c.interpolation);
        linesRev->SetValue(c.lr);
        linesMeter->SetValue(c.lm);
        SCOPED_TRACE(c.velocity);
        EXPECT_NEAR(Factor<ZRVelocityScale>(), c.velocity, 1e-9);
        EXPECT_NEAR(Factor<ZRFBVelocityScale>(), c.velocity, 1e-9);
        EXPECT_NEAR(Factor<TarvikAccelScale>(), c.accel, 1e-9);
        EXPECT_NEAR(Factor<ZRFBAccelScale>(), c.accel, 1e-9);
        EXPECT_EQ(Connected<ZRVelocityUnits>()->GetUnits(), c.velocityText);
        EXPECT_EQ(Connected<TarvikAccelUnits>()->GetUnits(), c.accelText);
        EXPECT_EQ(Connected<ZRFBVelocityUnits>()->GetUnits(), c.velocityText);
    }
}

TEST_F(TarvikScales, CurrentLimitAndAnalogScales) {
    intermittent->SetValue(10);
    driveSize->SetValue(0); // 15 A
    auto limit = Connected<ZRCurrentLimitScale>();
    double value = 50;
    ASSERT_TRUE(limit->ScaleValue(value));
    EXPECT_DOUBLE_EQ(value, 5.0);
    EXPECT_DOUBLE_EQ(Factor<TarvikAnalogCurrentScale>(), 100.0);
    precision->SetValue(2);
    EXPECT_EQ(Connected<TarvikAnalogCurrentScale>()->GetPrecision(), 3);
    EXPECT_EQ(Connected<ZRCurrentScale>()->GetPrecision(), 2);
    EXPECT_DOUBLE_EQ(Factor<ZRCurrentScale>(), 128.0);
    // A motor current above the drive's rating counts the rating.
    intermittent->SetValue(40);
    EXPECT_DOUBLE_EQ(Factor<ZRCurrentLimitScale>(), 100.0 / 15);

    // Analog velocity: 1000 counts per volt per unit of the motor's maximum speed.
    maxSpeed->SetValue(4000);
    EXPECT_DOUBLE_EQ(Factor<TarvikAnalogVelocityScale>(), 0.25);
    EXPECT_EQ(Connected<TarvikAnalogVelocityUnits>()->GetUnits(), "RPM/Volt");
    // Analog output by signal group; a small motor current is held at the drive's lower bound.
    intermittent->SetValue(100);
    signal->SetValue(2);
    EXPECT_DOUBLE_EQ(Factor<TarvikAnalogOutScale>(), 1048448.0 / 1292);
    EXPECT_EQ(Connected<TarvikAnalogOutUnits>()->GetUnits(), "Amps/Volt");
    signal->SetValue(1);
    EXPECT_DOUBLE_EQ(Factor<TarvikAnalogOutScale>(), 16383.0 / 4000);
    EXPECT_EQ(Connected<TarvikAnalogOutUnits>()->GetUnits(), "RPM/Volt");
    signal->SetValue(3);
    EXPECT_DOUBLE_EQ(Factor<TarvikAnalogOutScale>(), 1.0);
    EXPECT_EQ(Connected<TarvikAnalogOutUnits>()->GetUnits(), "");
}

TEST_F(TarvikScales, GearScalesFollowTheGearBox) {
    numerator->SetValue(3);
    denominator->SetValue(1);
    EXPECT_DOUBLE_EQ(Factor<ZRGearScale>(), 1.0);
    gearBox->SetValue(true);
    auto gear = Connected<ZRGearScale>();
    auto inverse = Connected<ZRInverseGearScale>();
    double speed = 1000, lines = 1000;
    ASSERT_TRUE(gear->ScaleValue(speed));
    ASSERT_TRUE(inverse->ScaleValue(lines));
    EXPECT_DOUBLE_EQ(speed, 3000.0);
    EXPECT_DOUBLE_EQ(lines, 1000.0 / 3);
}

// A zero divisor never gives an infinite or zero factor: the scale answers 1.0 and fails, so
// values are neither shown nor stored through it.
TEST_F(TarvikScales, ZeroDivisorsFailWithFactorOne) {
    gearBox->SetValue(true);
    numerator->SetValue(0);
    denominator->SetValue(0);
    units->SetValue(0);
    motorType->SetValue(0); // rotary, no lines
    driveSize->SetValue(0);
    auto gear = Connected<ZRGearScale>();
    auto inverse = Connected<ZRInverseGearScale>();
    auto velocity = Connected<ZRVelocityScale>();
    auto accel = Connected<TarvikAccelScale>();
    auto limit = Connected<ZRCurrentLimitScale>();
    auto analog = Connected<TarvikAnalogVelocityScale>();
    auto user = Connected<ZRPositionScale>();
    for (ZRScale* scale : std::initializer_list<ZRScale*>{gear.get(), inverse.get(), velocity.get(), accel.get(),
                                                          limit.get(), analog.get()}) {
        double factor = 0;
        EXPECT_FALSE(scale->GetScaleFactor(factor));
        EXPECT_EQ(factor, 1.0);
        double value = 7;
        EXPECT_FALSE(scale->ScaleValue(value));
        EXPECT_FALSE(scale->UnscaleValue(value));
        EXPECT_EQ(value, 7);
    }
    units->SetValue(2);
    positionScale->SetValue(0.0F);
    double factor = 0;
    EXPECT_FALSE(user->GetScaleFactor(factor));
    EXPECT_EQ(factor, 1.0);
    // An interpolation choice outside the table has no multiplier either.
    units->SetValue(0);
    linesRev->SetValue(2000);
    encoder->SetValue(1);
    interpolation->SetInvalid();
    EXPECT_FALSE(velocity->GetScaleFactor(factor));
}

TEST_F(TarvikScales, UnconnectedAnswersNeutralValues) {
    double factor = 0;
    EXPECT_TRUE(ZRVelocityScale(nullptr).GetScaleFactor(factor));
    EXPECT_EQ(factor, 1.0);
    EXPECT_TRUE(TarvikAnalogVelocityScale(nullptr).GetScaleFactor(factor));
    EXPECT_EQ(factor, 1000.0);
    EXPECT_EQ(TarvikAnalogPositionScale(nullptr).GetPrecision(), 1);
    EXPECT_EQ(ZRCurrentScale(nullptr).GetPrecision(), 1);
    EXPECT_EQ(ZRPositionUnits(nullptr).GetUnits(), "");
    EXPECT_EQ(TarvikAnalogVelocityUnits(nullptr).GetUnits(), "");
}

TEST_F(TarvikScales, ChangesArePassedOnAndAGoneSubjectDetaches) {
    auto velocity = Connected<ZRVelocityScale>();
    auto position = Connected<ZRPositionScale>();
    auto velocityUnits = Connected<ZRVelocityUnits>();
    auto currentUnits = Connected<ZRCurrentUnits>();
    auto auxAccel = Connected<TarvikAuxAccelUnits>();
    ReasonRecorder v(*velocity), p(*position), vu(*velocityUnits), cu(*currentUnits), au(*auxAccel);
    units->SetValue(1);
    for (ReasonRecorder* scale : {&v, &p})
        EXPECT_EQ(scale->reasons, std::vector<int>{ZRUpdate::ValueChanged});
    for (ReasonRecorder* model : {&vu, &cu, &au})
        EXPECT_EQ(model->reasons, std::vector<int>{ZRUpdate::UnitsChanged});

    // The motor type goes: every model reading it falls back to not connected, the others stay.
    motorType.reset();
    EXPECT_FALSE(velocity->IsConnected());
    EXPECT_FALSE(velocityUnits->IsConnected());
    EXPECT_TRUE(position->IsConnected());
    EXPECT_EQ(velocityUnits->GetUnits(), "");
    v.Clear();
    units->SetValue(0);
    EXPECT_TRUE(v.reasons.empty());
}

} // namespace

// ---- the scope's channel scales

TEST_F(TarvikScales, ScopeChannelFactorsFollowTheDriveAndFailWithoutIt) {
    struct Case {
        const char* what;
        std::function<void()> set;
        std::function<bool(double&)> factor;
        double expected;
        bool ok;
    };
    auto of = [this]<class M>(M*) {
        return std::function<bool(double&)>([this](double& factor) { return Connected<M>()->GetScaleFactor(factor); });
    };
    using Current = ZRNoxelCurrentChannelScale*;
    using Position = ZRNoxelPositionChannelScale*;
    using FBPosition = ZRNoxelFBPositionChannelScale*;
    using AuxPosition = TarvikAuxPositionChannelScale*;
    using Velocity = ZRNoxelVelocityChannelScale*;
    const double least30 = 0.673187255859375 * 30;
    const Case cases[] = {
        {"current, small motor on a 30 A drive", [&] { driveSize->SetValue(1); intermittent->SetValue(10); },
         of(Current{}), 8191 / least30, true},
        {"current, motor above the rating", [&] { driveSize->SetValue(1); intermittent->SetValue(40); },
         of(Current{}), 8191.0 / 30, true},
        {"current, motor between", [&] { driveSize->SetValue(1); intermittent->SetValue(25); }, of(Current{}),
         8191.0 / 25, true},
        {"position, metric", [&] { positionScale->SetValue(8.0F); }, of(Position{}), 1.0, true},
        {"position, user", [&] { units->SetValue(2); positionScale->SetValue(8.0F); }, of(Position{}), 8.0, true},
        {"feedback position, motor source",
         [&] { units->SetValue(2); positionScale->SetValue(8.0F); auxPositionScale->SetValue(3.0F); },
         of(FBPosition{}), 8.0, true},
        {"feedback position, auxiliary source",
         [&] { units->SetValue(2); source->SetValue(1); auxPositionScale->SetValue(3.0F); }, of(FBPosition{}), 3.0,
         true},
        {"auxiliary position, user", [&] { units->SetValue(2); auxPositionScale->SetValue(3.0F); },
         of(AuxPosition{}), 3.0, true},
        {"velocity, rotary metric", [&] { maxSpeed->SetValue(3000); }, of(Velocity{}), 16383.0 / 3000, true},
        {"velocity, linear english", [&] { motorType->SetValue(1); maxSpeedLinear->SetValue(5); units->SetValue(1); },
         of(Velocity{}), 16383.0 / 5 * 0.025400050800101603, true},
        {"velocity, rotary user",
         [&] {
             maxSpeed->SetValue(3000);
             units->SetValue(2);
             linesRev->SetValue(2000);
             velocityScale->SetValue(2.0F);
         },
         of(Velocity{}), 16383.0 / 3000 / 2000 * 15 * 2, true},
        {"velocity, interpolated encoder in user units",
         [&] {
             maxSpeed->SetValue(3000);
             units->SetValue(2);
             encoder->SetValue(1);
             interpolation->SetValue(2);
             linesRev->SetValue(2000);
         },
         of(Velocity{}), 16383.0 / 3000 / 4 / 2000 * 15, true},
        // An interpolation choice outside the table only fails the user units it divides.
        {"velocity, unknown interpolation in metric units",
         [&] {
             maxSpeed->SetValue(3000);
             encoder->SetValue(1);
             interpolation->SetInvalid();
         },
         of(Velocity{}), 16383.0 / 3000, true},
        {"velocity, unknown interpolation in english units",
         [&] {
             motorType->SetValue(1);
             maxSpeedLinear->SetValue(5);
             units->SetValue(1);
             encoder->SetValue(1);
             interpolation->SetInvalid();
         },
         of(Velocity{}), 16383.0 / 5 * 0.025400050800101603, true},
        {"velocity, unknown interpolation in user units",
         [&] {
             maxSpeed->SetValue(3000);
             units->SetValue(2);
             encoder->SetValue(1);
             interpolation->SetInvalid();
             linesRev->SetValue(2000);
         },
         of(Velocity{}), 1.0, false},
        {"velocity, no maximum speed", [&] { maxSpeed->SetValue(0); }, of(Velocity{}), 1.0, false},
        {"velocity, no lines in user units", [&] { maxSpeed->SetValue(3000); units->SetValue(2); },
         of(Velocity{}), 1.0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        units->SetValue(0);
        motorType->SetValue(0);
        encoder->SetValue(0);
        interpolation->SetValue(0);
        source->SetValue(0);
        linesRev->SetValue(0);
        velocityScale->SetValue(1.0F);
        c.set();
        double factor = 0;
        EXPECT_EQ(c.factor(factor), c.ok);
        EXPECT_NEAR(factor, c.expected, 1e-9);
    }

    // Without a drive every scale answers 1.0 and failure.
    ZRNoxelTempChannelScale temperature;
    ZRNoxelVelocityChannelScale unbound(nullptr);
    double factor = 0;
    EXPECT_FALSE(temperature.GetScaleFactor(factor));
    EXPECT_DOUBLE_EQ(factor, 1.0);
    EXPECT_FALSE(unbound.GetScaleFactor(factor));
    EXPECT_DOUBLE_EQ(factor, 1.0);
    temperature.SetReference(intermittent.get());
    intermittent->SetValue(64);
    EXPECT_TRUE(temperature.GetScaleFactor(factor));
    EXPECT_DOUBLE_EQ(factor, 0.64);
}

TEST_F(TarvikScales, ScopeChannelScalesPassOnTheUnitSystemChanges) {
    auto position = Connected<ZRNoxelPositionChannelScale>();
    auto velocity = Connected<ZRNoxelVelocityChannelScale>();
    ReasonRecorder positionSeen(*position);
    ReasonRecorder velocitySeen(*velocity);
    units->SetValue(2);
    EXPECT_EQ(positionSeen.Count(ZRUpdate::ValueChanged), 1);
    EXPECT_EQ(velocitySeen.Count(ZRUpdate::ValueChanged), 1);
    // A subject that goes is let go of; the scale then answers as unbound.
    positionScale.reset();
    double factor = 0;
    EXPECT_FALSE(position->GetScaleFactor(factor));
}
