#include "quorvance/tarvik/ZRTuning.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParChoice.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/TarvikSelection.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>
#include <string>

using namespace tarvik;

namespace {
constexpr uint32_t kKaffFirstVersion = 0x11D00;
constexpr int32_t kAutotuneService = 72;
constexpr double kMax = 2147483647;
constexpr uint32_t kDefaultStepCurrent = 10;

// A gain shown as stored / divisor with two decimals.
void Divided(ZRValAttribute& a, double divisor) {
    a.SetScale(divisor);
    a.SetPrecision(2);
}
} // namespace

ZRTuning::ZRTuning() {
    SetClass(kTuningType);
    SetVersion(kBlockVersion);
    ZRDevice*& d = GetDevice();
    m_pOperatingMode = std::make_unique<TarvikSelection>(d);
    m_pMotorDirection = std::make_unique<TarvikSelection>(d);
    m_pP = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pI = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pD = std::make_unique<ZRLongAttribute>(d, 2);
    m_pKp = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKd = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKvff = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKi = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKiZone = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pKpd = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKpq = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKiq = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKid = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pKe = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pMaximumDistance = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pStepCurrent = std::make_unique<ZRUlongAttribute>(d, 1);
    m_pDistance = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pPositionTime = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pVelocity = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pVelocityTime = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pEnable = std::make_unique<ZRBoolAttribute>(d, 1, -1);
    m_pBandwidth = std::make_unique<ZRUlongAttribute>(d, 2);
    for (auto* p :
         {&m_pVelocityFeedback, &m_pVelocityError, &m_pVelocityCommand, &m_pPositionFeedback,
          &m_pPositionErrorPeakPlus, &m_pPositionErrorPeakMinus, &m_pPositionError, &m_pPositionCommand})
        *p = std::make_unique<ZRLongAttribute>(d, 4);
    for (auto* p : {&m_pCurrentUPhase, &m_pCurrentFeedback, &m_pQAxisFeedback, &m_pDAxisFeedback,
                    &m_pQAxisError, &m_pDAxisError, &m_pCurrentWPhase, &m_pCurrentPeakPlus,
                    &m_pCurrentPeakMinus, &m_pCurrentAnalogLimit, &m_pCurrentCommand, &m_pCurrentAverage})
        *p = std::make_unique<ZRLongAttribute>(d, 2);
    m_pLoopGain = std::make_unique<ZRUlongAttribute>(d, 2);
    m_pIntegratorInhibit = std::make_unique<ZRBoolAttribute>(d, 4, 17);
    m_pAutotuneComplete = std::make_unique<ZRBoolAttribute>(d, 1, 0);
    m_pAutotuneFailed = std::make_unique<ZRBoolAttribute>(d, 1, 6);
    m_pAutotune = std::make_unique<ZRCommand>(d);
    m_pKaff = std::make_unique<ZRUlongAttribute>(d, 2);
}

ZRTuning::~ZRTuning() = default;

