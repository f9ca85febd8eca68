#pragma once

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRFloatAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Observer.h"

#include <cstdint>
#include <memory>
#include <vector>

class TarvikStorage;
class ZRIndexedName;
class ZRScale;
class ZRUnits;

class ZROperMode;
class ZRDeviceNetTarvik;
class ZRMotorTarvik;
class ZRTuning;
class ZREncodersTarvik;
class ZRDigInTarvik;
class ZRDigOutTarvik;
class TarvikAnalogOut;
class ZRFaults;
class ZRMonitor;
class ZRNoxelScope;
class ZRServiceInfo;
class ZROlbraConverter;

class ZRVelocityScale;
class ZRPositionScale;
class TarvikAccelScale;
class ZRCurrentScale;
class ZRFBVelocityScale;
class ZRFBPositionScale;
class ZRFBAccelScale;
class TarvikAuxPositionScale;
class TarvikAuxAccelScale;
class ZRVelocityUnits;
class ZRPositionUnits;
class TarvikAccelUnits;
class ZRCurrentUnits;
class ZRFBVelocityUnits;
class ZRFBPositionUnits;
class ZRFBAccelUnits;
class TarvikAuxPositionUnits;
class TarvikAuxAccelUnits;
class ZRCurrentLimitScale;
class TarvikAnalogVelocityScale;
class TarvikAnalogVelocityUnits;
class TarvikAnalogCurrentScale;
class TarvikAnalogPositionScale;
class TarvikAnalogPositionUnits;
class TarvikAnalogOutScale;
class TarvikAnalogOutUnits;
class ZRGearScale;
class ZRInverseGearScale;

// One Tarvik drive, on line or in a project: the drive-wide parameters, the blocks that configure
// it, its monitor, and the scale and units models through which the blocks show user units.
// Object type -177 is the standard drive, -178 the indexing drive.
class ZRDrive : public ZRObject, public platform::core::Observer {
public:
    // Product-type flag bits (parameter 0).
    static constexpr uint32_t kIndexingDrive = 0x01;
    static constexpr uint32_t kStandardDrive = 0x02;
    static constexpr uint32_t kDrivePresent = 0x04;
    static constexpr uint32_t kFirmwareValid = 0x08;
    static constexpr uint32_t kDeviceNetPresent = 0x10;
    static constexpr uint32_t kSercosDrive = 0x20;
    static constexpr uint32_t kObjectVersion = 78593;
    // Bounds of the user-units factors ("Position Scale" ...).
    static constexpr double kMinUserFactor = 1.1920928955078125e-07; // 2^-23
    static constexpr double kMaxUserFactor = 10000000000.0;

    explicit ZRDrive(int32_t type);
    ~ZRDrive() override;

    void AttachDBChildren() override;
    void AttachOnLineChildren() override;
    void Copy(ZRObject* source, bool withChildren) override;
    void Create(ZRDevice* device) override;
    // The existing block of the type; the drive never makes new children.
    ZRObject* GetChild(int32_t type) override;
    void Init() override;

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Re-reads "Product Type" from storage.
    uint32_t GetProductType();
    void SetProductType(uint32_t flags);
    bool IsProductTypeKnown() const { return m_bProductTypeKnown; }
    // Re-reads the enable input.
    bool IsEnableActive();
    // The drive size's current rating in amperes.
    double GetDrivePeakCurrent();
    void ClearFaults();
    int ResetDrive();
    bool ResetPersonality();
    // On line: the reset service, the wait for the drive to come back, and the host taking it on the
    // link again (the plain link where the firmware refuses the full one). -1 after a service error
    // was shown; else 1 when the full link was taken, 0 when not.
    int RestartDrive();
    bool HasDeviceNetChild() const { return m_bDeviceNetChild; }
    // Fills a drive fresh from Init, made with the type the file's model asks for, from an opened
    // older-family parameter file, logging into the file's conversion log. Throws ZRError when the
    // file is refused; the drive is then to be discarded.
    void ImportParValues(ZROlbraConverter* file);

