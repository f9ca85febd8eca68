#include "quorvance/tarvik/ZRPreset.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

using namespace tarvik;
using platform::core::Format;

ZRPreset::ZRPreset()
    : m_pAccelDecelLimits(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pAcceleration(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pDeceleration(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pDefinePosition(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 16)) {
    SetClass(kPresetType);
    SetVersion(kBlockVersion);
    for (Preset& p : m_Presets) {
        p.velocity = std::make_unique<ZRLongAttribute>(GetDevice(), 4);
        p.current = std::make_unique<ZRLongAttribute>(GetDevice(), 2);
        p.position = std::make_unique<ZRLongAttribute>(GetDevice(), 4);
        p.positionVelocity = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        p.positionAccel = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
        p.positionDecel = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
    }
    for (int i = 0; i < kSelectLineCount; ++i)
        m_SelectLines[i] = std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 8 + i);
}

ZRPreset::~ZRPreset() = default;

void ZRPreset::Init() {
    ZRObject::Init();
    InitBlock(*this, kPresetType, "Preset");

    constexpr double kMax = 2147483647;
    for (int i = 0; i < kPresetCount; ++i) {
        Preset& p = m_Presets[i];
        const std::string name = Format("Preset %d", i);
        BindNumber(*p.velocity, this, AttributeId(91, i), name, 0, -kMax, kMax);
        UseScale(*p.velocity, ModelsOf(this, Model::Velocity), 1);
        BindNumber(*p.current, this, AttributeId(92, i), name, 0, -32767, 32767);
        UseScale(*p.current, ModelsOf(this, Model::Current), 2);
        BindNumber(*p.position, this, AttributeId(13, i), "Position", 0, -kMax, kMax);
        UseScale(*p.position, ModelsOf(this, Model::FBPosition));
        BindNumber(*p.positionVelocity, this, AttributeId(14, i), "Velocity", 100000, 0, kMax);
        UseScale(*p.positionVelocity, ModelsOf(this, Model::FBVelocity), 1);
        BindNumber(*p.positionAccel, this, AttributeId(43, i), "Acceleration", 100000, 0, kMax);
        UseScale(*p.positionAccel, ModelsOf(this, Model::FBAccel));
        BindNumber(*p.positionDecel, this, AttributeId(147, i), "Deceleration", 100000, 0, kMax);
        UseScale(*p.positionDecel, ModelsOf(this, Model::FBAccel));
        AddProperties(*this, {p.velocity.get(), p.current.get(), p.position.get(), p.positionVelocity.get(),
                              p.positionAccel.get(), p.positionDecel.get()});
    }
    BindBool(*m_pAccelDecelLimits, this, AttributeId(param::kPresetAccelDecelLimits), "Accel/Decel Limits",
             "Inactive", "Active", true);
    BindNumber(*m_pAcceleration, this, AttributeId(95), "Acceleration", 100000, 0, kMax);
    UseScale(*m_pAcceleration, ModelsOf(this, Model::Accel));
    BindNumber(*m_pDeceleration, this, AttributeId(96), "Deceleration", 100000, 0, kMax);
    UseScale(*m_pDeceleration, ModelsOf(this, Model::Accel));
    AddProperty(m_pAccelDecelLimits.get());
    AddProperty(m_pAcceleration.get());
    AddProperty(m_pDeceleration.get());

    for (int i = 0; i < kSelectLineCount; ++i)
        BindFlag(*m_SelectLines[i], this, AttributeId(param::kInputFunctionStates),
                 Format("Preset Select Line %d", i));
    BindFlag(*m_pDefinePosition, this, AttributeId(param::kInputFunctionStates), "Define Position");

    // Only the indexing drive runs position presets; elsewhere they are neither read nor stored.
    ZRObject* parent = GetParent();
    if (parent && parent->GetClass() != kOperModesIndexingType) {
        for (Preset& p : m_Presets)
            for (ZRAttribute* a :
                 std::initializer_list<ZRAttribute*>{p.position.get(), p.positionVelocity.get(),
                                                     p.positionAccel.get(), p.positionDecel.get()})
                a->Define(ZRObject::kNoAttribute);
    }
}

bool ZRPreset::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    // Old velocities count encoder lines per minute in 1/65536.
    for (int i = 0; i < kPresetCount; ++i) {
        const double x = f.GetValue(98 + i) * MotorLinesRevolution(this) * 4.0 / (60.0 * 65536.0) + 0.5;
        m_Presets[i].velocity->SetInternalValue(
            LimitedValue(x, -2147483647.0, f, Format("Warning: Preset #%d Velocity value is out of range. Setting to ", i)));
        m_Presets[i].current->SetInternalValue(f.GetValue(106 + i));
    }
    const double accel = Unsigned(f.GetValue(118)) * MotorLinesRevolution(this) * 4.0 / 60.0 + 0.5;
    m_pAcceleration->SetInternalValue(static_cast<uint32_t>(
        LimitedValue(accel, 0, f, "Warning: Preset Acceleration limit value is out of range. Setting to ")));
    const double decel = Unsigned(f.GetValue(119)) * MotorLinesRevolution(this) * 4.0 / 60.0 + 0.5;
    m_pDeceleration->SetInternalValue(static_cast<uint32_t>(
        LimitedValue(decel, 0, f, "Warning: Preset deceleration limit value is out of range. Setting to ")));
    return m_pAccelDecelLimits->SetValue(f.GetValue(117) != 0);
}
