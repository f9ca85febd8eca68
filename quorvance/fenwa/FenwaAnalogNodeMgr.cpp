#include "quorvance/fenwa/FenwaAnalogNodeMgr.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaAnalog.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaTuning.h"
#include "quorvance/tarvik/TarvikCommands.h"

#include <string>
#include <vector>

namespace {

// An offset command: the block's commands it runs (by their place in its command list; a pair
// always runs in full) and its texts in the command rows and the context menu.
struct OffsetCommand {
    unsigned id;
    const char* rowText;
    const char* menuText;
    int first;
    int second; // -1: none
};
constexpr OffsetCommand kOffsetCommands[] = {
    {ID_REMOVE_VELOCITY_OFFSET, "Remove Velocity Input Offset", "Remove Velocity Input Offset", 0, -1},
    {ID_REMOVE_CURRENT_OFFSET, "Remove Current Input Offset", "Remove Current Input Offset", 1, -1},
    {ID_INCREASE_VELOCITY_OFFSET, "Increase Velocity Input Offset", "Increase Velocity Command Offset", 2, 6},
    {ID_DECREASE_VELOCITY_OFFSET, "Decrease Velocity Input Offset", "Decrease Velocity Command Offset", 3, 6},
    {ID_INCREASE_CURRENT_OFFSET, "Increase Current Input Offset", "Increase Current Command Offset", 4, 7},
    {ID_DECREASE_CURRENT_OFFSET, "Decrease Current Input Offset", "Decrease Current Command Offset", 5, 7},
};

// The readings of the analog inputs.
constexpr int32_t kAnalogCommandVelocity = fenwa::Id(fenwa::cls::kMonitor, 0x014);
constexpr int32_t kAnalogCommandCurrent = fenwa::Id(fenwa::cls::kMonitor, 0x015);

// The object's attribute with that id, or else that name, from any of its lists; null when none.
ZRAttribute* FindAttribute(ZRObject* object, int32_t id, const std::string& name) {
    if (!object)
        return nullptr;
    for (const ZRObject::AttributeList* list :
         {&object->GetProperties(), &object->GetStatus(), &object->GetMiscAttributes()})
        for (ZRAttribute* a : *list)
            if (id != fenwa::attr::kNone ? a->GetAttribute() == id : a->GetName() == name)
                return a;
    return nullptr;
}

} // namespace

FenwaAnalogNodeMgr::FenwaAnalogNodeMgr(FenwaAnalog* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : FenwaOperModeBlockNodeMgr(block, item, view), m_pBlock(block) {}

void FenwaAnalogNodeMgr::Initialize() {
    using platform::ui::MenuItem;
    std::vector<MenuItem> commands;
    for (const OffsetCommand& command : kOffsetCommands)
        commands.emplace_back(command.id, command.menuText);
    SetUp({IDR_FENWA_NODE_MENU, kFenwaAnalogMenu, "%s - Analog", 19724, 1144, 1145},
          MenuItem("Analog",
                   {MenuItem(ID_PROPERTIES, "Properties..."), MenuItem("Commands", std::move(commands))}));
    if (!m_pBlock)
        return;
    m_Properties.SetName("Analog");
    // The block lists exactly the four settings, in the group's order.
    for (ZRAttribute* setting : m_pBlock->GetProperties())
        m_Properties.AddProperty(setting);
    FenwaDrive* drive = DriveOf(m_pBlock);
    ZRObject* tuning = drive ? drive->GetTuning() : nullptr;
    for (ZRAttribute* reading : {FindAttribute(m_pBlock, kAnalogCommandVelocity, {}),
                                 FindAttribute(m_pBlock, kAnalogCommandCurrent, {}),
                                 FindAttribute(tuning, fenwa::attr::kNone, "Command Velocity"),
                                 FindAttribute(tuning, fenwa::attr::kNone, "Command Current")})
        if (reading)
            m_Statuses.AddProperty(reading);
}

void FenwaAnalogNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    for (const OffsetCommand& command : kOffsetCommands)
        rows.push_back(std::make_unique<ZRCommandRow>(command.rowText, command.id, this));
    FenwaOperModeBlockNodeMgr::BuildCommandRows(rows);
}

const platform::ui::CommandTable* FenwaAnalogNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<FenwaAnalogNodeMgr>;
    const auto run = &FenwaAnalogNodeMgr::DoCommand;
    const auto update = &FenwaAnalogNodeMgr::OnUpdateOnLine;
    static const platform::ui::CommandTable table{
        {Row(ID_REMOVE_VELOCITY_OFFSET, run, update), Row(ID_REMOVE_CURRENT_OFFSET, run, update),
         Row(ID_INCREASE_VELOCITY_OFFSET, run, update), Row(ID_DECREASE_VELOCITY_OFFSET, run, update),
         Row(ID_INCREASE_CURRENT_OFFSET, run, update), Row(ID_DECREASE_CURRENT_OFFSET, run, update)},
        &TailCommands()};
    return &table;
}

void FenwaAnalogNodeMgr::OnUpdateOnLine(platform::ui::CommandState& state) {
    ZRDevice* device = m_pBlock ? m_pBlock->GetDevice() : nullptr;
    state.enabled = device && !device->IsOffLine();
}

void FenwaAnalogNodeMgr::DoCommand(unsigned int id) {
    for (const OffsetCommand& command : kOffsetCommands) {
        if (command.id != id)
            continue;
        if (!m_pBlock)
            return;
        const ZRObject::CommandList& list = m_pBlock->GetCommands();
        for (int index : {command.first, command.second})
            if (index >= 0 && static_cast<size_t>(index) < list.size())
                list[static_cast<size_t>(index)]->Execute(true);
        return;
    }
    FenwaOperModeBlockNodeMgr::DoCommand(id);
}
