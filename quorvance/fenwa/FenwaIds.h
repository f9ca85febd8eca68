#pragma once

#include <cstdint>

// The Fenwa family's object type ids and the attribute ids its rules use. Attribute ids are
// class << 16 | parameter number.
namespace fenwa {

// Object type ids.
inline constexpr int32_t kDriveType = -151;
inline constexpr int32_t kOperModeType = -150;
inline constexpr int32_t kPresetType = -149;
inline constexpr int32_t kAnalogInType = -148;
inline constexpr int32_t kFollowerType = -147;
inline constexpr int32_t kDigInType = -146;
inline constexpr int32_t kDigOutType = -145;
inline constexpr int32_t kScopeType = -144;
inline constexpr int32_t kMotorType = -143;
inline constexpr int32_t kEncoderType = -142;
inline constexpr int32_t kTuningType = -141;
inline constexpr int32_t kAnalogOutType = -140;
inline constexpr int32_t kFaultsType = -139;
inline constexpr int32_t kServiceInfoType = -138;
inline constexpr int32_t kBrokenDriveType = -137;

// Attribute id of a class and a parameter number.
constexpr int32_t Id(uint16_t cls, uint16_t number) {
    return static_cast<int32_t>(static_cast<uint32_t>(cls) << 16 | number);
}

// Attribute classes: what a storage call means on the wire.
namespace cls {
inline constexpr uint16_t kParameter = 0; // "SET" / "CHP"
inline constexpr uint16_t kStatus = 1;    // "STS"
inline constexpr uint16_t kType = 2;      // "TYP"
inline constexpr uint16_t kVersion = 3;   // "VER"
inline constexpr uint16_t kMonitor = 4;   // "MDM"
inline constexpr uint16_t kStored = 5;    // "SET" / "STR" ... "TOK"
} // namespace cls

// Attribute ids.
namespace attr {
inline constexpr int32_t kNone = -1; // attributes without an id, told apart by name
inline constexpr int32_t kOperationModes = 0;
inline constexpr int32_t kIntegratorMode = 110;
inline constexpr int32_t kGain = 114;
inline constexpr int32_t kVelocityLimitMode = 213;
inline constexpr int32_t kAnalogOutSignal1 = 512;
inline constexpr int32_t kAnalogOutSignal2 = 513;
inline constexpr int32_t kAnalogOutScale1 = 514;
inline constexpr int32_t kAnalogOutScale2 = 515;
inline constexpr int32_t kDriveModel = 700;
inline constexpr int32_t kMotorModel = 950;
inline constexpr int32_t kDisplayedUnits = 960;
inline constexpr int32_t kIoStatus = 0x4000F; // input and output states
inline constexpr int32_t kHallStates = 0x40017;
inline constexpr int32_t kCaptureChannelA = 0x5025F; // channels A to D
inline constexpr int32_t kCaptureChannelD = 0x50262;

// The drive's own parameters.
inline constexpr int32_t kPrm001 = 0x001;
inline constexpr int32_t kPr002 = 0x002;
inline constexpr int32_t kDriveAddress = 0x00D;
inline constexpr int32_t kSavePowerup = 0x5000D;
inline constexpr int32_t kVelocityCommand = 0x0C9;
inline constexpr int32_t kAccelerationTime = 0x0CA;
inline constexpr int32_t kDecelerationTime = 0x0CB;
inline constexpr int32_t kSCurveTime = 0x0CC;
inline constexpr int32_t kManualVelocityLimit = 0x0D4;
inline constexpr int32_t kPr300 = 0x12C;
inline constexpr int32_t kPositiveInternal = 0x191;
inline constexpr int32_t kNegativeInternal = 0x192;
inline constexpr int32_t kPositiveExternal = 0x193;
inline constexpr int32_t kNegativeExternal = 0x194;
inline constexpr int32_t kMaximumStoppingCurrent = 0x195;
inline constexpr int32_t kInitialCurrentBias = 0x196;
inline constexpr int32_t kInPositionSize = 0x1F4;
inline constexpr int32_t kNearPositionSize = 0x1F5;
inline constexpr int32_t kSpeedWindow = 0x1F6;
inline constexpr int32_t kUpToSpeed = 0x1F7;
inline constexpr int32_t kZeroClamp = 0x1F8;
inline constexpr int32_t kDisableDelay = 0x1FA;
inline constexpr int32_t kBrakingApplicationSpeed = 0x1FC;
inline constexpr int32_t kDriveName = 0x3B7;
inline constexpr int32_t kPositionScale = 0x3B8;
inline constexpr int32_t kPositionLabel = 0x3B9;
inline constexpr int32_t kVelocityScale = 0x3BA;
inline constexpr int32_t kVelocityLabel = 0x3BB;
inline constexpr int32_t kAccelerationScale = 0x3BC;
inline constexpr int32_t kAccelerationLabel = 0x3BD;
inline constexpr int32_t kStatuses = 0x10000;
inline constexpr int32_t kTypeText = 0x20000;
inline constexpr int32_t kFirmwareVersion = 0x30000;
inline constexpr int32_t kPositionCommandFrequency = 0x40007;
inline constexpr int32_t kCommutationAngle = 0x40008;
inline constexpr int32_t kMechanicalAngle = 0x40009;
inline constexpr int32_t kShuntPowerLimitRatio = 0x4000A;
inline constexpr int32_t kBusVoltage = 0x4000B;
inline constexpr int32_t kAbsoluteRotations = 0x4000C;
inline constexpr int32_t kOutputPower = 0x40019;
inline constexpr int32_t kOutputPowerLimitRatio = 0x4001A;
inline constexpr int32_t kShuntPower = 0x4001B;
inline constexpr int32_t kDriveUtilization = 0x4001C;

// Operation modes: the preset velocities and the follower's gear ratio counts.
inline constexpr int32_t kPresetVelocity1 = 0x0CD; // presets 1 to 7 follow on
inline constexpr int32_t kGearRatioFollowerCounts = 0x12D;
inline constexpr int32_t kGearRatioMasterCounts = 0x12E;
} // namespace attr

// Analog input, analog outputs, digital inputs and digital outputs.
namespace attr {
inline constexpr int32_t kInputAssignment1 = 0x005;  // "Pr-0.05" to "Pr-0.09"
inline constexpr int32_t kOutputAssignment1 = 0x00A; // "Pr-0.10" to "Pr-0.12"
inline constexpr int32_t kAnalogVelocityScale = 0x0C8;
inline constexpr int32_t kAnalogCurrentScale = 0x190;
inline constexpr int32_t kBrakeInactiveDelay = 0x1F9;
inline constexpr int32_t kBrakeActiveDelay = 0x1FB;
inline constexpr int32_t kVelocityCommandOffset = 0x258;
inline constexpr int32_t kCurrentCommandOffset = 0x259;
inline constexpr int32_t kMeasuredVelocityOffset = 0x4000D;
inline constexpr int32_t kMeasuredCurrentOffset = 0x4000E;
inline constexpr int32_t kAnalogCommandVelocity = 0x40014;
inline constexpr int32_t kAnalogCommandCurrent = 0x40015;
// The tuning block's parameters and loop values.
inline constexpr int32_t kOnlineTuning = 0x003;
inline constexpr int32_t kTuningP = 0x065;
inline constexpr int32_t kIntegratorTime = 0x066;
inline constexpr int32_t kTuningKp = 0x067;
inline constexpr int32_t kCurrentLowPass = 0x068;
inline constexpr int32_t kVelocityLowPass = 0x069;
inline constexpr int32_t kResonantSuppression = 0x06B;
inline constexpr int32_t kKff = 0x06C;
inline constexpr int32_t kKffLowPass = 0x06D;
inline constexpr int32_t kIntegratorHoldThreshold = 0x06F;
inline constexpr int32_t kHighErrorOutputOffset = 0x070;
inline constexpr int32_t kHighErrorOutputThreshold = 0x071;
inline constexpr int32_t kTuningD = 0x25C;
inline constexpr int32_t kVRegP = 0x263;
inline constexpr int32_t kVRegIntegratorTime = 0x264;
inline constexpr int32_t kPRegKp = 0x265;
inline constexpr int32_t kIRegLowPass = 0x266;
inline constexpr int32_t kVRegLowPass = 0x267;
inline constexpr int32_t kFeedbackVelocity = 0x40000;
inline constexpr int32_t kCommandVelocity = 0x40001;
inline constexpr int32_t kVelocityError = 0x40002;
inline constexpr int32_t kCommandCurrent = 0x40003;
inline constexpr int32_t kFollowerPosition = 0x40004;
inline constexpr int32_t kMasterPosition = 0x40005;
inline constexpr int32_t kPositionError = 0x40006;
inline constexpr int32_t kUPhaseCurrent = 0x40010;
inline constexpr int32_t kVPhaseCurrent = 0x40011;
inline constexpr int32_t kWPhaseCurrent = 0x40012;
inline constexpr int32_t kFeedbackCurrent = 0x40016;
inline constexpr int32_t kMotorFeedbackPosition = 0x40018;
// Encoder, faults, service-information and scope blocks.
inline constexpr int32_t kOutputRatioOutputCounts = 0x12F;
inline constexpr int32_t kOutputRatioMotorCounts = 0x130;
inline constexpr int32_t kFollowingErrorLimit = 0x1FD;
inline constexpr int32_t kAcLineLossFaultDelay = 0x1FE;
inline constexpr int32_t kExternalShuntCapacity = 0x1FF;
inline constexpr int32_t kUPhaseCurrentOffset = 0x25A;
inline constexpr int32_t kWPhaseCurrentOffset = 0x25B;
inline constexpr int32_t kErrorFilterBandwidth = 0x25D;
inline constexpr int32_t kCaptureSamplePeriod = 0x5025E;
inline constexpr int32_t kDcBusVoltageOffset = 0x2BD;
inline constexpr int32_t kRegenerativeCurrentOffset = 0x2BE;
inline constexpr int32_t kAnalogOutput1Offset = 0x2BF;
inline constexpr int32_t kAnalogOutput1Scale = 0x2C0;
inline constexpr int32_t kAnalogOutput2Offset = 0x2C1;
inline constexpr int32_t kAnalogOutput2Scale = 0x2C2;
inline constexpr int32_t kDcBusAdcCalibration = 0x2C3;
inline constexpr int32_t kScopeSetup = 0x3BE;
inline constexpr int32_t kScopeScales = 0x3BF;
} // namespace attr

// The motor block's parameters.
namespace attr {
inline constexpr int32_t kInertiaRatio = 0x004;
inline constexpr int32_t kMotorFlag = 0x384;
inline constexpr int32_t kMotorTypeId = 0x385; // Rotary, Linear, Induction
inline constexpr int32_t kResistance = 0x386;
inline constexpr int32_t kInductance = 0x387;
inline constexpr int32_t kIntermittentCurrent = 0x388;
inline constexpr int32_t kContinuousCurrent = 0x389;
inline constexpr int32_t kRatedVoltage = 0x38A;
inline constexpr int32_t kEncoderId = 0x38B;
inline constexpr int32_t kHallInputOffset = 0x38C;
inline constexpr int32_t kTorqueConstant = 0x38D;
inline constexpr int32_t kInertia = 0x38E;
inline constexpr int32_t kPolesRevolution = 0x38F;
inline constexpr int32_t kLinesRevolution = 0x390;
inline constexpr int32_t kMaximumSpeedRotary = 0x391; // RPM
inline constexpr int32_t kForceConstant = 0x392;
inline constexpr int32_t kMass = 0x393;
inline constexpr int32_t kElectricalCycle = 0x394;
inline constexpr int32_t kLinesMeter = 0x395;
inline constexpr int32_t kMaximumSpeedLinear = 0x396; // Meters/Sec
inline constexpr int32_t kSoftwareProtection = 0x397;
inline constexpr int32_t kIntegralThermostat = 0x398;
inline constexpr int32_t kRthWE = 0x399;
inline constexpr int32_t kCthWE = 0x39A;
inline constexpr int32_t kRthWA = 0x39B;
inline constexpr int32_t kCthWA = 0x39C;
inline constexpr int32_t kCommutationId = 0x39D;
inline constexpr int32_t kSinusoidalStartup = 0x39E;
inline constexpr int32_t kIntegralLimits = 0x39F;
inline constexpr int32_t kMotorTemperature = 0x40013;
} // namespace attr

} // namespace fenwa
