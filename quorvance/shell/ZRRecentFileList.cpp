#include "quorvance/shell/ZRRecentFileList.h"

#include "kitbase/model/ZRBaseGlobalDataMgr.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"

#include <algorithm>

namespace {
constexpr const char* kSection = "Recent File List";
}

ZRRecentFileList::ZRRecentFileList(int size) : m_Size(size) {}

void ZRRecentFileList::ReadList(ZRRegistryKey& userKey) {
    m_Files.clear();
    platform::core::Settings* settings = userKey.GetSettings();
    if (!settings)
        return;
    for (int i = 1; i <= m_Size; ++i) {
        std::string path;
        if (settings->GetString(kSection, platform::core::Format("File%d", i), path) && !path.empty())
            m_Files.push_back(path);
    }
}

void ZRRecentFileList::WriteList(ZRRegistryKey& userKey) const {
    platform::core::Settings* settings = userKey.GetSettings();
    if (!settings)
        return;
    try {
        for (int i = 0; i < m_Size; ++i) {
            std::string name = platform::core::Format("File%d", i + 1);
            std::string value = i < GetCount() ? m_Files[i] : std::string();
            std::string old;
            // Only changed entries are written, so an untouched list costs no file writes.
            if (settings->GetString(kSection, name, old) ? old != value : !value.empty())
                settings->WriteString(kSection, name, value);
        }
    } catch (const platform::core::SystemError&) {
        // The list is a convenience; a settings file that cannot be written loses only it.
    }
}

void ZRRecentFileList::Add(const std::string& path) {
    // Case counts: two names that differ only by case are two files here.
    auto same = std::find(m_Files.begin(), m_Files.end(), path);
    if (same != m_Files.end())
        m_Files.erase(same);
    m_Files.insert(m_Files.begin(), path);
    if (GetCount() > m_Size)
        m_Files.resize(m_Size);
}

void ZRRecentFileList::Remove(int index) {
    if (index >= 0 && index < GetCount())
        m_Files.erase(m_Files.begin() + index);
}

std::string ZRRecentFileList::GetDisplayName(int index) const {
    if (index < 0 || index >= GetCount())
        return {};
    return platform::core::Format("&%d %s", index + 1,
                                  platform::core::FileSystem::FileName(m_Files[index]).c_str());
}
