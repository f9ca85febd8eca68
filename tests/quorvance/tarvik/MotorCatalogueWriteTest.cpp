// The motor of an older-family parameter file: a catalogue model by its old code, or a custom motor
// written whole into the motor catalogue (or into the user's copy of it when the installed one may
// not be written) and found there again by the next start.
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRRotaryMotorRS.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Directories.h"
#include "platform/db/Database.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "support/ModalScript.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>

namespace {

namespace fs = std::filesystem;

int64_t Count(platform::db::Database& db, const std::string& sql, std::initializer_list<platform::db::Param> p = {}) {
    return platform::db::ToInt64(db.QueryValue(sql, p));
}

// The program's catalogue files in a directory of the test's own: an install directory holding a
// copy of the built catalogue, and a user data directory.
class MotorCatalogue : public testing::Test {
protected:
    MotorCatalogue()
        : built(platform::core::JoinPath(platform::core::InstallDir(), "Motors.mdb")),
          install(root.Path() / "install"), config("QUORVANCE_CONFIG_DIR", (root.Path() / "config").string()),
          data("XDG_DATA_HOME", (root.Path() / "data").string()),
          installEnv("QUORVANCE_INSTALL_DIR", install.string()) {
        fs::create_directories(install);
        fs::copy_file(built, install / "Motors.mdb");
        file.model = 0;
        // A custom rotary motor: 3 A continuous, 9 A peak, 2 ohms, 6 mH, 0.5 N-m/A, 2000 lines.
        file.values = {{7, 0xFFFF}, {50, 2000},          {51, 3000 * 65536}, {52, 9 * 128}, {53, 3 * 128},
                       {54, 2048},   {55, 64 * 3 / 2},  {57, 2 * 256},     {58, 6 * 256}, {59, 1},
                       {60, 1},      {62, 1},           {63, 900},         {64, 2},       {65, -30}};
    }
    ~MotorCatalogue() override {
        drive.reset();
        ZRGlobalDataMgr::DestroyInstance();
    }

    // A start of the program: the global data open the catalogue.
    void Start() {
        ZRGlobalDataMgr::DestroyInstance();
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
    }
    platform::db::Database& Db() { return *ZRGlobalDataMgr::Instance()->GetMotorDB(); }

    // The file converted into a new drive's motor block; the log is kept.
    ZRMotorTarvik& Convert() {
        drive = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
        drive->Init();
        converter.emplace();
        EXPECT_TRUE(converter->OnOpenDocument(file.Write().Save(dir.File("drive.par")))) << converter->GetLog();
        drive->GetMotor()->ImportParValues(&*converter);
        return *drive->GetMotor();
    }
    std::string UserCopy() const { return (root.Path() / "data" / "Kelbrant Vuzovaruza" / "Quorvance" / "Motors.mdb").string(); }
    int64_t MotorsIn(const std::string& path) {
        platform::db::Database db;
        db.Open(path, true);
        return Count(db, "SELECT count(*) FROM Motor");
    }

