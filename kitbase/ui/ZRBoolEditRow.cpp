#include "kitbase/ui/ZRBoolEditRow.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

#include <cstdlib>

namespace CellControlId = platform::ui::CellControlId;

namespace {
const char* IndexText(bool value) {
    return value ? "1" : "0";
}
} // namespace

ZRBoolEditRow::ZRBoolEditRow(ZRBoolAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

ZRBoolAttribute* ZRBoolEditRow::BoolAttribute() const {
    // The constructor takes only boolean attributes.
    return static_cast<ZRBoolAttribute*>(GetAttribute());
}

void ZRBoolEditRow::Backup() {
    if (ZRBoolAttribute* attribute = BoolAttribute())
        m_Backup = attribute->GetValue();
}

void ZRBoolEditRow::OnEndEditing(int column) {
    ZRBoolAttribute* attribute = BoolAttribute();
    if (column != 2 || !attribute)
        return;
    bool value = std::atoi(GetCellValue(2).c_str()) != 0;
    if (value != attribute->GetValue())
        GuardWrite([&] { attribute->SetValue(value); });
}

void ZRBoolEditRow::OnModifyCell(int column) {
    std::string text = PickedEntry(column);
    if (text.empty())
        return;
    ZRBoolAttribute* attribute = BoolAttribute();
    platform::ui::Grid* grid = GetGrid();
    bool value = std::atoi(text.c_str()) != 0;
    const char* old = IndexText(attribute->GetValue());
    // A refused pick puts the old entry back; an error leaves the control as picked.
    GuardWrite([&] {
        if (!Validate(text) || (value != attribute->GetValue() && !attribute->SetValue(value)))
            if (grid->IsActive())
                grid->SetControlValue(old);
    });
}

void ZRBoolEditRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged)
        SetCellValue(2, IndexText(BoolAttribute()->GetValue()));
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRBoolEditRow::Refresh(bool force) {
    ZRBoolAttribute* attribute = BoolAttribute();
    if (!attribute)
        return;
    attribute->Refresh(force);
    SetCellValue(2, IndexText(attribute->GetValue()));
}

void ZRBoolEditRow::Revert() {
    ZRBoolAttribute* attribute = BoolAttribute();
    if (!GetDynamicLoad() || !attribute)
        return;
    GuardWrite([&] { attribute->SetValue(m_Backup); });
    SetCellValue(2, IndexText(m_Backup));
}

void ZRBoolEditRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetControl(row, 2, CellControlId::IndexTextList);
    ZRBoolAttribute* attribute = BoolAttribute();
    if (!attribute) {
        grid->SetChoiceList(row, 2, {});
        return;
    }
    // False first: entry 0 is false, entry 1 true.
    grid->SetChoiceList(row, 2, attribute->GetFalseString() + "\n" + attribute->GetTrueString() + "\n");
    Refresh(false);
    if (!attribute->GetEnabled())
        ApplyEnabledLook();
}
