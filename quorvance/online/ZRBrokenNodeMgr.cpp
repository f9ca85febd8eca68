#include "quorvance/online/ZRBrokenNodeMgr.h"

#include "platform/ui/Events.h"

void ZRBrokenNodeMgr::PumpMessages() {
    platform::ui::PumpEvents();
}
