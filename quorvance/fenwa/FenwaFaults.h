#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class FenwaChannelOptionList;
class FenwaCommand;
class ZRBoolAttribute;
class ZRChannelOption;
class ZRIndexSelection;
class ZRLongAttribute;
class ZRScale;
class ZRUlongAttribute;
class ZRUnits;

// A Fenwa drive block: the fault limits, one flag per row of the family fault table (a field of the
// drive's "Statuses"), the fault history, and the set-up and samples of the fault-detail capture
// (channels A to D).
class FenwaFaults : public platform::core::Observer, public ZRObject {
public:
    static constexpr int kChannels = 4;
    // Samples of one captured channel.
    static constexpr int kSampleCount = 50;

    FenwaFaults();
    ~FenwaFaults() override;

    void Init() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Appends the history the drive reports, one line per entry, most recent first; nothing when
    // the drive does not answer.
    void GetFaultHistory(std::string& text);
    // Uploads one capture channel and parses it; a failed upload keeps what the channel had.
    void ReadChannelData(int channel);
    // Rebuilds the channel's samples from a reply: numbers separated by "&", -1 for no data.
    void ParseChannelData(int channel, const std::string& reply);
    FenwaChannelOptionList* GetChannelOptionList();

    // For the fault-detail window.
    double GetSamplePeriod();
    int GetSampleCount() const { return kSampleCount; }
    double GetChannelScale(int channel);
    double GetChannelOffset(int channel);
    int GetScaleType(int channel);
    std::string GetScaleTypeText(int channel);
    double GetSamplesPerDivision();
    // The first 50 samples; a channel that has fewer gives -1 (no data) for the rest.
    void GetChannelSamples(int channel, std::vector<float>& samples);
    std::string GetChannelName(int channel);
    std::string GetChannelUnits(int channel);
    bool HasCapturedData(int channel) const { return m_Channels.at(static_cast<size_t>(channel)).captured; }
    // The channel's "Visible" switch.
    bool IsChannelVisible(int channel) const;
    const std::vector<float>& GetSamples(int channel) const {
        return m_Channels.at(static_cast<size_t>(channel)).samples;
    }

    ZRUlongAttribute* GetFollowingErrorLimit() const { return m_pFollowingErrorLimit.get(); }
    ZRUlongAttribute* GetAcLineLossFaultDelay() const { return m_pAcLineLossDelay.get(); }
    ZRUlongAttribute* GetSamplePeriodAttribute() const { return m_pSamplePeriod.get(); }
    ZRUlongAttribute* GetSamplesPerDivisionAttribute() const { return m_pSamplesPerDivision.get(); }
    ZRUlongAttribute* GetChannel(int channel) const { return At(channel).signal.get(); }
    ZRUlongAttribute* GetScale(int channel) const { return At(channel).scale.get(); }
    ZRLongAttribute* GetOffset(int channel) const { return At(channel).offset.get(); }
    ZRIndexSelection* GetScaleTypeAttribute(int channel) const { return At(channel).scaleType.get(); }
    ZRBoolAttribute* GetVisible(int channel) const { return At(channel).visible.get(); }
    ZRIndexSelection* GetSelectedSignal(int channel) const { return At(channel).selectedSignal.get(); }
    const std::vector<std::unique_ptr<ZRBoolAttribute>>& GetFaultFlags() const { return m_Flags; }
    FenwaCommand& GetClearCommand() { return *m_pClear; }
    FenwaCommand& GetHistoryCommand() { return *m_pHistory; }
    FenwaCommand& GetDetailCommand() { return *m_pDetail; }

private:
    struct Channel {
        std::unique_ptr<ZRUlongAttribute> signal;
        std::unique_ptr<ZRUlongAttribute> scale;
        std::unique_ptr<ZRLongAttribute> offset;
        std::unique_ptr<ZRIndexSelection> scaleType;
        std::unique_ptr<ZRBoolAttribute> visible;
        std::unique_ptr<ZRIndexSelection> selectedSignal;
        ZRScale* scaleObject = nullptr;
        ZRUnits* unitsObject = nullptr;
        std::vector<float> samples;
        bool captured = false;
        std::string rawData;
    };

    const Channel& At(int channel) const { return m_Channels.at(static_cast<size_t>(channel)); }
    ZRChannelOption* OptionOf(int channel);
    void SignalChanged(int channel);
    // The attributes of the block that it observes, the channels' signals while they live.
    std::vector<ZRAttribute*> Observed();

    // Declared first: the channels' attributes hold its scales and units and go before it.
    std::unique_ptr<FenwaChannelOptionList> m_pOptionList;
    std::unique_ptr<ZRUlongAttribute> m_pFollowingErrorLimit;
    std::unique_ptr<ZRUlongAttribute> m_pAcLineLossDelay;
    std::unique_ptr<ZRUlongAttribute> m_pSamplePeriod;
    std::unique_ptr<ZRUlongAttribute> m_pSamplesPerDivision;
    std::array<Channel, kChannels> m_Channels;
    std::vector<std::unique_ptr<ZRBoolAttribute>> m_Flags;
    std::unique_ptr<FenwaCommand> m_pClear;
    std::unique_ptr<FenwaCommand> m_pHistory;
    std::unique_ptr<FenwaCommand> m_pDetail;
};
