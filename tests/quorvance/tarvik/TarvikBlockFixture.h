// Tarvik blocks on their own: the motor catalogue of the build opened as the program opens it, and a
// drive-like parent that owns the blocks the way the drive does.
#pragma once

#include "kitbase/model/ZRObject.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

class TarvikBlockFixture : public testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("QUORVANCE_CONFIG_DIR"))
            m_OldConfig = old;
        setenv("QUORVANCE_CONFIG_DIR", m_Config.Path().c_str(), 1);
        ASSERT_TRUE(ZRGlobalDataMgr::Instance()->Init());
        ASSERT_NE(ZRGlobalDataMgr::Instance()->GetMotorDB(), nullptr);
    }
    void TearDown() override {
        ZRGlobalDataMgr::DestroyInstance();
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
    std::optional<std::string> m_OldConfig;
};
