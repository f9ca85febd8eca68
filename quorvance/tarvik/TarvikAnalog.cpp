#include "quorvance/tarvik/TarvikAnalog.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"

using namespace tarvik;

TarvikAnalog::TarvikAnalog()
    : m_pVelocityScale(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pVelocityOffset(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pCurrentScale(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pCurrentOffset(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pPositionScale(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pPositionOffset(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pAccelDecelLimits(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pAccelLimit(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pDecelLimit(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pAnalogCommandIn(std::make_unique<ZRLongAttribute>(GetDevice(), 2)),
      m_pRemoveCommandOffset(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 28)) {
    SetClass(kAnalogInType);
    SetVersion(kBlockVersion);
}

TarvikAnalog::~TarvikAnalog() = default;

void TarvikAnalog::Init() {
    ZRObject::Init();
    InitBlock(*this, kAnalogInType, "Analog");

    BindNumber(*m_pVelocityScale, this, AttributeId(280), "Velocity Scale", 100, -200, 200);
    UseScale(*m_pVelocityScale, ModelsOf(this, Model::AnalogVelocity));
    BindNumber(*m_pVelocityOffset, this, AttributeId(71), "Velocity Offset", 0, -10000, 10000);
    m_pVelocityOffset->SetUnits("millivolts");
    BindNumber(*m_pCurrentScale, this, AttributeId(281), "Current Scale", 100, -400, 400);
    m_pCurrentScale->SetUnits("Amps/Volt");
    UseScale(*m_pCurrentScale, {ModelsOf(this, Model::AnalogCurrent).scale, nullptr});
    BindNumber(*m_pCurrentOffset, this, AttributeId(73), "Current Offset", 0, -10000, 10000);
    m_pCurrentOffset->SetUnits("millivolts");
    BindNumber(*m_pPositionScale, this, AttributeId(40), "Position Scale", 1000, -32767, 32767);
    m_pPositionScale->SetUnits("counts/Volt");
    UseScale(*m_pPositionScale, ModelsOf(this, Model::AnalogPosition));
    BindNumber(*m_pPositionOffset, this, AttributeId(41), "Position Offset", 0, -10000, 10000);
    m_pPositionOffset->SetUnits("millivolts");
    BindBool(*m_pAccelDecelLimits, this, AttributeId(param::kAnalogAccelDecelLimits), "Accel/Decel Limits",
             "Inactive", "Active");
    BindNumber(*m_pAccelLimit, this, AttributeId(93), "Accel Limit", 100000, 0, 2147483647);
    UseScale(*m_pAccelLimit, ModelsOf(this, Model::Accel));
    BindNumber(*m_pDecelLimit, this, AttributeId(94), "Decel Limit", 100000, 0, 2147483647);
    UseScale(*m_pDecelLimit, ModelsOf(this, Model::Accel));
    BindNumber(*m_pAnalogCommandIn, this, AttributeId(param::kAnalogCommandIn), "Analog Command In", 0);
    m_pAnalogCommandIn->SetUnits("millivolts");
    m_pAnalogCommandIn->SetWritable(false);
    BindFlag(*m_pRemoveCommandOffset, this, AttributeId(param::kDriveStatus), "Remove Command Offset");

    AddProperties(*this, {m_pVelocityScale.get(), m_pVelocityOffset.get(), m_pCurrentScale.get(),
                          m_pCurrentOffset.get(), m_pPositionScale.get(), m_pPositionOffset.get(),
                          m_pAccelDecelLimits.get(), m_pAccelLimit.get(), m_pDecelLimit.get()});
    AddStatus(m_pAnalogCommandIn.get());
}

void TarvikAnalog::Copy(ZRObject* source, bool withChildren) {
    auto* other = dynamic_cast<TarvikAnalog*>(source);
    if (!other)
        return;
    // A scale this drive cannot hold would leave a half-copied block: check all three first.
    const std::pair<ZRLongAttribute*, ZRLongAttribute*> scales[] = {
        {other->m_pPositionScale.get(), m_pPositionScale.get()},
        {other->m_pVelocityScale.get(), m_pVelocityScale.get()},
        {other->m_pCurrentScale.get(), m_pCurrentScale.get()},
    };
    for (const auto& [from, to] : scales) {
        from->Refresh(false);
        if (!to->Validate(from->GetAsString()))
            return;
    }
    ZRObject::Copy(source, true);
    (void)withChildren;
}
