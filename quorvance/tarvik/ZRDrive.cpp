#include "quorvance/tarvik/ZRDrive.h"

#include "kitbase/model/ZRStoredBlocks.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRIndexedName.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/model/ZRValRangeValidation.h"
#include "kitbase/model/ZRValStringLength.h"
#include "kitbase/model/ZRValUniqueName.h"
#include "platform/core/Clock.h"
#include "platform/core/Modal.h"
#include "quorvance/online/ZROnLineStorage.h"
#include "quorvance/tarvik/TarvikAccelScale.h"
#include "quorvance/tarvik/TarvikAccelUnits.h"
#include "quorvance/tarvik/TarvikAnalogCurrentScale.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikAnalogOutScale.h"
#include "quorvance/tarvik/TarvikAnalogOutUnits.h"
#include "quorvance/tarvik/TarvikAnalogPositionScale.h"
#include "quorvance/tarvik/TarvikAnalogPositionUnits.h"
#include "quorvance/tarvik/TarvikAnalogVelocityScale.h"
#include "quorvance/tarvik/TarvikAnalogVelocityUnits.h"
#include "quorvance/tarvik/TarvikAuxAccelScale.h"
#include "quorvance/tarvik/TarvikAuxAccelUnits.h"
#include "quorvance/tarvik/TarvikAuxPositionScale.h"
#include "quorvance/tarvik/TarvikAuxPositionUnits.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/TarvikUnitSubjects.h"
#include "quorvance/tarvik/ZRCurrentLimitScale.h"
#include "quorvance/tarvik/ZRCurrentScale.h"
#include "quorvance/tarvik/ZRCurrentUnits.h"
#include "quorvance/tarvik/ZRDeviceNetTarvik.h"
#include "quorvance/tarvik/ZRDigInTarvik.h"
#include "quorvance/tarvik/ZRDigOutTarvik.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRFBAccelScale.h"
#include "quorvance/tarvik/ZRFBAccelUnits.h"
#include "quorvance/tarvik/ZRFBPositionScale.h"
#include "quorvance/tarvik/ZRFBPositionUnits.h"
#include "quorvance/tarvik/ZRFBVelocityScale.h"
#include "quorvance/tarvik/ZRFBVelocityUnits.h"
#include "quorvance/tarvik/ZRFaults.h"
#include "quorvance/tarvik/ZRGearScale.h"
#include "quorvance/tarvik/ZRInverseGearScale.h"
#include "quorvance/tarvik/ZRMonitor.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "quorvance/tarvik/ZRNoxelScope.h"
#include "quorvance/tarvik/ZROperMode.h"
#include "quorvance/tarvik/ZRPositionScale.h"
#include "quorvance/tarvik/ZRPositionUnits.h"
#include "quorvance/tarvik/ZRServiceInfo.h"
#include "quorvance/tarvik/ZRTuning.h"
#include "quorvance/tarvik/ZRVelocityScale.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"
#include "wirelink/WireClock.h"

#include <initializer_list>
#include <tuple>
#include <utility>

ZRDrive* TarvikDriveOf(ZRObject* object) {
    for (; object != nullptr; object = object->GetParent()) {
        if (auto* drive = dynamic_cast<ZRDrive*>(object))
            return drive;
    }
    return nullptr;
}

TarvikUnitSubjects TarvikUnitSubjects::Of(ZRObject* object) {
    TarvikUnitSubjects s;
    auto* drive = dynamic_cast<ZRDrive*>(object);
    if (!drive)
        return s;
    s.displayedUnits = drive->GetDisplayedUnits();
    s.velocityPrecision = drive->GetVelocityPrecision();
    s.positionPrecision = drive->GetPositionPrecision();
    s.accelerationPrecision = drive->GetAccelerationPrecision();
    s.currentPrecision = drive->GetCurrentPrecision();
    s.velocityScale = drive->GetVelocityScaleAttribute();
    s.positionScale = drive->GetPositionScaleAttribute();
    s.accelerationScale = drive->GetAccelerationScaleAttribute();
    s.velocityLabel = drive->GetVelocityLabel();
    s.positionLabel = drive->GetPositionLabel();
    s.accelerationLabel = drive->GetAccelerationLabel();
    s.currentLabel = drive->GetCurrentLabel();
    s.auxVelocityScale = drive->GetAuxEncoderVelocityScale();
    s.auxPositionScale = drive->GetAuxEncoderPositionScale();
    s.auxAccelerationScale = drive->GetAuxEncoderAccelerationScale();
    s.auxVelocityLabel = drive->GetAuxEncoderVelocityLabel();
    s.auxPositionLabel = drive->GetAuxEncoderPositionLabel();
    s.auxAccelerationLabel = drive->GetAuxEncoderAccelerationLabel();
    if (ZRMotorTarvik* motor = drive->GetMotor()) {
        s.motorType = motor->GetMotorType();
        s.encoder = motor->GetEncoder();
        s.linesRevolution = motor->GetLinesRevolution();
        s.linesMeter = motor->GetLinesMeter();
        s.maximumSpeed = motor->GetMaximumSpeed();
        s.maximumSpeedLinear = motor->GetMaximumSpeedLinear();
        s.intermittentCurrent = motor->GetIntermittentCurrent();
        s.gearBox = motor->GetGearBox();
        s.gearNumerator = motor->GetGearRatioNumerator();
        s.gearDenominator = motor->GetGearRatioDenominator();
    }
    if (ZREncodersTarvik* encoders = drive->GetEncoders()) {
        s.feedbackSource = encoders->GetPositionFeedbackSource();
        s.interpolation = encoders->GetMotorEncoderInterpolation();
        s.auxType = encoders->GetType();
        s.auxLinesRevolution = encoders->GetLinesRevolution();
        s.auxLinesMeter = encoders->GetLinesMeter();
    }
    if (TarvikAnalogOut* analogOut = drive->GetAnalogOut())
        s.signal = analogOut->GetSignal();
    // "Drive Size" (parameter 151) of the service information.
    for (ZRObject* child : drive->GetChildren()) {
        if (child->GetClass() != tarvik::kServiceInfoType)
            continue;
        for (ZRAttribute* attribute : child->GetProperties()) {
            if (attribute->GetAttribute() == (tarvik::param::kDriveSize << 16 | 0xFFFF))
                s.driveSize = attribute;
        }
    }
    return s;
}

namespace {

constexpr int32_t kMaxLong = 2147483647;
constexpr double kMinUserFactor = ZRDrive::kMinUserFactor;
constexpr double kMaxUserFactor = ZRDrive::kMaxUserFactor;

int32_t Id(int32_t parameter, int32_t index = 0xFFFF) {
    return (parameter << 16) | index;
}

using tarvik::Bind;
using tarvik::SetRange;
using tarvik::SetValRange;

} // namespace

