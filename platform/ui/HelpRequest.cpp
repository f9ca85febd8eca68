#include "platform/ui/HelpRequest.h"

#include <utility>

namespace platform::ui {

namespace {
HelpHandler& Handler() {
    static HelpHandler handler;
    return handler;
}
} // namespace

HelpHandler SetHelpHandler(HelpHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

void ShowHelp(unsigned long topic, unsigned command) {
    if (Handler())
        Handler()(topic, command);
}

void ShowHelpTopic(unsigned long topic) {
    if (topic != 0)
        ShowHelp(topic, HELP_CONTEXT);
    else
        ShowHelp(0, HELP_CONTENTS);
}

} // namespace platform::ui
