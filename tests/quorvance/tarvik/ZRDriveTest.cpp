// The Tarvik drive object: what its type decides, its DeviceNet child, the project round trip and
// the rules that show, hide and rename its rows.
#include "TarvikBlockFixture.h"

#include "kitbase/model/DBStorage.h"
#include "support/model/ProjectDb.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRVelocityScale.h"

#include "support/ModalScript.h"
#include "support/model/TestDevice.h"

#include <algorithm>
#include <map>
#include <filesystem>

namespace {

using namespace tarvik;
using platform::core::IDOK;

std::unique_ptr<ZRDrive> NewDrive(int32_t type, uint32_t productType = 0) {
    auto drive = std::make_unique<ZRDrive>(type);
    if (productType)
        drive->SetProductType(productType);
    drive->Init();
    return drive;
}

bool Lists(ZRObject& object, ZRAttribute* attribute) {
    const auto& list = object.GetProperties();
    return std::find(list.begin(), list.end(), attribute) != list.end();
}

std::vector<int32_t> ChildTypes(const ZRObject& object) {
    std::vector<int32_t> types;
    for (ZRObject* child : object.GetChildren())
        types.push_back(child->GetClass());
    return types;
}

using TarvikDrive = TarvikBlockFixture;

TEST_F(TarvikDrive, TheTypeDecidesModesSoftLimitsAndTheModesBlock) {
    struct Case {
        int32_t type;
        int32_t modesType;
        bool indexing;
    };
    for (const Case c : {Case{kStandardDriveType, kOperModesType, false},
                         Case{kIndexingDriveType, kOperModesIndexingType, true}}) {
        SCOPED_TRACE(c.type);
        auto drive = NewDrive(c.type);
        EXPECT_EQ(drive->GetVersion(), ZRDrive::kObjectVersion);
        int index = -1;
        for (ZRIndexSelection* modes : {drive->GetOperationMode(), drive->GetOperModeOverride()}) {
            EXPECT_EQ(modes->GetOptions()->GetIndex("Indexing", index), c.indexing);
            EXPECT_EQ(modes->GetOptions()->GetIndex("Preset Position", index), c.indexing);
            EXPECT_EQ(modes->GetAsString(), "Analog Velocity Input");
        }
        EXPECT_EQ(Lists(*drive, drive->GetEnableSoftLimits()), c.indexing);
        for (ZRAttribute* limit : std::initializer_list<ZRAttribute*>{
                 drive->GetPositiveSoftLimit(), drive->GetNegativeSoftLimit(), drive->GetPositiveDecelDistance(),
                 drive->GetNegativeDecelDistance()}) {
            EXPECT_EQ(limit->IsHidden(), !c.indexing) << limit->GetName();
            EXPECT_EQ(limit->GetAttribute() == ZRObject::kNoAttribute, !c.indexing) << limit->GetName();
        }
        const std::vector<int32_t> expected{c.modesType, kMotorType, kTuningType, kEncodersType, kDigInType,
                                            kDigOutType, kAnalogOutType, kFaultsType, kScopeType, kServiceInfoType};
        EXPECT_EQ(ChildTypes(*drive), expected);
        EXPECT_EQ(drive->GetOperMode()->GetClass(), c.modesType);
        EXPECT_EQ(drive->GetMonitor()->GetParent(), drive.get());
        EXPECT_EQ(drive->GetName().GetAttribute(), AttributeId(6));
    }
}

TEST_F(TarvikDrive, TheDeviceNetBlockBecomesAChildOnceAndOnlyWhenPresent) {
    auto plain = NewDrive(kIndexingDriveType);
    EXPECT_FALSE(plain->HasDeviceNetChild());
    EXPECT_EQ(plain->GetChildren().size(), 10u);
    EXPECT_EQ(plain->GetChild(kDeviceNetType), plain->GetDeviceNet());
    EXPECT_EQ(plain->GetChild(kDeviceNetType), plain->GetDeviceNet());
    EXPECT_EQ(plain->GetChildren().size(), 11u) << "asked twice, listed once";
    EXPECT_EQ(plain->GetChildren().back(), plain->GetDeviceNet());
    EXPECT_EQ(plain->GetChild(kMotorType), plain->GetMotor());
    EXPECT_EQ(plain->GetChild(kMonitorType), nullptr);

    auto known = NewDrive(kStandardDriveType, ZRDrive::kStandardDrive | ZRDrive::kDeviceNetPresent);
    EXPECT_TRUE(known->IsProductTypeKnown());
    EXPECT_TRUE(known->HasDeviceNetChild());
    EXPECT_EQ(known->GetChildren().back(), known->GetDeviceNet());
}

TEST_F(TarvikDrive, BlocksReachTheDrivesScaleModels) {
    auto drive = NewDrive(kIndexingDriveType);
    const ScaleUnits velocity = ModelsOf(drive->GetMotor(), Model::Velocity);
    EXPECT_EQ(velocity.scale, static_cast<ZRScale*>(drive->GetVelocityScale()));
    EXPECT_NE(velocity.units, nullptr);
    EXPECT_EQ(ModelsOf(drive->GetMotor(), Model::InverseGear).units, nullptr);
    EXPECT_NE(ModelsOf(drive->GetMotor(), Model::InverseGear).scale, nullptr);
    ZRObject loose;
    EXPECT_EQ(ModelsOf(&loose, Model::Velocity).scale, nullptr);
}

TEST_F(TarvikDrive, CompareTypesRenameTheCompareRowAndShowItsMaximum) {
    auto drive = NewDrive(kIndexingDriveType);
    struct Case {
        const char* type;
        const char* name;
        bool maxShown;
    };
    for (const Case c : {Case{"Within Window", " Min", true}, Case{"Less Than", " ", false},
                         Case{"Outside Window", " Min", true}, Case{"Greater Than", "", false}}) {
        SCOPED_TRACE(c.type);
        ASSERT_TRUE(SelectText(*drive->GetPosnCompare1Type(), c.type));
        ASSERT_TRUE(SelectText(*drive->GetPosnCompare2Type(), c.type));
        EXPECT_EQ(drive->GetPosnCompare1()->GetName(), std::string("Posn Compare 1") + c.name);
        EXPECT_EQ(drive->GetPosnCompare2()->GetName(), std::string("Posn Compare 2") + c.name);
        EXPECT_EQ(drive->GetPosnCompare1Max()->IsHidden(), !c.maxShown);
        EXPECT_EQ(drive->GetPosnCompare2Max()->IsHidden(), !c.maxShown);
    }
}

TEST_F(TarvikDrive, SingleTurnAbsoluteSwapsRolloverAndSizeForTheirComputedCopies) {
    auto drive = NewDrive(kIndexingDriveType);
    EXPECT_TRUE(drive->GetSingleTurnAbsolute()->IsHidden());
    ASSERT_TRUE(SelectText(*drive->GetMotor()->GetEncoder(), "SRS/SRM"));
    EXPECT_FALSE(drive->GetSingleTurnAbsolute()->IsHidden()) << "off line the encoder type alone decides";
    drive->GetMotor()->GetLinesRevolution()->SetInternalValue(1024);
    drive->GetSingleTurnAbsolute()->SetValue(true);
    EXPECT_TRUE(drive->GetPositionRollover()->IsHidden());
    EXPECT_TRUE(drive->GetSize()->IsHidden());
    EXPECT_FALSE(drive->GetPositionRolloverCopy()->IsHidden());
    EXPECT_FALSE(drive->GetSizeCopy()->IsHidden());
    EXPECT_FALSE(drive->GetSizeCopy()->GetEnabled());
    EXPECT_DOUBLE_EQ(drive->GetSizeCopy()->GetInternalValue() / 4096.0,
                     ZREncodersTarvik::GetInterpolationFactor(drive->GetEncoders()->GetMotorEncoderInterpolation()->GetValue()));

    // Another encoder hides the setting, which brings the stored pair back.
    ASSERT_TRUE(SelectText(*drive->GetMotor()->GetEncoder(), "Incremental"));
    EXPECT_TRUE(drive->GetSingleTurnAbsolute()->IsHidden());
    EXPECT_FALSE(drive->GetPositionRollover()->IsHidden());
    EXPECT_TRUE(drive->GetSizeCopy()->IsHidden());
}

TEST_F(TarvikDrive, PeakCurrentFollowsTheDriveSize) {
    auto drive = NewDrive(kIndexingDriveType);
    ZRIndexSelection* size = drive->GetServiceInfo()->GetDriveSize();
    auto* options = dynamic_cast<ZRUlongOptions*>(size->GetOptions());
    ASSERT_NE(options, nullptr);
    const std::map<uint32_t, double> ratings{{1, 15}, {2, 30}, {3, 30}, {4, 75}, {5, 150},
                                             {6, 14}, {7, 22}, {8, 46}, {9, 68}, {10, 94}};
    int checked = 0;
    for (int index = 0; index < options->GetCount(); ++index) {
        ASSERT_TRUE(size->SetValue(index));
        const uint32_t data = options->GetData(index);
        const auto it = ratings.find(data);
        EXPECT_DOUBLE_EQ(drive->GetDrivePeakCurrent(), it == ratings.end() ? 7.5 : it->second) << data;
        checked += it != ratings.end();
    }
    EXPECT_GT(checked, 0);
    size->SetInvalid();
    EXPECT_DOUBLE_EQ(drive->GetDrivePeakCurrent(), 7.5);
}

TEST_F(TarvikDrive, DriveCommandsOffLineOnlySayTheDriveIsOffline) {
    auto drive = NewDrive(kIndexingDriveType);
    TestDevice offLine(nullptr, true);
    drive->SetDevice(&offLine);
    ModalScript script;
    script.ExpectMessage("The Drive is Offline.", IDOK);
    script.ExpectMessage("The Drive is Offline.", IDOK);
    script.ExpectMessage("The Drive is Offline.", IDOK);
    drive->ClearFaults();
    drive->ResetDrive();
    EXPECT_FALSE(drive->ResetPersonality());
    drive->SetDevice(nullptr);
}

TEST_F(TarvikDrive, AWholeDriveCopyTakesBlocksValuesAndTheDeviceNetChild) {
    auto source = NewDrive(kIndexingDriveType, ZRDrive::kIndexingDrive | ZRDrive::kDeviceNetPresent);
    source->GetDriveAddress()->SetValue(9);
    source->GetMotor()->GetLinesRevolution()->SetInternalValue(2500);
    ASSERT_TRUE(SelectText(*source->GetPosnCompare1Type(), "Within Window"));
    auto target = NewDrive(kIndexingDriveType);
    target->Copy(source.get(), true);
    EXPECT_EQ(target->GetDriveAddress()->GetInternalValue(), 9u);
    EXPECT_EQ(target->GetMotor()->GetLinesRevolution()->GetInternalValue(), 2500u);
    EXPECT_EQ(target->GetPosnCompare1Type()->GetAsString(), "Within Window");
    EXPECT_EQ(target->GetProductType(), source->GetProductType());
    EXPECT_TRUE(target->HasDeviceNetChild());

    // A single block copies into its own kind only.
    auto other = NewDrive(kIndexingDriveType);
    other->Copy(source->GetMotor(), true);
    EXPECT_EQ(other->GetMotor()->GetLinesRevolution()->GetInternalValue(), 2500u);
    other->Copy(source->GetServiceInfo(), true);
    EXPECT_FALSE(other->HasDeviceNetChild());
}

// A drive stored in a project database and read back by a fresh drive object.
class TarvikDriveProject : public TarvikBlockFixture {
protected:
    void SetUp() override {
        TarvikBlockFixture::SetUp();
        project.emplace();
    }
    void TearDown() override {
        project.reset();
        TarvikBlockFixture::TearDown();
    }

