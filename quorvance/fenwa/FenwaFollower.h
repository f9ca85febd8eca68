#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class FenwaGearUpdateMgr;
class ZRIndexSelection;
class ZRStringAttribute;
class ZRUlongAttribute;

// A Fenwa drive block: the follower's command type, controller output type and gear ratio. The
// drive stores the ratio as two counts; the user edits them as one "master:follower" text.
class FenwaFollower : public ZRObject {
public:
    FenwaFollower();
    ~FenwaFollower() override;

    void Init() override;

    ZRIndexSelection* GetCommandType() const { return m_pCommandType.get(); }
    ZRIndexSelection* GetControllerOutputType() const { return m_pControllerOutputType.get(); }
    ZRStringAttribute* GetGearRatio() const { return m_pGearRatio.get(); }
    ZRUlongAttribute* GetMasterCounts() const { return m_pMasterCounts.get(); }
    ZRUlongAttribute* GetFollowerCounts() const { return m_pFollowerCounts.get(); }

private:
    std::unique_ptr<ZRIndexSelection> m_pCommandType;
    std::unique_ptr<ZRIndexSelection> m_pControllerOutputType;
    std::unique_ptr<ZRStringAttribute> m_pGearRatio;
    std::unique_ptr<ZRUlongAttribute> m_pMasterCounts;
    std::unique_ptr<ZRUlongAttribute> m_pFollowerCounts;
    // Declared last, so it goes before the attributes it watches.
    std::unique_ptr<FenwaGearUpdateMgr> m_pGearUpdateMgr;
};