    // Scale and units models.
    ZRVelocityScale* GetVelocityScale() const { return m_pVelocityScale.get(); }
    ZRPositionScale* GetPositionScale() const { return m_pPositionScale.get(); }
    TarvikAccelScale* GetAccelScale() const { return m_pAccelScale.get(); }
    ZRCurrentScale* GetCurrentScale() const { return m_pCurrentScale.get(); }
    ZRFBVelocityScale* GetFBVelocityScale() const { return m_pFBVelocityScale.get(); }
    ZRFBPositionScale* GetFBPositionScale() const { return m_pFBPositionScale.get(); }
    ZRFBAccelScale* GetFBAccelScale() const { return m_pFBAccelScale.get(); }
    TarvikAuxPositionScale* GetAuxPositionScale() const { return m_pAuxPositionScale.get(); }
    TarvikAuxAccelScale* GetAuxAccelScale() const { return m_pAuxAccelScale.get(); }
    ZRVelocityUnits* GetVelocityUnits() const { return m_pVelocityUnits.get(); }
    ZRPositionUnits* GetPositionUnits() const { return m_pPositionUnits.get(); }
    TarvikAccelUnits* GetAccelUnits() const { return m_pAccelUnits.get(); }
    ZRCurrentUnits* GetCurrentUnits() const { return m_pCurrentUnits.get(); }
    ZRFBVelocityUnits* GetFBVelocityUnits() const { return m_pFBVelocityUnits.get(); }
    ZRFBPositionUnits* GetFBPositionUnits() const { return m_pFBPositionUnits.get(); }
    ZRFBAccelUnits* GetFBAccelUnits() const { return m_pFBAccelUnits.get(); }
    TarvikAuxPositionUnits* GetAuxPositionUnits() const { return m_pAuxPositionUnits.get(); }
    TarvikAuxAccelUnits* GetAuxAccelUnits() const { return m_pAuxAccelUnits.get(); }
    ZRCurrentLimitScale* GetCurrentLimitScale() const { return m_pCurrentLimitScale.get(); }
    TarvikAnalogVelocityScale* GetAnalogVelocityScale() const { return m_pAnalogVelocityScale.get(); }
    TarvikAnalogVelocityUnits* GetAnalogVelocityUnits() const { return m_pAnalogVelocityUnits.get(); }
    TarvikAnalogCurrentScale* GetAnalogCurrentScale() const { return m_pAnalogCurrentScale.get(); }
    TarvikAnalogPositionScale* GetAnalogPositionScale() const { return m_pAnalogPositionScale.get(); }
    TarvikAnalogPositionUnits* GetAnalogPositionUnits() const { return m_pAnalogPositionUnits.get(); }
    TarvikAnalogOutScale* GetAnalogOutScale() const { return m_pAnalogOutScale.get(); }
    TarvikAnalogOutUnits* GetAnalogOutUnits() const { return m_pAnalogOutUnits.get(); }
    ZRGearScale* GetGearScale() const { return m_pGearScale.get(); }
    ZRInverseGearScale* GetInverseGearScale() const { return m_pInverseGearScale.get(); }

    // Blocks (the DeviceNet block exists whether or not it is a child).
    ZROperMode* GetOperMode() const { return m_pOperMode; }
    ZRDeviceNetTarvik* GetDeviceNet() const { return m_pDeviceNet; }
    ZRMotorTarvik* GetMotor() const { return m_pMotor; }
    ZRTuning* GetTuning() const { return m_pTuning; }
    ZREncodersTarvik* GetEncoders() const { return m_pEncoders; }
    ZRDigInTarvik* GetDigIn() const { return m_pDigIn; }
    ZRDigOutTarvik* GetDigOut() const { return m_pDigOut; }
    TarvikAnalogOut* GetAnalogOut() const { return m_pAnalogOut; }
    ZRFaults* GetFaults() const { return m_pFaults; }
    ZRMonitor* GetMonitor() const { return m_pMonitor.get(); }
    ZRNoxelScope* GetScope() const { return m_pScope; }
    ZRServiceInfo* GetServiceInfo() const { return m_pServiceInfo; }

    // Commands.
    ZRCommand* GetResetPeaksCommand() { return &m_ResetPeaks; }
    ZRCommand* GetDefineHomeCommand() { return &m_DefineHome; }

