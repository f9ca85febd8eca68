#include "quorvance/fenwa/FenwaTuning.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommand.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"

#include <initializer_list>
#include <string>
#include <tuple>
#include <utility>

using namespace fenwa;
using namespace fenwa::attr;

namespace {

// The drive's shared scale and units objects the block binds; all null without a drive.
struct DriveModels {
    ZRScale* velocityScale = nullptr;
    ZRScale* positionScale = nullptr;
    ZRScale* currentScale = nullptr;
    ZRUnits* velocityUnits = nullptr;
    ZRUnits* positionUnits = nullptr;
};

DriveModels TuningModels(ZRObject& block) {
    const ScaleUnits velocity = ModelsOf(&block, Model::Velocity);
    const ScaleUnits position = ModelsOf(&block, Model::Position);
    return {velocity.scale, position.scale, ModelsOf(&block, Model::Current).scale, velocity.units,
            position.units};
}

// A gain or filter: bound, ranged on the shown value, its initial value set.
void Gain(ZRUlongAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name, double hi,
          uint32_t initial, const char* units = nullptr) {
    Bind(attribute, owner, id, name);
    if (units)
        attribute.SetUnits(units);
    PlainRange(attribute, 0, hi);
    attribute.SetInternalValue(initial);
}

void Scaled(ZRValAttribute& attribute, ZRScale* scale, ZRUnits* units) {
    attribute.SetScaleObject(scale);
    attribute.SetUnitsObject(units);
}

std::unique_ptr<ZRLongOptions> Options(ZRObject* owner, std::initializer_list<const char*> texts) {
    auto options = std::make_unique<ZRLongOptions>(owner, 2);
    int32_t value = 0;
    for (const char* text : texts)
        options->Add(value++, text);
    return options;
}

// A live value the drive reports: read only, never stored.
void Live(ZRLongAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    Bind(attribute, owner, id, name);
    attribute.SetWritable(false);
}

constexpr const char* kAlwaysOn = "Always On";
constexpr const char* kHighCurrentDisable = "High Current Disable";
constexpr const char* kVelocityCommandDisable = "Velocity Command Disable";
constexpr const char* kPositionErrorDisable = "Position Error Disable";

} // namespace

FenwaTuning::FenwaTuning() {
    SetClass(kTuningType);
    SetVersion(kObjectVersion);
    ZRDevice*& d = GetDevice();
    m_pAdaptiveResponse = std::make_unique<ZRIndexSelection>(d);
    m_pOnlineTuning = std::make_unique<ZRCompositeAttribute>(d);
    for (auto* p : {&m_pP, &m_pIntegratorTime, &m_pHoldThreshold, &m_pD, &m_pVelocityLowPass, &m_pKp, &m_pKff,
                    &m_pKffLowPass, &m_pHighErrorOffset, &m_pHighErrorThreshold, &m_pCurrentLowPass,
                    &m_pResonantSuppression, &m_pAutotuningSpeed, &m_pVRegP, &m_pVRegIntegratorTime,
                    &m_pVRegLowPass, &m_pPRegKp, &m_pIRegLowPass})
        *p = std::make_unique<ZRUlongAttribute>(d, 4);
    m_pIntegratorMode = std::make_unique<ZRIndexSelection>(d);
    m_pGain = std::make_unique<ZRIndexSelection>(d);
    for (auto* p : {&m_pCommandVelocity, &m_pFeedbackVelocity, &m_pVelocityError, &m_pMasterPosition,
                    &m_pFollowerPosition, &m_pPositionError, &m_pCommandCurrent, &m_pUPhaseCurrent,
                    &m_pVPhaseCurrent, &m_pWPhaseCurrent, &m_pFeedbackCurrent, &m_pMotorFeedbackPosition})
        *p = std::make_unique<ZRLongAttribute>(d, 4);
    m_pAutotune = std::make_unique<FenwaCommand>(d);
    m_pSecond = std::make_unique<FenwaCommand>(d);
}

FenwaTuning::~FenwaTuning() {
    m_pIntegratorMode->RemoveObserver(this);
    m_pGain->RemoveObserver(this);
}

