#include "kitbase/model/ZRUnits.h"

#include "kitbase/model/ZRUpdate.h"

std::string ZRUnits::GetUnits() {
    return m_units;
}

void ZRUnits::SetBaseUnits(const std::string& units) {
    m_units = units;
}

void ZRUnits::OnUpdate(platform::core::Subject*, platform::core::Message*) {}

ZRUnits::~ZRUnits() { Notify(ZRUpdate::Destroying); }
