#include "quorvance/tarvik/ZRMotorTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommutationRS.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRFluxRS.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLinearMotorRS.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRProtectionRS.h"
#include "kitbase/model/ZRRotaryMotorRS.h"
#include "kitbase/model/ZRRotaryRS.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRValAutoMotorIden.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZROlbraConverter.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"

#include <algorithm>

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr uint32_t kIdenVersion = 0x10A00;
constexpr uint32_t kGearVersion = 0x11D00;
constexpr const char* kFluxUnits[ZRMotorTarvik::kFluxPoints] = {"@ 1/8 peak", "@ 1/4 peak", "@ 3/8 peak",
                                                                 "@ 1/2 peak", "@ 5/8 peak", "@ 3/4 peak",
                                                                 "@ 7/8 peak", "@ peak"};

platform::db::Database* MotorDatabase() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    return data ? data->GetMotorDB() : nullptr;
}

// A scaled unsigned value: raw initial value first, then divisor and precision.
void Scaled(ZRUlongAttribute& a, ZRObject* owner, int32_t id, const char* name, uint32_t initial, double divisor,
            int precision, const char* units) {
    Bind(a, owner, id, name, units);
    a.SetInternalValue(initial);
    a.SetScale(divisor);
    a.SetPrecision(precision);
}

void YesNo(ZRBoolAttribute& a, ZRObject* owner, int32_t parameter, const char* name, bool initial) {
    Bind(a, owner, AttributeId(parameter), name);
    a.SetStrings("No", "Yes");
    a.SetValue(initial);
}

bool IsSerialEncoder(const std::string& text) {
    return text == "SRS/SRM" || text == "SKS/SKM";
}

// The option of the stored database value, or no valid choice when the list has none.
void SelectByValue(ZRIndexSelection& selection, int32_t value) {
    auto* options = dynamic_cast<ZRLongOptions*>(selection.GetOptions());
    int index = -1;
    if (options && options->GetIndex(value, index))
        selection.SetValue(index);
    else
        selection.SetInvalid();
}

} // namespace

class ZRMotorTarvik::Loading {
public:
    explicit Loading(ZRMotorTarvik& motor) : m_motor(motor), m_previous(motor.m_bLoading) { motor.m_bLoading = true; }
    ~Loading() { m_motor.m_bLoading = m_previous; }
    Loading(const Loading&) = delete;
    Loading& operator=(const Loading&) = delete;

private:
    ZRMotorTarvik& m_motor;
    bool m_previous;
};

