#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"
#include "quorvance/fenwa/FenwaDeviceDrive.h"

#include <memory>
#include <string>
#include <vector>

class FenwaCommand;
class FenwaOperMode;
class FenwaDigIn;
class FenwaDigOut;
class FenwaScope;
class FenwaMotor;
class FenwaEncoder;
class FenwaTuning;
class FenwaAnalogOut;
class FenwaFaults;
class FenwaServiceInfo;
class ZRMonitor;
class ZRIndexedName;
class ZRAttribute;
class ZRBoolAttribute;
class ZRCompositeAttribute;
class ZRFloatAttribute;
class ZRIndexSelection;
class ZRStringAttribute;
class ZRUlongAttribute;

class FenwaVelocityScale;
class FenwaPositionScale;
class FenwaAccelScale;
class FenwaCurrentScale;
class FenwaVelocityUnits;
class FenwaPositionUnits;
class FenwaAccelUnits;
class FenwaAccelUserUnits;
class FenwaVelocityUserUnits;
class FenwaAnalogVelocityScale;
class FenwaAnalogVelocityUnits;

// One Fenwa drive, on line or in a project: the drive-level parameters, its blocks, its monitor,
// the scale and units objects its blocks share, and its five drive commands. It keeps the ramp
// times and the acceleration limits consistent, follows the override input with the current
// operating mode, and asks for a drive reset once per batch of changes that need one.
class FenwaDrive : public ZRObject, public platform::core::Observer, public FenwaDeviceDrive {
public:
    FenwaDrive();
    ~FenwaDrive() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void AttachDBChildren() override;
    void AttachOnLineChildren() override;
    // Only another Fenwa drive is copied, block by block; anything else changes nothing.
    void Copy(ZRObject* source, bool withChildren) override;
    // The drive's own block of that type (the monitor is not one); the drive never makes children.
    ZRObject* GetChild(int32_t cls) override;
    void Init() override;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The blocks (owned through the child list once Init has run).
    FenwaOperMode* GetOperMode() const { return m_pOperMode; }
    FenwaDigIn* GetDigIn() const { return m_pDigIn; }
    FenwaDigOut* GetDigOut() const { return m_pDigOut; }
    FenwaScope* GetScope() const { return m_pScope; }
    FenwaMotor* GetMotor() const { return m_pMotor; }
    FenwaEncoder* GetEncoder() const { return m_pEncoder; }
    FenwaTuning* GetTuning() const { return m_pTuning; }
    FenwaAnalogOut* GetAnalogOut() const { return m_pAnalogOut; }
    FenwaFaults* GetFaults() const { return m_pFaults; }
    FenwaServiceInfo* GetServiceInfo() const { return m_pServiceInfo; }
    // Its parent is the drive, which owns it outside the child list.
    ZRMonitor* GetMonitor() const { return m_pMonitor.get(); }

    // The five drive commands: "ETC" "0C" (factory reset), "HWR" (reset), "JOG", "SVROF", "SVRON".
    FenwaCommand& GetFactoryResetCommand();
    FenwaCommand& GetResetCommand();
    FenwaCommand& GetJogCommand();
    FenwaCommand& GetServoOffCommand() override;
    FenwaCommand& GetServoOnCommand() override;

    // Saves, resets ("HWR") and re-reads the motor: refused off line and while the enable input is on.
    void ResetDrive(bool confirm);
    // Makes the drive keep its parameters over power-up (the store command); nothing off line.
    void SaveParameters() override;
    // On line only: asks once, on the next idle tick, however often it is called before.
    void RequestResetPrompt();
    void ShowResetPrompt();
    bool IsResetPromptPending() const { return m_bResetPromptPending; }
    // Whether the input assigned to "Drive Enable" is on (reads "IO Status" afresh).
    bool IsEnableInputActive();
    void UpdateCurrentOperatingMode(bool overrideActive);
    // Ramp time in ms from acceleration, and back: 600000 / value.
    static double AccelToTime(double value);
    bool RefreshSoftEnabled() override;