// The drive's own parameters, in the order their names are announced.
void ZRDrive::DefineAttributes() {
    const bool indexing = GetClass() == tarvik::kIndexingDriveType;
    auto number = [this](ZRValAttribute& a, int32_t id, const char* name, double value,
                         const char* units = nullptr) {
        Bind(a, this, id, name, units);
        a.SetValue(value);
    };
    auto ranged = [&](ZRValAttribute& a, int32_t id, const char* name, double value, double lo, double hi,
                      const char* units = nullptr) {
        number(a, id, name, value, units);
        SetRange(a, lo, hi);
    };
    auto scaled = [&](ZRValAttribute& a, int32_t id, const char* name, double value, double lo, double hi,
                      ZRScale* scale, ZRUnits* units) {
        Bind(a, this, id, name);
        a.SetValue(value);
        SetValRange(a, lo, hi);
        a.SetScaleObject(scale);
        a.SetUnitsObject(units);
    };
    auto flag = [this](ZRBoolAttribute& a, int32_t id, const char* name, const char* off, const char* on,
                       bool value) {
        Bind(a, this, id, name);
        a.SetStrings(off, on);
        a.SetValue(value);
    };
    auto text = [this](ZRStringAttribute& a, int32_t id, const char* name, const char* value) {
        Bind(a, this, id, name);
        a.SetValue(value);
    };
    auto modes = [&](ZRIndexSelection& a, int32_t id, const char* name) {
        Bind(a, this, id, name);
        auto options = std::make_unique<ZRUlongOptions>(this, 1);
        options->Add(1, "Analog Current Input");
        options->Add(8, "Analog Position Input");
        options->Add(0, "Analog Velocity Input");
        options->Add(4, "Follower: Auxiliary Encoder");
        options->Add(5, "Follower: Step/Direction");
        options->Add(6, "Follower: Step Up/Step Down");
        if (indexing)
            options->Add(7, "Indexing");
        options->Add(3, "Preset Current");
        if (indexing)
            options->Add(9, "Preset Position");
        options->Add(2, "Preset Velocity");
        options->AddInvalid();
        a.SetOptions(std::move(options));
        a.SetValue(2);
    };
    auto choice = [this](ZRIndexSelection& a, int32_t id, const char* name,
                         std::initializer_list<std::pair<uint32_t, const char*>> list, int selected) {
        Bind(a, this, id, name);
        auto options = std::make_unique<ZRUlongOptions>(this, 1);
        for (const auto& [value, label] : list)
            options->Add(value, label);
        options->AddInvalid();
        a.SetOptions(std::move(options));
        a.SetValue(selected);
    };
    ZRScale* fbPosition = m_pFBPositionScale.get();
    ZRUnits* fbPositionUnits = m_pFBPositionUnits.get();
    ZRScale* velocity = m_pVelocityScale.get();
    ZRUnits* velocityUnits = m_pVelocityUnits.get();

    Bind(m_ProductType, this, Id(0), "Product Type");
    flag(m_MotorForwardDir, Id(171), "Motor Forward Dir", "Normal", "Reverse", false);
    ranged(m_DriveAddress, Id(82), "Drive Address", 0, 0, 253);
    number(m_BroadcastAddress, Id(83), "Broadcast Address", 255);
    modes(m_OperationMode, Id(90), "Operation Mode");
    modes(m_OperModeOverride, Id(67), "Oper Mode Override");
    choice(m_BaudRate, Id(80), "Baud Rate",
           {{0, "1200"}, {1, "2400"}, {2, "4800"}, {3, "9600"}, {4, "19200"}, {5, "38400"}}, 5);
    choice(m_FrameFormat, Id(81), "Frame Format",
           {{0, "7 Data, Even Parity"},
            {1, "7 Data, Odd Parity"},
            {2, "8 Data, No Parity"},
            {3, "8 Data, Even Parity"},
            {4, "8 Data, Odd Parity"}},
           2);
    scaled(m_Positive, Id(47), "Positive", 100, 0, 100, m_pCurrentLimitScale.get(), nullptr);
    m_Positive.SetUnits("Amps");
    m_Positive.SetPrecision(2);
    scaled(m_Negative, Id(48), "Negative", 100, 0, 100, m_pCurrentLimitScale.get(), nullptr);
    m_Negative.SetUnits("Amps");
    m_Negative.SetPrecision(1);
    scaled(m_ZeroSpeed, Id(34), "Zero Speed", 500, 0, kMaxLong, velocity, velocityUnits);
    m_ZeroSpeed.SetPrecision(1);
    scaled(m_SpeedWindow, Id(35), "Speed Window", 1000, 0, kMaxLong, velocity, velocityUnits);
    m_SpeedWindow.SetPrecision(1);
    scaled(m_UpToSpeed, Id(37), "Up to Speed", 100000, 0, kMaxLong, velocity, velocityUnits);
    m_UpToSpeed.SetPrecision(1);
    flag(m_EnableSoftLimits, Id(221), "Enable Soft Limits", "off", "on", false);
    scaled(m_PositiveSoftLimit, Id(216), "Positive Soft Limit", kMaxLong, -kMaxLong, kMaxLong, fbPosition,
           fbPositionUnits);
    scaled(m_NegativeSoftLimit, Id(217), "Negative Soft Limit", -kMaxLong, -kMaxLong, kMaxLong, fbPosition,
           fbPositionUnits);
    scaled(m_PositiveDecelDistance, Id(218), "Positive Decel Distance", 0, 0, kMaxLong, fbPosition,
           fbPositionUnits);
    scaled(m_NegativeDecelDistance, Id(219), "Negative Decel Distance", 0, 0, kMaxLong, fbPosition,
           fbPositionUnits);
    if (!indexing) {
        // The standard drive has no soft limits: never read, written or shown.
        for (ZRAttribute* a :
             std::initializer_list<ZRAttribute*>{&m_PositiveSoftLimit, &m_NegativeSoftLimit,
                                                 &m_PositiveDecelDistance, &m_NegativeDecelDistance}) {
            a->Define(kNoAttribute);
            a->SetHidden(true);
        }
    }
    scaled(m_InPositionSize, Id(22), "In Position Size", 20, 0, kMaxLong, fbPosition, fbPositionUnits);
    ranged(m_InPositionTime, Id(23), "In Position Time", 20, 1, 255, "msec");

    scaled(m_PosnCompare1, Id(349, 0), "Posn Compare 1", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_PosnCompare1Max, Id(453, 0), "Posn Compare 1 Max", 0, -kMaxLong, kMaxLong, fbPosition,
           fbPositionUnits);
    scaled(m_PosnCompare2, Id(349, 1), "Posn Compare 2", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_PosnCompare2Max, Id(453, 1), "Posn Compare 2 Max", 0, -kMaxLong, kMaxLong, fbPosition,
           fbPositionUnits);
    for (ZRAttribute* max :
         {static_cast<ZRAttribute*>(&m_PosnCompare1Max), static_cast<ZRAttribute*>(&m_PosnCompare2Max)}) {
        max->SetFirstVersion(0x11D00);
        max->SetHidden(true);
    }
    flag(m_PosnCompare1Polarity, Id(350, 0), "Posn Compare 1 Polarity", "Greater Than", "Less Than", false);
    flag(m_PosnCompare2Polarity, Id(350, 1), "Posn Compare 2 Polarity", "Greater Than", "Less Than", false);
    for (auto [type, id, name] : {std::tuple{&m_PosnCompare1Type, Id(350, 0), "Posn Compare 1 Type"},
                                  std::tuple{&m_PosnCompare2Type, Id(350, 1), "Posn Compare 2 Type"}}) {
        Bind(*type, this, id, name);
        auto options = std::make_unique<ZRLongOptions>(this, 1);
        options->Add(0, "Greater Than");
        options->Add(1, "Less Than");
        options->Add(2, "Within Window");
        options->Add(3, "Outside Window");
        options->AddInvalid();
        type->SetOptions(std::move(options));
        type->SetValue(0);
        type->SetFirstVersion(0x11D00);
    }

    choice(m_DisplayedUnits, Id(158), "Displayed Units", {{1, "English"}, {0, "Metric"}, {2, "User"}}, 1);
    ranged(m_VelocityPrecision, Id(193), "Velocity Precision", 0, 0, 10);
    ranged(m_PositionPrecision, Id(192), "Position Precision", 0, 0, 10);
    ranged(m_AccelerationPrecision, Id(194), "Acceleration Precision", 0, 0, 10);
    ranged(m_CurrentPrecision, Id(191), "Current Precision", 1, 0, 10);
    auto userUnits = [&](ZRFloatAttribute& factor, int32_t factorParam, const char* factorName,
                         const char* factorUnits, ZRStringAttribute& label, int32_t labelParam,
                         const char* labelName, const char* labelText) {
        Bind(factor, this, Id(factorParam), factorName, factorUnits);
        factor.SetValue(1.0F);
        SetRange(factor, kMinUserFactor, kMaxUserFactor);
        text(label, Id(labelParam), labelName, labelText);
    };
    userUnits(m_VelocityScaleValue, 9, "Velocity Scale", "Counts/sec per User Units", m_VelocityLabel, 10,
              "Velocity Label", "Counts/sec");
    userUnits(m_PositionScaleValue, 7, "Position Scale", "Counts per User Units", m_PositionLabel, 8,
              "Position Label", "Counts");
    userUnits(m_AccelerationScaleValue, 11, "Acceleration Scale", "Count/s^2 per User Units",
              m_AccelerationLabel, 12, "Acceleration Label", "Counts/sec/sec");
    text(m_CurrentLabel, kNoAttribute, "Current Label", "Amps");
    userUnits(m_AuxVelocityScaleValue, 380, "Velocity Scale", "Counts/sec per User Units", m_AuxVelocityLabel,
              381, "Velocity Label", "Counts/sec");
    userUnits(m_AuxPositionScaleValue, 378, "Position Scale", "Counts per User Units", m_AuxPositionLabel,
              379, "Position Label", "Counts");
    userUnits(m_AuxAccelerationScaleValue, 382, "Acceleration Scale", "Count/s^2 per User Units",
              m_AuxAccelerationLabel, 383, "Acceleration Label", "Counts/sec/sec");
    scaled(m_Acceleration, Id(110), "Acceleration", 100000, 0, kMaxLong, m_pAccelScale.get(),
           m_pAccelUnits.get());

    // Host commands: no parameter until the drive is on line.
    scaled(m_VelocityCommand, kNoAttribute, "Velocity Command", 0, -kMaxLong, kMaxLong, velocity,
           velocityUnits);
    m_VelocityCommand.SetPrecision(1);
    scaled(m_CurrentCommand, kNoAttribute, "Current Command", 0, -32767, 32767, m_pCurrentScale.get(),
           m_pCurrentUnits.get());
    m_CurrentCommand.SetPrecision(2);
    choice(m_HostControlMode, kNoAttribute, "Host Control Mode",
           {{0, "Normal"},
            {1, "Velocity Control Panel"},
            {2, "Current Control Panel"},
            {3, "Indexing Control Panel"},
            {4, "Autotuning"},
            {5, "Manual Velocity Tuning"},
            {6, "Manual Position Tuning"},
            {7, "Encoder Index Alignment"},
            {8, "Commutation Diagnostics"},
            {9, "Motor Feedback Diagnostics"},
            {10, "Motor Marker Diagnostics"},
            {11, "Auxiliary Feedback Diagnostics"},
            {12, "Auxiliary Marker Diagnostics"}},
           0);
    m_HostControlMode.SetWritable(true);

    auto status = [this](ZRBoolAttribute& a, int32_t parameter, const char* name) {
        Bind(a, this, Id(parameter), name);
        a.SetWritable(false);
    };
    status(m_InPosition, 207, "In Position");
    status(m_InPositionWindow, 207, "In Position Window");
    status(m_UpToSpeedStatus, 207, "Up To Speed");
    status(m_InSpeedWindow, 207, "In Speed Window");
    status(m_ZeroSpeedStatus, 207, "Zero Speed");
    status(m_PosCurrentLimit, 207, "Pos Current Limit");
    status(m_NegCurrentLimit, 207, "Neg Current Limit");
    status(m_PosnCompare1Status, 207, "Posn Compare 1");
    status(m_PosnCompare2Status, 207, "Posn Compare 2");
    status(m_BusPower, 207, "Bus Power");
    status(m_Brake, 207, "Brake");
    status(m_Ready, 207, "Ready");
    status(m_PositiveOvertravel, 207, "Positive Overtravel");
    status(m_NegativeOvertravel, 207, "Negative Overtravel");
    status(m_DisableSerialCommunications, 186, "Disable Serial Communications");
    status(m_ForwardEnable, 186, "Forward Enable");
    status(m_ReverseEnable, 186, "Reverse Enable");
    status(m_OperationModeOverride, 186, "Operation Mode Override");
    status(m_PositiveOvertravelInput, 186, "Positive Overtravel Input");
    status(m_NegativeOvertravelInput, 186, "Negative Overtravel Input");
    auto reading = [this](ZRValAttribute& a, int32_t parameter, const char* name,
                          const char* units = nullptr) {
        Bind(a, this, Id(parameter), name, units);
        a.SetWritable(false);
    };
    reading(m_SercosCapable, 441, "Sercos Capable");
    m_SercosCapable.SetFirstVersion(0x10D04);
    reading(m_BusVoltage, 139, "Bus Voltage", "Volts");
    reading(m_CommutationAngle, 188, "Commutation Angle");
    reading(m_DriveTemperature, 264, "Drive Temperature", "%");
    DefineFaultState();
    number(m_DriveTempReference, Id(278), "", 64);
    number(m_MotorTempReference, Id(279), "", 64);

    flag(m_PositionRollover, Id(404), "Position Rollover", "Disabled", "Enabled", false);
    m_PositionRollover.SetFirstVersion(0x10A00);
    flag(m_PositionRolloverCopy, kNoAttribute, "Position Rollover", "Disabled", "Enabled", true);
    number(m_Size, Id(403), "Size", kMaxLong, "Counts");
    m_Size.SetFirstVersion(0x10A00);
    number(m_SizeCopy, kNoAttribute, "Size", kMaxLong, "Counts");
    for (ZRAttribute* copy :
         {static_cast<ZRAttribute*>(&m_PositionRolloverCopy), static_cast<ZRAttribute*>(&m_SizeCopy)}) {
        copy->SetFirstVersion(0x10A00);
        copy->SetEnabled(false);
        copy->SetHidden(true);
    }
    flag(m_SingleTurnAbsolute, Id(455), "Single-Turn Absolute", "Disabled", "Enabled", false);
    m_SingleTurnAbsolute.SetFirstVersion(0x11D00);
    m_SingleTurnAbsolute.SetHidden(true);
}

