#include "platform/ui/Command.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Text.h"

#include <QAction>
#include <QMenu>

namespace platform::ui {

bool CommandTarget::OnCommand(unsigned) {
    return false;
}
bool CommandTarget::OnUpdateCommand(unsigned, CommandState&) {
    return false;
}
bool CommandTarget::HasCommand(unsigned) const {
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
    for (CommandTarget* target : targets)
        if (target && target->OnUpdateCommand(id, state))
            return state;
    state.enabled = false;
    for (CommandTarget* target : targets)
        if (target && target->HasCommand(id)) {
            state.enabled = true;
            break;
        }
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