    ZRStorage::Ids Links(int32_t cls, int32_t instance) const { return project->Links(cls, instance); }
    DBStorage* Db() const { return project->db.get(); }
    TestDevice& Device() { return project->device; }

    // Opened once the motor catalogue is.
    std::optional<ProjectDb> project;
};

TEST_F(TarvikDriveProject, AStoredDriveComesBackWithItsValuesAndItsDeviceNetChild) {
    const uint32_t product = ZRDrive::kIndexingDrive | ZRDrive::kDrivePresent | ZRDrive::kFirmwareValid |
                             ZRDrive::kDeviceNetPresent;
    int32_t instance = 0;
    {
        auto drive = NewDrive(kIndexingDriveType, product);
        drive->Create(&Device());
        instance = drive->GetInstance();
        EXPECT_GT(instance, 0);
        EXPECT_EQ(Links(kIndexingDriveType, instance).size(), 11u);
        drive->GetName().SetValue("Axis 4");
        drive->GetDriveAddress()->SetValue(7);
        drive->GetPositiveSoftLimit()->SetInternalValue(-1234);
        ASSERT_TRUE(SelectText(*drive->GetBaudRate(), "9600"));
        drive->GetMotor()->GetLinesRevolution()->SetInternalValue(4096);
    }
    // Made without the product type: the stored one brings the DeviceNet child.
    auto drive = NewDrive(kIndexingDriveType);
    EXPECT_FALSE(drive->HasDeviceNetChild());
    drive->Attach(&Device(), instance);
    EXPECT_TRUE(drive->HasDeviceNetChild());
    EXPECT_EQ(drive->GetChildren().size(), 11u);
    drive->Refresh();
    for (ZRObject* child : drive->GetChildren()) {
        EXPECT_GT(child->GetInstance(), 0) << child->GetClass();
        child->Refresh();
    }
    EXPECT_EQ(drive->GetProductType(), product);
    EXPECT_EQ(drive->GetName().GetAsString(), "Axis 4");
    EXPECT_EQ(drive->GetDriveAddress()->GetInternalValue(), 7);
    EXPECT_EQ(drive->GetPositiveSoftLimit()->GetInternalValue(), -1234);
    EXPECT_EQ(drive->GetBaudRate()->GetAsString(), "9600");
    EXPECT_EQ(drive->GetMotor()->GetLinesRevolution()->GetInternalValue(), 4096);
    EXPECT_EQ(Links(kIndexingDriveType, instance).size(), 11u) << "reattaching adds no links";
}

TEST_F(TarvikDriveProject, ABrokenChildLinkIsReportedAndRemovedAndTheOthersAttach) {
    int32_t instance = 0;
    {
        auto drive = NewDrive(kStandardDriveType);
        drive->Create(&Device());
        instance = drive->GetInstance();
        drive->GetMotor()->GetLinesRevolution()->SetInternalValue(1000);
    }
    Db()->AddChild(kStandardDriveType, instance, 9999);
    ModalScript script;
    script.ExpectMessage("Corrupted project database. Data may have been lost.", IDOK);
    auto drive = NewDrive(kStandardDriveType);
    drive->Attach(&Device(), instance);
    drive->GetMotor()->Refresh();
    EXPECT_EQ(drive->GetMotor()->GetLinesRevolution()->GetInternalValue(), 1000);
    const ZRStorage::Ids after = Links(kStandardDriveType, instance);
    EXPECT_EQ(std::count(after.begin(), after.end(), 9999u), 0);
    EXPECT_EQ(after.size(), 10u);
}

} // namespace
