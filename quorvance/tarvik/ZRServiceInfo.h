#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class ZROlbraConverter;
class ZRBoolAttribute;
class ZRCommand;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRStringAttribute;
class ZRUlongAttribute;

// What service and manufacturing staff set and read on a drive: model and size, production number,
// calibration of the analog channels, DeviceNet identity, firmware and the service clock. Changing
// the size of an off-line drive rewrites its product type and model.
class ZRServiceInfo : public platform::core::Observer, public ZRObject {
public:
    // Takes the block's values from an older-family parameter file.
    bool ImportParValues(ZROlbraConverter* file);
    // Offsets and scales of the seven measured channels, in the order listed.
    static constexpr int kChannelCount = 7;

    ZRServiceInfo();
    ~ZRServiceInfo() override;

    // The drive-size reaction of an off-line drive.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;
    // Off line only: takes the drive size and model, nothing else.
    void Copy(ZRObject* source, bool withChildren) override;
    void Init() override;

    // Makes the block follow its own drive-size choice (once, however often called).
    void WatchDriveSize();

    // The model text for a drive size and product type.
    static std::string MakeDriveModel(uint32_t size, uint32_t productType);

    ZRStringAttribute* GetDriveModel() const { return m_pDriveModel.get(); }
    ZRIndexSelection* GetDriveSize() const { return m_pDriveSize.get(); }
    ZRStringAttribute* GetPICSNumber() const { return m_pPicsNumber.get(); }
    // Channels: command input, current limit input, bus voltage, U phase, W phase, sine, cosine.
    ZRLongAttribute* GetChannelOffset(int channel) const { return m_Offsets.at(channel).get(); }
    ZRUlongAttribute* GetChannelScale(int channel) const { return m_Scales.at(channel).get(); }
    ZRUlongAttribute* GetAnalogOutputScale() const { return m_pAnalogOutputScale.get(); }
    ZRLongAttribute* GetAnalogOutputOffset() const { return m_pAnalogOutputOffset.get(); }
    ZRLongAttribute* GetEncoderVoltageOffset() const { return m_pEncoderVoltageOffset.get(); }
    ZRUlongAttribute* GetVendorID() const { return m_pVendorId.get(); }
    ZRUlongAttribute* GetSerialNumber() const { return m_pSerialNumber.get(); }
    ZRBoolAttribute* GetDisableOptionCard() const { return m_pDisableOptionCard.get(); }
    ZRIndexSelection* GetuPARevision() const { return m_pUpaRevision.get(); }
    ZRUlongAttribute* GetFirmwareVersion() const { return m_pFirmwareVersion.get(); }
    ZRUlongAttribute* GetFirmwareBuildNumber() const { return m_pFirmwareBuild.get(); }
    ZRUlongAttribute* GetTimeInService() const { return m_pTimeInService.get(); }

    ZRCommand* GetResetServiceClockCommand() const { return m_pResetServiceClock.get(); }
    ZRCommand* GetResetFaultHistoryCommand() const { return m_pResetFaultHistory.get(); }
    ZRCommand* GetService4Command() const { return m_pService4.get(); }
    ZRCommand* GetResetServiceEEPROMCommand() const { return m_pResetServiceEeprom.get(); }

private:
    std::unique_ptr<ZRStringAttribute> m_pDriveModel;
    std::unique_ptr<ZRIndexSelection> m_pDriveSize;
    std::unique_ptr<ZRStringAttribute> m_pPicsNumber;
    std::array<std::unique_ptr<ZRLongAttribute>, kChannelCount> m_Offsets;
    std::array<std::unique_ptr<ZRUlongAttribute>, kChannelCount> m_Scales;
    std::unique_ptr<ZRUlongAttribute> m_pAnalogOutputScale;
    std::unique_ptr<ZRLongAttribute> m_pAnalogOutputOffset;
    std::unique_ptr<ZRLongAttribute> m_pEncoderVoltageOffset;
    std::unique_ptr<ZRUlongAttribute> m_pVendorId;
    std::unique_ptr<ZRUlongAttribute> m_pSerialNumber;
    std::unique_ptr<ZRBoolAttribute> m_pDisableOptionCard;
    std::unique_ptr<ZRIndexSelection> m_pUpaRevision;
    std::unique_ptr<ZRUlongAttribute> m_pFirmwareVersion;
    std::unique_ptr<ZRUlongAttribute> m_pFirmwareBuild;
    std::unique_ptr<ZRUlongAttribute> m_pTimeInService;
    std::unique_ptr<ZRCommand> m_pResetServiceClock;
    std::unique_ptr<ZRCommand> m_pResetFaultHistory;
    std::unique_ptr<ZRCommand> m_pService4;
    std::unique_ptr<ZRCommand> m_pResetServiceEeprom;
    bool m_bWatching = false;
};
