// A property grid with one row of every kind over a fake storage.
#include "Gallery.h"

#include "tests/support/model/FakeStorage.h"
#include "tests/support/model/TestDevice.h"
#include "tests/support/model/TestObjects.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRAsStringRow.h"
#include "kitbase/ui/ZRBoolEditRow.h"
#include "kitbase/ui/ZRBoolRow.h"
#include "kitbase/ui/ZRCheckListRow.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "kitbase/ui/ZREditRow.h"
#include "kitbase/ui/ZRFileSelectionRow.h"
#include "kitbase/ui/ZRGroupRow.h"
#include "kitbase/ui/ZRLabelRow.h"
#include "kitbase/ui/ZRMultiBoolEditRow.h"
#include "kitbase/ui/ZRProgressRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRSpinRow.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRStringChoiceRow.h"

#include <QHeaderView>
#include <QWidget>

namespace {

class PropertyGridPage : public QWidget {
public:
    PropertyGridPage() {
        object.SetDevice(&device);
        object.SetInstance(1);
        Fill();
        Lay();
    }

private:
    template <class A, class... Args> A* Make(const char* name, const char* units, Args... args) {
        auto attribute = std::make_unique<A>(object.GetDevice(), args...);
        attribute->SetObject(&object);
        attribute->Define(static_cast<int32_t>(1000 + attributes.size()));
        attribute->SetName(name);
        attribute->SetUnits(units);
        A* raw = attribute.get();
        attributes.push_back(std::move(attribute));
        return raw;
    }
    template <class R> R* Add(R* row, ZRGroupRow* group = nullptr) {
        grid->GetRows().emplace_back(row);
        if (group)
            group->AddRow(row);
        return row;
    }

    void Fill() {
        grid->SetOffLine(true);
        grid->SetTitle("Parameter");
        grid->OnInitialUpdate();

        auto* setup = Add(new ZRGroupRow(std::make_unique<ZRStaticHeader>("Set-up")));
        auto* gain = Make<ZRLongAttribute>("Position Gain", "", 4);
        gain->SetScale(10);
        gain->SetPrecision(1);
        gain->SetInternalValue(125);
        Add(new ZREditRow(gain, nullptr), setup);

        auto* speed = Make<ZRLongAttribute>("Maximum Speed", "rpm", 4);
        speed->SetInternalValue(3000);
        Add(new ZRSpinRow(speed, nullptr), setup);

        auto* mode = Make<ZRIndexSelection>("Operation Mode", "");
        auto options = std::make_unique<ZRLongOptions>(&object, 4);
        options->Add(0, "Torque");
        options->Add(1, "Velocity");
        options->Add(2, "Position");
        mode->SetOptions(std::move(options));
        mode->SetValue(2);
        Add(new ZRChoiceRow(mode, nullptr), setup);

        auto* profile = Make<ZRStringAttribute>("Profile", "", 0, NoPadding, ' ');
        profile->SetAsString("Trapezoid");
        auto* profileRow = Add(new ZRStringChoiceRow(profile, nullptr), setup);
        profileRow->SetOptions({"Trapezoid", "S-Curve"});

        auto* brake = Make<ZRBoolAttribute>("Holding Brake", "", 4, -1);
        brake->SetStrings("Released", "Engaged");
        brake->SetValue(true);
        Add(new ZRBoolEditRow(brake, nullptr), setup);

        auto* faults = Make<ZRLongBitField>("Fault Mask", "", 4, 4);
        faults->Add(0, "None");
        faults->Add(1, "Overvoltage");
        faults->Add(2, "Overcurrent");
        faults->Add(4, "Overtemperature");
        faults->SetValue(2);
        Add(new ZRCheckListRow(faults, nullptr), setup);

        auto* firmware = Make<ZRStringAttribute>("Firmware File", "", 0, NoPadding, ' ');
        firmware->SetAsString("/opt/drives/fw-2.1.hex");
        Add(new ZRFileSelectionRow(firmware, 1, "hex", 0, "Firmware (*.hex)|*.hex||", nullptr), setup);

        auto* serial = Make<ZRStringAttribute>("Serial Number", "", 0, NoPadding, ' ');
        serial->SetAsString("QV-00417");
        serial->SetEnabled(false);
        Add(new ZREditRow(serial, nullptr), setup);

        auto* status = Add(new ZRGroupRow(std::make_unique<ZRStaticHeader>("Status")));
        auto* word = Make<ZRLongAttribute>("Status Word", "", 2);
        word->SetInternalValue(0x2A);
        Add(new ZRAsStringRow(word, nullptr), status);

        auto* load = Make<ZRFloatAttribute>("Load", "%");
        load->SetValue(63.5f);
        Add(new ZRProgressRow(load, nullptr), status);

        auto* ready = Make<ZRBoolAttribute>("Ready", "", 4, -1);
        ready->SetValue(true);
        Add(new ZRBoolRow(ready, nullptr), status);

        multi = Add(new ZRMultiBoolEditRow(std::make_unique<ZRStaticHeader>("All Axes Enabled")), status);

        Add(new ZRLabelRow(std::make_unique<ZRStaticHeader>("Edits go to the drive at once.")));
        // Drawn only: nothing clicks it, so it needs no node manager.
        Add(new ZRCommandRow("Reset Drive", 1, nullptr));

        grid->UpdateRows();
        multi->InitCells();
        multi->Refresh();
        grid->Backup();
    }

    // The page is as large as the grid's contents, so the picture shows every row without scrolling.
    void Lay() {
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        int width = 2 * grid->frameWidth();
        for (int col = 0; col <= grid->ColCount(); ++col)
            width += grid->ColWidth(col);
        if (!grid->verticalHeader()->isHidden())
            width += grid->verticalHeader()->width();
        int height = 2 * grid->frameWidth();
        if (!grid->horizontalHeader()->isHidden())
            height += grid->horizontalHeader()->sizeHint().height();
        for (int row = 1; row <= grid->RowCount(); ++row)
            height += grid->RowHeight(row);
        width = std::max(width, 420);

        grid->setGeometry(0, 0, width, height);
        setFixedSize(width, height);
    }

    FakeStorage storage;
    TestDevice device{&storage, true};
    TestObject object;
    std::vector<std::unique_ptr<ZRAttribute>> attributes;
    // Last, so the rows go before the attributes they show.
    std::unique_ptr<ZRPropertiesGrid> grid = std::make_unique<ZRPropertiesGrid>(this);
    ZRMultiBoolEditRow* multi = nullptr;
};

} // namespace

void AddPropertyGridPage(Gallery& gallery) {
    gallery.Add("property-grid", [] { return std::make_unique<PropertyGridPage>(); });
}
