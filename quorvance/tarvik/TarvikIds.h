#pragma once

#include <cstdint>

// The Tarvik family's object type ids and the parameter numbers its rules use.
namespace tarvik {

// Object type ids.
inline constexpr int32_t kOperModesIndexingType = -180; // with indexing and homing children
inline constexpr int32_t kOperModesType = -179;
inline constexpr int32_t kIndexingDriveType = -178;
inline constexpr int32_t kStandardDriveType = -177;
// Product type bit of a SERCOS drive.
inline constexpr uint32_t kProductSercos = 0x20;
inline constexpr int32_t kAnalogInType = -176;
inline constexpr int32_t kPresetType = -175;
inline constexpr int32_t kFollowerType = -174;
inline constexpr int32_t kIndexingType = -173;
inline constexpr int32_t kHomingType = -172;
inline constexpr int32_t kMotorType = -171;
inline constexpr int32_t kTuningType = -170;
inline constexpr int32_t kEncodersType = -169;
inline constexpr int32_t kDigInType = -168;
inline constexpr int32_t kDigOutType = -167;
inline constexpr int32_t kAnalogOutType = -166;
inline constexpr int32_t kFaultsType = -165;
inline constexpr int32_t kScopeType = -164;
inline constexpr int32_t kServiceInfoType = -163;
inline constexpr int32_t kMonitorType = -161;
inline constexpr int32_t kBrokenDriveType = -160;
inline constexpr int32_t kDeviceNetType = -156;

// Parameter numbers: bits 16-24 of an attribute id (the low 16 bits are the array index).
namespace param {
// Identity and service information.
inline constexpr int32_t kFirmwareVersion = 2;
inline constexpr int32_t kPicsNumber = 150;
inline constexpr int32_t kDriveSize = 151;
inline constexpr int32_t kTimeInService = 154;
inline constexpr int32_t kDriveModel = 282;
inline constexpr int32_t kFirmwareBuildNumber = 377;
inline constexpr int32_t kUpaRevision = 470;
// Drive.
inline constexpr int32_t kZeroSpeed = 34;
inline constexpr int32_t kOperModeOverride = 67;
inline constexpr int32_t kBaudRate = 80;
inline constexpr int32_t kFrameFormat = 81;
inline constexpr int32_t kOperationMode = 90;
inline constexpr int32_t kFaultState = 117;
inline constexpr int32_t kAnalogCommandIn = 122;
inline constexpr int32_t kAuxiliaryPosition = 127;
inline constexpr int32_t kBusVoltage = 139;
inline constexpr int32_t kDisplayedUnits = 158;
inline constexpr int32_t kMotorForwardDir = 171;
inline constexpr int32_t kCommutationAngle = 188;
inline constexpr int32_t kEnableSoftLimits = 221;
inline constexpr int32_t kDriveTemperature = 264;
inline constexpr int32_t kPosnComparePolarity = 350; // the compare type on newer firmware
inline constexpr int32_t kPositionRollover = 404;
inline constexpr int32_t kSingleTurnAbsolute = 455;
// Bit words shown as lamps.
inline constexpr int32_t kInputFunctionStates = 186; // enable, overtravel inputs, integrator inhibit, ...
inline constexpr int32_t kDriveStatus = 207;         // enabled, in position, at home, ...
inline constexpr int32_t kFaultStatus = 116;         // faults 1 to 32
inline constexpr int32_t kFaultStatus2 = 414;        // faults 33 and up
inline constexpr int32_t kInputStates = 118;
inline constexpr int32_t kOutputStates = 119;
inline constexpr int32_t kEncoderSignals = 148;
// Numbers the rules keep that no block defines today.
inline constexpr int32_t kReservedChoice = 131;
inline constexpr int32_t kReservedStatus = 115;
inline constexpr int32_t kReservedStatus2 = 187;
inline constexpr int32_t kReservedTuning = 452;
// Analog input and output, presets, follower.
inline constexpr int32_t kAnalogAccelDecelLimits = 168;
inline constexpr int32_t kPresetAccelDecelLimits = 169;
inline constexpr int32_t kSlewLimitEnable = 30;
inline constexpr int32_t kAnalogOutSignal = 75;
inline constexpr int32_t kAnalogOutValue = 125;
// Indexing.
inline constexpr int32_t kAutoStartIndexing = 88;
inline constexpr int32_t kIndexMode = 174;
inline constexpr int32_t kIndexDistance = 175;
inline constexpr int32_t kIndexBatchCount = 181;
inline constexpr int32_t kIndexActionWhenComplete = 182;
inline constexpr int32_t kIndexNext = 183;
inline constexpr int32_t kAbortIndexDecel = 185;
inline constexpr int32_t kIndexAbsoluteDirection = 454;
// Homing.
inline constexpr int32_t kAutoStartHomingOnEnable = 196;
inline constexpr int32_t kHomeType = 197;
inline constexpr int32_t kHomeSensorBackOff = 202;
inline constexpr int32_t kHomeSensorPolarity = 203;
// Motor.
inline constexpr int32_t kSelfSensingCurrent = 120;
inline constexpr int32_t kMotorModel = 235;
inline constexpr int32_t kTotalMovingMass = 287;
inline constexpr int32_t kAutoMotorIden = 345;
// Tuning.
inline constexpr int32_t kKp = 17; // Kp, Ki, Kd, Kvff, Ki Zone
inline constexpr int32_t kKiZone = 21;
inline constexpr int32_t kP = 31; // P, I, D
inline constexpr int32_t kD = 33;
inline constexpr int32_t kFilterBandwidth = 45;
inline constexpr int32_t kFilterEnable = 46;
inline constexpr int32_t kKpd = 50; // Kpd, Kpq, Kiq, Kid, Ke
inline constexpr int32_t kKe = 54;
inline constexpr int32_t kKaff = 451;
// Encoders.
inline constexpr int32_t kMarkerOutputGating = 28;
inline constexpr int32_t kPositionFeedbackSource = 44;
inline constexpr int32_t kEncoderDivider = 89;
inline constexpr int32_t kMotorFeedbackPosition = 126;
inline constexpr int32_t kMotorEncoderInterpolation = 237;
inline constexpr int32_t kEncoderOutputSignal = 238;
inline constexpr int32_t kMaximumOutputFrequency = 239;
inline constexpr int32_t kLinesPerMeter = 255;
inline constexpr int32_t kLinesPerRevolution = 256;
inline constexpr int32_t kEncoderRatioHigh = 257;
inline constexpr int32_t kEncoderType = 259;
inline constexpr int32_t kEncoderTemperature = 399;
// Digital inputs and outputs.
inline constexpr int32_t kInputAssignments = 105;
inline constexpr int32_t kBrakeActiveDelay = 69;
inline constexpr int32_t kBrakeInactiveDelay = 70;
inline constexpr int32_t kOutputAssignments = 206;
// Faults.
inline constexpr int32_t kUserVelocityFaultEnable = 271;
// DeviceNet.
inline constexpr int32_t kEnableBehavior = 42;
inline constexpr int32_t kLogicCommandMask = 87;
inline constexpr int32_t kNodeAddress = 352;
inline constexpr int32_t kDataRate = 353;
inline constexpr int32_t kIoReceiveSelect = 354;
inline constexpr int32_t kChangeOfStateMask = 355;
inline constexpr int32_t kIdleFaultAction = 356;
inline constexpr int32_t kCommFaultAction = 357;
inline constexpr int32_t kFaultedLogicCommand = 358;
inline constexpr int32_t kPollTransmitSelect = 360;
inline constexpr int32_t kCosCyclicTransmitSelect = 361;
// Message layer and device.
inline constexpr int32_t kPowerUpError = 1;
inline constexpr int32_t kFactoryReset = 4;
inline constexpr int32_t kResetDrive = 106;
inline constexpr int32_t kEnableState = 107; // read 1 = enabled; the service "01" enables, "00" disables
inline constexpr int32_t kHostLink = 457;    // written 2 (or 1) when the host takes the drive on the link
inline constexpr int32_t kFirmwareVersionWord = 467;
// Firmware download into a drive without usable firmware.
inline constexpr int32_t kUpgradeModeOld = 212; // firmware up to 1.43.0
inline constexpr int32_t kEraseFlash = 213;
inline constexpr int32_t kProgramFlash = 214;
inline constexpr int32_t kUpgradeModeNew = 471; // firmware from 1.43.1 on
} // namespace param


// Encoders, motor, digital I/O, analog output and scope blocks.
namespace param {
inline constexpr int32_t kEncoderRatioLow = 258;
inline constexpr int32_t kEncoderSine = 195;
inline constexpr int32_t kEncoderCosine = 262;
inline constexpr int32_t kEncoderSerialPort = 384;
inline constexpr int32_t kEncoderInterfaceType = 385;
inline constexpr int32_t kResetEncoder = 386;
inline constexpr int32_t kEncoderAddress = 387;
inline constexpr int32_t kEncoderParameter388 = 388;
inline constexpr int32_t kWriteEncoderMemory = 389;
inline constexpr int32_t kEncoderMemoryState = 391;
inline constexpr int32_t kEncoderMemorySetup = 392;
inline constexpr int32_t kConfigureEncoderMemory = 393;
inline constexpr int32_t kEncoderCommutationOffset = 396;
inline constexpr int32_t kSmartEncoderType = 397;
inline constexpr int32_t kEncoderIdentity = 402;
inline constexpr int32_t kEncoderTestStatus = 405;
inline constexpr int32_t kEncoderTestDistance = 406;
inline constexpr int32_t kEncoderTestControl = 407;
inline constexpr int32_t kEncoderTestResults = 408;
inline constexpr int32_t kMarkerPosition = 409;
inline constexpr int32_t kEncoderConnections = 410;
inline constexpr int32_t kEncoderTestCurrent = 411;
inline constexpr int32_t kMeasuredFeedbackResolution = 412;
inline constexpr int32_t kExpectedFeedbackResolution = 413;
// Motor.
inline constexpr int32_t kMotorLinesPerRevolution = 55;
inline constexpr int32_t kMaximumSpeedRotary = 56;
inline constexpr int32_t kIntermittentCurrent = 57;
inline constexpr int32_t kContinuousCurrent = 58;
inline constexpr int32_t kTorqueConstant = 59;
inline constexpr int32_t kInertia = 60;
inline constexpr int32_t kResistance = 61;
inline constexpr int32_t kInductance = 62;
inline constexpr int32_t kIntegralThermostat = 63;
inline constexpr int32_t kCommutation = 64;
inline constexpr int32_t kPolesPerRevolution = 65;
inline constexpr int32_t kHallInputOffset = 66;
inline constexpr int32_t kMotorTemperature = 146;
inline constexpr int32_t kMotorFlag = 149;
inline constexpr int32_t kSoftwareProtection = 170;
inline constexpr int32_t kMotorTypeParam = 222;
inline constexpr int32_t kMotorEncoder = 223;
inline constexpr int32_t kSinusoidalStartup = 224;
inline constexpr int32_t kMotorLinesPerMeter = 225;
inline constexpr int32_t kForceConstant = 226;
inline constexpr int32_t kElectricalCycle = 227;
inline constexpr int32_t kMass = 228;
inline constexpr int32_t kFluxSaturation = 229;
inline constexpr int32_t kMaximumSpeedLinear = 230;
inline constexpr int32_t kRthWA = 231;
inline constexpr int32_t kRthWE = 232;
inline constexpr int32_t kCthWA = 233;
inline constexpr int32_t kCthWE = 234;
inline constexpr int32_t kRatedVoltage = 236;
inline constexpr int32_t kIntegralLimits = 269;
inline constexpr int32_t kMotorParameterSource = 344;
inline constexpr int32_t kGearBox = 446;
inline constexpr int32_t kGearRatioNumerator = 447;
inline constexpr int32_t kGearRatioDenominator = 448;
// Digital outputs.
inline constexpr int32_t kOutputOverride = 68; // modes in bits 0-4, override states in bits 8-12
// DeviceNet.
inline constexpr int32_t kDeviceNetInputs = 86;
// Analog output.
inline constexpr int32_t kAnalogOutOffset = 76;
inline constexpr int32_t kAnalogOutScale = 77;
inline constexpr int32_t kAnalogOutOverrideMode = 78;
inline constexpr int32_t kAnalogOutOverrideValue = 79;
inline constexpr int32_t kAnalogOutScale32 = 456;
// Oscilloscope.
inline constexpr int32_t kScopeInputSignal = 159;
inline constexpr int32_t kScopeTriggerSource = 160;
inline constexpr int32_t kScopeSamplePeriod = 161;
inline constexpr int32_t kScopeTriggerMode = 162;
inline constexpr int32_t kScopeTriggerThreshold = 163;
inline constexpr int32_t kScopeArmTrigger = 164;
inline constexpr int32_t kScopeTriggerStatus = 165;
inline constexpr int32_t kScopeData16 = 166;
inline constexpr int32_t kScopeData32 = 265;
inline constexpr int32_t kScopeScale = 439;
inline constexpr int32_t kScopeOffset = 440;
inline constexpr int32_t kScopeScaleType = 449;
inline constexpr int32_t kScopeSamplesPerDivision = 450;
inline constexpr int32_t kScopeTriggerPosition = 463;
} // namespace param

// Operation-mode blocks, tuning, faults and service information.
namespace param {
inline constexpr int32_t kIndexNumber = 184;
inline constexpr int32_t kProductType = 0;
} // namespace param

// Help topics: each node's own and its property window's, then the nodes' other windows. The
// windows' icons are the program's (ZRImages).
inline constexpr unsigned long kHelpTopicBrokenDrive = 1064;
inline constexpr unsigned long kHelpTopicDrive = 1065;
inline constexpr unsigned long kHelpTopicDriveProps = 1082;
inline constexpr unsigned long kHelpTopicServiceInfo = 1066;
inline constexpr unsigned long kHelpTopicServiceInfoProps = 1112;
inline constexpr unsigned long kHelpTopicOperModes = 1067;
inline constexpr unsigned long kHelpTopicAnalog = 1068;
inline constexpr unsigned long kHelpTopicAnalogProps = 1084;
inline constexpr unsigned long kHelpTopicPreset = 1069;
inline constexpr unsigned long kHelpTopicPresetProps = 1085;
inline constexpr unsigned long kHelpTopicFollower = 1070;
inline constexpr unsigned long kHelpTopicFollowerProps = 1086;
inline constexpr unsigned long kHelpTopicIndexing = 1071;
inline constexpr unsigned long kHelpTopicIndexingProps = 1087;
inline constexpr unsigned long kHelpTopicHoming = 1072;
inline constexpr unsigned long kHelpTopicHomingProps = 1088;
inline constexpr unsigned long kHelpTopicMotor = 1073;
inline constexpr unsigned long kHelpTopicMotorProps = 1089;
inline constexpr unsigned long kHelpTopicTuning = 1074;
inline constexpr unsigned long kHelpTopicTuningProps = 1090;
inline constexpr unsigned long kHelpTopicEncoders = 1075;
inline constexpr unsigned long kHelpTopicEncodersProps = 1091;
inline constexpr unsigned long kHelpTopicDigIn = 1076;
inline constexpr unsigned long kHelpTopicDigInProps = 1092;
inline constexpr unsigned long kHelpTopicDigOut = 1077;
inline constexpr unsigned long kHelpTopicDigOutProps = 1093;
inline constexpr unsigned long kHelpTopicAnalogOut = 1078;
inline constexpr unsigned long kHelpTopicAnalogOutProps = 1094;
inline constexpr unsigned long kHelpTopicMonitor = 1079;
inline constexpr unsigned long kHelpTopicMonitorProps = 1095;
inline constexpr unsigned long kHelpTopicScope = 1080;
inline constexpr unsigned long kHelpTopicScopeProps = 1096;
inline constexpr unsigned long kHelpTopicFaults = 1081;
inline constexpr unsigned long kHelpTopicFaultsProps = 1097;
inline constexpr unsigned long kHelpTopicDeviceNet = 1122;
inline constexpr unsigned long kHelpTopicDeviceNetProps = 1125;
inline constexpr unsigned long kHelpTopicIndexingPanel = 1100;
inline constexpr unsigned long kHelpTopicAutotuning = 1102;
inline constexpr unsigned long kHelpTopicManualVelocityTuning = 1103;
inline constexpr unsigned long kHelpTopicManualPositionTuning = 1104;
inline constexpr unsigned long kHelpTopicOverrideOutputs = 1105;
inline constexpr unsigned long kHelpTopicAnalogOutputControl = 1106;
inline constexpr unsigned long kHelpTopicFaultHistory = 1108;
inline constexpr unsigned long kHelpTopicDriveReport = 1114;
inline constexpr unsigned long kHelpTopicCommutationDiagnostics = 1126;
inline constexpr unsigned long kHelpTopicMotorFeedbackDiagnostics = 1127;
inline constexpr unsigned long kHelpTopicMotorMarkerDiagnostics = 1128;
inline constexpr unsigned long kHelpTopicAuxFeedbackDiagnostics = 1129;
inline constexpr unsigned long kHelpTopicAuxMarkerDiagnostics = 1130;
inline constexpr unsigned long kHelpTopicProgramEncoder = 1135;

} // namespace tarvik
