#include "kitbase/model/ZRCommutationRS.h"
#include "kitbase/model/ZREncoderRS.h"
#include "kitbase/model/ZRFluxRS.h"
#include "kitbase/model/ZRLinearMotorRS.h"
#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRProtectionRS.h"
#include "kitbase/model/ZRRotaryMotorRS.h"
#include "kitbase/model/ZRRotaryRS.h"
#include "kitbase/model/ZRStartupRS.h"
#include "platform/core/Directories.h"
#include "platform/core/Text.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using platform::core::Format;

namespace {

std::string MotorDbPath() {
    return platform::core::JoinPath(platform::core::InstallDir(), "Motors.mdb");
}

int64_t Count(platform::db::Database& db, const std::string& sql) {
    return platform::db::ToInt64(db.QueryValue(sql));
}

std::string ModelCondition(const std::string& model) {
    return Format("Motor.Model = '%s'", model.c_str());
}

// The catalogue as built, opened read-only so that no test can change it.
class MotorDatabase : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(MotorDbPath())) << MotorDbPath();
        db.Open(MotorDbPath(), true);
    }
    platform::db::Database db;
};

} // namespace

TEST(MotorDbRecordset, RewritesCatalogueConditionsForTheEngine) {
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"(Index = 8)", "([Index] = 8)"},
        {"FluxSaturation.MotorID = 11 AND Index = 3", "FluxSaturation.MotorID = 11 AND [Index] = 3"},
        {"[Index] = 8 AND IndexOf = 1", "[Index] = 8 AND IndexOf = 1"},
        {"[Motor].[Model] LIKE \"KV*0?A\"", "[Motor].[Model] LIKE 'KV%0_A'"},
        {"Model = 'A*B?' AND Note = \"it's\"", "Model = 'A*B?' AND Note = 'it''s'"},
        {"Model = 'O''Neil' AND MotorID = ?", "Model = 'O''Neil' AND MotorID = ?"},
        {"Model NOT LIKE  'QV*'", "Model NOT LIKE  'QV%'"},
        {"Model = 'open", "Model = 'open"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ZRMotorDbRecordset::EngineCondition(c.in), c.out) << c.in;
}

TEST_F(MotorDatabase, EveryMotorNamesKnownKindsAndHasTheRowsOfItsType) {
    EXPECT_GE(Count(db, "SELECT count(*) FROM Motor"), 20);
    const char* faults[] = {
        "SELECT count(*) FROM Motor WHERE EncoderID NOT IN (SELECT EncoderID FROM EncoderTypes)",
        "SELECT count(*) FROM Motor WHERE CommutationID NOT IN (SELECT CommutationID FROM CommutationTypes)",
        "SELECT count(*) FROM Motor WHERE StartupID NOT IN (SELECT StartupID FROM StartupTypes)",
        "SELECT count(*) FROM Motor WHERE TypeID <> 1 AND MotorID NOT IN (SELECT MotorID FROM RotaryMotor)",
        "SELECT count(*) FROM Motor WHERE TypeID = 1 AND MotorID NOT IN (SELECT MotorID FROM LinearMotor)",
        "SELECT count(*) FROM Motor WHERE TypeID = 1 AND MotorID IN (SELECT MotorID FROM RotaryMotor)",
        "SELECT count(*) FROM Motor WHERE TypeID <> 1 AND MotorID IN (SELECT MotorID FROM LinearMotor)",
        "SELECT count(*) FROM FluxSaturation WHERE \"Index\" NOT BETWEEN 1 AND 8",
        "SELECT count(*) FROM FluxSaturation WHERE MotorID NOT IN (SELECT MotorID FROM Motor)",
        "SELECT count(*) FROM Protection WHERE MotorID NOT IN (SELECT MotorID FROM Motor)",
    };
    for (const char* sql : faults)
        EXPECT_EQ(Count(db, sql), 0) << sql;
}

TEST_F(MotorDatabase, UnfilteredMotorSetPairsEveryMotorWithEveryFluxRow) {
    ZRMotorRS rs(&db);
    rs.Open();
    EXPECT_EQ(rs.GetFieldCount(), 19);
    EXPECT_EQ(rs.GetRecordCount(),
              Count(db, "SELECT count(*) FROM Motor") * Count(db, "SELECT count(*) FROM FluxSaturation"));
}

