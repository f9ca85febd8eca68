// Every modal interaction (message boxes, dialogs, file pickers, prompts) goes through one hook,
// so that code without a toolkit can ask the user and tests can script the answers.
#pragma once

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace platform::core {

// Message box flags and answers keep their classic numbers: callers and self-test scripts use them.
enum : unsigned {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_ABORTRETRYIGNORE = 0x2,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_TYPEMASK = 0xF,
    MB_ICONERROR = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
    MB_DEFBUTTON1 = 0x0,
    MB_DEFBUTTON2 = 0x100,
    MB_DEFBUTTON3 = 0x200,
    MB_DEFMASK = 0xF00,
    MB_HELP = 0x4000,
};
enum : int { IDOK = 1, IDCANCEL = 2, IDABORT = 3, IDRETRY = 4, IDIGNORE = 5, IDYES = 6, IDNO = 7 };

enum class ModalKind { MessageBox, Dialog, OpenFile, SaveFile, Folder, Colour, Text, PopupMenu };

// One modal interaction as the caller describes it; the hook answers with a button id and
// may fill the answer fields.
struct ModalRequest {
    ModalKind kind = ModalKind::MessageBox;
    std::string caption;
    std::string text;       // message, prompt or dialog title
    unsigned flags = 0;     // message box or file dialog flags
    std::string filter;     // file dialogs: "Text (*.txt)|*.txt||"
    std::string defaultExt; // file dialogs
    std::string value;      // initial and answered file name, folder or text
    std::string directory;  // file dialogs: where they open unless the name gives a folder
    unsigned colour = 0;    // colour dialog: 0x00BBGGRR in and out
    int dialogId = 0;       // dialog resource id
    int x = 0, y = 0;       // pop-up menus: screen position
    void* dialog = nullptr; // the dialog object, for answers that fill its controls
};

class ModalHook {
public:
    virtual ~ModalHook() = default;
    virtual int Run(ModalRequest& request) = 0;
};

// Thrown when a modal comes that nobody scripted, so a test fails at once instead of hanging.
class UnexpectedModal : public std::logic_error {
public:
    using std::logic_error::logic_error;
    // How many were raised in this process; test mains check it after each test.
    static int Count();
    // A test that raises them on purpose acknowledges them, so its main does not fail it.
    static void Acknowledge(int n);
};

// Installs a hook (not owned) and answers the previous one. Null restores the default,
// which raises UnexpectedModal for every request.
ModalHook* SetModalHook(ModalHook* hook);
ModalHook& GetModalHook();
int RunModal(ModalRequest& request);

// The plain message box; caption defaults to the product name.
int MessageBox(const std::string& text, const std::string& caption = {}, unsigned flags = MB_OK);

// The answers a test expects to give, in order.
class ScriptedModalHook : public ModalHook {
public:
    using Answer = std::function<int(ModalRequest&)>;

    // match: a text that the request's caption or text must contain (empty matches any).
    ScriptedModalHook& Expect(ModalKind kind, const std::string& match, Answer answer);
    ScriptedModalHook& ExpectMessage(const std::string& match, int button);
    ScriptedModalHook& ExpectFile(ModalKind kind, const std::string& path, int button = IDOK);
    ScriptedModalHook& ExpectText(const std::string& match, const std::string& text, int button = IDOK);

    int Run(ModalRequest& request) override;
    size_t Remaining() const { return m_steps.size(); }
    // A pop-up menu answered with the command id chosen (0: dismissed).
    ScriptedModalHook& ExpectMenu(unsigned commandId);

    // Texts of the requests answered so far, in order.
    const std::vector<std::string>& Seen() const { return m_seen; }

private:
    struct Step {
        ModalKind kind;
        std::string match;
        Answer answer;
    };
    std::deque<Step> m_steps;
    std::vector<std::string> m_seen;
};

} // namespace platform::core
