#pragma once

#include <cstdint>

// The Merrix family's object type ids, those of its programming tree included.
namespace merrix {

inline constexpr int32_t kJogType = 1;
inline constexpr int32_t kDigInType = 2;
inline constexpr int32_t kDigOutType = 3;
inline constexpr int32_t kScopeType = 4;
inline constexpr int32_t kFileType = 5; // a file in the drive's file system
inline constexpr int32_t kMoveType = 7;
inline constexpr int32_t kProgramType = 8;
inline constexpr int32_t kPositionRegulatorType = 9;
inline constexpr int32_t kVelocityRegulatorType = 10;
inline constexpr int32_t kCurrentRegulatorType = 11;
inline constexpr int32_t kDriveSettingsType = 12;
inline constexpr int32_t kMotorType = 13;
inline constexpr int32_t kEncoderType = 14;
inline constexpr int32_t kAxisType = 15;
inline constexpr int32_t kDriveType = 16;
inline constexpr int32_t kGearType = 17;
inline constexpr int32_t kCamType = 18;
inline constexpr int32_t kGearRatchetType = 19;
inline constexpr int32_t kAnalogInType = 22;
inline constexpr int32_t kAnalogOutType = 23;
inline constexpr int32_t kVariableType = 24;
inline constexpr int32_t kSequencerFrameType = 25;
inline constexpr int32_t kScopeChannelType = 26;
inline constexpr int32_t kCamTableType = 27;
inline constexpr int32_t kEncoderOutputType = 28;
inline constexpr int32_t kProjectType = -199;
inline constexpr int32_t kSourceFileType = -198;
inline constexpr int32_t kHeaderFileType = -197;
inline constexpr int32_t kMotionType = -196;
inline constexpr int32_t kVariablesListType = -195;
inline constexpr int32_t kProjectsFolderBuildType = -194; // a projects folder as constructed
inline constexpr int32_t kProgramsFolderType = -193;
inline constexpr int32_t kAnaInBankType = -192;
inline constexpr int32_t kAnaOutBankType = -191;
inline constexpr int32_t kDigInBankType = -190;
inline constexpr int32_t kDigOutBankType = -189;
inline constexpr int32_t kEncodersType = -185;
inline constexpr int32_t kPlainFileType = -184;
inline constexpr int32_t kBrokenDriveType = -183;
inline constexpr int32_t kProjectsFolderType = -182;
inline constexpr int32_t kGenericFolderFileType = -159; // a file in a generic folder of the drive
inline constexpr int32_t kCamFileType = -155;
inline constexpr int32_t kFaultsType = -154;
inline constexpr int32_t kServiceInfoType = -153;
inline constexpr int32_t kDeviceNetType = -152;

// Attribute ids of the blocks, as the row rules use them. Each block numbers its own attributes,
// so the names live in one namespace per block.
namespace attr {
inline constexpr int32_t kNone = -1; // attributes without an id, told apart by name
inline constexpr int32_t kName = 2;
} // namespace attr

namespace jog {
inline constexpr int32_t kProgramVelocity = 130;
inline constexpr int32_t kProgramDeceleration = 132; // after the acceleration, 131
} // namespace jog

namespace move {
inline constexpr int32_t kProfileDistance = 128; // then velocity, acceleration
inline constexpr int32_t kDeceleration = 131;
} // namespace move

// digital inputs and outputs
namespace point {
inline constexpr int32_t kState = 128;
inline constexpr int32_t kPolarity = 129;
} // namespace point

namespace program {
inline constexpr int32_t kPowerUpMode = 131;
} // namespace program

// position regulator
namespace preg {
inline constexpr int32_t kKp = 128; // Kp, Kpz, Kpz Zone, Ki, Ki Zone, Kff
inline constexpr int32_t kKff = 133;
inline constexpr int32_t kFollowingErrorLimit = 136;
inline constexpr int32_t kFollowingErrorTime = 137;
inline constexpr int32_t kTuningDirection = 161;
inline constexpr int32_t kPeriod = 162;
inline constexpr int32_t kStepSize = 163;
inline constexpr int32_t kLimitStates = 177;
inline constexpr int32_t kMaxDecelDistance = 179;
inline constexpr int32_t kDecelerationRate = 180;
inline constexpr int32_t kPositiveSoftLimit = 184;
inline constexpr int32_t kNegativeSoftLimit = 185;
inline constexpr int32_t kPositiveHardLimit = 186;
inline constexpr int32_t kNegativeHardLimit = 187;
inline constexpr int32_t kSoftLimitsEnable = 188; // then hard and motor limits enable
inline constexpr int32_t kMotorLimitsEnable = 190;
} // namespace preg

// velocity regulator
namespace vreg {
inline constexpr int32_t kP = 128; // P, I, FF, Bandwidth, Upper Limit, Lower Limit
inline constexpr int32_t kLowerLimit = 133;
inline constexpr int32_t kVelocityErrorLimit = 136; // then error time, user velocity fault
inline constexpr int32_t kUserVelocityFault = 138;
inline constexpr int32_t kUserVelocityFaultEnable = 139;
inline constexpr int32_t kTuningDirection = 161;
inline constexpr int32_t kPeriod = 162;
inline constexpr int32_t kStepSize = 163;
inline constexpr int32_t kAutotuningDirection = 192;
inline constexpr int32_t kMaximumDistance = 193; // then maximum velocity, step current
inline constexpr int32_t kStepCurrent = 195;
} // namespace vreg

// current regulator
namespace creg {
inline constexpr int32_t kUserCurrentFault = 160;
inline constexpr int32_t kUserCurrentFaultEnable = 161;
inline constexpr int32_t kSelfSensingCurrent = 184; // then lock time, lock delay
inline constexpr int32_t kLockDelay = 186;
inline constexpr int32_t kMoveDirection = 187;
inline constexpr int32_t kMoveTime = 188;
inline constexpr int32_t kMoveDelay = 189;
} // namespace creg

namespace motor {
inline constexpr int32_t kMotorModel = 129;
inline constexpr int32_t kTotalInertia = 149;
inline constexpr int32_t kTotalMovingMass = 157;
inline constexpr int32_t kMotorEncoderInterpolation = 192;
inline constexpr int32_t kAutoMotorIden = 193;
} // namespace motor

namespace encoder {
inline constexpr int32_t kPolarity = 129;
inline constexpr int32_t kFilter = 130;
inline constexpr int32_t kFaultMode = 136;
} // namespace encoder

namespace axis {
inline constexpr int32_t kEnabled = 128;
} // namespace axis

namespace drive {
inline constexpr int32_t kFirmwareVersion = 129;
inline constexpr int32_t kBootFirmwareVersion = 131;
inline constexpr int32_t kDriveTypeSelection = 133;
inline constexpr int32_t kDigitalIoType = 136;
inline constexpr int32_t kFpgaVersion = 137;
inline constexpr int32_t kFaultBits = 151;     // faults 1 to 32
inline constexpr int32_t kMoreFaultBits = 153; // faults 33 to 64
inline constexpr int32_t kEncoderSignals = 176;
} // namespace drive

namespace gear {
inline constexpr int32_t kGearEnabled = 128;
inline constexpr int32_t kGearRatio = 129;
inline constexpr int32_t kGearSlew = 136;
inline constexpr int32_t kAcceleration = 138;
inline constexpr int32_t kDeceleration = 139;
} // namespace gear

namespace cam {
inline constexpr int32_t kCycleLimit = 147;
} // namespace cam

// gear ratchet
namespace ratchet {
inline constexpr int32_t kRatchetEnabled = 128;
inline constexpr int32_t kNegativeInput = 129; // the four negative-input bits
inline constexpr int32_t kPositiveInput = 130;
} // namespace ratchet

// analog input
namespace anain {
inline constexpr int32_t kScale = 128;
inline constexpr int32_t kOffset = 129;
} // namespace anain

// analog output
namespace anaout {
inline constexpr int32_t kManualValue = 128; // then scale, offset
inline constexpr int32_t kOffset = 130;
inline constexpr int32_t kMode = 132;
inline constexpr int32_t kSource = 133;
} // namespace anaout

// sequencer frame
namespace frame {
inline constexpr int32_t kLoad = 128;
} // namespace frame

// encoder output
namespace encout {
inline constexpr int32_t kMode = 128; // then limit, divider
inline constexpr int32_t kDivider = 130;
} // namespace encout

} // namespace merrix
