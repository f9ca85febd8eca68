#include "quorvance/zelna/ZelnaFamily.h"

#include "kitbase/ui/ZRBoolRow.h"
#include "quorvance/fenwa/FenwaFamily.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/zelna/ZelnaCommands.h"
#include "quorvance/zelna/ZelnaIds.h"

namespace {

using namespace rowrule;
using namespace zelna;
using namespace zelna::attr;
using Kind = ZRRowKind;

ZRRowChoice DriveRow(const ZRRowQuery& q) {
    if (In(q.id, {kOperationModes, kKvzMotorModel, kVelocityLimitMode, kDisplayedUnits}))
        return Row(Kind::Choice);
    if (In(q.id, {kInputStatus, kOutputStatus, kIndexInputs, kMotionStatus}))
        return Lamp(ZRBoolRow::kFalseBitmap, ZRBoolRow::kTrueBitmap);
    if (q.id == kEnableSoftwareLimits)
        return Row(Kind::BoolEdit);
    if (q.id == kNone) {
        if (Named(q.name, {"Fault and Disable Braking", "Baudrate", "Frame Format", "Protocol",
                           "Communication Method", "MODBUS Run Function Control", "MODBUS Input Function Control",
                           "Encoder Backup Battery", "Velocity Observer", "Excessive Speed Error Monitor",
                           "Emergency Stop Input", "Motor over-temperature detection", "AC Line Loss Check",
                           "Incremental Feedback Loss"}))
            return Row(Kind::Choice);
        if (Named(q.name, {"Within Speed Window", "Within Position Window", "Up to Speed", "Positive Overtravel",
                           "Negative Overtravel", "Enabled"}))
            return Row(Kind::Bool);
        if (Named(q.name, {"Command Polarity", "Acceleration Limits", "Over Travel Stop Method", "Auto Motor Iden"}))
            return Row(Kind::BoolEdit);
    }
    return EditOrText(q.status);
}

ZRRowChoice FollowerRow(const ZRRowQuery& q) {
    if (q.id == kNone)
        return Row(Named(q.name, {"1st Gear Ratio", "2nd Gear Ratio"}) ? Kind::Edit : Kind::Choice);
    return EditOrText(q.status);
}

ZRRowChoice IndexRow(const ZRRowQuery& q) {
    // These two are fields of the index options, whatever their id.
    if (Named(q.name, {"Mode", "Action When Complete"}))
        return Row(Kind::Choice);
    if (q.id == kMotionStatus)
        return Row(Kind::Bool);
    return q.id == kAutoStartIndexing ? Row(Kind::BoolEdit) : EditOrText(q.status);
}

ZRRowChoice DigInRow(const ZRRowQuery& q) {
    return FenwaDigInRow(q, Kind::Choice);
}

ZRRowChoice MotorRow(const ZRRowQuery& q) {
    if (q.id == kNone)
        return Row(Kind::BoolEdit);
    if (q.id == kKvzMotorModel)
        return Row(Kind::Choice);
    return q.id == kMotorModel ? Row(Kind::MotorChoice) : EditOrText(q.status);
}

ZRRowChoice TuningRow(const ZRRowQuery& q) {
    if (In(q.id, {kIntegratorMode, kGain}))
        return Row(Kind::Choice);
    if (q.id == kNone)
        return Row(Named(q.name, {"Adaptive Tuning Response", "Off-Line Tuning Mode",
                                  "On-Line Vibration Suppression Mode", "On-Line Vibration Suppression Gain",
                                  "Velocity Command Filter on Follower", "Gain Change Enable",
                                  "Mode of Gain Switching"})
                       ? Kind::Choice
                       : Kind::Edit);
    return EditOrText(q.status);
}

static_assert(kAnalogOutSignal2 == kAnalogOutSignal1 + 1 && kAnalogOutScale1 == kAnalogOutSignal1 + 2 &&
              kAnalogOutScale2 == kAnalogOutSignal1 + 3);
ZRRowChoice AnalogOutRow(const ZRRowQuery& q) {
    return FenwaAnalogOutRow(q, kAnalogOutSignal1);
}

ZRRowChoice ServiceInfoRow(const ZRRowQuery& q) {
    if (q.status)
        return Row(Kind::AsString);
    if (In(q.id, {kDriveModel, kProductCode}) || Named(q.name, {"Drive Model", "Product Code"}))
        return Row(Kind::Choice);
    if (In(q.id, {kAqbSwap, kDynamicBrakeCircuitProtection}) ||
        Named(q.name, {"AQB Swap", "Dynamic Brake Circuit Protection"}))
        return Row(Kind::BoolEdit);
    return Row(Kind::Edit);
}

ZRRowChoice HomingRow(const ZRRowQuery& q) {
    if (q.id == kMotionStatus)
        return Row(Kind::Bool);
    if (In(q.id, {kHomingTypeSelection, kAutoStartHomingOnEnable}))
        return Row(Kind::Choice);
    return q.id == kHomeSensorPolarity ? Row(Kind::BoolEdit) : EditOrText(q.status);
}

// The motor-model and channel rows come with the block classes.
constexpr ZRRowRule kRowRules[] = {
    {kDriveType, &DriveRow},         {kPresetType, &EditOrTextRule},        {kAnalogInType, &EditOrTextRule},
    {kFollowerType, &FollowerRow},   {kIndexType, &IndexRow},         {kDigInType, &DigInRow},
    {kDigOutType, &FenwaDigOutRow},  {kMotorType, &MotorRow},         {kEncoderType, &FenwaEncoderRow},
    {kTuningType, &TuningRow},       {kAnalogOutType, &AnalogOutRow}, {kFaultsType, &FenwaFaultsRow},
    {kServiceInfoType, &ServiceInfoRow}, {kHomingType, &HomingRow},
};

constexpr ZRMenuEntry kMenuEntries[] = {
    {ZRFamilyMenu::Insert, 4, ID_INSERT_ZELNA, "&Zelna Drive"},
    {ZRFamilyMenu::Tools, 3, ID_ZELNA_HOST_COMMANDS, "&Zelna Host Commands..."},
    {ZRFamilyMenu::OffLineRoot, 1, ID_INSERT_ZELNA, "Insert &Zelna"},
};

} // namespace

void RegisterZelna(ZRFamilyRegistry& families) {
    // Object kinds register here as their classes land, e.g. {kMotorType, &ZRMakeObject<ZelnaMotor>}.
    families.AddRowRules(kRowRules);
    families.AddMenuEntries(kMenuEntries);
}