ZRMotorTarvik::ZRMotorTarvik()
    : m_pMotorModel(MakeAttr<ZRStringAttribute>(GetDevice(), 32, PadRight, ' ')),
      m_pSelfSensingCurrent(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pDriveMotorModel(MakeAttr<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ')),
      m_pMotorFlag(MakeAttr<ZRIndexSelection>(GetDevice())), m_pMotorType(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pAutoMotorIden(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pTorqueConstant(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pForceConstant(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pInertia(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)), m_pMass(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pTotalMovingMass(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pPolesRevolution(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)),
      m_pElectricalCycle(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pIntegralLimits(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pRatedVoltage(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pResistance(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pInductance(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pMaximumSpeedLinear(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pIntermittentCurrent(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pContinuousCurrent(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pEncoder(MakeAttr<ZRIndexSelection>(GetDevice())), m_pCommutation(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pSinusoidalStartup(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pHallInputOffset(MakeAttr<ZRLongAttribute>(GetDevice(), 2)),
      m_pLinesMeter(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pIntegralThermostat(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pSoftwareProtection(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pRthWE(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)), m_pCthWE(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pRthWA(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)), m_pCthWA(MakeAttr<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMotorTemperature(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pGearBox(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pGearRatioNumerator(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pGearRatioDenominator(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pLinesRevolution(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pMaximumSpeed(MakeAttr<ZRUlongAttribute>(GetDevice(), 2)),
      m_pMotorParameterSource(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pMotorRS(std::make_unique<ZRMotorRS>(MotorDatabase())),
      m_pRotaryRS(std::make_unique<ZRRotaryMotorRS>(MotorDatabase())),
      m_pLinearRS(std::make_unique<ZRLinearMotorRS>(MotorDatabase())),
      m_pCommutationRS(std::make_unique<ZRCommutationRS>(MotorDatabase())),
      m_pFluxRS(std::make_unique<ZRFluxRS>(MotorDatabase())) {
    for (auto& flux : m_FluxSaturation)
        flux = MakeAttr<ZRUlongAttribute>(GetDevice(), 1);
}

ZRMotorTarvik::~ZRMotorTarvik() {
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m_pMotorModel.get(), m_pEncoder.get(), m_pMotorType.get(),
                                             m_pAutoMotorIden.get(), m_pSinusoidalStartup.get(),
                                             m_pMotorParameterSource.get()})
        a->RemoveObserver(this);
}

void ZRMotorTarvik::Init() {
    ZRObject::Init();
    SetClass(kMotorType);
    SetVersion(kBlockVersion);
    GetName().SetValue("Motor");

    Bind(*m_pMotorModel, this, AttributeId(kMotorModel), "Motor Model");
    Bind(*m_pSelfSensingCurrent, this, AttributeId(kSelfSensingCurrent), "Self Sensing Current", "% Motor Peak");
    m_pSelfSensingCurrent->SetInternalValue(16);
    SetRange(*m_pSelfSensingCurrent, 1, 100);
    m_pSelfSensingCurrent->SetFirstVersion(kIdenVersion);
    m_pSelfSensingCurrent->SetHidden(true);
    Bind(*m_pDriveMotorModel, this, AttributeId(kMotorModel), "Motor Model");
    m_pDriveMotorModel->SetWritable(false);

    Bind(*m_pMotorFlag, this, AttributeId(kMotorFlag), "Motor Flag");
    SetLongOptions(*m_pMotorFlag, this, {{0, "Custom"}, {1, "Standard"}});
    Bind(*m_pMotorType, this, AttributeId(kMotorTypeParam), "Motor Type");
    SetLongOptions(*m_pMotorType, this, {{0, "Rotary"}, {1, "Linear"}});
    Bind(*m_pAutoMotorIden, this, AttributeId(kAutoMotorIden), "Auto Motor Iden");
    m_pAutoMotorIden->SetStrings("Enabled", "Disabled");
    m_pAutoMotorIden->SetValue(false);

    Scaled(*m_pTorqueConstant, this, AttributeId(kTorqueConstant), "Torque Constant", 2458, 4096, 4, "N-m/A");
    Scaled(*m_pForceConstant, this, AttributeId(kForceConstant), "Force Constant", 16, 16, 2, "N/A");
    m_pForceConstant->SetHidden(true);
    Scaled(*m_pInertia, this, AttributeId(kInertia), "Inertia", 49807, 65536, 3, "Kg-cm^2");
    Scaled(*m_pMass, this, AttributeId(kMass), "Mass", 65536, 65536, 3, "Kg");
    m_pMass->SetHidden(true);
    Scaled(*m_pTotalMovingMass, this, AttributeId(kTotalMovingMass), "Total Moving Mass", 0, 65536, 3, "Kg");
    m_pTotalMovingMass->SetHidden(true);
    Scaled(*m_pPolesRevolution, this, AttributeId(kPolesPerRevolution), "Poles/Revolution", 8, 1, 0, nullptr);
    Scaled(*m_pElectricalCycle, this, AttributeId(kElectricalCycle), "Electrical Cycle", 300, 10000, 4, "Meters");
    m_pElectricalCycle->SetHidden(true);
    YesNo(*m_pIntegralLimits, this, kIntegralLimits, "Integral Limits", false);
    Scaled(*m_pRatedVoltage, this, AttributeId(kRatedVoltage), "Rated Voltage", 230, 1, 0, "Volts");
    Scaled(*m_pResistance, this, AttributeId(kResistance), "Resistance", 998, 256, 3, "Ohms");
    Scaled(*m_pInductance, this, AttributeId(kInductance), "Inductance", 6144, 256, 3, "mH");
    for (int i = 0; i < kFluxPoints; ++i) {
        Scaled(*m_FluxSaturation[i], this, AttributeId(kFluxSaturation, i),
               ("Flux Saturation" + std::to_string(i + 1)).c_str(), 255, 255, 3, kFluxUnits[i]);
    }
    Scaled(*m_pMaximumSpeedLinear, this, AttributeId(kMaximumSpeedLinear), "Maximum Speed", 256, 256, 2, "Meters/Sec");
    m_pMaximumSpeedLinear->SetHidden(true);
    Scaled(*m_pIntermittentCurrent, this, AttributeId(kIntermittentCurrent), "Intermittent Current", 2560, 128, 2,
           "Amps");
    Scaled(*m_pContinuousCurrent, this, AttributeId(kContinuousCurrent), "Continuous Current", 640, 128, 2, "Amps");

    Bind(*m_pEncoder, this, AttributeId(kMotorEncoder), "Encoder");
    {
        auto options = std::make_unique<ZRLongOptions>(this, 1);
        options->Add(1, "Incremental");
        options->Add(2, "Sine/Cosine");
        options->Add(3, "SRS/SRM", kGearVersion, true, 2);
        options->Add(6, "SKS/SKM", kBlockVersion, true, 2);
        m_pEncoder->SetOptions(std::move(options));
    }
    Bind(*m_pCommutation, this, AttributeId(kCommutation), "Commutation");
    LoadCommutationOptions();
    Bind(*m_pSinusoidalStartup, this, AttributeId(kSinusoidalStartup), "Sinusoidal Startup");
    {
        auto options = std::make_unique<ZRLongOptions>(this, 1);
        options->Add(0, "Self-Sensing");
        options->Add(1, "Hall Inputs");
        options->Add(2, "Serial", kGearVersion, true, 0);
        m_pSinusoidalStartup->SetOptions(std::move(options));
    }
    m_pSinusoidalStartup->SetAsString("Hall Inputs");
    Bind(*m_pHallInputOffset, this, AttributeId(kHallInputOffset), "Hall Input Offset", "degrees");
    m_pHallInputOffset->SetInternalValue(0);
    Scaled(*m_pLinesMeter, this, AttributeId(kMotorLinesPerMeter), "Lines/Meter", 100000, 1, 0, nullptr);
    m_pLinesMeter->SetHidden(true);
    YesNo(*m_pIntegralThermostat, this, kIntegralThermostat, "Integral Thermostat", false);
    YesNo(*m_pSoftwareProtection, this, kSoftwareProtection, "Software Protection", true);
    Scaled(*m_pRthWE, this, AttributeId(kRthWE), "Rth(w-e)", 0x7FFFFFFF, 65536, 1, "C/W");
    Scaled(*m_pCthWE, this, AttributeId(kCthWE), "Cth(w-e)", 1, 256, 2, "W-s/C");
    Scaled(*m_pRthWA, this, AttributeId(kRthWA), "Rth(w-a)", 57672, 65536, 3, "C/W");
    Scaled(*m_pCthWA, this, AttributeId(kCthWA), "Cth(w-a)", 314112, 256, 1, "W-s/C");
    Scaled(*m_pMotorTemperature, this, AttributeId(kMotorTemperature), "Motor Temperature", 0, 128, 0, "%");
    m_pMotorTemperature->SetWritable(false);
    YesNo(*m_pGearBox, this, kGearBox, "Gear Box", false);
    m_pGearBox->SetFirstVersion(kGearVersion);
    Scaled(*m_pGearRatioNumerator, this, AttributeId(kGearRatioNumerator), "Gear Ratio Numerator", 1, 1, 0, nullptr);
    Scaled(*m_pGearRatioDenominator, this, AttributeId(kGearRatioDenominator), "Gear Ratio Denominator", 1, 1, 0,
           nullptr);
    for (ZRUlongAttribute* a : {m_pGearRatioNumerator.get(), m_pGearRatioDenominator.get()}) {
        a->SetHidden(true);
        a->SetFirstVersion(kGearVersion);
    }
    Scaled(*m_pLinesRevolution, this, AttributeId(kMotorLinesPerRevolution), "Lines/Revolution", 2000, 1, 0, nullptr);
    Scaled(*m_pMaximumSpeed, this, AttributeId(kMaximumSpeedRotary), "Maximum Speed", 3500, 1, 0, "RPM");
    BindDriveScales();
    Bind(*m_pMotorParameterSource, this, AttributeId(kMotorParameterSource), "Motor Parameter Source");
    SetUlongOptions(*m_pMotorParameterSource, this,
                    {{129, "NVRAM"}, {130, "Intelligent Encoder"}, {132, "Motor Blob"}});
    m_pMotorParameterSource->SetWritable(false);

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMotorModel.get(), m_pSelfSensingCurrent.get(), m_pMotorFlag.get(), m_pMotorType.get(),
             m_pAutoMotorIden.get(), m_pTorqueConstant.get(), m_pForceConstant.get(), m_pInertia.get(),
             m_pMass.get(), m_pTotalMovingMass.get(), m_pPolesRevolution.get(), m_pElectricalCycle.get(),
             m_pIntegralLimits.get(), m_pRatedVoltage.get(), m_pResistance.get(), m_pInductance.get()})
        AddProperty(a);
    for (auto& flux : m_FluxSaturation)
        AddProperty(flux.get());
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMaximumSpeedLinear.get(), m_pIntermittentCurrent.get(), m_pContinuousCurrent.get(),
             m_pEncoder.get(), m_pCommutation.get(), m_pSinusoidalStartup.get(), m_pHallInputOffset.get(),
             m_pLinesMeter.get(), m_pIntegralThermostat.get(), m_pSoftwareProtection.get(), m_pRthWE.get(),
             m_pCthWE.get(), m_pRthWA.get(), m_pCthWA.get(), m_pGearBox.get(), m_pGearRatioNumerator.get(),
             m_pGearRatioDenominator.get(), m_pLinesRevolution.get(), m_pMaximumSpeed.get()})
        AddProperty(a);

    m_pAutoMotorIden->AddValidation(std::make_unique<ZRValAutoMotorIden>(m_pEncoder.get(), m_pAutoMotorIden.get()));
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m_pMotorModel.get(), m_pEncoder.get(), m_pMotorType.get(),
                                             m_pAutoMotorIden.get(), m_pSinusoidalStartup.get(),
                                             m_pMotorParameterSource.get()})
        a->AddObserver(this);
}

void ZRMotorTarvik::BindDriveScales() {
    // The drive shows motor-side counts and speeds at the load through its gear scales.
    m_pLinesRevolution->SetScaleObject(ModelsOf(this, Model::InverseGear).scale);
    m_pMaximumSpeed->SetScaleObject(ModelsOf(this, Model::Gear).scale);
}

void ZRMotorTarvik::LoadCommutationOptions() {
    auto options = std::make_unique<ZRLongOptions>(this, 1);
    if (m_pCommutationRS->GetDatabase()) {
        m_pCommutationRS->Open();
        if (!m_pCommutationRS->IsEOF()) {
            m_pCommutationRS->MoveLast();
            m_pCommutationRS->MoveFirst();
        }
        for (; !m_pCommutationRS->IsEOF(); m_pCommutationRS->MoveNext())
            options->Add(m_pCommutationRS->m_CommutationID, m_pCommutationRS->m_CommutationName);
        m_pCommutationRS->Close();
    }
    m_pCommutation->SetOptions(std::move(options));
    m_pCommutation->SetAsString("Sinusoidal");
}

void ZRMotorTarvik::Attach(ZRDevice* device, int32_t instance) {
    Loading loading(*this);
    ZRObject::Attach(device, instance);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMotorModel.get(), m_pDriveMotorModel.get(), m_pMotorType.get(), m_pEncoder.get(),
             m_pLinesMeter.get(), m_pIntermittentCurrent.get(), m_pMaximumSpeed.get(), m_pMaximumSpeedLinear.get(),
             m_pAutoMotorIden.get(), m_pMotorParameterSource.get(), m_pGearBox.get(), m_pGearRatioNumerator.get(),
             m_pGearRatioDenominator.get(), m_pLinesRevolution.get()})
        a->Refresh(false);
}

void ZRMotorTarvik::Copy(ZRObject* source, bool withChildren) {
    Loading loading(*this);
    ZRObject::Copy(source, withChildren);
}

bool ZRMotorTarvik::Import(std::istream& in) {
    Loading loading(*this);
    return ZRObject::Import(in);
}

void ZRMotorTarvik::Refresh() {
    Loading loading(*this);
    ZRObject::Refresh();
}

void ZRMotorTarvik::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (ReasonOf(message) != ZRUpdate::ValueChanged)
        return;
    if (subject == m_pMotorModel.get()) {
        m_pMotorParameterSource->Refresh(false);
        if (!m_bLoading)
            LoadModel();
    } else if (subject == m_pMotorType.get()) {
        ApplyMotorType();
    } else if (subject == m_pAutoMotorIden.get()) {
        m_pMotorParameterSource->Refresh(false);
        ApplySelfSensingRule();
        if (!m_pAutoMotorIden->GetValue())
            ReadBackIdentifiedMotor();
    } else if (subject == m_pSinusoidalStartup.get()) {
        ApplySelfSensingRule();
    } else if (subject == m_pMotorParameterSource.get()) {
        const bool blob = m_pMotorParameterSource->GetAsString() == "Motor Blob";
        m_pAutoMotorIden->SetHidden(blob);
        m_pMotorModel->SetHidden(blob);
    }
}

void ZRMotorTarvik::ApplySelfSensingRule() {
    m_pSelfSensingCurrent->SetHidden(
        !(m_pAutoMotorIden->GetValue() && m_pSinusoidalStartup->GetAsString() == "Self-Sensing"));
}

void ZRMotorTarvik::ReadBackIdentifiedMotor() {
    // The drive has identified the motor: read its values back without reloading from the database.
    Loading loading(*this);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMotorModel.get(), m_pDriveMotorModel.get(), m_pMotorType.get(), m_pEncoder.get(),
             m_pLinesMeter.get(), m_pIntermittentCurrent.get(), m_pMaximumSpeedLinear.get(), m_pGearBox.get(),
             m_pGearRatioNumerator.get(), m_pGearRatioDenominator.get(), m_pLinesRevolution.get(),
             m_pMaximumSpeed.get()})
        a->Refresh(false);
    if (ZRAttribute* smart = SmartEncoderType())
        smart->Refresh(false);
}

ZRAttribute* ZRMotorTarvik::SmartEncoderType() {
    ZREncodersTarvik* encoders = SiblingOf<ZREncodersTarvik>(this);
    return encoders ? encoders->GetSmartEncoderType() : nullptr;
}

void ZRMotorTarvik::ApplyMotorType() {
    const std::string type = m_pMotorType->GetAsString();
    const bool linear = type == "Linear";
    if (type == "Rotary" && !m_pTorqueConstant->IsHidden() && m_pForceConstant->IsHidden())
        return;
    if (linear && !m_pForceConstant->IsHidden() && m_pTorqueConstant->IsHidden())
        return;
    m_pForceConstant->SetHidden(!linear);
    m_pTorqueConstant->SetHidden(linear);
    m_pMass->SetHidden(!linear);
    m_pTotalMovingMass->SetHidden(!linear);
    m_pInertia->SetHidden(linear);
    m_pElectricalCycle->SetHidden(!linear);
    m_pPolesRevolution->SetHidden(linear);
    m_pLinesMeter->SetHidden(!linear);
    m_pLinesRevolution->SetHidden(linear);
    m_pMaximumSpeedLinear->SetHidden(!linear);
    m_pMaximumSpeed->SetHidden(linear);
    m_pGearBox->SetHidden(linear);
}

void ZRMotorTarvik::LoadModel() {
    if (!m_pMotorRS->GetDatabase())
        return;
    const std::string model = m_pMotorModel->GetAsString();
    m_pMotorRS->Open();
    try {
        // The model text is the user's (or a file's): bound, never pasted into the condition.
        if (!m_pMotorRS->FindFirst("Motor.Model = ?", {model})) {
            m_pMotorRS->Close();
            return;
        }
        int encoderIndex = -1;
        auto* encoders = static_cast<ZRLongOptions*>(m_pEncoder->GetOptions());
        encoders->GetIndex(m_pMotorRS->m_EncoderID, encoderIndex);
        const bool serial = encoderIndex >= 0 && IsSerialEncoder(encoders->GetAsString(encoderIndex));
        if (m_pAutoMotorIden->GetAsString() != "Disabled") {
            if (!serial) {
                platform::core::MessageBox(
                    "The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.");
                m_pAutoMotorIden->SetAsString("Disabled");
            }
        } else if (serial) {
            platform::core::MessageBox(
                "The motor selected has an intelligent encoder. Auto Motor Iden will be enabled.");
            m_pAutoMotorIden->SetAsString("Enabled");
        }
        ZRDevice* device = GetDevice();
        if (!m_pAutoMotorIden->GetValue() && device && !device->IsOffLine()) {
            m_pMotorRS->Close();
            return;
        }
        WriteModelRow();
    } catch (const platform::db::DbError& error) {
        std::string text = error.what();
        if (!text.empty())
            platform::core::MessageBox(text.substr(0, 200));
    }
    if (m_pMotorRS->IsOpen())
        m_pMotorRS->Close();
}

void ZRMotorTarvik::WriteModelRow() {
    const ZRMotorRS& row = *m_pMotorRS;
    const std::string model = row.m_Model;
    SelectByValue(*m_pMotorType, row.m_TypeID);
    SelectByValue(*m_pMotorFlag, row.m_StandardMotor ? 1 : 0);
    m_pInductance->SetValue(row.m_Inductance);
    m_pResistance->SetValue(row.m_Resistance);

    m_pFluxRS->Open();
    for (int n = 1; n <= kFluxPoints; ++n) {
        if (m_pFluxRS->FindFirst("FluxSaturation.MotorID = ? AND Index = ?", {row.m_MotorID, n}))
            m_FluxSaturation[n - 1]->SetValue(m_pFluxRS->m_Saturation);
    }
    m_pFluxRS->Close();

    m_pIntermittentCurrent->SetValue(row.m_IntermittentCurrent);
    m_pContinuousCurrent->SetValue(row.m_ContinuousCurrent);
    m_pRatedVoltage->SetValue(row.m_RatedVoltage);
    m_pIntegralThermostat->SetValue(row.m_IntegralThermostat);
    m_pSoftwareProtection->SetValue(row.m_SoftwareProtection);
    SelectByValue(*m_pEncoder, row.m_EncoderID);
    SelectByValue(*m_pCommutation, row.m_CommutationID);
    SelectByValue(*m_pSinusoidalStartup, row.m_StartupID);
    m_pHallInputOffset->SetValue(row.m_HallInputOffset);
    m_pIntegralLimits->SetValue(row.m_IntegralLimits);

    if (row.m_TypeID != 0) {
        m_pLinearRS->Open();
        if (m_pLinearRS->FindFirst("Motor.Model = ?", {model})) {
            const ZRLinearMotorRS& linear = *m_pLinearRS;
            m_pForceConstant->SetValue(linear.m_ForceConstant);
            m_pMass->SetValue(linear.m_Mass);
            m_pElectricalCycle->SetValue(linear.m_ElectricalCycleLength);
            m_pLinesMeter->SetValue(linear.m_LinesPerMeter);
            m_pMaximumSpeedLinear->SetValue(linear.m_MaximumSpeed);
            m_pRthWE->SetValue(linear.m_RthWE);
            m_pCthWE->SetValue(linear.m_CthWE);
            m_pRthWA->SetValue(linear.m_RthWA);
            m_pCthWA->SetValue(linear.m_CthWA);
        }
        m_pLinearRS->Close();
    } else {
        m_pRotaryRS->Open();
        if (m_pRotaryRS->FindFirst("Motor.Model = ?", {model})) {
            const ZRRotaryMotorRS& rotary = *m_pRotaryRS;
            m_pTorqueConstant->SetValue(rotary.m_TorqueConstant);
            m_pInertia->SetValue(rotary.m_Inertia);
            m_pPolesRevolution->SetValue(rotary.m_PolesPerRevolution);
            m_pRthWE->SetValue(rotary.m_RthWE);
            m_pCthWE->SetValue(rotary.m_CthWE);
            m_pRthWA->SetValue(rotary.m_RthWA);
            m_pCthWA->SetValue(rotary.m_CthWA);
            m_pGearBox->SetValue(rotary.m_GearBox);
            m_pGearRatioNumerator->SetValue(rotary.m_GearRatioNumerator);
            m_pGearRatioDenominator->SetValue(rotary.m_GearRatioDenominator);
            // Raw values: the gear scales must not apply to the catalogue's motor-side numbers.
            m_pMaximumSpeed->SetInternalValue(static_cast<uint32_t>(rotary.m_MaximumSpeed));
            m_pLinesRevolution->SetInternalValue(static_cast<uint32_t>(rotary.m_LinesPerRevolution));
        }
        m_pRotaryRS->Close();
    }
}

namespace {

// Logs the reason and ends the conversion.
[[noreturn]] void Refuse(ZROlbraConverter& file, const std::string& line) {
    file.AppendLog(line);
    throw ZRError(0, "");
}

constexpr const char* kInductionMotor = "Error: Induction Motors are not supported.";
constexpr const char* kNotAdded = "Error: The custom motor could not be added to the motor database: ";

// The custom motor of a file, in catalogue units.
struct CustomMotor {
    float continuousCurrent, intermittentCurrent, resistance, inductance, torqueConstant;
    double inertia, maximumSpeed, thermalCapacity;
    bool softwareProtection, integralThermostat;
    int16_t hallInputOffset;
    uint8_t poles;
    int32_t lines;
};

CustomMotor ReadCustomMotor(ZROlbraConverter& file) {
    CustomMotor m{};
    m.continuousCurrent = static_cast<float>(file.GetValue(53) / 128.0);
    m.softwareProtection = file.GetValue(62) != 0;
    m.inductance = static_cast<float>(file.GetValue(58) / 256.0);
    m.integralThermostat = file.GetValue(59) != 0;
    m.hallInputOffset = static_cast<int16_t>(file.GetValue(65));
    m.intermittentCurrent = static_cast<float>(file.GetValue(52) / 128.0);
    m.resistance = static_cast<float>(file.GetValue(57) / 256.0);
    m.thermalCapacity = file.GetValue(63);
    m.torqueConstant = static_cast<float>(file.GetValue(54) / 4096.0);
    m.inertia = file.GetValue(55) / 64.0;
    m.lines = file.GetValue(50);
    const int32_t poleCode = file.GetValue(64);
    m.poles = poleCode >= 0 && poleCode <= 3 ? static_cast<uint8_t>(2 * (poleCode + 1)) : 2;
    // Integer division: the old unit's fraction of a turn per minute is dropped.
    const int32_t speed = file.GetValue(51) / 65536;
    if (speed < 300) {
        file.AppendLog("Warning: Max Rotation Speed value is out of range. Setting to min allowed.");
        m.maximumSpeed = 300;
    } else if (speed > 32767) {
        file.AppendLog("Warning: Max Rotation Speed value is out of range. Setting to max allowed.");
        m.maximumSpeed = 32767;
    } else {
        m.maximumSpeed = speed;
    }
    return m;
}

} // namespace

bool ZRMotorTarvik::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    m_pAutoMotorIden->SetAsString("Disabled");
    const auto code = static_cast<uint16_t>(file->GetValue(7));
    if (code == 0xFFFF) {
        CreateCustomMotor(file);
        return true;
    }
    if (code == 0)
        Refuse(*file, "Error: There is no motor selected.");
    if (code & 0x80)
        Refuse(*file, kInductionMotor);
    std::string name;
    if (!file->GetMotorName(code, name))
        Refuse(*file, "Error: Motor model is no longer supported.");
    m_pMotorFlag->SetValue(1);
    m_pMotorModel->SetAsString(name);
    return true;
}

void ZRMotorTarvik::CreateCustomMotor(ZROlbraConverter* file) {
    if (file->GetValue(60) == 0)
        Refuse(*file, kInductionMotor);
    const CustomMotor m = ReadCustomMotor(*file);
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data || !data->GetMotorDB())
        Refuse(*file, "Error: The motor database is not open.");

    // The id and the name are chosen before anything is written, so a refusal leaves no trace.
    platform::db::Database& catalogue = *data->GetMotorDB();
    int32_t id = 0;
    std::string name;
    try {
        id = std::max<int32_t>(static_cast<int32_t>(platform::db::ToInt64(
                                   catalogue.QueryValue("SELECT max(MotorID) FROM Motor"))),
                               1) +
             1;
        for (int i = 1; i <= 9999 && name.empty(); ++i) {
            std::string candidate = platform::core::Format("Custom%d", i);
            if (platform::db::ToInt64(catalogue.QueryValue("SELECT count(*) FROM Motor WHERE Model = ?",
                                                           {candidate})) == 0)
                name = std::move(candidate);
        }
    } catch (const platform::db::DbError& error) {
        Refuse(*file, std::string(kNotAdded) + error.what());
    }
    if (name.empty())
        Refuse(*file, "Error: Ran out of custom names.");

    try {
        platform::db::Database& db = data->GetWritableMotorDB();
        // All four tables or none.
        platform::db::Transaction transaction(db);
        m_pMotorRS->Open();
        m_pMotorRS->AddNew();
        m_pMotorRS->m_MotorID = id;
        m_pMotorRS->m_Model = name;
        m_pMotorRS->m_StandardMotor = false;
        m_pMotorRS->m_TypeID = 0;
        m_pMotorRS->m_Resistance = m.resistance;
        m_pMotorRS->m_Inductance = m.inductance;
        m_pMotorRS->m_IntermittentCurrent = m.intermittentCurrent;
        m_pMotorRS->m_ContinuousCurrent = m.continuousCurrent;
        m_pMotorRS->m_EncoderID = 1;
        m_pMotorRS->m_CommutationID = 2;
        m_pMotorRS->m_StartupID = 1;
        m_pMotorRS->m_HallInputOffset = m.hallInputOffset;
        m_pMotorRS->m_IntegralThermostat = m.integralThermostat;
        m_pMotorRS->m_SoftwareProtection = m.softwareProtection;
        m_pMotorRS->m_RatedVoltage = static_cast<int32_t>(m_pRatedVoltage->GetValue());
        m_pMotorRS->m_IntegralLimits = false;
        m_pMotorRS->Update();
        m_pMotorRS->Close();

        ZRRotaryRS rotary(&db);
        rotary.Open();
        rotary.AddNew();
        rotary.m_MotorID = id;
        rotary.m_TorqueConstant = m.torqueConstant;
        rotary.m_Inertia = m.inertia;
        rotary.m_PolesPerRevolution = m.poles;
        rotary.m_MaximumSpeed = m.maximumSpeed;
        rotary.m_LinesPerRevolution = m.lines;
        rotary.Update();
        rotary.Close();

        ZRProtectionRS protection(&db);
        protection.Open();
        protection.AddNew();
        protection.m_MotorID = id;
        if (m.softwareProtection)
            protection.m_CthWA = m.thermalCapacity;
        protection.m_RthWA = 1.0;
        protection.m_RthWE = 32.767;
        protection.Update();
        protection.Close();

        m_pFluxRS->Open();
        for (int j = 1; j <= kFluxPoints; ++j) {
            m_pFluxRS->AddNew();
            m_pFluxRS->m_MotorID = id;
            m_pFluxRS->m_Index = j;
            m_pFluxRS->m_Current = static_cast<float>(j * 0.125);
            m_pFluxRS->Update();
        }
        m_pFluxRS->Close();
        transaction.Commit();
    } catch (const platform::db::DbError& error) {
        for (platform::db::Recordset* rs : std::initializer_list<platform::db::Recordset*>{m_pMotorRS.get(), m_pFluxRS.get()})
            rs->Close();
        Refuse(*file, std::string(kNotAdded) + error.what());
    }
    m_pMotorModel->SetAsString(name);
}