TEST_F(MotorDatabase, JoinedViewsHoldOnlyMotorsWithTheirProtectionAndTypeRows) {
    struct Case {
        const char* model;
        bool rotary, linear;
    };
    const Case cases[] = {
        {"QV-R 100-3 A", true, false},   {"QV-L 25-1 A", false, true},
        {"QV-R 60-3 A", false, false}, // no Protection row
        {"QV-L 80-2 A", false, false}, // no Protection row
        {"No Such Motor", false, false},
    };
    ZRMotorRS motors(&db);
    ZRRotaryMotorRS rotary(&db);
    ZRLinearMotorRS linear(&db);
    motors.Open();
    rotary.Open();
    linear.Open();
    EXPECT_EQ(rotary.GetFieldCount(), 29);
    EXPECT_EQ(linear.GetFieldCount(), 26);
    for (const Case& c : cases) {
        EXPECT_EQ(motors.FindFirst(ModelCondition(c.model)), std::string(c.model) != "No Such Motor")
            << c.model;
        EXPECT_EQ(rotary.FindFirst(ModelCondition(c.model)), c.rotary) << c.model;
        EXPECT_EQ(linear.FindFirst(ModelCondition(c.model)), c.linear) << c.model;
    }
}

TEST_F(MotorDatabase, RowsReadIntoTheMembersOfTheirBoundTypes) {
    ZRRotaryMotorRS rotary(&db);
    rotary.Open();
    ASSERT_TRUE(rotary.FindFirst(ModelCondition("QV-R 100-3 A")));
    EXPECT_EQ(rotary.m_Model, "QV-R 100-3 A");
    EXPECT_EQ(rotary.m_MotorID, 10);
    EXPECT_EQ(rotary.m_ProtectionMotorID, 10);
    EXPECT_EQ(rotary.m_RotaryMotorID, 10);
    EXPECT_FLOAT_EQ(rotary.m_TorqueConstant, 1.05f);
    EXPECT_DOUBLE_EQ(rotary.m_Inertia, 6.9);
    EXPECT_EQ(rotary.m_PolesPerRevolution, 10);
    EXPECT_DOUBLE_EQ(rotary.m_MaximumSpeed, 3000);
    EXPECT_EQ(rotary.m_LinesPerRevolution, 5000);
    EXPECT_TRUE(rotary.m_GearBox);
    EXPECT_EQ(rotary.m_GearRatioNumerator, 10);
    EXPECT_EQ(rotary.m_GearRatioDenominator, 1);
    EXPECT_DOUBLE_EQ(rotary.m_RthWE, 0.5);
    EXPECT_DOUBLE_EQ(rotary.m_CthWA, 7400);
    EXPECT_EQ(rotary.m_RatedVoltage, 400);
    ASSERT_TRUE(rotary.FindFirst(ModelCondition("QV-R 130-2 A")));
    EXPECT_FLOAT_EQ(rotary.m_HallInputOffset, -30.0f);

    ZRMotorRS motors(&db);
    motors.Open();
    ASSERT_TRUE(motors.FindFirst(ModelCondition("QV-R 130-2 A")));
    EXPECT_EQ(motors.m_HallInputOffset, -30);
    EXPECT_TRUE(motors.m_StandardMotor);
    EXPECT_TRUE(motors.m_IntegralThermostat);
    EXPECT_FLOAT_EQ(motors.m_ContinuousCurrent, 15.0f);

    ZRLinearMotorRS linear(&db);
    linear.Open();
    ASSERT_TRUE(linear.FindFirst(ModelCondition("QV-L 25-1 A")));
    EXPECT_EQ(linear.m_TypeID, 1);
    EXPECT_EQ(linear.m_LinearMotorID, linear.m_MotorID);
    EXPECT_FLOAT_EQ(linear.m_ElectricalCycleLength, 0.032f);
    EXPECT_FLOAT_EQ(linear.m_ForceConstant, 22.5f);
    EXPECT_DOUBLE_EQ(linear.m_Mass, 0.85);
    EXPECT_DOUBLE_EQ(linear.m_MaximumSpeed, 5.0);
    EXPECT_EQ(linear.m_LinesPerMeter, 200000);

    ZRRotaryRS alone(&db);
    alone.Open();
    ASSERT_TRUE(alone.FindFirst("MotorID = ?", {17}));
    EXPECT_EQ(alone.m_GearRatioNumerator, 7);
    EXPECT_EQ(alone.m_GearRatioDenominator, 2);
    ASSERT_TRUE(alone.FindFirst("MotorID = ?", {18}));
    EXPECT_EQ(alone.m_ResolverPoles, 2);
    EXPECT_FLOAT_EQ(alone.m_StallTorque, 8.6f);
}

