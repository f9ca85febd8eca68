#pragma once

#include "kitbase/ui/ZRGridRow.h"

#include <memory>
#include <vector>

class ZRBoolAttribute;

// A drop-down over several booleans. Part of the framework's interface; it writes nothing.
class ZRMultiBoolEditRow : public ZRGridRow {
public:
    explicit ZRMultiBoolEditRow(std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void DisplayRow(bool hide) override;
    void OnEndEditing(int column) override;
    void OnModifyCell(int column) override;
    void Revert() override;

    // Writes "1" when every boolean of the list is true, else "0".
    using ZRGridRow::Refresh;
    virtual void Refresh();
    virtual void InitCells();

    // Not owned.
    std::vector<ZRBoolAttribute*>& GetAttributes() { return m_Attributes; }

private:
    std::vector<ZRBoolAttribute*> m_Attributes;
    bool m_Backup = false;
    bool m_bForcedHidden = false;
};
