#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRCommand;
class ZRGearAttribute;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRStringAttribute;
class ZRUlongAttribute;

// The drive's two feedback devices: the motor encoder (interpolation, encoder output, signals), the
// auxiliary encoder, the built-in encoder tests and the programming of a smart encoder's memory.
class ZREncodersTarvik : public ZRObject, public platform::core::Observer {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    static constexpr int kMotorSignals = 6;     // A, B, Z, S1, S2, S3
    static constexpr int kAuxSignals = 3;       // A, B, Z
    static constexpr int kConnections = 9;      // S1 ... W, Hall Offset
    static constexpr int kMemoryAreaStates = 5;
    static constexpr int kMemoryAreaSetups = 4;

    ZREncodersTarvik();
    ~ZREncodersTarvik() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The interpolation selection's position as a factor over quadrature counting (x4 gives 1). A
    // position outside the offered choices (none selected, the unexpected-value entry) gives 1 and
    // false, so a scale built on it reports failure instead of a made-up factor.
    static int32_t GetInterpolationFactor(int index);
    static bool GetInterpolationFactor(int index, int32_t& factor);

    ZRIndexSelection* GetPositionFeedbackSource() const { return m_pPositionFeedbackSource.get(); }
    ZRGearAttribute* GetEncoderRatioLoadMotor() const { return m_pEncoderRatio.get(); }
    ZRIndexSelection* GetOutputSignal() const { return m_pOutputSignal.get(); }
    ZRUlongAttribute* GetDivider() const { return m_pDivider.get(); }
    ZRIndexSelection* GetMaximumOutputFrequency() const { return m_pMaximumOutputFrequency.get(); }
    ZRBoolAttribute* GetMarkerOutputGating() const { return m_pMarkerOutputGating.get(); }
    ZRIndexSelection* GetMotorEncoderInterpolation() const { return m_pMotorEncoderInterpolation.get(); }
    ZRIndexSelection* GetType() const { return m_pType.get(); }
    ZRUlongAttribute* GetLinesRevolution() const { return m_pLinesRevolution.get(); }
    ZRUlongAttribute* GetLinesMeter() const { return m_pLinesMeter.get(); }
    ZRUlongAttribute* GetTestCurrent() const { return m_pTestCurrent.get(); }
    ZRUlongAttribute* GetTestDistance() const { return m_pTestDistance.get(); }

    ZRLongAttribute* GetPositionMotorFeedback() const { return m_pPositionMotorFeedback.get(); }
    ZRLongAttribute* GetEncoderTemperature() const { return m_pEncoderTemperature.get(); }
    // A, B, Z, S1, S2, S3 of the motor encoder; A, B, Z of the auxiliary one.
    ZRBoolAttribute* GetMotorSignal(int i) const { return m_MotorSignals.at(i).get(); }
    ZRLongAttribute* GetPositionAuxiliary() const { return m_pPositionAuxiliary.get(); }
    ZRBoolAttribute* GetAuxSignal(int i) const { return m_AuxSignals.at(i).get(); }
    ZRIndexSelection* GetTestStatus() const { return m_pTestStatus.get(); }
    ZRIndexSelection* GetTestResults() const { return m_pTestResults.get(); }
    ZRUlongAttribute* GetMeasuredFeedbackResolution() const { return m_pMeasuredResolution.get(); }
    ZRUlongAttribute* GetExpectedFeedbackResolution() const { return m_pExpectedResolution.get(); }
    ZRUlongAttribute* GetMarkerPosition() const { return m_pMarkerPosition.get(); }
    // "S1 Connection" ... "W Connection", "Hall Offset".
    ZRIndexSelection* GetConnection(int i) const { return m_Connections.at(i).get(); }
    ZRBoolAttribute* GetMarker() const { return m_pMarker.get(); }
    ZRLongAttribute* GetEncoderTestControl() const { return m_pTestControl.get(); }

    ZRBoolAttribute* GetPositionStrobe() const { return m_pPositionStrobe.get(); }
    ZRBoolAttribute* GetThermostat() const { return m_pThermostat.get(); }
    ZRBoolAttribute* GetNegativeOvertravel() const { return m_pNegativeOvertravel.get(); }
    ZRBoolAttribute* GetPositiveOvertravel() const { return m_pPositiveOvertravel.get(); }
    ZRBoolAttribute* GetTracking() const { return m_pTracking.get(); }
    ZRBoolAttribute* GetStartupCommutationComplete() const { return m_pStartupCommutationComplete.get(); }
    ZRUlongAttribute* GetSine() const { return m_pSine.get(); }
    ZRUlongAttribute* GetCosine() const { return m_pCosine.get(); }

    ZRStringAttribute* GetBlobFile() const { return m_pBlobFile.get(); }
    ZRStringAttribute* GetSerialNumber() const { return m_pSerialNumber.get(); }
    ZRLongAttribute* GetSelfSensingCurrent() const { return m_pSelfSensingCurrent.get(); }
    // The programming's "Status" text (GetStatus is the status list).
    ZRStringAttribute* GetProgrammingStatus() const { return m_pProgrammingStatus.get(); }
    ZRUlongAttribute* GetSmartEncoderType() const { return m_pSmartEncoderType.get(); }
    ZRUlongAttribute* GetEncoderSerialPort() const { return m_pEncoderSerialPort.get(); }
    ZRUlongAttribute* GetEncoderInterfaceType() const { return m_pEncoderInterfaceType.get(); }
    ZRUlongAttribute* GetEncoderAddress() const { return m_pEncoderAddress.get(); }
    ZRUlongAttribute* GetEncoderParameter388() const { return m_pParameter388.get(); }
    ZRUlongAttribute* GetCommutationOffset() const { return m_pCommutationOffset.get(); }
    ZRUlongAttribute* GetEncoderIdentity() const { return m_pEncoderIdentity.get(); }
    ZRUlongAttribute* GetMemoryAreaState(int i) const { return m_MemoryAreaStates.at(i).get(); }
    ZRUlongAttribute* GetMemoryAreaSetup(int i) const { return m_MemoryAreaSetups.at(i).get(); }

