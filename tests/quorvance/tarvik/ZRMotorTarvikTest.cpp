// The motor block against the motor catalogue: choosing a model loads its data, a model text never
// becomes part of a query, and the rows follow the motor's type and data source.
#include "TarvikBlockFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"

namespace {

constexpr const char* kNoSmartEncoder =
    "The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.";
constexpr const char* kSmartEncoder =
    "The motor selected has an intelligent encoder. Auto Motor Iden will be enabled.";

class MotorBlock : public TarvikBlockFixture {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        // Made once the catalogue is open, as the program makes drives.
        block = std::make_unique<ZRMotorTarvik>();
        block->Init();
    }
    // On line the drive holds every value the block reads.
    void Attach(bool offLine) {
        device = std::make_unique<TestDevice>(&storage, true);
        block->Attach(device.get(), 1);
        if (!offLine) {
            block->SaveAll();
            storage.longs[FakeStorage::Key(-171, 1, 0x0158FFFF)] = 129; // "Motor Parameter Source"
            device->SetOffLine(false);
            block->Attach(device.get(), 1);
        }
    }

    FakeStorage storage;
    std::unique_ptr<TestDevice> device;
    std::unique_ptr<ZRMotorTarvik> block;
};

} // namespace

TEST_F(MotorBlock, ChoosingARotaryModelWritesItsDataOffLine) {
    Attach(true);
    ModalScript script;
    script.ExpectMessage(kNoSmartEncoder, platform::core::IDOK);
    block->GetMotorModel()->SetAsString("QV-R 40-1 A");

    EXPECT_EQ(block->GetAutoMotorIden()->GetAsString(), "Disabled");
    EXPECT_EQ(block->GetMotorFlag()->GetAsString(), "Standard");
    EXPECT_NEAR(block->GetResistance()->GetValue(), 14.2, 1.0 / 256);
    EXPECT_NEAR(block->GetInductance()->GetValue(), 21.5, 1.0 / 256);
    EXPECT_NEAR(block->GetTorqueConstant()->GetValue(), 0.18, 1.0 / 4096);
    EXPECT_EQ(block->GetMaximumSpeed()->GetInternalValue(), 6000u);
    EXPECT_EQ(block->GetLinesRevolution()->GetInternalValue(), 2000u);
    EXPECT_EQ(block->GetCommutation()->GetAsString(), "Sinusoidal");
    // Written through to the storage, raw.
    EXPECT_EQ(storage.longs[FakeStorage::Key(-171, 1, 0x0038FFFF)], 6000);
}

TEST_F(MotorBlock, AnIntelligentEncoderOnLineLeavesTheDataToTheDrive) {
    Attach(false);
    block->GetAutoMotorIden()->SetValue(true);
    const uint32_t resistance = block->GetResistance()->GetInternalValue();
    ModalScript script;
    script.ExpectMessage(kSmartEncoder, platform::core::IDOK);
    block->GetMotorModel()->SetAsString("QV-R 80-3 C");
    EXPECT_EQ(block->GetAutoMotorIden()->GetAsString(), "Enabled");
    EXPECT_EQ(block->GetResistance()->GetInternalValue(), resistance);
}

TEST_F(MotorBlock, ModelTextIsBoundNotPastedIntoTheQuery) {
    Attach(true);
    const uint32_t resistance = block->GetResistance()->GetInternalValue();
    // Pasted into the condition, each of these would match a catalogue row or break the query.
    for (const char* model : {"x' OR 'a'='a", "QV-R 40-1 A' --", "O'Neil"}) {
        ModalScript script; // no message may appear
        block->GetMotorModel()->SetAsString(model);
        EXPECT_EQ(block->GetResistance()->GetInternalValue(), resistance) << model;
        EXPECT_EQ(block->GetAutoMotorIden()->GetAsString(), "Enabled") << model;
    }
}

TEST_F(MotorBlock, AttachingAStoredDriveDoesNotReloadTheCatalogue) {
    storage.strings[FakeStorage::Key(-171, 1, 0x00EBFFFF)] = "QV-R 40-1 A";
    ModalScript script; // the model's data are not loaded, so no message either
    Attach(true);
    EXPECT_EQ(block->GetMotorModel()->GetAsString(), "QV-R 40-1 A");
    EXPECT_EQ(block->GetResistance()->GetInternalValue(), 998u);
}

TEST_F(MotorBlock, RowsFollowTheMotorTypeAndTheDataSource) {
    block->GetMotorType()->SetAsString("Linear");
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{block->GetTorqueConstant(), block->GetInertia(),
                                                              block->GetLinesRevolution(), block->GetGearBox()})
        EXPECT_TRUE(a->IsHidden()) << a->GetName();
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{block->GetForceConstant(), block->GetMass(),
                                                              block->GetLinesMeter(), block->GetMaximumSpeedLinear()})
        EXPECT_FALSE(a->IsHidden()) << a->GetName();
    EXPECT_TRUE(block->GetGearRatioNumerator()->IsHidden());

    block->GetMotorParameterSource()->SetAsString("Motor Blob");
    EXPECT_TRUE(block->GetMotorModel()->IsHidden());
    EXPECT_TRUE(block->GetAutoMotorIden()->IsHidden());

    block->GetSinusoidalStartup()->SetAsString("Self-Sensing");
    EXPECT_TRUE(block->GetSelfSensingCurrent()->IsHidden());
    block->GetAutoMotorIden()->SetValue(true);
    EXPECT_FALSE(block->GetSelfSensingCurrent()->IsHidden());
}

TEST_F(MotorBlock, AnEncoderKindTheOptionsDoNotHoldLeavesNoValidChoiceAndTheRestIsWritten) {
    Attach(true);
    ModalScript script;
    script.ExpectMessage(kNoSmartEncoder, platform::core::IDOK);
    // Its 131072 lines do not fit the drive's word: the attribute says so, the rest goes on.
    script.ExpectMessage("Lines/Revolution: Invalid Entry", platform::core::IDOK);
    // The catalogue gives this motor encoder kind 4, which no firmware offers.
    block->GetMotorModel()->SetAsString("QV-R 80-1 A");
    // The selection's placeholder, none of the kinds.
    for (const char* kind : {"Incremental", "Sine/Cosine", "SRS/SRM", "SKS/SKM"})
        EXPECT_NE(block->GetEncoder()->GetAsString(), kind);
    EXPECT_NEAR(block->GetResistance()->GetValue(), 1.6, 1.0 / 256);
    EXPECT_EQ(block->GetSinusoidalStartup()->GetAsString(), "Serial");
}
