// The channel header: the chosen signal's name as a row's caption, following the channel
// attribute, also when the chooser sets it.
#include "support/ModalScript.h"
#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/ZRChannelHeader.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "platform/ui/Grid.h"
#include "platform/ui/TreeView.h"

#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {

class ZRChannelHeaderTest : public testing::Test {
protected:
    static constexpr int32_t kChannelId = 500;

    ZRChannelHeaderTest() {
        TestApp();
        grid.SetRowCount(3);
        grid.SetColCount(3);
        object.SetDevice(&device);
        object.SetInstance(1);
        channel->SetObject(&object);
        channel->Define(kChannelId);
        velocity.SetName("Velocity");
        current.SetName("Current");
        auto motor = std::make_unique<ZRChannelOptionList>();
        motor->SetName("Motor");
        motor->AddOption(&velocity);
        signalList.SetName("Signals");
        signalList.AddChild(std::move(motor));
        signalList.AddOption(&current);
    }

    platform::ui::Grid grid;
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    std::unique_ptr<ZRUlongAttribute> channel = std::make_unique<ZRUlongAttribute>(object.GetDevice(), 4);
    ZRChannelOption velocity{10, nullptr, nullptr, true, false};
    ZRChannelOption current{11, nullptr, nullptr, true, false};
    ZRChannelOptionList signalList;
};

TEST_F(ZRChannelHeaderTest, CaptionFollowsTheChannelAttribute) {
    ZRChannelHeader header(channel.get(), &signalList);
    header.Initialize(&grid);
    grid.SetReadOnly(2, 1, true);
    header.SetRow(2);
    EXPECT_EQ(grid.Value(2, 1), "Unassigned");

    ASSERT_TRUE(channel->SetValue(10));
    EXPECT_EQ(grid.Value(2, 1), "Velocity");
    ASSERT_TRUE(channel->SetValue(11));
    EXPECT_EQ(grid.Value(2, 1), "Current");
    ASSERT_TRUE(channel->SetValue(99));
    EXPECT_EQ(grid.Value(2, 1), "Unassigned");

    // Refresh puts the name back over another text.
    ASSERT_TRUE(channel->SetValue(10));
    grid.SetValue(2, 1, "stale");
    header.Refresh();
    EXPECT_EQ(grid.Value(2, 1), "Velocity");

    // An attribute that goes first leaves the caption as it was.
    channel.reset();
    EXPECT_EQ(grid.Value(2, 1), "Velocity");
    header.Refresh();
    EXPECT_EQ(grid.Value(2, 1), "Unassigned");
}

TEST_F(ZRChannelHeaderTest, TheChoosersAnswerWrittenIntoTheChannelNamesTheRow) {
    ZRChannelHeader header(channel.get(), &signalList);
    header.Initialize(&grid);
    header.SetRow(1);

    // The caller of the chooser writes the ticked signal's id into the attribute.
    ZRChannelSetup setup(&signalList);
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Channel Setup", PressDialogButton(IDOK, [&](Dialog& d) {
                      d.show();
                      ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
                      platform::ui::TreeView& tree = *static_cast<ZRChannelSetup&>(d).GetTree();
                      platform::ui::TreeItem leaf =
                          tree.FirstChild(tree.FirstChild(tree.FirstChild(nullptr)));
                      ASSERT_EQ(tree.ItemText(leaf), "Velocity");
                      const QRect label = tree.ItemRect(leaf, true);
                      for (int x = label.left(); x > 0; --x) {
                          platform::ui::TreeHit hit;
                          const QPoint point(x, label.center().y());
                          if (tree.HitTest(point, &hit) == leaf && hit == platform::ui::TreeHit::StateImage) {
                              QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, point);
                              break;
                          }
                      }
                  }));
    ASSERT_EQ(setup.DoModal(), IDOK);
    ASSERT_EQ(setup.GetOption(), &velocity);
    ASSERT_TRUE(channel->SetValue(setup.GetOption()->GetIndex()));
    EXPECT_EQ(storage.longs.at({object.GetClass(), 1, kChannelId}), 10);
    EXPECT_EQ(grid.Value(1, 1), "Velocity");
}

} // namespace
