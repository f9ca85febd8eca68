#pragma once

#include <cstdint>

// The Zelna family's object type ids and the attribute ids its rules use. Attribute ids are
// class << 16 | parameter number; the blocks Zelna shares with Fenwa keep the Fenwa ids
// (quorvance/fenwa/FenwaIds.h).
namespace zelna {

// Object type ids.
inline constexpr int32_t kDriveType = -136;
inline constexpr int32_t kOperModeType = -135;
inline constexpr int32_t kPresetType = -134;
inline constexpr int32_t kAnalogInType = -133;
inline constexpr int32_t kFollowerType = -132;
inline constexpr int32_t kIndexType = -131;
inline constexpr int32_t kDigInType = -130;
inline constexpr int32_t kDigOutType = -129;
inline constexpr int32_t kScopeType = -128;
inline constexpr int32_t kMotorType = -127;
inline constexpr int32_t kEncoderType = -126;
inline constexpr int32_t kTuningType = -125;
inline constexpr int32_t kAnalogOutType = -124;
inline constexpr int32_t kFaultsType = -123;
inline constexpr int32_t kServiceInfoType = -122;
inline constexpr int32_t kBrokenDriveType = -121;
inline constexpr int32_t kHomingType = -120;

// Attribute ids.
namespace attr {
inline constexpr int32_t kNone = -1; // attributes without an id, told apart by name
inline constexpr int32_t kOperationModes = 0;
inline constexpr int32_t kKvzMotorModel = 1;
inline constexpr int32_t kIntegratorMode = 117;
inline constexpr int32_t kGain = 121;
inline constexpr int32_t kVelocityLimitMode = 213;
inline constexpr int32_t kAqbSwap = 307;
inline constexpr int32_t kAnalogOutSignal1 = 513;
inline constexpr int32_t kAnalogOutSignal2 = 514;
inline constexpr int32_t kAnalogOutScale1 = 515;
inline constexpr int32_t kAnalogOutScale2 = 516;
inline constexpr int32_t kDynamicBrakeCircuitProtection = 605;
inline constexpr int32_t kDriveModel = 700;
inline constexpr int32_t kProductCode = 702;
inline constexpr int32_t kMotorModel = 950;
inline constexpr int32_t kDisplayedUnits = 960;
// Status-bit words.
inline constexpr int32_t kInputStatus = 0x40019;  // current limits, preset selects, ...
inline constexpr int32_t kOutputStatus = 0x4001A; // brake state, limited, near window, ...
inline constexpr int32_t kIndexInputs = 0x4001D;  // home sensor, start, stop, index selects
inline constexpr int32_t kMotionStatus = 0x4001E; // in motion, in dwell, axis homed, ...
inline constexpr int32_t kAutoStartIndexing = 0x60000;
inline constexpr int32_t kEnableSoftwareLimits = 0x60004;
inline constexpr int32_t kHomingTypeSelection = 0x60064;
inline constexpr int32_t kAutoStartHomingOnEnable = 0x60065;
inline constexpr int32_t kHomeSensorPolarity = 0x6006A;
} // namespace attr

} // namespace zelna
