#include "kitbase/ui/ZRStringChoiceRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

#include <algorithm>

namespace CellControlId = platform::ui::CellControlId;

ZRStringChoiceRow::ZRStringChoiceRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

void ZRStringChoiceRow::Backup() {
    if (ZRAttribute* attribute = GetAttribute())
        m_Backup = attribute->GetAsString();
}

bool ZRStringChoiceRow::ValidChoice(const std::string& text) const {
    return text == m_Backup || std::find(m_Options.begin(), m_Options.end(), text) != m_Options.end();
}

void ZRStringChoiceRow::OnEndEditing(int column) {
    ZRAttribute* attribute = GetAttribute();
    if (column != 2 || !attribute)
        return;
    std::string value = GetCellValue(2);
    // A text that is no option is never written: the cell gets the attribute's text back.
    if (value.empty() || !ValidChoice(value))
        SetCellValue(2, attribute->GetAsString());
}

void ZRStringChoiceRow::OnModifyCell(int column) {
    ZRAttribute* attribute = GetAttribute();
    if (column != 2 || !attribute || !IsValueControlActive())
        return;
    platform::ui::Grid* grid = GetGrid();
    std::string text = grid->ControlText();
    if (Validate(text)) {
        if (ValidChoice(text))
            GuardWrite([&] { attribute->SetAsString(text); });
    } else if (GetAttribute() && grid->IsActive()) {
        grid->SetControlValue(attribute->GetAsString());
    }
}

void ZRStringChoiceRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged) {
        std::string text = GetAttribute()->GetAsString();
        if (IsValueControlActive() && GetGrid()->ControlText() != text)
            GetGrid()->SetControlValue(text);
        SetCellValue(2, text);
    }
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRStringChoiceRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZRStringChoiceRow::Revert() {
    RestoreText(m_Backup);
    SetCellValue(2, m_Backup);
}

void ZRStringChoiceRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetControl(row, 2, CellControlId::TextCombo);
    std::string choices;
    for (const std::string& text : m_Options)
        choices += text + "\n";
    grid->SetChoiceList(row, 2, choices);
    ZRAttribute* attribute = GetAttribute();
    InitValueCell(attribute ? attribute->GetAsString() : std::string());
}
