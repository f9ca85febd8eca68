#include "platform/ui/Events.h"

#include <QCoreApplication>

namespace platform::ui {

namespace {
bool g_pumping = false;
int g_modalDepth = 0;
} // namespace

bool PumpEvents(PumpMode mode) {
    if (g_pumping || !QCoreApplication::instance())
        return false;
    g_pumping = true;
    struct Reset {
        ~Reset() { g_pumping = false; }
    } reset;
    QCoreApplication::processEvents(mode == PumpMode::ExcludeUserInput ? QEventLoop::ExcludeUserInputEvents
                                                                       : QEventLoop::AllEvents);
    return true;
}

bool IsPumping() {
    return g_pumping;
}

ModalScope::ModalScope() {
    ++g_modalDepth;
}
ModalScope::~ModalScope() {
    --g_modalDepth;
}
bool InModal() {
    return g_modalDepth > 0;
}

} // namespace platform::ui