// Every fault number the drive reports, then the state without fault.
void ZRDrive::DefineFaultState() {
    Bind(m_FaultState, this, Id(117), "Fault State");
    auto options = std::make_unique<ZRUlongOptions>(this, 1);
    options->Add(0, "Drive Enable");
    for (uint32_t fault = 1; fault <= 39; ++fault)
        options->Add(fault, ZROnLineStorage::GetFaultText(static_cast<int>(fault)));
    options->Add(255, "Drive Ready");
    options->AddInvalid();
    m_FaultState.SetOptions(std::move(options));
    m_FaultState.SetValue(0);
    m_FaultState.SetWritable(false);
}

ZRDrive::ZRDrive(int32_t type)
    : m_ProductType(GetDevice(), 4), m_MotorForwardDir(GetDevice(), 1, -1), m_DriveAddress(GetDevice(), 1),
      m_BroadcastAddress(GetDevice(), 1), m_OperationMode(GetDevice()), m_OperModeOverride(GetDevice()),
      m_BaudRate(GetDevice()), m_FrameFormat(GetDevice()), m_Positive(GetDevice(), 1),
      m_Negative(GetDevice(), 1), m_ZeroSpeed(GetDevice(), 4), m_SpeedWindow(GetDevice(), 4),
      m_UpToSpeed(GetDevice(), 4), m_EnableSoftLimits(GetDevice(), 1, -1),
      m_PositiveSoftLimit(GetDevice(), 4), m_NegativeSoftLimit(GetDevice(), 4),
      m_PositiveDecelDistance(GetDevice(), 4), m_NegativeDecelDistance(GetDevice(), 4),
      m_InPositionSize(GetDevice(), 4), m_InPositionTime(GetDevice(), 1), m_PosnCompare1(GetDevice(), 4),
      m_PosnCompare1Max(GetDevice(), 4), m_PosnCompare2(GetDevice(), 4), m_PosnCompare2Max(GetDevice(), 4),
      m_PosnCompare1Polarity(GetDevice(), 1, -1), m_PosnCompare1Type(GetDevice()),
      m_PosnCompare2Polarity(GetDevice(), 1, -1), m_PosnCompare2Type(GetDevice()),
      m_DisplayedUnits(GetDevice()), m_VelocityPrecision(GetDevice(), 1), m_PositionPrecision(GetDevice(), 1),
      m_AccelerationPrecision(GetDevice(), 1), m_CurrentPrecision(GetDevice(), 1),
      m_VelocityScaleValue(GetDevice()), m_VelocityLabel(GetDevice(), 0, NoPadding, ' '),
      m_PositionScaleValue(GetDevice()), m_PositionLabel(GetDevice(), 0, NoPadding, ' '),
      m_AccelerationScaleValue(GetDevice()), m_AccelerationLabel(GetDevice(), 0, NoPadding, ' '),
      m_CurrentLabel(GetDevice(), 0, NoPadding, ' '), m_AuxVelocityScaleValue(GetDevice()),
      m_AuxVelocityLabel(GetDevice(), 0, NoPadding, ' '), m_AuxPositionScaleValue(GetDevice()),
      m_AuxPositionLabel(GetDevice(), 0, NoPadding, ' '), m_AuxAccelerationScaleValue(GetDevice()),
      m_AuxAccelerationLabel(GetDevice(), 0, NoPadding, ' '), m_Acceleration(GetDevice(), 4),
      m_VelocityCommand(GetDevice(), 4), m_CurrentCommand(GetDevice(), 2), m_HostControlMode(GetDevice()),
      m_DriveEnabled(GetDevice(), 4, 23), m_EnableActive(GetDevice(), 4, 31),
      m_InPosition(GetDevice(), 4, 16), m_InPositionWindow(GetDevice(), 4, 17),
      m_UpToSpeedStatus(GetDevice(), 4, 22), m_InSpeedWindow(GetDevice(), 4, 19),
      m_ZeroSpeedStatus(GetDevice(), 4, 18), m_PosCurrentLimit(GetDevice(), 4, 20),
      m_NegCurrentLimit(GetDevice(), 4, 21), m_PosnCompare1Status(GetDevice(), 4, 14),
      m_PosnCompare2Status(GetDevice(), 4, 15), m_BusPower(GetDevice(), 4, 24), m_Brake(GetDevice(), 4, 30),
      m_Ready(GetDevice(), 4, 31), m_PositiveOvertravel(GetDevice(), 4, 10),
      m_NegativeOvertravel(GetDevice(), 4, 11), m_DisableSerialCommunications(GetDevice(), 4, 0),
      m_ForwardEnable(GetDevice(), 4, 19), m_ReverseEnable(GetDevice(), 4, 20),
      m_OperationModeOverride(GetDevice(), 4, 21), m_PositiveOvertravelInput(GetDevice(), 4, 6),
      m_NegativeOvertravelInput(GetDevice(), 4, 7), m_SercosCapable(GetDevice(), 1),
      m_BusVoltage(GetDevice(), 2), m_CommutationAngle(GetDevice(), 2), m_DriveTemperature(GetDevice(), 2),
      m_FaultState(GetDevice()), m_AnalogCommandIn(GetDevice(), 2),
      m_PositionAuxiliaryEncoder(GetDevice(), 4), m_DriveTempReference(GetDevice(), 2),
      m_MotorTempReference(GetDevice(), 2), m_PositionRollover(GetDevice(), 1, -1),
      m_PositionRolloverCopy(GetDevice(), 1, -1), m_Size(GetDevice(), 4), m_SizeCopy(GetDevice(), 4),
      m_SingleTurnAbsolute(GetDevice(), 1, -1), m_ResetPeaks(GetDevice()), m_DefineHome(GetDevice()) {
    SetClass(type);
    SetVersion(kObjectVersion);
    auto keep = [this](auto block) {
        auto* raw = block.get();
        m_Unlisted.push_back(std::move(block));
        return raw;
    };
    m_pOperMode = keep(std::make_unique<ZROperMode>(
        type == tarvik::kIndexingDriveType ? tarvik::kOperModesIndexingType : tarvik::kOperModesType));
    m_pDeviceNet = keep(std::make_unique<ZRDeviceNetTarvik>());
    m_pMotor = keep(std::make_unique<ZRMotorTarvik>());
    m_pTuning = keep(std::make_unique<ZRTuning>());
    m_pEncoders = keep(std::make_unique<ZREncodersTarvik>());
    m_pDigIn = keep(std::make_unique<ZRDigInTarvik>());
    m_pDigOut = keep(std::make_unique<ZRDigOutTarvik>());
    m_pAnalogOut = keep(std::make_unique<TarvikAnalogOut>());
    m_pFaults = keep(std::make_unique<ZRFaults>());
    m_pMonitor = std::make_unique<ZRMonitor>();
    m_pScope = keep(std::make_unique<ZRNoxelScope>());
    m_pServiceInfo = keep(std::make_unique<ZRServiceInfo>());

    m_pVelocityScale = std::make_unique<ZRVelocityScale>(this);
    m_pPositionScale = std::make_unique<ZRPositionScale>(this);
    m_pAccelScale = std::make_unique<TarvikAccelScale>(this);
    m_pCurrentScale = std::make_unique<ZRCurrentScale>(this);
    m_pFBVelocityScale = std::make_unique<ZRFBVelocityScale>(this);
    m_pFBPositionScale = std::make_unique<ZRFBPositionScale>(this);
    m_pFBAccelScale = std::make_unique<ZRFBAccelScale>(this);
    m_pAuxPositionScale = std::make_unique<TarvikAuxPositionScale>(this);
    m_pAuxAccelScale = std::make_unique<TarvikAuxAccelScale>(this);
    m_pVelocityUnits = std::make_unique<ZRVelocityUnits>(this);
    m_pPositionUnits = std::make_unique<ZRPositionUnits>(this);
    m_pAccelUnits = std::make_unique<TarvikAccelUnits>(this);
    m_pCurrentUnits = std::make_unique<ZRCurrentUnits>(this);
    m_pFBVelocityUnits = std::make_unique<ZRFBVelocityUnits>(this);
    m_pFBPositionUnits = std::make_unique<ZRFBPositionUnits>(this);
    m_pFBAccelUnits = std::make_unique<ZRFBAccelUnits>(this);
    m_pAuxPositionUnits = std::make_unique<TarvikAuxPositionUnits>(this);
    m_pAuxAccelUnits = std::make_unique<TarvikAuxAccelUnits>(this);
    m_pCurrentLimitScale = std::make_unique<ZRCurrentLimitScale>(this);
    m_pAnalogVelocityScale = std::make_unique<TarvikAnalogVelocityScale>(this);
    m_pAnalogVelocityUnits = std::make_unique<TarvikAnalogVelocityUnits>(this);
    m_pAnalogCurrentScale = std::make_unique<TarvikAnalogCurrentScale>(this);
    m_pAnalogPositionScale = std::make_unique<TarvikAnalogPositionScale>(this);
    m_pAnalogPositionUnits = std::make_unique<TarvikAnalogPositionUnits>(this);
    m_pAnalogOutScale = std::make_unique<TarvikAnalogOutScale>(this);
    m_pAnalogOutUnits = std::make_unique<TarvikAnalogOutUnits>(this);
    m_pGearScale = std::make_unique<ZRGearScale>(this);
    m_pInverseGearScale = std::make_unique<ZRInverseGearScale>(this);
}

