#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZRBoolAttribute;
class ZRIndexSelection;
class ZRLongBitField;
class ZRUlongAttribute;

// The settings of the drive's DeviceNet interface and the software inputs the network commands.
class ZRDeviceNetTarvik : public ZRObject {
public:
    static constexpr int kInputBits = 22;

    ZRDeviceNetTarvik();
    ~ZRDeviceNetTarvik() override;

    void Attach(ZRDevice* device, int32_t instance) override;
    void Init() override;

    ZRUlongAttribute* GetNodeAddress() const { return m_pNodeAddress.get(); }
    ZRIndexSelection* GetDataRate() const { return m_pDataRate.get(); }
    ZRIndexSelection* GetIOReceiveSelect() const { return m_pIOReceiveSelect.get(); }
    ZRIndexSelection* GetPollTransmitSelect() const { return m_pPollTransmitSelect.get(); }
    ZRIndexSelection* GetCOSCyclicTransmitSelect() const { return m_pCOSCyclicTransmitSelect.get(); }
    ZRLongBitField* GetLogicCommandMask() const { return m_pLogicCommandMask.get(); }
    ZRBoolAttribute* GetEnableBehavior() const { return m_pEnableBehavior.get(); }
    ZRLongBitField* GetChangeofStateMask() const { return m_pChangeOfStateMask.get(); }
    ZRIndexSelection* GetIdleFaultAction() const { return m_pIdleFaultAction.get(); }
    ZRIndexSelection* GetCommFaultAction() const { return m_pCommFaultAction.get(); }
    ZRLongBitField* GetFaultedLogicCommand() const { return m_pFaultedLogicCommand.get(); }
    // The status bits in list order ("Disable Serial" ... "Enable Drive").
    ZRBoolAttribute* GetInput(int i) const { return m_Inputs.at(i).get(); }

private:
    std::unique_ptr<ZRUlongAttribute> m_pNodeAddress;
    std::unique_ptr<ZRIndexSelection> m_pDataRate;
    std::unique_ptr<ZRIndexSelection> m_pIOReceiveSelect;
    std::unique_ptr<ZRIndexSelection> m_pPollTransmitSelect;
    std::unique_ptr<ZRIndexSelection> m_pCOSCyclicTransmitSelect;
    std::unique_ptr<ZRLongBitField> m_pLogicCommandMask;
    std::unique_ptr<ZRBoolAttribute> m_pEnableBehavior;
    std::unique_ptr<ZRLongBitField> m_pChangeOfStateMask;
    std::unique_ptr<ZRIndexSelection> m_pIdleFaultAction;
    std::unique_ptr<ZRIndexSelection> m_pCommFaultAction;
    std::unique_ptr<ZRLongBitField> m_pFaultedLogicCommand;
    std::array<std::unique_ptr<ZRBoolAttribute>, kInputBits> m_Inputs;
};
