#include "ZRMonitorFixture.h"

#include "platform/ui/TreeView.h"

#include <QTest>

#include <algorithm>
#include <functional>
#include <list>
#include <unistd.h>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;
using platform::ui::TreeHit;
using platform::ui::TreeItem;
using platform::ui::TreeView;
using Names = std::vector<std::string>;

namespace {

// The item at a "?"-path of labels from the top.
TreeItem Find(TreeView& tree, const std::string& path) {
    TreeItem parent = nullptr;
    size_t start = 0;
    for (;;) {
        const size_t end = path.find('?', start);
        const std::string label = path.substr(start, end == std::string::npos ? end : end - start);
        TreeItem match = nullptr;
        for (TreeItem item : tree.Children(parent))
            if (tree.ItemText(item) == label)
                match = item;
        if (!match || end == std::string::npos)
            return match;
        parent = match;
        start = end + 1;
    }
}

// Clicks the item's tick box as the user would.
void ClickBox(TreeView& tree, TreeItem item) {
    ASSERT_NE(item, nullptr);
    for (TreeItem up = tree.ParentItem(item); up; up = tree.ParentItem(up))
        tree.Expand(up, platform::ui::TreeExpand::Expand);
    const QRect label = tree.ItemRect(item, true);
    ASSERT_FALSE(label.isEmpty());
    TreeHit hit = TreeHit::Nowhere;
    for (int x = label.left(); x >= 0; --x) {
        const QPoint at(x, label.center().y());
        if (tree.HitTest(at, &hit) == item && hit == TreeHit::StateImage) {
            QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, at);
            return;
        }
    }
    FAIL() << "no tick box for " << tree.ItemText(item);
}

class ZRMonitorSetupTest : public MonitorTest {
protected:
    // Runs the set-up dialog of the view; fill sees the shown dialog and its tree.
    void RunSetup(ZRMonitorView& view, int button, std::function<void(ZRMonitorSetup&, TreeView&)> fill) {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Monitor Setup", PressDialogButton(button, [&](Dialog& d) {
                          auto& setup = static_cast<ZRMonitorSetup&>(d);
                          d.show();
                          ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
                          fill(setup, *setup.GetTree());
                      }));
        view.OnSetup();
    }
};

TEST_F(ZRMonitorSetupTest, TicksPickTheAttributesAndOkRewritesTheRowsDepthFirst) {
    ZRMonitorView* view = Open();
    WriteSetup("A", "MonitorFileVersion:1\nFormat:0\nX*Motor*Current\n");
    StoreDefault("A");
    view->OnDisplayRows();
    using platform::ui::STATE_CHECKED;
    using platform::ui::STATE_PARTIAL;
    using platform::ui::STATE_UNCHECKED;

    RunSetup(*view, IDOK, [](ZRMonitorSetup&, TreeView& tree) {
        auto state = [&](const char* path) { return tree.ItemState(Find(tree, path)); };
        // What the grid shows is ticked; its groups are partly ticked; hidden attributes are left out.
        EXPECT_EQ(state("Drive1?Motor?Current"), STATE_CHECKED);
        EXPECT_EQ(state("Drive1?Motor?Speed"), STATE_UNCHECKED);
        EXPECT_EQ(state("Drive1?Motor"), STATE_PARTIAL);
        EXPECT_EQ(state("Drive1"), STATE_PARTIAL);
        EXPECT_EQ(state("Drive1?Loop"), STATE_UNCHECKED);
        EXPECT_EQ(Find(tree, "Drive1?Motor?Secret"), nullptr);
        EXPECT_TRUE(tree.IsExpanded(Find(tree, "Drive1")));

        // A partly ticked group clears everything below it.
        ClickBox(tree, Find(tree, "Drive1"));
        EXPECT_EQ(state("Drive1?Motor?Current"), STATE_UNCHECKED);
        EXPECT_EQ(state("Drive1"), STATE_UNCHECKED);
        // Ticking a group ticks everything below it; the ancestors agree or show partly ticked.
        ClickBox(tree, Find(tree, "Drive1?Loop"));
        EXPECT_EQ(state("Drive1?Loop?Gain"), STATE_CHECKED);
        EXPECT_EQ(state("Drive1?Loop?Inner"), STATE_CHECKED);
        EXPECT_EQ(state("Drive1?Loop?Inner?Peak"), STATE_CHECKED);
        EXPECT_EQ(state("Drive1"), STATE_PARTIAL);
        ClickBox(tree, Find(tree, "Drive1?Motor?Speed"));
        EXPECT_EQ(state("Drive1?Motor"), STATE_PARTIAL);
        ClickBox(tree, Find(tree, "Drive1?Loop?Inner?Peak"));
        EXPECT_EQ(state("Drive1?Loop?Inner"), STATE_UNCHECKED);
        EXPECT_EQ(state("Drive1?Loop"), STATE_PARTIAL);
        ClickBox(tree, Find(tree, "Drive1?Loop?Inner?Peak"));
        EXPECT_EQ(state("Drive1?Loop"), STATE_CHECKED);
    });
    // Each group's own attributes before its sub-groups.
    const Names picked{"[Motor]", "Speed", "[Loop]", "Gain", "[Inner]", "Peak"};
    EXPECT_EQ(Shown(*view), picked);

    // Cancel leaves the rows as they are.
    RunSetup(*view, IDCANCEL, [](ZRMonitorSetup&, TreeView& tree) { ClickBox(tree, Find(tree, "Drive1")); });
    EXPECT_EQ(Shown(*view), picked);

    // Everything ticked and saved: the file lists the picked attributes in grid order.
    RunSetup(*view, IDOK, [](ZRMonitorSetup&, TreeView& tree) {
        ClickBox(tree, Find(tree, "Drive1?Motor")); // partly ticked: cleared
        EXPECT_EQ(tree.ItemState(Find(tree, "Drive1?Motor?Speed")), STATE_UNCHECKED);
        ClickBox(tree, Find(tree, "Drive1?Motor"));
        EXPECT_EQ(tree.ItemState(Find(tree, "Drive1?Motor?Current")), STATE_CHECKED);
        EXPECT_EQ(tree.ItemState(Find(tree, "Drive1")), STATE_PARTIAL); // "Empty" is not ticked
    });
    EXPECT_EQ(Shown(*view), (Names{"[Motor]", "Current", "Speed", "[Loop]", "Gain", "[Inner]", "Peak"}));
    ModalScript script;
    ExpectSave(script, "All");
    view->OnSave();
    EXPECT_EQ(ReadSetup("All"), "MonitorFileVersion:1\nFormat:0\nDrive1*Motor*Current\nDrive1*Motor*Speed\n"
                                "Drive1*Loop*Gain\nDrive1*Loop*Inner*Peak\n");
}