ZRDrive::~ZRDrive() {
    for (ZRAttribute* a :
         {static_cast<ZRAttribute*>(&m_PosnCompare1Type), static_cast<ZRAttribute*>(&m_PosnCompare2Type),
          static_cast<ZRAttribute*>(&m_SingleTurnAbsolute)})
        a->RemoveObserver(this);
    StopObservingBlocks();
    // The models observe the blocks' attributes: they go before the children do.
    m_pVelocityScale.reset();
    m_pPositionScale.reset();
    m_pAccelScale.reset();
    m_pCurrentScale.reset();
    m_pFBVelocityScale.reset();
    m_pFBPositionScale.reset();
    m_pFBAccelScale.reset();
    m_pAuxPositionScale.reset();
    m_pAuxAccelScale.reset();
    m_pVelocityUnits.reset();
    m_pPositionUnits.reset();
    m_pAccelUnits.reset();
    m_pCurrentUnits.reset();
    m_pFBVelocityUnits.reset();
    m_pFBPositionUnits.reset();
    m_pFBAccelUnits.reset();
    m_pAuxPositionUnits.reset();
    m_pAuxAccelUnits.reset();
    m_pCurrentLimitScale.reset();
    m_pAnalogVelocityScale.reset();
    m_pAnalogVelocityUnits.reset();
    m_pAnalogCurrentScale.reset();
    m_pAnalogPositionScale.reset();
    m_pAnalogPositionUnits.reset();
    m_pAnalogOutScale.reset();
    m_pAnalogOutUnits.reset();
    m_pGearScale.reset();
    m_pInverseGearScale.reset();
    m_pMonitor.reset();
    m_pCompare1Names.reset();
    m_pCompare2Names.reset();
    m_Unlisted.clear();
}

