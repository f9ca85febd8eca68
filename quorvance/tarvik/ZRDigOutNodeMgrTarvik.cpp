#include "quorvance/tarvik/ZRDigOutNodeMgrTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikIoReport.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"

namespace {

constexpr unsigned short kOverrideIcon = ZRImages::IDI_OVERRIDE_OUTPUTS;
constexpr int kOutputs = ZRDigOutTarvik::kOutputs;
constexpr unsigned kToggleIds[kOutputs] = {ID_TOGGLE_OUTPUT_1, ID_TOGGLE_OUTPUT_2, ID_TOGGLE_OUTPUT_3,
                                           ID_TOGGLE_OUTPUT_4, ID_TOGGLE_RELAY};
constexpr const char* kToggleTexts[kOutputs] = {"Toggle Output 1", "Toggle Output 2", "Toggle Output 3",
                                                "Toggle Output 4", "Toggle Relay"};

void RegisterDigOutMenu() {
    using platform::ui::MenuItem;
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, size_t(kDigOutSubMenu)))
        return;
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, kDigOutSubMenu,
        MenuItem("DigitalOutputs", {MenuItem(ID_PROPERTIES, "Properties..."),
                                    MenuItem(ID_OVERRIDE_OUTPUTS, "Override Outputs ...")}));
}

} // namespace

ZRDigOutNodeMgrTarvik::ZRDigOutNodeMgrTarvik(ZRDigOutTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : TarvikBlockNodeMgr(block, item, view), m_pBlock(block) {}

void ZRDigOutNodeMgrTarvik::Initialize() {
    RegisterDigOutMenu();
    SetUp({kDigOutSubMenu, "DigitalOutputs", "%s - Digital Outputs", ZRImages::IDI_DIGITAL_OUTPUTS,
           tarvik::kHelpTopicDigOut, tarvik::kHelpTopicDigOutProps});
    SetHasCommands(true);
    if (!m_pBlock)
        return;
    ZRDigOutTarvik& b = *m_pBlock;
    m_Properties.SetName("Digital Outputs");
    m_Statuses.SetName("Digital Outputs");
    for (int k = 0; k < kOutputs; ++k)
        m_Properties.AddProperty(b.GetOutput(k));
    m_Properties.AddProperty(b.GetBrakeActiveDelay());
    m_Properties.AddProperty(b.GetBrakeInactiveDelay());
    for (int k = 0; k < kOutputs; ++k)
        m_Statuses.AddProperty(b.GetOutputState(k));
}

const platform::ui::CommandTable* ZRDigOutNodeMgrTarvik::Commands() const {
    using Row = platform::ui::CommandRow<ZRDigOutNodeMgrTarvik>;
    static const platform::ui::CommandTable table{
        {Row(ID_OVERRIDE_OUTPUTS, &ZRDigOutNodeMgrTarvik::OnOverrideOutputs)}, &TailCommands()};
    return &table;
}

void ZRDigOutNodeMgrTarvik::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Override Outputs ...", ID_OVERRIDE_OUTPUTS, this));
}

void ZRDigOutNodeMgrTarvik::DoCommand(unsigned int id) {
    if (!m_pBlock)
        return;
    if (id == ID_OVERRIDE_OUTPUTS) {
        OnOverrideOutputs();
        return;
    }
    // The toggles work on the override state whatever the output's mode.
    for (int k = 0; k < kOutputs; ++k) {
        ZRBoolAttribute* state = m_pBlock->GetOverrideState(k);
        if (id == kToggleIds[k])
            state->SetValue(!state->GetValue());
        else if (id == ID_TURN_ALL_ON || id == ID_TURN_ALL_OFF)
            state->SetValue(id == ID_TURN_ALL_ON);
    }
}

void ZRDigOutNodeMgrTarvik::OnOverrideOutputs() {
    if (tarvik::ActivatePropsWindow(*this, kOverrideIcon) >= 0)
        return;
    platform::ui::WaitCursor wait;
    const bool onLine = tarvik::IsOnLine(m_pBlock);
    const bool panes = tarvik::PreparePanes(m_pBlock);
    ZRPropertiesView* view = tarvik::TakePropsView(BuildPropsDoc());
    if (!view)
        return;
    m_pOverrideView = view;
    ZRObject* drive = tarvik::DriveOf(m_pBlock);
    AddPropsView(view, kOverrideIcon, "%s - Override Outputs", drive ? &drive->GetName() : nullptr);
    if (view->m_pPropertiesGrid)
        view->m_pPropertiesGrid->SetOffLine(!onLine);
    if (view->m_pStatusGrid)
        view->m_pStatusGrid->SetOffLine(!onLine);
    if (!m_PropsFrames.empty() && m_PropsFrames.back()) {
        m_PropsFrames.back()->SetController(this);
        m_PropsFrames.back()->SetHelpTopic(tarvik::kHelpTopicOverrideOutputs);
    }
    ZRDigOutTarvik& b = *m_pBlock;
    if (ZRPropertiesGrid* grid = view->m_pPropertiesGrid) {
        for (int k = 0; k < kOutputs; ++k) {
            // The window starts from the mode the drive runs.
            b.GetMode(k)->Refresh(false);
            b.GetModeRequest(k)->SetValue(b.GetMode(k)->GetValue());
            grid->GetRows().push_back(std::make_unique<ZRBoolEditRow>(b.GetModeRequest(k), nullptr));
        }
        grid->UpdateRows();
    }
    if (panes) {
        if (ZRServicesGrid* services = view->m_pServicesGrid) {
            for (int k = 0; k < kOutputs; ++k)
                services->GetRows().push_back(
                    std::make_unique<ZRCommandRow>(kToggleTexts[k], kToggleIds[k], this));
            services->GetRows().push_back(
                std::make_unique<ZRCommandRow>("Turn All On", ID_TURN_ALL_ON, this));
            services->GetRows().push_back(
                std::make_unique<ZRCommandRow>("Turn All Off", ID_TURN_ALL_OFF, this));
            services->UpdateRows();
        }
        if (ZRPropertiesGrid* status = view->m_pStatusGrid) {
            for (int k = 0; k < kOutputs; ++k)
                status->GetRows().push_back(std::make_unique<ZRBoolRow>(b.GetOutputState(k), nullptr));
            status->UpdateRows();
        }
    }
    SizeAndShowView(view, 0.7f, 0.7f);
}

void ZRDigOutNodeMgrTarvik::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (m_pOverrideView && ReasonOf(message) == ZRUpdate::Destroying &&
        subject == static_cast<platform::core::Subject*>(static_cast<ZRMvcModel*>(m_pOverrideView))) {
        m_pOverrideView = nullptr;
        // The window is going: every output goes back to its normal function.
        if (m_pBlock)
            for (int k = 0; k < kOutputs; ++k)
                m_pBlock->GetModeRequest(k)->SetValue(false);
    }
    TarvikBlockNodeMgr::OnUpdate(subject, message);
}

void ZRDigOutNodeMgrTarvik::Report(std::string& text) {
    if (!m_pBlock)
        return;
    const ZRDigOutTarvik& b = *m_pBlock;
    tarvik::ReportAssignments(
        text, "   Digital Outputs",
        {b.GetOutput(0), b.GetOutput(1), b.GetOutput(2), b.GetOutput(3), b.GetOutput(4)});
}