TEST_F(ZRMonitorSetupTest, WithoutAMonitorTreeTheProgrammerIsTold) {
    ZRMonitorView* view = Open();
    node->SetTree(nullptr);
    ModalScript script;
    script.ExpectMessage("Programmer's Error: No Setup tree defined", IDOK);
    view->OnSetup();
}

TEST_F(ZRMonitorSetupTest, HarnessWritesIncludeFilesAndItemRectangles) {
    // The include files go to the current directory.
    const std::string before = platform::core::FileSystem::CurrentDirectory();
    ASSERT_EQ(::chdir(temp.Path().c_str()), 0);
    struct Back {
        std::string dir;
        ~Back() { (void)::chdir(dir.c_str()); }
    } back{before};
    auto read = [&](const char* name) {
        std::ifstream in(temp.File(name), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    };

    // A tree of 200 leaves numbers them all, past the declared size.
    ZRPropertyGroup big;
    big.SetName("Big");
    for (int g = 0; g < 4; ++g) {
        ZRPropertyGroup* group = Group(&big, ("G" + std::to_string(g)).c_str());
        for (int i = 0; i < 50; ++i)
            group->AddProperty(&object.Long(0));
    }
    std::list<std::unique_ptr<ZRGridRow>> none;
    {
        ModalScript script;
        script.Expect(ModalKind::Dialog, "Monitor Setup", PressDialogButton(IDCANCEL, [](Dialog& d) {
                          static_cast<ZRMonitorSetup&>(d).OnVtMessage(ZRMonitorSetup::kWriteMerrixStrings, 0);
                      }));
        ScopedPage page("/qv-monitor-setup-" + std::to_string(getpid()));
        ZRMonitorSetup(&big, none).DoModal();
    }
    const std::string merrix = read("MonitorMerrixStrings.inc");
    EXPECT_EQ(merrix.rfind("' This is a generated file. \n\nGLOBAL MonitorMerrixStrings(150) AS STRING\n", 0),
              0u);
    EXPECT_EQ(std::count(merrix.begin(), merrix.end(), '\n'), 3 + 200);
    EXPECT_NE(merrix.find("MonitorMerrixStrings(199) = \"Big?G3?Current\"\n"), std::string::npos);

    ModalScript script;
    ScopedPage page("/qv-monitor-setup-" + std::to_string(getpid()));
    script.Expect(ModalKind::Dialog, "Monitor Setup", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      auto& setup = static_cast<ZRMonitorSetup&>(d);
                      setup.OnVtMessage(ZRMonitorSetup::kWriteTarvikStrings, 0);

                      d.show();
                      ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
                      TreeView& tree = *setup.GetTree();
                      ASSERT_TRUE(page.Page().WriteText("Drive1?Loop?Gain"));
                      tree.Expand(Find(tree, "Drive1?Loop"), platform::ui::TreeExpand::Expand);
                      EXPECT_EQ(setup.OnVtMessage(ZRMonitorSetup::kQueryItemRect, 0), 0);
                      const QRect r = tree.ItemRect(Find(tree, "Drive1?Loop?Gain"), true);
                      ASSERT_FALSE(r.isEmpty());
                      EXPECT_EQ(page.IntAt(0), r.left());
                      EXPECT_EQ(page.IntAt(16), r.left() + r.width());
                      EXPECT_EQ(page.IntAt(32), r.top());
                      EXPECT_EQ(page.IntAt(48), r.top() + r.height());
                      ASSERT_TRUE(page.Page().WriteText("Drive1?Nowhere"));
                      setup.OnVtMessage(ZRMonitorSetup::kQueryItemRect, 0);
                      EXPECT_EQ(page.IntAt(16), 0);
                  }));
    ZRMonitorSetup(Tree(), none).DoModal();
    EXPECT_EQ(read("MonitorTarvikStrings.inc"), "' This is a generated file. \n\n"
                                                "GLOBAL MonitorTarvikStrings(150) AS STRING\n"
                                                "MonitorTarvikStrings(0) = \"Drive1?Motor?Current\"\n"
                                                "MonitorTarvikStrings(1) = \"Drive1?Motor?Speed\"\n"
                                                "MonitorTarvikStrings(2) = \"Drive1?Loop?Inner?Peak\"\n"
                                                "MonitorTarvikStrings(3) = \"Drive1?Loop?Gain\"\n"
                                                "MonitorTarvikStrings(4) = \"Drive1?Empty\"\n");
}

} // namespace
