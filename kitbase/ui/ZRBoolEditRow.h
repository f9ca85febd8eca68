#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

class ZRBoolAttribute;

// A boolean picked from its two texts (false first) and written as it is picked.
class ZRBoolEditRow : public ZRAttributeRow {
public:
    ZRBoolEditRow(ZRBoolAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnEndEditing(int column) override;
    void OnModifyCell(int column) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;

protected:
    void InitCells() override;

private:
    ZRBoolAttribute* BoolAttribute() const;

    bool m_Backup = false;
};
