#include "quorvance/fenwa/FenwaChannelOptionList.h"

#include "kitbase/model/ZRChannelOption.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaSvcLinks.h"

enum class FenwaChannelOptionList::Scale : uint8_t {
    None,
    Tenths,
    Hundredths,
    Thousandths,
    DriveVelocity,
    DrivePosition,
    DriveCurrent
};
enum class FenwaChannelOptionList::Units : uint8_t {
    None,
    CommandAmps,
    Amps,
    Degrees,
    Kilocounts,
    Counts,
    Volts,
    MilliVolts,
    Percent,
    Revs,
    Watts,
    DriveVelocity,
    DrivePosition,
};

namespace {

using Scale = FenwaChannelOptionList::Scale;
using Units = FenwaChannelOptionList::Units;

struct Signal {
    int bit;
    uint32_t id;
    const char* name;
    Scale scale;
    Units units;
};

// In the order the list offers them; the digital signals have neither scale nor units.
constexpr Signal kSignals[] = {
    {26, 24, "Motor Feedback Position", Scale::DrivePosition, Units::DrivePosition},
    {5, 5, "Master Position", Scale::None, Units::Counts},
    {4, 4, "Follower Position", Scale::DrivePosition, Units::DrivePosition},
    {6, 6, "Position Error", Scale::DrivePosition, Units::DrivePosition},
    {7, 7, "Position Command Count Frequency", Scale::Tenths, Units::Kilocounts},
    {1, 1, "Velocity Command", Scale::DriveVelocity, Units::DriveVelocity},
    {0, 0, "Velocity Feedback", Scale::DriveVelocity, Units::DriveVelocity},
    {2, 2, "Velocity Error", Scale::DriveVelocity, Units::DriveVelocity},
    {3, 3, "Current Command", Scale::DriveCurrent, Units::CommandAmps},
    {25, 22, "Current Feedback", Scale::Thousandths, Units::Amps},
    {16, 16, "U Phase Current", Scale::Thousandths, Units::Amps},
    {17, 17, "V Phase Current", Scale::Thousandths, Units::Amps},
    {18, 18, "W Phase Current", Scale::Thousandths, Units::Amps},
    {8, 8, "Commutation Angle", Scale::Tenths, Units::Degrees},
    {9, 9, "Mechanical Angle", Scale::Tenths, Units::Degrees},
    {10, 10, "Shunt Power Limit Ratio", Scale::None, Units::Percent},
    {29, 27, "Instantaneous Shunt Power", Scale::None, Units::Watts},
    {28, 26, "Output Power Limit Ratio", Scale::None, Units::Percent},
    {30, 28, "Drive Utilization", Scale::None, Units::Percent},
    {27, 25, "Instantaneous Output Power", Scale::None, Units::Watts},
    {12, 12, "Absolute Rotations", Scale::None, Units::Revs},
    {11, 11, "Bus voltage", Scale::None, Units::Volts},
    {13, 13, "Velocity Command Offset", Scale::None, Units::MilliVolts},
    {14, 14, "Current Command Offset", Scale::None, Units::MilliVolts},
    {19, 19, "Motor Temperature", Scale::None, Units::Percent},
    {23, 20, "Analog Command - Velocity", Scale::Hundredths, Units::Volts},
    {24, 21, "Analog Command - Current", Scale::Hundredths, Units::Volts},
    {15, 15, "Digital I/O", Scale::None, Units::None},
};

constexpr int kInputsBit = 20;
constexpr int kOutputsBit = 21;
constexpr int kFaultBit = 22;
constexpr uint32_t kFirstInput = 257;
constexpr uint32_t kFirstOutput = 265;
constexpr uint32_t kFault = 268;
constexpr int kInputs = 7;
constexpr int kOutputs = 3;

const char* const kUnitTexts[] = {"Amps", "Amps", "Degrees", "killocounts/sec", "Counts", "Volts", "mVolts",
                                  "%",    "Revs", "Watts"};

bool Has(uint32_t mask, int bit) {
    return (mask >> bit & 1u) != 0;
}

} // namespace

FenwaChannelOptionList::FenwaChannelOptionList(FenwaDrive* drive, uint32_t mask)
    : m_pDrive(drive), m_Mask(mask) {}

FenwaChannelOptionList::~FenwaChannelOptionList() = default;

ZRChannelScale* FenwaChannelOptionList::ScaleOf(Scale scale) {
    switch (scale) {
    case Scale::Tenths:
        return &m_Tenths;
    case Scale::Hundredths:
        return &m_Hundredths;
    case Scale::Thousandths:
        return &m_Thousandths;
    case Scale::DriveVelocity:
        return fenwa::svc::DriveVelocityScale(m_pDrive);
    case Scale::DrivePosition:
        return fenwa::svc::DrivePositionScale(m_pDrive);
    case Scale::DriveCurrent:
        return fenwa::svc::DriveCurrentScale(m_pDrive);
    case Scale::None:
        break;
    }
    return nullptr;
}

ZRUnits* FenwaChannelOptionList::UnitsOf(Units units) {
    switch (units) {
    case Units::None:
        return nullptr;
    case Units::DriveVelocity:
        return fenwa::svc::DriveVelocityUnits(m_pDrive);
    case Units::DrivePosition:
        return fenwa::svc::DrivePositionUnits(m_pDrive);
    default:
        return &m_Units[static_cast<size_t>(units) - static_cast<size_t>(Units::CommandAmps)];
    }
}

ZRChannelOption* FenwaChannelOptionList::Make(uint32_t id, const char* name, Scale scale, Units units) {
    const bool analog = units != Units::None;
    auto option = std::make_unique<ZRChannelOption>(id, ScaleOf(scale), UnitsOf(units), analog, true);
    option->SetName(name);
    m_Options.push_back(std::move(option));
    return m_Options.back().get();
}

void FenwaChannelOptionList::Init() {
    SetName("Channel Options");
    m_Tenths.SetBaseScaleFactor(10);
    m_Tenths.SetPrecision(1);
    m_Hundredths.SetBaseScaleFactor(100);
    m_Hundredths.SetPrecision(2);
    m_Thousandths.SetBaseScaleFactor(1000);
    m_Thousandths.SetPrecision(3);
    for (size_t i = 0; i < m_Units.size(); ++i)
        m_Units[i].SetBaseUnits(kUnitTexts[i]);

    for (const Signal& s : kSignals)
        if (Has(m_Mask, s.bit))
            AddOption(Make(s.id, s.name, s.scale, s.units));
    if (Has(m_Mask, kInputsBit)) {
        auto inputs = std::make_unique<ZRChannelOptionList>();
        inputs->SetName("Digital Inputs");
        for (int i = 0; i < kInputs; ++i)
            inputs->AddOption(Make(kFirstInput + static_cast<uint32_t>(i),
                                   platform::core::Format("Digital Input #%d", i + 1).c_str(), Scale::None,
                                   Units::None));
        AddChild(std::move(inputs));
    }
    if (Has(m_Mask, kOutputsBit)) {
        auto outputs = std::make_unique<ZRChannelOptionList>();
        outputs->SetName("Digital Outputs");
        for (int i = 0; i < kOutputs; ++i)
            outputs->AddOption(Make(kFirstOutput + static_cast<uint32_t>(i),
                                    platform::core::Format("Digital Output #%d", i + 1).c_str(), Scale::None,
                                    Units::None));
        AddChild(std::move(outputs));
    }
    if (Has(m_Mask, kFaultBit))
        AddOption(Make(kFault, "Fault", Scale::None, Units::None));
}
