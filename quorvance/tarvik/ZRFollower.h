#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZRBoolAttribute;
class ZROlbraConverter;
class ZRGearAttribute;
class ZRUlongAttribute;

// Eight preset gear ratios of the follower modes and the slew limit.
class ZRFollower : public ZRObject {
public:
    static constexpr int kPresetCount = 8;

    ZRFollower();
    ~ZRFollower() override;

    void Init() override;
    // Takes the gear ratio (into all eight presets) and the slew limit of an older-family file.
    // True when "Slew Limit Enable" was stored.
    bool ImportParValues(ZROlbraConverter* file);

    ZRGearAttribute* GetPreset(int i) const { return m_Gears.at(i).get(); }
    ZRBoolAttribute* GetSlewLimitEnable() const { return m_pSlewLimitEnable.get(); }
    ZRUlongAttribute* GetSlewLimit() const { return m_pSlewLimit.get(); }
    ZRBoolAttribute* GetFollowerEnable() const { return m_pFollowerEnable.get(); }

private:
    std::array<std::unique_ptr<ZRGearAttribute>, kPresetCount> m_Gears;
    std::unique_ptr<ZRBoolAttribute> m_pSlewLimitEnable;
    std::unique_ptr<ZRUlongAttribute> m_pSlewLimit;
    std::unique_ptr<ZRBoolAttribute> m_pFollowerEnable;
};
