#include "kitbase/model/ZRTestEx.h"

#include "kitbase/model/ZRBaseTest.h"
#include "kitbase/model/ZRTestSuite.h"
#include "platform/core/Directories.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <ctime>

ZRTestEx* ZRTestEx::_instance = nullptr;
std::string ZRTestEx::s_InstallPath;
bool ZRTestEx::s_bRunningTests = false;

namespace {
std::string LocalTime(const char* format) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[128];
    std::size_t n = std::strftime(text, sizeof text, format, &local);
    return std::string(text, n);
}
} // namespace

ZRTestEx* ZRTestEx::Instance() {
    if (!_instance)
        _instance = new ZRTestEx;
    return _instance;
}

void ZRTestEx::DestroyInstance() {
    delete _instance;
    _instance = nullptr;
}

ZRTestEx::ZRTestEx()
    : m_Log(platform::core::OpenOutputFile(
          platform::core::JoinPath(platform::core::UserDataDir(), "Test.log"), std::ios::app)) {
    s_bRunningTests = true;
    ZRMsgBox::SetTestResponses(this);
}

ZRTestEx::~ZRTestEx() {
    s_bRunningTests = false;
    if (ZRMsgBox::GetTestResponses() == this)
        ZRMsgBox::SetTestResponses(nullptr);
}

void ZRTestEx::AddTest(ZRBaseTest* test) {
    if (test)
        m_Tests.emplace_back(test);
}

bool ZRTestEx::SetSelection(const std::string& name) {
    for (const auto& test : m_Tests) {
        if (test->GetName() == name) {
            m_pSelection = test.get();
            return true;
        }
    }
    return false;
}

bool ZRTestEx::RunSelection() {
    ZRBaseTest* test = m_pSelection;
    if (!test)
        return false;
    auto* suite = dynamic_cast<ZRTestSuite*>(test);
    if (!test->CleanWorkDir())
        return false;

    m_Log << LocalTime("%c") << std::endl;
    m_Log << "Starting " << test->GetName() << "\n";
    bool ok = test->Init(m_Log) && test->Run(m_Log);
    // Cleanup runs whatever happened before, and its failure fails the run.
    ok = test->Cleanup(m_Log) && ok;

    if (ok) {
        platform::core::MessageBox("Test(s) completed successfuly.");
        m_Log << "Successful Completion " << test->GetName() << LocalTime(" %c") << "\n\n";
    } else {
        m_Log << "Failed " << test->GetName() << LocalTime(" %c") << "\n\n";
        if (suite)
            platform::core::MessageBox(
                platform::core::Format("Suite completed with errors. Number of failed tests is: %d.\n See "
                                       "Test.log for more details.",
                                       suite->GetFailCount()));
        else
            platform::core::MessageBox("Test failed. See Test.log for more details.");
    }
    m_Log.flush();
    return ok;
}

bool ZRTestEx::WriteToLog(const std::string& text) {
    m_Log << text << std::endl;
    return true;
}

void ZRTestEx::AddResponseToQue(unsigned type, unsigned value) {
    m_Responses.push_back({type, value, {}});
}

void ZRTestEx::AddResponseToQue(const std::string& text) {
    m_Responses.push_back({TextResponse, 0, text});
}

unsigned ZRTestEx::GetResponseFromQue(unsigned& type) {
    if (m_Responses.empty()) {
        type = NoResponse;
        return 0;
    }
    type = m_Responses.front().type;
    unsigned value = m_Responses.front().value;
    m_Responses.pop_front();
    return value;
}

bool ZRTestEx::GetTextResponseFromQue(std::string& text) {
    if (m_Responses.empty() || m_Responses.front().type != TextResponse)
        return false;
    text = std::move(m_Responses.front().text);
    m_Responses.pop_front();
    return true;
}

unsigned ZRTestEx::PeekRespTypeFromQue() {
    return m_Responses.empty() ? NoResponse : m_Responses.front().type;
}

bool ZRTestEx::IsRespQueEmpty() {
    return m_Responses.empty();
}

void ZRTestEx::EmptyRespQue() {
    m_Responses.clear();
}
