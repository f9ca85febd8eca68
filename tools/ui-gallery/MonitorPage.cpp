// A monitor window with two groups of an off-line drive's parameters under a named set-up.
#include "Gallery.h"

#include "tests/support/model/FakeStorage.h"
#include "tests/support/model/TestDevice.h"
#include "tests/support/model/TestObjects.h"

#include "kitbase/model/ZRBaseCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRMonitorView.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <QWidget>

#include <memory>

namespace {

// Shows the "Reset Peaks" button; drawing never runs it.
class NoCommand : public ZRBaseCommand {
public:
    bool Execute(bool) override { return true; }
};

class MonitorPage : public QWidget {
public:
    MonitorPage() {
        object.Init();
        object.Create(&device);
        object.GetName().SetValue("Axis 1");
        const char* names[] = {"Actual Current", "Actual Velocity", "Peak Current", "Following Error"};
        const char* units[] = {"A", "rpm", "A", "counts"};
        const int values[] = {3, 1480, 7, 12};
        for (size_t i = 0; i < 4; ++i) {
            object.Long(i).SetName(names[i]);
            object.Long(i).SetUnits(units[i]);
            object.Long(i).SetValue(values[i]);
        }

        view->SetObject(&object);
        view->SetResetPeaks(&resetPeaks);
        view->OnInitialUpdate();
        Group("Motor", 0, 3);
        Group("Position Loop", 3, 4);
        view->GetGrid()->UpdateRows();
        view->SetMonitorTitle();
        view->setGeometry(0, 0, 620, 360);
        setFixedSize(620, 360);
    }

private:
    // A header row and a value row per parameter, as a loaded set-up lays them out.
    void Group(const char* name, size_t first, size_t end) {
        auto& rows = view->GetGrid()->GetRows();
        auto* header = new ZRGroupRow(std::make_unique<ZRStaticHeader>(name));
        rows.emplace_back(header);
        for (size_t i = first; i < end; ++i)
            rows.emplace_back(header->AddRow(new ZRAsStringRow(&object.Long(i), nullptr)));
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object{TestObject::kClass, 4};
    NoCommand resetPeaks;
    // Last, so the view goes before the drive it shows.
    std::unique_ptr<ZRMonitorView> view = std::make_unique<ZRMonitorView>(this);
};

} // namespace

void AddMonitorPage(Gallery& gallery) {
    gallery.Add("monitor", [] { return std::make_unique<MonitorPage>(); });
}
