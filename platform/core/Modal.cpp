#include "platform/core/Modal.h"

#include "platform/core/Version.h"

#include <atomic>

namespace platform::core {

namespace {
std::atomic<int> g_unexpected{0};

const char* KindName(ModalKind kind) {
    switch (kind) {
    case ModalKind::MessageBox: return "message box";
    case ModalKind::Dialog: return "dialog";
    case ModalKind::OpenFile: return "open-file dialog";
    case ModalKind::SaveFile: return "save-file dialog";
    case ModalKind::Folder: return "folder dialog";
    case ModalKind::Colour: return "colour dialog";
    case ModalKind::Text: return "text prompt";
    case ModalKind::PopupMenu: return "pop-up menu";
    }
    return "modal";
}

[[noreturn]] void Refuse(const ModalRequest& request, const std::string& why) {
    ++g_unexpected;
    throw UnexpectedModal(std::string("unexpected ") + KindName(request.kind) + " \"" + request.caption +
                          "\": \"" + request.text + "\"" + (why.empty() ? "" : " (" + why + ")"));
}

class StrictHook : public ModalHook {
public:
    int Run(ModalRequest& request) override { Refuse(request, "no modal hook installed"); }
};

StrictHook g_strict;
ModalHook* g_hook = &g_strict;
} // namespace

int UnexpectedModal::Count() { return g_unexpected.load(); }
void UnexpectedModal::Acknowledge(int n) { g_unexpected -= n; }

ModalHook* SetModalHook(ModalHook* hook) {
    ModalHook* previous = g_hook == &g_strict ? nullptr : g_hook;
    g_hook = hook ? hook : &g_strict;
    return previous;
}

ModalHook& GetModalHook() { return *g_hook; }

int RunModal(ModalRequest& request) { return g_hook->Run(request); }

int MessageBox(const std::string& text, const std::string& caption, unsigned flags) {
    ModalRequest request;
    request.kind = ModalKind::MessageBox;
    request.text = text;
    request.caption = caption.empty() ? kProductName : caption;
    request.flags = flags;
    return RunModal(request);
}

ScriptedModalHook& ScriptedModalHook::Expect(ModalKind kind, const std::string& match, Answer answer) {
    m_steps.push_back({kind, match, std::move(answer)});
    return *this;
}

ScriptedModalHook& ScriptedModalHook::ExpectMessage(const std::string& match, int button) {
    return Expect(ModalKind::MessageBox, match, [button](ModalRequest&) { return button; });
}

ScriptedModalHook& ScriptedModalHook::ExpectFile(ModalKind kind, const std::string& path, int button) {
    return Expect(kind, {}, [path, button](ModalRequest& r) {
        r.value = path;
        return button;
    });
}

ScriptedModalHook& ScriptedModalHook::ExpectText(const std::string& match, const std::string& text,
                                                 int button) {
    return Expect(ModalKind::Text, match, [text, button](ModalRequest& r) {
        r.value = text;
        return button;
    });
}

ScriptedModalHook& ScriptedModalHook::ExpectMenu(unsigned commandId) {
    return Expect(ModalKind::PopupMenu, {}, [commandId](ModalRequest&) { return static_cast<int>(commandId); });
}

int ScriptedModalHook::Run(ModalRequest& request) {
    if (m_steps.empty())
        Refuse(request, "script is empty");
    Step step = std::move(m_steps.front());
    m_steps.pop_front();
    if (step.kind != request.kind)
        Refuse(request, std::string("expected a ") + KindName(step.kind));
    if (!step.match.empty() && request.text.find(step.match) == std::string::npos &&
        request.caption.find(step.match) == std::string::npos)
        Refuse(request, "expected one matching \"" + step.match + "\"");
    m_seen.push_back(request.text);
    return step.answer(request);
}

} // namespace platform::core