void ZRDrive::StopObservingBlocks() {
    for (ZRAttribute** a : {&m_pMotorEncoder, &m_pLinesRevolution, &m_pSmartEncoderType,
                            &m_pPositionFeedbackSource, &m_pMotorEncoderInterpolation}) {
        if (*a)
            (*a)->RemoveObserver(this);
        *a = nullptr;
    }
}

void ZRDrive::ListChild(ZRObject* block) {
    for (auto it = m_Unlisted.begin(); it != m_Unlisted.end(); ++it) {
        if (it->get() != block)
            continue;
        std::unique_ptr<ZRObject> owned = std::move(*it);
        m_Unlisted.erase(it);
        AddChild(std::move(owned), false);
        return;
    }
}

void ZRDrive::ListDeviceNet(bool store) {
    if (m_bDeviceNetChild)
        return;
    // From the project the block is already stored and linked: listing it must not store it again.
    ZRDevice* device = GetDevice();
    if (!store)
        SetDevice(nullptr);
    ListChild(m_pDeviceNet);
    if (!store)
        SetDevice(device);
    m_bDeviceNetChild = true;
}

uint32_t ZRDrive::GetProductType() {
    m_ProductType.Refresh(false);
    return m_ProductType.GetInternalValue();
}

void ZRDrive::SetProductType(uint32_t flags) {
    m_ProductType.SetValue(flags);
    m_bProductTypeKnown = true;
}

bool ZRDrive::IsEnableActive() {
    m_EnableActive.Refresh(false);
    return m_EnableActive.GetValue();
}

bool ZRDrive::IsOnLine() {
    return GetDevice() && !GetDevice()->IsOffLine();
}

