// The self tests running for one scope: a response queue, its log in a private data directory, and
// the global data's user settings in a private file.
#pragma once

#include "support/TempDir.h"

#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Settings.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"

#include <cstdlib>
#include <fstream>
#include <string>

class SelfTestScope {
public:
    explicit SelfTestScope(const std::string& userSettings = {}) {
        if (const char* old = std::getenv("XDG_DATA_HOME"))
            m_OldDataHome = old;
        setenv("XDG_DATA_HOME", m_Temp.File("data").c_str(), 1);
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
        if (m_OldDataHome.empty())
            unsetenv("XDG_DATA_HOME");
        else
            setenv("XDG_DATA_HOME", m_OldDataHome.c_str(), 1);
    }
    SelfTestScope(const SelfTestScope&) = delete;
    SelfTestScope& operator=(const SelfTestScope&) = delete;

    ZRTestEx& Queue() { return *m_pQueue; }

private:
    TempDir m_Temp;
    std::string m_OldDataHome;
    ZRTestEx* m_pQueue = nullptr;
};
