#include "kitbase/model/ZRUpdate.h"

#include "platform/core/Text.h"

void ZRUpdate::Sprint(std::string& out) const { out = platform::core::Format("Reason = %d", static_cast<int>(m_reason)); }

int ReasonOf(platform::core::Message* message) {
    auto* update = dynamic_cast<ZRUpdate*>(message);
    return update ? static_cast<int>(update->m_reason) : -1;
}
