// Event pumping during long work on the user-interface thread, and the markers that keep idle
// processing out of pumps and modal interactions.
#pragma once

namespace platform::ui {

enum class PumpMode { All, ExcludeUserInput };

// Handles the waiting events once. Answers false, doing nothing, when called from inside another
// pump (pumps never nest) or when there is no application.
bool PumpEvents(PumpMode mode = PumpMode::All);
bool IsPumping();

// Marks a modal interaction for its lifetime; idle processing does not run meanwhile.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};
bool InModal();

} // namespace platform::ui
