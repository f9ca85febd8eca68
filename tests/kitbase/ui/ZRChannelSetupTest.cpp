// The channel chooser: its tree of signal lists, ticking one signal, the answer on OK, the item
// rectangles and the include files it gives the test harness.
#include "support/ModalScript.h"
#include "support/model/ScopedPage.h"
#include "support/TempDir.h"
#include "support/ui/TreeClicks.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "platform/ui/TreeView.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;
using platform::ui::TreeHit;
using platform::ui::TreeItem;
using platform::ui::TreeView;

namespace {

// Signals: Motor (Velocity, Current), Drive (Velocity), an empty list, then Time and two Spares.
struct Signals {
    ZRChannelOption velocity{10, nullptr, nullptr, true, false};
    ZRChannelOption current{11, nullptr, nullptr, true, false};
    ZRChannelOption driveVelocity{20, nullptr, nullptr, true, false};
    ZRChannelOption time{1, nullptr, nullptr, false, false};
    ZRChannelOption spare1{40, nullptr, nullptr, false, false};
    ZRChannelOption spare2{41, nullptr, nullptr, false, false};
    ZRChannelOptionList top;

    Signals() {
        velocity.SetName("Velocity");
        current.SetName("Current");
        driveVelocity.SetName("Velocity");
        time.SetName("Time");
        spare1.SetName("Spare");
        spare2.SetName("Spare");
        top.SetName("Signals");
        auto motor = std::make_unique<ZRChannelOptionList>();
        motor->SetName("Motor");
        motor->AddOption(&velocity);
        motor->AddOption(&current);
        auto drive = std::make_unique<ZRChannelOptionList>();
        drive->SetName("Drive");
        drive->AddOption(&driveVelocity);
        auto empty = std::make_unique<ZRChannelOptionList>();
        empty->SetName("Empty");
        top.AddChild(std::move(motor));
        top.AddChild(std::move(drive));
        top.AddChild(std::move(empty));
        top.AddOption(&time);
        top.AddOption(&spare1);
        top.AddOption(&spare2);
    }
};

TreeView& TreeOf(Dialog& d) {
    return *static_cast<ZRChannelSetup&>(d).GetTree();
}

TreeItem At(TreeView& tree, std::initializer_list<const char*> path) {
    return TreeItemAt(tree, path);
}

void ClickBox(TreeView& tree, TreeItem item) {
    ClickTreeBox(tree, item);
}

void Show(Dialog& d) {
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
}

std::vector<std::string> Texts(TreeView& tree, TreeItem parent) {
    std::vector<std::string> texts;
    for (TreeItem item : tree.Children(parent))
        texts.push_back(tree.ItemText(item));
    return texts;
}

TEST(ZRChannelSetup, ShowsEachListBeforeItsOwnSignalsAllUnticked) {
    TestApp();
    Signals s;
    ZRChannelSetup setup(&s.top);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      TreeView& tree = TreeOf(d);
                      EXPECT_EQ(Texts(tree, nullptr), std::vector<std::string>{"Signals"});
                      TreeItem top = tree.FirstChild(nullptr);
                      EXPECT_TRUE(tree.IsExpanded(top));
                      EXPECT_EQ(Texts(tree, top), (std::vector<std::string>{"Motor", "Drive", "Empty", "Time",
                                                                            "Spare", "Spare"}));
                      EXPECT_EQ(tree.ItemDataAs<ZRChannelOptionList>(top), &s.top);
                      TreeItem motor = At(tree, {"Signals", "Motor"});
                      EXPECT_TRUE(tree.IsExpanded(motor));
                      EXPECT_EQ(tree.ItemImage(motor), ZRChannelSetup::kBranchImage);
                      EXPECT_EQ(tree.ItemState(motor), platform::ui::STATE_NONE);
                      TreeItem velocity = At(tree, {"Signals", "Motor", "Velocity"});
                      EXPECT_EQ(tree.ItemDataAs<ZRChannelOption>(velocity), &s.velocity);
                      EXPECT_EQ(tree.ItemImage(velocity), ZRChannelSetup::kLeafImage);
                      for (TreeItem leaf : tree.Children(top)) {
                          if (tree.ItemImage(leaf) == ZRChannelSetup::kLeafImage) {
                              EXPECT_EQ(tree.ItemState(leaf), platform::ui::STATE_UNCHECKED);
                          }
                      }
                  }));
    EXPECT_EQ(setup.DoModal(), IDCANCEL);
    EXPECT_EQ(setup.GetOption(), nullptr);
}

