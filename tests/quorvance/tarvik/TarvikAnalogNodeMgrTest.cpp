// The analog input and analog output nodes of a simulated drive: the offset commands, Define Home,
// the override window and what its closing writes.
#include "NodeCommands.h"
#include "TarvikScanFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikAnalogNodeMgr.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikAnalogOutNodeMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QCoreApplication>

#include <memory>

namespace {

using wiresim::Started;
using wiresim::TarvikDriveSim;

constexpr int kVelocityOffset = 71;
constexpr int kCurrentOffset = 73;
constexpr int kPositionOffset = 41;

class AnalogNodes : public TarvikScanFixture {
protected:
    ZRDriveNodeMgr* Scan(TarvikDriveSim& line) {
        StartScan(line);
        ZRIdleController::Instance()->DoIdle();
        return OnlyDrive();
    }
};

TEST_F(AnalogNodes, RemoveOffsetWritesTheNegatedInputLastRead) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* driveNode = Scan(line);
    ASSERT_NE(driveNode, nullptr);
    TarvikAnalog* analog = driveNode->GetDrive()->GetOperMode()->GetAnalog();
    ASSERT_NE(analog, nullptr);
    // The node as the mode configuration makes it, through the family's registry.
    ZRTreeItem* item = m_View->InsertItem("Analog", driveNode->GetNode());
    std::unique_ptr<ZRNodeMgr> made = TarvikAnalogNodeMgr::Make(analog, item, m_View.get());
    ASSERT_NE(made, nullptr);
    auto* node = static_cast<TarvikAnalogNodeMgr*>(made.release());
    m_View->SetItemData(item, node);
    node->Initialize();

    line.SetValue(1, tarvik::param::kAnalogCommandIn, 0, 37);
    ASSERT_TRUE(analog->GetAnalogCommandIn()->Refresh(true));
    // The drive's input moves on; the command takes what was last read.
    line.SetValue(1, tarvik::param::kAnalogCommandIn, 0, 50);
    const struct {
        unsigned id;
        int parameter;
    } cases[] = {{ID_REMOVE_VELOCITY_OFFSET, kVelocityOffset},
                 {ID_REMOVE_CURRENT_OFFSET, kCurrentOffset},
                 {ID_REMOVE_POSITION_OFFSET, kPositionOffset}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.parameter);
        EXPECT_TRUE(Enabled(*node, c.id));
        node->DoCommand(c.id);
        EXPECT_EQ(static_cast<int16_t>(line.Value(1, c.parameter)), -37);
    }
    EXPECT_TRUE(Enabled(*node, ID_DEFINE_HOME));

    // Off line every command of the node is off.
    driveNode->GetDrive()->GetDevice()->SetOffLine(true);
    for (unsigned id : {ID_REMOVE_VELOCITY_OFFSET, ID_REMOVE_CURRENT_OFFSET, ID_REMOVE_POSITION_OFFSET, ID_DEFINE_HOME})
        EXPECT_FALSE(Enabled(*node, id)) << id;
    driveNode->GetDrive()->GetDevice()->SetOffLine(false);
}

TEST_F(AnalogNodes, OverrideWindowOpensOnceAndItsClosingEndsTheOverride) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    ZRDriveNodeMgr* driveNode = Scan(line);
    ASSERT_NE(driveNode, nullptr);
    auto* node = ChildOf<TarvikAnalogOutNodeMgr>(*driveNode);
    ASSERT_NE(node, nullptr);
    TarvikAnalogOut* output = node->GetBlock();
    EXPECT_TRUE(Enabled(*node, ID_OVERRIDE_OUTPUT));

    node->DoCommand(ID_OVERRIDE_OUTPUT);
    CSizableChildFrame* frame = node->GetOverrideFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->windowTitle().toStdString(), driveNode->GetDrive()->GetName().GetValue() +
                                                      ": Analog Output Control");
    EXPECT_TRUE(output->GetOverrideMode()->GetValue());
    int index = -1;
    ASSERT_TRUE(node->FindIcon(273, index));
    ZRPropertiesView* view = node->GetPropsView(index);
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view->m_pPropertiesGrid, nullptr);
    EXPECT_EQ(view->m_pPropertiesGrid->GetRows().size(), 1u);
    EXPECT_EQ(view->m_pStatusGrid, nullptr);

    // Asked again: the same window, no second.
    node->DoCommand(ID_OVERRIDE_OUTPUT);
    EXPECT_EQ(node->GetOverrideFrame(), frame);
    int again = -1;
    node->FindIcon(273, again);
    EXPECT_EQ(again, index);

    // Another window of the node closing leaves the override on.
    node->ShowProperties();
    ASSERT_NE(node->GetPropsFrame(), nullptr);
    ASSERT_NE(node->GetPropsFrame(), frame);
    node->GetPropsFrame()->close();
    QCoreApplication::processEvents();
    EXPECT_TRUE(output->GetOverrideMode()->GetValue());
    EXPECT_EQ(node->GetOverrideFrame(), frame);

    frame->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(output->GetOverrideMode()->GetValue());
    EXPECT_EQ(node->GetOverrideFrame(), nullptr);
    EXPECT_FALSE(node->FindIcon(273, index));
}

} // namespace
