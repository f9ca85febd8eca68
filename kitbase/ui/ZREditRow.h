#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

// A free-text value: the attribute's text, written back with SetAsString when an edit ends.
class ZREditRow : public ZRAttributeRow {
public:
    ZREditRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnEndEditing(int column) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;

protected:
    void InitCells() override;

private:
    std::string m_Backup;
};