void FenwaTuning::Init() {
    ZRObject::Init();
    InitBlock(*this, kTuningType, "Tuning");
    const DriveModels models = TuningModels(*this);

    Bind(*m_pOnlineTuning, this, kOnlineTuning, "Online Tuning (Pr-0.03)");
    m_pOnlineTuning->SetValue("0700");

    // The first two characters of "Online Tuning (Pr-0.03)" are values of their own.
    auto responseField =
        std::make_unique<ZRAttributeField>(m_pAdaptiveResponse.get(), m_pOnlineTuning.get(), 0, 1);
    Bind(*m_pAdaptiveResponse, this, kNone, "Adaptive Tuning Response");
    m_pAdaptiveResponse->SetOptions(
        Options(this, {"Off", "1 (Slowest)", "2", "3", "4", "5", "6", "7 (Fastest)"}));
    responseField->SetLongOptions(dynamic_cast<ZRLongOptions*>(m_pAdaptiveResponse->GetOptions()));
    m_pAdaptiveResponse->SetField(std::move(responseField));
    m_pAdaptiveResponse->SetValue(0);
    m_pAdaptiveResponse->AddRefreshAttribute(m_pOnlineTuning.get());

    Gain(*m_pP, this, kTuningP, "P", 500, 60);
    Gain(*m_pIntegratorTime, this, kIntegratorTime, "Integrator Time", 60000, 26);

    Bind(*m_pIntegratorMode, this, kIntegratorMode, "Integrator Mode");
    m_pIntegratorMode->SetOptions(
        Options(this, {kAlwaysOn, kHighCurrentDisable, kVelocityCommandDisable, kPositionErrorDisable}));
    m_pIntegratorMode->SetValue(0);
    m_pIntegratorMode->AddObserver(this);

    Gain(*m_pHoldThreshold, this, kIntegratorHoldThreshold, "Integrator Hold Threshold", 3000, 100);
    m_pHoldThreshold->SetHidden(true);
    Gain(*m_pD, this, kTuningD, "D", 1000, 0);
    Gain(*m_pVelocityLowPass, this, kVelocityLowPass, "Low Pass Filter Bandwidth", 10000, 1000, "Hz");
    Gain(*m_pKp, this, kTuningKp, "Kp", 700, 20, "Hz");
    Gain(*m_pKff, this, kKff, "Kff", 100, 0, "%");
    Gain(*m_pKffLowPass, this, kKffLowPass, "Kff Low Pass Filter Bandwidth", 800, 200, "Hz");

    Bind(*m_pHighErrorOffset, this, kHighErrorOutputOffset, "High Error Output Offset");
    Scaled(*m_pHighErrorOffset, models.velocityScale, models.velocityUnits);
    StoredRange(*m_pHighErrorOffset, 0, 450);
    m_pHighErrorOffset->SetInternalValue(0);
    Bind(*m_pHighErrorThreshold, this, kHighErrorOutputThreshold, "High Error Output Threshold");
    Scaled(*m_pHighErrorThreshold, models.positionScale, models.positionUnits);
    StoredRange(*m_pHighErrorThreshold, 0, 50000);
    m_pHighErrorThreshold->SetInternalValue(1000);

    Bind(*m_pGain, this, kGain, "Gain");
    m_pGain->SetOptions(Options(this, {"High", "Medium", "Low"}));
    m_pGain->SetAsString("High");
    m_pGain->AddObserver(this);

    Gain(*m_pCurrentLowPass, this, kCurrentLowPass, "Low Pass Filter Bandwidth", 10000, 300, "Hz");
    Gain(*m_pResonantSuppression, this, kResonantSuppression, "Resonant Frequency Suppression", 10000, 10000,
         "Hz");

    // One digit of "Online Tuning (Pr-0.03)" in hundreds of the velocity units.
    auto speedField =
        std::make_unique<ZRAttributeField>(m_pAutotuningSpeed.get(), m_pOnlineTuning.get(), 1, 1);
    Bind(*m_pAutotuningSpeed, this, kNone, "Autotuning Speed");
    Scaled(*m_pAutotuningSpeed, models.velocityScale, models.velocityUnits);
    m_pAutotuningSpeed->SetScale(0.01);
    StoredRange(*m_pAutotuningSpeed, 2, 9);
    m_pAutotuningSpeed->SetField(std::move(speedField));
    m_pAutotuningSpeed->SetInternalValue(7);
    m_pAutotuningSpeed->AddRefreshAttribute(m_pOnlineTuning.get());

    Gain(*m_pVRegP, this, kVRegP, "VReg P Gain", 1000, 60);
    Gain(*m_pVRegIntegratorTime, this, kVRegIntegratorTime, "VReg Integrator Time", 60000, 26);
    Gain(*m_pVRegLowPass, this, kVRegLowPass, "VReg Low Pass Bandwidth", 10000, 1000, "Hz");
    Gain(*m_pPRegKp, this, kPRegKp, "PReg Kp Gain", 700, 20, "Hz");
    Gain(*m_pIRegLowPass, this, kIRegLowPass, "IReg Low Pass Bandwidth", 10000, 300, "Hz");

    for (auto [attribute, id, name] :
         {std::tuple{m_pCommandVelocity.get(), kCommandVelocity, "Command Velocity"},
          std::tuple{m_pFeedbackVelocity.get(), kFeedbackVelocity, "Feedback Velocity"},
          std::tuple{m_pVelocityError.get(), kVelocityError, "Error"}}) {
        Live(*attribute, this, id, name);
        Scaled(*attribute, models.velocityScale, models.velocityUnits);
        attribute->SetPrecision(1);
    }
    Live(*m_pMasterPosition, this, kMasterPosition, "Master Position");
    m_pMasterPosition->SetUnits("Counts");
    for (auto [attribute, id, name] :
         {std::tuple{m_pFollowerPosition.get(), kFollowerPosition, "Follower Position"},
          std::tuple{m_pPositionError.get(), kPositionError, "Error"}}) {
        Live(*attribute, this, id, name);
        Scaled(*attribute, models.positionScale, models.positionUnits);
    }
    Live(*m_pCommandCurrent, this, kCommandCurrent, "Command Current");
    m_pCommandCurrent->SetUnits("Amps");
    m_pCommandCurrent->SetScaleObject(models.currentScale);
    m_pCommandCurrent->SetPrecision(2);
    for (auto [attribute, id, name] :
         {std::tuple{m_pUPhaseCurrent.get(), kUPhaseCurrent, "U Phase Current"},
          std::tuple{m_pVPhaseCurrent.get(), kVPhaseCurrent, "V Phase Current"},
          std::tuple{m_pWPhaseCurrent.get(), kWPhaseCurrent, "W Phase Current"},
          std::tuple{m_pFeedbackCurrent.get(), kFeedbackCurrent, "Feedback Current"}}) {
        Live(*attribute, this, id, name);
        attribute->SetUnits("Amps");
        attribute->SetScale(1000);
        attribute->SetPrecision(3);
    }
    Live(*m_pMotorFeedbackPosition, this, kMotorFeedbackPosition, "Motor Feedback Position");
    m_pMotorFeedbackPosition->SetUnits("Revs");
    Scaled(*m_pMotorFeedbackPosition, models.positionScale, models.positionUnits);

    m_pAutotune->SetObject(this);
    m_pAutotune->SetCommand("TAT", "01", 1);
    m_pSecond->SetObject(this);
    m_pSecond->SetCommand("ETC", "0B", 1);

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{m_pOnlineTuning.get(),
                                                              m_pIntegratorMode.get(),
                                                              m_pHoldThreshold.get(),
                                                              m_pVelocityLowPass.get(),
                                                              m_pKff.get(),
                                                              m_pKffLowPass.get(),
                                                              m_pP.get(),
                                                              m_pIntegratorTime.get(),
                                                              m_pD.get(),
                                                              m_pKp.get(),
                                                              m_pHighErrorOffset.get(),
                                                              m_pHighErrorThreshold.get(),
                                                              m_pCurrentLowPass.get(),
                                                              m_pGain.get(),
                                                              m_pResonantSuppression.get(),
                                                              m_pVRegP.get(),
                                                              m_pVRegIntegratorTime.get(),
                                                              m_pVRegLowPass.get(),
                                                              m_pPRegKp.get(),
                                                              m_pIRegLowPass.get()})
        AddProperty(a);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pFeedbackVelocity.get(), m_pVelocityError.get(), m_pCommandVelocity.get(),
             m_pFollowerPosition.get(), m_pPositionError.get(), m_pMasterPosition.get(),
             m_pCommandCurrent.get(), m_pUPhaseCurrent.get(), m_pVPhaseCurrent.get(), m_pWPhaseCurrent.get()})
        AddStatus(a);
    AddCommand(m_pAutotune.get());
    AddCommand(m_pSecond.get());
}