    // Attributes. Where two attributes share a name, the status bit or the unstored copy carries a
    // suffix; the auxiliary-encoder units are GetAuxEncoder...; the user factors of the motor encoder
    // are ...ScaleAttribute so as not to meet the scale models' getters.
    ZRUlongAttribute* GetProductTypeAttribute() { return &m_ProductType; }
    ZRBoolAttribute* GetMotorForwardDir() { return &m_MotorForwardDir; }
    ZRUlongAttribute* GetDriveAddress() { return &m_DriveAddress; }
    ZRUlongAttribute* GetBroadcastAddress() { return &m_BroadcastAddress; }
    ZRIndexSelection* GetOperationMode() { return &m_OperationMode; }
    ZRIndexSelection* GetOperModeOverride() { return &m_OperModeOverride; }
    ZRIndexSelection* GetBaudRate() { return &m_BaudRate; }
    ZRIndexSelection* GetFrameFormat() { return &m_FrameFormat; }
    ZRUlongAttribute* GetPositive() { return &m_Positive; }
    ZRUlongAttribute* GetNegative() { return &m_Negative; }
    ZRUlongAttribute* GetZeroSpeed() { return &m_ZeroSpeed; }
    ZRUlongAttribute* GetSpeedWindow() { return &m_SpeedWindow; }
    ZRUlongAttribute* GetUpToSpeed() { return &m_UpToSpeed; }
    ZRBoolAttribute* GetEnableSoftLimits() { return &m_EnableSoftLimits; }
    ZRLongAttribute* GetPositiveSoftLimit() { return &m_PositiveSoftLimit; }
    ZRLongAttribute* GetNegativeSoftLimit() { return &m_NegativeSoftLimit; }
    ZRLongAttribute* GetPositiveDecelDistance() { return &m_PositiveDecelDistance; }
    ZRLongAttribute* GetNegativeDecelDistance() { return &m_NegativeDecelDistance; }
    ZRUlongAttribute* GetInPositionSize() { return &m_InPositionSize; }
    ZRUlongAttribute* GetInPositionTime() { return &m_InPositionTime; }
    ZRLongAttribute* GetPosnCompare1() { return &m_PosnCompare1; }
    ZRLongAttribute* GetPosnCompare1Max() { return &m_PosnCompare1Max; }
    ZRLongAttribute* GetPosnCompare2() { return &m_PosnCompare2; }
    ZRLongAttribute* GetPosnCompare2Max() { return &m_PosnCompare2Max; }
    ZRBoolAttribute* GetPosnCompare1Polarity() { return &m_PosnCompare1Polarity; }
    ZRIndexSelection* GetPosnCompare1Type() { return &m_PosnCompare1Type; }
    ZRBoolAttribute* GetPosnCompare2Polarity() { return &m_PosnCompare2Polarity; }
    ZRIndexSelection* GetPosnCompare2Type() { return &m_PosnCompare2Type; }
    ZRIndexSelection* GetDisplayedUnits() { return &m_DisplayedUnits; }
    ZRUlongAttribute* GetVelocityPrecision() { return &m_VelocityPrecision; }
    ZRUlongAttribute* GetPositionPrecision() { return &m_PositionPrecision; }
    ZRUlongAttribute* GetAccelerationPrecision() { return &m_AccelerationPrecision; }
    ZRUlongAttribute* GetCurrentPrecision() { return &m_CurrentPrecision; }
    ZRFloatAttribute* GetVelocityScaleAttribute() { return &m_VelocityScaleValue; }
    ZRStringAttribute* GetVelocityLabel() { return &m_VelocityLabel; }
    ZRFloatAttribute* GetPositionScaleAttribute() { return &m_PositionScaleValue; }
    ZRStringAttribute* GetPositionLabel() { return &m_PositionLabel; }
    ZRFloatAttribute* GetAccelerationScaleAttribute() { return &m_AccelerationScaleValue; }
    ZRStringAttribute* GetAccelerationLabel() { return &m_AccelerationLabel; }
    ZRStringAttribute* GetCurrentLabel() { return &m_CurrentLabel; }
    ZRFloatAttribute* GetAuxEncoderVelocityScale() { return &m_AuxVelocityScaleValue; }
    ZRStringAttribute* GetAuxEncoderVelocityLabel() { return &m_AuxVelocityLabel; }
    ZRFloatAttribute* GetAuxEncoderPositionScale() { return &m_AuxPositionScaleValue; }
    ZRStringAttribute* GetAuxEncoderPositionLabel() { return &m_AuxPositionLabel; }
    ZRFloatAttribute* GetAuxEncoderAccelerationScale() { return &m_AuxAccelerationScaleValue; }
    ZRStringAttribute* GetAuxEncoderAccelerationLabel() { return &m_AuxAccelerationLabel; }
    ZRUlongAttribute* GetAcceleration() { return &m_Acceleration; }
    ZRLongAttribute* GetVelocityCommand() { return &m_VelocityCommand; }
    ZRLongAttribute* GetCurrentCommand() { return &m_CurrentCommand; }
    ZRIndexSelection* GetHostControlMode() { return &m_HostControlMode; }
    ZRBoolAttribute* GetDriveEnabled() { return &m_DriveEnabled; }
    ZRBoolAttribute* GetEnableActive() { return &m_EnableActive; }
    ZRBoolAttribute* GetInPosition() { return &m_InPosition; }
    ZRBoolAttribute* GetInPositionWindow() { return &m_InPositionWindow; }
    ZRBoolAttribute* GetUpToSpeedStatus() { return &m_UpToSpeedStatus; }
    ZRBoolAttribute* GetInSpeedWindow() { return &m_InSpeedWindow; }
    ZRBoolAttribute* GetZeroSpeedStatus() { return &m_ZeroSpeedStatus; }
    ZRBoolAttribute* GetPosCurrentLimit() { return &m_PosCurrentLimit; }
    ZRBoolAttribute* GetNegCurrentLimit() { return &m_NegCurrentLimit; }
    ZRBoolAttribute* GetPosnCompare1Status() { return &m_PosnCompare1Status; }
    ZRBoolAttribute* GetPosnCompare2Status() { return &m_PosnCompare2Status; }
    ZRBoolAttribute* GetBusPower() { return &m_BusPower; }
    ZRBoolAttribute* GetBrake() { return &m_Brake; }
    ZRBoolAttribute* GetReady() { return &m_Ready; }
    ZRBoolAttribute* GetPositiveOvertravel() { return &m_PositiveOvertravel; }
    ZRBoolAttribute* GetNegativeOvertravel() { return &m_NegativeOvertravel; }
    ZRBoolAttribute* GetDisableSerialCommunications() { return &m_DisableSerialCommunications; }
    ZRBoolAttribute* GetForwardEnable() { return &m_ForwardEnable; }
    ZRBoolAttribute* GetReverseEnable() { return &m_ReverseEnable; }
    ZRBoolAttribute* GetOperationModeOverride() { return &m_OperationModeOverride; }
    ZRBoolAttribute* GetPositiveOvertravelInput() { return &m_PositiveOvertravelInput; }
    ZRBoolAttribute* GetNegativeOvertravelInput() { return &m_NegativeOvertravelInput; }
    ZRUlongAttribute* GetSercosCapable() { return &m_SercosCapable; }
    ZRUlongAttribute* GetBusVoltage() { return &m_BusVoltage; }
    ZRUlongAttribute* GetCommutationAngle() { return &m_CommutationAngle; }
    ZRUlongAttribute* GetDriveTemperature() { return &m_DriveTemperature; }
    ZRIndexSelection* GetFaultState() { return &m_FaultState; }
    ZRLongAttribute* GetAnalogCommandIn() { return &m_AnalogCommandIn; }
    ZRLongAttribute* GetPositionAuxiliaryEncoder() { return &m_PositionAuxiliaryEncoder; }
    // References of the drive- and motor-temperature scope channel scales (parameters 278, 279).
    ZRUlongAttribute* GetDriveTemperatureReference() { return &m_DriveTempReference; }
    ZRUlongAttribute* GetMotorTemperatureReference() { return &m_MotorTempReference; }
    ZRBoolAttribute* GetPositionRollover() { return &m_PositionRollover; }
    ZRBoolAttribute* GetPositionRolloverCopy() { return &m_PositionRolloverCopy; }
    ZRUlongAttribute* GetSize() { return &m_Size; }
    ZRUlongAttribute* GetSizeCopy() { return &m_SizeCopy; }
    ZRBoolAttribute* GetSingleTurnAbsolute() { return &m_SingleTurnAbsolute; }

private:
    // The drive's own parameters, their options, defaults, ranges, scales and flags.
    void DefineAttributes();
    void DefineFaultState();
    // Hands a block still held here to the children list.
    void ListChild(ZRObject* block);
    void ListDeviceNet(bool store = true);
    // The block of the type whether listed or not, or null.
    ZRObject* Block(int32_t type) const;
    // The drive's own settings of an older-family file, once its blocks have converted theirs.
    void ImportOwnParValues(ZROlbraConverter& file);
    // Re-reads the display and scaling parameters the scale models read.
    void RefreshDisplayParameters();
    void ApplySingleTurnRule();
    void UpdateSingleTurnShown();
    void UpdateComputedSize();
    void StopObservingBlocks();
    bool IsOnLine();
    // The drive's parameter link when on line, else null.
    TarvikStorage* OnLineStorage();

