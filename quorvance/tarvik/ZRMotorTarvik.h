#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRCommutationRS;
class ZRFluxRS;
class ZRIndexSelection;
class ZRLinearMotorRS;
class ZRLongAttribute;
class ZRMotorRS;
class ZRRotaryMotorRS;
class ZRStringAttribute;
class ZRUlongAttribute;

// The connected motor: model, type, electrical and mechanical constants, feedback, commutation,
// thermal model and gear box, kept consistent with the motor database when a model is chosen.
class ZRMotorTarvik : public platform::core::Observer, public ZRObject {
public:
    // Takes the motor of an older-family parameter file: a catalogue model by its old code, or a
    // custom motor added to the catalogue. A motor that cannot be converted is logged and ends the
    // conversion with ZRError(0, "").
    bool ImportParValues(ZROlbraConverter* file);
    // Adds the file's custom motor to the catalogue as "Custom<n>", in one transaction, and selects
    // it. Every refusal comes before the catalogue is written.
    void CreateCustomMotor(ZROlbraConverter* file);
    static constexpr int kFluxPoints = 8;

    ZRMotorTarvik();
    ~ZRMotorTarvik() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Copy(ZRObject* source, bool withChildren) override;
    bool Import(std::istream& in) override;
    void Init() override;
    void Refresh() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The writable "Motor Model".
    ZRStringAttribute* GetMotorModelAttribute() const { return m_pMotorModel.get(); }
    ZRMotorRS* GetMotorRecordset() const { return m_pMotorRS.get(); }
    // While set, a changed model does not reload the motor data (values read back, copied or imported).
    bool IsLoading() const { return m_bLoading; }

    ZRStringAttribute* GetMotorModel() const { return m_pMotorModel.get(); }
    ZRUlongAttribute* GetSelfSensingCurrent() const { return m_pSelfSensingCurrent.get(); }
    ZRStringAttribute* GetDriveMotorModel() const { return m_pDriveMotorModel.get(); }
    ZRIndexSelection* GetMotorFlag() const { return m_pMotorFlag.get(); }
    ZRIndexSelection* GetMotorType() const { return m_pMotorType.get(); }
    ZRBoolAttribute* GetAutoMotorIden() const { return m_pAutoMotorIden.get(); }
    ZRUlongAttribute* GetTorqueConstant() const { return m_pTorqueConstant.get(); }
    ZRUlongAttribute* GetForceConstant() const { return m_pForceConstant.get(); }
    ZRUlongAttribute* GetInertia() const { return m_pInertia.get(); }
    ZRUlongAttribute* GetMass() const { return m_pMass.get(); }
    ZRUlongAttribute* GetTotalMovingMass() const { return m_pTotalMovingMass.get(); }
    ZRUlongAttribute* GetPolesRevolution() const { return m_pPolesRevolution.get(); }
    ZRUlongAttribute* GetElectricalCycle() const { return m_pElectricalCycle.get(); }
    ZRBoolAttribute* GetIntegralLimits() const { return m_pIntegralLimits.get(); }
    ZRUlongAttribute* GetRatedVoltage() const { return m_pRatedVoltage.get(); }
    ZRUlongAttribute* GetResistance() const { return m_pResistance.get(); }
    ZRUlongAttribute* GetInductance() const { return m_pInductance.get(); }
    // "Flux Saturation1" ... "Flux Saturation8" as i = 0 ... 7.
    ZRUlongAttribute* GetFluxSaturation(int i) const { return m_FluxSaturation.at(i).get(); }
    ZRUlongAttribute* GetMaximumSpeedLinear() const { return m_pMaximumSpeedLinear.get(); }
    ZRUlongAttribute* GetIntermittentCurrent() const { return m_pIntermittentCurrent.get(); }
    ZRUlongAttribute* GetContinuousCurrent() const { return m_pContinuousCurrent.get(); }
    ZRIndexSelection* GetEncoder() const { return m_pEncoder.get(); }
    ZRIndexSelection* GetCommutation() const { return m_pCommutation.get(); }
    ZRIndexSelection* GetSinusoidalStartup() const { return m_pSinusoidalStartup.get(); }
    ZRLongAttribute* GetHallInputOffset() const { return m_pHallInputOffset.get(); }
    ZRUlongAttribute* GetLinesMeter() const { return m_pLinesMeter.get(); }
    ZRBoolAttribute* GetIntegralThermostat() const { return m_pIntegralThermostat.get(); }
    ZRBoolAttribute* GetSoftwareProtection() const { return m_pSoftwareProtection.get(); }
    ZRUlongAttribute* GetRthWE() const { return m_pRthWE.get(); }
    ZRUlongAttribute* GetCthWE() const { return m_pCthWE.get(); }
    ZRUlongAttribute* GetRthWA() const { return m_pRthWA.get(); }
    ZRUlongAttribute* GetCthWA() const { return m_pCthWA.get(); }
    ZRUlongAttribute* GetMotorTemperature() const { return m_pMotorTemperature.get(); }
    ZRBoolAttribute* GetGearBox() const { return m_pGearBox.get(); }
    ZRUlongAttribute* GetGearRatioNumerator() const { return m_pGearRatioNumerator.get(); }
    ZRUlongAttribute* GetGearRatioDenominator() const { return m_pGearRatioDenominator.get(); }
    ZRUlongAttribute* GetLinesRevolution() const { return m_pLinesRevolution.get(); }
    ZRUlongAttribute* GetMaximumSpeed() const { return m_pMaximumSpeed.get(); }
    ZRIndexSelection* GetMotorParameterSource() const { return m_pMotorParameterSource.get(); }

private:
    // Sets the loading flag for one scope, restoring what it was.
    class Loading;

