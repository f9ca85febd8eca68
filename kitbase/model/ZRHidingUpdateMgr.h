#pragma once

#include "platform/core/Observer.h"

#include <string>
#include <vector>

class ZRAttribute;

// Hides the target attribute while the watched attribute shows one of the given texts.
class ZRHidingUpdateMgr : public platform::core::Observer {
public:
    ZRHidingUpdateMgr(ZRAttribute* watched, ZRAttribute* target, std::vector<std::string> texts);
    ~ZRHidingUpdateMgr() override;
    ZRHidingUpdateMgr(const ZRHidingUpdateMgr&) = delete;
    ZRHidingUpdateMgr& operator=(const ZRHidingUpdateMgr&) = delete;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRAttribute* GetWatched() const { return m_pWatched; }

private:
    ZRAttribute* m_pWatched;
    ZRAttribute* m_pTarget;
    std::vector<std::string> m_Texts;
};
