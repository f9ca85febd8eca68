// The faults and service information of drives in a project: their nodes under the drive, with and
// without the manufacturing switch, and their conversion from older-family parameter files.
#include "TarvikFrameFixture.h"
#include "support/model/ParFileWriter.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/ZRAttributeRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Text.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRFaultsNodeMgr.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRServiceInfoNodeMgr.h"
#include "support/TempDir.h"

#include <QAction>
#include <QMenu>

#include <cstdint>
#include <memory>

namespace {

using namespace tarvik;

// ---- The nodes in the project tree.

class FaultsServiceProject : public TarvikFrameFixture {
protected:
    // The program started with the switches and a new project.
    void StartWith(const std::vector<std::string>& args) {
        auto app = std::make_unique<FrameApp>();
        app->m_bRealRoot = true;
        m_pApp = std::move(app);
        ModalScript script;
        ExpectStartDialog(script, platform::core::IDOK, 2);
        ASSERT_TRUE(m_pApp->InitInstance(args));
        ASSERT_NE(Frame(), nullptr);
        QCoreApplication::processEvents();
    }

    template <class Node> Node* NodeOf(ZRDrive* drive, ZRObject* block) {
        ZRNodeMgr* driveNode = NodeUnder(Shell().GetOffLineItem(), drive);
        return driveNode ? dynamic_cast<Node*>(NodeUnder(driveNode->GetNode(), block)) : nullptr;
    }

