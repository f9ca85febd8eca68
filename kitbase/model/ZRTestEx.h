#pragma once

#include "kitbase/model/ZRMsgBox.h"

#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

class ZRBaseTest;

// The self-test registry: the registered tests, the selected one, the log "Test.log" and the
// queue of scripted answers that message boxes and dialogs take in place of the user's.
// While it exists tests are running, and ZRMsgBox answers from its queue.
class ZRTestEx : public ZRMsgBox::Responses {
public:
    // The type word of a queued answer.
    enum ERespType : unsigned {
        NumberResponse = 0,      // a button id or a number a dialog takes
        TextResponse = 1,        // a text a dialog takes
        NoResponse = 0xFFFFFFFFu // what an empty queue answers
    };

    static ZRTestEx* Instance();
    static void DestroyInstance();

    // Registers a test; the registry owns it.
    void AddTest(ZRBaseTest* test);
    const std::vector<std::unique_ptr<ZRBaseTest>>& GetTests() const { return m_Tests; }
    // Selects the first test of exactly that name; without one the selection stays.
    bool SetSelection(const std::string& name);
    bool RunSelection();

    // Writes the text and an end of line to the log.
    bool WriteToLog(const std::string& text) override;

    // Queues a pair: the type, then the value.
    void AddResponseToQue(unsigned type, unsigned value);
    // Queues a text answer (type TextResponse); the queue keeps its own copy.
    void AddResponseToQue(const std::string& text);
    // Takes the head pair off: its type goes to type, its value is the answer.
    unsigned GetResponseFromQue(unsigned& type) override;
    // Takes the head pair off when it is a text answer; otherwise leaves the queue as it is.
    bool GetTextResponseFromQue(std::string& text);
    // The type of the head pair.
    unsigned PeekRespTypeFromQue() override;
    bool IsRespQueEmpty() override;
    void EmptyRespQue();

    static const std::string& GetInstallPath() { return s_InstallPath; }
    static void SetInstallPath(const std::string& path) { s_InstallPath = path; }

    static ZRTestEx* _instance;
    // The install directory, set by the program at start-up; "Databases" is under it.
    static std::string s_InstallPath;
    static bool s_bRunningTests;

protected:
    ZRTestEx();
    ~ZRTestEx() override;
    ZRTestEx(const ZRTestEx&) = delete;
    ZRTestEx& operator=(const ZRTestEx&) = delete;

private:
    struct Response {
        unsigned type;
        unsigned value;
        std::string text;
    };

    // The log is declared first so that it closes after the tests are deleted.
    std::ofstream m_Log;
    std::vector<std::unique_ptr<ZRBaseTest>> m_Tests;
    ZRBaseTest* m_pSelection = nullptr;
    std::deque<Response> m_Responses;
};
