#include "quorvance/fenwa/FenwaMotor.h"

#include "kitbase/model/ZRAttributeField.h"
#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommutationRS.h"
#include "kitbase/model/ZRCompositeAttribute.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZREncoderRS.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLinearMotorRS.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRMotorRS.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRRotaryMotorRS.h"
#include "kitbase/model/ZRStartupRS.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/shell/ZRValAutoMotorIden.h"

#include <cmath>
#include <initializer_list>
#include <utility>

using namespace fenwa::attr;

namespace {

constexpr const char* kFilter =
    "((EncoderID=1) OR (EncoderID=4)) AND (CommutationID=2) AND ((StartupID=1) OR (StartupID=2)) AND "
    "((TypeID=0) OR (TypeID=1)) AND (Index = 8) AND (Saturation=1) AND [Motor].[MotorID] = "
    "[FluxSaturation].[MotorID]";
// Engineering builds also offer motors whose flux saturates.
constexpr const char* kEngineeringFilter =
    "((EncoderID=1) OR (EncoderID=4)) AND (CommutationID=2) AND ((StartupID=1) OR (StartupID=2)) AND "
    "((TypeID=0) OR (TypeID=1)) AND [Motor].[MotorID] = [FluxSaturation].[MotorID] AND (Index = 8)";

constexpr const char* kSmartEncoder =
    "The motor selected has an intelligent encoder. Auto Motor Iden will be enabled.";
constexpr const char* kNoSmartEncoder =
    "The motor selected does not have an intelligent encoder. Auto Motor Iden will be disabled.";

// The position of the identification switch in "Prm-001".
constexpr short kAutoIdenPosition = 3;

platform::db::Database* MotorDatabase() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    return data ? data->GetMotorDB() : nullptr;
}

bool EngineeringMode() {
    const ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    return app && app->IsEngineeringMode();
}

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const char* name,
          const char* units = nullptr) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
    if (units)
        attribute.SetUnits(units);
}

// Stored default first, then the scale: the default is the stored number.
void Number(ZRUlongAttribute& a, ZRObject* owner, int32_t id, const char* name, uint32_t stored,
            const char* units = nullptr, double scale = 1.0, int precision = 0, bool hidden = false) {
    Bind(a, owner, id, name, units);
    a.SetInternalValue(stored);
    if (scale != 1.0)
        a.SetScale(scale);
    a.SetPrecision(precision);
    a.SetHidden(hidden);
}

void YesNo(ZRBoolAttribute& a, ZRObject* owner, int32_t id, const char* name) {
    Bind(a, owner, id, name);
    a.SetStrings("No", "Yes");
    a.SetValue(false);
}

void Options(ZRIndexSelection& selection, ZRObject* owner,
             std::initializer_list<std::pair<int32_t, const char*>> list, const char* initial) {
    auto options = std::make_unique<ZRLongOptions>(owner, 2);
    for (const auto& [value, text] : list)
        options->Add(value, text);
    selection.SetOptions(std::move(options));
    selection.SetAsString(initial);
}

// The option of the catalogue's value, or no valid choice when the list has none.
void SelectByValue(ZRIndexSelection& selection, int32_t value) {
    auto* options = dynamic_cast<ZRLongOptions*>(selection.GetOptions());
    int index = -1;
    if (options && options->GetIndex(value, index))
        selection.SetValue(index);
    else
        selection.SetInvalid();
}

// The drive's attribute of that id, or null (no drive, or none defined).
ZRAttribute* DriveAttribute(ZRObject* block, int32_t id) {
    ZRObject* drive = block->GetParent();
    if (!drive)
        return nullptr;
    for (const ZRObject::AttributeList* list :
         {&drive->GetProperties(), &drive->GetStatus(), &drive->GetMiscAttributes()})
        for (ZRAttribute* a : *list)
            if (a->GetAttribute() == id)
                return a;
    return nullptr;
}

char CharAt(const std::string& text, size_t position) {
    return position < text.size() ? text[position] : '\0';
}

} // namespace

class FenwaMotor::Suppress {
public:
    explicit Suppress(FenwaMotor& motor) : m_motor(motor), m_previous(motor.m_bSuppress) {
        motor.m_bSuppress = true;
    }
    ~Suppress() { m_motor.m_bSuppress = m_previous; }
    Suppress(const Suppress&) = delete;
    Suppress& operator=(const Suppress&) = delete;

private:
    FenwaMotor& m_motor;
    bool m_previous;
};

