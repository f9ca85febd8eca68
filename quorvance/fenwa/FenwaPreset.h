#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZRLongAttribute;

// A Fenwa drive block: the seven preset velocities, in the drive's velocity units.
class FenwaPreset : public ZRObject {
public:
    static constexpr int kPresetCount = 7;

    FenwaPreset();
    ~FenwaPreset() override;

    void Init() override;

    // Preset index + 1 (0 to 6); null outside.
    ZRLongAttribute* GetPresetAttribute(int index) const;

private:
    std::array<std::unique_ptr<ZRLongAttribute>, kPresetCount> m_Presets;
};
