#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class FenwaCommand;
class FenwaGearUpdateMgr;
class ZRBoolAttribute;
class ZRHidingUpdateMgr;
class ZRStringAttribute;
class ZRUlongAttribute;

// A Fenwa drive block: the encoder output ratio and direction, the backup battery and feedback-loss
// switches (fields of the drive's "Pr-3.00" and "Prm-001"), the hall-sensor states, the absolute
// encoder reset and what the encoder programming shows ("Status", "Serial Number", "Tef File",
// kept in memory only).
class FenwaEncoder : public ZRObject {
public:
    static constexpr int kHallCount = 3;

    FenwaEncoder();
    ~FenwaEncoder() override;

    void Init() override;

    ZRBoolAttribute* GetOutputForwardDirection() const { return m_pForwardDirection.get(); }
    ZRStringAttribute* GetOutputRatio() const { return m_pOutputRatio.get(); }
    ZRUlongAttribute* GetOutputCounts() const { return m_pOutputCounts.get(); }
    ZRUlongAttribute* GetMotorCounts() const { return m_pMotorCounts.get(); }
    ZRBoolAttribute* GetBackupBattery() const { return m_pBackupBattery.get(); }
    ZRBoolAttribute* GetFeedbackLoss() const { return m_pFeedbackLoss.get(); }
    ZRStringAttribute* GetStatus() const { return m_pStatus.get(); }
    ZRStringAttribute* GetSerialNumber() const { return m_pSerialNumber.get(); }
    ZRStringAttribute* GetTefFile() const { return m_pTefFile.get(); }
    // Hall sensor 1 to 3 (index 0 to 2).
    ZRBoolAttribute* GetHallState(int index) const {
        return m_HallStates.at(static_cast<size_t>(index)).get();
    }
    FenwaCommand& GetAbsoluteResetCommand() { return *m_pAbsoluteReset; }
    FenwaCommand& GetWriteMemoryCommand() { return *m_pWriteMemory; }

private:
    std::unique_ptr<ZRStringAttribute> m_pOutputRatio;
    std::unique_ptr<ZRUlongAttribute> m_pOutputCounts;
    std::unique_ptr<ZRUlongAttribute> m_pMotorCounts;
    std::unique_ptr<ZRBoolAttribute> m_pForwardDirection;
    std::unique_ptr<ZRBoolAttribute> m_pBackupBattery;
    std::unique_ptr<ZRBoolAttribute> m_pFeedbackLoss;
    std::unique_ptr<ZRStringAttribute> m_pStatus;
    std::unique_ptr<ZRStringAttribute> m_pSerialNumber;
    std::unique_ptr<ZRStringAttribute> m_pTefFile;
    std::array<std::unique_ptr<ZRBoolAttribute>, kHallCount> m_HallStates;
    std::unique_ptr<FenwaCommand> m_pWriteMemory;
    std::unique_ptr<FenwaCommand> m_pAbsoluteReset;
    // Keeps "Output Ratio" and its two counts in step.
    std::unique_ptr<FenwaGearUpdateMgr> m_pRatioUpdateMgr;
    // Declared last: it watches the motor's selection and shows or hides the battery switch.
    std::unique_ptr<ZRHidingUpdateMgr> m_pBatteryHiding;
};
