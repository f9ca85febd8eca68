// The Tarvik blocks as objects: identity and lists, the rules that show and enable their rows, and
// their values kept in a project database.
#include "TarvikBlockFixture.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"

#include <filesystem>
#include <functional>
#include <sstream>

namespace {

using Maker = std::function<std::unique_ptr<ZRObject>()>;
template <class T> Maker MakerOf() {
    return [] { return std::make_unique<T>(); };
}

std::vector<std::string> Texts(const ZRObject::AttributeList& list) {
    std::vector<std::string> texts;
    for (ZRAttribute* a : list)
        texts.push_back(a->GetName() + "=" + a->GetAsString());
    return texts;
}

using TarvikIoBlocks = TarvikBlockFixture;

} // namespace

TEST_F(TarvikIoBlocks, InitGivesEachBlockItsIdentityAndLists) {
    struct Case {
        Maker make;
        int32_t type;
        const char* name;
        size_t properties; // the name row included
        size_t status;
        const char* firstProperty;
        const char* lastProperty;
    };
    const Case cases[] = {
        {MakerOf<ZREncodersTarvik>(), -169, "Encoders", 13, 27, "Position Feedback Source", "Test Distance"},
        {MakerOf<ZRDeviceNetTarvik>(), -156, "DeviceNet", 12, 22, "Node Address", "Faulted Logic Command"},
        {MakerOf<ZRMotorTarvik>(), -171, "Motor", 44, 0, "Motor Model", "Maximum Speed"},
        {MakerOf<ZRDigInTarvik>(), -168, "Digital Inputs", 9, 8, "Input 1", "Input 8"},
        {MakerOf<ZRDigOutTarvik>(), -167, "Digital Outputs", 18, 10, "Brake Active Delay",
         "Relay Override State"},
        {MakerOf<TarvikAnalogOut>(), -166, "Analog Output", 7, 2, "Signal", "Override Mode"},
        {MakerOf<ZRNoxelScope>(), -164, "Oscilloscope", 23, 1, "Input Signal", "Trigger Position"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ZRObject> block = c.make();
        block->Init();
        EXPECT_EQ(block->GetClass(), c.type);
        EXPECT_EQ(block->GetName().GetAsString(), c.name);
        EXPECT_EQ(block->GetVersion(), 0x13301u);
        ASSERT_EQ(block->GetProperties().size(), c.properties);
        EXPECT_EQ(block->GetStatus().size(), c.status);
        EXPECT_EQ(block->GetProperties()[1]->GetName(), c.firstProperty);
        EXPECT_EQ(block->GetProperties().back()->GetName(), c.lastProperty);
    }
}

TEST_F(TarvikIoBlocks, DefaultsAndIdsOfTheRowsOthersRelyOn) {
    ZRObject drive;
    auto* motor = Adopt<ZRMotorTarvik>(drive);
    auto* encoders = Adopt<ZREncodersTarvik>(drive);
    auto* digIn = Adopt<ZRDigInTarvik>(drive);
    auto* out = Adopt<TarvikAnalogOut>(drive);
    struct Case {
        ZRAttribute* attribute;
        int32_t id;
        const char* text;
    };
    const Case cases[] = {
        {motor->GetLinesRevolution(), 0x0037FFFF, "2000"},
        {motor->GetEncoder(), 0x00DFFFFF, "Incremental"},
        {motor->GetCommutation(), 0x0040FFFF, "Sinusoidal"},
        {motor->GetSinusoidalStartup(), 0x00E0FFFF, "Hall Inputs"},
        {motor->GetAutoMotorIden(), 0x0159FFFF, "Enabled"},
        {motor->GetResistance(), 0x003DFFFF, "3.898"},
        {motor->GetFluxSaturation(7), 0x00E50007, "1.000"},
        {encoders->GetMotorEncoderInterpolation(), 0x00EDFFFF, "x256"},
        {encoders->GetEncoderRatioLoadMotor(), 0x0101FFFF, "1:1"},
        {encoders->GetPositionFeedbackSource(), 0x002CFFFF, "Motor Encoder"},
        {encoders->GetEncoderTestControl(), 0x01970200, "0"},
        {encoders->GetConnection(8), 0x019A0008, " "},
        {digIn->GetInput(0), 0x00690000, ""},
        {digIn->GetInputState(7), 0x0076FFFF, "False"},
        {out->GetOverrideValue(), 0x004F0200, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute->GetName());
        EXPECT_EQ(c.attribute->GetAttribute(), c.id);
        if (*c.text) {
            EXPECT_EQ(c.attribute->GetAsString(), c.text);
        }
    }
    EXPECT_EQ(digIn->GetInput(0)->GetValue(), static_cast<int32_t>(0x80000000));
    EXPECT_EQ(digIn->GetSercosInput()->GetValue(), static_cast<int32_t>(0x80000000));
    EXPECT_EQ(encoders->GetProgrammingStatus()->GetAsString(), "Not Started                 ");
    EXPECT_TRUE(encoders->GetLinesMeter()->IsHidden());
    EXPECT_FALSE(encoders->GetDivider()->GetEnabled());
}

TEST_F(TarvikIoBlocks, InterpolationFactorOnlyForOfferedChoices) {
    struct Case {
        int index;
        int32_t factor;
        bool ok;
    };
    // 9 is the unexpected-value entry, -1 no selection: neither may pass for a real factor.
    const Case cases[] = {{0, 1, true}, {6, 64, true}, {8, 256, true}, {9, 1, false}, {10, 1, false}, {-1, 1, false}};
    for (const Case& c : cases) {
        int32_t factor = 0;
        EXPECT_EQ(ZREncodersTarvik::GetInterpolationFactor(c.index, factor), c.ok) << c.index;
        EXPECT_EQ(factor, c.factor) << c.index;
        EXPECT_EQ(ZREncodersTarvik::GetInterpolationFactor(c.index), c.factor) << c.index;
    }
}

TEST_F(TarvikIoBlocks, EncoderRowsFollowTheirOwnAndTheMotorsSettings) {
    ZRObject drive;
    drive.SetClass(tarvik::kStandardDriveType);
    auto* motor = Adopt<ZRMotorTarvik>(drive);
    auto* encoders = Adopt<ZREncodersTarvik>(drive);

    // A standard drive has no feedback source to choose.
    EXPECT_EQ(encoders->GetPositionFeedbackSource()->GetAttribute(), -1);
    EXPECT_TRUE(encoders->GetPositionFeedbackSource()->IsHidden());

    encoders->GetType()->SetAsString("Linear");
    EXPECT_TRUE(encoders->GetLinesRevolution()->IsHidden());
    EXPECT_FALSE(encoders->GetLinesMeter()->IsHidden());
    encoders->GetType()->SetAsString("Rotary");
    EXPECT_FALSE(encoders->GetLinesRevolution()->IsHidden());
    EXPECT_TRUE(encoders->GetLinesMeter()->IsHidden());

    encoders->GetOutputSignal()->SetAsString("Interpolated");
    EXPECT_FALSE(encoders->GetDivider()->GetEnabled());
    EXPECT_TRUE(encoders->GetMaximumOutputFrequency()->GetEnabled());
    encoders->GetOutputSignal()->SetAsString("Divided");
    EXPECT_TRUE(encoders->GetDivider()->GetEnabled());

    motor->GetEncoder()->SetAsString("Sine/Cosine");
    EXPECT_FALSE(encoders->GetMotorEncoderInterpolation()->IsHidden());
    motor->GetEncoder()->SetAsString("Incremental");
    EXPECT_TRUE(encoders->GetMotorEncoderInterpolation()->IsHidden());

    motor->GetAutoMotorIden()->SetValue(true);
    EXPECT_TRUE(encoders->GetEncoderTemperature()->IsHidden());
    motor->GetAutoMotorIden()->SetValue(false);
    EXPECT_FALSE(encoders->GetEncoderTemperature()->IsHidden());
}

TEST_F(TarvikIoBlocks, EncodersOutliveOrPrecedeTheMotorSafely) {
    // Either block may be deleted first; the encoders stop following the motor in both orders.
    {
        ZRObject drive;
        auto* motor = Adopt<ZRMotorTarvik>(drive);
        auto* encoders = Adopt<ZREncodersTarvik>(drive);
        drive.RemoveChild(motor).reset();
        encoders->GetType()->SetAsString("Linear");
    }
    {
        ZRObject drive;
        auto* motor = Adopt<ZRMotorTarvik>(drive);
        auto* encoders = Adopt<ZREncodersTarvik>(drive);
        drive.RemoveChild(encoders).reset();
        motor->GetEncoder()->SetAsString("Sine/Cosine");
        motor->GetAutoMotorIden()->SetValue(true);
    }
}

TEST_F(TarvikIoBlocks, ResetDriveEntryNamedUnsupportedOnlyOnLineBeforeItsFirmware) {
    struct Case {
        bool offLine;
        uint32_t firmware;
        const char* text;
    };
    const Case cases[] = {{false, 0x10D05, "Not Supported (Reset Drive)"},
                          {false, 0x10D06, "Reset Drive"},
                          {true, 0x10D05, "Reset Drive"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.firmware);
        FakeStorage storage;
        TestDevice device(&storage, c.offLine);
        // What the drive reports as the blocks' version on line; off line the project keeps it.
        storage.longs[{tarvik::kDigInType, 1, ZRObject::kVersionAttribute}] = static_cast<int32_t>(c.firmware);
        storage.longs[{tarvik::kDeviceNetType, 1, ZRObject::kVersionAttribute}] = static_cast<int32_t>(c.firmware);
        ZRDigInTarvik inputs;
        ZRDeviceNetTarvik net;
        inputs.Init();
        net.Init();
        inputs.Attach(&device, 1);
        net.Attach(&device, 1);
        const int resetDrive = inputs.GetInput(3)->GetIndex(0x01000000);
        EXPECT_EQ(inputs.GetInput(3)->GetIndexedString(resetDrive), c.text);
        EXPECT_EQ(net.GetFaultedLogicCommand()->GetIndexedString(net.GetFaultedLogicCommand()->GetIndex(0x01000000)),
                  c.text);
    }
}

TEST_F(TarvikIoBlocks, OutputOverrideStartsFromTheOutputsState) {
    FakeStorage storage;
    TestDevice device(&storage, false);
    ZRDigOutTarvik outputs;
    outputs.Init();
    outputs.Attach(&device, 1);
    const auto word = FakeStorage::Key{-167, 1, (tarvik::param::kOutputOverride << 16) | 0x200};
    storage.longs[word] = 0;

    outputs.GetOutputState(1)->SetValue(true);
    outputs.GetModeRequest(1)->SetValue(true);
    EXPECT_EQ(storage.longs[word], 0x0202); // override state (bit 9) and mode (bit 1)
    EXPECT_TRUE(outputs.GetOverrideState(1)->GetValue());

    outputs.GetModeRequest(1)->SetValue(false);
    EXPECT_EQ(storage.longs[word], 0x0200); // only the mode bit goes
}

TEST_F(TarvikIoBlocks, AnalogOutputShowsTheWideScaleForPositionSignals) {
    struct Case {
        const char* signal;
        bool wideSupported;
        bool wideShown;
    };
    const Case cases[] = {{"Position Error", true, true},
                          {"Velocity Command", true, false},
                          {"Position Error", false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.signal);
        TarvikAnalogOut out;
        out.Init();
        out.GetScale32()->SetSupported(c.wideSupported);
        out.GetSignal()->SetAsString(c.signal);
        EXPECT_EQ(out.GetScale32()->IsHidden(), !c.wideShown);
        EXPECT_EQ(out.GetScale()->IsHidden(), c.wideShown);
    }
}

TEST_F(TarvikIoBlocks, AnalogOutputCopyClampsTheWideScaleForOlderFirmware) {
    struct Case {
        int32_t wide;
        const char* message;
        int32_t narrow;
    };
    const Case cases[] = {
        {100000, "Analog Output Scale is out of range for target device.\nSetting it to 32767", 32767},
        {-100000, "Analog Output Scale is out of range for target device.\nSetting it to -32768", -32768},
        {1234, nullptr, 1234},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wide);
        TarvikAnalogOut source;
        TarvikAnalogOut target;
        source.Init();
        target.Init();
        source.GetSignal()->SetAsString("Position Feedback");
        source.GetScale32()->SetInternalValue(c.wide);
        target.GetScale32()->SetSupported(false);
        ModalScript script;
        if (c.message)
            script.ExpectMessage(c.message, platform::core::IDOK);
        target.Copy(&source, false);
        EXPECT_EQ(target.GetScale()->GetInternalValue(), c.narrow);
    }
}

