#include "kitbase/ui/ZRPropertyGroup.h"

ZRPropertyGroup::~ZRPropertyGroup() = default;

void ZRPropertyGroup::AddGroup(std::unique_ptr<ZRPropertyGroup> group) {
    m_Groups.Add(std::move(group));
}

void ZRPropertyGroup::AddProperty(ZRAttribute* attribute) {
    m_Properties.push_back(attribute);
}
