#include "platform/ui/Command.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QAction>
#include <QMenu>

namespace platform::ui {

bool CommandTarget::OnCommand(unsigned id) {
    const CommandTable* table = Commands();
    return table && table->Execute(*this, id);
}
bool CommandTarget::OnUpdateCommand(unsigned id, CommandState& state) {
    const CommandTable* table = Commands();
    return table && table->Update(*this, id, state);
}
bool CommandTarget::HasCommand(unsigned id) const {
    const CommandTable* table = Commands();
    return table && table->Has(id);
}

bool CommandTable::Execute(CommandTarget& target, unsigned id) const {
    for (const CommandTable* table = this; table; table = table->m_base)
        for (const Row& row : table->m_rows)
            if (row.run && id >= row.first && id <= row.last) {
                row.run(target, id);
                return true;
            }
    return false;
}

bool CommandTable::Update(CommandTarget& target, unsigned id, CommandState& state) const {
    for (const CommandTable* table = this; table; table = table->m_base)
        for (const Row& row : table->m_rows)
            if (row.update && id >= row.first && id <= row.last) {
                row.update(target, id, state);
                return true;
            }
    return false;
}

bool CommandTable::Has(unsigned id) const {
    for (const CommandTable* table = this; table; table = table->m_base)
        for (const Row& row : table->m_rows)
            if (row.run && id >= row.first && id <= row.last)
                return true;
    return false;
}

std::vector<CommandTarget*> CommandRouter::Targets() const {
    return m_chain ? m_chain() : std::vector<CommandTarget*>{};
}

bool CommandRouter::Execute(unsigned id) const {
    for (CommandTarget* target : Targets())
        if (target && target->OnCommand(id))
            return true;
    return false;
}

CommandState CommandRouter::Query(unsigned id) const {
    CommandState state;
    std::vector<CommandTarget*> targets = Targets();
    bool handled = false;
    for (CommandTarget* target : targets)
        if (target && target->HasCommand(id)) {
            handled = true;
            break;
        }
    for (CommandTarget* target : targets)
        if (target && target->OnUpdateCommand(id, state))
            break;
    // Nothing runs it: never enabled and silent, whatever an update rule said.
    state.enabled = state.enabled && handled;
    return state;
}

void CommandRouter::UpdateAction(QAction& action) const {
    unsigned id = CommandId(action);
    if (id == 0 || action.menu())
        return;
    CommandState state = Query(id);
    action.setEnabled(state.enabled);
    if (state.checked && !action.isCheckable())
        action.setCheckable(true);
    if (action.isCheckable())
        action.setChecked(state.checked);
    action.setVisible(state.visible);
    if (state.text)
        action.setText(ToQString(*state.text));
}

void CommandRouter::Attach(QMenu& menu) const {
    for (QAction* action : menu.actions()) {
        if (QMenu* sub = action->menu()) {
            Attach(*sub);
            continue;
        }
        AttachAction(*action);
    }
    QObject::connect(&menu, &QMenu::aboutToShow, &menu, [this, m = &menu] {
        Guard("menu update", [&] {
            for (QAction* action : m->actions())
                UpdateAction(*action);
        });
    });
}

void CommandRouter::AttachAction(QAction& action) const {
    if (CommandId(action) == 0)
        return;
    QObject::connect(&action, &QAction::triggered, &action,
                     [this, a = &action] { Guard("command", [&] { Execute(CommandId(*a)); }); });
}

unsigned CommandId(const QAction& action) {
    bool ok = false;
    unsigned id = action.data().toUInt(&ok);
    return ok ? id : 0;
}

void SetCommandId(QAction& action, unsigned id) {
    action.setData(id);
}

} // namespace platform::ui
