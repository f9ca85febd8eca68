// The drive's conversion of an older-family parameter file: product type, its blocks, its own
// settings.
#include "quorvance/tarvik/ZRDrive.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRRangeValidation.h"
#include "kitbase/model/ZRScale.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikParChoice.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <string>

namespace {

// Older-family value slots the drive itself reads.
enum Slot : int {
    kInPositionSizeSlot = 22,
    kInPositionTimeSlot = 23,
    kPositionScaleSlot = 13,
    kVelocityScaleSlot = 14,
    kAccelScaleSlot = 15,
    kZeroSpeedSlot = 32,
    kSpeedWindowSlot = 33,
    kUpToSpeedSlot = 35,
    kForwardLimitSlot = 42,
    kReverseLimitSlot = 43,
    kDriveAddressSlot = 94,
    kModeSlot = 96,
    kModeVariantSlot = 97,
    kAccelerationSlot = 137,
    kForwardDirSlot = 197,
    kOverrideSlot = 213,
    kOverrideVariantSlot = 214,
    kBroadcastSlot = 325,
    kNameSlot = 331,
    kPositionLabelSlot = 332,
    kVelocityLabelSlot = 333,
    kAccelLabelSlot = 334,
};

constexpr int32_t kMaxDriveAddress = 253;
constexpr const char* kOutOfRange = " value is out of range. Setting to ";

// The older mode pair as the drive's "Operation Mode" option value; -1 for a pair no mode has.
int32_t ModeValue(int32_t a, int32_t b) {
    switch (a) {
    case 0:
        return b == 0 ? 0 : b == 1 ? 1 : 2;
    case 1:
        return b == 0 ? 2 : 3;
    default:
        return a >= 2 && a <= 7 ? a + 2 : -1;
    }
}

// The file's bits of a single-precision number.
double FloatSlot(ZROlbraConverter& file, int slot) {
    return std::bit_cast<float>(static_cast<uint32_t>(file.GetValue(slot)));
}

// A user-units factor: one the drive cannot take (0, beyond its range, no number) keeps the
// default on both encoders, with a warning.
void SetFactor(ZROlbraConverter& file, double factor, const char* what, ZRFloatAttribute& motor,
               ZRFloatAttribute& aux) {
    if (!(factor >= ZRDrive::kMinUserFactor && factor <= ZRDrive::kMaxUserFactor)) {
        file.AppendLog(std::string("Warning: ") + what + " value is out of range. Keeping the default.");
        return;
    }
    motor.SetValue(static_cast<float>(factor));
    aux.SetValue(static_cast<float>(factor));
}

void SetLabel(const std::string& text, ZRStringAttribute& motor, ZRStringAttribute& aux) {
    motor.SetValue(text);
    aux.SetValue(text);
}

// A display value that the attribute's size and range take; any other keeps the old value without
// a word, as an entry the attribute refuses would.
void SetShown(ZRUlongAttribute& attribute, double shown) {
    double internal = shown;
    if (ZRScale* scale = attribute.GetScaleObject(); scale && !scale->UnscaleValue(internal))
        return;
    internal = std::floor(internal * attribute.GetScale() + 0.5);
    const double sizeMax = std::ldexp(1.0, 8 * attribute.GetDataSize()) - 1;
    const ZRRangeValidation* range = attribute.GetRangeValidation();
    if (!(internal >= 0 && internal <= sizeMax) ||
        (range && !(internal >= range->GetMin() && internal <= range->GetMax())))
        return;
    attribute.SetInternalValue(static_cast<uint32_t>(internal));
}

// A speed or acceleration in feedback counts, rounded and held within the 32-bit range.
void SetCounts(ZROlbraConverter& file, double counts, const char* what, ZRUlongAttribute& attribute) {
    attribute.SetInternalValue(
        static_cast<uint32_t>(tarvik::LimitedValue(counts + 0.5, 0, file, std::string("Warning: ") + what + kOutOfRange)));
}

// A current limit in percent of the current base; without a base the default stays.
void SetCurrentLimit(ZROlbraConverter& file, int32_t old, double base, const char* what, ZRUlongAttribute& attribute) {
    const std::string warning = std::string("Warning: ") + what + " current limit";
    if (!(base > 0) || !std::isfinite(base)) {
        file.AppendLog(warning + " cannot be converted without a current rating. Keeping the default.");
        return;
    }
    const double percent = 100.0 * old / (128.0 * base);
    uint32_t value = 100;
    if (percent > 100) {
        file.AppendLog(warning + kOutOfRange + "max allowed.");
    } else if (percent + 0.5 < 0) {
        file.AppendLog(warning + kOutOfRange + "min allowed.");
        value = 0;
    } else {
        value = static_cast<uint32_t>(percent + 0.5);
    }
    attribute.SetInternalValue(value);
}

} // namespace

