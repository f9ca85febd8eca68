#include "kitbase/model/ZRIndexedName.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRUpdate.h"

ZRIndexedName::ZRIndexedName(ZRIndexSelection* selection, ZRAttribute* attribute, int capacity)
    : m_data(static_cast<size_t>(capacity > 0 ? capacity : 0), 0), m_capacity(capacity > 0 ? capacity : 0),
      m_pAttribute(attribute) {
    m_names.reserve(m_data.size());
    SetSelection(selection);
}

ZRIndexedName::~ZRIndexedName() {
    SetSelection(nullptr);
}

bool ZRIndexedName::AddName(int32_t data, const std::string& name) {
    if (static_cast<int>(m_names.size()) >= m_capacity)
        return false;
    m_data[m_names.size()] = data;
    m_names.push_back(name);
    return true;
}

int32_t ZRIndexedName::GetData(int index) const {
    return IsValid(index) ? m_data[static_cast<size_t>(index)] : 0;
}

bool ZRIndexedName::GetIndex(int32_t data, int& index) const {
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_data[i] == data) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

bool ZRIndexedName::GetIndex(const std::string& name, int& index) const {
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i] == name) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

std::string ZRIndexedName::GetStringFromData(int32_t data) const {
    int index = -1;
    return GetIndex(data, index) ? m_names[static_cast<size_t>(index)] : ZROptions::BadIndexText;
}

std::string ZRIndexedName::GetStringFromIndex(int index) const {
    if (index < 0 || index >= static_cast<int>(m_names.size()))
        return ZROptions::BadIndexText;
    return m_names[static_cast<size_t>(index)];
}

void ZRIndexedName::SetSelection(ZRIndexSelection* selection) {
    if (m_pSelection)
        m_pSelection->RemoveObserver(this);
    m_pSelection = selection;
    if (m_pSelection)
        m_pSelection->AddObserver(this);
}

void ZRIndexedName::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pSelection || subject != static_cast<platform::core::Subject*>(m_pSelection))
        return;
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        if (m_pAttribute)
            m_pAttribute->SetName(GetStringFromData(m_pSelection->GetValue()));
        break;
    case ZRUpdate::Destroying:
        m_pSelection->RemoveObserver(this);
        m_pSelection = nullptr;
        break;
    default:
        break;
    }
}
