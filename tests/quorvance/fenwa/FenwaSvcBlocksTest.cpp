// The encoder, faults, service-information and scope blocks of a Fenwa drive: values read from and
// written to the simulated drive, kept in a project, copied; the fault flags and history from the
// family fault table; the capture replies and the channel option lists.
#include "FenwaLine.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/fenwa/FenwaChannelOptionList.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaEncoder.h"
#include "quorvance/fenwa/FenwaFaults.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaScope.h"
#include "quorvance/fenwa/FenwaServiceInfo.h"
#include "tests/support/ModalScript.h"
#include "tests/support/TempDir.h"
#include "tests/support/model/TestDevice.h"

#include <filesystem>
#include <functional>

namespace {

using namespace fenwa::attr;
using Strings = std::vector<std::string>;

// What the blocks take from their drive: the composite parameters "Statuses", "Pr-3.00" and
// "Prm-001", and the motor block's "Encoder" selection.
class HostDrive : public ZRObject {
public:
    HostDrive() {
        ZRObject::Init();
        SetClass(fenwa::kDriveType);
        m_Statuses = Composite(kStatuses, "Statuses", " P00000RDY0");
        m_Statuses->SetWritable(false);
        AddStatus(m_Statuses.get());
        m_Pr300 = Composite(kPr300, "Pr-3.00", "2000");
        m_Prm001 = Composite(kPrm001, "Prm-001", "0001");
        AddProperty(m_Pr300.get());
        AddProperty(m_Prm001.get());

        auto motor = std::make_unique<ZRObject>();
        motor->SetClass(fenwa::kMotorType);
        m_Encoder = std::make_unique<ZRIndexSelection>(motor->GetDevice());
        m_Encoder->SetObject(motor.get());
        m_Encoder->Define(kEncoderId);
        m_Encoder->SetName("Encoder");
        auto options = std::make_unique<ZRLongOptions>(motor.get(), 2);
        for (auto [value, text] :
             {std::pair{1, "Incremental"}, {2, "Sine/Cosine"}, {3, "SRS/SRM"}, {4, "SA35"}})
            options->Add(value, text);
        m_Encoder->SetOptions(std::move(options));
        m_Encoder->SetAsString("SA35");
        motor->AddProperty(m_Encoder.get());
        m_pMotor = motor.get();
        AddChild(std::move(motor), false);
    }
    ~HostDrive() override {
        // The blocks go first: they watch the composites and the motor's selection.
        const std::vector<ZRObject*> children(GetChildren().begin(), GetChildren().end());
        for (ZRObject* child : children)
            if (child != m_pMotor)
                std::unique_ptr<ZRObject> gone = RemoveChild(child);
        m_Encoder.reset();
    }

    template <class Block> Block* Add() {
        auto block = std::make_unique<Block>();
        Block* raw = block.get();
        AddChild(std::move(block), false);
        raw->Init();
        return raw;
    }
    // On line, each object at instance 1.
    void Place(ZRDevice* device) {
        DoSetDevice(device);
        for (ZRObject* child : GetChildren())
            child->SetInstance(1);
        SetInstance(1);
    }

    ZRCompositeAttribute* Statuses() const { return m_Statuses.get(); }
    ZRCompositeAttribute* Prm001() const { return m_Prm001.get(); }
    ZRIndexSelection* MotorEncoder() const { return m_Encoder.get(); }

private:
    std::unique_ptr<ZRCompositeAttribute> Composite(int32_t id, const char* name, const char* text) {
        auto c = std::make_unique<ZRCompositeAttribute>(GetDevice());
        c->SetObject(this);
        c->Define(id);
        c->SetName(name);
        c->SetValue(text);
        return c;
    }

    std::unique_ptr<ZRCompositeAttribute> m_Statuses, m_Pr300, m_Prm001;
    std::unique_ptr<ZRIndexSelection> m_Encoder;
    ZRObject* m_pMotor = nullptr;
};

class FenwaSvcBlocks : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    void TearDown() override {
        host.reset();
        FenwaLine::TearDown();
    }

    FenwaDevice device;
    std::unique_ptr<HostDrive> host = std::make_unique<HostDrive>();
};

Strings Texts(const ZRObject::AttributeList& list) {
    Strings texts;
    for (ZRAttribute* a : list)
        texts.push_back(a->GetName() + "=" + a->GetAsString());
    return texts;
}

} // namespace

