#include "kitbase/model/ZRProgress.h"

#include "kitbase/model/ZRUpdate.h"

#include <cmath>

ZRProgress* ZRProgress::m_pInstance = nullptr;
ZRProgress::Host* ZRProgress::s_pHost = nullptr;

ZRProgress* ZRProgress::Instance() {
    if (!m_pInstance)
        m_pInstance = new ZRProgress;
    return m_pInstance;
}

void ZRProgress::DestroyInstance() {
    delete m_pInstance;
    m_pInstance = nullptr;
}

ZRProgress::~ZRProgress() {
    Notify(ZRUpdate::Destroying);
    if (m_bMeterOpen && s_pHost)
        s_pHost->CloseMeter();
}

void ZRProgress::Show(const std::string& text, double maximum, bool cancellable) {
    m_Value = 0;
    m_PercentDone = 0;
    m_bCancelled = false;
    m_Maximum = maximum;
    m_bMeterOpen = s_pHost && s_pHost->OpenMeter(this, text, cancellable);
}

void ZRProgress::Increment(double step) {
    m_Value += step;
    if (m_Value > m_Maximum)
        m_Value = m_Maximum;
    if (m_Maximum > 0)
        m_PercentDone = static_cast<short>(std::floor(m_Value / m_Maximum * 100.0));
    Notify(ZRUpdate::ValueChanged);
}

bool ZRProgress::IsCancelled() {
    if (m_bMeterOpen && s_pHost)
        s_pHost->PumpMessages();
    return m_bCancelled;
}

void ZRProgress::Cleanup() {
    // The bar visibly completes before the meter closes; a maximum that is not finite never would.
    if (std::isfinite(m_Maximum)) {
        while (m_Value < m_Maximum)
            Increment(0.3);
    }
    if (s_pHost)
        s_pHost->EnableMainWindow();
    Notify(ZRUpdate::Destroying);
    if (m_bMeterOpen && s_pHost)
        s_pHost->CloseMeter();
    m_bMeterOpen = false;
    m_bCancelled = false;
}
