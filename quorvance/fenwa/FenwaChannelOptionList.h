#pragma once

#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRUnits.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class FenwaDrive;
class ZRChannelOption;

// The signals a Fenwa drive can route to its scope channels, scope trigger, analog outputs and
// fault-detail capture: "Channel Options" with the sub-lists "Digital Inputs" and "Digital Outputs".
// The owner chooses the signals by a 32-bit mask (bit n: the n-th signal of the family). The list
// owns every option, the fixed scales and the unit texts; the motion signals take the drive's own
// scales and units, and stay plain without a drive.
class FenwaChannelOptionList : public ZRChannelOptionList {
public:
    // Masks of the owners.
    static constexpr uint32_t kScopeChannelMask = 0x7F8F7FFF;
    static constexpr uint32_t kScopeTriggerMask = 0x7FFF7FFF;
    static constexpr uint32_t kAnalogOutputMask = 0x7F8F7FFF;
    static constexpr uint32_t kFaultCaptureMask = 0x7F8FFFFF;

    FenwaChannelOptionList(FenwaDrive* drive, uint32_t mask);
    ~FenwaChannelOptionList() override;

    // Fills the list with the signals of the mask; run once, right after construction.
    void Init();

    uint32_t GetMask() const { return m_Mask; }

    enum class Scale : uint8_t;
    enum class Units : uint8_t;

private:
    ZRChannelScale* ScaleOf(Scale scale);
    ZRUnits* UnitsOf(Units units);
    ZRChannelOption* Make(uint32_t id, const char* name, Scale scale, Units units);

    FenwaDrive* m_pDrive;
    uint32_t m_Mask;
    ZRChannelScale m_Tenths;
    ZRChannelScale m_Hundredths;
    ZRChannelScale m_Thousandths;
    // "Amps" (commanded), "Amps" (measured), "Degrees", "killocounts/sec", "Counts", "Volts",
    // "mVolts", "%", "Revs", "Watts".
    std::array<ZRUnits, 10> m_Units;
    std::vector<std::unique_ptr<ZRChannelOption>> m_Options;
};
