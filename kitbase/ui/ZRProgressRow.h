#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

class ZRFloatAttribute;

// A percentage bar from 0 to 100 showing the attribute's value rounded to a whole number.
class ZRProgressRow : public ZRAttributeRow {
public:
    ZRProgressRow(ZRFloatAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;

protected:
    void InitCells() override;

private:
    void WriteValue();
};
