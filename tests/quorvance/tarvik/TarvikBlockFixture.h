// Tarvik blocks on their own: a copy of the build's motor catalogue opened as the program opens it
// (conversions may add custom motors to it, so each test has its own), and a drive-like parent that
// owns the blocks the way the drive does.
#pragma once

#include "kitbase/model/ZRObject.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "platform/core/Directories.h"
#include "support/ScopedEnv.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

class TarvikBlockFixture : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("QUORVANCE_CONFIG_DIR"))
            m_OldConfig = old;
        setenv("QUORVANCE_CONFIG_DIR", m_Config.Path().c_str(), 1);
        std::filesystem::copy(platform::core::InstallDir(), m_Install.Path(),
                              std::filesystem::copy_options::recursive);
        m_InstallEnv.emplace("QUORVANCE_INSTALL_DIR", m_Install.Path().string());
        m_DataEnv.emplace("XDG_DATA_HOME", (m_Config.Path() / "data").string());
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
        ASSERT_NE(ZRGlobalDataMgr::Instance()->GetMotorDB(), nullptr);
    }
    void TearDown() override {
        ZRGlobalDataMgr::DestroyInstance();
        m_DataEnv.reset();
        m_InstallEnv.reset();
        if (m_OldConfig)
            setenv("QUORVANCE_CONFIG_DIR", m_OldConfig->c_str(), 1);
        else
            unsetenv("QUORVANCE_CONFIG_DIR");
    }

    // Made and initialised after the siblings already given, as the drive does; owned by the parent.
    template <class Block> Block* Adopt(ZRObject& parent) {
        auto block = std::make_unique<Block>();
        Block* raw = block.get();
        parent.AddChild(std::move(block), false);
        raw->Init();
        return raw;
    }

private:
    TempDir m_Config;
    TempDir m_Install;
    std::optional<ScopedEnv> m_InstallEnv, m_DataEnv;
    std::optional<std::string> m_OldConfig;
};
