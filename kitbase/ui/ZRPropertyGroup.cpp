#include "kitbase/ui/ZRPropertyGroup.h"

ZRPropertyGroup::~ZRPropertyGroup() {
    for (ZRPropertyGroup* group : m_Groups)
        delete group;
}

void ZRPropertyGroup::AddGroup(ZRPropertyGroup* group) {
    m_Groups.push_back(group);
}

void ZRPropertyGroup::AddProperty(ZRAttribute* attribute) {
    m_Properties.push_back(attribute);
}
