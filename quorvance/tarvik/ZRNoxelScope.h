#pragma once

#include "kitbase/model/ZRScope.h"

#include <array>
#include <memory>

class ZRIndexSelection;
class ZRLongAttribute;
class ZRUlongAttribute;

// The Tarvik drive's oscilloscope: four channels, trigger and sample timing, all drive parameters.
class ZRNoxelScope : public platform::core::Observer, public ZRScope {
public:
    ZRNoxelScope();
    ~ZRNoxelScope() override;

    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Arms only when some channel has a signal.
    void ArmTrigger() override;
    bool ChannelEnabled(int channel) override;
    bool ChannelValid(int channel) override;
    void GetChannelData(int channel, std::vector<float>& data) override;
    double GetChannelOffset(int channel) override;
    ZRChannelOptionList* GetChannelOptionList() override;
    double GetChannelScale(int channel) override;
    std::string GetChannelUnits(int channel) override;
    double GetMsecPerSample() override;
    bool IsDataReady() override;
    bool ReadChannel(int channel) override;
    int GetTimeDivision() override;

    ZRUlongAttribute* GetInputSignal(int channel) const { return m_Channels.at(channel).inputSignal.get(); }
    ZRIndexSelection* GetScaleType(int channel) const { return GetChnScaleType(channel); }
    ZRLongAttribute* GetScale(int channel) const { return m_Channels.at(channel).scale.get(); }
    ZRLongAttribute* GetOffset(int channel) const { return m_Channels.at(channel).offset.get(); }
    ZRUlongAttribute* GetSamplePeriod() const { return m_pSamplePeriod.get(); }
    ZRLongAttribute* GetSamplesperdivision() const { return m_pSamplesPerDivision.get(); }
    ZRIndexSelection* GetTriggerMode() const { return m_pTriggerMode.get(); }
    ZRLongAttribute* GetTriggerThreshold() const { return m_pTriggerThreshold.get(); }
    ZRUlongAttribute* GetTriggerSource() const { return m_pTriggerSource.get(); }
    ZRUlongAttribute* GetTriggerPosition() const { return m_pTriggerPosition.get(); }
    ZRIndexSelection* GetTriggerStatus() const { return m_pTriggerStatus.get(); }

private:
    struct Channel {
        std::unique_ptr<ZRUlongAttribute> inputSignal;
        std::unique_ptr<ZRLongAttribute> scale;
        std::unique_ptr<ZRLongAttribute> offset;
        bool read = false;
    };

    bool AnyChannelInUse();
    // The attributes whose changes the scope follows.
    std::vector<ZRAttribute*> Observed();

    std::array<Channel, kMaxChannels> m_Channels;
    std::unique_ptr<ZRUlongAttribute> m_pSamplePeriod;
    std::unique_ptr<ZRLongAttribute> m_pSamplesPerDivision;
    std::unique_ptr<ZRIndexSelection> m_pTriggerMode;
    std::unique_ptr<ZRLongAttribute> m_pTriggerThreshold;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerSource;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerPosition;
    std::unique_ptr<ZRIndexSelection> m_pTriggerStatus;
};