FenwaMotor::FenwaMotor()
    : m_pMotorRS(std::make_unique<ZRMotorRS>(MotorDatabase())),
      m_pRotaryRS(std::make_unique<ZRRotaryMotorRS>(MotorDatabase())),
      m_pLinearRS(std::make_unique<ZRLinearMotorRS>(MotorDatabase())),
      m_pEncoderRS(std::make_unique<ZREncoderRS>(MotorDatabase())),
      m_pStartupRS(std::make_unique<ZRStartupRS>(MotorDatabase())),
      m_pCommutationRS(std::make_unique<ZRCommutationRS>(MotorDatabase())),
      m_pMotorModel(std::make_unique<ZRStringAttribute>(GetDevice(), 32, PadRight, ' ')),
      m_pInertiaRatio(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMotorFlag(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, -1)),
      m_pAutoMotorIden(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pMotorType(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pTorqueConstant(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pForceConstant(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pInertia(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMass(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pPolesRevolution(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pElectricalCycle(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pIntegralLimits(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, -1)),
      m_pRatedVoltage(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pResistance(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pInductance(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMaximumSpeedLinear(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pIntermittentCurrent(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pContinuousCurrent(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pEncoder(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pCommutation(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pSinusoidalStartup(std::make_unique<ZRIndexSelection>(GetDevice())),
      m_pHallInputOffset(std::make_unique<ZRLongAttribute>(GetDevice(), 4)),
      m_pLinesMeter(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pIntegralThermostat(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, -1)),
      m_pSoftwareProtection(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, -1)),
      m_pRthWE(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pCthWE(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pRthWA(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pCthWA(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pLinesRevolution(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMaximumSpeed(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pMotorTemperature(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_MotorFilter(EngineeringMode() ? kEngineeringFilter : kFilter) {
    SetClass(fenwa::kMotorType);
    SetVersion(fenwa::kObjectVersion);
}

FenwaMotor::~FenwaMotor() {
    m_pMotorModel->RemoveObserver(this);
    m_pMotorType->RemoveObserver(this);
    if (m_pPrm001)
        m_pPrm001->RemoveObserver(this);
}

void FenwaMotor::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kMotorType, "Motor");
    m_pPrm001 = dynamic_cast<ZRCompositeAttribute*>(DriveAttribute(this, kPrm001));

    Bind(*m_pMotorModel, this, kMotorModel, "Motor Model");
    m_pMotorModel->SetAsString("Default Motor");

    Number(*m_pInertiaRatio, this, kInertiaRatio, "Inertia Ratio", 0, "Load / Motor", 100, 2);
    fenwa::StoredRange(*m_pInertiaRatio, 0, 6000);

    Bind(*m_pMotorFlag, this, kMotorFlag, "Motor Flag");
    m_pMotorFlag->SetStrings("Custom", "Standard");
    m_pMotorFlag->SetValue(false);

    Bind(*m_pAutoMotorIden, this, kNone, "Auto Motor Iden");
    m_pAutoMotorIden->SetStrings("Disabled", "Enabled");
    if (m_pPrm001) {
        auto field =
            std::make_unique<ZRAttributeField>(m_pAutoMotorIden.get(), m_pPrm001, kAutoIdenPosition, 1);
        field->SetTrueString("1");
        field->SetFalseString("0");
        m_pAutoMotorIden->SetField(std::move(field));
        m_pAutoMotorIden->AddRefreshAttribute(m_pPrm001);
    }
    m_pAutoMotorIden->AddValidation(
        std::make_unique<ZRValAutoMotorIden>(m_pEncoder.get(), m_pAutoMotorIden.get()));
    m_pAutoMotorIden->SetValue(true);

    Bind(*m_pMotorType, this, kMotorTypeId, "Motor Type");
    Options(*m_pMotorType, this, {{0, "Rotary"}, {1, "Linear"}, {2, "Induction"}}, "Rotary");

    Number(*m_pTorqueConstant, this, kTorqueConstant, "Torque Constant", 1130, "N-m/A", 4096, 4);
    Number(*m_pForceConstant, this, kForceConstant, "Force Constant", 628, "N/A", 16, 2, true);
    Number(*m_pInertia, this, kInertia, "Inertia", 11796, "Kg-cm^2", 65536, 3);
    Number(*m_pMass, this, kMass, "Mass", 85197, "Kg", 65536, 3, true);
    Number(*m_pPolesRevolution, this, kPolesRevolution, "Poles/Revolution", 8);
    Number(*m_pElectricalCycle, this, kElectricalCycle, "Electrical Cycle", 600, "mm", 10, 1, true);
    YesNo(*m_pIntegralLimits, this, kIntegralLimits, "Integral Limits");
    Number(*m_pRatedVoltage, this, kRatedVoltage, "Rated Voltage", 325, "Volts");
    Number(*m_pResistance, this, kResistance, "Resistance", 640, "Ohms", 256, 3);
    Number(*m_pInductance, this, kInductance, "Inductance", 2048, "mH", 256, 3);
    Number(*m_pMaximumSpeedLinear, this, kMaximumSpeedLinear, "Maximum Speed", 512, "Meters/Sec", 256, 2,
           true);
    Number(*m_pIntermittentCurrent, this, kIntermittentCurrent, "Intermittent Current", 887, "Amps", 128, 2);
    Number(*m_pContinuousCurrent, this, kContinuousCurrent, "Continuous Current", 308, "Amps", 128, 2);

    Bind(*m_pEncoder, this, kEncoderId, "Encoder");
    // Values 4 and 5 are the same encoder; a choice by text takes 4.
    Options(*m_pEncoder, this,
            {{1, "Incremental"}, {2, "Sine/Cosine"}, {3, "SRS/SRM"}, {4, "SA35"}, {5, "SA35"}}, "SA35");

    Bind(*m_pCommutation, this, kCommutationId, "Commutation");
    LoadCommutationOptions();

    Bind(*m_pSinusoidalStartup, this, kSinusoidalStartup, "Sinusoidal Startup");
    Options(*m_pSinusoidalStartup, this, {{0, "Self-Sensing"}, {1, "Hall Inputs"}, {2, "Serial"}}, "Serial");

    Bind(*m_pHallInputOffset, this, kHallInputOffset, "Hall Input Offset", "degrees");
    m_pHallInputOffset->SetInternalValue(120);
    Number(*m_pLinesMeter, this, kLinesMeter, "Lines/Meter", 50000, nullptr, 1.0, 0, true);
    YesNo(*m_pIntegralThermostat, this, kIntegralThermostat, "Integral Thermostat");
    YesNo(*m_pSoftwareProtection, this, kSoftwareProtection, "Software Protection");
    Number(*m_pRthWE, this, kRthWE, "Rth(w-e)", 2147483, "C/W", 65536, 2);
    Number(*m_pCthWE, this, kCthWE, "Cth(w-e)", 256, "W-s/C", 256, 2);
    Number(*m_pRthWA, this, kRthWA, "Rth(w-a)", 2147483, "C/W", 65536, 2);
    Number(*m_pCthWA, this, kCthWA, "Cth(w-a)", 256, "W-s/C", 256, 2);
    Number(*m_pLinesRevolution, this, kLinesRevolution, "Lines/Revolution", 32768);
    Number(*m_pMaximumSpeed, this, kMaximumSpeedRotary, "Maximum Speed", 5000, "RPM");
    Number(*m_pMotorTemperature, this, kMotorTemperature, "Motor Temperature", 0, "%");
    m_pMotorTemperature->SetWritable(false);

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{m_pAutoMotorIden.get(),
                                                              m_pMotorModel.get(),
                                                              m_pMotorType.get(),
                                                              m_pMotorFlag.get(),
                                                              m_pTorqueConstant.get(),
                                                              m_pForceConstant.get(),
                                                              m_pInertia.get(),
                                                              m_pMass.get(),
                                                              m_pPolesRevolution.get(),
                                                              m_pElectricalCycle.get(),
                                                              m_pIntegralLimits.get(),
                                                              m_pRatedVoltage.get(),
                                                              m_pResistance.get(),
                                                              m_pInductance.get(),
                                                              m_pMaximumSpeedLinear.get(),
                                                              m_pIntermittentCurrent.get(),
                                                              m_pContinuousCurrent.get(),
                                                              m_pEncoder.get(),
                                                              m_pCommutation.get(),
                                                              m_pSinusoidalStartup.get(),
                                                              m_pHallInputOffset.get(),
                                                              m_pLinesMeter.get(),
                                                              m_pIntegralThermostat.get(),
                                                              m_pSoftwareProtection.get(),
                                                              m_pRthWE.get(),
                                                              m_pCthWE.get(),
                                                              m_pRthWA.get(),
                                                              m_pCthWA.get(),
                                                              m_pLinesRevolution.get(),
                                                              m_pMaximumSpeed.get(),
                                                              m_pInertiaRatio.get()})
        AddProperty(a);
    AddStatus(m_pMotorTemperature.get());

    m_pMotorModel->AddObserver(this);
    m_pMotorType->AddObserver(this);
    if (m_pPrm001)
        m_pPrm001->AddObserver(this);
}

void FenwaMotor::LoadCommutationOptions() {
    auto options = std::make_unique<ZRLongOptions>(this, 2);
    if (m_pCommutationRS->GetDatabase()) {
        try {
            m_pCommutationRS->Open();
            for (m_pCommutationRS->MoveFirst(); !m_pCommutationRS->IsEOF(); m_pCommutationRS->MoveNext())
                options->Add(m_pCommutationRS->m_CommutationID, m_pCommutationRS->m_CommutationName);
        } catch (const platform::db::DbError&) {
            // A catalogue without the table offers no commutation kinds.
        }
        if (m_pCommutationRS->IsOpen())
            m_pCommutationRS->Close();
    }
    m_pCommutation->SetOptions(std::move(options));
    m_pCommutation->SetAsString("Sinusoidal");
}

void FenwaMotor::Attach(ZRDevice* device, int32_t instance) {
    {
        // A stored or drive-held model is taken as it is.
        Suppress suppress(*this);
        ZRObject::Attach(device, instance);
    }
    RefreshMotorAttributes();
}

void FenwaMotor::RefreshMotorAttributes() {
    Suppress suppress(*this);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pMotorModel.get(), m_pMotorType.get(), m_pContinuousCurrent.get(), m_pMaximumSpeedLinear.get(),
             m_pMaximumSpeed.get()})
        a->Refresh(false);
}

void FenwaMotor::Copy(ZRObject* source, bool withChildren) {
    Suppress suppress(*this);
    ZRObject::Copy(source, withChildren);
}

bool FenwaMotor::Import(std::istream& in) {
    Suppress suppress(*this);
    return ZRObject::Import(in);
}

void FenwaMotor::Refresh() {
    Suppress suppress(*this);
    ZRObject::Refresh();
}

bool FenwaMotor::IsOnLine() {
    ZRDevice* device = GetDevice();
    return device && !device->IsOffLine();
}

void FenwaMotor::RequestResetPrompt() {
    if (auto* drive = dynamic_cast<FenwaDrive*>(GetParent()))
        drive->RequestResetPrompt();
}

void FenwaMotor::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::ValueWritten) {
        if (subject == m_pMotorModel.get())
            RequestResetPrompt();
        else if (m_pPrm001 && subject == m_pPrm001)
            OnPrm001Written();
        return;
    }
    if (reason == ZRUpdate::Destroying && m_pPrm001 && subject == m_pPrm001) {
        m_pPrm001->RemoveObserver(this);
        m_pPrm001 = nullptr;
        return;
    }
    if (reason != ZRUpdate::ValueChanged)
        return;
    if (subject == m_pMotorModel.get()) {
        if (!m_bSuppress)
            LookUpMotor();
    } else if (subject == m_pMotorType.get()) {
        ApplyMotorType();
    }
}

void FenwaMotor::OnPrm001Written() {
    // Switching the drive's own identification on needs a reset.
    const char before = CharAt(m_pPrm001->GetPrevAsString(), kAutoIdenPosition);
    const char after = CharAt(m_pPrm001->GetAsString(), kAutoIdenPosition);
    if (before != after && after == '1')
        RequestResetPrompt();
}

void FenwaMotor::ApplyMotorType() {
    const bool rotary = m_pMotorType->GetAsString() == "Rotary";
    const bool fits = rotary ? !m_pTorqueConstant->IsHidden() && m_pForceConstant->IsHidden()
                             : !m_pForceConstant->IsHidden() && m_pTorqueConstant->IsHidden();
    if (fits)
        return;
    for (ZRAttribute* a :
         std::initializer_list<ZRAttribute*>{m_pForceConstant.get(), m_pMass.get(), m_pElectricalCycle.get(),
                                             m_pLinesMeter.get(), m_pMaximumSpeedLinear.get()})
        a->SetHidden(rotary);
    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pTorqueConstant.get(), m_pInertia.get(), m_pPolesRevolution.get(), m_pLinesRevolution.get(),
             m_pMaximumSpeed.get()})
        a->SetHidden(!rotary);
    m_pInertiaRatio->SetName(rotary ? "Inertia Ratio" : "Mass Ratio");
    for (int32_t id : {kMechanicalAngle, kAbsoluteRotations})
        if (ZRAttribute* a = DriveAttribute(this, id))
            a->SetHidden(!rotary);
}

void FenwaMotor::LookUpMotor() {
    if (!m_pMotorRS->GetDatabase())
        return;
    const std::string model = m_pMotorModel->GetAsString();
    try {
        m_pMotorRS->Open();
        // The model text is the user's, a file's or the drive's: bound, never part of the condition.
        if (!m_pMotorRS->FindFirst("Motor.Model = ?", {model})) {
            m_pMotorRS->Close();
            return;
        }
        // An encoder kind the options do not hold leaves the identification as it is.
        auto* encoders = static_cast<ZRLongOptions*>(m_pEncoder->GetOptions());
        int encoderIndex = -1;
        const bool known = encoders && encoders->GetIndex(m_pMotorRS->m_EncoderID, encoderIndex);
        const std::string encoder = known ? encoders->GetAsString(encoderIndex) : std::string();
        ZRMsgBox box;
        if (known && !m_pAutoMotorIden->GetValue() && encoder != "Incremental") {
            box.Show(kSmartEncoder);
            m_pAutoMotorIden->SetValue(true);
        } else if (known && m_pAutoMotorIden->GetValue() && encoder == "Incremental") {
            m_pAutoMotorIden->SetValue(false);
            box.Show(kNoSmartEncoder);
        }
        // The drive identifies its motor itself: nothing of the catalogue goes to it.
        if (m_pAutoMotorIden->GetValue() && IsOnLine()) {
            m_pMotorRS->Close();
            return;
        }
        CopyMotorRecord();
    } catch (const platform::db::DbError& error) {
        platform::core::MessageBox(std::string(error.what()).substr(0, 199));
    }
    for (platform::db::Recordset* rs : std::initializer_list<platform::db::Recordset*>{
             m_pMotorRS.get(), m_pRotaryRS.get(), m_pLinearRS.get()})
        if (rs->IsOpen())
            rs->Close();
}

void FenwaMotor::CopyMotorRecord() {
    const ZRMotorRS& row = *m_pMotorRS;
    const std::string model = row.m_Model;
    const int32_t type = row.m_TypeID;
    m_pMotorType->SetValue(type);
    m_pMotorFlag->SetValue(row.m_StandardMotor);
    m_pInductance->SetValue(row.m_Inductance);
    m_pResistance->SetValue(row.m_Resistance);
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
    if (type == 0)
        CopyRotaryRecord(model);
    else
        CopyLinearRecord(model);
}

void FenwaMotor::CopyRotaryRecord(const std::string& model) {
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
        m_pMaximumSpeed->SetInternalValue(static_cast<uint32_t>(std::trunc(rotary.m_MaximumSpeed)));
        m_pLinesRevolution->SetInternalValue(static_cast<uint32_t>(rotary.m_LinesPerRevolution));
    }
    m_pRotaryRS->Close();
}

void FenwaMotor::CopyLinearRecord(const std::string& model) {
    m_pLinearRS->Open();
    if (m_pLinearRS->FindFirst("Motor.Model = ?", {model})) {
        const ZRLinearMotorRS& linear = *m_pLinearRS;
        m_pForceConstant->SetValue(linear.m_ForceConstant);
        m_pMass->SetValue(linear.m_Mass);
        // The catalogue holds metres, the drive millimetres.
        m_pElectricalCycle->SetValue(static_cast<double>(linear.m_ElectricalCycleLength) * 1000.0);
        m_pLinesMeter->SetValue(linear.m_LinesPerMeter);
        m_pMaximumSpeedLinear->SetValue(linear.m_MaximumSpeed);
        m_pRthWE->SetValue(linear.m_RthWE);
        m_pCthWE->SetValue(linear.m_CthWE);
        m_pRthWA->SetValue(linear.m_RthWA);
        m_pCthWA->SetValue(linear.m_CthWA);
    }
    m_pLinearRS->Close();
}