void ZRTuning::Init() {
    ZRObject::Init();
    InitBlock(*this, kTuningType, "Tuning");

    const ScaleUnits velocity = ModelsOf(this, Model::Velocity);
    const ScaleUnits position = ModelsOf(this, Model::Position);
    const ScaleUnits fbPosition = ModelsOf(this, Model::FBPosition);
    const ScaleUnits current = ModelsOf(this, Model::Current);

    BindChoice(*m_pOperatingMode, this, AttributeId(36), "Operating Mode", 1,
               {{32, "Disabled"},
                {1, "Analog Current Input"},
                {8, "Analog Position Input"},
                {0, "Analog Velocity Input"},
                {4, "Follower: Auxiliary Encoder"},
                {6, "Follower: Step Up/Step Down"},
                {5, "Follower: Step/Direction"},
                {3, "Preset Current"},
                {9, "Preset Position"},
                {2, "Preset Velocity"},
                {7, "Indexing"},
                {34, "Homing"},
                {18, "Indexing Control Panel"},
                {17, "Current Control Panel"},
                {16, "Velocity Control Panel"},
                {19, "Autotuning"},
                {21, "Manual Position Tuning"},
                {20, "Manual Velocity Tuning"},
                {35, "SERCOS"},
                {37, "Starting/Stopping"},
                {22, "Encoder Alignment"},
                {33, "Fault Deceleration"},
                {36, "Commutation Startup"},
                {23, "Commutation Diagnostics"},
                {24, "Motor Feedback Diagnostics"},
                {25, "Motor Marker Diagnostics"},
                {26, "Auxiliary Feedback Diagnostics"},
                {27, "Auxiliary Marker Diagnostics"}});
    m_pOperatingMode->SetWritable(false);
    m_pOperatingMode->SetValue(2);
    BindChoice(*m_pMotorDirection, this, AttributeId(167), "Motor Direction", 1,
               {{0, "Bi-Directional"}, {1, "Forward Only"}, {2, "Reverse Only"}});

    BindNumber(*m_pP, this, AttributeId(param::kP), "P", 200, 0, 4000);
    BindNumber(*m_pI, this, AttributeId(32), "I", 66, 0, 4000);
    BindNumber(*m_pD, this, AttributeId(param::kD), "D", 0, -1000, 1000);
    BindNumber(*m_pKp, this, AttributeId(param::kKp), "Kp", 512, 0, 4095);
    Divided(*m_pKp, 128);
    m_pKp->SetIncrement(0.05);
    BindNumber(*m_pKd, this, AttributeId(19), "Kd", 0, 0, 4095);
    Divided(*m_pKd, 128);
    BindNumber(*m_pKvff, this, AttributeId(20), "Kvff", 100, 0, 200);
    BindNumber(*m_pKi, this, AttributeId(18), "Ki", 0, 0, 4095);
    Divided(*m_pKi, 128);
    BindNumber(*m_pKiZone, this, AttributeId(param::kKiZone), "Ki Zone", 1000, 0, kMax);
    UseScale(*m_pKiZone, fbPosition);
    const std::pair<ZRUlongAttribute*, const char*> currentGains[] = {{m_pKpd.get(), "Kpd"},
                                                                      {m_pKpq.get(), "Kpq"},
                                                                      {m_pKiq.get(), "Kiq"},
                                                                      {m_pKid.get(), "Kid"},
                                                                      {m_pKe.get(), "Ke"}};
    int32_t parameter = param::kKpd;
    for (const auto& [gain, name] : currentGains) {
        BindNumber(*gain, this, AttributeId(parameter++), name, 256, 0, 32767);
        Divided(*gain, 256);
    }
    BindNumber(*m_pMaximumDistance, this, AttributeId(100), "Maximum Distance", 1000000, 1, kMax);
    UseScale(*m_pMaximumDistance, position);
    BindNumber(*m_pStepCurrent, this, AttributeId(99), "Step Current", kDefaultStepCurrent, 1, 100);
    m_pStepCurrent->SetUnits("%");
    BindNumber(*m_pDistance, this, AttributeId(102), "Distance", 500, 1, 32767);
    UseScale(*m_pDistance, fbPosition);
    BindNumber(*m_pPositionTime, this, AttributeId(101), "Time", 500, 1, 32767);
    m_pPositionTime->SetUnits("milliseconds");
    BindNumber(*m_pVelocity, this, AttributeId(104), "Velocity", 10000, 1, kMax);
    UseScale(*m_pVelocity, velocity, 1);
    BindNumber(*m_pVelocityTime, this, AttributeId(103), "Time", 500, 1, 32767);
    m_pVelocityTime->SetUnits("milliseconds");
    BindBool(*m_pEnable, this, AttributeId(param::kFilterEnable), "Enable", "Disabled", "Enabled", true);
    BindNumber(*m_pBandwidth, this, AttributeId(param::kFilterBandwidth), "Bandwidth", 150, 1, 992);
    m_pBandwidth->SetUnits("Hz");

    struct Live {
        ZRLongAttribute* attribute;
        int32_t parameter;
        const char* name;
        const ScaleUnits& models;
        int precision;
    };
    const Live live[] = {
        {m_pVelocityFeedback.get(), 133, "Velocity - Motor Feedback", velocity, 1},
        {m_pVelocityError.get(), 134, "Velocity - Error", velocity, 1},
        {m_pVelocityCommand.get(), 132, "Velocity - Command", velocity, 1},
        {m_pPositionFeedback.get(), param::kMotorFeedbackPosition, "Position - Motor Feedback", position, 0},
        {m_pPositionErrorPeakPlus.get(), 130, "Position - Error Peak +", fbPosition, 0},
        {m_pPositionErrorPeakMinus.get(), 131, "Position - Error Peak -", fbPosition, 0},
        {m_pPositionError.get(), 129, "Position - Error", fbPosition, 0},
        {m_pPositionCommand.get(), 128, "Position - Command", fbPosition, 0},
        {m_pCurrentUPhase.get(), 142, "Current - U-Phase", current, 2},
        {m_pCurrentFeedback.get(), 141, "Current - Feedback", current, 2},
        {m_pQAxisFeedback.get(), 141, "Q-Axis Feedback", current, 2},
        {m_pDAxisFeedback.get(), 140, "D-Axis Feedback", current, 2},
        {m_pQAxisError.get(), 189, "Q-Axis Error", current, 2},
        {m_pDAxisError.get(), 190, "D-Axis Error", current, 2},
        {m_pCurrentWPhase.get(), 143, "Current - W-Phase", current, 2},
        {m_pCurrentPeakPlus.get(), 137, "Current - Peak +", current, 2},
        {m_pCurrentPeakMinus.get(), 138, "Current - Peak -", current, 2},
        {m_pCurrentAnalogLimit.get(), 124, "Current - Analog Limit Input", current, 2},
        {m_pCurrentCommand.get(), 135, "Current - Command", current, 2},
        {m_pCurrentAverage.get(), 136, "Current - Average", current, 2},
    };
    for (const Live& v : live) {
        BindNumber(*v.attribute, this, AttributeId(v.parameter), v.name, 0);
        UseScale(*v.attribute, v.models, v.precision);
        v.attribute->SetWritable(false);
    }
    BindNumber(*m_pLoopGain, this, AttributeId(263), "Loop Gain", 0);
    m_pLoopGain->SetWritable(false);
    BindFlag(*m_pIntegratorInhibit, this, AttributeId(param::kInputFunctionStates), "Integrator Inhibit");
    BindFlag(*m_pAutotuneComplete, this, AttributeId(98), "Autotune Complete");
    BindFlag(*m_pAutotuneFailed, this, AttributeId(98), "Autotune Failed");

    BindCommand(*m_pAutotune, this, kAutotuneService);

    BindNumber(*m_pKaff, this, AttributeId(param::kKaff), "Kaff", 0, 0, 200);
    m_pKaff->SetUnits("%");
    m_pKaff->SetFirstVersion(kKaffFirstVersion);

    AddProperties(*this, {m_pMotorDirection.get(),
                          m_pP.get(),
                          m_pI.get(),
                          m_pD.get(),
                          m_pKp.get(),
                          m_pKd.get(),
                          m_pKvff.get(),
                          m_pKi.get(),
                          m_pKiZone.get(),
                          m_pKaff.get(),
                          m_pKpd.get(),
                          m_pKpq.get(),
                          m_pKiq.get(),
                          m_pKid.get(),
                          m_pKe.get(),
                          m_pMaximumDistance.get(),
                          m_pStepCurrent.get(),
                          m_pDistance.get(),
                          m_pPositionTime.get(),
                          m_pVelocity.get(),
                          m_pVelocityTime.get(),
                          m_pEnable.get(),
                          m_pBandwidth.get()});
    AddStatuses(*this, {m_pVelocityFeedback.get(), m_pVelocityError.get(), m_pVelocityCommand.get(),
                        m_pPositionFeedback.get(), m_pPositionErrorPeakPlus.get(),
                        m_pPositionErrorPeakMinus.get(), m_pPositionError.get(), m_pPositionCommand.get(),
                        m_pCurrentUPhase.get(), m_pCurrentFeedback.get(), m_pDAxisFeedback.get(),
                        m_pCurrentWPhase.get(), m_pCurrentPeakPlus.get(), m_pCurrentPeakMinus.get(),
                        m_pCurrentAnalogLimit.get(), m_pCurrentCommand.get(), m_pCurrentAverage.get()});
}

