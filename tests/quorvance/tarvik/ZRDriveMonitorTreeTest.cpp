// The Tarvik drive node's monitor tree: its groups in order, which attributes they hold, the
// engineering entries that only the "eng" switch adds, and the monitor node offering the same tree.
#include "TarvikBlockFixture.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/shell/AppFixture.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "support/ModalScript.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tarvik;

std::unique_ptr<ZRDrive> NewDrive(int32_t type, const std::string& name = "Axis 1") {
    auto drive = std::make_unique<ZRDrive>(type);
    drive->Init();
    drive->GetName().SetValue(name);
    return drive;
}

// Every group below the root as "Parent/Child", depth first, in order.
void CollectPaths(ZRPropertyGroup& group, const std::string& prefix, std::vector<std::string>& out) {
    for (ZRPropertyGroup* sub : group.GetGroups()) {
        out.push_back(prefix + sub->GetName());
        CollectPaths(*sub, out.back() + "/", out);
    }
}

std::vector<std::string> Paths(ZRPropertyGroup& root) {
    std::vector<std::string> out;
    CollectPaths(root, "", out);
    return out;
}

ZRPropertyGroup* Find(ZRPropertyGroup& root, const std::string& path) {
    ZRPropertyGroup* group = &root;
    std::istringstream parts(path);
    for (std::string name; group && std::getline(parts, name, '/');) {
        ZRPropertyGroup* next = nullptr;
        for (ZRPropertyGroup* sub : group->GetGroups())
            if (sub->GetName() == name)
                next = sub;
        group = next;
    }
    return group;
}

std::vector<std::string> Names(ZRPropertyGroup& group) {
    std::vector<std::string> names;
    for (ZRAttribute* a : group.GetProperties())
        names.push_back(a->GetName());
    return names;
}

// Every group in tree order: members without and with the switch, the first and the last member.
struct GroupCase {
    const char* path;
    size_t plain;
    size_t engineering;
    const char* first;
    const char* last;
    // When an engineering entry ends the group.
    const char* lastEngineering = nullptr;
};

const GroupCase kGroups[] = {
    {"Drive Status", 15, 16, "Analog Command In", "Reverse Enable"},
    {"Mode Configuration", 0, 0, nullptr, nullptr},
    {"Mode Configuration/Analog", 2, 2, "Analog Command In", "Remove Command Offset"},
    {"Mode Configuration/Preset", 7, 7, "Preset Select Line 0", "Define Position"},
    {"Mode Configuration/Follower", 1, 1, "Follower Enable", "Follower Enable"},
    {"Mode Configuration/Indexing", 15, 25, "Selected Index", "Define Position"},
    {"Mode Configuration/Homing", 6, 6, "Define Home", "Axis Homed"},
    {"Position Signals", 14, 14, "Position - Command", "Positive Overtravel"},
    {"Velocity Signals", 7, 7, "Velocity - Command", "Zero Speed"},
    {"Current Signals", 8, 15, "Current - Analog Limit Input", "Pos Current Limit", "Current - W-Phase"},
    {"Encoders", 0, 0, nullptr, nullptr},
    {"Encoders/Motor Output", 2, 2, "Position Strobe", "Tracking"},
    {"Encoders/Motor Input", 12, 14, "Position - Motor Feedback", "Startup Commutation Complete"},
    {"Encoders/Auxiliary Input", 4, 4, "Position - Auxiliary", "Z"},
    {"Digital Inputs", 8, 8, "Input 1 State", "Input 8 State"},
    {"Digital Outputs", 5, 5, "Output 1 State", "Relay State"},
    {"Analog Output", 1, 1, "Analog Output Value", "Analog Output Value"},
    {"Faults", 15, 15, "Fault Disable", "26:User Velocity"},
};

bool IsIndexingGroup(const std::string& path) {
    return path == "Mode Configuration/Indexing" || path == "Mode Configuration/Homing";
}

// The table's groups in order; the standard drive has no indexing groups.
std::vector<std::string> ExpectedPaths(bool indexingDrive) {
    std::vector<std::string> paths;
    for (const GroupCase& c : kGroups)
        if (indexingDrive || !IsIndexingGroup(c.path))
            paths.push_back(c.path);
    return paths;
}

// Checks every group of the tree against the table.
void ExpectGroups(ZRPropertyGroup& tree, bool indexingDrive, bool engineering) {
    for (const GroupCase& c : kGroups) {
        SCOPED_TRACE(c.path);
        ZRPropertyGroup* group = Find(tree, c.path);
        if (!indexingDrive && IsIndexingGroup(c.path)) {
            EXPECT_EQ(group, nullptr);
            continue;
        }
        ASSERT_NE(group, nullptr);
        std::vector<std::string> names = Names(*group);
        size_t expected = engineering ? c.engineering : c.plain;
        const char* last = engineering && c.lastEngineering ? c.lastEngineering : c.last;
        ASSERT_EQ(names.size(), expected);
        if (expected) {
            EXPECT_EQ(names.front(), c.first);
            EXPECT_EQ(names.back(), last);
        }
    }
}

bool Holds(ZRPropertyGroup& group, ZRAttribute* attribute) {
    for (ZRAttribute* a : group.GetProperties())
        if (a == attribute)
            return true;
    return false;
}

using DriveMonitorTree = TarvikBlockFixture;

