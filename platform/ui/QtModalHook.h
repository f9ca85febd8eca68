// The modal hook that shows real windows: message boxes, dialogs, file, folder and colour pickers and
// text prompts. The program installs it at start; tests and batch modes install their own.
#pragma once

#include "platform/core/Modal.h"

namespace platform::ui {

class QtModalHook : public core::ModalHook {
public:
    int Run(core::ModalRequest& request) override;
};

// Installs one process-wide QtModalHook; answers the hook it replaced.
core::ModalHook* InstallQtModalHook();

} // namespace platform::ui
