// Scripts the answers of the modals a test expects; checks on destruction that all were used.
#pragma once

#include "platform/core/Modal.h"

#include <gtest/gtest.h>

class ModalScript : public platform::core::ScriptedModalHook {
public:
    ModalScript() : m_previous(platform::core::SetModalHook(this)) {}
    ~ModalScript() override {
        platform::core::SetModalHook(m_previous);
        EXPECT_EQ(Remaining(), 0u) << "scripted modals were not shown";
    }
    ModalScript(const ModalScript&) = delete;
    ModalScript& operator=(const ModalScript&) = delete;

private:
    platform::core::ModalHook* m_previous;
};
