#include "kitbase/ui/ZRChoiceRow.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "platform/ui/Grid.h"

#include <cstdlib>

using platform::core::Format;
namespace CellControlId = platform::ui::CellControlId;

ZRChoiceRow::ZRChoiceRow(ZRIndexSelection* selection, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(selection, std::move(header)) {}

ZRIndexSelection* ZRChoiceRow::Selection() const {
    // The constructor takes only index selections.
    return static_cast<ZRIndexSelection*>(GetAttribute());
}

std::string ZRChoiceRow::ValueText() const {
    ZRIndexSelection* selection = Selection();
    return selection ? Format("%d", selection->GetValue()) : std::string();
}

void ZRChoiceRow::Backup() {
    if (ZRIndexSelection* selection = Selection())
        m_Backup = selection->GetValue();
}

void ZRChoiceRow::OnEndEditing(int column) {
    if (column == 2 && Selection() && GetCellValue(2).empty())
        SetCellValue(2, ValueText());
}

void ZRChoiceRow::OnModifyCell(int column) {
    std::string text = PickedEntry(column);
    if (text.empty())
        return;
    ZRIndexSelection* selection = Selection();
    platform::ui::Grid* grid = GetGrid();
    int32_t index = std::atoi(text.c_str());
    if (index == selection->GetValue())
        return;
    // A refused pick puts the old entry back; an error leaves the control as picked.
    GuardWrite([&] {
        if (!selection->SetValue(index) && Selection() && grid->IsActive())
            grid->SetControlValue(ValueText());
    });
}

void ZRChoiceRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged) {
        std::string text = ValueText();
        if (IsValueControlActive() && GetGrid()->ControlValue() != text)
            GetGrid()->SetControlValue(text);
        SetCellValue(2, text);
    }
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRChoiceRow::Refresh(bool force) {
    ZRIndexSelection* selection = Selection();
    if (!selection)
        return;
    selection->Refresh(force);
    for (ZRAttribute* attribute : m_RefreshList)
        attribute->Refresh(force);
}

void ZRChoiceRow::Revert() {
    ZRIndexSelection* selection = Selection();
    // The cell follows through the change message.
    if (GetDynamicLoad() && selection)
        GuardWrite([&] { selection->SetValue(m_Backup); });
}

void ZRChoiceRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetControl(row, 2, CellControlId::IndexTextList);
    ZRIndexSelection* selection = Selection();
    std::string choices;
    if (selection && selection->GetOptions())
        for (const std::string& text : selection->GetOptions()->GetStrings())
            choices += text + "\n";
    grid->SetChoiceList(row, 2, choices);
    InitValueCell(ValueText());
}
