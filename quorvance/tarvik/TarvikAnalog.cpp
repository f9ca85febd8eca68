#include "quorvance/tarvik/TarvikAnalog.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>
#include <string>

using namespace tarvik;

namespace {

constexpr double kMaxLimit = 2147483647.0;

// The display value of a motor attribute, 0 without a motor or a number.
double MotorValue(ZRUlongAttribute* (ZRMotorTarvik::*get)() const, ZRObject* block) {
    auto* drive = dynamic_cast<ZRDrive*>(DriveOf(block));
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;
    ZRUlongAttribute* attribute = motor ? (motor->*get)() : nullptr;
    const double value = attribute ? attribute->GetValue() : 0.0;
    return std::isfinite(value) ? value : 0.0;
}

// value x 1000 / divisor, rounded and held within +-bound with the warning's "Setting to" line.
// A divisor of 0 has no scale to give: the block keeps its default, logged like a value too small.
int32_t ScaledCommand(double value, double divisor, int32_t bound, int32_t fallback, ZROlbraConverter& file,
                      const std::string& warning) {
    if (divisor == 0) {
        file.AppendLog(warning + "min allowed.");
        return fallback;
    }
    const double x = std::trunc(value * 1000.0 / divisor + 0.5);
    if (x < -bound) {
        file.AppendLog(warning + "min allowed.");
        return -bound;
    }
    if (x > bound) {
        file.AppendLog(warning + "max allowed.");
        return bound;
    }
    return static_cast<int32_t>(x);
}

// An old acceleration (revolutions per minute per second) in counts per second squared.
uint32_t AccelOf(int32_t bits, double lines, ZROlbraConverter& file, const std::string& warning) {
    const double x = static_cast<uint32_t>(bits) * lines * 4.0 / 60.0 + 0.5;
    if (x > kMaxLimit) {
        file.AppendLog(warning);
        return static_cast<uint32_t>(kMaxLimit);
    }
    return x > 0 ? static_cast<uint32_t>(x) : 0;
}

} // namespace

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

bool TarvikAnalog::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    if (f.GetFormatVersion() >= 6) {
        m_pPositionScale->SetInternalValue(f.GetValue(298));
        m_pPositionOffset->SetValue(f.GetValue(297));
    }
    m_pVelocityOffset->SetValue(f.GetValue(79));
    const double maxSpeed = MotorValue(&ZRMotorTarvik::GetMaximumSpeed, this);
    m_pVelocityScale->SetInternalValue(
        ScaledCommand(f.GetValue(80), maxSpeed, 200, 100, f,
                      "Warning: Analog Velocity Command Scale value is out of range. Setting to "));
    m_pCurrentOffset->SetValue(f.GetValue(81));
    double current = 0.0;
    if (auto* drive = dynamic_cast<ZRDrive*>(DriveOf(this)))
        current = drive->GetDrivePeakCurrent();
    const double intermittent = MotorValue(&ZRMotorTarvik::GetIntermittentCurrent, this);
    if (current > intermittent)
        current = intermittent;
    m_pCurrentScale->SetInternalValue(
        ScaledCommand(f.GetValue(82), std::trunc(current * 256.0), 400, 100, f,
                      "Warning: Analog Torque Command Scale value is out of range. Setting to "));
    const double lines = MotorValue(&ZRMotorTarvik::GetLinesRevolution, this);
    m_pAccelLimit->SetInternalValue(
        AccelOf(f.GetValue(115), lines, f,
                "Warning: Analog Acceleration limit value is out of range. Setting to max allowed."));
    m_pDecelLimit->SetInternalValue(
        AccelOf(f.GetValue(116), lines, f,
                "Warning: Analog Deceleration limit value is out of range. Setting to max allowed."));
    return m_pAccelDecelLimits->SetValue(f.GetValue(114) != 0);
}
