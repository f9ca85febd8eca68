#include "quorvance/shell/ZRVersionRow.h"

#include "kitbase/model/ZRValAttribute.h"
#include "platform/core/Text.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace CellControlId = platform::ui::CellControlId;

ZRVersionRow::ZRVersionRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

std::string ZRVersionRow::FormatVersion(double value) {
    // Truncated towards zero; a value outside 32 bits is pinned rather than left undefined.
    double truncated = std::trunc(value);
    int32_t word = 0;
    if (std::isnan(truncated))
        word = 0;
    else if (truncated >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        word = std::numeric_limits<int32_t>::max();
    else if (truncated <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        word = std::numeric_limits<int32_t>::min();
    else
        word = static_cast<int32_t>(truncated);
    auto bits = static_cast<uint32_t>(word);
    return platform::core::Format("%d.%d.%d", static_cast<int>((bits >> 16) & 0xFF),
                                  static_cast<int>((bits >> 8) & 0xFF), static_cast<int>(bits & 0xFF));
}

void ZRVersionRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    grid->SetControl(GetRow(), 2, CellControlId::Static);
    grid->SetReadOnly(GetRow(), 2, true);
}

void ZRVersionRow::Refresh(bool force) {
    ZRAttribute* attribute = GetAttribute();
    if (!attribute)
        return;
    attribute->Refresh(force);
    auto* numeric = dynamic_cast<ZRValAttribute*>(attribute);
    if (!numeric)
        return;
    std::string text = VersionText(numeric->GetValue());
    if (IsPlaced() && (force || text != GetCellValue(2)))
        GetGrid()->SetValue(GetRow(), 2, text);
}