void ZRDrive::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        throw ZRError(0, "");
    ZROlbraConverter& f = *file;
    if (!f.IsOlbraFile() && f.IsSercosModel()) {
        f.AppendLog("Error: Calto Sercos is not supported.");
        throw ZRError(0, "");
    }
    // A file without a name keeps the drive's own.
    if (const std::string& name = f.GetText(kNameSlot); !name.empty())
        GetName().SetValue(name);

    uint32_t flags = kDrivePresent | kFirmwareValid;
    if (f.IsDeviceNetModel()) {
        ListDeviceNet(false);
        flags |= kDeviceNetPresent;
    }
    flags |= f.IsIndexingModel() ? kIndexingDrive : kStandardDrive;
    if (f.IsSercosModel())
        flags |= kSercosDrive;
    SetProductType(flags);

    // The drive size is checked first: a file refused there must not leave a custom motor behind
    // in the motor database.
    m_pServiceInfo->ImportParValues(file);
    m_pMotor->ImportParValues(file);
    m_pDigIn->ImportParValues(file);
    m_pDigOut->ImportParValues(file);
    m_pAnalogOut->ImportParValues(file);
    m_pOperMode->ImportParValues(file);
    m_pTuning->ImportParValues(file);
    m_pEncoders->ImportParValues(file);
    m_pFaults->ImportParValues(file);
    ImportOwnParValues(f);
}

void ZRDrive::ImportOwnParValues(ZROlbraConverter& f) {
    const double lines = std::trunc(tarvik::MotorLinesRevolution(m_pMotor));
    const double base = std::min(GetDrivePeakCurrent(), m_pMotor->GetIntermittentCurrent()->GetValue());

    SetFactor(f, 1.0 / FloatSlot(f, kPositionScaleSlot), "Position scale", m_PositionScaleValue,
              m_AuxPositionScaleValue);
    SetLabel(f.GetText(kPositionLabelSlot), m_PositionLabel, m_AuxPositionLabel);
    SetFactor(f, FloatSlot(f, kVelocityScaleSlot) * 4.0 * lines / 60.0, "Velocity scale", m_VelocityScaleValue,
              m_AuxVelocityScaleValue);
    SetLabel(f.GetText(kVelocityLabelSlot), m_VelocityLabel, m_AuxVelocityLabel);
    SetFactor(f, FloatSlot(f, kAccelScaleSlot) * 4.0 * lines / 60.0, "Acceleration scale", m_AccelerationScaleValue,
              m_AuxAccelerationScaleValue);
    SetLabel(f.GetText(kAccelLabelSlot), m_AccelerationLabel, m_AuxAccelerationLabel);

    int32_t address = f.GetValue(kDriveAddressSlot);
    if (address > kMaxDriveAddress) {
        f.AppendLog("Warning: Drive address is out of range. Setting to max allowed.");
        address = kMaxDriveAddress;
    }
    SetShown(m_DriveAddress, address);

    tarvik::SelectStored(f, m_OperationMode, ModeValue(f.GetValue(kModeSlot), f.GetValue(kModeVariantSlot)));
    SetCounts(f, f.GetValue(kAccelerationSlot) * 4.0 * lines / 60.0, "Acceleration", m_Acceleration);
    m_MotorForwardDir.SetValue(f.GetValue(kForwardDirSlot) != 0);
    SetShown(m_InPositionSize, f.GetValue(kInPositionSizeSlot));
    SetShown(m_InPositionTime, f.GetValue(kInPositionTimeSlot));

    const double perSpeed = 4.0 * lines / (60.0 * 65536.0);
    SetCounts(f, f.GetValue(kZeroSpeedSlot) * perSpeed, "Zero speed limit", m_ZeroSpeed);
    SetCounts(f, f.GetValue(kSpeedWindowSlot) * perSpeed, "Speed window size", m_SpeedWindow);
    SetCounts(f, f.GetValue(kUpToSpeedSlot) * perSpeed, "Up to Speed velocity", m_UpToSpeed);

    SetCurrentLimit(f, f.GetValue(kForwardLimitSlot), base, "Forward", m_Positive);
    SetCurrentLimit(f, f.GetValue(kReverseLimitSlot), base, "Reverse", m_Negative);

    if (f.GetFormatVersion() >= 6)
        tarvik::SelectStored(f, m_OperModeOverride,
                             ModeValue(f.GetValue(kOverrideSlot), f.GetValue(kOverrideVariantSlot)));
    if (f.GetFormatVersion() >= 8)
        SetShown(m_BroadcastAddress, f.GetValue(kBroadcastSlot));
    m_DisplayedUnits.SetAsString(f.GetFlagBit() ? "Metric" : "User");

    f.AppendLog("Warning! The following parameters are not supported:");
    if (!f.IsOlbraFile()) {
        f.AppendLog("- Velocity Update Rate");
        f.AppendLog("- Repair History");
    }
    for (const char* unsupported : {"- Bemf Constant (Ke)", "- Torque Scale Value", "- Torque Scale Text",
                                    "- Current Feedforward", "- Disable PWM Switching", "- Motor Invert Rotation Flag",
                                    "- Fault actions"})
        f.AppendLog(unsupported);
    f.AppendLog("Warning: Using Tarvik default communication settings.");
}