TEST_F(MotorDatabase, FluxRowsAreFoundOneIndexAtATime) {
    ZRFluxRS flux(&db);
    flux.Open();
    const float hard[] = {1.0f, 1.0f, 0.97f, 0.94f, 0.9f, 0.86f, 0.82f, 0.78f};
    for (int n = 1; n <= 8; ++n) {
        ASSERT_TRUE(flux.FindFirst(Format("FluxSaturation.MotorID = %ld AND Index = %d", 11L, n))) << n;
        EXPECT_EQ(flux.m_MotorID, 11);
        EXPECT_EQ(flux.m_Index, n);
        EXPECT_FLOAT_EQ(flux.m_Current, n * 0.125f);
        EXPECT_FLOAT_EQ(flux.m_Saturation, hard[n - 1]);
    }
    // QV-R 40-3 A has rows 1 to 4 only: a missing index is not found and the row stays.
    ASSERT_TRUE(flux.FindFirst(Format("FluxSaturation.MotorID = %ld AND Index = %d", 16L, 4)));
    EXPECT_FALSE(flux.FindFirst(Format("FluxSaturation.MotorID = %ld AND Index = %d", 16L, 5)));
    EXPECT_EQ(flux.m_MotorID, 16);
    EXPECT_EQ(flux.m_Index, 4);
}

TEST_F(MotorDatabase, KindTablesHoldTheKindsTheFamiliesSelectByText) {
    ZRCommutationRS commutation(&db);
    commutation.Open();
    commutation.MoveLast();
    commutation.MoveFirst();
    long count = commutation.GetRecordCount();
    std::map<int32_t, std::string> kinds;
    for (long i = 0; i < count; ++i, commutation.MoveNext())
        kinds[commutation.m_CommutationID] = commutation.m_CommutationName;
    EXPECT_TRUE(commutation.IsEOF());
    EXPECT_EQ(kinds[2], "Sinusoidal"); // custom motors are written with CommutationID 2

    ZREncoderRS encoders(&db);
    encoders.Open();
    ASSERT_TRUE(encoders.FindFirst("EncoderID = 3"));
    EXPECT_EQ(encoders.m_EncoderName, "SRS/SRM");
    ZRStartupRS startups(&db);
    startups.Open();
    ASSERT_TRUE(startups.FindFirst("StartupID = 0"));
    EXPECT_EQ(startups.m_StartupName, "Self-Sensing");
}

TEST_F(MotorDatabase, AppendRecordsetsWalkInMotorIdOrder) {
    ZRProtectionRS protection(&db);
    ZRRotaryRS rotary(&db);
    protection.Open();
    rotary.Open();
    EXPECT_EQ(protection.GetFieldCount(), 5);
    EXPECT_EQ(rotary.GetFieldCount(), 11);
    int32_t last = 0;
    int rows = 0;
    for (; !protection.IsEOF(); protection.MoveNext(), ++rows) {
        EXPECT_GT(protection.m_MotorID, last);
        last = protection.m_MotorID;
    }
    EXPECT_EQ(rows, Count(db, "SELECT count(*) FROM Protection"));
    for (last = 0; !rotary.IsEOF(); rotary.MoveNext()) {
        EXPECT_GT(rotary.m_MotorID, last);
        last = rotary.m_MotorID;
    }
}

