#pragma once

#include "kitbase/model/ZRMvcModel.h"

// Turns the application's idle time into idle ticks (reason IdleTick) for its subscribers.
class ZRIdleController : public ZRMvcModel {
public:
    static ZRIdleController* Instance();
    static void DestroyInstance();

    // Sends one tick; answers 1 while anybody is still subscribed after it.
    int DoIdle();

    static ZRIdleController* m_pInstance;

protected:
    ZRIdleController() = default;
    ~ZRIdleController() override = default;
};
