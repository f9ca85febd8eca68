#include "kitbase/ui/ZRProgressRow.h"

#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "platform/ui/Grid.h"

#include <cmath>

namespace CellAttribute = platform::ui::CellAttribute;
namespace CellControlId = platform::ui::CellControlId;

ZRProgressRow::ZRProgressRow(ZRFloatAttribute* attribute, std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)) {}

void ZRProgressRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (IsInitialized() && ReasonOf(message) == ZRUpdate::ValueChanged && IsOwnAttribute(subject))
        WriteValue();
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRProgressRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

void ZRProgressRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    const int row = GetRow();
    grid->SetControl(row, 2, CellControlId::Progress);
    grid->SetUserAttribute(row, 2, CellAttribute::ProgressLow, "0");
    grid->SetUserAttribute(row, 2, CellAttribute::ProgressHigh, "100");
    grid->SetUserAttribute(row, 2, CellAttribute::ProgressCaption, "%ld %%");
    grid->SetTextColour(row, 2, platform::ui::Colour::Rgb(0, 0, 255));
    WriteValue();
}

void ZRProgressRow::WriteValue() {
    // The constructor takes only float attributes.
    auto* attribute = static_cast<ZRFloatAttribute*>(GetAttribute());
    if (!attribute)
        return;
    // Halves round upwards.
    long percent = static_cast<long>(std::floor(static_cast<double>(attribute->GetValue()) + 0.5));
    SetCellValue(2, platform::core::Format("%ld", percent));
}
