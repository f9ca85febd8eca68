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

// Positions of the drive node's and the placeholder node's sub-menus in the Fenwa node menu.
inline constexpr int kDriveSubMenu = 0;
inline constexpr int kBrokenSubMenu = 14;

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
} // namespace attr

} // namespace fenwa
