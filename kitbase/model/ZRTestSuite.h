#pragma once

#include "kitbase/model/ZRBaseTest.h"

#include <cstdint>
#include <vector>

// Tests run one after another; a failed member does not stop the ones after it.
class ZRTestSuite : public ZRBaseTest {
public:
    explicit ZRTestSuite(const std::string& name) : ZRBaseTest(name) {}

    // Appends a member (not owned: the registry deletes registered tests).
    void AddScript(ZRBaseTest* test);
    // Members that failed in the last run.
    std::int32_t GetFailCount() const { return m_FailCount; }

    bool Run(std::ostream& log) override;
    bool Init(std::ostream& log) override;
    bool Cleanup(std::ostream& log) override;

private:
    std::vector<ZRBaseTest*> m_Tests;
    std::int32_t m_FailCount = 0;
};
