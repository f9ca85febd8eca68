#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class ZRBoolAttribute;
class ZRCommand;
class ZRIndexSelection;
class ZRLongAttribute;
class ZROlbraConverter;
class ZRUlongAttribute;

// The homing sequence of the indexing drive: its parameters, status bits and start service.
class ZRHoming : public ZRObject {
public:
    ZRHoming();
    ~ZRHoming() override;

    void Init() override;
    // Takes the homing settings of an older-family parameter file (format 7 and later), logging what
    // it had to change. False without a file, else whether the last value was stored.
    bool ImportParValues(ZROlbraConverter* file);

    ZRIndexSelection* GetHomeType() const { return m_pHomeType.get(); }
    ZRIndexSelection* GetAutoStartHomingOnEnable() const { return m_pAutoStart.get(); }
    ZRBoolAttribute* GetHomeSensorBackoff() const { return m_pBackOff.get(); }
    ZRLongAttribute* GetHomingVelocity() const { return m_pHomingVelocity.get(); }
    ZRUlongAttribute* GetHomingAccelDecel() const { return m_pHomingAccelDecel.get(); }
    ZRLongAttribute* GetOffsetMoveDistance() const { return m_pOffsetMoveDistance.get(); }
    ZRUlongAttribute* GetStopHomeDecel() const { return m_pStopHomeDecel.get(); }
    ZRBoolAttribute* GetHomeSensorPolarity() const { return m_pSensorPolarity.get(); }
    ZRLongAttribute* GetHomePosition() const { return m_pHomePosition.get(); }
    ZRLongAttribute* GetCreepVelocity() const { return m_pCreepVelocity.get(); }
    ZRUlongAttribute* GetHomeCurrentValue() const { return m_pHomeCurrentValue.get(); }

    ZRBoolAttribute* GetInMotion() const { return m_pInMotion.get(); }
    ZRBoolAttribute* GetAtHome() const { return m_pAtHome.get(); }
    ZRBoolAttribute* GetWithinPositionWindow() const { return m_pWithinPositionWindow.get(); }
    ZRBoolAttribute* GetInPosition() const { return m_pInPosition.get(); }
    ZRBoolAttribute* GetAxisHomed() const { return m_pAxisHomed.get(); }

    ZRBoolAttribute* GetEnableInput() const { return m_pEnableInput.get(); }
    ZRBoolAttribute* GetDefineHome() const { return m_pDefineHome.get(); }
    ZRBoolAttribute* GetHomeSensor() const { return m_pHomeSensor.get(); }
    ZRBoolAttribute* GetPauseHoming() const { return m_pPauseHoming.get(); }
    ZRBoolAttribute* GetStartHoming() const { return m_pStartHoming.get(); }
    ZRBoolAttribute* GetStopHoming() const { return m_pStopHoming.get(); }

    ZRCommand* GetStartHomingCommand() const { return m_pStartHomingCommand.get(); }

private:
    std::unique_ptr<ZRIndexSelection> m_pHomeType;
    std::unique_ptr<ZRIndexSelection> m_pAutoStart;
    std::unique_ptr<ZRBoolAttribute> m_pBackOff;
    std::unique_ptr<ZRLongAttribute> m_pHomingVelocity;
    std::unique_ptr<ZRUlongAttribute> m_pHomingAccelDecel;
    std::unique_ptr<ZRLongAttribute> m_pOffsetMoveDistance;
    std::unique_ptr<ZRUlongAttribute> m_pStopHomeDecel;
    std::unique_ptr<ZRBoolAttribute> m_pSensorPolarity;
    std::unique_ptr<ZRLongAttribute> m_pHomePosition;
    std::unique_ptr<ZRLongAttribute> m_pCreepVelocity;
    std::unique_ptr<ZRUlongAttribute> m_pHomeCurrentValue;

    std::unique_ptr<ZRBoolAttribute> m_pInMotion;
    std::unique_ptr<ZRBoolAttribute> m_pAtHome;
    std::unique_ptr<ZRBoolAttribute> m_pWithinPositionWindow;
    std::unique_ptr<ZRBoolAttribute> m_pInPosition;
    std::unique_ptr<ZRBoolAttribute> m_pAxisHomed;

    std::unique_ptr<ZRBoolAttribute> m_pEnableInput;
    std::unique_ptr<ZRBoolAttribute> m_pDefineHome;
    std::unique_ptr<ZRBoolAttribute> m_pHomeSensor;
    std::unique_ptr<ZRBoolAttribute> m_pPauseHoming;
    std::unique_ptr<ZRBoolAttribute> m_pStartHoming;
    std::unique_ptr<ZRBoolAttribute> m_pStopHoming;

    std::unique_ptr<ZRCommand> m_pStartHomingCommand;
};