    ZRUlongAttribute m_ProductType;
    ZRBoolAttribute m_MotorForwardDir;
    ZRUlongAttribute m_DriveAddress;
    ZRUlongAttribute m_BroadcastAddress;
    ZRIndexSelection m_OperationMode;
    ZRIndexSelection m_OperModeOverride;
    ZRIndexSelection m_BaudRate;
    ZRIndexSelection m_FrameFormat;
    ZRUlongAttribute m_Positive;
    ZRUlongAttribute m_Negative;
    ZRUlongAttribute m_ZeroSpeed;
    ZRUlongAttribute m_SpeedWindow;
    ZRUlongAttribute m_UpToSpeed;
    ZRBoolAttribute m_EnableSoftLimits;
    ZRLongAttribute m_PositiveSoftLimit;
    ZRLongAttribute m_NegativeSoftLimit;
    ZRLongAttribute m_PositiveDecelDistance;
    ZRLongAttribute m_NegativeDecelDistance;
    ZRUlongAttribute m_InPositionSize;
    ZRUlongAttribute m_InPositionTime;
    ZRLongAttribute m_PosnCompare1;
    ZRLongAttribute m_PosnCompare1Max;
    ZRLongAttribute m_PosnCompare2;
    ZRLongAttribute m_PosnCompare2Max;
    ZRBoolAttribute m_PosnCompare1Polarity;
    ZRIndexSelection m_PosnCompare1Type;
    ZRBoolAttribute m_PosnCompare2Polarity;
    ZRIndexSelection m_PosnCompare2Type;
    ZRIndexSelection m_DisplayedUnits;
    ZRUlongAttribute m_VelocityPrecision;
    ZRUlongAttribute m_PositionPrecision;
    ZRUlongAttribute m_AccelerationPrecision;
    ZRUlongAttribute m_CurrentPrecision;
    ZRFloatAttribute m_VelocityScaleValue;
    ZRStringAttribute m_VelocityLabel;
    ZRFloatAttribute m_PositionScaleValue;
    ZRStringAttribute m_PositionLabel;
    ZRFloatAttribute m_AccelerationScaleValue;
    ZRStringAttribute m_AccelerationLabel;
    ZRStringAttribute m_CurrentLabel;
    ZRFloatAttribute m_AuxVelocityScaleValue;
    ZRStringAttribute m_AuxVelocityLabel;
    ZRFloatAttribute m_AuxPositionScaleValue;
    ZRStringAttribute m_AuxPositionLabel;
    ZRFloatAttribute m_AuxAccelerationScaleValue;
    ZRStringAttribute m_AuxAccelerationLabel;
    ZRUlongAttribute m_Acceleration;
    ZRLongAttribute m_VelocityCommand;
    ZRLongAttribute m_CurrentCommand;
    ZRIndexSelection m_HostControlMode;
    ZRBoolAttribute m_DriveEnabled;
    ZRBoolAttribute m_EnableActive;
    ZRBoolAttribute m_InPosition;
    ZRBoolAttribute m_InPositionWindow;
    ZRBoolAttribute m_UpToSpeedStatus;
    ZRBoolAttribute m_InSpeedWindow;
    ZRBoolAttribute m_ZeroSpeedStatus;
    ZRBoolAttribute m_PosCurrentLimit;
    ZRBoolAttribute m_NegCurrentLimit;
    ZRBoolAttribute m_PosnCompare1Status;
    ZRBoolAttribute m_PosnCompare2Status;
    ZRBoolAttribute m_BusPower;
    ZRBoolAttribute m_Brake;
    ZRBoolAttribute m_Ready;
    ZRBoolAttribute m_PositiveOvertravel;
    ZRBoolAttribute m_NegativeOvertravel;
    ZRBoolAttribute m_DisableSerialCommunications;
    ZRBoolAttribute m_ForwardEnable;
    ZRBoolAttribute m_ReverseEnable;
    ZRBoolAttribute m_OperationModeOverride;
    ZRBoolAttribute m_PositiveOvertravelInput;
    ZRBoolAttribute m_NegativeOvertravelInput;
    ZRUlongAttribute m_SercosCapable;
    ZRUlongAttribute m_BusVoltage;
    ZRUlongAttribute m_CommutationAngle;
    ZRUlongAttribute m_DriveTemperature;
    ZRIndexSelection m_FaultState;
    ZRLongAttribute m_AnalogCommandIn;
    ZRLongAttribute m_PositionAuxiliaryEncoder;
    ZRUlongAttribute m_DriveTempReference;
    ZRUlongAttribute m_MotorTempReference;
    ZRBoolAttribute m_PositionRollover;
    ZRBoolAttribute m_PositionRolloverCopy;
    ZRUlongAttribute m_Size;
    ZRUlongAttribute m_SizeCopy;
    ZRBoolAttribute m_SingleTurnAbsolute;