    static std::vector<std::string> MenuTexts(ZRNodeMgr& node) {
        std::unique_ptr<QMenu> holder;
        QMenu* menu = node.CreateContextMenu(holder);
        std::vector<std::string> texts;
        if (!menu)
            return texts;
        for (QAction* action : menu->actions()) {
            texts.push_back(platform::ui::FromQString(action->text()));
            if (action->menu())
                for (QAction* sub : action->menu()->actions())
                    texts.push_back("  " + platform::ui::FromQString(sub->text()));
        }
        return texts;
    }
};

// What the node's property window shows: the property rows (a group row as "[name]") and the
// captions of the command rows.
struct Sheet {
    std::vector<std::string> properties;
    std::vector<std::string> commands;
};

Sheet OpenSheet(ZRNodeMgr& node) {
    Sheet sheet;
    node.ShowProperties();
    ZRPropertiesView* view = node.GetPropsView();
    if (!view)
        return sheet;
    for (const auto& row : view->m_pPropertiesGrid->GetRows()) {
        if (auto* attribute = dynamic_cast<ZRAttributeRow*>(row.get()))
            sheet.properties.push_back(attribute->GetAttribute()->GetName());
        else if (auto* group = dynamic_cast<ZRGroupRow*>(row.get()))
            sheet.properties.push_back("[" + group->GetStaticHeader()->GetHeaderName() + "]");
    }
    if (view->m_pServicesGrid)
        for (const auto& row : view->m_pServicesGrid->GetRows())
            if (auto* command = dynamic_cast<ZRCommandRow*>(row.get()))
                sheet.commands.push_back(command->GetCaption());
    node.CloseWindows();
    return sheet;
}

TEST_F(FaultsServiceProject, AnOffLineDriveHasFaultsAndServiceNodesWithoutTheManufacturingSwitch) {
    ASSERT_NO_FATAL_FAILURE(StartWith({}));
    ZRDrive* drive = AddDrive(kStandardDriveType, "Axis 1");
    auto* faults = NodeOf<ZRFaultsNodeMgr>(drive, drive->GetFaults());
    auto* info = NodeOf<ZRServiceInfoNodeMgr>(drive, drive->GetServiceInfo());
    ASSERT_NE(faults, nullptr);
    ASSERT_NE(info, nullptr);

    EXPECT_EQ(MenuTexts(*faults),
              (std::vector<std::string>{"Properties...", "Commands", "  Fault History...", "  Clear Faults"}));
    EXPECT_FALSE(IsEnabled(ID_FAULT_HISTORY));
    {
        ModalScript script;
        script.ExpectMessage("No fault history available for off-line drive.", platform::core::IDOK);
        faults->DoCommand(ID_FAULT_HISTORY);
    }

    // Off line the size may be chosen, nothing else; the menu holds only the properties.
    const Sheet sheet = OpenSheet(*info);
    EXPECT_EQ(sheet.properties, std::vector<std::string>{"Drive Size"});
    EXPECT_TRUE(sheet.commands.empty());
    EXPECT_EQ(MenuTexts(*info), std::vector<std::string>{"Properties..."});
    EXPECT_EQ(info->GetHelpTopic(), 1066u);
    EXPECT_EQ(info->GetPropsHelpTopic(), 1112u);
}

TEST_F(FaultsServiceProject, TheManufacturingSwitchBringsCalibrationIdentityAndServiceCommands) {
    ASSERT_NO_FATAL_FAILURE(StartWith({"-mfg"}));
    ZRDrive* drive = AddDrive(kStandardDriveType, "Axis 1");
    auto* info = NodeOf<ZRServiceInfoNodeMgr>(drive, drive->GetServiceInfo());
    ASSERT_NE(info, nullptr);
    const Sheet sheet = OpenSheet(*info);
    std::vector<std::string> expected{"Drive Size", "Drive Model", "PICS Number", "uPA Revision", "[Calibration]"};
    for (const char* channel : {"Command Input", "Current Limit Input", "Bus Voltage", "U Phase Current",
                                "W Phase Current", "Sine Input", "Cosine Input"}) {
        expected.push_back(std::string(channel) + " Offset");
        expected.push_back(std::string(channel) + " Scale");
    }
    for (const char* name : {"Analog Output Scale", "Analog Output Offset", "Encoder Voltage Offset", "[DeviceNet]",
                             "Vendor ID", "Serial Number"})
        expected.push_back(name);
    EXPECT_EQ(sheet.properties, expected);
    EXPECT_EQ(sheet.commands, (std::vector<std::string>{"Reset Service Clock", "Reset Fault History",
                                                         "Reset User EEPROM", "Reset Service EEPROM"}));
    EXPECT_EQ(MenuTexts(*info),
              (std::vector<std::string>{"Properties...", "Commands", "  Reset Drive", "  Calculate COMMAND Offset",
                                        "  Reset Service Clock", "  Reset to Factory Settings",
                                        "  Reset Fault History"}));
    // Off line the service commands refuse.
    {
        ModalScript script;
        script.ExpectMessage("The Drive is Offline.", platform::core::IDOK);
        info->DoCommand(ID_RESET_SERVICE_EEPROM);
    }
}

// ---- Conversion from older-family parameter files.

// 983040 lines make the old velocity unit exactly one count (49152 x 20 through the gear box); the
// motor's maximum speed is 3500 RPM.
constexpr uint32_t kLines = 49152;

class FaultsServiceImport : public testing::Test {
protected:
    static std::unique_ptr<ZRDrive> MakeDrive(uint32_t maxSpeed, uint32_t lines = kLines) {
        auto drive = std::make_unique<ZRDrive>(kStandardDriveType);
        drive->Init();
        ZRMotorTarvik* motor = drive->GetMotor();
        motor->GetGearBox()->SetValue(true);
        motor->GetGearRatioNumerator()->SetInternalValue(1);
        motor->GetGearRatioDenominator()->SetInternalValue(20);
        motor->GetLinesRevolution()->SetInternalValue(lines);
        motor->GetMaximumSpeed()->SetInternalValue(maxSpeed);
        return drive;
    }
    // A file of the version and model with old values by their index in the file, read.
    bool Open(ZROlbraConverter& converter, int version, uint16_t model, const std::map<int, int64_t>& old) {
        ParFile file;
        file.version = version;
        file.model = model;
        file.records[3] = {1, 1, 0, 0, 0, 0, 0, 0};
        for (const auto& [index, value] : old)
            file.values[index + ZROlbraConverter::kFirstTypedSlot] = value;
        const bool read = converter.OnOpenDocument(file.Write().Save(dir.File("drive.par")));
        EXPECT_TRUE(read) << converter.GetLog();
        return read;
    }

