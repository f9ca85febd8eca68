#pragma once

#include "kitbase/ui/ZRGridRow.h"

#include <memory>

// A caption over columns 1 to 3, bold and word-wrapped; its height follows the text.
class ZRLabelRow : public ZRGridRow {
public:
    // The header's caption is the text shown; the row owns it.
    explicit ZRLabelRow(std::unique_ptr<ZRRowHeader> header);

    void SetRow(int row) override;

    void Initialize(platform::ui::Grid* grid) override;
    using ZRGridRow::Refresh;
    virtual void Refresh();
    virtual void InitCells();
};
