#include "kitbase/ui/ZRModelLink.h"

#include "kitbase/model/ZRMvcModel.h"
#include "kitbase/model/ZRUpdate.h"

void ZRModelLink::Attach(ZRMvcModel* model) {
    Detach();
    m_pModel = model;
    if (m_pModel)
        m_pModel->AddObserver(&m_observer);
}

void ZRModelLink::Detach() {
    if (m_pModel)
        m_pModel->RemoveObserver(&m_observer);
    m_pModel = nullptr;
}

bool ZRModelLink::Forget(platform::core::Subject* subject, platform::core::Message* message) {
    if (!m_pModel || subject != static_cast<platform::core::Subject*>(m_pModel) ||
        ReasonOf(message) != ZRUpdate::Destroying)
        return false;
    Detach();
    return true;
}