TEST(ZRChannelSetup, AtMostOneSignalIsTickedAndOkAnswersIt) {
    TestApp();
    Signals s;
    ModalScript script;
    ZRChannelSetup setup(&s.top);
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDOK, [&](Dialog& d) {
                      Show(d);
                      TreeView& tree = TreeOf(d);
                      TreeItem velocity = At(tree, {"Signals", "Motor", "Velocity"});
                      TreeItem time = At(tree, {"Signals", "Time"});
                      TreeItem drive = At(tree, {"Signals", "Drive", "Velocity"});
                      ClickBox(tree, velocity);
                      EXPECT_EQ(tree.ItemState(velocity), platform::ui::STATE_CHECKED);
                      // A second tick takes the first one's place.
                      ClickBox(tree, time);
                      EXPECT_EQ(tree.ItemState(velocity), platform::ui::STATE_UNCHECKED);
                      EXPECT_EQ(tree.ItemState(time), platform::ui::STATE_CHECKED);
                      // Ticked again, it unticks.
                      ClickBox(tree, time);
                      EXPECT_EQ(tree.ItemState(time), platform::ui::STATE_UNCHECKED);
                      // A click beside the box changes nothing.
                      QTest::mouseClick(tree.viewport(), Qt::LeftButton, {},
                                        tree.ItemRect(drive, true).center());
                      EXPECT_EQ(tree.ItemState(drive), platform::ui::STATE_UNCHECKED);
                      ClickBox(tree, drive);
                  }));
    EXPECT_EQ(setup.DoModal(), IDOK);
    EXPECT_EQ(setup.GetOption(), &s.driveVelocity);

    // Nothing ticked at OK answers null; so does Cancel whatever was ticked.
    ZRChannelSetup none(&s.top);
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDOK));
    EXPECT_EQ(none.DoModal(), IDOK);
    EXPECT_EQ(none.GetOption(), nullptr);
    ZRChannelSetup cancelled(&s.top);
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      Show(d);
                      ClickBox(TreeOf(d), At(TreeOf(d), {"Signals", "Time"}));
                  }));
    EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
    EXPECT_EQ(cancelled.GetOption(), nullptr);
}

// ---- the test harness

TEST(ZRChannelSetup, HarnessFindsTheTextRectangleOfAPathFirstMatchWinning) {
    TestApp();
    Signals s;
    ScopedPage page("/qv-channels-" + std::to_string(getpid()));
    ASSERT_TRUE(page.Page().HasPage());
    ZRChannelSetup setup(&s.top);
    ModalScript script;
    script.Expect(
        ModalKind::Dialog, "Channel Setup", PressDialogButton(IDCANCEL, [&](Dialog& d) {
            Show(d);
            auto& chooser = static_cast<ZRChannelSetup&>(d);
            TreeView& tree = TreeOf(d);
            auto query = [&](const std::string& path) {
                EXPECT_TRUE(page.Page().WriteText(path));
                EXPECT_EQ(chooser.OnVtMessage(ZRChannelSetup::kQueryItemRect, 0), 0);
                return page.Rect();
            };
            auto rectOf = [&](TreeItem item) {
                QRect r = tree.ItemRect(item, true);
                return std::array<int32_t, 4>{r.left(), r.left() + r.width(), r.top(), r.top() + r.height()};
            };
            TreeItem drive = At(tree, {"Signals", "Drive", "Velocity"});
            TreeItem spare = At(tree, {"Signals", "Spare"});
            EXPECT_EQ(query("Signals?Drive?Velocity"), rectOf(drive));
            EXPECT_EQ(query("Signals?Motor?Velocity"), rectOf(At(tree, {"Signals", "Motor", "Velocity"})));
            EXPECT_NE(rectOf(drive), rectOf(At(tree, {"Signals", "Motor", "Velocity"})));
            EXPECT_EQ(query("Signals?Spare"), rectOf(spare));
            EXPECT_EQ(query("Signals?Empty?Nothing"), (std::array<int32_t, 4>{}));
            EXPECT_EQ(query("Signals?Nothing"), (std::array<int32_t, 4>{}));
        }));
    setup.DoModal();
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs in the directory and goes back afterwards.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::filesystem::path& dir) : m_saved(std::filesystem::current_path()) {
        std::filesystem::current_path(dir);
    }
    ~ScopedCurrentDir() { std::filesystem::current_path(m_saved); }

private:
    std::filesystem::path m_saved;
};

TEST(ZRChannelSetup, IncludeFilesNumberEveryLeafAndEmptyListDepthFirst) {
    TestApp();
    Signals s;
    TempDir dir;
    ScopedCurrentDir here(dir.Path());
    {
        std::ofstream old("ChannelTarvikStrings.inc");
        old << "left over from an earlier run, longer than the new file will be .................."
            << std::string(1000, '.');
    }
    ZRChannelSetup setup(&s.top);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDCANCEL, [&](Dialog& d) {
                      auto& chooser = static_cast<ZRChannelSetup&>(d);
                      chooser.OnVtMessage(ZRChannelSetup::kWriteTarvikStrings, 0);
                      chooser.OnVtMessage(ZRChannelSetup::kWriteMerrixStrings, 0);
                  }));
    setup.DoModal();

    const char* entries = "(0) = \"Signals?Motor?Velocity\"\r\n"
                          "(1) = \"Signals?Motor?Current\"\r\n"
                          "(2) = \"Signals?Drive?Velocity\"\r\n"
                          "(3) = \"Signals?Empty\"\r\n"
                          "(4) = \"Signals?Time\"\r\n"
                          "(5) = \"Signals?Spare\"\r\n"
                          "(6) = \"Signals?Spare\"\r\n";
    auto expected = [&](const std::string& first, const std::string& name) {
        std::string text = first + "\r\n\r\nGLOBAL " + name + "(150) AS STRING\r\n";
        std::istringstream lines(entries);
        for (std::string line; std::getline(lines, line);)
            text += name + line + "\n";
        return text;
    };
    EXPECT_EQ(ReadFile("ChannelTarvikStrings.inc"),
              expected("' This is a generated file. ", "ChannelTarvikStrings"));
    EXPECT_EQ(ReadFile("ChannelMerrixStrings.inc"),
              expected("' This is a generated file.  ", "ChannelMerrixStrings"));
}

} // namespace
