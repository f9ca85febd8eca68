#include "kitbase/model/ZRIdleController.h"

#include "kitbase/model/ZRUpdate.h"

ZRIdleController* ZRIdleController::m_pInstance = nullptr;

ZRIdleController* ZRIdleController::Instance() {
    if (!m_pInstance)
        m_pInstance = new ZRIdleController;
    return m_pInstance;
}

void ZRIdleController::DestroyInstance() {
    delete m_pInstance;
    m_pInstance = nullptr;
}

int ZRIdleController::DoIdle() {
    Notify(ZRUpdate::IdleTick);
    return GetObservers().empty() ? 0 : 1;
}
