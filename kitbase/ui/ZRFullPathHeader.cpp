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
}

void ZRFullPathHeader::Initialize(platform::ui::Grid* grid) {
    ZRRowHeader::Initialize(grid);
    // A second layout initializes again: observe each name once.
    StopObserving();
    if (!m_pAttribute)
        return;
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
        Refresh();
        break;
    case ZRUpdate::Destroying:
        // An object of the path went first: never touch its name again.
        std::erase_if(m_Names, [&](ZRAttribute* name) {
            return static_cast<platform::core::Subject*>(name) == subject;
        });
        break;
    default:
        break;
    }
}
