#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRCommand;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRUlongAttribute;

// The drive's regulator gains, the velocity-loop filter, the autotune and manual step settings and
// the live loop values the tuning windows show, with the service that starts autotuning.
class ZRTuning : public ZRObject {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    ZRTuning();
    ~ZRTuning() override;

    void Init() override;

    ZRIndexSelection* GetOperatingMode() const { return m_pOperatingMode.get(); }
    ZRIndexSelection* GetMotorDirection() const { return m_pMotorDirection.get(); }
    ZRUlongAttribute* GetP() const { return m_pP.get(); }
    ZRUlongAttribute* GetI() const { return m_pI.get(); }
    ZRLongAttribute* GetD() const { return m_pD.get(); }
    ZRUlongAttribute* GetKp() const { return m_pKp.get(); }
    ZRUlongAttribute* GetKd() const { return m_pKd.get(); }
    ZRUlongAttribute* GetKvff() const { return m_pKvff.get(); }
    ZRUlongAttribute* GetKi() const { return m_pKi.get(); }
    ZRUlongAttribute* GetKiZone() const { return m_pKiZone.get(); }
    ZRUlongAttribute* GetKpd() const { return m_pKpd.get(); }
    ZRUlongAttribute* GetKpq() const { return m_pKpq.get(); }
    ZRUlongAttribute* GetKiq() const { return m_pKiq.get(); }
    ZRUlongAttribute* GetKid() const { return m_pKid.get(); }
    ZRUlongAttribute* GetKe() const { return m_pKe.get(); }
    // Autotune settings.
    ZRUlongAttribute* GetMaximumDistance() const { return m_pMaximumDistance.get(); }
    ZRUlongAttribute* GetStepCurrent() const { return m_pStepCurrent.get(); }
    // Manual position step ("Distance", "Time").
    ZRUlongAttribute* GetDistance() const { return m_pDistance.get(); }
    ZRUlongAttribute* GetPositionStepTime() const { return m_pPositionTime.get(); }
    // Manual velocity step ("Velocity", "Time").
    ZRUlongAttribute* GetVelocity() const { return m_pVelocity.get(); }
    ZRUlongAttribute* GetVelocityStepTime() const { return m_pVelocityTime.get(); }
    ZRBoolAttribute* GetEnable() const { return m_pEnable.get(); }
    ZRUlongAttribute* GetBandwidth() const { return m_pBandwidth.get(); }

    ZRLongAttribute* GetVelocityMotorFeedback() const { return m_pVelocityFeedback.get(); }
    ZRLongAttribute* GetVelocityError() const { return m_pVelocityError.get(); }
    ZRLongAttribute* GetVelocityCommand() const { return m_pVelocityCommand.get(); }
    ZRLongAttribute* GetPositionMotorFeedback() const { return m_pPositionFeedback.get(); }
    ZRLongAttribute* GetPositionErrorPeakPlus() const { return m_pPositionErrorPeakPlus.get(); }
    ZRLongAttribute* GetPositionErrorPeakMinus() const { return m_pPositionErrorPeakMinus.get(); }
    ZRLongAttribute* GetPositionError() const { return m_pPositionError.get(); }
    ZRLongAttribute* GetPositionCommand() const { return m_pPositionCommand.get(); }
    ZRLongAttribute* GetCurrentUPhase() const { return m_pCurrentUPhase.get(); }
    ZRLongAttribute* GetCurrentFeedback() const { return m_pCurrentFeedback.get(); }
    ZRLongAttribute* GetQAxisFeedback() const { return m_pQAxisFeedback.get(); }
    ZRLongAttribute* GetDAxisFeedback() const { return m_pDAxisFeedback.get(); }
    ZRLongAttribute* GetQAxisError() const { return m_pQAxisError.get(); }
    ZRLongAttribute* GetDAxisError() const { return m_pDAxisError.get(); }
    ZRLongAttribute* GetCurrentWPhase() const { return m_pCurrentWPhase.get(); }
    ZRLongAttribute* GetCurrentPeakPlus() const { return m_pCurrentPeakPlus.get(); }
    ZRLongAttribute* GetCurrentPeakMinus() const { return m_pCurrentPeakMinus.get(); }
    ZRLongAttribute* GetCurrentAnalogLimitInput() const { return m_pCurrentAnalogLimit.get(); }
    ZRLongAttribute* GetCurrentCommand() const { return m_pCurrentCommand.get(); }
    ZRLongAttribute* GetCurrentAverage() const { return m_pCurrentAverage.get(); }
    ZRUlongAttribute* GetLoopGain() const { return m_pLoopGain.get(); }
    ZRBoolAttribute* GetIntegratorInhibit() const { return m_pIntegratorInhibit.get(); }
    ZRBoolAttribute* GetAutotuneComplete() const { return m_pAutotuneComplete.get(); }
    ZRBoolAttribute* GetAutotuneFailed() const { return m_pAutotuneFailed.get(); }
    ZRUlongAttribute* GetKaff() const { return m_pKaff.get(); }

