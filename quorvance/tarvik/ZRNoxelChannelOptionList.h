#pragma once

#include "kitbase/model/ZRChannelOptionList.h"
#include "kitbase/model/ZRChannelScale.h"
#include "kitbase/model/ZRUnits.h"
#include "quorvance/tarvik/ZRNoxelChannelScales.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class ZRChannelOption;
class ZRDrive;

// The signals a Tarvik scope channel or trigger can show, as the tree the channel chooser offers:
// "Channel Options" with its sub-lists. It owns every option, the scales that turn the analog
// signals' samples into display units and their fixed unit texts. A SERCOS drive leaves out what it
// does not have; the engineering signals come only when asked for. Both are fixed here.
class ZRNoxelChannelOptionList : public ZRChannelOptionList {
public:
    // The drive gives the scales and units of the analog signals; without one they stay plain.
    ZRNoxelChannelOptionList(ZRDrive* drive, bool sercos, bool engineering);
    ~ZRNoxelChannelOptionList() override;

    // Every option made, whether the tree shows it or not.
    const std::vector<std::unique_ptr<ZRChannelOption>>& AllOptions() const { return m_Options; }

    ZRNoxelCurrentChannelScale& GetCurrentScale() { return m_Current; }
    ZRNoxelPositionChannelScale& GetPositionScale() { return m_Position; }
    ZRNoxelFBPositionChannelScale& GetFBPositionScale() { return m_FBPosition; }
    TarvikAuxPositionChannelScale& GetAuxPositionScale() { return m_AuxPosition; }
    ZRNoxelVelocityChannelScale& GetVelocityScale() { return m_Velocity; }

    enum class Kind : uint8_t;
    struct Signal;

private:
    struct Build;

    ZRChannelOption* Option(const Signal& signal);
    void Scales(Kind kind, ZRChannelScale*& scale, ZRUnits*& units, bool& is16Bit);

    ZRDrive* m_pDrive;
    ZRChannelScale m_Plain;
    ZRChannelScale m_Volts;      // analog command input
    ZRChannelScale m_SineVolts;  // encoder sine and cosine
    ZRChannelScale m_LoopGain;   // current loop gain
    ZRNoxelCurrentChannelScale m_Current;
    ZRNoxelPositionChannelScale m_Position;
    ZRNoxelFBPositionChannelScale m_FBPosition;
    TarvikAuxPositionChannelScale m_AuxPosition;
    ZRNoxelVelocityChannelScale m_Velocity;
    ZRNoxelTempChannelScale m_DriveTemp;
    ZRNoxelTempChannelScale m_MotorTemp;
    // "Amps", "Volts", "% of Motor Rating", "% of Drive Rating", "% of Nominal".
    std::array<ZRUnits, 5> m_Units;
    std::vector<std::unique_ptr<ZRChannelOption>> m_Options;
};
