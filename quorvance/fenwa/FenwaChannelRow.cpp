#include "quorvance/fenwa/FenwaChannelRow.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRValAttribute.h"
#include "kitbase/ui/ZRChannelSetup.h"
#include "kitbase/ui/ZRRowHeader.h"
#include "platform/core/Modal.h"

namespace {
constexpr unsigned long kValueColumn = 2;
}

FenwaChannelRow::FenwaChannelRow(ZRAttribute* attribute, ZRChannelOptionList* list,
                                 std::unique_ptr<ZRRowHeader> header)
    : ZRNoxelChannelRow(attribute, list, std::move(header)), m_pList(list) {}

void FenwaChannelRow::OnClickedButton(unsigned long column) {
    auto* value = dynamic_cast<ZRValAttribute*>(GetAttribute());
    if (column != kValueColumn || !value)
        return;
    ZRChannelSetup setup(m_pList);
    if (setup.DoModal() != platform::core::IDOK)
        return;
    m_pOption = setup.GetOption();
    const double signal = m_pOption ? m_pOption->GetIndex() : value->GetValue();
    GuardWrite([&] { value->SetValue(signal); });
}
