// Commands are numeric ids. A command goes along a chain of targets (for example the active view's
// controller, the view, its frame, the application) until one handles it; menu and toolbar states
// are asked along the same chain.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QMenu;

namespace platform::ui {

struct CommandState {
    bool enabled = true;
    bool checked = false;
    bool visible = true;             // false takes the item out of its menu
    std::optional<std::string> text; // a new item text, when set
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;
    // Runs the command; answers whether this target handled it.
    virtual bool OnCommand(unsigned id);
    // Fills the state; answers whether this target decides the state of the id.
    virtual bool OnUpdateCommand(unsigned id, CommandState& state);
    // Whether OnCommand handles the id. An item nobody updates is enabled only when some target
    // of the chain has its command.
    virtual bool HasCommand(unsigned id) const;
};

class CommandRouter {
public:
    using Chain = std::function<std::vector<CommandTarget*>()>;

    CommandRouter() = default;
    explicit CommandRouter(Chain chain) : m_chain(std::move(chain)) {}
    void SetChain(Chain chain) { m_chain = std::move(chain); }

    // Answers whether a target handled the command.
    bool Execute(unsigned id) const;
    CommandState Query(unsigned id) const;

    // Applies the state of the action's command id to it.
    void UpdateAction(QAction& action) const;
    // Routes the menu's items (sub-menus included) through this router and updates their states each
    // time a menu opens. Attach once; the router must outlive the menu.
    void Attach(QMenu& menu) const;
    // Routes one action (an item added later, a toolbar button).
    void AttachAction(QAction& action) const;

private:
    std::vector<CommandTarget*> Targets() const;
    Chain m_chain;
};

// The command id an action carries (0 for none).
unsigned CommandId(const QAction& action);
void SetCommandId(QAction& action, unsigned id);

} // namespace platform::ui
