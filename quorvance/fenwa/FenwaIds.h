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
inline constexpr int32_t kIoStatus = 0x4000F;     // input and output states
inline constexpr int32_t kHallStates = 0x40017;
inline constexpr int32_t kCaptureChannelA = 0x5025F; // channels A to D
inline constexpr int32_t kCaptureChannelD = 0x50262;
} // namespace attr

} // namespace fenwa
