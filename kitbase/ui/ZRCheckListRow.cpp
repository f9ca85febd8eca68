#include "kitbase/ui/ZRCheckListRow.h"

#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

#include <bit>

namespace CellControlId = platform::ui::CellControlId;

namespace {

// The summary line of a bit field's value.
std::string Summary(const ZRLongBitField& field) {
    uint32_t value = static_cast<uint32_t>(field.GetValue());
    int bits = std::popcount(value);
    if (bits == 0)
        return "Unassigned";
    if (bits > 1)
        return "Multiple Assignment";
    const int count = static_cast<int>(field.GetStrings().size());
    std::string name = "Out of Range";
    if (count < 2)
        return name;
    // The last entry that carries the bit names it; a bit no entry carries is out of range too.
    for (int i = 0; i < count; ++i)
        if (static_cast<uint32_t>(field.GetDataCode(i)) & value)
            name = field.GetIndexedString(i);
    return name;
}

} // namespace

ZRCheckListRow::ZRCheckListRow(ZRLongBitField* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

ZRLongBitField* ZRCheckListRow::BitField() const {
    // The constructor takes only bit fields.
    return static_cast<ZRLongBitField*>(GetAttribute());
}

std::string ZRCheckListRow::CellText() const {
    ZRLongBitField* field = BitField();
    return field ? field->DecodeCheckListBox(field->GetAsString()) : std::string();
}

void ZRCheckListRow::SetChoiceList() {
    ZRLongBitField* field = BitField();
    if (!field || !IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    std::string list = Summary(*field);
    const std::string& old = grid->Style(row, 2).choices;
    size_t lineEnd = old.find('\n');
    if (lineEnd != std::string::npos) {
        list += old.substr(lineEnd);
    } else {
        list += "\n";
        // Entry 0 is never offered as a check item.
        const auto& strings = field->GetStrings();
        for (size_t i = 1; i < strings.size(); ++i)
            list += strings[i] + "\n";
    }
    grid->SetChoiceList(row, 2, list);
    SetCellValue(2, CellText());
}

void ZRCheckListRow::Backup() {
    if (ZRLongBitField* field = BitField())
        m_Backup = field->GetValue();
}

void ZRCheckListRow::OnModifyCell(int column) {
    ZRLongBitField* field = BitField();
    if (column != 2 || !field)
        return;
    std::string encoded = field->EncodeCheckListBox(GetCellValue(2));
    if (Validate(encoded))
        GuardWrite([&] { field->SetAsString(encoded); });
    // The summary line follows the new value, written or not.
    SetChoiceList();
}

void ZRCheckListRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged && GetCellValue(2) != CellText())
        SetChoiceList();
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRCheckListRow::Refresh(bool force) {
    if (ZRLongBitField* field = BitField())
        field->Refresh(force);
}

void ZRCheckListRow::Revert() {
    ZRLongBitField* field = BitField();
    if (GetDynamicLoad() && field)
        GuardWrite([&] { field->SetValue(m_Backup); });
}

void ZRCheckListRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    GetGrid()->SetControl(GetRow(), 2, CellControlId::CheckList);
    ZRLongBitField* field = BitField();
    if (!field)
        return;
    SetChoiceList();
    InitValueCell(CellText());
}
