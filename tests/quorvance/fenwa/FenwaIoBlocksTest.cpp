// The Fenwa analog input, analog output, digital input and digital output blocks as objects: identity,
// lists and initial values, ranges, values through the simulated drive and a saved project, Copy,
// and the analog output's scale following its signal.
#include "FenwaLine.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUnits.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaAnalogOut.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaDigIn.h"
#include "quorvance/fenwa/FenwaDigOut.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/ProjectDb.h"
#include "support/model/ReasonRecorder.h"

#include <functional>

namespace {

using platform::core::IDOK;
using Strings = std::vector<std::string>;
using Maker = std::function<std::unique_ptr<ZRObject>()>;
template <class T> Maker MakerOf() {
    return [] { return std::make_unique<T>(); };
}

Strings Texts(const ZRObject::AttributeList& list) {
    Strings texts;
    for (ZRAttribute* a : list)
        texts.push_back(a->GetName() + "=" + a->GetAsString());
    return texts;
}

template <class T> std::unique_ptr<T> Made() {
    auto block = std::make_unique<T>();
    block->Init();
    return block;
}

} // namespace

TEST(FenwaIoBlocks, InitGivesEachBlockItsIdentityListsAndInitialValues) {
    struct Case {
        Maker make;
        int32_t type;
        const char* name;
        Strings properties; // after the name
        Strings status;
    };
    const Case cases[] = {
        {MakerOf<FenwaAnalog>(),
         -148,
         "Analog",
         {"Velocity Scale=500", "Current Scale=33.3", "Velocity Command Offset=0.0",
          "Current Command Offset=0.0"},
         {"Current Command Offset=0", "Velocity Command Offset=0"}},
        {MakerOf<FenwaAnalogOut>(),
         -140,
         "Analog Output",
         {"Signal=0", "Signal=1", "Scale=500", "Scale=500"},
         {}},
        {MakerOf<FenwaDigIn>(),
         -146,
         "Digital Inputs",
         {"Pr-0.05=0881", "Pr-0.06=0000", "Pr-0.07=0000", "Pr-0.08=0000", "Pr-0.09=0000"},
         {"Input 1 State=False", "Input 2 State=False", "Input 3 State=False", "Input 4 State=False",
          "Input 5 State=False", "Input 6 State=False", "Input 7 State=False"}},
        {MakerOf<FenwaDigOut>(),
         -145,
         "Digital Outputs",
         {"Pr-0.10=0000", "Pr-0.11=0000", "Pr-0.12=0000", "Brake Active Delay=500", "Brake Inactive Delay=0"},
         {"Output 1 State=False", "Output 2 State=False", "Output 3 State=False"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ZRObject> block = c.make();
        block->Init();
        EXPECT_EQ(block->GetClass(), c.type);
        EXPECT_EQ(block->GetVersion(), 77u);
        EXPECT_EQ(block->GetName().GetAsString(), c.name);
        Strings properties = Texts(block->GetProperties());
        ASSERT_FALSE(properties.empty());
        properties.erase(properties.begin());
        EXPECT_EQ(properties, c.properties);
        EXPECT_EQ(Texts(block->GetStatus()), c.status);
    }
}

TEST(FenwaIoBlocks, StoredValuesIdsAndTheAttributesOutsideTheLists) {
    auto analog = Made<FenwaAnalog>();
    EXPECT_EQ(analog->GetCurrentScale()->GetInternalValue(), 333);
    EXPECT_EQ(analog->GetCurrentScale()->GetAttribute(), 0x190);
    EXPECT_EQ(analog->GetMeasuredVelocityOffset()->GetAttribute(), 0x4000D);
    EXPECT_EQ(analog->GetAnalogCommandVelocity()->GetAttribute(), 0x40014);
    EXPECT_EQ(analog->GetAnalogCommandCurrent()->GetUnits(), "Volts");
    EXPECT_FALSE(analog->GetAnalogCommandCurrent()->IsWritable());
    Strings commands;
    for (ZRCommand* command : analog->GetCommands()) {
        auto* fenwa = dynamic_cast<FenwaCommand*>(command);
        ASSERT_NE(fenwa, nullptr);
        EXPECT_EQ(fenwa->GetSendMode(), FenwaStorage::UntilTok);
        commands.push_back(fenwa->GetCommandText() + fenwa->GetData());
    }
    EXPECT_EQ(commands, (Strings{"TAT03", "TAT04", "TMN02", "TMN01", "TMN05", "TMN04", "TMN03", "TMN06"}));
    EXPECT_EQ(&analog->GetCommand(FenwaAnalog::EndCurrentOffsetTrim), analog->GetCommands().back());

    auto digOut = Made<FenwaDigOut>();
    EXPECT_EQ(digOut->GetBrakeActiveDelay()->GetInternalValue(), 50u);
    EXPECT_EQ(digOut->GetOutput(2)->GetAsString(), "Unassigned");
    EXPECT_EQ(digOut->GetOutputState(3)->GetBitPosition(), 10);

    auto digIn = Made<FenwaDigIn>();
    EXPECT_EQ(digIn->GetInput(1)->GetValue(), 8);
    EXPECT_EQ(digIn->GetInput(7)->GetAsString(), "0");
    EXPECT_TRUE(digIn->GetFaultState()->GetValue());
    EXPECT_EQ(digIn->GetFaultState()->GetBitPosition(), 11);
    EXPECT_EQ(digIn->GetInput(8), nullptr);
    EXPECT_EQ(digIn->GetEnableAssignment()->GetName(), "Pr-0.05");
    EXPECT_EQ(digIn->GetOverrideAssignment()->GetName(), "Pr-0.06");
    EXPECT_EQ(digIn->GetEnableInput(), 1);
    EXPECT_EQ(digIn->GetOverrideInput(), 0);
}

TEST(FenwaIoBlocks, RangesApplyToTheStoredValue) {
    auto analog = Made<FenwaAnalog>();
    auto out = Made<FenwaAnalogOut>();
    auto digOut = Made<FenwaDigOut>();
    struct Case {
        ZRAttribute* attribute;
        const char* text;
        bool taken;
    };
    const Case cases[] = {
        {analog->GetVelocityScale(), "99", false},
        {analog->GetVelocityScale(), "20001", false},
        {analog->GetVelocityScale(), "20000", true},
        {analog->GetCurrentScale(), "100.1", false},
        {analog->GetCurrentScale(), "100", true},
        {analog->GetVelocityCommandOffset(), "-1000.1", false},
        {analog->GetVelocityCommandOffset(), "-1000", true},
        {out->GetScale(1), "0", false},
        {out->GetScale(2), "5001", false},
        {out->GetScale(2), "5000", true},
        {digOut->GetBrakeActiveDelay(), "10010", false},
        {digOut->GetBrakeInactiveDelay(), "10000", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.attribute->GetName() + " " + c.text);
        ModalScript script;
        if (!c.taken)
            script.ExpectMessage("", IDOK);
        EXPECT_EQ(c.attribute->Validate(c.text), c.taken);
    }
}

TEST(FenwaIoBlocks, CopyTakesTheValuesOfABlockOfTheSameClassOnly) {
    auto sourceIn = Made<FenwaDigIn>();
    sourceIn->GetAssignment(1)->SetValue("3005");
    auto sourceOut = Made<FenwaDigOut>();
    sourceOut->GetOutput(3)->SetAsString("Ready");
    sourceOut->GetBrakeActiveDelay()->SetInternalValue(7);
    auto sourceAnalog = Made<FenwaAnalog>();
    sourceAnalog->GetCurrentCommandOffset()->SetInternalValue(-42);
    auto sourceAnalogOut = Made<FenwaAnalogOut>();
    sourceAnalogOut->GetScale(2)->SetInternalValue(1234);

    auto in = Made<FenwaDigIn>();
    in->Copy(sourceIn.get(), true);
    EXPECT_EQ(Texts(in->GetProperties()), Texts(sourceIn->GetProperties()));
    EXPECT_EQ(in->GetInput(3)->GetValue(), 0x10);
    EXPECT_EQ(in->GetInput(5)->GetValue(), 0x80);
    auto out = Made<FenwaDigOut>();
    out->Copy(sourceOut.get(), true);
    EXPECT_EQ(out->GetOutput(3)->GetAsString(), "Ready");
    EXPECT_EQ(out->GetBrakeActiveDelay()->GetInternalValue(), 7u);
    auto analog = Made<FenwaAnalog>();
    analog->Copy(sourceAnalog.get(), true);
    EXPECT_EQ(analog->GetCurrentCommandOffset()->GetInternalValue(), -42);
    auto analogOut = Made<FenwaAnalogOut>();
    analogOut->Copy(sourceAnalogOut.get(), true);
    EXPECT_EQ(analogOut->GetScale(2)->GetInternalValue(), 1234u);

    // Another block's rows would land in the wrong parameters.
    auto fresh = Made<FenwaDigOut>();
    fresh->Copy(sourceIn.get(), true);
    EXPECT_EQ(Texts(fresh->GetProperties()), Texts(Made<FenwaDigOut>()->GetProperties()));
}

TEST(FenwaIoBlocks, ValuesSurviveASavedProject) {
    TempDir saved;
    const std::string path = (saved.Path() / "io.qdb").string();
    const Maker makers[] = {MakerOf<FenwaAnalog>(), MakerOf<FenwaAnalogOut>(), MakerOf<FenwaDigIn>(),
                            MakerOf<FenwaDigOut>()};
    std::vector<Strings> expected;
    std::vector<int32_t> instances;
    ProjectDb project;
    {
        auto analog = Made<FenwaAnalog>();
        auto out = Made<FenwaAnalogOut>();
        auto digIn = Made<FenwaDigIn>();
        auto digOut = Made<FenwaDigOut>();
        ZRObject* blocks[] = {analog.get(), out.get(), digIn.get(), digOut.get()};
        for (ZRObject* block : blocks)
            block->Create(&project.device);
        analog->GetVelocityCommandOffset()->SetAsString("-12.5");
        analog->GetCurrentScale()->SetAsString("50");
        out->GetSignal(2)->SetInternalValue(6);
        out->GetScale(1)->SetInternalValue(4000);
        digIn->GetInput(4)->SetValue(0x80 | 0x10); // Fault Reset and Operation Mode Override
        digOut->GetOutput(2)->SetAsString("Brake");
        digOut->GetBrakeInactiveDelay()->SetAsString("300");
        for (ZRObject* block : blocks) {
            expected.push_back(Texts(block->GetProperties()));
            instances.push_back(block->GetInstance());
        }
        project.db->SaveDBAs(path);
    }
    project.db->Close();
    project.db->OpenDB(path);
    for (size_t i = 0; i < std::size(makers); ++i) {
        std::unique_ptr<ZRObject> reopened = makers[i]();
        reopened->Init();
        reopened->Attach(&project.device, instances[i]);
        reopened->Refresh();
        EXPECT_EQ(Texts(reopened->GetProperties()), expected[i]);
        if (auto* digIn = dynamic_cast<FenwaDigIn*>(reopened.get())) {
            EXPECT_EQ(digIn->GetInput(4)->GetValue(), 0x90);
            EXPECT_EQ(digIn->GetOverrideInput(), 4);
        }
        if (auto* digOut = dynamic_cast<FenwaDigOut*>(reopened.get())) {
            EXPECT_EQ(digOut->GetOutput(2)->GetAsString(), "Brake");
        }
    }
}

namespace {

// The blocks of one drive on the simulated line, attached on line.
class FenwaIoOnLine : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    template <class T> std::unique_ptr<T> Attached() {
        auto block = Made<T>();
        block->Attach(&device, 1);
        return block;
    }
    // The writes ("CHP...") sent since the last call.
    Strings Writes() {
        Strings writes;
        for (const std::string& text : Sent())
            if (text.rfind("CHP", 0) == 0)
                writes.push_back(text);
        return writes;
    }
    FenwaDevice device;
};

} // namespace

TEST_F(FenwaIoOnLine, ValuesAreReadFromAndWrittenToTheDrive) {
    sim.SetParameter(1, 0x006, "3000");
    sim.SetParameter(1, 0x00C, "0010");
    sim.SetParameter(1, 0x259, "FF9C");
    sim.SetParameter(1, 0x203, "0064");
    sim.SetMonitor(1, 0x0F, "000000000204"); // input 3 and output 2 on
    auto analog = Attached<FenwaAnalog>();
    auto out = Attached<FenwaAnalogOut>();
    auto digIn = Attached<FenwaDigIn>();
    auto digOut = Attached<FenwaDigOut>();
    for (ZRObject* block :
         std::initializer_list<ZRObject*>{analog.get(), out.get(), digIn.get(), digOut.get()})
        block->Refresh();
    digIn->GetInputState(3)->Refresh(false);
    digOut->GetOutputState(2)->Refresh(false);
    EXPECT_EQ(analog->GetCurrentCommandOffset()->GetAsString(), "-10.0");
    EXPECT_EQ(out->GetScale(2)->GetInternalValue(), 100u);
    EXPECT_EQ(digIn->GetInput(3)->GetValue(), 0x10);
    EXPECT_EQ(digIn->GetOverrideInput(), 3);
    EXPECT_EQ(digOut->GetOutput(1)->GetAsString(), "Ready");
    EXPECT_TRUE(digIn->GetInputState(3)->GetValue());
    EXPECT_TRUE(digOut->GetOutputState(2)->GetValue());
    // Reading wrote nothing back.
    EXPECT_EQ(Writes(), Strings{});

    analog->GetVelocityCommandOffset()->SetAsString("-12.5");
    analog->GetCurrentScale()->SetAsString("50");
    out->GetSignal(1)->SetAsString("6");
    digOut->GetBrakeActiveDelay()->SetAsString("1000");
    EXPECT_EQ(sim.Parameter(1, 0x258), "FF83");
    EXPECT_EQ(sim.Parameter(1, 0x190), "01F4");
    EXPECT_EQ(sim.Parameter(1, 0x200), "0006");
    EXPECT_EQ(sim.Parameter(1, 0x1FB), "0064");

    // One edit of an input writes each assignment once: the manager's own writes do not come back.
    Writes();
    digIn->GetInput(2)->SetValue(0x80);
    EXPECT_EQ(Writes(), (Strings{"CHP0050881", "CHP0063002", "CHP0070000", "CHP0080000", "CHP0090000"}));
    digOut->GetOutput(3)->SetAsString("Brake");
    EXPECT_EQ(Writes(), (Strings{"CHP00A0300", "CHP00B0000", "CHP00C0010"}));
}

TEST_F(FenwaIoOnLine, OffsetServicesRunOnTheDrive) {
    auto analog = Attached<FenwaAnalog>();
    EXPECT_TRUE(analog->GetCommand(FenwaAnalog::IncreaseVelocityOffset).Execute(true));
    EXPECT_TRUE(analog->GetCommand(FenwaAnalog::EndVelocityOffsetTrim).Execute(true));
    EXPECT_TRUE(analog->GetCommand(FenwaAnalog::RemoveCurrentOffset).Execute(true));
    EXPECT_EQ(sim.Services(1), (Strings{"TMN02", "TMN03", "TAT04"}));
}

namespace {

// A channel list of two twoSignals, as the family's list would give them.
struct TwoSignals {
    ZRChannelScale tenths;
    ZRUnits counts, degrees;
    ZRChannelOption position{4, nullptr, &counts, true, true};
    ZRChannelOption angle{8, &tenths, &degrees, true, true};
    TwoSignals() {
        tenths.SetBaseScaleFactor(10);
        counts.SetBaseUnits("Counts");
        degrees.SetBaseUnits("Degrees");
        position.SetName("Follower Position");
        angle.SetName("Commutation Angle");
    }
};
TwoSignals* s_pSignals = nullptr;
int s_Made = 0;

std::unique_ptr<ZRChannelOptionList> MakeTwoSignals(ZRObject*, uint32_t mask) {
    EXPECT_EQ(mask, 0x7F8F7FFFu);
    ++s_Made;
    auto list = std::make_unique<ZRChannelOptionList>();
    list->AddOption(&s_pSignals->position);
    list->AddOption(&s_pSignals->angle);
    return list;
}

} // namespace

TEST(FenwaIoBlocks, AnOutputsScaleTakesTheScaleAndUnitsOfItsSignal) {
    TwoSignals twoSignals;
    s_pSignals = &twoSignals;
    s_Made = 0;
    auto previous = FenwaAnalogOut::SetChannelListMaker(&MakeTwoSignals);
    {
        auto out = Made<FenwaAnalogOut>();
        ZRUlongAttribute& scale = *out->GetScale(2);
        ReasonRecorder reasons(scale);
        out->GetSignal(2)->SetInternalValue(8);
        EXPECT_EQ(scale.GetUnits(), "Degrees/Volt");
        EXPECT_EQ(scale.GetScaleObject(), &twoSignals.tenths);
        EXPECT_EQ(scale.GetAsString(), "50");
        EXPECT_EQ(reasons.reasons, (std::vector<int>{ZRUpdate::UnitsChanged, ZRUpdate::ValueChanged}));

        // A signal without a scale shows plain values; one the list does not hold changes nothing.
        out->GetSignal(2)->SetInternalValue(4);
        EXPECT_EQ(scale.GetUnits(), "Counts/Volt");
        EXPECT_EQ(scale.GetScaleObject(), nullptr);
        out->GetSignal(2)->SetInternalValue(15);
        EXPECT_EQ(scale.GetUnits(), "Counts/Volt");
        EXPECT_EQ(out->GetScale(1)->GetUnits(), "RPM/Volt");
        EXPECT_EQ(out->GetChannelOptionList()->GetChannelOptions().size(), 2u);
        EXPECT_EQ(s_Made, 1);
    }
    FenwaAnalogOut::SetChannelListMaker(previous);
    s_pSignals = nullptr;
}
