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

} // namespace merrix
