// The Fenwa motor block against the motor catalogue: a pick copies the motor's record to the drive
// (or only the model while the drive identifies its motor), a model text is a plain value, values
// arriving from the drive, a copy or the project start no lookup.
#include "FenwaLine.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Directories.h"
#include "platform/db/Database.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaMotor.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"

#include <filesystem>
#include <optional>

namespace {

constexpr const char* kSmartEncoder =
    "The motor selected has an intelligent encoder. Auto Motor Iden will be enabled.";
constexpr const char* kNoSmartEncoder =
    "The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.";

// The drive's "Prm-001", whose character 3 is the motor identification switch.
class PrmDrive : public ZRObject {
public:
    PrmDrive() : prm(GetDevice()) {}
    void Init() override {
        ZRObject::Init();
        prm.SetObject(this);
        prm.Define(fenwa::attr::kPrm001);
        prm.SetName("Prm-001");
        prm.SetAsString("0001");
        AddProperty(&prm);
    }
    ZRCompositeAttribute prm;
};

// A copy of the build's motor catalogue, opened as the program opens it.
class Catalogue {
public:
    Catalogue() {
        std::filesystem::copy(platform::core::InstallDir(), m_install.Path(),
                              std::filesystem::copy_options::recursive);
        m_installEnv.emplace("QUORVANCE_INSTALL_DIR", m_install.Path().string());
        m_dataEnv.emplace("XDG_DATA_HOME", (m_config.Path() / "data").string());
        EXPECT_TRUE(ZRGlobalDataMgr::Instance()->Init());
    }
    ~Catalogue() { ZRGlobalDataMgr::DestroyInstance(); }
    platform::db::Database* Db() { return ZRGlobalDataMgr::Instance()->GetMotorDB(); }

private:
    TempDir m_config;
    ScopedEnv m_configEnv{"QUORVANCE_CONFIG_DIR", m_config.Path().string()};
    TempDir m_install;
    std::optional<ScopedEnv> m_installEnv, m_dataEnv;
};

// The block under a drive-like parent holding "Prm-001", on the simulated drive at node 1.
class FenwaMotorOnLine : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        ASSERT_NE(catalogue.Db(), nullptr);
        auto block = std::make_unique<FenwaMotor>();
        motor = block.get();
        drive.Init();
        drive.AddChild(std::move(block), false);
        motor->Init();
        device.SetStorage(storage.get());
        device.SetOffLine(false);
    }
    void Attach() {
        drive.Attach(&device, 1);
        drive.prm.Refresh(true);
        motor->Attach(&device, 1);
        Sent();
    }
    std::string Param(int number) { return sim.Parameter(1, number); }
    std::vector<std::string> Writes() {
        std::vector<std::string> writes;
        for (const std::string& text : Sent())
            if (text.starts_with("CHP"))
                writes.push_back(text.substr(0, 6));
        return writes;
    }

    Catalogue catalogue;
    FenwaDevice device;
    PrmDrive drive;
    FenwaMotor* motor = nullptr;
};

TEST_F(FenwaMotorOnLine, PickingAMotorWritesItsRecordToTheDrive) {
    sim.SetParameter(1, 0x001, "0000"); // identification off
    Attach();
    ASSERT_EQ(motor->GetAutoMotorIden()->GetAsString(), "Disabled");
    {
        ModalScript script; // an incremental encoder with identification off: nothing to say
        ASSERT_TRUE(motor->GetMotorModel()->SetAsString("QV-R 40-1 A"));
    }
    EXPECT_EQ(Param(0x3B6).substr(0, 12), "QV-R 40-1 A ");
    EXPECT_EQ(Param(0x384), "00000001"); // standard motor
    EXPECT_EQ(Param(0x385), "0000");     // rotary
    EXPECT_EQ(Param(0x386), "00000E33"); // 14.2 ohms, 3635 of 1/256
    EXPECT_EQ(Param(0x38B), "0001");     // incremental
    EXPECT_EQ(Param(0x39E), "0001");     // hall inputs
    EXPECT_EQ(Param(0x38D), "000002E1"); // 0.18 N-m/A, 737 of 1/4096
    EXPECT_EQ(Param(0x391), "00001770"); // 6000 RPM, as it is
    EXPECT_EQ(Param(0x390), "000007D0"); // 2000 lines, as it is
    EXPECT_EQ(Param(0x399), "0002999A"); // 2.6 C/W
    EXPECT_EQ(Param(0x001), "0000");     // identification stays off
}