TEST_F(FenwaSvcBlocks, ServiceInformationIsReadFromAndWrittenToTheDrive) {
    auto* info = host->Add<FenwaServiceInfo>();
    EXPECT_EQ(info->GetDriveModel()->GetAsString(), "FW-50");
    sim.SetParameter(1, 0x2BC, "03E8");
    sim.SetParameter(1, 0x25A, "FE0C");
    sim.SetParameter(1, 0x2C3, "0019");
    sim.SetParameter(1, 0x2BD, "FFF6");
    host->Place(&device);
    info->Refresh();
    EXPECT_EQ(info->GetDriveModel()->GetAsString(), "FW-1000");
    EXPECT_EQ(info->GetUPhaseCurrentOffset()->GetAsString(), "-5.00");
    EXPECT_EQ(info->GetDcBusAdcCalibration()->GetAsString(), "2.5");
    EXPECT_EQ(info->GetDcBusVoltageOffset()->GetValue(), -10);
    EXPECT_EQ(info->GetFirmwareVersion()->GetAsString(), "1.12");

    Sent();
    ASSERT_TRUE(info->GetWPhaseCurrentOffset()->SetAsString("-1.5"));
    EXPECT_EQ(Sent(), Strings{"CHP25BFFFFFF6A"});
    EXPECT_EQ(sim.Parameter(1, 0x25B), "FF6A");
    ASSERT_TRUE(info->GetDriveModel()->SetAsString("FW-200"));
    EXPECT_EQ(sim.Parameter(1, 0x2BC), "00C8");

    // The service commands run until the drive has done them.
    ASSERT_TRUE(info->GetResetFaultHistoryCommand().GetCommandText() == "ETC");
    EXPECT_EQ(info->GetRemoveCurrentOffsetCommand().GetData(), "07");
    EXPECT_EQ(info->GetServiceWriteCommand().GetSendMode(), FenwaStorage::UntilTok);
}

TEST(FenwaSvcCopy, ServiceInformationStaysWithItsDriveWhileTheOthersTakeTheSource) {
    FenwaServiceInfo source, target;
    source.Init();
    target.Init();
    source.GetExternalShuntCapacity()->SetValue(700);
    source.GetDriveModel()->SetAsString("FW-1500");
    target.Copy(&source, true);
    EXPECT_EQ(target.GetExternalShuntCapacity()->GetValue(), 0);
    EXPECT_EQ(target.GetDriveModel()->GetAsString(), "FW-50");

    FenwaFaults faultsSource, faults;
    faultsSource.Init();
    faults.Init();
    faultsSource.GetFollowingErrorLimit()->SetInternalValue(777);
    faultsSource.GetSamplePeriodAttribute()->SetAsString("2.4");
    faultsSource.GetChannel(2)->SetValue(22);
    faults.Copy(&faultsSource, true);
    EXPECT_EQ(Texts(faults.GetProperties()), Texts(faultsSource.GetProperties()));

    FenwaScope scopeSource, scope;
    scopeSource.Init();
    scope.Init();
    scopeSource.GetTriggerMode()->SetAsString("Rising Edge");
    scopeSource.GetOffset(1)->SetValue(-3);
    scope.Copy(&scopeSource, true);
    EXPECT_EQ(scope.GetTriggerMode()->GetAsString(), "Rising Edge");
    EXPECT_EQ(scope.GetOffset(1)->GetValue(), -3);

    FenwaEncoder encoderSource, encoder;
    encoderSource.Init();
    encoder.Init();
    encoderSource.GetMotorCounts()->SetValue(1000);
    encoder.Copy(&encoderSource, true);
    EXPECT_EQ(encoder.GetMotorCounts()->GetValue(), 1000);
}

