#pragma once

#include "kitbase/model/ZRScope.h"
#include "platform/core/Observer.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class FenwaChannelOptionList;
class FenwaCommand;
class ZRChannelOption;
class ZRCompositeAttribute;
class ZRLongAttribute;
class ZRScale;
class ZRUlongAttribute;
class ZRUnits;

// The oscilloscope of a Fenwa drive: two channels (A and B) and the sweep and trigger settings.
// Every setting is a field of one of the drive's two 32-character scope parameters, the set-up
// (958) and the scales (959), which are the block's only stored properties.
class FenwaScope : public platform::core::Observer, public ZRScope {
public:
    static constexpr int kChannels = 2;

    FenwaScope();
    ~FenwaScope() override;

    void Init() override;
    // The scope has no stored children.
    void AttachDBChildren() override;
    // Reads the set-up parameter from the drive.
    void AttachOnLineChildren() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    void ArmTrigger() override;
    bool ChannelEnabled(int channel) override;
    bool ChannelValid(int channel) override;
    void GetChannelData(int channel, std::vector<float>& data) override;
    std::string GetChannelLegend(int channel) override;
    double GetChannelOffset(int channel) override;
    ZRChannelOptionList* GetChannelOptionList() override;
    double GetChannelScale(int channel) override;
    std::string GetChannelUnits(int channel) override;
    double GetMsecPerSample() override;
    void Idle() override;
    bool IsDataReady() override;
    bool ReadChannel(int channel) override;
    int GetTimeDivision() override;

    FenwaChannelOptionList* GetTriggerOptionList();

    ZRCompositeAttribute* GetSetupParameter() const { return m_pSetup.get(); }
    ZRCompositeAttribute* GetScaleParameter() const { return m_pScales.get(); }
    ZRUlongAttribute* GetInputSignal(int channel) const { return At(channel).inputSignal.get(); }
    ZRUlongAttribute* GetScale(int channel) const { return At(channel).scale.get(); }
    ZRLongAttribute* GetOffset(int channel) const { return At(channel).offset.get(); }
    ZRUlongAttribute* GetSamplesPerDivision() const { return m_pSamplesPerDivision.get(); }
    ZRUlongAttribute* GetSamplePeriod() const { return m_pSamplePeriod.get(); }
    ZRUlongAttribute* GetTriggerSource() const { return m_pTriggerSource.get(); }
    ZRIndexSelection* GetTriggerMode() const { return m_pTriggerMode.get(); }
    ZRLongAttribute* GetTriggerThreshold() const { return m_pTriggerThreshold.get(); }
    ZRUlongAttribute* GetTriggerPosition() const { return m_pTriggerPosition.get(); }
    ZRIndexSelection* GetTriggerStatus() const { return m_pTriggerStatus.get(); }
    FenwaCommand& GetArmCommand() { return *m_pArm; }
    FenwaCommand& GetQueryCommand() { return *m_pQuery; }
    FenwaCommand& GetStopCommand() { return *m_pStop; }

private:
    struct Channel {
        std::unique_ptr<ZRUlongAttribute> inputSignal;
        std::unique_ptr<ZRUlongAttribute> scale;
        std::unique_ptr<ZRLongAttribute> offset;
        ZRScale* scaleObject = nullptr;
        ZRUnits* unitsObject = nullptr;
        std::vector<float> trace;
        bool dataValid = false;
    };

    const Channel& At(int channel) const { return m_Channels.at(static_cast<size_t>(channel)); }
    ZRChannelOption* OptionOf(int channel);
    void SignalChanged(int channel);
    void TriggerSourceChanged();
    std::vector<ZRAttribute*> Observed();

    // Declared first: the attributes below hold their scales and units and go before them.
    std::unique_ptr<FenwaChannelOptionList> m_pChannelList;
    std::unique_ptr<FenwaChannelOptionList> m_pTriggerList;
    std::unique_ptr<ZRCompositeAttribute> m_pSetup;
    std::unique_ptr<ZRCompositeAttribute> m_pScales;
    std::array<Channel, kChannels> m_Channels;
    std::unique_ptr<ZRUlongAttribute> m_pSamplesPerDivision;
    std::unique_ptr<ZRUlongAttribute> m_pSamplePeriod;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerSource;
    std::unique_ptr<ZRIndexSelection> m_pTriggerMode;
    std::unique_ptr<ZRLongAttribute> m_pTriggerThreshold;
    std::unique_ptr<ZRUlongAttribute> m_pTriggerPosition;
    std::unique_ptr<ZRIndexSelection> m_pTriggerStatus;
    std::unique_ptr<FenwaCommand> m_pArm;
    std::unique_ptr<FenwaCommand> m_pQuery;
    std::unique_ptr<FenwaCommand> m_pStop;
};
