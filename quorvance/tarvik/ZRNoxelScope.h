#pragma once

#include "kitbase/model/ZRAttribute.h"
#include "kitbase/model/ZRScope.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ZRChannelOption;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRNoxelChannelOptionList;
class ZRUlongAttribute;

// One scope channel's 128 samples, read from the drive in eight raw hexadecimal blocks of 16
// samples: 16-bit signals from parameter 166, the others from 265, at index 8 x channel + block.
// It has no text form. Off line it does not exist: only a live drive holds samples.
class TarvikChannelData : public ZRAttribute {
public:
    static constexpr int kSamples = 128;
    static constexpr int kBlocks = 8;
    static constexpr int kSamplesPerBlock = kSamples / kBlocks;

    TarvikChannelData(ZRDevice*& device, int channel);
    ~TarvikChannelData() override;

    // The signal the channel shows (not owned); none gives id 0.
    void SetChannelOption(ZRChannelOption* option);
    ZRChannelOption* GetChannelOption() const { return m_pOption; }
    // The samples in the option's display units; nothing without an option.
    void ScaleInto(std::vector<float>& out) const;
    const std::array<int32_t, kSamples>& GetSamples() const { return m_Samples; }

    // Reads the eight blocks; false when a block fails (the earlier blocks' samples stay).
    bool Refresh(bool force) override;
    bool Exists() override;
    std::string GetAsString() override;
    std::string GetInternalAsString() override;
    bool SetAsString(const std::string& text) override;
    bool SetInternalAsString(const std::string& text) override;
    bool SetInternalAsFormattedString(const std::string& text, int format) override;
    bool Save() override;

    // The samples of one block's text: 16 of the width in hex digits, sign-extended from 16 bits
    // for width 4; a token that does not read, or is missing, gives 0.
    static void DecodeBlock(const std::string& text, bool is16Bit, int32_t* samples);

private:
    int m_Channel;
    std::array<int32_t, kSamples> m_Samples{};
    ZRChannelOption* m_pOption = nullptr;
};

// The Tarvik drive's oscilloscope: four channels, trigger and sample timing, all drive parameters.
class ZRNoxelScope : public platform::core::Observer, public ZRScope {
public:
    ZRNoxelScope();
    ~ZRNoxelScope() override;

    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Arms only when some channel has a signal; a refused arming leaves the scope unarmed.
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

    std::string GetChannelLegend(int channel) override;
    ZRChannelOption* GetChannelOption(int channel) const;
    TarvikChannelData* GetChannelDataAttribute(int channel) const { return m_Channels.at(channel).data.get(); }

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
        std::unique_ptr<TarvikChannelData> data;
        bool read = false;
    };

    bool AnyChannelInUse();
    // The option of a signal number, or null.
    ZRChannelOption* FindOption(uint32_t signal);
    // The signal's scale and units on the attribute, which then redisplays.
    static void TakeScaleAndUnits(ZRAttribute* attribute, ZRChannelOption* option);
    void SignalChanged(int channel);
    void TriggerSourceChanged();
    // The attributes whose changes the scope follows.
    std::vector<ZRAttribute*> Observed();

    // Declared first: the attributes below use its scales and go before it.
    std::unique_ptr<ZRNoxelChannelOptionList> m_pOptionList;
    std::array<Channel, kMaxChannels> m_Channels;
    std::unique_ptr<ZRUlongAttribute> m_pSamplePeriod;
    std::unique_ptr<ZRLongAttribute> m_pSamplesPerDivision;
    std::unique_ptr<ZRIndexSelection> m_pTriggerMode;
    std::unique_ptr<ZRLongAttribute> m_pTriggerThreshold;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerSource;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerPosition;
    std::unique_ptr<ZRIndexSelection> m_pTriggerStatus;
    bool m_bNewData = false;
};
