#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <cstdint>
#include <memory>

class ZRLongBitField;

// A bit field whose named bits are ticked in a drop-down check list. The first line of the list
// sums the value up ("Unassigned", the one bit's name, "Multiple Assignment"); every tick writes.
class ZRCheckListRow : public ZRAttributeRow {
public:
    ZRCheckListRow(ZRLongBitField* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnModifyCell(int column) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;

protected:
    void InitCells() override;
    // Rebuilds the summary line and the cell's value from the bit field.
    void SetChoiceList();

private:
    ZRLongBitField* BitField() const;
    std::string CellText() const;

    int32_t m_Backup = 0;
};
