#include "quorvance/fenwa/FenwaAnalog.h"

#include "kitbase/model/ZRLongAttribute.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaStorage.h"

using namespace fenwa::attr;

namespace {

struct CommandText {
    const char* command;
    const char* data;
};
constexpr CommandText kCommandTexts[FenwaAnalog::kCommandCount] = {
    {"TAT", "03"}, {"TAT", "04"}, {"TMN", "02"}, {"TMN", "01"},
    {"TMN", "05"}, {"TMN", "04"}, {"TMN", "03"}, {"TMN", "06"},
};

// A 4-byte value: shown = stored / factor, with its units and decimals.
void Define(ZRLongAttribute& a, ZRObject* owner, int32_t id, const char* name, const char* units,
            double factor, int precision) {
    a.SetObject(owner);
    a.Define(id);
    a.SetName(name);
    if (units)
        a.SetUnits(units);
    a.SetScale(factor);
    a.SetPrecision(precision);
}

void ReadOnly(ZRLongAttribute& a) {
    a.SetWritable(false);
}

} // namespace

FenwaAnalog::FenwaAnalog() {
    SetClass(fenwa::kAnalogInType);
    SetVersion(fenwa::kObjectVersion);
    for (auto* slot :
         {&m_pVelocityScale, &m_pCurrentScale, &m_pVelocityOffset, &m_pCurrentOffset,
          &m_pMeasuredVelocityOffset, &m_pMeasuredCurrentOffset, &m_pCommandVelocity, &m_pCommandCurrent})
        *slot = std::make_unique<ZRLongAttribute>(GetDevice(), 4);
    for (auto& command : m_Commands)
        command = std::make_unique<FenwaCommand>(GetDevice());
}

FenwaAnalog::~FenwaAnalog() = default;

void FenwaAnalog::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kAnalogInType, "Analog");
    using fenwa::Id;
    using fenwa::cls::kParameter;

    Define(*m_pVelocityScale, this, Id(kParameter, kAnalogVelocityScale), "Velocity Scale", nullptr, 1, 0);
    fenwa::StoredRange(*m_pVelocityScale, 100, 20000);
    BindVelocityScale();
    Define(*m_pCurrentScale, this, Id(kParameter, kAnalogCurrentScale), "Current Scale",
           "% motor rated cont. current/Volt", 10, 1);
    fenwa::StoredRange(*m_pCurrentScale, 0, 1000);
    m_pCurrentScale->SetValue(33.3);
    Define(*m_pVelocityOffset, this, Id(kParameter, kVelocityCommandOffset), "Velocity Command Offset", "mV",
           10, 1);
    fenwa::StoredRange(*m_pVelocityOffset, -10000, 10000);
    m_pVelocityOffset->SetInternalValue(0);
    Define(*m_pCurrentOffset, this, Id(kParameter, kCurrentCommandOffset), "Current Command Offset", "mV", 10,
           1);
    fenwa::StoredRange(*m_pCurrentOffset, -10000, 10000);
    m_pCurrentOffset->SetInternalValue(0);
    Define(*m_pMeasuredVelocityOffset, this, kMeasuredVelocityOffset, "Velocity Command Offset", "millivolts",
           10, 0);
    ReadOnly(*m_pMeasuredVelocityOffset);
    m_pMeasuredVelocityOffset->SetInternalValue(0);
    Define(*m_pMeasuredCurrentOffset, this, kMeasuredCurrentOffset, "Current Command Offset", "millivolts",
           10, 0);
    ReadOnly(*m_pMeasuredCurrentOffset);
    m_pMeasuredCurrentOffset->SetInternalValue(0);
    Define(*m_pCommandVelocity, this, kAnalogCommandVelocity, "Analog Command - Velocity", "Volts", 100, 2);
    ReadOnly(*m_pCommandVelocity);
    Define(*m_pCommandCurrent, this, kAnalogCommandCurrent, "Analog Command - Current", "Volts", 100, 2);
    ReadOnly(*m_pCommandCurrent);

    AddProperty(m_pVelocityScale.get());
    AddProperty(m_pCurrentScale.get());
    AddProperty(m_pVelocityOffset.get());
    AddProperty(m_pCurrentOffset.get());
    AddStatus(m_pMeasuredCurrentOffset.get());
    AddStatus(m_pMeasuredVelocityOffset.get());

    for (int i = 0; i < kCommandCount; ++i) {
        FenwaCommand& command = *m_Commands[i];
        command.SetObject(this);
        command.SetCommand(kCommandTexts[i].command, kCommandTexts[i].data, FenwaStorage::UntilTok);
        AddCommand(&command);
    }
}

void FenwaAnalog::BindVelocityScale() {
    const fenwa::ScaleUnits models = fenwa::ModelsOf(this, fenwa::Model::AnalogVelocity);
    if (models.scale)
        m_pVelocityScale->SetScaleObject(models.scale);
    if (models.units)
        m_pVelocityScale->SetUnitsObject(models.units);
    // Given in the drive's analog velocity units.
    m_pVelocityScale->SetValue(500);
}
