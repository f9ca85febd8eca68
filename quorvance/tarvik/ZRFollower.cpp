#include "quorvance/tarvik/ZRFollower.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZROlbraTwoVal.h"

#include <cmath>
#include <cstdlib>

using namespace tarvik;
using platform::core::Format;

namespace {
// Master count 1 in the low half, follower count 1 in the high half.
constexpr int32_t kOneToOne = 0x00010001;
} // namespace

ZRFollower::ZRFollower()
    : m_pSlewLimitEnable(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pSlewLimit(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pFollowerEnable(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 18)) {
    SetClass(kFollowerType);
    SetVersion(kBlockVersion);
    for (auto& gear : m_Gears)
        gear = std::make_unique<ZRGearAttribute>(GetDevice());
}

ZRFollower::~ZRFollower() = default;

void ZRFollower::Init() {
    ZRObject::Init();
    InitBlock(*this, kFollowerType, "Follower");

    for (int i = 0; i < kPresetCount; ++i) {
        ZRGearAttribute& gear = *m_Gears[i];
        gear.SetObject(this);
        gear.Define(AttributeId(27, i), AttributeId(26, i));
        gear.SetName(Format("Preset %d", i));
        gear.SetValue(kOneToOne);
        AddProperty(&gear);
    }
    BindBool(*m_pSlewLimitEnable, this, AttributeId(param::kSlewLimitEnable), "Slew Limit Enable", "Inactive",
             "Active");
    BindNumber(*m_pSlewLimit, this, AttributeId(29), "Slew Limit", 100000, 0, 2147483647);
    UseScale(*m_pSlewLimit, ModelsOf(this, Model::AuxAccel));
    AddProperty(m_pSlewLimitEnable.get());
    AddProperty(m_pSlewLimit.get());
    BindFlag(*m_pFollowerEnable, this, AttributeId(param::kInputFunctionStates), "Follower Enable");
}

bool ZRFollower::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    // The old ratio keeps the follower's magnitude with a sign flag of its own (slot 26).
    if (const auto* ratio = dynamic_cast<const ZROlbraTwoVal*>(f.GetSlot(3))) {
        const int16_t stored = ratio->GetWord(0);
        const int32_t master = ratio->GetWord(1);
        const int32_t magnitude = std::abs(static_cast<int32_t>(stored));
        const int32_t negative = stored < 0 ? 1 : 0;
        const int32_t follower = negative == f.GetValue(26) ? magnitude : -magnitude;
        // A damaged file must not leave a ratio the drive cannot run (no follower, no master).
        if (master < 1 || follower == 0 || magnitude > 32767) {
            f.AppendLog("Warning: Gear ratio value is out of range. Keeping the preset gear ratios.");
        } else {
            const auto packed = static_cast<int32_t>(static_cast<uint32_t>(follower) << 16) + master;
            for (auto& gear : m_Gears)
                gear->SetInternalValue(packed);
        }
    }
    const double lines = std::trunc(MotorLinesRevolution(this));
    const double x = lines * 4.0 * Unsigned(f.GetValue(27)) / 60.0 + 0.5;
    m_pSlewLimit->SetInternalValue(
        static_cast<uint32_t>(LimitedValue(x, 0, f, "Warning: Slew limit value out of range. Setting to ")));
    return m_pSlewLimitEnable->SetValue(f.GetValue(28) != 0);
}