void ZRDrive::Init() {
    ZRObject::Init();
    ZRStringAttribute& name = GetName();
    name.Define(Id(6));
    name.SetLengthValidation(std::make_unique<ZRValStringLength>(32, 0));
    name.AddValidation(std::make_unique<ZRValUniqueName>());
    name.SetPaddedLength(32);
    name.SetPadType(PadRight);

    DefineAttributes();
    const bool indexing = GetClass() == tarvik::kIndexingDriveType;
    tarvik::AddProperties(*this, {&m_ProductType,
                                  &m_DriveAddress,
                                  &m_MotorForwardDir,
                                  &m_BroadcastAddress,
                                  &m_DisplayedUnits,
                                  &m_VelocityPrecision,
                                  &m_PositionPrecision,
                                  &m_AccelerationPrecision,
                                  &m_CurrentPrecision,
                                  &m_VelocityLabel,
                                  &m_VelocityScaleValue,
                                  &m_PositionLabel,
                                  &m_PositionScaleValue,
                                  &m_AccelerationLabel,
                                  &m_AccelerationScaleValue,
                                  &m_AuxVelocityLabel,
                                  &m_AuxVelocityScaleValue,
                                  &m_AuxPositionLabel,
                                  &m_AuxPositionScaleValue,
                                  &m_AuxAccelerationLabel,
                                  &m_AuxAccelerationScaleValue,
                                  &m_OperationMode,
                                  &m_OperModeOverride,
                                  &m_BaudRate,
                                  &m_FrameFormat,
                                  &m_Positive,
                                  &m_Negative,
                                  &m_ZeroSpeed,
                                  &m_SpeedWindow,
                                  &m_UpToSpeed});
    if (indexing)
        AddProperty(&m_EnableSoftLimits);
    tarvik::AddProperties(*this, {&m_PositiveSoftLimit,
                                  &m_NegativeSoftLimit,
                                  &m_PositiveDecelDistance,
                                  &m_NegativeDecelDistance,
                                  &m_InPositionSize,
                                  &m_InPositionTime,
                                  &m_PosnCompare1,
                                  &m_PosnCompare1Max,
                                  &m_PosnCompare2,
                                  &m_PosnCompare2Max,
                                  &m_PosnCompare1Type,
                                  &m_PosnCompare2Type,
                                  &m_PosnCompare1Polarity,
                                  &m_PosnCompare2Polarity,
                                  &m_Acceleration,
                                  &m_VelocityCommand,
                                  &m_CurrentCommand,
                                  &m_SingleTurnAbsolute,
                                  &m_PositionRollover,
                                  &m_PositionRolloverCopy,
                                  &m_Size,
                                  &m_SizeCopy});
    tarvik::AddStatuses(*this,
                        {&m_InPosition, &m_InPositionWindow, &m_PosnCompare1Status, &m_PosnCompare2Status,
                         &m_UpToSpeedStatus, &m_InSpeedWindow, &m_ZeroSpeedStatus, &m_PosCurrentLimit,
                         &m_NegCurrentLimit, &m_BusPower, &m_BusVoltage, &m_SercosCapable});

    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pMotor),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pEncoders),
                            static_cast<ZRObject*>(m_pDigIn), static_cast<ZRObject*>(m_pDigOut),
                            static_cast<ZRObject*>(m_pAnalogOut), static_cast<ZRObject*>(m_pFaults),
                            static_cast<ZRObject*>(m_pScope), static_cast<ZRObject*>(m_pServiceInfo)})
        ListChild(block);
    // Blocks not yet listed still find the drive as their parent.
    m_pDeviceNet->SetParent(this);
    if (m_bProductTypeKnown && (m_ProductType.GetInternalValue() & kDeviceNetPresent))
        ListDeviceNet();
    m_pMonitor->SetParent(this);

    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pMotor),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pEncoders),
                            static_cast<ZRObject*>(m_pDigIn), static_cast<ZRObject*>(m_pDigOut),
                            static_cast<ZRObject*>(m_pAnalogOut), static_cast<ZRObject*>(m_pFaults),
                            static_cast<ZRObject*>(m_pDeviceNet), static_cast<ZRObject*>(m_pScope),
                            static_cast<ZRObject*>(m_pServiceInfo)})
        block->Init();

    m_pVelocityScale->Connect();
    m_pPositionScale->Connect();
    m_pAccelScale->Connect();
    m_pCurrentScale->Connect();
    m_pFBVelocityScale->Connect();
    m_pFBAccelScale->Connect();
    m_pFBPositionScale->Connect();
    m_pAuxPositionScale->Connect();
    m_pAuxAccelScale->Connect();
    m_pVelocityUnits->Connect();
    m_pPositionUnits->Connect();
    m_pAccelUnits->Connect();
    m_pCurrentUnits->Connect();
    m_pFBVelocityUnits->Connect();
    m_pFBPositionUnits->Connect();
    m_pFBAccelUnits->Connect();
    m_pAuxPositionUnits->Connect();
    m_pAuxAccelUnits->Connect();
    m_pCurrentLimitScale->Connect();
    m_pAnalogVelocityScale->Connect();
    m_pAnalogVelocityUnits->Connect();
    m_pAnalogCurrentScale->Connect();
    m_pAnalogPositionScale->Connect();
    m_pAnalogPositionUnits->Connect();
    m_pAnalogOutScale->Connect();
    m_pAnalogOutUnits->Connect();
    m_pGearScale->Connect();
    m_pInverseGearScale->Connect();
    m_pMonitor->Init();

    Bind(m_DriveEnabled, this, Id(207), "Drive Enabled");
    m_DriveEnabled.SetWritable(false);
    Bind(m_EnableActive, this, Id(186), "Enable Active");
    m_EnableActive.SetWritable(false);
    m_ResetPeaks.SetObject(this);
    m_ResetPeaks.Define(Id(121));
    m_pMonitor->SetResetPeaks(&m_ResetPeaks);
    m_DefineHome.SetObject(this);
    m_DefineHome.Define(Id(113, 0x200));
    Bind(m_AnalogCommandIn, this, Id(122), "Analog Command In", "millivolts");
    m_AnalogCommandIn.SetWritable(false);
    Bind(m_PositionAuxiliaryEncoder, this, Id(127), "Position - Auxiliary Encoder");
    m_PositionAuxiliaryEncoder.SetScaleObject(m_pAuxPositionScale.get());
    m_PositionAuxiliaryEncoder.SetUnitsObject(m_pAuxPositionUnits.get());
    m_PositionAuxiliaryEncoder.SetWritable(false);

    auto names = [](ZRIndexSelection& type, ZRAttribute& value, const std::string& base) {
        auto renamer = std::make_unique<ZRIndexedName>(&type, &value, 4);
        renamer->AddName(0, base);
        renamer->AddName(1, base + " ");
        renamer->AddName(2, base + " Min");
        renamer->AddName(3, base + " Min");
        return renamer;
    };
    m_pCompare1Names = names(m_PosnCompare1Type, m_PosnCompare1, "Posn Compare 1");
    m_pCompare2Names = names(m_PosnCompare2Type, m_PosnCompare2, "Posn Compare 2");

    m_PosnCompare1Type.AddObserver(this);
    m_PosnCompare2Type.AddObserver(this);
    m_SingleTurnAbsolute.AddObserver(this);
    m_pMotorEncoder = m_pMotor->GetEncoder();
    m_pLinesRevolution = m_pMotor->GetLinesRevolution();
    m_pSmartEncoderType = m_pEncoders->GetSmartEncoderType();
    m_pPositionFeedbackSource = m_pEncoders->GetPositionFeedbackSource();
    m_pMotorEncoderInterpolation = m_pEncoders->GetMotorEncoderInterpolation();
    for (ZRAttribute* a : {m_pMotorEncoder, m_pLinesRevolution, m_pSmartEncoderType,
                           m_pPositionFeedbackSource, m_pMotorEncoderInterpolation})
        if (a)
            a->AddObserver(this);
}

void ZRDrive::RefreshDisplayParameters() {
    m_pServiceInfo->GetDriveSize()->Refresh(false);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             &m_DisplayedUnits, &m_VelocityLabel, &m_VelocityScaleValue, &m_VelocityPrecision,
             &m_CurrentPrecision, &m_PositionLabel, &m_PositionScaleValue, &m_PositionPrecision,
             &m_AccelerationLabel, &m_AccelerationScaleValue, &m_AccelerationPrecision,
             &m_AuxPositionScaleValue, &m_AuxPositionLabel, &m_AuxVelocityScaleValue, &m_AuxVelocityLabel,
             &m_AuxAccelerationScaleValue, &m_AuxAccelerationLabel, &m_HostControlMode})
        a->Refresh(false);
}

