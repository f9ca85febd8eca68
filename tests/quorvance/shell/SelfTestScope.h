// The self tests running for one scope: a response queue, its log in a private data directory, and
// the global data's user settings in a private file.
#pragma once

#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Settings.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

class SelfTestScope {
public:
    explicit SelfTestScope(const std::string& userSettings = {}) {
        m_DataHome.emplace("XDG_DATA_HOME", m_Temp.File("data"));
        std::string path = m_Temp.File("Quorvance.ini");
        std::ofstream(path) << userSettings;
        platform::core::Settings settings(path);
        settings.Load();
        ZRGlobalDataMgr::Instance()->GetUserKey().Connect(std::move(settings));
        m_pQueue = ZRTestEx::Instance();
    }
    ~SelfTestScope() {
        ZRTestEx::DestroyInstance();
        ZRGlobalDataMgr::DestroyInstance();
    }
    SelfTestScope(const SelfTestScope&) = delete;
    SelfTestScope& operator=(const SelfTestScope&) = delete;

    ZRTestEx& Queue() { return *m_pQueue; }

private:
    TempDir m_Temp;
    std::optional<ScopedEnv> m_DataHome;
    ZRTestEx* m_pQueue = nullptr;
};
