#include "kitbase/ui/ZRSpinRow.h"

#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/ui/ZRValSpinEdit.h"
#include "platform/core/Text.h"
#include "platform/ui/Grid.h"

using platform::core::Format;
namespace CellAttribute = platform::ui::CellAttribute;

int ZRSpinRow::s_RowHeight = 0;

namespace {
constexpr int kInitialHeight = 27;
}

ZRSpinRow::ZRSpinRow(ZRValAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

ZRValAttribute* ZRSpinRow::ValAttribute() const {
    // The constructor takes only scaled attributes.
    return static_cast<ZRValAttribute*>(GetAttribute());
}

void ZRSpinRow::Backup() {
    if (ZRAttribute* attribute = GetAttribute())
        m_Backup = attribute->GetAsString();
}

void ZRSpinRow::OnClickedButton(unsigned long column) {
    ZRAttribute* attribute = GetAttribute();
    platform::ui::Grid* grid = GetGrid();
    if (column != 2 || !attribute || !IsPlaced() || !grid->IsCurrentCell(GetRow(), 2))
        return;
    if (grid->IsActive() || grid->IsModified()) {
        std::string text = grid->ControlValue();
        GuardWrite([&] { attribute->SetAsString(text); });
    }
}

void ZRSpinRow::OnEndEditing(int column) {
    if (column == 2)
        WriteCellText();
}

int ZRSpinRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    return 0;
}

void ZRSpinRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    int reason = OwnChange(subject, message);
    ZRValAttribute* attribute = ValAttribute();
    if (reason == ZRUpdate::ValueChanged) {
        SetCellValue(2, attribute->GetAsString());
    } else if (reason == ZRUpdate::ScaleChanged && IsPlaced()) {
        platform::ui::Grid* grid = GetGrid();
        const int row = GetRow();
        grid->SetUserAttribute(row, 2, CellAttribute::SpinMinimum, attribute->GetMinAsString());
        grid->SetUserAttribute(row, 2, CellAttribute::SpinMaximum, attribute->GetMaxAsString());
        grid->SetUserAttribute(row, 2, ZRValSpinEdit::IncrementAttribute, attribute->GetIncrAsString());
        grid->SetUserAttribute(row, 2, ZRValSpinEdit::PrecisionAttribute,
                               Format("%d", attribute->GetPrecision()));
    }
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRSpinRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZRSpinRow::Revert() {
    RestoreText(m_Backup);
    SetCellValue(2, m_Backup);
}

void ZRSpinRow::Show() {
    ZRAttributeRow::Show();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    if (s_RowHeight == 0)
        s_RowHeight = grid->RowHeight(GetRow()) * 3 / 2;
    grid->SetRowHeight(GetRow(), s_RowHeight);
}

void ZRSpinRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    ZRValAttribute* attribute = ValAttribute();
    if (attribute) {
        grid->SetControl(row, 2, ZRValSpinEdit::ControlId);
        grid->SetUserAttribute(row, 2, CellAttribute::SpinMinimum, Format("%.15g", attribute->GetMin()));
        grid->SetUserAttribute(row, 2, CellAttribute::SpinMaximum, Format("%.15g", attribute->GetMax()));
        grid->SetUserAttribute(row, 2, ZRValSpinEdit::IncrementAttribute, attribute->GetIncrAsString());
        grid->SetUserAttribute(row, 2, ZRValSpinEdit::PrecisionAttribute,
                               Format("%d", attribute->GetPrecision()));
        grid->SetWordWrap(row, 2, false);
        InitValueCell(attribute->GetAsString());
    }
    // A hidden row keeps height 0: the fixed height must not show it again.
    if (attribute && !attribute->IsHidden())
        grid->SetRowHeight(row, kInitialHeight);
}
