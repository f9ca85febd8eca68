#pragma once

#include "platform/core/Observer.h"

class ZRAttribute;
class ZRStringAttribute;

// Keeps a gear ratio text ("master:follower") and its two count attributes in step, both ways.
class FenwaGearUpdateMgr : public platform::core::Observer {
public:
    // Observes all three; none is owned.
    FenwaGearUpdateMgr(ZRAttribute* master, ZRAttribute* follower, ZRStringAttribute* ratio);
    ~FenwaGearUpdateMgr() override;
    FenwaGearUpdateMgr(const FenwaGearUpdateMgr&) = delete;
    FenwaGearUpdateMgr& operator=(const FenwaGearUpdateMgr&) = delete;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

private:
    ZRAttribute* m_pMaster;
    ZRAttribute* m_pFollower;
    ZRStringAttribute* m_pRatio;
    // Raised while any manager writes, so that the changes its own writes cause are ignored.
    static bool s_bUpdating;
};