    void LoadModel();
    void WriteModelRow();
    void ApplyMotorType();
    void ApplySelfSensingRule();
    void LoadCommutationOptions();
    void ReadBackIdentifiedMotor();
    // The gear scales of the drive for the rotary "Lines/Revolution" and "Maximum Speed".
    void BindDriveScales();
    // The encoders block's "Smart Encoder Type", or null without one.
    ZRAttribute* SmartEncoderType();

    std::unique_ptr<ZRStringAttribute> m_pMotorModel;
    std::unique_ptr<ZRUlongAttribute> m_pSelfSensingCurrent;
    std::unique_ptr<ZRStringAttribute> m_pDriveMotorModel;
    std::unique_ptr<ZRIndexSelection> m_pMotorFlag;
    std::unique_ptr<ZRIndexSelection> m_pMotorType;
    std::unique_ptr<ZRBoolAttribute> m_pAutoMotorIden;
    std::unique_ptr<ZRUlongAttribute> m_pTorqueConstant;
    std::unique_ptr<ZRUlongAttribute> m_pForceConstant;
    std::unique_ptr<ZRUlongAttribute> m_pInertia;
    std::unique_ptr<ZRUlongAttribute> m_pMass;
    std::unique_ptr<ZRUlongAttribute> m_pTotalMovingMass;
    std::unique_ptr<ZRUlongAttribute> m_pPolesRevolution;
    std::unique_ptr<ZRUlongAttribute> m_pElectricalCycle;
    std::unique_ptr<ZRBoolAttribute> m_pIntegralLimits;
    std::unique_ptr<ZRUlongAttribute> m_pRatedVoltage;
    std::unique_ptr<ZRUlongAttribute> m_pResistance;
    std::unique_ptr<ZRUlongAttribute> m_pInductance;
    std::array<std::unique_ptr<ZRUlongAttribute>, kFluxPoints> m_FluxSaturation;
    std::unique_ptr<ZRUlongAttribute> m_pMaximumSpeedLinear;
    std::unique_ptr<ZRUlongAttribute> m_pIntermittentCurrent;
    std::unique_ptr<ZRUlongAttribute> m_pContinuousCurrent;
    std::unique_ptr<ZRIndexSelection> m_pEncoder;
    std::unique_ptr<ZRIndexSelection> m_pCommutation;
    std::unique_ptr<ZRIndexSelection> m_pSinusoidalStartup;
    std::unique_ptr<ZRLongAttribute> m_pHallInputOffset;
    std::unique_ptr<ZRUlongAttribute> m_pLinesMeter;
    std::unique_ptr<ZRBoolAttribute> m_pIntegralThermostat;
    std::unique_ptr<ZRBoolAttribute> m_pSoftwareProtection;
    std::unique_ptr<ZRUlongAttribute> m_pRthWE;
    std::unique_ptr<ZRUlongAttribute> m_pCthWE;
    std::unique_ptr<ZRUlongAttribute> m_pRthWA;
    std::unique_ptr<ZRUlongAttribute> m_pCthWA;
    std::unique_ptr<ZRUlongAttribute> m_pMotorTemperature;
    std::unique_ptr<ZRBoolAttribute> m_pGearBox;
    std::unique_ptr<ZRUlongAttribute> m_pGearRatioNumerator;
    std::unique_ptr<ZRUlongAttribute> m_pGearRatioDenominator;
    std::unique_ptr<ZRUlongAttribute> m_pLinesRevolution;
    std::unique_ptr<ZRUlongAttribute> m_pMaximumSpeed;
    std::unique_ptr<ZRIndexSelection> m_pMotorParameterSource;

    std::unique_ptr<ZRMotorRS> m_pMotorRS;
    std::unique_ptr<ZRRotaryMotorRS> m_pRotaryRS;
    std::unique_ptr<ZRLinearMotorRS> m_pLinearRS;
    std::unique_ptr<ZRCommutationRS> m_pCommutationRS;
    std::unique_ptr<ZRFluxRS> m_pFluxRS;

    bool m_bLoading = false;
};
