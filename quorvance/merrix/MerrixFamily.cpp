#include "quorvance/merrix/MerrixFamily.h"

#include "quorvance/merrix/MerrixIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"

// Merrix attributes are keyed by their whole id. The ids are the blocks' own attribute numbers;
// they get their names with the block classes.
namespace {

using namespace rowrule;
using namespace merrix;
using Kind = ZRRowKind;

ZRRowChoice JogRow(const ZRRowQuery& q) {
    return Row(Between(q.id, 130, 132) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice DigitalPointRow(const ZRRowQuery& q) {
    if (q.id == 128) // the state lamp, titled with the point's name
        return ZRRowChoice{Kind::Bool, kRowOwnerNameHeader, 0, 0};
    return Row(q.id == 129 ? Kind::Choice : Kind::Edit);
}

ZRRowChoice MoveRow(const ZRRowQuery& q) {
    return Row(Between(q.id, 128, 131) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice ProgramRow(const ZRRowQuery& q) {
    return Row(q.id == 131 ? Kind::Choice : Kind::AsString);
}

ZRRowChoice PositionRegulatorRow(const ZRRowQuery& q) {
    const int32_t id = q.id;
    if (id == -1 || Between(id, 188, 190))
        return Row(Kind::BoolEdit);
    if (Between(id, 128, 133) || In(id, {136, 137, 162, 163, 179, 180, 184, 185}))
        return EditOrText(q.status);
    if (In(id, {161, 186, 187}))
        return Row(Kind::Choice);
    return Row(id == 177 ? Kind::Bool : Kind::AsString);
}

ZRRowChoice VelocityRegulatorRow(const ZRRowQuery& q) {
    const int32_t id = q.id;
    if (Between(id, 128, 133) || Between(id, 136, 138) || In(id, {162, 163}) || Between(id, 193, 195))
        return EditOrText(q.status);
    if (id == 139)
        return Row(Kind::BoolEdit);
    return Row(In(id, {161, 192}) ? Kind::Choice : Kind::AsString);
}

ZRRowChoice CurrentRegulatorRow(const ZRRowQuery& q) {
    if (In(q.id, {160, 184, 185, 186, 188, 189}))
        return EditOrText(q.status);
    if (In(q.id, {161, 187}))
        return Row(q.status ? Kind::AsString : Kind::BoolEdit);
    return Row(Kind::AsString);
}

ZRRowChoice DriveSettingsRow(const ZRRowQuery& q) {
    return Row(q.name == "Series" && q.writable ? Kind::Choice : Kind::AsString);
}

ZRRowChoice MotorRow(const ZRRowQuery& q) {
    if (q.id == 129)
        return Row(Kind::MotorChoice);
    if (In(q.id, {149, 157}))
        return EditOrText(q.status);
    if (q.id == 192)
        return Row(Kind::Choice);
    return Row(q.id == 193 ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice EncoderRow(const ZRRowQuery& q) {
    if (In(q.id, {129, 130}))
        return Row(Kind::BoolEdit);
    return Row(q.id == 136 ? Kind::Choice : Kind::AsString);
}

ZRRowChoice AxisRow(const ZRRowQuery& q) {
    return Row(q.id == 128 ? Kind::Bool : Kind::AsString);
}

ZRRowChoice DriveRow(const ZRRowQuery& q) {
    const int32_t id = q.id;
    if (id == 2)
        return Row(Kind::Edit);
    if (id == -1) {
        if (q.name == "Drive Type")
            return Row(Kind::Choice);
        return Row(q.name == "Drive Address" ? Kind::AsString : Kind::Edit);
    }
    if (In(id, {129, 131, 137}))
        return Row(Kind::Version);
    if (In(id, {133, 136}))
        return Row(Kind::Choice);
    return Row(In(id, {151, 153, 176}) ? Kind::Bool : Kind::AsString);
}

ZRRowChoice GearRow(const ZRRowQuery& q) {
    if (q.id == 128)
        return Row(Kind::Bool);
    if (In(q.id, {129, 138, 139}))
        return Row(Kind::Edit);
    return Row(q.id == 136 ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice CamRow(const ZRRowQuery& q) {
    return Row(q.id == 147 ? Kind::Edit : Kind::AsString);
}

ZRRowChoice GearRatchetRow(const ZRRowQuery& q) {
    if (q.id == 128)
        return Row(Kind::Bool);
    return Row(In(q.id, {129, 130}) ? Kind::BoolEdit : Kind::AsString);
}

ZRRowChoice AnalogInRow(const ZRRowQuery& q) {
    return Row(In(q.id, {2, 128, 129}) ? Kind::Edit : Kind::AsString);
}

ZRRowChoice AnalogOutRow(const ZRRowQuery& q) {
    if (q.id == 2 || Between(q.id, 128, 130))
        return Row(Kind::Edit);
    if (q.id == 132)
        return Row(Kind::BoolEdit);
    return Row(q.id == 133 ? Kind::Channel : Kind::AsString);
}

ZRRowChoice VariableRow(const ZRRowQuery& q) {
    return Row(q.id == 2 ? Kind::Edit : Kind::VarValue);
}

ZRRowChoice SequencerFrameRow(const ZRRowQuery& q) {
    return Row(q.id == 128 ? Kind::Progress : Kind::AsString);
}

ZRRowChoice ReadOnlyRow(const ZRRowQuery&) {
    return Row(Kind::AsString);
}

ZRRowChoice EncoderOutputRow(const ZRRowQuery& q) {
    return Row(Between(q.id, 128, 130) ? Kind::Choice : Kind::AsString);
}

ZRRowChoice DeviceNetRow(const ZRRowQuery& q) {
    if (q.id == -1 && q.writable)
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

} // namespace

void RegisterMerrix(ZRFamilyRegistry& families) {
    // Object kinds register here as their classes land, e.g. {kMotorType, &ZRMakeObject<ZRMotorMerrix>}.
    families.AddRowRules(kRowRules);
}
