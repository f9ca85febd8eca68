#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"

#include <memory>
#include <string>

class FenwaDrive;
class ZRBoolAttribute;
class ZRCommutationRS;
class ZRCompositeAttribute;
class ZREncoderRS;
class ZRIndexSelection;
class ZRLinearMotorRS;
class ZRLongAttribute;
class ZRMotorRS;
class ZRRotaryMotorRS;
class ZRStartupRS;
class ZRStringAttribute;
class ZRUlongAttribute;

// The motor of a Fenwa drive: the catalogue model, the drive's own motor identification and the
// motor's data. Choosing a model copies its catalogue record into the drive.
class FenwaMotor : public ZRObject, public platform::core::Observer {
public:
    FenwaMotor();
    ~FenwaMotor() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Copy(ZRObject* source, bool withChildren) override;
    bool Import(std::istream& in) override;
    void Init() override;
    void Refresh() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Re-reads the model, the type and the values the drive's scales depend on, without a lookup.
    void RefreshMotorAttributes();

    ZRMotorRS* GetMotorRS() const { return m_pMotorRS.get(); }
    ZRRotaryMotorRS* GetRotaryRS() const { return m_pRotaryRS.get(); }
    ZRLinearMotorRS* GetLinearRS() const { return m_pLinearRS.get(); }
    // The catalogue condition of the motors a Fenwa drive runs (fixed when the block is made).
    std::string GetMotorFilter() const { return m_MotorFilter; }
    // While set, a changed model looks nothing up (values read back, copied or imported).
    bool IsSuppressed() const { return m_bSuppress; }

    ZRStringAttribute* GetMotorModel() const { return m_pMotorModel.get(); }
    ZRUlongAttribute* GetInertiaRatio() const { return m_pInertiaRatio.get(); }
    ZRBoolAttribute* GetMotorFlag() const { return m_pMotorFlag.get(); }
    ZRBoolAttribute* GetAutoMotorIden() const { return m_pAutoMotorIden.get(); }
    ZRIndexSelection* GetMotorType() const { return m_pMotorType.get(); }
    ZRUlongAttribute* GetTorqueConstant() const { return m_pTorqueConstant.get(); }
    ZRUlongAttribute* GetForceConstant() const { return m_pForceConstant.get(); }
    ZRUlongAttribute* GetInertia() const { return m_pInertia.get(); }
    ZRUlongAttribute* GetMass() const { return m_pMass.get(); }
    ZRUlongAttribute* GetPolesRevolution() const { return m_pPolesRevolution.get(); }
    ZRUlongAttribute* GetElectricalCycle() const { return m_pElectricalCycle.get(); }
    ZRBoolAttribute* GetIntegralLimits() const { return m_pIntegralLimits.get(); }
    ZRUlongAttribute* GetRatedVoltage() const { return m_pRatedVoltage.get(); }
    ZRUlongAttribute* GetResistance() const { return m_pResistance.get(); }
    ZRUlongAttribute* GetInductance() const { return m_pInductance.get(); }
    // "Maximum Speed" of a linear motor (918, Meters/Sec).
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
    ZRUlongAttribute* GetLinesRevolution() const { return m_pLinesRevolution.get(); }
    // "Maximum Speed" of a rotary motor (913, RPM).
    ZRUlongAttribute* GetMaximumSpeed() const { return m_pMaximumSpeed.get(); }
    ZRUlongAttribute* GetMotorTemperature() const { return m_pMotorTemperature.get(); }

private:
    // Sets the suppress flag for one scope, restoring what it was.
    class Suppress;

    void LookUpMotor();
    void CopyMotorRecord();
    void CopyRotaryRecord(const std::string& model);
    void CopyLinearRecord(const std::string& model);
    void ApplyMotorType();
    void LoadCommutationOptions();
    void OnPrm001Written();
    void RequestResetPrompt();
    // Whether the block's device is there and on line.
    bool IsOnLine();

    std::unique_ptr<ZRMotorRS> m_pMotorRS;
    std::unique_ptr<ZRRotaryMotorRS> m_pRotaryRS;
    std::unique_ptr<ZRLinearMotorRS> m_pLinearRS;
    std::unique_ptr<ZREncoderRS> m_pEncoderRS;
    std::unique_ptr<ZRStartupRS> m_pStartupRS;
    std::unique_ptr<ZRCommutationRS> m_pCommutationRS;

    std::unique_ptr<ZRStringAttribute> m_pMotorModel;
    std::unique_ptr<ZRUlongAttribute> m_pInertiaRatio;
    std::unique_ptr<ZRBoolAttribute> m_pMotorFlag;
    std::unique_ptr<ZRBoolAttribute> m_pAutoMotorIden;
    std::unique_ptr<ZRIndexSelection> m_pMotorType;
    std::unique_ptr<ZRUlongAttribute> m_pTorqueConstant;
    std::unique_ptr<ZRUlongAttribute> m_pForceConstant;
    std::unique_ptr<ZRUlongAttribute> m_pInertia;
    std::unique_ptr<ZRUlongAttribute> m_pMass;
    std::unique_ptr<ZRUlongAttribute> m_pPolesRevolution;
    std::unique_ptr<ZRUlongAttribute> m_pElectricalCycle;
    std::unique_ptr<ZRBoolAttribute> m_pIntegralLimits;
    std::unique_ptr<ZRUlongAttribute> m_pRatedVoltage;
    std::unique_ptr<ZRUlongAttribute> m_pResistance;
    std::unique_ptr<ZRUlongAttribute> m_pInductance;
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
    std::unique_ptr<ZRUlongAttribute> m_pLinesRevolution;
    std::unique_ptr<ZRUlongAttribute> m_pMaximumSpeed;
    std::unique_ptr<ZRUlongAttribute> m_pMotorTemperature;

    std::string m_MotorFilter;
    bool m_bSuppress = false;
    // The drive's "Prm-001", which holds the identification switch; not owned, null without one.
    ZRCompositeAttribute* m_pPrm001 = nullptr;
};
