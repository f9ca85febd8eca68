#include "quorvance/fenwa/FenwaTuningNodeMgr.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "platform/core/Modal.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "quorvance/shell/ZRQuorvanceApp.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr unsigned short kTuningIcon = 19715;
constexpr unsigned long kTuningHelpTopic = 1170;
constexpr unsigned long kTuningPropsHelpTopic = 1171;

void RegisterMenu() {
    using platform::ui::MenuItem;
    const auto position = static_cast<size_t>(kFenwaTuningMenu);
    if (platform::ui::HasSubMenu(IDR_FENWA_NODE_MENU, position))
        return;
    platform::ui::RegisterSubMenu(
        IDR_FENWA_NODE_MENU, position,
        MenuItem("Tuning",
                 {MenuItem(ID_PROPERTIES, "Properties..."),
                  MenuItem("Commands", {MenuItem(ID_FENWA_START_AUTOTUNING, "Start Autotuning"),
                                        MenuItem(ID_FENWA_COPY_MAIN_GAINS, "Save As Second Gain Group")})}));
}

ZRPropertyGroup& AddGroup(ZRPropertyGroup& parent, const char* name,
                          std::initializer_list<ZRAttribute*> members) {
    auto group = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup& added = *group;
    group->SetName(name);
    group->SetCollapsed(true);
    for (ZRAttribute* member : members)
        added.AddProperty(member);
    parent.AddGroup(std::move(group));
    return added;
}

constexpr const char* kAutotuneCaution = "Caution! Autotuning will run even with the Drive Disabled.\n"
                                         "This will move the motor. Do you want to continue with Autotuning?";

} // namespace

FenwaTuningNodeMgr::FenwaTuningNodeMgr(FenwaTuning* tuning, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, tuning, view), m_pTuning(tuning) {}

FenwaTuningNodeMgr::~FenwaTuningNodeMgr() = default;

std::unique_ptr<ZRNodeMgr> FenwaTuningNodeMgr::Make(ZRObject* object, ZRTreeItem* item,
                                                    ZRWorkspaceView* view) {
    auto* tuning = dynamic_cast<FenwaTuning*>(object);
    return tuning ? std::make_unique<FenwaTuningNodeMgr>(tuning, item, view) : nullptr;
}

void FenwaTuningNodeMgr::Initialize() {
    if (!m_pTuning)
        return;
    RegisterMenu();
    SetMenu(IDR_FENWA_NODE_MENU, kFenwaTuningMenu);
    ZRObject* drive = m_pTuning->GetParent();
    SetViewTitle("%s - Tuning", drive ? &drive->GetName() : nullptr);
    SetIconID(kTuningIcon);
    SetHelpTopic(kTuningHelpTopic);
    SetPropsHelpTopic(kTuningPropsHelpTopic);
    SetHasCommands(true);

    FenwaTuning* t = m_pTuning;
    m_Properties.SetName("Tuning");
    m_Properties.AddProperty(t->GetAdaptiveTuningResponse());
    AddGroup(m_Properties, "Main Velocity Regulator Gains",
             {t->GetP(), t->GetIntegratorTime(), t->GetIntegratorMode(), t->GetIntegratorHoldThreshold(),
              t->GetD(), t->GetVelocityLowPass()});
    AddGroup(m_Properties, "Main Position Regulator Gains",
             {t->GetKp(), t->GetKff(), t->GetKffLowPass(), t->GetHighErrorOutputOffset(),
              t->GetHighErrorOutputThreshold()});
    AddGroup(m_Properties, "Main Current Regulator Gains",
             {t->GetGain(), t->GetCurrentLowPass(), t->GetResonantSuppression()});
    AddGroup(m_Properties, "Autotuning", {t->GetAutotuningSpeed()});
    AddGroup(m_Properties, "Alternate Gain Values",
             {t->GetVRegP(), t->GetVRegIntegratorTime(), t->GetVRegLowPass(), t->GetPRegKp(),
              t->GetIRegLowPass()});

    AddGroup(m_Statuses, "Velocity Loop",
             {t->GetCommandVelocity(), t->GetFeedbackVelocity(), t->GetVelocityError()});
    AddGroup(m_Statuses, "Position Loop",
             {t->GetMasterPosition(), t->GetFollowerPosition(), t->GetPositionError()});
    AddGroup(m_Statuses, "Current Loop", {t->GetCommandCurrent()});
}

const platform::ui::CommandTable* FenwaTuningNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<FenwaTuningNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(ID_FENWA_START_AUTOTUNING, &FenwaTuningNodeMgr::OnStartAutotuning,
             &FenwaTuningNodeMgr::OnUpdateStartAutotuning),
         Row(ID_FENWA_COPY_MAIN_GAINS, &FenwaTuningNodeMgr::OnCopyMainGains,
             &FenwaTuningNodeMgr::OnUpdateCopyMainGains)},
        &TailCommands()};
    return &table;
}

void FenwaTuningNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Start Autotuning", ID_FENWA_START_AUTOTUNING, this));
    rows.push_back(
        std::make_unique<ZRCommandRow>("Copy Main Gains To Alternate", ID_FENWA_COPY_MAIN_GAINS, this));
    rows.push_back(std::make_unique<ZRCommandRow>("Save Parameters", ID_FENWA_SAVE_PARAMETERS, this));
}

void FenwaTuningNodeMgr::DoCommand(unsigned int id) {
    switch (id) {
    case ID_FENWA_SAVE_PARAMETERS:
        if (auto* drive = m_pTuning ? dynamic_cast<FenwaDrive*>(m_pTuning->GetParent()) : nullptr)
            drive->SaveParameters();
        break;
    case ID_FENWA_START_AUTOTUNING:
        OnStartAutotuning();
        break;
    case ID_FENWA_COPY_MAIN_GAINS:
        OnCopyMainGains();
        break;
    default:
        break;
    }
}

ZRModelDoc* FenwaTuningNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void FenwaTuningNodeMgr::DefaultAction() {
    ShowProperties();
}

bool FenwaTuningNodeMgr::IsOnLine() const {
    ZRDevice* device = m_pTuning ? m_pTuning->GetDevice() : nullptr;
    return device && !device->IsOffLine();
}

void FenwaTuningNodeMgr::OnStartAutotuning() {
    if (!m_pTuning)
        return;
    if (!IsOnLine()) {
        platform::core::MessageBox("The drive is off-line.");
        return;
    }
    if (platform::core::MessageBox(kAutotuneCaution, {},
                                   platform::core::MB_YESNO | platform::core::MB_DEFBUTTON2) !=
        platform::core::IDYES)
        return;
    // The drive answers when the run is over; a failure is the command's own message.
    platform::ui::WaitCursor wait;
    m_pTuning->GetAutotuneCommand()->Execute(true);
}

void FenwaTuningNodeMgr::OnCopyMainGains() {
    if (m_pTuning)
        m_pTuning->CopyMainGainsToAlternate();
}

void FenwaTuningNodeMgr::OnUpdateStartAutotuning(platform::ui::CommandState& state) {
    state.enabled = IsOnLine();
}

void FenwaTuningNodeMgr::OnUpdateCopyMainGains(platform::ui::CommandState& state) {
    state.enabled = true;
}
