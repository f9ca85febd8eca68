#pragma once

#include "kitbase/ui/ZRAttributeRow.h"

#include <memory>

class ZRChannelOption;
class ZRChannelOptionList;

// A scope channel's signal: the value cell shows the chosen signal's name ("Unassigned" for a
// number the list does not know) on a button that opens the channel chooser; OK writes the ticked
// signal's number, 0 when none is ticked.
class ZRNoxelChannelRow : public ZRAttributeRow {
public:
    // The list is not owned.
    ZRNoxelChannelRow(ZRAttribute* attribute, ZRChannelOptionList* list, std::unique_ptr<ZRRowHeader> header);

    void Backup() override;
    void OnClickedButton(unsigned long column) override;
    int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    void Refresh(bool force) override;
    void Revert() override;
    bool Validate(const std::string& text) override;

    // The option of the attribute's value, or null.
    ZRChannelOption* CurrentOption() const;
    // The name the value cell shows.
    std::string OptionText() const;

protected:
    void InitCells() override;

private:
    // Writes the signal number of the option (0 for none); a drive error is shown.
    void WriteOption(ZRChannelOption* option);

    ZRChannelOptionList* m_pList; // not owned
    ZRChannelOption* m_pOption = nullptr;
    ZRChannelOption* m_pBackup = nullptr;
};
