// The application's help entry point: windows ask for help on a topic, and the program installs the
// handler that opens the help pages.
#pragma once

#include <functional>

namespace platform::ui {

// The commands keep their classic numbers: callers pass them on as they are.
enum : unsigned { HELP_CONTEXT = 1, HELP_CONTENTS = 3 };

using HelpHandler = std::function<void(unsigned long topic, unsigned command)>;

// Installs the handler and answers the previous one; null removes it.
HelpHandler SetHelpHandler(HelpHandler handler);
// Without a handler nothing happens.
void ShowHelp(unsigned long topic, unsigned command);
// Context help on the topic, or the contents when the topic is 0.
void ShowHelpTopic(unsigned long topic);

} // namespace platform::ui