    TempDir root, dir;
    std::string built;
    fs::path install;
    ScopedEnv config, data, installEnv;
    ParFile file;
    std::optional<ZROlbraConverter> converter;
    std::unique_ptr<ZRDrive> drive;
};

TEST_F(MotorCatalogue, CustomMotorIsAddedWholeUnderAFreeNameAndFoundAgainAfterARestart) {
    // Two custom names are taken already.
    {
        platform::db::Database db;
        db.Open((install / "Motors.mdb").string());
        db.Execute("INSERT INTO Motor (MotorID, Model) VALUES (900, 'Custom1'), (901, 'Custom2')");
    }
    file.values[51] = 100 * 65536; // 100 RPM
    ASSERT_NO_FATAL_FAILURE(Start());
    ZRMotorTarvik& motor = Convert();
    EXPECT_NE(converter->GetLog().find("Warning: Max Rotation Speed value is out of range. Setting to min allowed."),
              std::string::npos)
        << converter->GetLog();

    // The block shows the new motor, loaded from the catalogue.
    EXPECT_EQ(motor.GetMotorModel()->GetAsString(), "Custom3");
    EXPECT_EQ(motor.GetMotorFlag()->GetAsString(), "Custom");
    EXPECT_EQ(motor.GetAutoMotorIden()->GetAsString(), "Disabled");
    EXPECT_NEAR(motor.GetResistance()->GetValue(), 2.0, 1.0 / 256);
    EXPECT_NEAR(motor.GetInductance()->GetValue(), 6.0, 1.0 / 256);
    EXPECT_NEAR(motor.GetContinuousCurrent()->GetValue(), 3.0, 1.0 / 128);
    EXPECT_NEAR(motor.GetTorqueConstant()->GetValue(), 0.5, 1.0 / 4096);
    EXPECT_EQ(motor.GetPolesRevolution()->GetInternalValue(), 6u);
    EXPECT_EQ(motor.GetMaximumSpeed()->GetInternalValue(), 300u);
    EXPECT_EQ(motor.GetLinesRevolution()->GetInternalValue(), 2000u);
    EXPECT_EQ(motor.GetHallInputOffset()->GetInternalValue(), -30);

    // A new start reads it back from the file: all four tables.
    ASSERT_NO_FATAL_FAILURE(Start());
    ZRRotaryMotorRS rotary(&Db());
    rotary.Open();
    ASSERT_TRUE(rotary.FindFirst("Motor.Model = ?", {"Custom3"}));
    EXPECT_EQ(rotary.m_MotorID, 902);
    EXPECT_DOUBLE_EQ(rotary.m_MaximumSpeed, 300);
    EXPECT_DOUBLE_EQ(rotary.m_Inertia, 1.5);
    EXPECT_DOUBLE_EQ(rotary.m_CthWA, 900);
    EXPECT_DOUBLE_EQ(rotary.m_RthWE, 32.767);
    EXPECT_EQ(rotary.m_EncoderID, 1);
    EXPECT_EQ(rotary.m_RatedVoltage, 230);
    rotary.Close();
    EXPECT_EQ(Count(Db(), "SELECT count(*) FROM FluxSaturation WHERE MotorID = 902"), 8);

    // Chosen in another drive, it loads like any catalogue motor.
    auto other = std::make_unique<ZRDrive>(tarvik::kStandardDriveType);
    other->Init();
    ModalScript script;
    script.ExpectMessage("The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.",
                         platform::core::IDOK);
    other->GetMotor()->GetMotorModel()->SetAsString("Custom3");
    EXPECT_EQ(other->GetMotor()->GetMaximumSpeed()->GetInternalValue(), 300u);
    EXPECT_EQ(other->GetMotor()->GetMotorFlag()->GetAsString(), "Custom");
}

TEST_F(MotorCatalogue, AReadOnlyInstalledCatalogueIsCopiedToTheUserOnTheFirstWriteAndUsedFromThenOn) {
    const std::string installed = (install / "Motors.mdb").string();
    fs::permissions(installed, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const int64_t before = MotorsIn(installed);
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Db().GetPath(), installed);
    EXPECT_FALSE(fs::exists(UserCopy()));

    EXPECT_EQ(Convert().GetMotorModel()->GetAsString(), "Custom1");
    EXPECT_EQ(Db().GetPath(), UserCopy());
    EXPECT_EQ(MotorsIn(installed), before);
    EXPECT_EQ(MotorsIn(UserCopy()), before + 1);

    // The next start reads the copy, and the next custom motor goes there too.
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(Db().GetPath(), UserCopy());
    EXPECT_EQ(Convert().GetMotorModel()->GetAsString(), "Custom2");
    EXPECT_EQ(MotorsIn(installed), before);
    EXPECT_EQ(MotorsIn(UserCopy()), before + 2);
}

TEST_F(MotorCatalogue, AMotorTheFileCannotGiveEndsTheConversionAndWritesNothing) {
    struct Case {
        int64_t code;
        int64_t poles60; // slot 60: 0 is an induction motor
        const char* line;
    };
    const Case cases[] = {
        {0, 1, "Error: There is no motor selected."},
        {0x0085, 1, "Error: Induction Motors are not supported."},
        {0x7777, 1, "Error: Motor model is no longer supported."},
        {0xFFFF, 0, "Error: Induction Motors are not supported."},
    };
    ASSERT_NO_FATAL_FAILURE(Start());
    const int64_t before = Count(Db(), "SELECT count(*) FROM Motor");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        file.values[7] = c.code;
        file.values[60] = c.poles60;
        EXPECT_THROW(Convert(), ZRError);
        EXPECT_NE(converter->GetLog().find(c.line), std::string::npos) << converter->GetLog();
        EXPECT_EQ(Count(Db(), "SELECT count(*) FROM Motor"), before);
    }

    // A failure in the middle of the write takes back what the write added: the rotary row's
    // number is taken by a stray row.
    Db().Execute("INSERT INTO RotaryMotor (MotorID) VALUES (?)",
                 {Count(Db(), "SELECT max(MotorID) FROM Motor") + 1});
    file.values[7] = 0xFFFF;
    file.values[60] = 1;
    EXPECT_THROW(Convert(), ZRError);
    EXPECT_NE(converter->GetLog().find("Error: The custom motor could not be added to the motor database"),
              std::string::npos)
        << converter->GetLog();
    EXPECT_EQ(Count(Db(), "SELECT count(*) FROM Motor"), before);
    EXPECT_EQ(Count(Db(), "SELECT count(*) FROM FluxSaturation WHERE MotorID > 100"), 0);
}

TEST_F(MotorCatalogue, AKnownOldCodeSelectsItsCatalogueModel) {
    ASSERT_NO_FATAL_FAILURE(Start());
    file.values[7] = 0x0101;
    ZRMotorTarvik& motor = Convert();
    EXPECT_EQ(motor.GetMotorModel()->GetAsString(), "QV-R 40-1 A");
    EXPECT_EQ(motor.GetMotorFlag()->GetAsString(), "Standard");
    EXPECT_NEAR(motor.GetResistance()->GetValue(), 14.2, 1.0 / 256);
}

} // namespace
