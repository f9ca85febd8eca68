#include "quorvance/merrix/MerrixFamily.h"

#include "quorvance/merrix/MerrixCommands.h"
#include "quorvance/merrix/MerrixIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"

// Merrix attributes are keyed by their whole id, each block numbering its own.
namespace {

using namespace rowrule;
using namespace merrix;
using attr::kName;
using attr::kNone;
using Kind = ZRRowKind;

ZRRowChoice JogRow(const ZRRowQuery& q) {
    return Row(Between(q.id, jog::kProgramVelocity, jog::kProgramDeceleration) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice DigitalPointRow(const ZRRowQuery& q) {
    if (q.id == point::kState) // the state lamp, titled with the point's name
        return ZRRowChoice{Kind::Bool, kRowOwnerNameHeader, 0, 0};
    return Row(q.id == point::kPolarity ? Kind::Choice : Kind::Edit);
}

ZRRowChoice MoveRow(const ZRRowQuery& q) {
    return Row(Between(q.id, move::kProfileDistance, move::kDeceleration) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice ProgramRow(const ZRRowQuery& q) {
    return Row(q.id == program::kPowerUpMode ? Kind::Choice : Kind::AsString);
}

ZRRowChoice PositionRegulatorRow(const ZRRowQuery& q) {
    using namespace preg;
    const int32_t id = q.id;
    if (id == kNone || Between(id, kSoftLimitsEnable, kMotorLimitsEnable))
        return Row(Kind::BoolEdit);
    if (Between(id, kKp, kKff) ||
        In(id, {kFollowingErrorLimit, kFollowingErrorTime, kPeriod, kStepSize, kMaxDecelDistance,
                kDecelerationRate, kPositiveSoftLimit, kNegativeSoftLimit}))
        return EditOrText(q.status);
    if (In(id, {kTuningDirection, kPositiveHardLimit, kNegativeHardLimit}))
        return Row(Kind::Choice);
    return Row(id == kLimitStates ? Kind::Bool : Kind::AsString);
}

ZRRowChoice VelocityRegulatorRow(const ZRRowQuery& q) {
    using namespace vreg;
    const int32_t id = q.id;
    if (Between(id, kP, kLowerLimit) || Between(id, kVelocityErrorLimit, kUserVelocityFault) ||
        In(id, {kPeriod, kStepSize}) || Between(id, kMaximumDistance, kStepCurrent))
        return EditOrText(q.status);
    if (id == kUserVelocityFaultEnable)
        return Row(Kind::BoolEdit);
    return Row(In(id, {kTuningDirection, kAutotuningDirection}) ? Kind::Choice : Kind::AsString);
}

ZRRowChoice CurrentRegulatorRow(const ZRRowQuery& q) {
    using namespace creg;
    if (In(q.id, {kUserCurrentFault, kMoveTime, kMoveDelay}) ||
        Between(q.id, kSelfSensingCurrent, kLockDelay))
        return EditOrText(q.status);
    if (In(q.id, {kUserCurrentFaultEnable, kMoveDirection}))
        return Row(q.status ? Kind::AsString : Kind::BoolEdit);
    return Row(Kind::AsString);
}

ZRRowChoice DriveSettingsRow(const ZRRowQuery& q) {
    return Row(q.name == "Series" && q.writable ? Kind::Choice : Kind::AsString);
}

ZRRowChoice MotorRow(const ZRRowQuery& q) {
    using namespace motor;
    if (q.id == kMotorModel)
        return Row(Kind::MotorChoice);
    if (In(q.id, {kTotalInertia, kTotalMovingMass}))
        return EditOrText(q.status);
    if (q.id == kMotorEncoderInterpolation)
        return Row(Kind::Choice);
    return Row(q.id == kAutoMotorIden ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice EncoderRow(const ZRRowQuery& q) {
    if (In(q.id, {encoder::kPolarity, encoder::kFilter}))
        return Row(Kind::BoolEdit);
    return Row(q.id == encoder::kFaultMode ? Kind::Choice : Kind::AsString);
}

ZRRowChoice AxisRow(const ZRRowQuery& q) {
    return Row(q.id == axis::kEnabled ? Kind::Bool : Kind::AsString);
}

ZRRowChoice DriveRow(const ZRRowQuery& q) {
    using namespace drive;
    const int32_t id = q.id;
    if (id == kName)
        return Row(Kind::Edit);
    if (id == kNone) {
        if (q.name == "Drive Type")
            return Row(Kind::Choice);
        return Row(q.name == "Drive Address" ? Kind::AsString : Kind::Edit);
    }
    if (In(id, {kFirmwareVersion, kBootFirmwareVersion, kFpgaVersion}))
        return Row(Kind::Version);
    if (In(id, {kDriveTypeSelection, kDigitalIoType}))
        return Row(Kind::Choice);
    return Row(In(id, {kFaultBits, kMoreFaultBits, kEncoderSignals}) ? Kind::Bool : Kind::AsString);
}

ZRRowChoice GearRow(const ZRRowQuery& q) {
    using namespace gear;
    if (q.id == kGearEnabled)
        return Row(Kind::Bool);
    if (In(q.id, {kGearRatio, kAcceleration, kDeceleration}))
        return Row(Kind::Edit);
    return Row(q.id == kGearSlew ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice CamRow(const ZRRowQuery& q) {
    return Row(q.id == cam::kCycleLimit ? Kind::Edit : Kind::AsString);
}

ZRRowChoice GearRatchetRow(const ZRRowQuery& q) {
    using namespace ratchet;
    if (q.id == kRatchetEnabled)
        return Row(Kind::Bool);
    return Row(In(q.id, {kNegativeInput, kPositiveInput}) ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice AnalogInRow(const ZRRowQuery& q) {
    return Row(In(q.id, {kName, anain::kScale, anain::kOffset}) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice AnalogOutRow(const ZRRowQuery& q) {
    using namespace anaout;
    if (q.id == kName || Between(q.id, kManualValue, kOffset))
        return Row(Kind::Edit);
    if (q.id == kMode)
        return Row(Kind::BoolEdit);
    return Row(q.id == kSource ? Kind::Channel : Kind::AsString);
}

ZRRowChoice VariableRow(const ZRRowQuery& q) {
    return Row(q.id == kName ? Kind::Edit : Kind::VarValue);
}

ZRRowChoice SequencerFrameRow(const ZRRowQuery& q) {
    return Row(q.id == frame::kLoad ? Kind::Progress : Kind::AsString);
}

ZRRowChoice ReadOnlyRow(const ZRRowQuery&) {
    return Row(Kind::AsString);
}

ZRRowChoice EncoderOutputRow(const ZRRowQuery& q) {
    return Row(Between(q.id, encout::kMode, encout::kDivider) ? Kind::Choice : Kind::AsString);
}

ZRRowChoice DeviceNetRow(const ZRRowQuery& q) {
    if (q.id == kNone && q.writable)
        return Row(q.name == "Node Address" ? Kind::Edit : Kind::Choice);
    return Row(Kind::AsString);
}

// The motor-model, channel and variable-value rows come with the block classes.
constexpr ZRRowRule kRowRules[] = {
    {kJogType, &JogRow},
    {kDigInType, &DigitalPointRow},
    {kDigOutType, &DigitalPointRow},
    {kMoveType, &MoveRow},
    {kProgramType, &ProgramRow},
    {kPositionRegulatorType, &PositionRegulatorRow},
    {kVelocityRegulatorType, &VelocityRegulatorRow},
    {kCurrentRegulatorType, &CurrentRegulatorRow},
    {kDriveSettingsType, &DriveSettingsRow},
    {kMotorType, &MotorRow},
    {kEncoderType, &EncoderRow},
    {kAxisType, &AxisRow},
    {kDriveType, &DriveRow},
    {kGearType, &GearRow},
    {kCamType, &CamRow},
    {kGearRatchetType, &GearRatchetRow},
    {kAnalogInType, &AnalogInRow},
    {kAnalogOutType, &AnalogOutRow},
    {kVariableType, &VariableRow},
    {kSequencerFrameType, &SequencerFrameRow},
    {kCamTableType, &ReadOnlyRow},
    {kEncoderOutputType, &EncoderOutputRow},
    {kDeviceNetType, &DeviceNetRow},
};

constexpr ZRMenuEntry kMenuEntries[] = {
    {ZRFamilyMenu::Insert, 2, ID_INSERT_MERRIX, "&Merrix Drive"},
    {ZRFamilyMenu::OffLineRoot, 4, ID_INSERT_MERRIX, "Insert &Merrix"},
};

} // namespace

void RegisterMerrix(ZRFamilyRegistry& families) {
    // Object kinds register here as their classes land, e.g. {kMotorType, &ZRMakeObject<ZRMotorMerrix>}.
    families.AddRowRules(kRowRules);
    families.AddMenuEntries(kMenuEntries);
}
