#include "quorvance/tarvik/ZRScopeNodeMgr.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "platform/core/Text.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/Resources.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRNoxelChannelRow.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <initializer_list>

namespace {

// The groups that stay open, by position: channel A and the sweep; the other channels and the
// drive's gains and filter open folded.
constexpr int kChannelAGroup = 0;
constexpr int kSweepGroup = ZRScope::kMaxChannels;

void RegisterScopeMenu() {
    using platform::ui::MenuItem;
    const std::vector<MenuItem>* menu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
    if (menu && menu->size() > size_t(kScopeSubMenu) && menu->at(kScopeSubMenu).text == "Oscilloscope")
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, kScopeSubMenu,
        MenuItem("Oscilloscope", {MenuItem(ID_PROPERTIES, "Properties..."),
                                  MenuItem("Commands", {MenuItem(IDC_ARM_TRIGGER, "Arm Trigger"),
                                                        MenuItem(IDC_RUN_CONTINUOUS, "Run Continuous"),
                                                        MenuItem(IDC_STOP_TRIGGERING, "Stop Triggering")})}));
}

using Rows = std::list<std::unique_ptr<ZRGridRow>>;

// A caption and its group row, appended to the rows; the members go into both.
class GroupBuilder {
public:
    GroupBuilder(Rows& rows, const std::string& caption) : m_Rows(rows) {
        auto group = std::make_unique<ZRGroupRow>(std::make_unique<ZRStaticHeader>(caption));
        m_pGroup = group.get();
        rows.push_back(std::move(group));
    }
    void Add(std::unique_ptr<ZRGridRow> row) {
        m_pGroup->AddRow(row.get());
        m_Rows.push_back(std::move(row));
    }
    // An edit row for each attribute there is.
    void Edits(std::initializer_list<ZRAttribute*> attributes) {
        for (ZRAttribute* a : attributes)
            if (a)
                Add(std::make_unique<ZREditRow>(a, nullptr));
    }
    // The same for settings that only newer firmware has: rows only where the drive supports them.
    void SupportedEdits(std::initializer_list<ZRAttribute*> attributes) {
        for (ZRAttribute* a : attributes)
            if (a && a->IsSupported())
                Add(std::make_unique<ZREditRow>(a, nullptr));
    }
    ZRGroupRow* Group() const { return m_pGroup; }

private:
    Rows& m_Rows;
    ZRGroupRow* m_pGroup;
};

} // namespace

ZRScopeNodeMgr::ZRScopeNodeMgr(ZRNoxelScope* scope, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, scope, view), m_pScope(scope) {}

ZRScopeNodeMgr::~ZRScopeNodeMgr() {
    if (m_pView)
        m_pView->RemoveObserver(this);
}

std::unique_ptr<ZRNodeMgr> ZRScopeNodeMgr::Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* scope = dynamic_cast<ZRNoxelScope*>(object);
    return scope ? std::make_unique<ZRScopeNodeMgr>(scope, item, view) : nullptr;
}

void ZRScopeNodeMgr::Initialize() {
    RegisterScopeMenu();
    SetMenu(IDR_OFFLINE_ROOT_MENU, kScopeSubMenu);
    ZRObject* drive = m_pScope ? m_pScope->GetParent() : nullptr;
    SetViewTitle("%s - Oscilloscope", drive ? &drive->GetName() : nullptr);
    SetIconID(ZRImages::IDI_SCOPE);
    SetHelpTopic(tarvik::kHelpTopicScope);
    SetPropsHelpTopic(tarvik::kHelpTopicScopeProps);
}

const platform::ui::CommandTable* ZRScopeNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZRScopeNodeMgr>;
    const auto run = &ZRScopeNodeMgr::DoCommand;
    const auto update = &ZRScopeNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{{Row(IDC_ARM_TRIGGER, run, update),
                                                   Row(ID_PROPERTIES, &ZRScopeNodeMgr::OnProperties),
                                                   Row(IDC_RUN_CONTINUOUS, run, update),
                                                   Row(IDC_STOP_TRIGGERING, run, update)},
                                                  &BaseCommands()};
    return &table;
}

void ZRScopeNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pScope);
}

void ZRScopeNodeMgr::OnProperties() {
    DefaultAction();
}

void ZRScopeNodeMgr::DoCommand(unsigned int id) {
    if (!m_pScope)
        return;
    switch (id) {
    case IDC_ARM_TRIGGER:
        m_pScope->ArmTrigger();
        break;
    case IDC_RUN_CONTINUOUS:
        m_pScope->SetRunContinuous(true);
        m_pScope->ArmTrigger();
        break;
    case IDC_STOP_TRIGGERING:
        // A capture already armed still comes in; only the re-arming stops.
        m_pScope->SetRunContinuous(false);
        break;
    default:
        break;
    }
}

bool ZRScopeNodeMgr::IsWindowOpen() {
    return m_pFrame != nullptr || ZRNodeMgr::IsWindowOpen();
}

bool ZRScopeNodeMgr::CloseWindows() {
    if (CSizableChildFrame* frame = m_pFrame) {
        m_pFrame = nullptr;
        frame->Destroy();
    }
    return true;
}

void ZRScopeNodeMgr::Retitle() {
    if (!m_pFrame)
        return;
    ZRStringAttribute* name = GetTitleName();
    const std::string drive = name ? name->GetValue() : std::string();
    m_pFrame->setWindowTitle(QString::fromStdString(platform::core::Format(GetTitleFormat().c_str(), drive.c_str())));
}

void ZRScopeNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (m_pView && subject == static_cast<platform::core::Subject*>(m_pView) && reason == ZRUpdate::Destroying) {
        m_pView->RemoveObserver(this);
        m_pView = nullptr;
        m_pFrame = nullptr;
        return;
    }
    if (m_pFrame && subject == GetTitleName() && reason == ZRUpdate::ValueChanged)
        Retitle();
    ZRNodeMgr::OnUpdate(subject, message);
}

void ZRScopeNodeMgr::DefaultAction() {
    if (m_pFrame) {
        m_pFrame->ActivateFrame(m_pFrame->isMinimized() ? platform::ui::ChildFrame::ShowRestore
                                                        : platform::ui::ChildFrame::ShowKeep);
        if (m_pView)
            m_pView->setFocus();
        return;
    }
    if (!m_pScope)
        return;
    platform::ui::WaitCursor wait;
    auto frame = std::make_unique<CSizableChildFrame>();
    auto* view = new ZRScopeView;
    frame->SetView(view);
    m_pView = view;
    m_pView->AddObserver(this);
    m_pView->SetCmdNodeMgr(this);
    const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (platform::ui::MainWindow* main = app ? app->GetMainWindow() : nullptr)
        main->AddChildFrame(frame.get());
    // The main window's document area holds the frame (and with it the view) from here on.
    m_pFrame = frame.release();

    GettingFocus(true);
    Retitle();
    m_pFrame->setWindowIcon(platform::ui::Resources::Icon(ZRImages::IDI_SCOPE));
    m_pFrame->SetHelpTopic(tarvik::kHelpTopicScopeProps);

    m_pView->SetObject(m_pScope);
    ZRPropertiesGrid* grid = m_pView->GetPropertyGrid();
    grid->SetOffLine(!tarvik::IsOnLine(m_pScope));
    m_pFrame->SetController(this);

    Rows& rows = grid->GetRows();
    BuildRows(rows);
    grid->UpdateRows();
    grid->Backup();
    int position = 0;
    for (const std::unique_ptr<ZRGridRow>& row : rows) {
        auto* group = dynamic_cast<ZRGroupRow*>(row.get());
        if (!group)
            continue;
        if (position != kChannelAGroup && position != kSweepGroup)
            group->OnClicked(0);
        ++position;
    }

    // A one-pixel nudge makes the frame lay its panes out at their final size.
    if (!m_pFrame->isMaximized() && !m_pFrame->isMinimized())
        m_pFrame->resize(m_pFrame->width() - 1, m_pFrame->height());
    m_pFrame->ActivateFrame(platform::ui::ChildFrame::ShowKeep);
    if (ZRScopeServicesView* services = m_pView->GetScopeServicesView())
        services->ShowSnapShotButton(false);
}

void ZRScopeNodeMgr::BuildRows(Rows& rows) {
    ZRNoxelScope* s = m_pScope;
    ZRChannelOptionList* options = s->GetChannelOptionList();
    for (int c = 0; c < ZRScope::kMaxChannels; ++c) {
        GroupBuilder group(rows, platform::core::Format("Channel %c", 'A' + c));
        group.Add(std::make_unique<ZRNoxelChannelRow>(s->GetInputSignal(c), options, nullptr));
        if (s->GetScaleType(c)->IsSupported())
            group.Add(std::make_unique<ZRChoiceRow>(s->GetScaleType(c), nullptr));
        group.SupportedEdits({s->GetScale(c), s->GetOffset(c)});
    }

    GroupBuilder sweep(rows, "Sweep Parameters");
    sweep.Edits({s->GetSamplePeriod()});
    ZRLongAttribute* perDivision = s->GetSamplesperdivision();
    if (perDivision->IsSupported()) {
        perDivision->Refresh(false);
        // A drive that never had it set answers 0, which the plot cannot divide by.
        if (perDivision->GetValue() == 0)
            perDivision->SetValue(32);
        sweep.Edits({perDivision});
    }
    sweep.Add(std::make_unique<ZRNoxelChannelRow>(s->GetTriggerSource(), options, nullptr));
    sweep.Add(std::make_unique<ZRChoiceRow>(s->GetTriggerMode(), nullptr));
    sweep.Edits({s->GetTriggerThreshold()});
    sweep.SupportedEdits({s->GetTriggerPosition()});
    sweep.Add(std::make_unique<ZRAsStringRow>(s->GetTriggerStatus(), nullptr));

    auto* drive = dynamic_cast<ZRDrive*>(s->GetParent());
    ZRTuning* t = drive ? drive->GetTuning() : nullptr;
    if (!t)
        return;
    GroupBuilder(rows, "Velocity Regulator Gains").Edits({t->GetP(), t->GetI(), t->GetD()});
    GroupBuilder position(rows, "Position Regulator Gains");
    position.Edits({t->GetKp(), t->GetKd(), t->GetKvff(), t->GetKi(), t->GetKiZone()});
    position.SupportedEdits({t->GetKaff()});
    GroupBuilder filter(rows, "Low Pass Filter");
    filter.Add(std::make_unique<ZRBoolEditRow>(t->GetEnable(), nullptr));
    filter.Edits({t->GetBandwidth()});
}
