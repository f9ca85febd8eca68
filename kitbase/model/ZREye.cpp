#include "kitbase/model/ZREye.h"

ZREye* ZREye::m_pInstance = nullptr;

ZREye* ZREye::Instance() {
    if (!m_pInstance)
        m_pInstance = new ZREye;
    return m_pInstance;
}

void ZREye::DestroyInstance() {
    delete m_pInstance;
    m_pInstance = nullptr;
}

void ZREye::Increment() {
    m_Count.fetch_add(1, std::memory_order_relaxed);
    if (m_pView)
        m_pView->OnIncrement();
}
