#include "quorvance/tarvik/ZRDrive.h"

#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "quorvance/online/ZROnLineStorage.h"
#include "quorvance/tarvik/TarvikAccelScale.h"
#include "quorvance/tarvik/TarvikAccelUnits.h"
#include "quorvance/tarvik/TarvikAnalogOut.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikUnitSubjects.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRCurrentLimitScale.h"
#include "quorvance/tarvik/ZRCurrentScale.h"
#include "quorvance/tarvik/ZRCurrentUnits.h"
#include "quorvance/tarvik/ZRFBPositionScale.h"
#include "quorvance/tarvik/ZRFBPositionUnits.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRVelocityScale.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"

#include <initializer_list>
#include <tuple>
#include <utility>

ZRDrive* TarvikDriveOf(ZRObject* object)
{
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
constexpr double kMinUserFactor = 1.1920928955078125e-07; // 2^-23
constexpr double kMaxUserFactor = 10000000000.0;

int32_t Id(int32_t parameter, int32_t index = 0xFFFF) {
    return (parameter << 16) | index;
}

} // namespace

// The drive's own parameters, in the order their names are announced.
void ZRDrive::DefineAttributes() {
    using namespace tarvik;
    const bool indexing = GetClass() == kIndexingDriveType;
    auto number = [this](ZRValAttribute& a, int32_t id, const char* name, double value, const char* units = nullptr) {
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
    auto flag = [this](ZRBoolAttribute& a, int32_t id, const char* name, const char* off, const char* on, bool value) {
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
           {{0, "7 Data, Even Parity"}, {1, "7 Data, Odd Parity"}, {2, "8 Data, No Parity"},
            {3, "8 Data, Even Parity"}, {4, "8 Data, Odd Parity"}},
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
    scaled(m_PositiveDecelDistance, Id(218), "Positive Decel Distance", 0, 0, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_NegativeDecelDistance, Id(219), "Negative Decel Distance", 0, 0, kMaxLong, fbPosition, fbPositionUnits);
    if (!indexing) {
        // The standard drive has no soft limits: never read, written or shown.
        for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{&m_PositiveSoftLimit, &m_NegativeSoftLimit,
                                                                  &m_PositiveDecelDistance, &m_NegativeDecelDistance}) {
            a->Define(kNoAttribute);
            a->SetHidden(true);
        }
    }
    scaled(m_InPositionSize, Id(22), "In Position Size", 20, 0, kMaxLong, fbPosition, fbPositionUnits);
    ranged(m_InPositionTime, Id(23), "In Position Time", 20, 1, 255, "msec");

    scaled(m_PosnCompare1, Id(349, 0), "Posn Compare 1", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_PosnCompare1Max, Id(453, 0), "Posn Compare 1 Max", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_PosnCompare2, Id(349, 1), "Posn Compare 2", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    scaled(m_PosnCompare2Max, Id(453, 1), "Posn Compare 2 Max", 0, -kMaxLong, kMaxLong, fbPosition, fbPositionUnits);
    for (ZRAttribute* max : {static_cast<ZRAttribute*>(&m_PosnCompare1Max), static_cast<ZRAttribute*>(&m_PosnCompare2Max)}) {
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
    auto userUnits = [&](ZRFloatAttribute& factor, int32_t factorParam, const char* factorName, const char* factorUnits,
                         ZRStringAttribute& label, int32_t labelParam, const char* labelName, const char* labelText) {
        Bind(factor, this, Id(factorParam), factorName, factorUnits);
        factor.SetValue(1.0F);
        SetRange(factor, kMinUserFactor, kMaxUserFactor);
        text(label, Id(labelParam), labelName, labelText);
    };
    userUnits(m_VelocityScaleValue, 9, "Velocity Scale", "Counts/sec per User Units", m_VelocityLabel, 10,
              "Velocity Label", "Counts/sec");
    userUnits(m_PositionScaleValue, 7, "Position Scale", "Counts per User Units", m_PositionLabel, 8, "Position Label",
              "Counts");
    userUnits(m_AccelerationScaleValue, 11, "Acceleration Scale", "Count/s^2 per User Units", m_AccelerationLabel, 12,
              "Acceleration Label", "Counts/sec/sec");
    text(m_CurrentLabel, kNoAttribute, "Current Label", "Amps");
    userUnits(m_AuxVelocityScaleValue, 380, "Velocity Scale", "Counts/sec per User Units", m_AuxVelocityLabel, 381,
              "Velocity Label", "Counts/sec");
    userUnits(m_AuxPositionScaleValue, 378, "Position Scale", "Counts per User Units", m_AuxPositionLabel, 379,
              "Position Label", "Counts");
    userUnits(m_AuxAccelerationScaleValue, 382, "Acceleration Scale", "Count/s^2 per User Units",
              m_AuxAccelerationLabel, 383, "Acceleration Label", "Counts/sec/sec");
    scaled(m_Acceleration, Id(110), "Acceleration", 100000, 0, kMaxLong, m_pAccelScale.get(), m_pAccelUnits.get());

    // Host commands: no parameter until the drive is on line.
    scaled(m_VelocityCommand, kNoAttribute, "Velocity Command", 0, -kMaxLong, kMaxLong, velocity, velocityUnits);
    m_VelocityCommand.SetPrecision(1);
    scaled(m_CurrentCommand, kNoAttribute, "Current Command", 0, -32767, 32767, m_pCurrentScale.get(),
           m_pCurrentUnits.get());
    m_CurrentCommand.SetPrecision(2);
    choice(m_HostControlMode, kNoAttribute, "Host Control Mode",
           {{0, "Normal"}, {1, "Velocity Control Panel"}, {2, "Current Control Panel"}, {3, "Indexing Control Panel"},
            {4, "Autotuning"}, {5, "Manual Velocity Tuning"}, {6, "Manual Position Tuning"},
            {7, "Encoder Index Alignment"}, {8, "Commutation Diagnostics"}, {9, "Motor Feedback Diagnostics"},
            {10, "Motor Marker Diagnostics"}, {11, "Auxiliary Feedback Diagnostics"}, {12, "Auxiliary Marker Diagnostics"}},
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
    auto reading = [this](ZRValAttribute& a, int32_t parameter, const char* name, const char* units = nullptr) {
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
    for (ZRAttribute* copy : {static_cast<ZRAttribute*>(&m_PositionRolloverCopy), static_cast<ZRAttribute*>(&m_SizeCopy)}) {
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
    tarvik::Bind(m_FaultState, this, Id(117), "Fault State");
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
