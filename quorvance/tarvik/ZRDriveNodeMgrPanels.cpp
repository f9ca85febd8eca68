// The drive node's control-panel window: one per drive, in the drive's host control mode while it
// is open.
#include "quorvance/tarvik/ZRDriveNodeMgr.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRAttributeHeader.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRMessageNoshow.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRIndexing.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <memory>

using platform::core::IDYES;

namespace {

constexpr unsigned short kPanelIcon = ZRImages::IDI_CONTROL_PANEL;
constexpr unsigned kAskNoDefault =
    platform::core::MB_YESNO | platform::core::MB_ICONQUESTION | platform::core::MB_DEFBUTTON2;

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

template <class Row, class Attribute> void AddRow(Rows& rows, Attribute* attribute) {
    if (attribute)
        rows.push_back(std::make_unique<Row>(attribute, std::make_unique<ZRAttributeHeader>(attribute)));
}

const char* PanelTitle(long mode) {
    switch (mode) {
    case ZRDriveNodeMgr::kModeVelocityPanel:
        return "Velocity Control Panel";
    case ZRDriveNodeMgr::kModeCurrentPanel:
        return "Current Control Panel";
    default:
        return "Indexing Control Panel";
    }
}

ZRIndexing* IndexingOf(ZRDrive* drive) {
    ZROperMode* modes = drive->GetOperMode();
    return modes ? modes->GetIndexing() : nullptr;
}

// The manager of the item under parent whose object is the model, or null.
ZRNodeMgr* ChildNodeOf(ZRWorkspaceView* tree, ZRTreeItem* parent, ZRObject* model) {
    if (!tree || !parent || !model)
        return nullptr;
    for (ZRTreeItem* item : tree->Children(parent)) {
        ZRNodeMgr* node = tree->NodeOf(item);
        if (node && node->GetModel() == model)
            return node;
    }
    return nullptr;
}

} // namespace

// ---- The node's own panels

void ZRDriveNodeMgr::OpenControlPanel(long mode) {
    if (mode == kModeIndexingPanel && !IsIndexing())
        return;
    if (ActivateModeWindow(mode))
        return;
    if (mode == kModeIndexingPanel) {
        ZRMessageNoshow notice("Message2", "Notice: while the indexing control panel is open:\n"
                                           "  - The Preset Select inputs are ignored.\n"
                                           "  - The start index input will still function.\n"
                                           "  - Only the index assigned through the control panel will be executed.");
        notice.Show();
    }
    const bool panes = tarvik::PreparePanes(m_pDrive);
    ZRPropertiesView* view = OpenModeWindow(mode, PanelTitle(mode), kPanelIcon, this);
    if (!view) {
        tarvik::ResetPaneSwitches();
        return;
    }
    platform::ui::WaitCursor wait;
    ZRDrive* d = m_pDrive;
    ZRTuning* tuning = d->GetTuning();
    ZRIndexing* indexing = IndexingOf(d);

    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        Rows& rows = grid->GetRows();
        if (mode == kModeVelocityPanel) {
            AddRow<ZRSpinRow>(rows, d->GetVelocityCommand());
            AddRow<ZREditRow>(rows, d->GetAcceleration());
        } else if (mode == kModeCurrentPanel) {
            AddRow<ZREditRow>(rows, d->GetCurrentCommand());
        } else if (indexing) {
            AddRow<ZREditRow>(rows, indexing->GetIndexNumber());
        }
        grid->UpdateRows();
        grid->Backup();
    }
    if (mode == kModeIndexingPanel && m_pModeFrame)
        m_pModeFrame->SetHelpTopic(tarvik::kHelpTopicIndexingPanel);

    if (panes && view->m_pServicesGrid) {
        Rows& rows = view->m_pServicesGrid->GetRows();
        const auto add = [&rows](const char* caption, unsigned id, ZRNodeMgr* target) {
            rows.push_back(std::make_unique<ZRCommandRow>(caption, id, target));
        };
        if (mode == kModeIndexingPanel) {
            // The indexing commands are the indexing node's; without that node they reach this one,
            // which leaves them alone.
            ZRNodeMgr* modesNode = ChildNodeOf(m_pTree, m_pNode, d->GetOperMode());
            ZRNodeMgr* indexingNode = modesNode ? ChildNodeOf(m_pTree, modesNode->GetNode(), indexing) : nullptr;
            ZRNodeMgr* target = indexingNode ? indexingNode : this;
            add("Start Index", ID_START_INDEX, target);
            add("Start Homing", ID_START_HOMING, target);
            add("Stop Homing", ID_STOP_HOMING, target);
        } else {
            add("Set to Zero", ID_SET_TO_ZERO, this);
        }
        add("Enable Drive", ID_PANEL_ENABLE_DRIVE, this);
        add("Disable Drive", ID_PANEL_DISABLE_DRIVE, this);
        add("Clear Faults", ID_CLEAR_FAULTS, this);
        if (mode == kModeIndexingPanel)
            add("Define Home", ID_DEFINE_HOME, this);
        view->m_pServicesGrid->UpdateRows();
    }

    if (ZRPropertiesGrid* grid = view->m_pStatusGrid) {
        Rows& rows = grid->GetRows();
        AddRow<ZRBoolRow>(rows, d->GetDriveEnabled());
        if (mode != kModeIndexingPanel && tuning) {
            AddRow<ZRAsStringRow>(rows, tuning->GetVelocityMotorFeedback());
            AddRow<ZRAsStringRow>(rows, tuning->GetCurrentFeedback());
        } else if (mode == kModeIndexingPanel && indexing) {
            AddRow<ZRAsStringRow>(rows, indexing->GetPositionCommand());
            AddRow<ZRAsStringRow>(rows, indexing->GetActualPosition());
            AddRow<ZRAsStringRow>(rows, indexing->GetBatchCountStatus());
            using Flag = ZRIndexing::Flag;
            for (Flag flag : {Flag::InMotion, Flag::InDwell, Flag::SequenceComplete, Flag::InPosition, Flag::AtHome})
                AddRow<ZRBoolRow>(rows, indexing->GetFlag(flag));
        }
        grid->UpdateRows();
    }
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->setFocus();
    SizeAndShowView(view, 0.7f, 0.7f);
}

