// A Tarvik drive made off line, edited, saved, closed and reopened: every value comes back.
#include "FrameFixture.h"
#include "quorvance/DriveValues.h"

#include "quorvance/shell/ZRNewDriveTypeDlg.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {

class TarvikOffLineRoad : public FrameFixture {
protected:
    ZRDrive* OnlyDrive() { return dynamic_cast<ZRDrive*>(OnlyOffLineChild()); }
    ZRNodeMgr* NodeOf(ZRObject* object) { return NodeUnder(Shell().Root()->GetNode(), object); }
};

TEST_F(TarvikOffLineRoad, InsertEditSaveCloseReopenKeepsEveryValue) {
    ASSERT_NO_FATAL_FAILURE(StartFrame(true, true));
    ASSERT_TRUE(IsEnabled(ID_INSERT_TARVIK));
    const auto& model = ZRNewDriveTypeDlg::GetModels()[13]; // indexing, model code 2
    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Select New Drive", PressDialogButton(IDOK, [](Dialog& d) {
                          d.SetSelection(ZRNewDriveTypeDlg::IDC_DRIVE_MODEL, 13);
                      }));
        // The drive-added notice, once.
        ExpectDriveAdded(script, "Drive");
        MenuAction(ID_INSERT_TARVIK)->trigger();
    }
    ZRDrive* drive = OnlyDrive();
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->GetClass(), -178);
    EXPECT_EQ(drive->GetName().GetValue(), "Drive");
    EXPECT_EQ(drive->GetProductType(), 0x0Du + (2u << 24));
    ASSERT_NE(drive->GetServiceInfo(), nullptr);
    EXPECT_EQ(drive->GetServiceInfo()->GetDriveModel()->GetValue(), model.text);
    EXPECT_EQ(drive->GetServiceInfo()->GetDriveSize()->GetValue(), 2);
    auto* node = dynamic_cast<ZRDriveNodeMgr*>(NodeOf(drive));
    ASSERT_NE(node, nullptr);
    // Off line: the drive commands stay off, paste takes nothing.
    EXPECT_FALSE(node->IsCommandEnabled(ID_CLEAR_FAULTS));
    EXPECT_TRUE(node->IsCommandEnabled(ID_INDEXING_PANEL));
    EXPECT_FALSE(node->IsCompatible(drive));

    // Edit the drive and two of its blocks, then save, close and reopen.
    ASSERT_TRUE(drive->GetDriveAddress()->SetAsString("7"));
    ASSERT_TRUE(drive->GetVelocityLabel()->SetAsString("mm/s"));
    ASSERT_NE(drive->GetTuning(), nullptr);
    ASSERT_TRUE(drive->GetTuning()->GetP()->SetAsString("321"));
    ASSERT_NE(drive->GetDigOut(), nullptr);
    ASSERT_TRUE(drive->GetDigOut()->GetBrakeActiveDelay()->SetAsString("45"));
    drive->GetName().SetValue("Axis 1");
    const DriveValues before = ValuesOf(*drive);
    ASSERT_EQ(before.count("Axis 1/Drive Address#" + std::to_string(drive->GetDriveAddress()->GetAttribute())), 1u);

    const std::string project = WorkFile("tarvik.qdb");
    {
        ModalScript script;
        script.ExpectFile(ModalKind::SaveFile, WorkFile("tarvik"), IDOK);
        ASSERT_TRUE(App().SaveAsDatabase());
    }
    ASSERT_TRUE(App().CloseDatabase());
    {
        ModalScript script;
        script.ExpectFile(ModalKind::OpenFile, project, IDOK);
        // Opening a project greets each of its drives, as the scan greets an on-line one.
        ExpectDriveAdded(script, "Axis 1");
        App().OpenDatabase();
    }
    ASSERT_TRUE(App().IsDatabaseOpen());
    ZRDrive* reopened = OnlyDrive();
    ASSERT_NE(reopened, nullptr);
    EXPECT_EQ(reopened->GetClass(), -178);
    EXPECT_NE(NodeOf(reopened), nullptr);
    EXPECT_EQ(reopened->GetProductType(), 0x0Du + (2u << 24));
    EXPECT_TRUE(SameValues(before, ValuesOf(*reopened)));
}

} // namespace