bool ZRTuning::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    // Old values are addressed by their index in the file's value table.
    const auto old = [&f](int index) { return f.GetValue(index + ZROlbraConverter::kFirstTypedSlot); };
    const auto raw = [](ZRUlongAttribute& a, int32_t v) { a.SetInternalValue(static_cast<uint32_t>(v)); };

    raw(*m_pKp, old(10));
    raw(*m_pKi, old(11));
    raw(*m_pKd, old(12));
    m_pKvff->SetValue(old(13));
    m_pKiZone->SetValue(old(14));
    m_pP->SetValue(old(22));
    m_pI->SetValue(old(23));
    m_pD->SetValue(old(24));
    m_pBandwidth->SetValue(old(30));
    m_pEnable->SetValue(old(33) != 0);
    raw(*m_pKpd, old(38));
    raw(*m_pKpq, old(39));
    raw(*m_pKiq, old(40));
    raw(*m_pKid, old(41));
    raw(*m_pKe, old(42));

    // The step current is a share of the smaller of the drive's and the motor's peak currents.
    auto* drive = dynamic_cast<ZRDrive*>(DriveOf(this));
    const double drivePeak = drive ? drive->GetDrivePeakCurrent() : 0.0;
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;
    const double motorPeak = motor ? motor->GetIntermittentCurrent()->GetValue() : drivePeak;
    const double smaller = motorPeak < drivePeak ? motorPeak : drivePeak;
    const double percent = old(115) * 100.0 / (smaller * 128.0);
    const std::string currentWarning = "Warning: Autotune Current value is out of range. Setting to ";
    if (!(smaller > 0) || !std::isfinite(percent)) {
        // A motor without a current rating says nothing about the step: the block keeps its default.
        f.AppendLog(currentWarning + "default.");
        m_pStepCurrent->SetInternalValue(kDefaultStepCurrent);
    } else if (percent < 0.5) {
        f.AppendLog(currentWarning + "min allowed.");
        m_pStepCurrent->SetValue(1);
    } else {
        m_pStepCurrent->SetValue(percent);
    }

    m_pMaximumDistance->SetValue(old(116));
    m_pPositionTime->SetValue(old(117));
    m_pDistance->SetValue(old(118));
    m_pVelocityTime->SetValue(old(119));

    // Old velocities count encoder lines per minute in 1/65536.
    const double v = old(120) * MotorLinesRevolution(this) * 4 * 2.5431315104166666e-7 + 0.5;
    const std::string velocityWarning = "Warning: Manual Velocity Tuning Step Size value is out of range. Setting to ";
    uint32_t velocity = 1;
    if (v > kMax) {
        f.AppendLog(velocityWarning + "max allowed.");
        velocity = static_cast<uint32_t>(kMax);
    } else if (!(v >= 1)) {
        f.AppendLog(velocityWarning + "min allowed.");
    } else {
        velocity = static_cast<uint32_t>(v);
    }
    m_pVelocity->SetInternalValue(velocity);

    const int32_t direction = old(121);
    SelectStored(f, *m_pMotorDirection, direction);
    return m_pMotorDirection->GetValue() == direction;
}