    ZRCommand* GetResetEncoder() const { return m_pResetEncoder.get(); }
    ZRCommand* GetWriteEncoderMemory() const { return m_pWriteEncoderMemory.get(); }
    ZRCommand* GetConfigureEncoderMemory() const { return m_pConfigureEncoderMemory.get(); }

private:
    void ApplyTypeRule();
    void ApplyStandardDriveRule();
    void ObserveMotor();
    void StopObservingMotor();

    std::unique_ptr<ZRIndexSelection> m_pPositionFeedbackSource;
    std::unique_ptr<ZRGearAttribute> m_pEncoderRatio;
    std::unique_ptr<ZRIndexSelection> m_pOutputSignal;
    std::unique_ptr<ZRUlongAttribute> m_pDivider;
    std::unique_ptr<ZRIndexSelection> m_pMaximumOutputFrequency;
    std::unique_ptr<ZRBoolAttribute> m_pMarkerOutputGating;
    std::unique_ptr<ZRIndexSelection> m_pMotorEncoderInterpolation;
    std::unique_ptr<ZRIndexSelection> m_pType;
    std::unique_ptr<ZRUlongAttribute> m_pLinesRevolution;
    std::unique_ptr<ZRUlongAttribute> m_pLinesMeter;
    std::unique_ptr<ZRUlongAttribute> m_pTestCurrent;
    std::unique_ptr<ZRUlongAttribute> m_pTestDistance;

    std::unique_ptr<ZRLongAttribute> m_pPositionMotorFeedback;
    std::unique_ptr<ZRLongAttribute> m_pEncoderTemperature;
    std::array<std::unique_ptr<ZRBoolAttribute>, kMotorSignals> m_MotorSignals;
    std::unique_ptr<ZRLongAttribute> m_pPositionAuxiliary;
    std::array<std::unique_ptr<ZRBoolAttribute>, kAuxSignals> m_AuxSignals;
    std::unique_ptr<ZRIndexSelection> m_pTestStatus;
    std::unique_ptr<ZRIndexSelection> m_pTestResults;
    std::unique_ptr<ZRUlongAttribute> m_pMeasuredResolution;
    std::unique_ptr<ZRUlongAttribute> m_pExpectedResolution;
    std::unique_ptr<ZRUlongAttribute> m_pMarkerPosition;
    std::array<std::unique_ptr<ZRIndexSelection>, kConnections> m_Connections;
    std::unique_ptr<ZRBoolAttribute> m_pMarker;
    std::unique_ptr<ZRLongAttribute> m_pTestControl;

    std::unique_ptr<ZRBoolAttribute> m_pPositionStrobe;
    std::unique_ptr<ZRBoolAttribute> m_pThermostat;
    std::unique_ptr<ZRBoolAttribute> m_pNegativeOvertravel;
    std::unique_ptr<ZRBoolAttribute> m_pPositiveOvertravel;
    std::unique_ptr<ZRBoolAttribute> m_pTracking;
    std::unique_ptr<ZRBoolAttribute> m_pStartupCommutationComplete;
    std::unique_ptr<ZRUlongAttribute> m_pSine;
    std::unique_ptr<ZRUlongAttribute> m_pCosine;

    std::unique_ptr<ZRStringAttribute> m_pBlobFile;
    std::unique_ptr<ZRStringAttribute> m_pSerialNumber;
    std::unique_ptr<ZRLongAttribute> m_pSelfSensingCurrent;
    std::unique_ptr<ZRStringAttribute> m_pProgrammingStatus;
    std::unique_ptr<ZRUlongAttribute> m_pSmartEncoderType;
    std::unique_ptr<ZRUlongAttribute> m_pEncoderSerialPort;
    std::unique_ptr<ZRUlongAttribute> m_pEncoderInterfaceType;
    std::unique_ptr<ZRUlongAttribute> m_pEncoderAddress;
    std::unique_ptr<ZRUlongAttribute> m_pParameter388;
    std::unique_ptr<ZRUlongAttribute> m_pCommutationOffset;
    std::unique_ptr<ZRUlongAttribute> m_pEncoderIdentity;
    std::array<std::unique_ptr<ZRUlongAttribute>, kMemoryAreaStates> m_MemoryAreaStates;
    std::array<std::unique_ptr<ZRUlongAttribute>, kMemoryAreaSetups> m_MemoryAreaSetups;

    std::unique_ptr<ZRCommand> m_pResetEncoder;
    std::unique_ptr<ZRCommand> m_pWriteEncoderMemory;
    std::unique_ptr<ZRCommand> m_pConfigureEncoderMemory;

    // The motor block's attributes this block follows (not owned); cleared when they go first.
    ZRAttribute* m_pMotorEncoder = nullptr;
    ZRAttribute* m_pMotorAutoIden = nullptr;
};
