#pragma once

#include "kitbase/ui/ZREditRow.h"

#include <memory>

// A file path: an edit with a browse button that opens a file dialog on the attribute's path.
class ZRFileSelectionRow : public ZREditRow {
public:
    // openDialog: an open dialog when not 0, else a save dialog; flags and filter as the file
    // dialog takes them ("Text|*.txt||").
    ZRFileSelectionRow(ZRAttribute* attribute, int openDialog, std::string defaultExtension,
                       unsigned long dialogFlags, std::string filter, std::unique_ptr<ZRRowHeader> header);

    void OnClickedButton(unsigned long column) override;
    int OnLButtonClicked(unsigned long column, unsigned int flags, const QPoint& point) override;

protected:
    void InitCells() override;

private:
    int m_OpenDialog;
    std::string m_DefaultExtension;
    unsigned long m_DialogFlags;
    std::string m_Filter;
};
