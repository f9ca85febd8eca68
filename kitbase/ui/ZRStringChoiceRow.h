#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>
#include <vector>

// A text value picked from a fixed list of texts in a drop-down combo and written as it is picked.
class ZRStringChoiceRow : public ZRAttributeRow {
public:
    ZRStringChoiceRow(ZRAttribute* attribute, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnEndEditing(int column) override;
    void OnModifyCell(int column) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;

    // The texts offered; set before the row is laid out.
    void SetOptions(std::vector<std::string> options) { m_Options = std::move(options); }

protected:
    void InitCells() override;
    // One of the options, or the text the row had at its last Backup (exact comparison).
    bool ValidChoice(const std::string& text) const;

private:
    std::vector<std::string> m_Options;
    std::string m_Backup;
};
