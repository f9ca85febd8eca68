#include "quorvance/tarvik/ZRFollower.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRGearAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"

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
