// The encoders node's "Program Encoder" window and its "Start" button.
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRMonitorRowFactory.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikEncoderProgramming.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"

#include <QCoreApplication>
#include <QEvent>

namespace tarvik {

namespace {

constexpr unsigned short kProgramEncoderIcon = ZRImages::IDI_PROGRAM_ENCODER;

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

void AddRows(Rows& rows, std::initializer_list<ZRAttribute*> attributes, bool status) {
    if (!ZRNodeMgr::s_pRowFactory)
        return;
    for (ZRAttribute* attribute : attributes)
        if (auto row = ZRNodeMgr::s_pRowFactory->CreateRow(attribute, status))
            rows.push_back(std::move(row));
}

// The drive node above the encoders node, which owns the drive's control-panel window.
ZRDriveNodeMgr* DriveNodeOf(ZRNodeMgr& node) {
    ZRWorkspaceView* tree = node.GetTree();
    if (!tree || !node.GetNode())
        return nullptr;
    platform::ui::TreeItem parent = tree->ParentItem(node.GetNode());
    return parent ? dynamic_cast<ZRDriveNodeMgr*>(tree->NodeOf(parent)) : nullptr;
}

} // namespace

ZRPropertiesView* OpenProgramEncoderWindow(ZRNodeMgr& node, ZREncodersTarvik& block) {
    if (int open = ActivatePropsWindow(node, kProgramEncoderIcon); open >= 0)
        return node.GetPropsView(open);
    PreparePanes(&block);
    ZRPropertiesView* view = TakePropsView(NewPropsDoc());
    if (!view)
        return nullptr;
    ZRObject* drive = block.GetParent();
    node.AddPropsView(view, kProgramEncoderIcon, "%s - Program Encoder", drive ? &drive->GetName() : nullptr);

    platform::ui::WaitCursor wait;
    int index = -1;
    CSizableChildFrame* frame = node.FindIcon(kProgramEncoderIcon, index) ? node.GetPropsFrame(index) : nullptr;
    if (frame) {
        frame->SetController(&node);
        frame->SetHelpTopic(kHelpTopicProgramEncoder);
    }
    const bool offLine = !IsOnLine(&block);
    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        grid->SetOffLine(offLine);
        AddRows(grid->GetRows(),
                {block.GetBlobFile(), block.GetSerialNumber(), block.GetSelfSensingCurrent()}, false);
        grid->UpdateRows();
        grid->Backup();
    }
    block.GetProgrammingStatus()->SetValue("Waiting for Start. . . . . . . . .");
    if (ZRPropertiesGrid* grid = view->m_pStatusGrid) {
        grid->SetOffLine(offLine);
        AddRows(grid->GetRows(), {block.GetProgrammingStatus()}, true);
        grid->UpdateRows();
    }
    if (ZRServicesGrid* grid = view->m_pServicesGrid) {
        grid->GetRows().push_back(std::make_unique<ZRCommandRow>("Start", ID_START_ENCODER_PROGRAMMING, &node));
        grid->UpdateRows();
    }
    view->SetDefaultSizing(0.7f, 0.7f);
    if (frame)
        frame->ActivateFrame(platform::ui::ChildFrame::ShowKeep);
    return view;
}

void StartEncoderProgramming(ZRNodeMgr& node, ZREncodersTarvik& block) {
    using platform::core::MessageBox;
    if (!IsOnLine(&block)) {
        MessageBox("The drive is off-line.");
        return;
    }
    if (block.GetBlobFile()->GetValue().empty()) {
        MessageBox("You must select a blob file.");
        return;
    }
    ZRDrive* drive = TarvikDriveOf(&block);
    if (!drive)
        return;
    ZRIndexSelection* faultState = drive->GetFaultState();
    faultState->Refresh(false);
    const std::string state = faultState->GetAsString();
    if (state != "Drive Ready" && state != "Drive Enable") {
        MessageBox("The drive is faulted. You must clear the fault condition before programming the encoder.");
        return;
    }
    if (ZRDriveNodeMgr* driveNode = DriveNodeOf(node); driveNode && !driveNode->CloseModeWindow())
        return;
    if (MessageBox("This will begin the process of programming the motor encoder.\nThe motor settings will be "
                   "overwritten by this process.\nPosition the motor shaft at the zero position, then click OK to "
                   "continue.",
                   {}, platform::core::MB_OKCANCEL) != platform::core::IDOK)
        return;
    platform::ui::WaitCursor wait;
    EncoderProgrammer programmer(block);
    // The window shows each step as it comes, though the sequence holds the event loop.
    programmer.SetOnStatus([] { QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest); });
    programmer.ProgramEncoder();
}

} // namespace tarvik
