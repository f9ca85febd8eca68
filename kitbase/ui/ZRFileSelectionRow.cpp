#include "kitbase/ui/ZRFileSelectionRow.h"

#include "kitbase/model/ZRAttribute.h"
#include "platform/core/Modal.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Grid.h"

namespace CellControlId = platform::ui::CellControlId;

ZRFileSelectionRow::ZRFileSelectionRow(ZRAttribute* attribute, int openDialog, std::string defaultExtension,
                                       unsigned long dialogFlags, std::string filter,
                                       std::unique_ptr<ZRRowHeader> header)
    : ZREditRow(attribute, std::move(header)), m_OpenDialog(openDialog),
      m_DefaultExtension(std::move(defaultExtension)), m_DialogFlags(dialogFlags),
      m_Filter(std::move(filter)) {}

void ZRFileSelectionRow::OnClickedButton(unsigned long column) {
    ZRAttribute* attribute = GetAttribute();
    if (column != 2 || !attribute)
        return;
    platform::ui::FileDialog dialog(m_OpenDialog != 0, m_DefaultExtension, attribute->GetAsString(),
                                    static_cast<unsigned>(m_DialogFlags), m_Filter);
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    std::string path = dialog.GetPathName();
    // A write error is shown, never thrown out of the button's event handler.
    if (ZRAttribute* current = GetAttribute())
        GuardWrite([&] { current->SetAsString(path); });
}

int ZRFileSelectionRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    return 0;
}

void ZRFileSelectionRow::InitCells() {
    ZREditRow::InitCells();
    if (!IsPlaced())
        return;
    platform::ui::Grid* grid = GetGrid();
    grid->SetControl(GetRow(), 2, CellControlId::BrowseEdit);
    ZRAttribute* attribute = GetAttribute();
    grid->SetValue(GetRow(), 2, attribute ? attribute->GetAsString() : std::string());
}
