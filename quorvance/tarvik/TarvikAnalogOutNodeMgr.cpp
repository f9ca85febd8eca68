#include "quorvance/tarvik/TarvikAnalogOutNodeMgr.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

namespace {

constexpr unsigned short kOverrideIcon = ZRImages::IDI_ANALOG_OUTPUT_CONTROL;

void RegisterAnalogOutMenu() {
    using platform::ui::MenuItem;
    const std::vector<MenuItem>* menu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
    if (menu && menu->size() > size_t(kAnalogOutSubMenu) && menu->at(kAnalogOutSubMenu).text == "AnalogOut")
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, kAnalogOutSubMenu,
        MenuItem("AnalogOut", {MenuItem(ID_ENABLE_DRIVE, "&Enable Drive"), MenuItem::Separator(),
                               MenuItem(ID_PROPERTIES, "P&roperties..."),
                               MenuItem("Commands", {MenuItem(ID_OVERRIDE_OUTPUT, "&Override Output...")})}));
}

} // namespace

TarvikAnalogOutNodeMgr::TarvikAnalogOutNodeMgr(TarvikAnalogOut* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view), m_pBlock(block) {}

std::unique_ptr<ZRNodeMgr> TarvikAnalogOutNodeMgr::Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* block = dynamic_cast<TarvikAnalogOut*>(object);
    return block ? std::make_unique<TarvikAnalogOutNodeMgr>(block, item, view) : nullptr;
}

void TarvikAnalogOutNodeMgr::Initialize() {
    if (!m_pBlock)
        return;
    RegisterAnalogOutMenu();
    SetMenu(IDR_OFFLINE_ROOT_MENU, kAnalogOutSubMenu);
    if (ZRObject* drive = m_pBlock->GetParent())
        SetViewTitle("%s - Analog Outputs", &drive->GetName());
    SetIconID(ZRImages::IDI_ANALOG_OUTPUTS);
    SetHelpTopic(tarvik::kHelpTopicAnalogOut);
    SetPropsHelpTopic(tarvik::kHelpTopicAnalogOutProps);
    SetHasCommands(true);

    TarvikAnalogOut* b = m_pBlock;
    m_Properties.SetName("Analog Outputs");
    for (ZRAttribute* member : std::initializer_list<ZRAttribute*>{b->GetSignal(), b->GetScale(), b->GetScale32(),
                                                                   b->GetOffset()})
        m_Properties.AddProperty(member);
    m_Statuses.SetName("Analog Outputs");
    m_Statuses.AddProperty(b->GetAnalogOutputValue());
}

void TarvikAnalogOutNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Override Output...", ID_OVERRIDE_OUTPUT, this));
}

const platform::ui::CommandTable* TarvikAnalogOutNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<TarvikAnalogOutNodeMgr>;
    const auto run = &TarvikAnalogOutNodeMgr::DoCommand;
    const auto update = &TarvikAnalogOutNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{
        {Row(ID_OVERRIDE_OUTPUT, run, update), Row(ID_TOGGLE_OVERRIDE_MODE, run, update)}, &TailCommands()};
    return &table;
}

void TarvikAnalogOutNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pBlock);
}

void TarvikAnalogOutNodeMgr::DoCommand(unsigned int id) {
    if (!m_pBlock)
        return;
    if (id == ID_OVERRIDE_OUTPUT) {
        OpenOverrideWindow();
    } else if (id == ID_TOGGLE_OVERRIDE_MODE) {
        ZRBoolAttribute* mode = m_pBlock->GetOverrideMode();
        mode->SetValue(!mode->GetValue());
    }
}

void TarvikAnalogOutNodeMgr::OpenOverrideWindow() {
    if (tarvik::ActivatePropsWindow(*this, kOverrideIcon) >= 0)
        return;
    platform::ui::WaitCursor wait;
    // A bare window: the value alone, without command or status pane.
    ZRPropertiesView::s_bCreateServicesPane = false;
    ZRPropertiesView::s_bCreateStatusPane = false;
    ZRPropertiesView* view = tarvik::TakePropsView(BuildPropsDoc());
    if (!view)
        return;
    ZRObject* drive = m_pBlock->GetParent();
    AddPropsView(view, kOverrideIcon, "%s: Analog Output Control", drive ? &drive->GetName() : nullptr);
    const bool offLine = !tarvik::IsOnLine(m_pBlock);
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->SetOffLine(offLine);
    m_pOverrideFrame = m_PropsFrames.empty() ? nullptr : m_PropsFrames.back();
    if (m_pOverrideFrame) {
        m_pOverrideFrame->SetController(this);
        m_pOverrideFrame->SetHelpTopic(tarvik::kHelpTopicAnalogOutputControl);
    }
    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        grid->GetRows().push_back(std::make_unique<ZREditRow>(m_pBlock->GetOverrideValue(), nullptr));
        grid->UpdateRows();
        grid->Backup();
    }
    SizeAndShowView(view, 0.7f, 0.7f);
    m_pBlock->GetOverrideMode()->SetValue(true);
}

bool TarvikAnalogOutNodeMgr::CanClose(CSizableChildFrame* frame) {
    if (frame && frame == m_pOverrideFrame) {
        // Off line the override stays in the project as set; the pointer must go either way.
        if (tarvik::IsOnLine(m_pBlock))
            m_pBlock->GetOverrideMode()->SetValue(false);
        m_pOverrideFrame = nullptr;
    }
    return true;
}

ZRModelDoc* TarvikAnalogOutNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void TarvikAnalogOutNodeMgr::DefaultAction() {
    ShowProperties();
}