void FenwaTuning::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (!subject)
        return;
    const int reason = ReasonOf(message);
    if (subject == static_cast<platform::core::Subject*>(m_pIntegratorMode.get())) {
        if (reason == ZRUpdate::ValueChanged)
            FollowIntegratorMode();
    } else if (subject == static_cast<platform::core::Subject*>(m_pGain.get())) {
        // A new gain takes effect only after a reset of the drive.
        if (reason == ZRUpdate::ValueWritten)
            if (auto* drive = dynamic_cast<FenwaDrive*>(GetParent()))
                drive->RequestResetPrompt();
    }
}

void FenwaTuning::FollowIntegratorMode() {
    ZRUlongAttribute& threshold = *m_pHoldThreshold;
    const std::string mode = m_pIntegratorMode->GetAsString();
    if (mode == kAlwaysOn) {
        threshold.SetHidden(true);
        Scaled(threshold, nullptr, nullptr);
        return;
    }
    threshold.SetHidden(false);
    const DriveModels models = TuningModels(*this);
    if (mode == kHighCurrentDisable) {
        Scaled(threshold, nullptr, nullptr);
        threshold.SetUnits("% motor rated current");
    } else if (mode == kVelocityCommandDisable) {
        Scaled(threshold, models.velocityScale, models.velocityUnits);
        threshold.Notify(ZRUpdate::ValueChanged);
    } else if (mode == kPositionErrorDisable) {
        Scaled(threshold, models.positionScale, models.positionUnits);
        threshold.Notify(ZRUpdate::ValueChanged);
    }
    threshold.Notify(ZRUpdate::UnitsChanged);
}

void FenwaTuning::CopyMainGainsToAlternate() {
    // A refused write leaves that pair as it was; the others still go.
    const std::pair<ZRUlongAttribute*, ZRUlongAttribute*> pairs[] = {
        {m_pP.get(), m_pVRegP.get()},
        {m_pIntegratorTime.get(), m_pVRegIntegratorTime.get()},
        {m_pVelocityLowPass.get(), m_pVRegLowPass.get()},
        {m_pKp.get(), m_pPRegKp.get()},
        {m_pCurrentLowPass.get(), m_pIRegLowPass.get()},
    };
    for (const auto& [main, alternate] : pairs)
        alternate->SetValue(main->GetValue());
}
