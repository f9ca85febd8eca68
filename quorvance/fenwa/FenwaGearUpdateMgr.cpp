#include "quorvance/fenwa/FenwaGearUpdateMgr.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"

#include <cstdio>

bool FenwaGearUpdateMgr::s_bUpdating = false;

namespace {

// Raises the flag for a scope, exceptions included.
class Raised {
public:
    explicit Raised(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Raised() { m_flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& m_flag;
};

} // namespace

FenwaGearUpdateMgr::FenwaGearUpdateMgr(ZRAttribute* master, ZRAttribute* follower, ZRStringAttribute* ratio)
    : m_pMaster(master), m_pFollower(follower), m_pRatio(ratio) {
    for (ZRAttribute* a : {m_pMaster, m_pFollower, static_cast<ZRAttribute*>(m_pRatio)})
        if (a)
            a->AddObserver(this);
}

FenwaGearUpdateMgr::~FenwaGearUpdateMgr() {
    for (ZRAttribute* a : {m_pMaster, m_pFollower, static_cast<ZRAttribute*>(m_pRatio)})
        if (a)
            a->RemoveObserver(this);
}

void FenwaGearUpdateMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        if (subject == m_pMaster)
            m_pMaster = nullptr;
        else if (subject == m_pFollower)
            m_pFollower = nullptr;
        else if (subject == m_pRatio)
            m_pRatio = nullptr;
        return;
    }
    if (reason != ZRUpdate::ValueChanged || s_bUpdating || !m_pMaster || !m_pFollower || !m_pRatio)
        return;
    if (subject == m_pMaster || subject == m_pFollower) {
        const std::string text = m_pMaster->GetAsString() + ":" + m_pFollower->GetAsString();
        Raised raised(s_bUpdating);
        m_pRatio->SetValue(text);
        return;
    }
    if (subject != m_pRatio)
        return;
    unsigned master = 0, follower = 0;
    if (std::sscanf(m_pRatio->GetValue().c_str(), "%u:%u", &master, &follower) != 2) {
        platform::core::MessageBox("Invalid Ratio Format");
        return;
    }
    Raised raised(s_bUpdating);
    m_pMaster->SetAsString(platform::core::Format("%u", master));
    m_pFollower->SetAsString(platform::core::Format("%u", follower));
}
