#include "kitbase/model/ZROptions.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"

ZROptions::ZROptions(ZRObject* owner) : m_pObject(owner) {}

std::string ZROptions::GetAsString(int index) const {
    if (index < 0 || index >= GetCount())
        return BadIndexText;
    return m_texts[static_cast<size_t>(index)];
}

bool ZROptions::GetIndex(const std::string& text, int& index) const {
    for (size_t i = 0; i < m_texts.size(); ++i) {
        if (m_texts[i] == text) {
            index = static_cast<int>(i);
            return true;
        }
    }
    return false;
}

const std::vector<std::string>& ZROptions::GetStrings() {
    if (IsOffLine())
        return m_texts;
    // The cache is only complete when the firmware knows every option; otherwise it is rebuilt.
    if (m_offered.size() == m_texts.size())
        return m_offered;
    m_offered.clear();
    uint32_t version = GetOwnerVersion();
    for (size_t i = 0; i < m_texts.size(); ++i) {
        if (m_firstVersions[i] <= version)
            m_offered.push_back(m_texts[i]);
    }
    return m_offered;
}

bool ZROptions::IsSupported(int index) const {
    if (IsOffLine())
        return true;
    if (index < 0 || index >= GetCount())
        return false;
    return GetOwnerVersion() >= m_firstVersions[static_cast<size_t>(index)];
}

bool ZROptions::IsValid(int index) const {
    return index >= 0 && index < GetCount();
}

void ZROptions::AddOption(const std::string& text, uint32_t firstVersion, bool backup) {
    m_texts.push_back(text);
    m_firstVersions.push_back(firstVersion);
    m_backups.push_back(backup ? 1 : 0);
}

bool ZROptions::IsOffLine() const {
    if (!m_pObject)
        return true;
    ZRDevice* device = m_pObject->GetDevice();
    return !device || device->IsOffLine();
}

uint32_t ZROptions::GetOwnerVersion() const {
    return m_pObject ? m_pObject->GetVersion() : 0;
}
