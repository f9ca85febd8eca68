#include "kitbase/ui/ZRBoolRow.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "platform/core/Text.h"
#include "platform/ui/Grid.h"

using platform::ui::CellAlign;
namespace CellControlId = platform::ui::CellControlId;

ZRBoolRow::ZRBoolRow(ZRBoolAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {
    SetBitmaps(kFalseBitmap, kTrueBitmap);
}

ZRBoolAttribute* ZRBoolRow::BoolAttribute() const {
    // The constructor takes only boolean attributes.
    return static_cast<ZRBoolAttribute*>(GetAttribute());
}

void ZRBoolRow::SetBitmaps(unsigned long falseBitmap, unsigned long trueBitmap) {
    m_False = platform::core::Format("#BMP(%d)", static_cast<int>(falseBitmap));
    m_True = platform::core::Format("#BMP(%d)", static_cast<int>(trueBitmap));
}

void ZRBoolRow::Backup() {
    if (ZRBoolAttribute* attribute = BoolAttribute())
        m_Backup = attribute->GetValue();
}

void ZRBoolRow::Refresh(bool force) {
    ZRBoolAttribute* attribute = BoolAttribute();
    if (!attribute)
        return;
    attribute->Refresh(force);
    if (IsPlaced()) {
        const std::string& text = BitmapText(attribute->GetValue());
        if (force || GetCellValue(2) != text)
            GetGrid()->SetValue(GetRow(), 2, text);
    }
}

void ZRBoolRow::Revert() {
    ZRBoolAttribute* attribute = BoolAttribute();
    if (!GetDynamicLoad() || !attribute)
        return;
    GuardWrite([&] { attribute->SetValue(m_Backup); });
    SetCellValue(2, BitmapText(m_Backup));
}

void ZRBoolRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetControl(row, 2, CellControlId::Static);
    grid->SetReadOnly(row, 2, true);
    grid->SetAlignment(row, 2, CellAlign::Centre);
}
