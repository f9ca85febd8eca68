// Shows the wait cursor for the lifetime of the guard.
#pragma once

namespace platform::ui {

class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    // Puts the previous cursor back early (for a message box in the middle of the work).
    void Restore();

private:
    bool m_active = false;
};

} // namespace platform::ui
