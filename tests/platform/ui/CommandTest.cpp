#include "support/ui/UiTestApp.h"

#include "platform/ui/Command.h"
#include "platform/ui/Menu.h"
#include "support/ModalScript.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

using namespace platform::ui;

namespace {

class Target : public CommandTarget {
public:
    Target(std::string name, std::vector<unsigned> handles, std::vector<unsigned> disables = {})
        : m_name(std::move(name)), m_handles(std::move(handles)), m_disables(std::move(disables)) {}
    bool OnCommand(unsigned id) override {
        if (!HasCommand(id))
            return false;
        ran.push_back(m_name + std::to_string(id));
        return true;
    }
    bool OnUpdateCommand(unsigned id, CommandState& state) override {
        if (std::find(m_disables.begin(), m_disables.end(), id) == m_disables.end())
            return false;
        state.enabled = false;
        state.checked = true;
        return true;
    }
    bool HasCommand(unsigned id) const override {
        return std::find(m_handles.begin(), m_handles.end(), id) != m_handles.end();
    }
    static std::vector<std::string> ran;

private:
    std::string m_name;
    std::vector<unsigned> m_handles, m_disables;
};
std::vector<std::string> Target::ran;

TEST(Command, RouterAsksTheChainInOrder) {
    Target view("view", {10, 20}, {20}), frame("frame", {10, 30});
    CommandRouter router([&] { return std::vector<CommandTarget*>{&view, &frame}; });
    Target::ran.clear();
    EXPECT_TRUE(router.Execute(10));
    EXPECT_TRUE(router.Execute(30));
    EXPECT_FALSE(router.Execute(40));
    EXPECT_EQ(Target::ran, (std::vector<std::string>{"view10", "frame30"}));

    EXPECT_TRUE(router.Query(30).enabled);  // a handler and no update: enabled
    EXPECT_FALSE(router.Query(40).enabled); // nobody handles it
    CommandState state = router.Query(20);  // the update decides
    EXPECT_FALSE(state.enabled);
    EXPECT_TRUE(state.checked);
}

// A target that declares its commands as a table, with a base class's table behind it.
class TableBase : public CommandTarget {
public:
    std::vector<unsigned> ran;
    bool ready = false;

protected:
    static const CommandTable& BaseTable() {
        using Row = CommandRow<TableBase>;
        static const CommandTable table{
            Row(10, [](TableBase& t) { t.ran.push_back(10); }),
            Row(
                20, [](TableBase& t) { t.ran.push_back(20); }, kCommandDisabled),
        };
        return table;
    }
    const CommandTable* Commands() const override { return &BaseTable(); }
};

class TableTarget : public TableBase {
    void Ready(CommandState& state) const { state.enabled = ready; }
    void Run(unsigned id) { ran.push_back(id); }

protected:
    const CommandTable* Commands() const override {
        using Row = CommandRow<TableTarget>;
        static const CommandTable table{
            {Row(Row::Range{100, 103}, &TableTarget::Run, &TableTarget::Ready),
             Row(20, &TableTarget::Run), // a handler of its own; the base's rule still decides
             Row(30, nullptr, kCommandEnabled)},
            &BaseTable()};
        return &table;
    }
};

TEST(Command, OneTableAnswersRunUpdateAndHas) {
    TableTarget target;
    CommandRouter router([&] { return std::vector<CommandTarget*>{&target}; });
    struct Case {
        unsigned id;
        bool has;
        bool enabled;
    };
    // 30: an update rule that enables a command nothing runs is overruled: never enabled and silent.
    for (const Case& c : std::vector<Case>{{10, true, true},
                                           {20, true, false},
                                           {30, false, false},
                                           {40, false, false},
                                           {101, true, false}}) {
        EXPECT_EQ(target.HasCommand(c.id), c.has) << c.id;
        EXPECT_EQ(router.Query(c.id).enabled, c.enabled) << c.id;
        EXPECT_EQ(router.Execute(c.id), c.has) << c.id;
    }
    target.ready = true;
    EXPECT_TRUE(router.Query(103).enabled);
    EXPECT_FALSE(router.Execute(104));
    EXPECT_EQ(target.ran, (std::vector<unsigned>{10, 20, 101}));
}

TEST(Command, MenusFromTablesRouteTheirItems) {
    TestApp();
    RegisterMenu(251, {{"OffLineDB",
                        {{57637, "&Paste"},
                         MenuItem::Separator(),
                         {32774, "Insert &Project"},
                         {"&More", {{32780, "Save &As..."}}}}}});
    const std::vector<MenuItem>* table = FindMenu(251);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(FindMenu(999), nullptr);

    QMenu menu;
    FillMenu(menu, table->front().items);
    ASSERT_EQ(menu.actions().size(), 4);
    EXPECT_TRUE(menu.actions()[1]->isSeparator());
    EXPECT_EQ(CommandId(*menu.actions()[2]), 32774u);
    QMenu* more = menu.actions()[3]->menu();
    ASSERT_NE(more, nullptr);

    Target app("app", {32774, 32780}, {57637});
    CommandRouter router([&] { return std::vector<CommandTarget*>{&app}; });
    router.Attach(menu);
    Target::ran.clear();
    more->actions()[0]->trigger();
    menu.actions()[2]->trigger();
    EXPECT_EQ(Target::ran, (std::vector<std::string>{"app32780", "app32774"}));
    emit menu.aboutToShow();
    EXPECT_FALSE(menu.actions()[0]->isEnabled());
    EXPECT_TRUE(menu.actions()[0]->isChecked());
    EXPECT_TRUE(menu.actions()[2]->isEnabled());
}

TEST(Command, SubMenusOfOneResourceKeepEachOther) {
    constexpr unsigned kShared = 9251;
    RegisterSubMenu(kShared, 2, {"Drive", {{32843, "Velocity"}}});
    RegisterSubMenu(kShared, 0, {"Root", {{32793, "Rescan"}}});
    const std::vector<MenuItem>* table = FindMenu(kShared);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->size(), 3u);
    EXPECT_EQ(table->at(0).text, "Root");
    EXPECT_TRUE(table->at(1).IsSeparator());
    EXPECT_EQ(table->at(2).items.front().id, 32843u);
    RegisterSubMenu(kShared, 1, {"Other", {{1, "One"}}});
    EXPECT_EQ(table->at(2).text, "Drive");
    EXPECT_EQ(table->at(1).text, "Other");
}

} // namespace

TEST(PopupMenu, ScriptChoosesTheCommandAndSeesTheItems) {
    QMenu menu;
    platform::ui::FillMenu(menu, {{32782, "Properties..."}, {42501, "Locate"}});
    ModalScript script;
    script.ExpectMenu(42501);
    EXPECT_EQ(platform::ui::TrackPopupMenu(menu, QPoint(5, 5)), 42501u);
    EXPECT_NE(script.Seen().front().find("Locate"), std::string::npos);
}
