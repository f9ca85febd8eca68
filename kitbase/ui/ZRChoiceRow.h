#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZRIndexSelection;

// An entry of an option list, picked from a drop-down list and written as soon as it is picked.
class ZRChoiceRow : public ZRAttributeRow {
public:
    ZRChoiceRow(ZRIndexSelection* selection, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnEndEditing(int column) override;
    void OnModifyCell(int column) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    // Re-reads the selection, then the attributes of the choice-refresh list.
    void Refresh(bool force) override;
    void Revert() override;

    // Re-read together with the row (not owned).
    void AddRefreshAttribute(ZRAttribute* attribute) { m_RefreshList.push_back(attribute); }

protected:
    void InitCells() override;

private:
    ZRIndexSelection* Selection() const;
    std::string ValueText() const;

    std::vector<ZRAttribute*> m_RefreshList;
    int32_t m_Backup = 0;
};