// A custom motor added the way the Tarvik motor adds one: Motor row, RotaryMotor and Protection
// rows, eight flux rows.
TEST(MotorDatabaseCustomMotor, AppendedMotorIsListedAndFoundInTheRotaryView) {
    TempDir dir;
    std::string path = dir.File("Motors.mdb");
    std::filesystem::copy_file(MotorDbPath(), path);
    platform::db::Database db;
    db.Open(path);

    ZRMotorRS motors(&db);
    motors.Open();
    motors.MoveLast();
    motors.MoveFirst();
    long count = motors.GetRecordCount();
    int32_t maxId = 1;
    for (long i = 0; i < count; ++i, motors.MoveNext())
        maxId = std::max(maxId, motors.m_MotorID);
    int32_t id = maxId + 1;
    motors.MoveFirst();
    std::string current = motors.m_Model;
    ASSERT_FALSE(motors.FindFirst("Model = 'Custom1'"));

    motors.AddNew();
    EXPECT_TRUE(motors.m_Model.empty());
    motors.m_MotorID = id;
    motors.m_Model = "Custom1";
    motors.m_TypeID = 0;
    motors.m_Resistance = 2.5f;
    motors.m_Inductance = 8.0f;
    motors.m_IntermittentCurrent = 12.0f;
    motors.m_ContinuousCurrent = 4.0f;
    motors.m_EncoderID = 1;
    motors.m_CommutationID = 2;
    motors.m_StartupID = 1;
    motors.m_HallInputOffset = -60;
    motors.m_SoftwareProtection = true;
    motors.m_RatedVoltage = 230;
    motors.Update();
    EXPECT_EQ(motors.m_Model, current); // the current row is back
    motors.AddNew();
    motors.m_Model = "Dropped";
    motors.CancelUpdate();
    EXPECT_EQ(motors.m_Model, current);
    motors.Close();

    ZRRotaryRS rotary(&db);
    rotary.Open();
    rotary.AddNew();
    rotary.m_MotorID = id;
    rotary.m_TorqueConstant = 0.6f;
    rotary.m_Inertia = 0.75;
    rotary.m_PolesPerRevolution = 8;
    rotary.m_MaximumSpeed = 300;
    rotary.m_LinesPerRevolution = 2000;
    rotary.Update();
    rotary.Close();

    ZRProtectionRS protection(&db);
    protection.Open();
    protection.AddNew();
    protection.m_MotorID = id;
    protection.m_RthWA = 1.0;
    protection.m_RthWE = 32.767;
    protection.Update();
    protection.Close();

    ZRFluxRS flux(&db);
    flux.Open();
    for (int j = 1; j <= 8; ++j) {
        flux.AddNew();
        flux.m_MotorID = id;
        flux.m_Index = j;
        flux.m_Current = j * 0.125f;
        flux.Update();
    }
    flux.Close();
    db.Close();

    // Read back through a fresh connection, as the next start would.
    db.Open(path);
    ZRRotaryMotorRS view(&db);
    view.Open();
    ASSERT_TRUE(view.FindFirst(ModelCondition("Custom1")));
    EXPECT_EQ(view.m_MotorID, id);
    EXPECT_FALSE(view.m_StandardMotor);
    EXPECT_FLOAT_EQ(view.m_HallInputOffset, -60.0f);
    EXPECT_DOUBLE_EQ(view.m_MaximumSpeed, 300);
    EXPECT_DOUBLE_EQ(view.m_RthWE, 32.767);
    EXPECT_DOUBLE_EQ(view.m_CthWA, 0); // left unset
    ZRMotorRS listed(&db);
    listed.SetFilter("TypeID<>2 AND EncoderID<>4 AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND "
                     "(Index = 8)");
    listed.Open();
    ASSERT_TRUE(listed.FindFirst("Model = ?", {"Custom1"}));
    EXPECT_EQ(listed.m_Index, 8);
    EXPECT_FLOAT_EQ(listed.m_Saturation, 0); // saturation left unset
}

TEST(MotorDatabaseCustomMotor, AddingAMotorOnAClosedSetOrWithATakenNameFails) {
    TempDir dir;
    std::string path = dir.File("Motors.mdb");
    std::filesystem::copy_file(MotorDbPath(), path);
    platform::db::Database db;
    db.Open(path);
    ZRMotorRS motors(&db);
    EXPECT_THROW(motors.AddNew(), platform::db::DbError);
    motors.Open();
    motors.AddNew();
    motors.m_MotorID = 500;
    motors.m_Model = "QV-R 40-1 A";
    EXPECT_THROW(motors.Update(), platform::db::DbError);
    motors.CancelUpdate();
    EXPECT_EQ(Count(db, "SELECT count(*) FROM Motor WHERE MotorID = 500"), 0);
}
