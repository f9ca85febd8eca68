#include "kitbase/ui/ZRFullPathHeader.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"

#include <algorithm>

ZRFullPathHeader::~ZRFullPathHeader() {
    StopObserving();
}

void ZRFullPathHeader::StopObserving() {
    for (ZRAttribute* name : m_Names)
        name->RemoveObserver(this);
    m_Names.clear();
    if (m_bObservingAttribute)
        m_pAttribute->RemoveObserver(this);
    m_bObservingAttribute = false;
}

void ZRFullPathHeader::Initialize(platform::ui::Grid* grid) {
    ZRRowHeader::Initialize(grid);
    // A second layout initializes again: observe each name once.
    StopObserving();
    if (!m_pAttribute)
        return;
    m_pAttribute->AddObserver(this);
    m_bObservingAttribute = true;
    for (ZRObject* object = m_pAttribute->GetObject(); object; object = object->GetParent()) {
        ZRAttribute* name = &object->GetName();
        m_Names.push_back(name);
        name->AddObserver(this);
    }
}

std::string ZRFullPathHeader::PathOf(ZRAttribute* attribute) {
    if (!attribute)
        return {};
    std::string path = ":" + attribute->GetName();
    bool first = true;
    for (ZRObject* object = attribute->GetObject(); object; object = object->GetParent()) {
        std::string name = object->GetName().GetAsString();
        if (name.empty())
            continue;
        path = first ? name + path : name + "/" + path;
        first = false;
    }
    return path;
}

void ZRFullPathHeader::Refresh() {
    if (m_pAttribute)
        WriteCaption(PathOf(m_pAttribute));
}

void ZRFullPathHeader::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        // The attribute is observed for its end only; its values do not change the path.
        if (std::find(m_Names.begin(), m_Names.end(), subject) != m_Names.end())
            Refresh();
        break;
    case ZRUpdate::Destroying:
        // The attribute or an object of its path went first: the path can no longer be walked, so
        // the header forgets it and shows its last caption.
        std::erase_if(m_Names, [&](ZRAttribute* name) {
            return static_cast<platform::core::Subject*>(name) == subject;
        });
        if (static_cast<platform::core::Subject*>(m_pAttribute) == subject)
            m_bObservingAttribute = false;
        StopObserving();
        m_pAttribute = nullptr;
        break;
    default:
        break;
    }
}
