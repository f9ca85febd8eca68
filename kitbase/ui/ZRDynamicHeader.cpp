#include "kitbase/ui/ZRDynamicHeader.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"

ZRDynamicHeader::ZRDynamicHeader(ZRAttribute* attribute) : m_pAttribute(nullptr) {
    SetName(attribute);
}

ZRDynamicHeader::ZRDynamicHeader(const ZRDynamicHeader& other)
    : ZRRowHeader(other), platform::core::Observer(), m_pAttribute(other.m_pAttribute) {}

ZRDynamicHeader& ZRDynamicHeader::operator=(const ZRDynamicHeader& other) {
    if (this != &other) {
        if (m_bObserving && m_pAttribute)
            m_pAttribute->RemoveObserver(this);
        m_bObserving = false;
        ZRRowHeader::operator=(other);
        m_pAttribute = other.m_pAttribute;
    }
    return *this;
}

ZRDynamicHeader::~ZRDynamicHeader() {
    if (m_bObserving && m_pAttribute)
        m_pAttribute->RemoveObserver(this);
}

void ZRDynamicHeader::SetName(ZRAttribute* attribute) {
    if (m_bObserving && m_pAttribute)
        m_pAttribute->RemoveObserver(this);
    m_pAttribute = attribute;
    m_bObserving = attribute != nullptr;
    if (attribute)
        attribute->AddObserver(this);
}

void ZRDynamicHeader::Refresh() {
    if (m_pAttribute)
        WriteCaption(m_pAttribute->GetAsString());
}

void ZRDynamicHeader::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pAttribute || subject != m_pAttribute)
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        Refresh();
        break;
    case ZRUpdate::Destroying:
        // The caption stays as it was.
        SetName(nullptr);
        break;
    default:
        break;
    }
}