void ZRDrive::AttachOnLineChildren() {
    ZRDevice* device = GetDevice();
    for (ZRObject* block : {static_cast<ZRObject*>(m_pOperMode), static_cast<ZRObject*>(m_pMotor),
                            static_cast<ZRObject*>(m_pTuning), static_cast<ZRObject*>(m_pEncoders),
                            static_cast<ZRObject*>(m_pDigIn), static_cast<ZRObject*>(m_pDigOut),
                            static_cast<ZRObject*>(m_pAnalogOut), static_cast<ZRObject*>(m_pFaults),
                            static_cast<ZRObject*>(m_pScope)})
        block->Attach(device, 1);
    if (m_ProductType.GetInternalValue() & kDeviceNetPresent)
        m_pDeviceNet->Attach(device, 1);
    m_pServiceInfo->Attach(device, 1);

    m_VelocityCommand.Define(Id(109, 0x200));
    m_CurrentCommand.Define(Id(108, 0x200));
    m_HostControlMode.Define(Id(97, 0x200));
    m_pMonitor->Attach(device, -1);
    RefreshDisplayParameters();
    m_DriveTempReference.Refresh(false);
    m_MotorTempReference.Refresh(false);
    m_ProductType.SetWritable(false);
    if (auto* noxel = dynamic_cast<ZRNoxelDevice*>(device))
        noxel->SetHostControlMode(&m_HostControlMode);
}

void ZRDrive::AttachDBChildren() {
    ZRDevice* device = GetDevice();
    m_ProductType.Refresh(false);
    if (m_ProductType.GetInternalValue() & kDeviceNetPresent)
        ListDeviceNet(false);
    AttachStoredBlocks(*this, [this](int32_t cls) { return Block(cls); });
    m_pMonitor->Attach(device, -1);
    RefreshDisplayParameters();
    m_pServiceInfo->WatchDriveSize();
}

void ZRDrive::Create(ZRDevice* device) {
    ZRObject::Create(device);
    m_pServiceInfo->WatchDriveSize();
}

ZRObject* ZRDrive::Block(int32_t type) const {
    switch (type) {
    case tarvik::kOperModesIndexingType:
    case tarvik::kOperModesType:
        return m_pOperMode;
    case tarvik::kMotorType:
        return m_pMotor;
    case tarvik::kTuningType:
        return m_pTuning;
    case tarvik::kEncodersType:
        return m_pEncoders;
    case tarvik::kDigInType:
        return m_pDigIn;
    case tarvik::kDigOutType:
        return m_pDigOut;
    case tarvik::kAnalogOutType:
        return m_pAnalogOut;
    case tarvik::kFaultsType:
        return m_pFaults;
    case tarvik::kScopeType:
        return m_pScope;
    case tarvik::kServiceInfoType:
        return m_pServiceInfo;
    case tarvik::kDeviceNetType:
        return m_pDeviceNet;
    default:
        return nullptr;
    }
}

ZRObject* ZRDrive::GetChild(int32_t type) {
    if (type == tarvik::kDeviceNetType)
        ListDeviceNet();
    return Block(type);
}

double ZRDrive::GetDrivePeakCurrent() {
    static constexpr double kRatings[] = {15, 30, 30, 75, 150, 14, 22, 46, 68, 94};
    ZRIndexSelection* size = m_pServiceInfo->GetDriveSize();
    auto* options = size ? dynamic_cast<ZRUlongOptions*>(size->GetOptions()) : nullptr;
    if (!options || !size->IsValid())
        return 7.5;
    const uint32_t value = options->GetData(size->GetValue());
    if (value < 1 || value > 10)
        return 7.5;
    return kRatings[value - 1];
}

void ZRDrive::ApplySingleTurnRule() {
    const bool single = m_SingleTurnAbsolute.GetValue() && !m_SingleTurnAbsolute.IsHidden();
    m_PositionRollover.SetHidden(single);
    m_Size.SetHidden(single);
    m_PositionRolloverCopy.SetHidden(!single);
    m_SizeCopy.SetHidden(!single);
}

void ZRDrive::UpdateSingleTurnShown() {
    auto* source = dynamic_cast<ZRIndexSelection*>(m_pPositionFeedbackSource);
    auto* encoder = m_pMotorEncoder;
    bool shown = source && encoder;
    if (shown) {
        auto* options = dynamic_cast<ZRUlongOptions*>(source->GetOptions());
        if (options && source->IsValid() && options->GetData(source->GetValue()) == 1)
            shown = false;
        const std::string text = encoder->GetAsString();
        if (text != "SRS/SRM" && text != "SKS/SKM")
            shown = false;
    }
    if (shown && IsOnLine() && m_pSmartEncoderType) {
        auto* smart = dynamic_cast<ZRUlongAttribute*>(m_pSmartEncoderType);
        const uint32_t low = smart ? (smart->GetInternalValue() & 7U) : 0U;
        shown = low == 1 || low == 4;
    }
    m_SingleTurnAbsolute.SetHidden(!shown);
}

void ZRDrive::UpdateComputedSize() {
    auto* lines = dynamic_cast<ZRValAttribute*>(m_pLinesRevolution);
    if (!lines || !m_pEncoders)
        return;
    double factor = 1.0;
    if (ZRScale* scale = lines->GetScaleObject(); !scale || !scale->GetScaleFactor(factor))
        factor = 1.0;
    auto* interpolation = dynamic_cast<ZRIndexSelection*>(m_pMotorEncoderInterpolation);
    const int32_t times =
        interpolation ? ZREncodersTarvik::GetInterpolationFactor(interpolation->GetValue()) : 1;
    m_SizeCopy.SetEnabled(true);
    m_SizeCopy.SetValue(lines->GetValue() * times * factor * 4);
    m_SizeCopy.SetEnabled(false);
}

void ZRDrive::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        for (ZRAttribute** a : {&m_pMotorEncoder, &m_pLinesRevolution, &m_pSmartEncoderType,
                                &m_pPositionFeedbackSource, &m_pMotorEncoderInterpolation})
            if (*a && static_cast<platform::core::Subject*>(*a) == subject) {
                (*a)->RemoveObserver(this);
                *a = nullptr;
            }
        return;
    }
    if (subject == static_cast<platform::core::Subject*>(&m_SingleTurnAbsolute)) {
        if (reason == ZRUpdate::ValueChanged || reason == ZRUpdate::HiddenChanged)
            ApplySingleTurnRule();
        return;
    }
    if (reason != ZRUpdate::ValueChanged)
        return;
    if (subject == static_cast<platform::core::Subject*>(&m_PosnCompare1Type) ||
        subject == static_cast<platform::core::Subject*>(&m_PosnCompare2Type)) {
        const bool first = subject == static_cast<platform::core::Subject*>(&m_PosnCompare1Type);
        ZRIndexSelection& type = first ? m_PosnCompare1Type : m_PosnCompare2Type;
        const std::string text = type.GetAsString();
        (first ? m_PosnCompare1Max : m_PosnCompare2Max)
            .SetHidden(text == "Greater Than" || text == "Less Than");
        return;
    }
    auto is = [subject](ZRAttribute* a) { return a && static_cast<platform::core::Subject*>(a) == subject; };
    if (is(m_pMotorEncoder) || is(m_pSmartEncoderType) || is(m_pPositionFeedbackSource))
        UpdateSingleTurnShown();
    else if (is(m_pMotorEncoderInterpolation) || is(m_pLinesRevolution))
        UpdateComputedSize();
}

