#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZRBoolAttribute;
class ZROlbraConverter;
class ZRLongAttribute;
class ZRUlongAttribute;

// The eight preset velocities, currents and position moves chosen by digital inputs, with the
// limits applied to preset velocities.
class ZRPreset : public ZRObject {
public:
    static constexpr int kPresetCount = 8;
    static constexpr int kSelectLineCount = 6;

    ZRPreset();
    ~ZRPreset() override;

    void Init() override;
    // Takes the preset velocities and currents and the velocity limits of an older-family file;
    // the position presets keep their values. True when "Accel/Decel Limits" was stored.
    bool ImportParValues(ZROlbraConverter* file);

    ZRLongAttribute* GetPresetVelocity(int i) const { return m_Presets.at(i).velocity.get(); }
    ZRLongAttribute* GetPresetCurrent(int i) const { return m_Presets.at(i).current.get(); }
    ZRLongAttribute* GetPosition(int i) const { return m_Presets.at(i).position.get(); }
    ZRUlongAttribute* GetVelocity(int i) const { return m_Presets.at(i).positionVelocity.get(); }
    ZRUlongAttribute* GetAcceleration(int i) const { return m_Presets.at(i).positionAccel.get(); }
    ZRUlongAttribute* GetDeceleration(int i) const { return m_Presets.at(i).positionDecel.get(); }
    ZRBoolAttribute* GetAccelDecelLimits() const { return m_pAccelDecelLimits.get(); }
    ZRUlongAttribute* GetAcceleration() const { return m_pAcceleration.get(); }
    ZRUlongAttribute* GetDeceleration() const { return m_pDeceleration.get(); }
    ZRBoolAttribute* GetPresetSelectLine(int i) const { return m_SelectLines.at(i).get(); }
    ZRBoolAttribute* GetDefinePosition() const { return m_pDefinePosition.get(); }

private:
    struct Preset {
        std::unique_ptr<ZRLongAttribute> velocity;
        std::unique_ptr<ZRLongAttribute> current;
        std::unique_ptr<ZRLongAttribute> position;
        std::unique_ptr<ZRUlongAttribute> positionVelocity;
        std::unique_ptr<ZRUlongAttribute> positionAccel;
        std::unique_ptr<ZRUlongAttribute> positionDecel;
    };

    std::array<Preset, kPresetCount> m_Presets;
    std::unique_ptr<ZRBoolAttribute> m_pAccelDecelLimits;
    std::unique_ptr<ZRUlongAttribute> m_pAcceleration;
    std::unique_ptr<ZRUlongAttribute> m_pDeceleration;
    std::array<std::unique_ptr<ZRBoolAttribute>, kSelectLineCount> m_SelectLines;
    std::unique_ptr<ZRBoolAttribute> m_pDefinePosition;
};
