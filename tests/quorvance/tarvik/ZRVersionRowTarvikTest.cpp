#include "support/model/FakeStorage.h"
#include "support/model/TestDevice.h"
#include "support/model/TestObjects.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "platform/ui/CellControl.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRVersionRowTarvik.h"

#include <gtest/gtest.h>

#include <memory>

TEST(ZRVersionRowTarvik, MajorAndTwoDigitMinor) {
    struct {
        double value;
        const char* text;
    } cases[] = {
        {0x11D, "1.29"}, {0x10A, "1.10"}, {0x100, "1.00"}, {0x1FF, "1.255"}, {285.7, "1.29"}, {-3.0, "0.00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZRVersionRowTarvik::FormatTarvikVersion(c.value), c.text) << c.value;
}

TEST(ZRVersionRowTarvik, GridShowsTheTarvikFormatReadOnly) {
    TestApp();
    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    object.SetDevice(&device);
    object.SetInstance(1);
    ZRUlongAttribute version{object.GetDevice(), 4};
    version.SetObject(&object);
    version.Define(0x0002FFFF);
    storage.longs[{object.GetClass(), 1, 0x0002FFFF}] = 0x11D;
    CGridControlFactory factory;
    platform::ui::SetControlFactory(&factory);
    {
        ZRPropertiesGrid grid;
        grid.SetOffLine(true);
        grid.OnInitialUpdate();
        auto owned = std::make_unique<ZRVersionRowTarvik>(&version, nullptr);
        auto* row = owned.get();
        grid.GetRows().push_back(std::move(owned));
        grid.UpdateRows();
        int r = row->GetRow();
        ASSERT_GT(r, 0);
        EXPECT_TRUE(grid.IsReadOnly(r, 2));
        row->Refresh(true);
        EXPECT_EQ(grid.Value(r, 2), "1.29");
    }
    platform::ui::SetControlFactory(nullptr);
}

TEST(ZRMonitor, NamedMonitorAndHoldsTheDrivesResetCommand) {
    ZRMonitor monitor;
    monitor.Init();
    EXPECT_EQ(monitor.GetClass(), -161);
    EXPECT_EQ(monitor.GetVersion(), 1U);
    EXPECT_EQ(monitor.GetName().GetValue(), "Monitor");
    EXPECT_EQ(monitor.GetResetPeaks(), nullptr);
}