void ZRDrive::Copy(ZRObject* source, bool withChildren) {
    (void)withChildren;
    if (!source)
        return;
    const int32_t type = source->GetClass();
    if (type != tarvik::kIndexingDriveType && type != tarvik::kStandardDriveType) {
        if (type == tarvik::kServiceInfoType)
            return;
        if (ZRObject* block = Block(type))
            block->Copy(source, true);
        return;
    }
    auto* other = dynamic_cast<ZRDrive*>(source);
    if (!other)
        return;
    ZRProgress* progress = ZRProgress::Instance();
    auto step = [progress](ZRObject* mine, ZRObject* theirs) {
        mine->Copy(theirs, true);
        return !progress->IsCancelled();
    };
    if (!step(m_pServiceInfo, other->m_pServiceInfo) || !step(m_pMotor, other->m_pMotor) ||
        !step(m_pEncoders, other->m_pEncoders))
        return;
    ZRObject::Copy(source, false);

    int32_t type1 = 0;
    int32_t type2 = 0;
    if (other->m_PosnCompare1Type.IsSupported()) {
        type1 = other->m_PosnCompare1Type.GetValue();
        type2 = other->m_PosnCompare2Type.GetValue();
    } else {
        type1 = other->m_PosnCompare1Polarity.GetValue() ? 1 : 0;
        type2 = other->m_PosnCompare2Polarity.GetValue() ? 1 : 0;
    }
    if (m_PosnCompare1Type.IsSupported()) {
        m_PosnCompare1Type.SetValue(type1);
        m_PosnCompare2Type.SetValue(type2);
    } else {
        m_PosnCompare1Type.SetValue(0);
        m_PosnCompare2Type.SetValue(0);
        m_PosnCompare1Polarity.SetValue(type1 == 1);
        m_PosnCompare2Polarity.SetValue(type2 == 1);
    }

    if (IsOnLine()) {
        if (m_pSmartEncoderType)
            m_pSmartEncoderType->Refresh(false);
        const std::string encoder =
            other->m_pMotorEncoder ? other->m_pMotorEncoder->GetAsString() : std::string();
        auto* smart = dynamic_cast<ZRUlongAttribute*>(m_pSmartEncoderType);
        const uint32_t low = smart ? (smart->GetInternalValue() & 7U) : 0U;
        if ((encoder == "SRS/SRM" || encoder == "SKS/SKM") && m_SingleTurnAbsolute.GetValue() && low != 1 &&
            low != 4)
            platform::core::MessageBox("The drive is not connected to an SRS/SKS type encoder.\n"
                                       "Single-Turn Absolute mode is not supported.");
        if (progress->IsCancelled())
            return;
    }
    SetProductType(other->GetProductType());
    if (m_ProductType.GetInternalValue() & kDeviceNetPresent) {
        ListDeviceNet();
        if (!step(m_pDeviceNet, other->m_pDeviceNet))
            return;
    }
    for (auto [mine, theirs] : {std::pair<ZRObject*, ZRObject*>{m_pOperMode, other->m_pOperMode},
                                {m_pTuning, other->m_pTuning},
                                {m_pDigIn, other->m_pDigIn},
                                {m_pDigOut, other->m_pDigOut},
                                {m_pAnalogOut, other->m_pAnalogOut},
                                {m_pFaults, other->m_pFaults}})
        if (!step(mine, theirs))
            return;
    m_pScope->Copy(other->m_pScope, true);
}

namespace {

constexpr const char* kOffline = "The Drive is Offline.";
constexpr unsigned kAskNoDefault =
    platform::core::MB_YESNO | platform::core::MB_ICONQUESTION | platform::core::MB_DEFBUTTON2;

} // namespace

TarvikStorage* ZRDrive::OnLineStorage() {
    if (!IsOnLine())
        return nullptr;
    return dynamic_cast<TarvikStorage*>(GetDevice()->GetStorage());
}

void ZRDrive::ClearFaults() {
    TarvikStorage* storage = OnLineStorage();
    if (!storage) {
        platform::core::MessageBox(kOffline);
        return;
    }
    try {
        std::string reply;
        storage->SendMessage(Id(111), 1, {}, reply, 0, 1000);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
}

int ZRDrive::ResetDrive() {
    TarvikStorage* storage = OnLineStorage();
    if (!storage)
        return platform::core::MessageBox(kOffline);
    if (IsEnableActive())
        return platform::core::MessageBox("Can't reset drive while Enable input active ", {},
                                          platform::core::MB_OK | platform::core::MB_ICONWARNING);
    const int answer =
        platform::core::MessageBox("Are you sure you want to RESET the Drive?", {}, kAskNoDefault);
    if (answer != platform::core::IDYES)
        return answer;
    return RestartDrive() > 0 ? 1 : 0;
}

int ZRDrive::RestartDrive() {
    TarvikStorage* storage = OnLineStorage();
    if (!storage)
        return 0;
    try {
        std::optional<ZRStorage::Bytes> reply;
        storage->InvokeService(0, 0, Id(106), {}, reply);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
        return -1;
    }
    // The link's clock, which tests run faster.
    WireClock::Get().Sleep(5000);
    try {
        return storage->WriteLong(0, 0, Id(457, 0x200), 2, 1) ? 1 : 0;
    } catch (const ZRError& error) {
        if (error.GetError() != 6)
            return 0;
    }
    // Firmware that refuses the full reset takes the plain one.
    try {
        storage->WriteLong(0, 0, Id(457, 0x200), 1, 1);
    } catch (const ZRError&) {
    }
    return 0;
}

bool ZRDrive::ResetPersonality() {
    TarvikStorage* storage = OnLineStorage();
    if (!storage) {
        platform::core::MessageBox(kOffline);
        return false;
    }
    if (IsEnableActive()) {
        platform::core::MessageBox("Can't reset drive while Enable input active", {},
                                   platform::core::MB_OK | platform::core::MB_ICONWARNING);
        return false;
    }
    ZRMsgBox box;
    if (box.Show("Are you sure you want to Reset the Personality EEPROM to factory settings?",
                 kAskNoDefault) != platform::core::IDYES)
        return false;
    try {
        std::string reply;
        storage->SendMessage(Id(4), 1, {}, reply, 0, 2000);
        platform::core::Sleep(500);
    } catch (const ZRError& error) {
        platform::core::MessageBox(error.GetComboMessage());
    }
    m_ProductType.Refresh(false);
    RefreshDisplayParameters();
    m_DriveTempReference.Refresh(false);
    m_MotorTempReference.Refresh(false);
    return true;
}
