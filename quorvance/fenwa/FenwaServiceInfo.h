#pragma once

#include "kitbase/model/ZRObject.h"

#include <memory>

class FenwaCommand;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRStringAttribute;
class ZRUlongAttribute;

// A Fenwa drive block: the drive's factory data (model, calibration values, firmware version) and
// the service commands of manufacturing. A copied drive keeps its own service information.
class FenwaServiceInfo : public ZRObject {
public:
    FenwaServiceInfo();
    ~FenwaServiceInfo() override;

    void Init() override;
    // Takes nothing: factory data belong to the drive they were measured on.
    void Copy(ZRObject* source, bool withChildren) override;

    ZRIndexSelection* GetDriveModel() const { return m_pDriveModel.get(); }
    ZRUlongAttribute* GetExternalShuntCapacity() const { return m_pExternalShunt.get(); }
    ZRLongAttribute* GetUPhaseCurrentOffset() const { return m_pUPhaseOffset.get(); }
    ZRLongAttribute* GetWPhaseCurrentOffset() const { return m_pWPhaseOffset.get(); }
    ZRUlongAttribute* GetErrorFilterBandwidth() const { return m_pErrorFilterBandwidth.get(); }
    ZRLongAttribute* GetDcBusVoltageOffset() const { return m_pDcBusVoltageOffset.get(); }
    ZRLongAttribute* GetRegenerativeCurrentOffset() const { return m_pRegenOffset.get(); }
    ZRLongAttribute* GetAnalogOutput1Offset() const { return m_pAnalogOut1Offset.get(); }
    ZRLongAttribute* GetAnalogOutput2Offset() const { return m_pAnalogOut2Offset.get(); }
    ZRLongAttribute* GetAnalogOutput1Scale() const { return m_pAnalogOut1Scale.get(); }
    ZRLongAttribute* GetAnalogOutput2Scale() const { return m_pAnalogOut2Scale.get(); }
    ZRLongAttribute* GetDcBusAdcCalibration() const { return m_pDcBusAdc.get(); }
    ZRStringAttribute* GetFirmwareVersion() const { return m_pFirmwareVersion.get(); }

    FenwaCommand& GetResetFaultHistoryCommand() { return *m_pResetFaultHistory; }
    FenwaCommand& GetMoveToMarkerCommand() { return *m_pMoveToMarker; }
    FenwaCommand& GetRemoveCurrentOffsetCommand() { return *m_pRemoveCurrentOffset; }
    FenwaCommand& GetServiceWriteCommand() { return *m_pServiceWrite; }

private:
    std::unique_ptr<ZRIndexSelection> m_pDriveModel;
    std::unique_ptr<ZRUlongAttribute> m_pExternalShunt;
    std::unique_ptr<ZRLongAttribute> m_pUPhaseOffset;
    std::unique_ptr<ZRLongAttribute> m_pWPhaseOffset;
    std::unique_ptr<ZRUlongAttribute> m_pErrorFilterBandwidth;
    std::unique_ptr<ZRLongAttribute> m_pDcBusVoltageOffset;
    std::unique_ptr<ZRLongAttribute> m_pRegenOffset;
    std::unique_ptr<ZRLongAttribute> m_pAnalogOut1Offset;
    std::unique_ptr<ZRLongAttribute> m_pAnalogOut2Offset;
    std::unique_ptr<ZRLongAttribute> m_pAnalogOut1Scale;
    std::unique_ptr<ZRLongAttribute> m_pAnalogOut2Scale;
    std::unique_ptr<ZRLongAttribute> m_pDcBusAdc;
    std::unique_ptr<ZRStringAttribute> m_pFirmwareVersion;
    std::unique_ptr<FenwaCommand> m_pResetFaultHistory;
    std::unique_ptr<FenwaCommand> m_pMoveToMarker;
    std::unique_ptr<FenwaCommand> m_pRemoveCurrentOffset;
    std::unique_ptr<FenwaCommand> m_pServiceWrite;
};