TEST_F(DriveMonitorTree, GroupsComeInOrderAndIndexingAndHomingOnlyOnTheIndexingDrive) {
    for (int32_t type : {kStandardDriveType, kIndexingDriveType}) {
        SCOPED_TRACE(type);
        auto drive = NewDrive(type);
        ZRDriveNodeMgr node(drive.get(), nullptr, nullptr);
        ZRPropertyGroup* tree = node.GetMonitorTree();
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(tree->GetName(), "Axis 1");
        EXPECT_TRUE(tree->GetProperties().empty());
        EXPECT_EQ(Paths(*tree), ExpectedPaths(type == kIndexingDriveType));
    }
}

TEST_F(DriveMonitorTree, GroupsHoldTheDriveAndBlockAttributesWithoutEngineeringEntries) {
    for (int32_t type : {kStandardDriveType, kIndexingDriveType}) {
        SCOPED_TRACE(type);
        auto drive = NewDrive(type);
        ZRDriveNodeMgr node(drive.get(), nullptr, nullptr);
        ZRPropertyGroup& tree = *node.GetMonitorTree();
        ExpectGroups(tree, type == kIndexingDriveType, false);

        // Same names, different attributes: the monitor takes the ones its groups mean.
        ZRPropertyGroup& status = *Find(tree, "Drive Status");
        EXPECT_TRUE(Holds(status, drive->GetAnalogCommandIn()));
        EXPECT_TRUE(Holds(status, drive->GetServiceInfo()->GetFirmwareVersion()));
        EXPECT_TRUE(Holds(status, drive->GetOperationModeOverride()));
        EXPECT_FALSE(Holds(status, drive->GetCommutationAngle()));
        EXPECT_TRUE(Holds(*Find(tree, "Mode Configuration/Analog"),
                          drive->GetOperMode()->GetAnalog()->GetAnalogCommandIn()));
        EXPECT_TRUE(Holds(*Find(tree, "Velocity Signals"), drive->GetZeroSpeed()));
        EXPECT_FALSE(Holds(*Find(tree, "Velocity Signals"), drive->GetZeroSpeedStatus()));
        EXPECT_TRUE(Holds(*Find(tree, "Position Signals"), drive->GetPosnCompare1Status()));
        // The monitor lists fault 23 before fault 22.
        std::vector<std::string> faults = Names(*Find(tree, "Faults"));
        ASSERT_EQ(faults.size(), 15u);
        EXPECT_EQ(std::vector<std::string>(faults.begin() + 11, faults.begin() + 13),
                  (std::vector<std::string>{"23:Thermal Protect Filter", "22:Motor Filter"}));
    }
}

TEST_F(DriveMonitorTree, IsBuiltOnceAndFollowsTheDrivesName) {
    auto drive = NewDrive(kStandardDriveType);
    ZRDriveNodeMgr node(drive.get(), nullptr, nullptr);
    ZRPropertyGroup* first = node.GetMonitorTree();
    drive->GetName().SetValue("Renamed");
    EXPECT_EQ(node.GetMonitorTree(), first);
    EXPECT_EQ(first->GetName(), "Renamed");
    EXPECT_EQ(first->GetGroups().size(), 10u);
}

TEST_F(DriveMonitorTree, TheMonitorNodeOffersTheDriveNodesTree) {
    auto drive = NewDrive(kIndexingDriveType);
    ZRWorkspaceView view;
    {
        ZRTreeItem* item = view.InsertItem("Axis 1");
        // The tree item holds the node from here on; the view deletes it.
        auto* node = std::make_unique<ZRDriveNodeMgr>(drive.get(), item, &view).release();
        view.SetItemData(item, node);
        node->Initialize();
    }
    ZRNodeMgr* driveNode = view.GetNodeMgr("Axis 1");
    ZRNodeMgr* monitorNode = view.GetNodeMgr("Axis 1?Monitor");
    ASSERT_NE(driveNode, nullptr);
    ASSERT_NE(monitorNode, nullptr);
    ZRPropertyGroup* tree = monitorNode->GetMonitorTree();
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree, driveNode->GetMonitorTree());
    EXPECT_EQ(tree->GetName(), "Axis 1");
}

// The program started for real.
using DriveMonitorTreeApp = AppFixture;

TEST_F(DriveMonitorTreeApp, EngineeringEntriesComeOnlyWithTheSwitch) {
    for (bool engineering : {false, true}) {
        SCOPED_TRACE(engineering);
        {
            ModalScript script;
            ExpectStartDialog(script, platform::core::IDCANCEL);
            ASSERT_TRUE(Start(engineering ? std::vector<std::string>{"-eng"} : std::vector<std::string>{}));
        }
        ASSERT_EQ(App().IsEngineeringMode(), engineering);
        {
            auto drive = NewDrive(kIndexingDriveType);
            ZRDriveNodeMgr node(drive.get(), nullptr, nullptr);
            ZRPropertyGroup& tree = *node.GetMonitorTree();
            ExpectGroups(tree, true, engineering);
            EXPECT_EQ(Holds(*Find(tree, "Drive Status"), drive->GetCommutationAngle()), engineering);
            if (engineering) {
                // In the middle of their groups, where they belong.
                EXPECT_EQ(Names(*Find(tree, "Drive Status"))[3], "Commutation Angle");
                EXPECT_EQ(Names(*Find(tree, "Mode Configuration/Indexing"))[2],
                          "Absolute Index Started before Homing");
                EXPECT_EQ(Names(*Find(tree, "Current Signals"))[3], "D-Axis Error");
                EXPECT_EQ(Names(*Find(tree, "Encoders/Motor Input"))[11], "Sine");
            }
        }
        // The next start is a fresh run of the program.
        App().ExitInstance();
        m_pApp.reset();
        ZRGlobalDataMgr::DestroyInstance();
    }
}

} // namespace
