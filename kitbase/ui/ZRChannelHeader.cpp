#include "kitbase/ui/ZRChannelHeader.h"

#include "kitbase/model/ZRChannelOption.h"
#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/ui/Grid.h"

#include <cmath>
#include <cstdint>

ZRChannelHeader::ZRChannelHeader(ZRUlongAttribute* channel, ZRChannelOptionList* options)
    : m_pChannel(channel), m_pOptions(options) {
    if (m_pChannel)
        m_pChannel->AddObserver(this);
}

ZRChannelHeader::~ZRChannelHeader() {
    if (m_pChannel)
        m_pChannel->RemoveObserver(this);
}

std::string ZRChannelHeader::ChannelName() const {
    ZRChannelOption* option = nullptr;
    if (m_pChannel && m_pOptions) {
        const double value = m_pChannel->GetValue();
        // A value that is no unsigned 32-bit id names no signal.
        if (std::isfinite(value) && value >= 0.0 && value <= 4294967295.0)
            option = m_pOptions->FindOption(static_cast<uint32_t>(value));
    }
    return option ? option->GetName() : std::string("Unassigned");
}

void ZRChannelHeader::Refresh() {
    platform::ui::Grid* grid = GetGrid();
    if (!grid || GetRow() < 0)
        return;
    const std::string name = ChannelName();
    if (grid->Value(GetRow(), 1) != name)
        WriteCaption(name);
}

void ZRChannelHeader::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pChannel || subject != m_pChannel)
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        WriteCaption(ChannelName());
        break;
    case ZRUpdate::Destroying:
        // The caption stays as it was.
        m_pChannel = nullptr;
        break;
    default:
        break;
    }
}