TEST_F(TarvikIoBlocks, AnalogOutputImportFillsTheWideScaleFromAnOlderFile) {
    struct Case {
        const char* what;
        const char* narrowText; // the 2-byte scale's line, none when null
        const char* wideText;   // the 4-byte scale's line, none when null
        int32_t narrow, wide;
    };
    const Case cases[] = {
        {"written before the 4-byte scale", "500", nullptr, 500, 500},
        {"a 2-byte scale of 0", "0", nullptr, 0, 0},
        {"both scales", "0", "100000", 0, 100000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TarvikAnalogOut out;
        out.Init();
        out.GetScale()->SetInternalValue(7);
        out.GetScale32()->SetInternalValue(70000);
        std::string text = "BeginAttributes:\n";
        if (c.narrowText)
            text += out.GetScale()->GetKey() + ":" + c.narrowText + "\n";
        if (c.wideText)
            text += out.GetScale32()->GetKey() + ":" + c.wideText + "\n";
        text += "EndAttributes:\nBeginChildren:\nEndChildren:\n";
        std::istringstream in(text);
        ASSERT_TRUE(out.Import(in));
        EXPECT_EQ(out.GetScale()->GetInternalValue(), c.narrow);
        EXPECT_EQ(out.GetScale32()->GetInternalValue(), c.wide);
    }
}

TEST_F(TarvikIoBlocks, ScopeArmsOnlyWithASignalAndShowsManualScales) {
    FakeStorage storage;
    TestDevice device(&storage, false);
    ZRNoxelScope scope;
    scope.Init();
    scope.Attach(&device, 1);
    storage.ResetCalls();
    scope.ArmTrigger();
    EXPECT_TRUE(storage.serviceCalls.empty());

    scope.GetInputSignal(2)->SetInternalValue(5);
    scope.ArmTrigger();
    ASSERT_EQ(storage.serviceCalls.size(), 1u);
    EXPECT_EQ(storage.serviceCalls[0].service, 0x00A4FFFF);

    EXPECT_EQ(scope.GetScaleType(3)->GetOptions()->GetCount(), 6); // five choices and the placeholder
    scope.GetScaleType(1)->SetAsString("Manual");
    EXPECT_FALSE(scope.GetScale(1)->IsHidden());
    EXPECT_FALSE(scope.GetOffset(1)->IsHidden());
    scope.GetScaleType(1)->SetAsString("Auto");
    EXPECT_TRUE(scope.GetScale(1)->IsHidden());
}

TEST_F(TarvikIoBlocks, ValuesSurviveTheProjectDatabase) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        DBStorage db;
        db.OpenDB();
        TestDevice device(&db, true);
        struct Case {
            Maker make;
            std::function<void(ZRObject&)> edit;
        };
        const Case cases[] = {
            {MakerOf<ZREncodersTarvik>(),
             [](ZRObject& o) {
                 auto& e = static_cast<ZREncodersTarvik&>(o);
                 e.GetType()->SetAsString("Linear");
                 e.GetLinesMeter()->SetInternalValue(250000);
                 e.GetEncoderRatioLoadMotor()->SetAsString("3:2");
             }},
            {MakerOf<ZRDeviceNetTarvik>(),
             [](ZRObject& o) {
                 auto& d = static_cast<ZRDeviceNetTarvik&>(o);
                 d.GetNodeAddress()->SetInternalValue(12);
                 d.GetLogicCommandMask()->SetValue(static_cast<int32_t>(0xC0000000));
             }},
            {MakerOf<ZRMotorTarvik>(),
             [](ZRObject& o) {
                 auto& m = static_cast<ZRMotorTarvik&>(o);
                 m.GetMotorType()->SetAsString("Linear");
                 m.GetEncoder()->SetAsString("SKS/SKM");
             }},
            {MakerOf<ZRDigInTarvik>(),
             [](ZRObject& o) { static_cast<ZRDigInTarvik&>(o).GetInput(4)->SetValue(0x300); }},
            {MakerOf<ZRDigOutTarvik>(),
             [](ZRObject& o) {
                 auto& d = static_cast<ZRDigOutTarvik&>(o);
                 d.GetOutput(4)->SetValue(0x40000000);
                 d.GetBrakeActiveDelay()->SetInternalValue(-250);
             }},
            {MakerOf<TarvikAnalogOut>(),
             [](ZRObject& o) {
                 auto& a = static_cast<TarvikAnalogOut&>(o);
                 a.GetSignal()->SetAsString("Velocity Error");
                 a.GetOffset()->SetInternalValue(-1500);
             }},
            {MakerOf<ZRNoxelScope>(),
             [](ZRObject& o) {
                 auto& s = static_cast<ZRNoxelScope&>(o);
                 s.GetSamplePeriod()->SetInternalValue(20);
                 s.GetTriggerMode()->SetAsString("Falling Edge");
             }},
        };
        for (const Case& c : cases) {
            std::unique_ptr<ZRObject> stored = c.make();
            stored->Init();
            stored->Create(&device);
            c.edit(*stored);
            SCOPED_TRACE(stored->GetName().GetAsString());
            std::unique_ptr<ZRObject> reopened = c.make();
            reopened->Init();
            reopened->Attach(&device, stored->GetInstance());
            reopened->Refresh();
            EXPECT_EQ(Texts(reopened->GetProperties()), Texts(stored->GetProperties()));
        }
    }
    std::filesystem::current_path(previous);
}

