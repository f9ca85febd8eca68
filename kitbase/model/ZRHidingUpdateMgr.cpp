#include "kitbase/model/ZRHidingUpdateMgr.h"

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRUpdate.h"

#include <algorithm>

ZRHidingUpdateMgr::ZRHidingUpdateMgr(ZRAttribute* watched, ZRAttribute* target,
                                     std::vector<std::string> texts)
    : m_pWatched(watched), m_pTarget(target), m_Texts(std::move(texts)) {
    if (m_pWatched)
        m_pWatched->AddObserver(this);
}

// Leave the watched attribute, or its next change would reach a deleted observer.
ZRHidingUpdateMgr::~ZRHidingUpdateMgr() {
    if (m_pWatched)
        m_pWatched->RemoveObserver(this);
}

void ZRHidingUpdateMgr::OnUpdate(platform::core::Subject* /*subject*/, platform::core::Message* message) {
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        if (m_pWatched && m_pTarget) {
            std::string text = m_pWatched->GetAsString();
            m_pTarget->SetHidden(std::find(m_Texts.begin(), m_Texts.end(), text) != m_Texts.end());
        }
        break;
    case ZRUpdate::Destroying:
        if (m_pWatched)
            m_pWatched->RemoveObserver(this);
        m_pWatched = nullptr;
        break;
    default:
        break;
    }
}