TEST_F(FenwaMotorOnLine, WhileTheDriveIdentifiesItsMotorOnlyTheModelGoesToIt) {
    Attach();
    ASSERT_EQ(motor->GetAutoMotorIden()->GetAsString(), "Enabled");
    {
        ModalScript script;
        ASSERT_TRUE(motor->GetMotorModel()->SetAsString("KVR 0401A")); // SA35
    }
    EXPECT_EQ(Writes(), std::vector<std::string>{"CHP3B6"});

    // An incremental encoder switches identification off first, then says so, then copies.
    ModalScript script;
    std::string shownWith;
    script.Expect(platform::core::ModalKind::MessageBox, kNoSmartEncoder, [&](platform::core::ModalRequest&) {
        shownWith = motor->GetAutoMotorIden()->GetAsString();
        return platform::core::IDOK;
    });
    ASSERT_TRUE(motor->GetMotorModel()->SetAsString("QV-R 40-1 A"));
    EXPECT_EQ(shownWith, "Disabled");
    EXPECT_EQ(Param(0x001), "0000");
    EXPECT_EQ(Param(0x386), "00000E33");
}

TEST_F(FenwaMotorOnLine, ValuesReadFromTheDriveOrCopiedStartNoLookup) {
    sim.SetParameter(1, 0x001, "0000");
    sim.SetParameter(1, 0x3B6, "QV-R 40-1 A");
    ModalScript script;
    Attach();
    EXPECT_EQ(motor->GetMotorModel()->GetAsString(), "QV-R 40-1 A");
    motor->Refresh();
    motor->RefreshMotorAttributes();
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(Param(0x386), "00000280");

    // A copied model brings its own values, not the catalogue's.
    FenwaMotor source;
    source.Init();
    source.GetMotorModel()->SetAsString("KVS 0751A");
    source.GetResistance()->SetInternalValue(1000);
    motor->Copy(&source, false);
    EXPECT_EQ(Param(0x3B6).substr(0, 10), "KVS 0751A ");
    EXPECT_EQ(Param(0x386), "000003E8");
    EXPECT_FALSE(motor->IsSuppressed());
}

// Off line, on the fake storage of a project.
class FenwaMotorOffLine : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(catalogue.Db(), nullptr);
        motor.Init();
        motor.Attach(&device, 1);
    }
    Catalogue catalogue;
    FakeStorage storage;
    TestDevice device{&storage, true};
    FenwaMotor motor;
};

TEST_F(FenwaMotorOffLine, AModelTextWithAQuoteIsAPlainValue) {
    ZRGlobalDataMgr::Instance()->GetWritableMotorDB().Execute(
        "INSERT INTO Motor (MotorID, Model, StandardMotor, TypeID, Resistance, Inductance, "
        "IntermittentCurrent, ContinuousCurrent, EncoderID, CommutationID, StartupID, "
        "HallInputOffset, RatedVoltage) VALUES (90, ?, 0, 2, 3.0, 1.0, 2.0, 1.0, 4, 2, 2, 0, 230)",
        {std::string("O'Neil 40")});
    const uint32_t resistance = motor.GetResistance()->GetInternalValue();
    // Pasted into the condition, each would match a catalogue row or break the query.
    for (const char* model : {"x' OR 'a'='a", "QV-R 40-1 A' --", "O'Neil"}) {
        ModalScript script;
        motor.GetMotorModel()->SetAsString(model);
        EXPECT_EQ(motor.GetResistance()->GetInternalValue(), resistance) << model;
    }
    ModalScript script;
    motor.GetMotorModel()->SetAsString("O'Neil 40");
    EXPECT_EQ(motor.GetResistance()->GetInternalValue(), 768u);
    EXPECT_EQ(motor.GetMotorType()->GetAsString(), "Induction");
}

