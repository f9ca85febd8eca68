#include "quorvance/tarvik/TarvikAnalogNodeMgr.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/tarvik/TarvikAnalog.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"
#include "quorvance/tarvik/ZRDrive.h"


namespace {

struct CommandText {
    unsigned id;
    const char* text;
};
constexpr CommandText kCommands[] = {
    {ID_REMOVE_VELOCITY_OFFSET, "Remove Velocity Input Offset"},
    {ID_REMOVE_CURRENT_OFFSET, "Remove Current Input Offset"},
    {ID_REMOVE_POSITION_OFFSET, "Remove Position Input Offset"},
    {ID_DEFINE_HOME, "Define Home"},
};

void RegisterAnalogMenu() {
    using platform::ui::MenuItem;
    const std::vector<MenuItem>* menu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
    if (menu && menu->size() > size_t(kAnalogInSubMenu) && menu->at(kAnalogInSubMenu).text == "Analog")
        return;
    std::vector<MenuItem> commands;
    for (const CommandText& command : kCommands)
        commands.emplace_back(command.id, command.text);
    platform::ui::RegisterSubMenu(
        IDR_OFFLINE_ROOT_MENU, kAnalogInSubMenu,
        MenuItem("Analog", {MenuItem(ID_ENABLE_DRIVE, "&Enable Drive"), MenuItem::Separator(),
                            MenuItem(ID_PROPERTIES, "P&roperties..."), MenuItem("Commands", std::move(commands))}));
}

} // namespace

TarvikAnalogNodeMgr::TarvikAnalogNodeMgr(TarvikAnalog* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view), m_pBlock(block) {}

std::unique_ptr<ZRNodeMgr> TarvikAnalogNodeMgr::Make(ZRObject* object, ZRTreeItem* item, ZRWorkspaceView* view) {
    auto* block = dynamic_cast<TarvikAnalog*>(object);
    return block ? std::make_unique<TarvikAnalogNodeMgr>(block, item, view) : nullptr;
}

void TarvikAnalogNodeMgr::Initialize() {
    if (!m_pBlock)
        return;
    RegisterAnalogMenu();
    SetMenu(IDR_OFFLINE_ROOT_MENU, kAnalogInSubMenu);
    if (ZRObject* drive = tarvik::DriveOf(m_pBlock))
        SetViewTitle("%s - Analog", &drive->GetName());
    SetIconID(ZRImages::IDI_ANALOG);
    SetHelpTopic(tarvik::kHelpTopicAnalog);
    SetPropsHelpTopic(tarvik::kHelpTopicAnalogProps);
    SetHasCommands(true);

    TarvikAnalog* b = m_pBlock;
    m_Properties.SetName("Analog");
    tarvik::AddSubGroup(m_Properties, "Velocity Command Input",
                        {b->GetVelocityScale(), b->GetVelocityOffset(), b->GetAccelDecelLimits(), b->GetAccelLimit(),
                         b->GetDecelLimit()});
    tarvik::AddSubGroup(m_Properties, "Current Command Input", {b->GetCurrentScale(), b->GetCurrentOffset()});
    tarvik::AddSubGroup(m_Properties, "Position Command Input", {b->GetPositionScale(), b->GetPositionOffset()});
    m_Statuses.AddProperty(b->GetAnalogCommandIn());
}

void TarvikAnalogNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    for (const CommandText& command : kCommands)
        rows.push_back(std::make_unique<ZRCommandRow>(command.text, command.id, this));
}

const platform::ui::CommandTable* TarvikAnalogNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<TarvikAnalogNodeMgr>;
    const auto run = &TarvikAnalogNodeMgr::DoCommand;
    const auto update = &TarvikAnalogNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{{Row(ID_REMOVE_CURRENT_OFFSET, run, update),
                                                   Row(ID_REMOVE_POSITION_OFFSET, run, update),
                                                   Row(ID_REMOVE_VELOCITY_OFFSET, run, update),
                                                   Row(ID_DEFINE_HOME, run, update)},
                                                  &TailCommands()};
    return &table;
}

void TarvikAnalogNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    state.enabled = tarvik::IsOnLine(m_pBlock);
}

void TarvikAnalogNodeMgr::DoCommand(unsigned int id) {
    if (!m_pBlock)
        return;
    // The offset takes the input last read: what the user saw in the status pane.
    const int32_t negated = -m_pBlock->GetAnalogCommandIn()->GetInternalValue();
    switch (id) {
    case ID_REMOVE_VELOCITY_OFFSET:
        m_pBlock->GetVelocityOffset()->SetInternalValue(negated);
        break;
    case ID_REMOVE_CURRENT_OFFSET:
        m_pBlock->GetCurrentOffset()->SetInternalValue(negated);
        break;
    case ID_REMOVE_POSITION_OFFSET:
        m_pBlock->GetPositionOffset()->SetInternalValue(negated);
        break;
    case ID_DEFINE_HOME:
        if (auto* drive = dynamic_cast<ZRDrive*>(tarvik::DriveOf(m_pBlock)))
            drive->GetDefineHomeCommand()->Execute(true);
        break;
    default:
        break;
    }
}

ZRModelDoc* TarvikAnalogNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void TarvikAnalogNodeMgr::DefaultAction() {
    ShowProperties();
}
