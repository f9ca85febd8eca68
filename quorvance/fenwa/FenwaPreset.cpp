#include "quorvance/fenwa/FenwaPreset.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"

class ZRScale;
class ZRUnits;

namespace {} // namespace

FenwaPreset::FenwaPreset() {
    SetClass(fenwa::kPresetType);
    SetVersion(fenwa::kObjectVersion);
    for (auto& preset : m_Presets)
        preset = std::make_unique<ZRLongAttribute>(GetDevice(), 4);
}

FenwaPreset::~FenwaPreset() = default;

void FenwaPreset::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kPresetType, "Preset");
    // Every preset shows its value in the drive's velocity scale and units.
    const fenwa::ScaleUnits models = fenwa::ModelsOf(this, fenwa::Model::Velocity);
    for (int i = 0; i < kPresetCount; ++i) {
        ZRLongAttribute& preset = *m_Presets[i];
        preset.SetObject(this);
        preset.Define(fenwa::attr::kPresetVelocity1 + i);
        preset.SetName(platform::core::Format("Preset Velocity %d", i + 1));
        preset.SetValue(0);
        fenwa::StoredRange(preset, -5000, 5000);
        if (models.scale)
            preset.SetScaleObject(models.scale);
        if (models.units)
            preset.SetUnitsObject(models.units);
        AddProperty(&preset);
    }
}

ZRLongAttribute* FenwaPreset::GetPresetAttribute(int index) const {
    return index >= 0 && index < kPresetCount ? m_Presets[static_cast<size_t>(index)].get() : nullptr;
}