    ZRCommand* GetAutotuneCommand() const { return m_pAutotune.get(); }

private:
    std::unique_ptr<ZRIndexSelection> m_pOperatingMode;
    std::unique_ptr<ZRIndexSelection> m_pMotorDirection;
    std::unique_ptr<ZRUlongAttribute> m_pP;
    std::unique_ptr<ZRUlongAttribute> m_pI;
    std::unique_ptr<ZRLongAttribute> m_pD;
    std::unique_ptr<ZRUlongAttribute> m_pKp;
    std::unique_ptr<ZRUlongAttribute> m_pKd;
    std::unique_ptr<ZRUlongAttribute> m_pKvff;
    std::unique_ptr<ZRUlongAttribute> m_pKi;
    std::unique_ptr<ZRUlongAttribute> m_pKiZone;
    std::unique_ptr<ZRUlongAttribute> m_pKpd;
    std::unique_ptr<ZRUlongAttribute> m_pKpq;
    std::unique_ptr<ZRUlongAttribute> m_pKiq;
    std::unique_ptr<ZRUlongAttribute> m_pKid;
    std::unique_ptr<ZRUlongAttribute> m_pKe;
    std::unique_ptr<ZRUlongAttribute> m_pMaximumDistance;
    std::unique_ptr<ZRUlongAttribute> m_pStepCurrent;
    std::unique_ptr<ZRUlongAttribute> m_pDistance;
    std::unique_ptr<ZRUlongAttribute> m_pPositionTime;
    std::unique_ptr<ZRUlongAttribute> m_pVelocity;
    std::unique_ptr<ZRUlongAttribute> m_pVelocityTime;
    std::unique_ptr<ZRBoolAttribute> m_pEnable;
    std::unique_ptr<ZRUlongAttribute> m_pBandwidth;
    std::unique_ptr<ZRLongAttribute> m_pVelocityFeedback;
    std::unique_ptr<ZRLongAttribute> m_pVelocityError;
    std::unique_ptr<ZRLongAttribute> m_pVelocityCommand;
    std::unique_ptr<ZRLongAttribute> m_pPositionFeedback;
    std::unique_ptr<ZRLongAttribute> m_pPositionErrorPeakPlus;
    std::unique_ptr<ZRLongAttribute> m_pPositionErrorPeakMinus;
    std::unique_ptr<ZRLongAttribute> m_pPositionError;
    std::unique_ptr<ZRLongAttribute> m_pPositionCommand;
    std::unique_ptr<ZRLongAttribute> m_pCurrentUPhase;
    std::unique_ptr<ZRLongAttribute> m_pCurrentFeedback;
    std::unique_ptr<ZRLongAttribute> m_pQAxisFeedback;
    std::unique_ptr<ZRLongAttribute> m_pDAxisFeedback;
    std::unique_ptr<ZRLongAttribute> m_pQAxisError;
    std::unique_ptr<ZRLongAttribute> m_pDAxisError;
    std::unique_ptr<ZRLongAttribute> m_pCurrentWPhase;
    std::unique_ptr<ZRLongAttribute> m_pCurrentPeakPlus;
    std::unique_ptr<ZRLongAttribute> m_pCurrentPeakMinus;
    std::unique_ptr<ZRLongAttribute> m_pCurrentAnalogLimit;
    std::unique_ptr<ZRLongAttribute> m_pCurrentCommand;
    std::unique_ptr<ZRLongAttribute> m_pCurrentAverage;
    std::unique_ptr<ZRUlongAttribute> m_pLoopGain;
    std::unique_ptr<ZRBoolAttribute> m_pIntegratorInhibit;
    std::unique_ptr<ZRBoolAttribute> m_pAutotuneComplete;
    std::unique_ptr<ZRBoolAttribute> m_pAutotuneFailed;
    std::unique_ptr<ZRCommand> m_pAutotune;
    std::unique_ptr<ZRUlongAttribute> m_pKaff;
};