TEST_F(TarvikIoBlocks, NodeAddressOutsideTheNetworkIsRefusedBeforeAnythingIsSent) {
    FakeStorage storage;
    TestDevice device(&storage, false);
    ZRDeviceNetTarvik net;
    net.Init();
    net.Attach(&device, 1);
    storage.ResetCalls();
    EXPECT_TRUE(net.GetNodeAddress()->Validate("63"));
    ModalScript script;
    script.ExpectMessage("Node Address", platform::core::IDOK);
    EXPECT_FALSE(net.GetNodeAddress()->Validate("64"));
    EXPECT_EQ(storage.Calls("WriteUlong") + storage.Calls("WriteLong"), 0);
}

TEST_F(TarvikIoBlocks, CopyTakesOnlyABlockOfTheSameClass) {
    ZRObject drive;
    auto* motor = Adopt<ZRMotorTarvik>(drive);
    ZRObject other;
    auto* source = Adopt<ZRMotorTarvik>(other);
    {
        ModalScript script;
        script.ExpectMessage("does not have an intelligent encoder", platform::core::IDOK);
        source->GetMotorModel()->SetAsString("QV-R 40-1 A");
    }
    source->GetResistance()->SetInternalValue(1234);
    {
        // The copied model text takes the source's values, not the catalogue's.
        ModalScript script;
        motor->Copy(source, false);
    }
    EXPECT_EQ(motor->GetMotorModel()->GetAsString(), "QV-R 40-1 A");
    EXPECT_EQ(motor->GetResistance()->GetInternalValue(), 1234u);

    // Another block's rows would land in the wrong parameters.
    TarvikAnalogOut out;
    out.Init();
    auto* encoders = Adopt<ZREncodersTarvik>(other);
    encoders->GetType()->SetAsString("Linear");
    motor->Copy(encoders, false);
    out.Copy(encoders, false);
    EXPECT_EQ(motor->GetMotorType()->GetAsString(), "Rotary");
    EXPECT_EQ(out.GetSignal()->GetAsString(), "Unassigned");
}
