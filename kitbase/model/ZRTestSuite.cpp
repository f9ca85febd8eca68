#include "kitbase/model/ZRTestSuite.h"

#include <ostream>

void ZRTestSuite::AddScript(ZRBaseTest* test) {
    if (test)
        m_Tests.push_back(test);
}

bool ZRTestSuite::Run(std::ostream& log) {
    // Counted per run: a suite run again from the selection dialog reports only its own failures.
    m_FailCount = 0;
    for (ZRBaseTest* test : m_Tests) {
        if (!test->CleanWorkDir())
            return false;
        log << "Starting " << test->GetName() << "\n";
        bool passed = test->Init(log) && test->Run(log);
        if (!passed)
            ++m_FailCount;
        test->Cleanup(log);
        log << (passed ? "Successful Completion " : "***Failed ") << test->GetName() << "\n\n";
    }
    return m_FailCount == 0;
}

bool ZRTestSuite::Init(std::ostream&) {
    return true;
}

bool ZRTestSuite::Cleanup(std::ostream&) {
    return true;
}
