#include "quorvance/tarvik/ZRNoxelChannelRow.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "platform/core/Modal.h"
#include "platform/ui/CellStyle.h"
#include "platform/ui/Grid.h"

namespace {
constexpr int kValueColumn = 2;
}

ZRNoxelChannelRow::ZRNoxelChannelRow(ZRAttribute* attribute, ZRChannelOptionList* list,
                                     std::unique_ptr<ZRRowHeader> header)
    : ZRAttributeRow(attribute, std::move(header)), m_pList(list) {}

ZRChannelOption* ZRNoxelChannelRow::CurrentOption() const {
    auto* value = dynamic_cast<ZRValAttribute*>(GetAttribute());
    if (!value || !m_pList)
        return nullptr;
    // The signal numbers carry no scale: the shown value is the number.
    return m_pList->FindOption(static_cast<uint32_t>(value->GetValue()));
}

std::string ZRNoxelChannelRow::OptionText() const {
    ZRChannelOption* option = CurrentOption();
    return option ? option->GetName() : "Unassigned";
}

void ZRNoxelChannelRow::InitCells() {
    ZRAttributeRow::InitCells();
    if (!IsPlaced())
        return;
    GetGrid()->SetControl(GetRow(), kValueColumn, platform::ui::CellControlId::BrowseEdit);
    InitValueCell(OptionText());
}

void ZRNoxelChannelRow::OnClickedButton(unsigned long column) {
    if (column != kValueColumn || !GetAttribute())
        return;
    ZRChannelSetup setup(m_pList);
    if (setup.DoModal() != platform::core::IDOK)
        return;
    m_pOption = setup.GetOption();
    WriteOption(m_pOption);
}

void ZRNoxelChannelRow::WriteOption(ZRChannelOption* option) {
    auto* value = dynamic_cast<ZRValAttribute*>(GetAttribute());
    if (!value)
        return;
    const double signal = option ? option->GetIndex() : 0;
    GuardWrite([&] { value->SetValue(signal); });
}

int ZRNoxelChannelRow::OnLButtonClicked(unsigned long, unsigned int, const QPoint&) {
    return 0;
}

void ZRNoxelChannelRow::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (OwnChange(subject, message) == ZRUpdate::ValueChanged) {
        const std::string text = OptionText();
        if (GetCellValue(kValueColumn) != text)
            SetCellValue(kValueColumn, text);
    }
    ZRAttributeRow::OnUpdate(subject, message);
}

void ZRNoxelChannelRow::Backup() {
    m_pBackup = CurrentOption();
}

void ZRNoxelChannelRow::Revert() {
    WriteOption(m_pBackup);
}

void ZRNoxelChannelRow::Refresh(bool force) {
    if (ZRAttribute* attribute = GetAttribute())
        attribute->Refresh(force);
}

bool ZRNoxelChannelRow::Validate(const std::string&) {
    return true;
}