    // The drive's attributes, as the parameter table defines them: the first of the name (the
    // "Up to Speed" property before the status flag of that name), or null.
    ZRAttribute* GetAttribute(const std::string& name) const;
    ZRIndexSelection* GetOperationModes() const { return m_pOperationModes; }
    ZRIndexSelection* GetDisplayedUnits() const { return m_pDisplayedUnits; }
    ZRIndexSelection* GetControlMode() const { return m_pControlMode; }
    ZRIndexSelection* GetCurrentOperatingMode() const { return m_pCurrentOperatingMode; }
    ZRFloatAttribute* GetPositionScaleAttribute() const { return m_pPositionScaleValue; }
    ZRFloatAttribute* GetVelocityScaleAttribute() const { return m_pVelocityScaleValue; }
    ZRFloatAttribute* GetAccelerationScaleAttribute() const { return m_pAccelerationScaleValue; }
    ZRStringAttribute* GetPositionLabel() const { return m_pPositionLabel; }
    ZRStringAttribute* GetVelocityLabel() const { return m_pVelocityLabel; }
    ZRStringAttribute* GetAccelerationLabel() const { return m_pAccelerationLabel; }
    ZRCompositeAttribute* GetStatuses() const { return m_pStatuses; }
    ZRCompositeAttribute* GetPr002() const { return m_pPr002; }
    ZRCompositeAttribute* GetPr300() const { return m_pPr300; }
    ZRCompositeAttribute* GetPrm001() const { return m_pPrm001; }
    ZRStringAttribute* GetIoStatus() const { return m_pIoStatus; }
    ZRBoolAttribute* GetSoftEnabled() const { return m_pSoftEnabled; }
    ZRBoolAttribute* GetAccelerationLimits() const { return m_pAccelerationLimits; }
    ZRUlongAttribute* GetAccelerationTime() const { return m_pAccelerationTime; }
    ZRUlongAttribute* GetDecelerationTime() const { return m_pDecelerationTime; }
    ZRUlongAttribute* GetAcceleration() const { return m_pAcceleration; }
    ZRUlongAttribute* GetDeceleration() const { return m_pDeceleration; }
    ZRUlongAttribute* GetSavePowerup() const { return m_pSavePowerup; }
    // The digital-input block's "Pr-0.06" while it lives (the override input), else null.
    ZRAttribute* GetOverrideInputLink() const { return m_pOverrideLink; }

    // The scale and units models the blocks bind.
    FenwaVelocityScale* GetVelocityScale() const { return m_pVelocityScale.get(); }
    FenwaPositionScale* GetPositionScale() const { return m_pPositionScale.get(); }
    FenwaAccelScale* GetAccelScale() const { return m_pAccelScale.get(); }
    FenwaCurrentScale* GetCurrentScale() const { return m_pCurrentScale.get(); }
    FenwaVelocityUnits* GetVelocityUnits() const { return m_pVelocityUnits.get(); }
    FenwaPositionUnits* GetPositionUnits() const { return m_pPositionUnits.get(); }
    FenwaAccelUnits* GetAccelUnits() const { return m_pAccelUnits.get(); }
    FenwaAccelUserUnits* GetAccelUserUnits() const { return m_pAccelUserUnits.get(); }
    FenwaVelocityUserUnits* GetVelocityUserUnits() const { return m_pVelocityUserUnits.get(); }
    FenwaAnalogVelocityScale* GetAnalogVelocityScale() const { return m_pAnalogVelocityScale.get(); }
    FenwaAnalogVelocityUnits* GetAnalogVelocityUnits() const { return m_pAnalogVelocityUnits.get(); }
    // Binds the scale and units models to their inputs again (the motor block's values included).
    void ConnectScales();

private:
    // The block of a type, or null (the monitor is none).
    ZRObject* Block(int32_t cls) const;
    // Defines the attributes from the parameter table, in its order.
    void DefineAttributes();
    // What the drive watches in its blocks; their attributes exist once they are initialised.
    void LinkBlocks();
    void StopObserving();
    // The change handler's steps.
    void OnAccelerationLimits();
    void OnAccelerationChanged(bool deceleration);
    void OnRampTimeChanged();
    void OnOverrideInputs();
    void ShowAccelerations(bool shown);
    // Bit of the input assigned in the text at position (0: none) in the "IO Status" word.
    bool IsInputOn(const std::string& assignment, size_t position);

