#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"

#include <memory>

class FenwaCommand;
class ZRCompositeAttribute;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRUlongAttribute;

// A Fenwa drive block: the velocity, position and current regulator gains and filters, the
// alternate gain set, the autotuning settings and the live loop signals, with the autotune
// command. It watches its own "Integrator Mode" (which decides how the hold threshold is shown)
// and "Gain" (which needs a drive reset to take effect).
class FenwaTuning : public ZRObject, public platform::core::Observer {
public:
    FenwaTuning();
    // Stops watching its attributes before they go.
    ~FenwaTuning() override;

    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // The five main gains into the alternate set, each write going to the drive on line.
    void CopyMainGainsToAlternate();

    ZRCompositeAttribute* GetOnlineTuning() const { return m_pOnlineTuning.get(); }
    ZRIndexSelection* GetAdaptiveTuningResponse() const { return m_pAdaptiveResponse.get(); }
    ZRUlongAttribute* GetP() const { return m_pP.get(); }
    ZRUlongAttribute* GetIntegratorTime() const { return m_pIntegratorTime.get(); }
    ZRIndexSelection* GetIntegratorMode() const { return m_pIntegratorMode.get(); }
    ZRIndexSelection* GetGain() const { return m_pGain.get(); }
    ZRUlongAttribute* GetIntegratorHoldThreshold() const { return m_pHoldThreshold.get(); }
    ZRUlongAttribute* GetD() const { return m_pD.get(); }
    ZRUlongAttribute* GetVelocityLowPass() const { return m_pVelocityLowPass.get(); }
    ZRUlongAttribute* GetKp() const { return m_pKp.get(); }
    ZRUlongAttribute* GetKff() const { return m_pKff.get(); }
    ZRUlongAttribute* GetKffLowPass() const { return m_pKffLowPass.get(); }
    ZRUlongAttribute* GetHighErrorOutputOffset() const { return m_pHighErrorOffset.get(); }
    ZRUlongAttribute* GetHighErrorOutputThreshold() const { return m_pHighErrorThreshold.get(); }
    ZRUlongAttribute* GetCurrentLowPass() const { return m_pCurrentLowPass.get(); }
    ZRUlongAttribute* GetResonantSuppression() const { return m_pResonantSuppression.get(); }
    ZRUlongAttribute* GetAutotuningSpeed() const { return m_pAutotuningSpeed.get(); }
    // The alternate gain set.
    ZRUlongAttribute* GetVRegP() const { return m_pVRegP.get(); }
    ZRUlongAttribute* GetVRegIntegratorTime() const { return m_pVRegIntegratorTime.get(); }
    ZRUlongAttribute* GetVRegLowPass() const { return m_pVRegLowPass.get(); }
    ZRUlongAttribute* GetPRegKp() const { return m_pPRegKp.get(); }
    ZRUlongAttribute* GetIRegLowPass() const { return m_pIRegLowPass.get(); }
    // Live loop values.
    ZRLongAttribute* GetCommandVelocity() const { return m_pCommandVelocity.get(); }
    ZRLongAttribute* GetFeedbackVelocity() const { return m_pFeedbackVelocity.get(); }
    ZRLongAttribute* GetVelocityError() const { return m_pVelocityError.get(); }
    ZRLongAttribute* GetMasterPosition() const { return m_pMasterPosition.get(); }
    ZRLongAttribute* GetFollowerPosition() const { return m_pFollowerPosition.get(); }
    ZRLongAttribute* GetPositionError() const { return m_pPositionError.get(); }
    ZRLongAttribute* GetCommandCurrent() const { return m_pCommandCurrent.get(); }
    ZRLongAttribute* GetUPhaseCurrent() const { return m_pUPhaseCurrent.get(); }
    ZRLongAttribute* GetVPhaseCurrent() const { return m_pVPhaseCurrent.get(); }
    ZRLongAttribute* GetWPhaseCurrent() const { return m_pWPhaseCurrent.get(); }
    ZRLongAttribute* GetFeedbackCurrent() const { return m_pFeedbackCurrent.get(); }
    ZRLongAttribute* GetMotorFeedbackPosition() const { return m_pMotorFeedbackPosition.get(); }

    // "TAT" "01": starts autotuning.
    FenwaCommand* GetAutotuneCommand() const { return m_pAutotune.get(); }
    // "ETC" "0B": defined and listed, run by nobody.
    FenwaCommand* GetSecondCommand() const { return m_pSecond.get(); }

private:
    // Shows the hold threshold in the units the integrator mode works in.
    void FollowIntegratorMode();

    std::unique_ptr<ZRIndexSelection> m_pAdaptiveResponse;
    std::unique_ptr<ZRCompositeAttribute> m_pOnlineTuning;
    std::unique_ptr<ZRUlongAttribute> m_pP;
    std::unique_ptr<ZRUlongAttribute> m_pIntegratorTime;
    std::unique_ptr<ZRIndexSelection> m_pIntegratorMode;
    std::unique_ptr<ZRIndexSelection> m_pGain;
    std::unique_ptr<ZRUlongAttribute> m_pHoldThreshold;
    std::unique_ptr<ZRUlongAttribute> m_pD;
    std::unique_ptr<ZRUlongAttribute> m_pVelocityLowPass;
    std::unique_ptr<ZRUlongAttribute> m_pKp;
    std::unique_ptr<ZRUlongAttribute> m_pKff;
    std::unique_ptr<ZRUlongAttribute> m_pKffLowPass;
    std::unique_ptr<ZRUlongAttribute> m_pHighErrorOffset;
    std::unique_ptr<ZRUlongAttribute> m_pHighErrorThreshold;
    std::unique_ptr<ZRUlongAttribute> m_pCurrentLowPass;
    std::unique_ptr<ZRUlongAttribute> m_pResonantSuppression;
    std::unique_ptr<ZRUlongAttribute> m_pAutotuningSpeed;
    std::unique_ptr<ZRUlongAttribute> m_pVRegP;
    std::unique_ptr<ZRUlongAttribute> m_pVRegIntegratorTime;
    std::unique_ptr<ZRUlongAttribute> m_pVRegLowPass;
    std::unique_ptr<ZRUlongAttribute> m_pPRegKp;
    std::unique_ptr<ZRUlongAttribute> m_pIRegLowPass;
    std::unique_ptr<ZRLongAttribute> m_pCommandVelocity;
    std::unique_ptr<ZRLongAttribute> m_pFeedbackVelocity;
    std::unique_ptr<ZRLongAttribute> m_pVelocityError;
    std::unique_ptr<ZRLongAttribute> m_pMasterPosition;
    std::unique_ptr<ZRLongAttribute> m_pFollowerPosition;
    std::unique_ptr<ZRLongAttribute> m_pPositionError;
    std::unique_ptr<ZRLongAttribute> m_pCommandCurrent;
    std::unique_ptr<ZRLongAttribute> m_pUPhaseCurrent;
    std::unique_ptr<ZRLongAttribute> m_pVPhaseCurrent;
    std::unique_ptr<ZRLongAttribute> m_pWPhaseCurrent;
    std::unique_ptr<ZRLongAttribute> m_pFeedbackCurrent;
    std::unique_ptr<ZRLongAttribute> m_pMotorFeedbackPosition;
    std::unique_ptr<FenwaCommand> m_pAutotune;
    std::unique_ptr<FenwaCommand> m_pSecond;
};
