#pragma once

#include <string>

// The message box that the self test answers in place of the user while tests run.
class ZRMsgBox {
public:
    // What the message box needs of the self test's response queue: pairs of words, the type
    // first (0: a button id), then the value.
    class Responses {
    public:
        virtual ~Responses() = default;
        virtual bool IsRespQueEmpty() = 0;
        virtual unsigned PeekRespTypeFromQue() = 0;
        // Takes the head pair off; answers the value.
        virtual unsigned GetResponseFromQue(unsigned& type) = 0;
        virtual bool WriteToLog(const std::string& text) = 0;
    };
    enum : unsigned { MsgBoxResponse = 0 };

    virtual ~ZRMsgBox() = default;

    // Answers the id of the button pressed (or the queued answer while tests run).
    int Show(const std::string& text, unsigned type = 0, unsigned helpId = 0);

    // The self test installs its queue while tests run (null: not running; not owned).
    static void SetTestResponses(Responses* responses) { s_pResponses = responses; }
    static Responses* GetTestResponses() { return s_pResponses; }

private:
    static Responses* s_pResponses;
};