TEST(FenwaSvcProject, ValuesSurviveTheProjectDatabase) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        DBStorage db;
        db.OpenDB();
        TestDevice device(&db, true);
        struct Case {
            std::function<std::unique_ptr<ZRObject>()> make;
            std::function<void(ZRObject&)> edit;
        };
        const Case cases[] = {
            {[] { return std::make_unique<FenwaEncoder>(); },
             [](ZRObject& o) {
                 auto& e = static_cast<FenwaEncoder&>(o);
                 e.GetOutputCounts()->SetValue(1024);
                 e.GetMotorCounts()->SetValue(65535);
             }},
            {[] { return std::make_unique<FenwaFaults>(); },
             [](ZRObject& o) {
                 auto& f = static_cast<FenwaFaults&>(o);
                 f.GetAcLineLossFaultDelay()->SetValue(500);
                 f.GetSamplePeriodAttribute()->SetAsString("0.4");
                 f.GetChannel(3)->SetValue(25);
             }},
            {[] { return std::make_unique<FenwaServiceInfo>(); },
             [](ZRObject& o) {
                 auto& s = static_cast<FenwaServiceInfo&>(o);
                 s.GetDriveModel()->SetAsString("FW-400");
                 s.GetUPhaseCurrentOffset()->SetAsString("-123.45");
                 s.GetAnalogOutput2Scale()->SetValue(-999);
             }},
            {[] { return std::make_unique<FenwaScope>(); },
             [](ZRObject& o) {
                 auto& s = static_cast<FenwaScope&>(o);
                 s.GetInputSignal(1)->SetValue(22);
                 s.GetTriggerThreshold()->SetValue(-100);
                 s.GetChnScaleType(1)->SetAsString("Same As ChA");
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

TEST_F(FenwaSvcBlocks, FaultFlagsFollowTheStatusCodeOfTheFaultTable) {
    auto* faults = host->Add<FenwaFaults>();
    const auto& flags = faults->GetFaultFlags();
    ASSERT_EQ(flags.size(), 40u);
    EXPECT_EQ(flags[0]->GetName(), "4: Motor Overtemperature Fault");
    EXPECT_EQ(flags[39]->GetName(), "PrE: Warning: Power Up Overspeed");
    host->Place(&device);

    auto lit = [&] {
        Strings on;
        for (const auto& flag : flags)
            if (flag->GetValue())
                on.push_back(flag->GetName());
        return on;
    };
    const struct {
        const char* code;
        Strings lit;
    } cases[] = {
        {"E22", {"4: Motor Overtemperature Fault"}},
        {"W04", {"PrE: Warning: Power Up Overspeed"}},
        {"E99", {}},
        {"RDY", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        sim.SetFault(1, c.code);
        flags[5]->Refresh(false);
        EXPECT_EQ(lit(), c.lit);
    }
}

TEST_F(FenwaSvcBlocks, FaultHistoryLinesComeFromTheFaultTable) {
    auto* faults = host->Add<FenwaFaults>();
    host->Place(&device);
    const std::string header = "(Most recent fault is listed first.)\n\n";
    const struct {
        const char* reply;
        std::string text;
    } cases[] = {
        {"22&13", header + "4      Motor Overtemperature Fault\n54      Current Feedback Offset Fault\n"},
        {"22&&13", header + "4      Motor Overtemperature Fault\n           No Fault\n54      Current "
                            "Feedback Offset Fault\n"},
        {"22", header + "4      Motor Overtemperature Fault\n"},
        {"", header + "           No Fault\n"},
        {"&", header + "           No Fault\n           No Fault\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        AnswerWith(c.reply);
        std::string text;
        faults->GetFaultHistory(text);
        EXPECT_EQ(text, c.text);
        EXPECT_EQ(Sent(), Strings{"EHY*"});
    }
}

TEST(FenwaSvcCapture, CaptureRepliesNeverYieldUnreadNumbers) {
    FenwaFaults faults;
    faults.Init();
    faults.GetChannel(0)->SetValue(12); // "Absolute Rotations": no scale
    const struct {
        const char* reply;
        std::vector<float> samples;
        bool captured;
    } cases[] = {
        {"FFF6&8000&FFF&FFFFFFFF", {-10, -32768, 4095, -1}, true},
        {"0000FF9C", {65436}, false},
        {"12&&zz&0x10", {18, -1, -1, -1}, true},
        {"", {-1}, false},
        {"FFFFFFFF&FFFF", {-1, -1}, false},
        {"123456789&7", {-1, 7}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reply);
        faults.ParseChannelData(0, c.reply);
        EXPECT_EQ(faults.GetSamples(0), c.samples);
        EXPECT_EQ(faults.HasCapturedData(0), c.captured);
    }
    // The window always gets its 50 samples; the missing ones are no data.
    std::vector<float> shown;
    faults.ParseChannelData(0, "1&2");
    faults.GetChannelSamples(0, shown);
    ASSERT_EQ(shown.size(), 50u);
    EXPECT_EQ(shown[1], 2.0f);
    EXPECT_EQ(shown[49], -1.0f);

    // A digital channel shows the chosen bit; a current is divided by its factor.
    faults.GetChannel(1)->SetValue(15);
    EXPECT_FALSE(faults.GetSelectedSignal(1)->IsHidden());
    ASSERT_TRUE(faults.GetSelectedSignal(1)->SetAsString("Digital Output 1"));
    faults.ParseChannelData(1, "0100&00FF");
    EXPECT_EQ(faults.GetSamples(1), (std::vector<float>{1, 0}));
    EXPECT_EQ(faults.GetChannelName(1), "Digital I/O");
    faults.GetChannel(1)->SetValue(16);
    EXPECT_TRUE(faults.GetSelectedSignal(1)->IsHidden());
    faults.ParseChannelData(1, "04D2");
    EXPECT_FLOAT_EQ(faults.GetSamples(1).at(0), 1.234f);
    EXPECT_EQ(faults.GetChannelUnits(1), "Amps");
    faults.GetChannel(1)->SetValue(257); // an input: not offered to the capture
    EXPECT_EQ(faults.GetChannelName(1), "Unassigned");
}

TEST_F(FenwaSvcBlocks, EncoderSwitchesAreCharactersOfTheDrivesComposites) {
    auto* encoder = host->Add<FenwaEncoder>();
    EXPECT_EQ(encoder->GetBackupBattery()->GetAsString(), "Not Installed");
    EXPECT_EQ(encoder->GetStatus()->GetAsString(), "Not Started                 ");
    // The battery switch is for absolute encoders only (the motor's choice, changed off line here).
    host->MotorEncoder()->SetAsString("Incremental");
    EXPECT_TRUE(encoder->GetBackupBattery()->IsHidden());
    host->MotorEncoder()->SetAsString("SA35");
    EXPECT_FALSE(encoder->GetBackupBattery()->IsHidden());

    sim.SetParameter(1, 0x12C, "2100");
    sim.SetParameter(1, 0x001, "0101");
    sim.SetParameter(1, 0x130, "1000");
    host->Place(&device);
    encoder->Refresh();
    encoder->GetOutputForwardDirection()->Refresh(false);
    encoder->GetFeedbackLoss()->Refresh(false);
    EXPECT_EQ(encoder->GetOutputForwardDirection()->GetAsString(), "B Leads A");
    EXPECT_EQ(encoder->GetBackupBattery()->GetAsString(), "Installed");
    EXPECT_EQ(encoder->GetFeedbackLoss()->GetAsString(), "Ignored");
    EXPECT_EQ(encoder->GetMotorCounts()->GetValue(), 4096);

    ASSERT_TRUE(encoder->GetFeedbackLoss()->SetAsString("Monitored"));
    EXPECT_EQ(sim.Parameter(1, 0x001), "0001");
    ASSERT_TRUE(encoder->GetBackupBattery()->SetAsString("Not Installed"));
    EXPECT_EQ(sim.Parameter(1, 0x001), "0011");

    for (int i = 0; i < FenwaEncoder::kHallCount; ++i)
        encoder->GetHallState(i)->Refresh(false);
    EXPECT_EQ(encoder->GetHallState(0)->GetName(), "S1");
    EXPECT_EQ((Strings{encoder->GetHallState(0)->GetInternalAsString(),
                       encoder->GetHallState(1)->GetInternalAsString(),
                       encoder->GetHallState(2)->GetInternalAsString()}),
              (Strings{"true", "false", "true"}));
}

TEST_F(FenwaSvcBlocks, EncoderOutputRatioAndItsCountsFollowEachOther) {
    auto* encoder = host->Add<FenwaEncoder>();
    ZRStringAttribute& ratio = *encoder->GetOutputRatio();
    EXPECT_EQ(ratio.GetValue(), "2048:2048");
    sim.SetParameter(1, 0x130, "1000");
    host->Place(&device);
    ratio.Refresh(true);
    EXPECT_EQ(ratio.GetValue(), "2048:4096");

    ASSERT_TRUE(ratio.SetValue("100:300"));
    EXPECT_EQ(sim.Parameter(1, 0x12F), "0064");
    EXPECT_EQ(sim.Parameter(1, 0x130), "012C");
    EXPECT_EQ(ratio.GetValue(), "100:300") << "the counts' own change does not bounce back";
    {
        ModalScript script;
        script.ExpectMessage("Invalid Ratio Format", platform::core::IDOK);
        EXPECT_FALSE(ratio.Validate("100/300"));
    }
    {
        ModalScript script;
        script.ExpectMessage("Output Ratio Output Counts", platform::core::IDOK);
        script.ExpectMessage("Please re-enter.", platform::core::IDOK);
        EXPECT_FALSE(ratio.Validate("0:300"));
    }
    EXPECT_EQ(sim.Parameter(1, 0x12F), "0064");
}

TEST_F(FenwaSvcBlocks, ScopeSettingsAreFieldsOfItsTwoParameters) {
    auto* scope = host->Add<FenwaScope>();
    EXPECT_EQ(scope->GetTriggerMode()->GetAsString(), "Falling Edge");
    EXPECT_EQ(scope->GetSamplePeriod()->GetAsString(), "1.0");
    EXPECT_EQ(scope->GetTriggerPosition()->GetValue(), 50);
    EXPECT_EQ(scope->GetTriggerStatus()->GetAsString(), "Idle");
    // After the name: the two parameters.
    ASSERT_EQ(scope->GetProperties().size(), 3u);
    EXPECT_EQ(scope->GetProperties()[1]->GetAttribute(), kScopeSetup);
    EXPECT_EQ(scope->GetProperties()[2]->GetAttribute(), kScopeScales);

    // Threshold 0xFFFFFF9C, position 3, rising edge, source 2, 16 samples per division, period 10,
    // scale types Manual (B) and Auto (A), signals 22 (B) and 6 (A).
    sim.SetParameter(1, 0x3BE, "000000000FFFFFF9C32002100A101606");
    host->Place(&device);
    scope->Refresh();
    EXPECT_EQ(scope->GetTriggerThreshold()->GetInternalValue(), -100);
    EXPECT_EQ(scope->GetTriggerPosition()->GetValue(), 30);
    EXPECT_EQ(scope->GetTriggerMode()->GetAsString(), "Rising Edge");
    EXPECT_EQ(scope->GetTriggerSource()->GetValue(), 2);
    EXPECT_EQ(scope->GetSamplesPerDivision()->GetValue(), 16);
    EXPECT_EQ(scope->GetMsecPerSample(), 2.0);
    EXPECT_EQ(scope->GetScaleType(1), "Manual");
    EXPECT_FALSE(scope->GetScale(1)->IsHidden());
    EXPECT_TRUE(scope->GetScale(0)->IsHidden());
    EXPECT_EQ(scope->GetChannelLegend(1), "Current Feedback");
    EXPECT_EQ(scope->GetChannelUnits(1), "Amps");
    EXPECT_EQ(scope->GetChannelLegend(0), "Position Error");

    ASSERT_TRUE(scope->GetOffset(0)->SetAsString("-2"));
    EXPECT_EQ(sim.Parameter(1, 0x3BF).substr(16, 8), "FFFFFFFE");
    ASSERT_TRUE(scope->GetTriggerMode()->SetAsString("Immediate"));
    EXPECT_EQ(sim.Parameter(1, 0x3BE), "000000000FFFFFF9C30002100A101606");
    // "Digital I/O" is no scope signal.
    ASSERT_TRUE(scope->GetInputSignal(0)->SetValue(15));
    EXPECT_EQ(scope->GetChannelLegend(0), "Unassigned");
    EXPECT_EQ(sim.Parameter(1, 0x3BE).substr(30), "0F");
}

TEST(FenwaChannelOptions, MasksChooseTheSignals) {
    FenwaChannelOptionList all(nullptr, 0xFFFFFFFF);
    all.Init();
    EXPECT_EQ(all.GetName(), "Channel Options");
    ASSERT_EQ(all.GetChannelOptions().size(), 29u);
    EXPECT_EQ(all.GetChannelOptions().front()->GetName(), "Motor Feedback Position");
    EXPECT_EQ(all.GetChannelOptions().back()->GetName(), "Fault");
    ASSERT_EQ(all.GetChildren().size(), 2u);
    EXPECT_EQ(all.GetChildren()[0]->GetChannelOptions().size(), 7u);
    EXPECT_EQ(all.GetChildren()[1]->GetChannelOptions().size(), 3u);
    EXPECT_EQ(all.FindOption(267)->GetName(), "Digital Output #3");
    EXPECT_EQ(all.FindOption(23), nullptr);

    FenwaChannelOptionList channels(nullptr, FenwaChannelOptionList::kScopeChannelMask);
    channels.Init();
    FenwaChannelOptionList trigger(nullptr, FenwaChannelOptionList::kScopeTriggerMask);
    trigger.Init();
    EXPECT_EQ(channels.FindOption(257), nullptr);
    EXPECT_EQ(channels.FindOption(15), nullptr);
    ASSERT_NE(trigger.FindOption(257), nullptr);
    EXPECT_FALSE(trigger.FindOption(257)->IsAnalogType());
    EXPECT_EQ(trigger.FindOption(15), nullptr);
    ZRChannelOption* current = channels.FindOption(16);
    ASSERT_NE(current, nullptr);
    double factor = 0;
    ASSERT_TRUE(current->GetScaleObject()->GetScaleFactor(factor));
    EXPECT_EQ(factor, 1000.0);
    EXPECT_EQ(current->GetScaleObject()->GetPrecision(), 3);
}
