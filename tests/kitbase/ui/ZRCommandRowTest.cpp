#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/CellStyle.h"

#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class CommandLog : public ZRNodeMgr {
public:
    explicit CommandLog(ZRObject* object) : ZRNodeMgr(nullptr, object, nullptr) {}
    void Initialize() override {}
    void DoCommand(unsigned int id) override { calls.push_back("DoCommand " + std::to_string(id)); }
    void DoCommand2(unsigned int id, unsigned int extra) override {
        calls.push_back("DoCommand2 " + std::to_string(id) + " " + std::to_string(extra));
    }
    std::vector<std::string> calls;
};

} // namespace

TEST(ZRCommandRow, AButtonClickRunsTheCommandAndPressAndReleaseSendZeroAndOne) {
    TestObject object;
    CommandLog owner(&object);
    ZRPropertiesGrid grid;
    grid.SetOffLine(true);
    grid.OnInitialUpdate();
    auto* row = new ZRCommandRow("Reset Drive", 42501, &owner);
    grid.GetRows().emplace_back(row);
    grid.GetRows().emplace_back(new ZRCommandRow("Orphan", 7, nullptr));
    grid.UpdateRows();
    EXPECT_EQ(grid.GetControl(1, 1), platform::ui::CellControlId::PushButton);
    EXPECT_EQ(grid.Value(1, 1), "Reset Drive");
    EXPECT_EQ(row->GetCommand(), 42501u);

    grid.resize(400, 200);
    ASSERT_TRUE(ShowActive(grid));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(1, 1).center());
    row->OnLButtonDown(1);
    row->OnLButtonUp(1);
    EXPECT_EQ(owner.calls,
              (std::vector<std::string>{"DoCommand 42501", "DoCommand2 42501 0", "DoCommand2 42501 1"}));

    // Without an owner a click does nothing.
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.CellRect(2, 1).center());
    EXPECT_EQ(owner.calls.size(), 3u);
}