    TempDir dir;
};

TEST_F(FaultsServiceImport, FaultLimitsComeFromTheFileWithTheirWarnings) {
    struct Case {
        const char* name;
        int version;
        int64_t overspeed;
        double percent;    // old velocity-error limit, as a share of the motor's maximum speed
        uint32_t maxSpeed; // stored RPM
        uint32_t lines;
        uint32_t userVelocity;
        uint32_t errorLimit;
        uint32_t errorTime;
        const char* log;
    };
    const char* const limitWarning = "Warning: Velocity Error limit value is out of range. Setting to ";
    const Case cases[] = {
        {"in range", 8, 1000, 50, 3500, kLines, 1000, 50, 777, ""},
        // 65535 lines through the gear box are 4/3 of the old unit.
        {"overspeed too high", 8, 2000000000, 50, 3500, 65535, 2147483647, 50, 777,
         "Warning: Overspeed velocity value is out of range. Setting to max allowed.\n"},
        // An old value beyond 31 bits reads as negative and would wrap round in the drive.
        {"overspeed below zero", 8, 4294867296, 50, 3500, kLines, 0, 50, 777,
         "Warning: Overspeed velocity value is out of range. Setting to min allowed.\n"},
        {"limit too high", 8, 1000, 200, 3500, kLines, 1000, 100, 777, "max allowed.\n"},
        {"limit of 0", 8, 1000, 0.5, 3500, kLines, 1000, 1, 777, "min allowed.\n"},
        // Without the motor's speed the limit cannot be had: the default stays.
        {"no motor speed", 8, 1000, 50, 0, kLines, 1000, 25, 777,
         "Warning: Velocity Error limit value is out of range. Keeping the default.\n"},
        // Files before version 5 have no velocity-error limits.
        {"version 4", 4, 1000, 50, 3500, kLines, 1000, 25, 1000, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<ZRDrive> drive = MakeDrive(c.maxSpeed, c.lines);
        const double speed = drive->GetMotor()->GetMaximumSpeed()->GetValue();
        const auto velocityError = static_cast<int64_t>(speed * 65536 * c.percent / 100);
        ZROlbraConverter converter;
        ASSERT_TRUE(Open(converter, c.version, 0,
                         {{17, 12345}, {18, 250}, {27, c.overspeed}, {37, 16000}, {193, velocityError}, {194, 777}}));

        ZRFaults& f = *drive->GetFaults();
        EXPECT_TRUE(f.ImportParValues(&converter));
        EXPECT_EQ(f.GetFollowingErrorLimit()->GetInternalValue(), 12345u);
        EXPECT_EQ(f.GetFollowingErrorTime()->GetInternalValue(), 250u);
        EXPECT_EQ(f.GetUserCurrentFault()->GetInternalValue(), 16000u);
        EXPECT_EQ(f.GetUserVelocityFault()->GetInternalValue(), c.userVelocity);
        EXPECT_TRUE(f.GetUserVelocityFaultEnable()->GetValue());
        EXPECT_EQ(f.GetVelocityErrorFaultLimit()->GetInternalValue(), c.errorLimit);
        EXPECT_EQ(f.GetVelocityErrorFaultTime()->GetInternalValue(), c.errorTime);
        const std::string log = converter.GetLog();
        if (*c.log == 0)
            EXPECT_EQ(log.find("Warning"), std::string::npos) << log;
        else if (std::string(c.log).rfind("Warning", 0) == 0)
            EXPECT_NE(log.find(c.log), std::string::npos) << log;
        else
            EXPECT_NE(log.find(limitWarning + std::string(c.log)), std::string::npos) << log;
    }
}

TEST_F(FaultsServiceImport, TheDriveSizeIsTakenFromTheFileOrTheConversionEnds) {
    struct Case {
        bool olbra;
        int64_t code;
        const char* size;  // null: refused
        const char* error; // the log's line when refused
    };
    const Case cases[] = {
        {false, 0, "1", nullptr},
        {false, 3, "7.5", nullptr},
        {false, 4, "15", nullptr},
        {true, 0, "0.5", nullptr},
        {true, 2, "2", nullptr},
        {true, 3, nullptr, "Error: 7.5kW is invalid drive size for olbra"},
        {true, 4, nullptr, "Error: 15kW is invalid drive size for olbra"},
        {false, 5, nullptr, "Error: Invalid drive size"},
        {true, -1, nullptr, "Error: Invalid drive size"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.olbra << " " << c.code);
        ZRServiceInfo info;
        info.Init();
        ASSERT_TRUE(info.GetDriveSize()->SetAsString("3(HV)"));
        ZROlbraConverter reader;
        ASSERT_TRUE(Open(reader, 8, c.olbra ? 1 : 0, {{186, c.code}}));
        if (c.size) {
            EXPECT_TRUE(info.ImportParValues(&reader));
            EXPECT_EQ(info.GetDriveSize()->GetAsString(), c.size);
        } else {
            EXPECT_THROW(info.ImportParValues(&reader), ZRError);
            EXPECT_EQ(reader.GetLog(), std::string(c.error) + "\n");
            EXPECT_EQ(info.GetDriveSize()->GetAsString(), "3(HV)");
        }
    }
}

} // namespace
