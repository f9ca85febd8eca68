#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/CellControl.h"
#include "quorvance/shell/ZRVersionRow.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ZRVersionRow, ShowsTheThreeLowBytesOfTheTruncatedValue) {
    struct {
        double value;
        const char* text;
    } cases[] = {
        {0x00010203, "1.2.3"}, {10 * 65536.0, "10.0.0"}, {0x7F010203, "1.2.3"}, // the top byte is not shown
        {258.9, "0.1.2"},                                                       // truncated, not rounded
        {-1.0, "255.255.255"}, {1e12, "255.255.255"}, // beyond 32 bits: pinned, never undefined
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZRVersionRow::FormatVersion(c.value), c.text) << c.value;
}

namespace {
class ZRVersionRowGrid : public testing::Test {
protected:
    ZRVersionRowGrid() {
        TestApp();
        object.SetDevice(&device);
        object.SetInstance(1);
        version.SetObject(&object);
        version.Define(129);
        version.SetName("Firmware Version");
        storage.longs[{object.GetClass(), 1, 129}] = 0x00020103;
        platform::ui::SetControlFactory(&factory);
        grid = std::make_unique<ZRPropertiesGrid>();
        grid->SetOffLine(true);
        grid->OnInitialUpdate();
        row = new ZRVersionRow(&version, nullptr);
        grid->GetRows().emplace_back(row);
        grid->UpdateRows();
    }
    ~ZRVersionRowGrid() override {
        grid.reset();
        platform::ui::SetControlFactory(nullptr);
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    ZRLongAttribute version{object.GetDevice(), 4};
    CGridControlFactory factory;
    std::unique_ptr<ZRPropertiesGrid> grid;
    ZRVersionRow* row = nullptr;
};
} // namespace

TEST_F(ZRVersionRowGrid, ReadOnlyTextThatFollowsTheValueOnRefreshOnly) {
    int r = row->GetRow();
    ASSERT_GT(r, 0);
    EXPECT_EQ(grid->GetControl(r, 2), platform::ui::CellControlId::Static);
    EXPECT_TRUE(grid->IsReadOnly(r, 2));

    row->Refresh(false);
    EXPECT_EQ(grid->Value(r, 2), "2.1.3");

    // A change message alone leaves the shown version as it was.
    version.SetValue(0x00030000);
    EXPECT_EQ(grid->Value(r, 2), "2.1.3");
    storage.longs[{object.GetClass(), 1, 129}] = 0x00030000;
    row->Refresh(true);
    EXPECT_EQ(grid->Value(r, 2), "3.0.0");
}