    // Blocks made by the constructor; the child list owns them after Init.
    std::unique_ptr<ZRObject> m_pPendingBlocks[10];
    FenwaOperMode* m_pOperMode = nullptr;
    FenwaDigIn* m_pDigIn = nullptr;
    FenwaDigOut* m_pDigOut = nullptr;
    FenwaScope* m_pScope = nullptr;
    FenwaMotor* m_pMotor = nullptr;
    FenwaEncoder* m_pEncoder = nullptr;
    FenwaTuning* m_pTuning = nullptr;
    FenwaAnalogOut* m_pAnalogOut = nullptr;
    FenwaFaults* m_pFaults = nullptr;
    FenwaServiceInfo* m_pServiceInfo = nullptr;
    std::unique_ptr<ZRMonitor> m_pMonitor;

    // One per row of the parameter table, in its order.
    std::vector<std::unique_ptr<ZRAttribute>> m_Attributes;
    std::unique_ptr<ZRIndexedName> m_pInSpeedWindowName;
    std::unique_ptr<FenwaCommand> m_Commands[5];

    ZRIndexSelection* m_pOperationModes = nullptr;
    ZRIndexSelection* m_pDisplayedUnits = nullptr;
    ZRIndexSelection* m_pControlMode = nullptr;
    ZRIndexSelection* m_pCurrentOperatingMode = nullptr;
    ZRFloatAttribute* m_pPositionScaleValue = nullptr;
    ZRFloatAttribute* m_pVelocityScaleValue = nullptr;
    ZRFloatAttribute* m_pAccelerationScaleValue = nullptr;
    ZRStringAttribute* m_pPositionLabel = nullptr;
    ZRStringAttribute* m_pVelocityLabel = nullptr;
    ZRStringAttribute* m_pAccelerationLabel = nullptr;
    ZRCompositeAttribute* m_pStatuses = nullptr;
    ZRCompositeAttribute* m_pPr002 = nullptr;
    ZRCompositeAttribute* m_pPr300 = nullptr;
    ZRCompositeAttribute* m_pPrm001 = nullptr;
    ZRStringAttribute* m_pIoStatus = nullptr;
    ZRBoolAttribute* m_pSoftEnabled = nullptr;
    ZRBoolAttribute* m_pInSpeedWindow = nullptr;
    ZRBoolAttribute* m_pAccelerationLimits = nullptr;
    ZRUlongAttribute* m_pAccelerationTime = nullptr;
    ZRUlongAttribute* m_pDecelerationTime = nullptr;
    ZRUlongAttribute* m_pAcceleration = nullptr;
    ZRUlongAttribute* m_pDeceleration = nullptr;
    ZRUlongAttribute* m_pSavedAccelerationTime = nullptr;
    ZRUlongAttribute* m_pSavedDecelerationTime = nullptr;
    ZRUlongAttribute* m_pSCurveTime = nullptr;
    ZRUlongAttribute* m_pSavePowerup = nullptr;

    std::unique_ptr<FenwaVelocityScale> m_pVelocityScale;
    std::unique_ptr<FenwaPositionScale> m_pPositionScale;
    std::unique_ptr<FenwaAccelScale> m_pAccelScale;
    std::unique_ptr<FenwaCurrentScale> m_pCurrentScale;
    std::unique_ptr<FenwaVelocityUnits> m_pVelocityUnits;
    std::unique_ptr<FenwaPositionUnits> m_pPositionUnits;
    std::unique_ptr<FenwaAccelUnits> m_pAccelUnits;
    std::unique_ptr<FenwaAccelUserUnits> m_pAccelUserUnits;
    std::unique_ptr<FenwaVelocityUserUnits> m_pVelocityUserUnits;
    std::unique_ptr<FenwaAnalogVelocityScale> m_pAnalogVelocityScale;
    std::unique_ptr<FenwaAnalogVelocityUnits> m_pAnalogVelocityUnits;

    // The digital-input block's "Pr-0.06" (not owned); null until Init and once it has gone.
    ZRAttribute* m_pOverrideLink = nullptr;
    bool m_bResetPromptPending = false;

    // Raised while a drive adjusts its accelerations and ramp times, so that its own changes are
    // not handled again; one for all Fenwa drives.
    static bool s_bCouplingGuard;
};
