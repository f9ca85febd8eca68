// Commands are numeric ids. A command goes along a chain of targets (for example the active view's
// controller, the view, its frame, the application) until one handles it; menu and toolbar states
// are asked along the same chain.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <type_traits>
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

class CommandTable;

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

protected:
    // The target's command table; the three queries above answer from it. Null: no commands.
    virtual const CommandTable* Commands() const { return nullptr; }
};

// A class's commands, declared once: each row names its ids, what runs them and what decides their
// state, so handling, update and has-command answers cannot drift apart. A table may continue with
// its base class's table, searched after its own rows.
class CommandTable {
public:
    using Handler = std::function<void(CommandTarget&, unsigned)>;
    using Rule = std::function<void(CommandTarget&, unsigned, CommandState&)>;

    struct Row {
        unsigned first = 0;
        unsigned last = 0;
        Handler run; // empty: the row only decides the state
        Rule update; // empty: the state is left to the chain (enabled while a target runs the id)
    };

    CommandTable(std::initializer_list<Row> rows, const CommandTable* base = nullptr)
        : m_rows(rows), m_base(base) {}
    // Rows known only at run time (commands registered by parts of the program).
    CommandTable(std::vector<Row> rows, const CommandTable* base) : m_rows(std::move(rows)), m_base(base) {}

    bool Execute(CommandTarget& target, unsigned id) const;
    bool Update(CommandTarget& target, unsigned id, CommandState& state) const;
    bool Has(unsigned id) const;

private:
    std::vector<Row> m_rows;
    const CommandTable* m_base;
};

// A row of T's table. Handlers are T's member functions or callables taking T& and, optionally, the
// id; update rules take T&, optionally the id, and the state. nullptr stands for no handler or no rule.
template <class T> struct CommandRow : CommandTable::Row {
    template <class R, class U = std::nullptr_t>
    CommandRow(unsigned id, R run, U update = nullptr) : CommandRow(Range{id, id}, run, update) {}

    struct Range {
        unsigned first;
        unsigned last;
    };
    template <class R, class U = std::nullptr_t> CommandRow(Range ids, R run, U update = nullptr) {
        first = ids.first;
        last = ids.last;
        if constexpr (!std::is_null_pointer_v<R>)
            this->run = [run](CommandTarget& target, unsigned id) {
                T& self = static_cast<T&>(target);
                if constexpr (std::is_invocable_v<R, T&, unsigned>)
                    std::invoke(run, self, id);
                else
                    std::invoke(run, self);
            };
        if constexpr (!std::is_null_pointer_v<U>)
            this->update = [update](CommandTarget& target, unsigned id, CommandState& state) {
                T& self = static_cast<T&>(target);
                if constexpr (std::is_invocable_v<U, T&, unsigned, CommandState&>)
                    std::invoke(update, self, id, state);
                else
                    std::invoke(update, self, state);
            };
    }
};

// Update rules for rows whose state does not depend on the target.
inline constexpr auto kCommandEnabled = [](auto&, CommandState& state) { state.enabled = true; };
inline constexpr auto kCommandDisabled = [](auto&, CommandState& state) { state.enabled = false; };

class CommandRouter {
public:
    using Chain = std::function<std::vector<CommandTarget*>()>;

    CommandRouter() = default;
    explicit CommandRouter(Chain chain) : m_chain(std::move(chain)) {}
    void SetChain(Chain chain) { m_chain = std::move(chain); }

    // Answers whether a target handled the command.
    bool Execute(unsigned id) const;
    // A command that no target of the chain handles is disabled, whatever an update rule says:
    // no item is enabled and silent.
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