    ZRCommand m_ResetPeaks;
    ZRCommand m_DefineHome;

    // Blocks made here and not yet in the children list; the list owns them once added.
    std::vector<std::unique_ptr<ZRObject>> m_Unlisted;
    ZROperMode* m_pOperMode = nullptr;
    ZRDeviceNetTarvik* m_pDeviceNet = nullptr;
    ZRMotorTarvik* m_pMotor = nullptr;
    ZRTuning* m_pTuning = nullptr;
    ZREncodersTarvik* m_pEncoders = nullptr;
    ZRDigInTarvik* m_pDigIn = nullptr;
    ZRDigOutTarvik* m_pDigOut = nullptr;
    TarvikAnalogOut* m_pAnalogOut = nullptr;
    ZRFaults* m_pFaults = nullptr;
    ZRNoxelScope* m_pScope = nullptr;
    ZRServiceInfo* m_pServiceInfo = nullptr;
    // Never a child: its parent is the drive, which owns it.
    std::unique_ptr<ZRMonitor> m_pMonitor;

    std::unique_ptr<ZRVelocityScale> m_pVelocityScale;
    std::unique_ptr<ZRPositionScale> m_pPositionScale;
    std::unique_ptr<TarvikAccelScale> m_pAccelScale;
    std::unique_ptr<ZRCurrentScale> m_pCurrentScale;
    std::unique_ptr<ZRFBVelocityScale> m_pFBVelocityScale;
    std::unique_ptr<ZRFBPositionScale> m_pFBPositionScale;
    std::unique_ptr<ZRFBAccelScale> m_pFBAccelScale;
    std::unique_ptr<TarvikAuxPositionScale> m_pAuxPositionScale;
    std::unique_ptr<TarvikAuxAccelScale> m_pAuxAccelScale;
    std::unique_ptr<ZRVelocityUnits> m_pVelocityUnits;
    std::unique_ptr<ZRPositionUnits> m_pPositionUnits;
    std::unique_ptr<TarvikAccelUnits> m_pAccelUnits;
    std::unique_ptr<ZRCurrentUnits> m_pCurrentUnits;
    std::unique_ptr<ZRFBVelocityUnits> m_pFBVelocityUnits;
    std::unique_ptr<ZRFBPositionUnits> m_pFBPositionUnits;
    std::unique_ptr<ZRFBAccelUnits> m_pFBAccelUnits;
    std::unique_ptr<TarvikAuxPositionUnits> m_pAuxPositionUnits;
    std::unique_ptr<TarvikAuxAccelUnits> m_pAuxAccelUnits;
    std::unique_ptr<ZRCurrentLimitScale> m_pCurrentLimitScale;
    std::unique_ptr<TarvikAnalogVelocityScale> m_pAnalogVelocityScale;
    std::unique_ptr<TarvikAnalogVelocityUnits> m_pAnalogVelocityUnits;
    std::unique_ptr<TarvikAnalogCurrentScale> m_pAnalogCurrentScale;
    std::unique_ptr<TarvikAnalogPositionScale> m_pAnalogPositionScale;
    std::unique_ptr<TarvikAnalogPositionUnits> m_pAnalogPositionUnits;
    std::unique_ptr<TarvikAnalogOutScale> m_pAnalogOutScale;
    std::unique_ptr<TarvikAnalogOutUnits> m_pAnalogOutUnits;
    std::unique_ptr<ZRGearScale> m_pGearScale;
    std::unique_ptr<ZRInverseGearScale> m_pInverseGearScale;

    std::unique_ptr<ZRIndexedName> m_pCompare1Names;
    std::unique_ptr<ZRIndexedName> m_pCompare2Names;

    // Block attributes observed here; cleared when they go.
    ZRAttribute* m_pMotorEncoder = nullptr;
    ZRAttribute* m_pLinesRevolution = nullptr;
    ZRAttribute* m_pSmartEncoderType = nullptr;
    ZRAttribute* m_pPositionFeedbackSource = nullptr;
    ZRAttribute* m_pMotorEncoderInterpolation = nullptr;

    bool m_bProductTypeKnown = false;
    bool m_bDeviceNetChild = false;
};

// The drive above an object of its tree, or null.
ZRDrive* TarvikDriveOf(ZRObject* object);