TEST_F(FenwaMotorOffLine, ALinearMotorIsCopiedWholeAndShownAsLinear) {
    ModalScript script;
    script.ExpectMessage(kNoSmartEncoder, platform::core::IDOK);
    motor.GetMotorModel()->SetAsString("QV-L 25-1 A");
    // Off line the record is copied even with identification on.
    EXPECT_EQ(motor.GetMotorType()->GetAsString(), "Linear");
    EXPECT_EQ(motor.GetElectricalCycle()->GetInternalValue(), 320u); // 0.032 m
    EXPECT_EQ(motor.GetForceConstant()->GetInternalValue(), 360u);   // 22.5 N/A
    EXPECT_EQ(motor.GetMaximumSpeedLinear()->GetInternalValue(), 1280u);
    EXPECT_EQ(motor.GetLinesMeter()->GetInternalValue(), 200000u);
    EXPECT_EQ(storage.longs[FakeStorage::Key(fenwa::kMotorType, 1, fenwa::attr::kElectricalCycle)], 320);

    const auto hidden = [&] {
        std::vector<bool> flags;
        for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
                 motor.GetForceConstant(), motor.GetMass(), motor.GetElectricalCycle(), motor.GetLinesMeter(),
                 motor.GetMaximumSpeedLinear(), motor.GetTorqueConstant(), motor.GetInertia(),
                 motor.GetPolesRevolution(), motor.GetLinesRevolution(), motor.GetMaximumSpeed()})
            flags.push_back(a->IsHidden());
        return flags;
    };
    const std::vector<bool> linear = {false, false, false, false, false, true, true, true, true, true};
    EXPECT_EQ(hidden(), linear);
    EXPECT_EQ(motor.GetInertiaRatio()->GetName(), "Mass Ratio");
    motor.GetMotorType()->SetAsString("Rotary");
    EXPECT_EQ(motor.GetInertiaRatio()->GetName(), "Inertia Ratio");
    EXPECT_TRUE(motor.GetMass()->IsHidden());
    motor.GetMotorType()->SetAsString("Induction");
    EXPECT_EQ(hidden(), linear);
}

TEST_F(FenwaMotorOffLine, EncoderKindsAndAnUnknownOne) {
    // Values 4 and 5 are one encoder; chosen by text it is 4.
    ASSERT_TRUE(motor.GetEncoder()->SetValue(4));
    EXPECT_EQ(motor.GetEncoder()->GetAsString(), "SA35");
    motor.GetEncoder()->SetAsString("SA35");
    EXPECT_EQ(storage.longs[FakeStorage::Key(fenwa::kMotorType, 1, fenwa::attr::kEncoderId)], 4);

    // A catalogue encoder kind the options lack changes no identification; the rest is copied.
    ModalScript script;
    motor.GetMotorModel()->SetAsString("QV-R 100-2 R");
    EXPECT_EQ(motor.GetAutoMotorIden()->GetAsString(), "Enabled");
    EXPECT_EQ(motor.GetEncoder()->GetAsString(), "Unexpected Value");
    EXPECT_EQ(motor.GetResistance()->GetInternalValue(), 230u); // 0.9 ohms
    EXPECT_EQ(motor.GetMaximumSpeed()->GetInternalValue(), 3500u);
}

TEST_F(FenwaMotorOffLine, ValuesSurviveTheProjectDatabase) {
    TempDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    {
        DBStorage db;
        db.OpenDB();
        TestDevice project(&db, true);
        FenwaMotor stored;
        stored.Init();
        stored.Create(&project);
        {
            ModalScript script;
            script.ExpectMessage(kNoSmartEncoder, platform::core::IDOK);
            stored.GetMotorModel()->SetAsString("QV-L 50-4 A");
        }
        stored.GetInertiaRatio()->SetValue(12.5);

        ModalScript script; // the stored model is not looked up again
        FenwaMotor reopened;
        reopened.Init();
        reopened.Attach(&project, stored.GetInstance());
        reopened.Refresh();
        // "Auto Motor Iden" lives in the drive's "Prm-001".
        for (size_t i = 0; i < stored.GetProperties().size(); ++i)
            if (stored.GetProperties()[i]->GetAttribute() != ZRObject::kNoAttribute)
                EXPECT_EQ(reopened.GetProperties()[i]->GetAsString(),
                          stored.GetProperties()[i]->GetAsString())
                    << stored.GetProperties()[i]->GetName();
        EXPECT_EQ(reopened.GetMotorType()->GetAsString(), "Linear");
        EXPECT_FALSE(reopened.GetForceConstant()->IsHidden());
    }
    std::filesystem::current_path(previous);
}

} // namespace
