#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

// A read-only value: the attribute's text in the grid's display format (decimal, binary, hex).
class ZRAsStringRow : public ZRAttributeRow {
public:
    ZRAsStringRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;

protected:
    void InitCells() override;

private:
    std::string ValueText() const;
};