// ---- The window the node lends

ZRPropertiesView* ZRDriveNodeMgr::OpenModeWindow(long mode, std::string title, unsigned short icon,
                                                 ZRNodeMgr* controller) {
    if (!m_pDrive || !CloseModeWindow())
        return nullptr;
    ZRBoolAttribute* enabled = m_pDrive->GetDriveEnabled();
    ZRIndexSelection* hostMode = m_pDrive->GetHostControlMode();
    enabled->Refresh(false);
    hostMode->Refresh(false);
    if (enabled->GetValue() && hostMode->GetValue() != mode &&
        platform::core::MessageBox("The drive is currently Enabled.\nThe drive will be disabled and placed in the "
                                   "requested mode.\nDo you wish to proceed?",
                                   {}, kAskNoDefault) != IDYES)
        return nullptr;
    ZRDevice* device = m_pDrive->GetDevice();
    if (IsOnLine())
        device->Disable();

    ZRPropertiesView* view = tarvik::TakePropsView(BuildPropsDoc());
    if (!view)
        return nullptr;
    // Observes the view, so that its going away reaches OnUpdate whoever controls the frame.
    AddPropsView(view, icon, "%s - " + title, &m_pDrive->GetName());
    CSizableChildFrame* frame = m_PropsFrames.back();
    const bool offLine = !IsOnLine();
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->SetOffLine(offLine);
    if (view->m_pStatusGrid)
        view->m_pStatusGrid->SetOffLine(offLine);
    if (frame)
        frame->SetController(controller);
    m_pModeFrame = frame;
    m_pModeView = view;
    m_Mode = mode;
    WriteHostMode(mode);
    return view;
}

bool ZRDriveNodeMgr::CloseModeWindow() {
    if (!m_pModeView)
        return true;
    const std::string question = platform::core::Format(
        "The drive is currently in %s mode. The associated window must be closed to continue.\nDo you wish to "
        "proceed?",
        m_pDrive->GetHostControlMode()->GetAsString().c_str());
    if (platform::core::MessageBox(question, {}, kAskNoDefault) != IDYES)
        return false;
    CloseModeFrame();
    WriteHostMode(kModeNormal);
    return true;
}

bool ZRDriveNodeMgr::ActivateModeWindow(long mode) {
    if (!m_pModeView || m_Mode != mode)
        return false;
    if (m_pModeFrame)
        m_pModeFrame->ActivateFrame(m_pModeFrame->isMinimized() ? platform::ui::ChildFrame::ShowRestore
                                                                : platform::ui::ChildFrame::ShowKeep);
    m_pModeView->setFocus();
    return true;
}

bool ZRDriveNodeMgr::CanClose(CSizableChildFrame* frame) {
    if (frame && frame == m_pModeFrame && IsOnLine()) {
        m_pDrive->GetDevice()->Disable();
        platform::core::MessageBox(
            "The drive will be software disabled. Click the enable button on the toolbar to reenable.");
        ForgetModeWindow();
        WriteHostMode(kModeNormal);
    }
    return true;
}

void ZRDriveNodeMgr::ForgetModeWindow() {
    m_pModeFrame = nullptr;
    m_pModeView = nullptr;
    m_Mode = kModeNormal;
}

void ZRDriveNodeMgr::CloseModeFrame() {
    // Forgotten first: the close must not ask this node to disable the drive again.
    CSizableChildFrame* frame = m_pModeFrame;
    ForgetModeWindow();
    if (frame)
        frame->Destroy();
}

void ZRDriveNodeMgr::WriteHostMode(long mode) {
    m_pDrive->GetHostControlMode()->SetValue(static_cast<int32_t>(mode));
}

void ZRDriveNodeMgr::HostModeChanged(int reason) {
    if (reason == ZRUpdate::ValueChanged) {
        // The drive left the window's mode by itself.
        if (m_pModeView && m_pDrive->GetHostControlMode()->GetValue() != m_Mode)
            CloseModeFrame();
    } else if (reason == ZRUpdate::Destroying) {
        m_pDrive->GetHostControlMode()->RemoveObserver(this);
    }
}
