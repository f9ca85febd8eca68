// Fenwa drives made off line with "Insert Fenwa": unique names, their node, a project that keeps them.
#include "../shell/FrameFixture.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"

namespace {

using platform::core::IDOK;
using platform::core::ModalKind;

class FenwaOffLine : public FrameFixture {
protected:
    std::vector<std::string> DriveNames() {
        std::vector<std::string> names;
        for (ZRObject* child : App().GetOffLineRoot()->GetChildren())
            if (child->GetClass() == fenwa::kDriveType)
                names.push_back(child->GetName().GetValue());
        return names;
    }
    FenwaNodeMgr* NodeOf(ZRObject* object) {
        return dynamic_cast<FenwaNodeMgr*>(NodeUnder(Shell().Root()->GetNode(), object));
    }
};

TEST_F(FenwaOffLine, InsertMakesUniquelyNamedDrivesThatASavedProjectKeeps) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_TRUE(IsEnabled(ID_INSERT_FENWA));
    MenuAction(ID_INSERT_FENWA)->trigger();
    MenuAction(ID_INSERT_FENWA)->trigger();
    EXPECT_EQ(DriveNames(), (std::vector<std::string>{"Drive", "Drive1"}));
    ZRObject* drive = App().GetOffLineRoot()->GetChildren()[0];
    FenwaNodeMgr* node = NodeOf(drive);
    ASSERT_NE(node, nullptr);
    EXPECT_FALSE(App().GetWorkspaceView()->Children(node->GetNode()).empty());

    // Off line the panel starts no thread; its rows only change the jog state.
    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    EXPECT_FALSE(node->IsJogging());
    node->DoCommand(ID_FENWA_JOG_FORWARD);
    EXPECT_EQ(node->GetJogState(), FenwaNodeMgr::JogForward);
    EXPECT_FALSE(node->IsJogging());
    {
        ModalScript script;
        script.ExpectMessage("The Drive is Offline.", IDOK);
        node->OnResetToFactorySettings();
    }

    drive->GetName().SetValue("Axis 1");
    const std::string project = WorkFile("fenwa.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("fenwa"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        App().OpenDatabase();
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    // What a drive keeps of its values is the drive object's; here both come back with their node.
    EXPECT_EQ(DriveNames().size(), 2u);
    for (ZRObject* reopened : App().GetOffLineRoot()->GetChildren())
        EXPECT_NE(NodeOf(reopened), nullptr);
}

} // namespace
