#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <cstdint>
#include <memory>

class ZRChannelOptionList;
class ZRUlongAttribute;

// A Fenwa drive block: the two analog outputs, each the signal the drive puts out and its scale in
// signal units per volt. A Scale takes the scale and units of its output's signal.
class FenwaAnalogOut : public ZRObject, public platform::core::Observer {
public:
    static constexpr int kOutputs = 2;
    // The signals an analog output can carry.
    static constexpr uint32_t kChannelMask = 0x7F8F7FFF;
    // Makes the drive's channel option list of a mask (null when there is none to make). The family
    // installs the maker of its channel list; until one is installed the block has no list and a
    // signal leaves its scale as it is.
    using ChannelListMaker = std::unique_ptr<ZRChannelOptionList> (*)(ZRObject* drive, uint32_t mask);
    static ChannelListMaker SetChannelListMaker(ChannelListMaker maker);

    FenwaAnalogOut();
    ~FenwaAnalogOut() override;

    void Init() override;
    // A Signal's new value gives its Scale the signal's scale and units.
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Made for the drive (the parent) on the first call, then kept; null while no list can be made.
    ZRChannelOptionList* GetChannelOptionList();
    // Output n's signal and scale (n = 1 or 2); null otherwise.
    ZRUlongAttribute* GetSignal(int n) const;
    ZRUlongAttribute* GetScale(int n) const;

private:
    void TakeSignal(int n);

    std::array<std::unique_ptr<ZRUlongAttribute>, kOutputs> m_Signals;
    std::array<std::unique_ptr<ZRUlongAttribute>, kOutputs> m_Scales;
    std::unique_ptr<ZRChannelOptionList> m_pChannelOptions;
};
