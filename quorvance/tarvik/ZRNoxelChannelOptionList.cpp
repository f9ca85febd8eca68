#include "quorvance/tarvik/ZRNoxelChannelOptionList.h"

#include "kitbase/model/ZRChannelOption.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRFBPositionUnits.h"
#include "quorvance/tarvik/ZRPositionUnits.h"
#include "quorvance/tarvik/ZRVelocityUnits.h"
#include "quorvance/tarvik/TarvikAuxPositionUnits.h"

#include <initializer_list>

// What a signal's samples are: a digital line, or the analog quantity that picks scale and units.
enum class ZRNoxelChannelOptionList::Kind : uint8_t {
    Digital,
    CommandVolts,
    BusVolts,
    SineVolts,
    LoopGain,
    Current,
    Position,
    FBPosition,
    AuxPosition,
    Velocity,
    DriveTemp,
    MotorTemp,
};

namespace {

enum Flag : uint8_t {
    kAll = 0,
    kNotSercos = 1,   // left out for a SERCOS drive
    kEngineering = 2, // only with the engineering switch
};

enum UnitText : size_t { kAmps, kVolts, kMotorRating, kDriveRating, kNominal };

} // namespace

struct ZRNoxelChannelOptionList::Signal {
    const char* name;
    uint16_t signal;
    Kind kind = Kind::Digital;
    uint8_t flags = kAll;
};

// Adds lists and options to the tree, leaving out what this drive does not show. An option left
// out is still made, so that its number keeps its name.
struct ZRNoxelChannelOptionList::Build {
    ZRNoxelChannelOptionList& owner;
    bool sercos;
    bool engineering;

    bool Shown(uint8_t flags) const {
        return !((flags & kNotSercos) && sercos) && !((flags & kEngineering) && !engineering);
    }
    // Null when the list is left out; its signals are then made but not added.
    ZRChannelOptionList* List(ZRChannelOptionList* parent, const char* name, uint8_t flags = kAll) const {
        if (!parent || !Shown(flags))
            return nullptr;
        auto list = std::make_unique<ZRChannelOptionList>();
        list->SetName(name);
        ZRChannelOptionList* added = list.get();
        parent->AddChild(std::move(list));
        return added;
    }
    void Add(ZRChannelOptionList* list, std::initializer_list<Signal> entries) const {
        for (const Signal& s : entries) {
            ZRChannelOption* option = owner.Option(s);
            if (list && Shown(s.flags))
                list->AddOption(option);
        }
    }
};

ZRNoxelChannelOptionList::ZRNoxelChannelOptionList(ZRDrive* drive, bool sercos, bool engineering)
    : m_pDrive(drive), m_Current(drive), m_Position(drive), m_FBPosition(drive), m_AuxPosition(drive),
      m_Velocity(drive) {
    SetName("Channel Options");
    m_Plain.SetPrecision(2);
    m_Volts.SetBaseScaleFactor(819.2);
    m_Volts.SetPrecision(2);
    m_SineVolts.SetBaseScaleFactor(4096.0);
    m_SineVolts.SetPrecision(2);
    m_LoopGain.SetBaseScaleFactor(655.35);
    m_LoopGain.SetPrecision(2);
    const char* texts[] = {"Amps", "Volts", "% of Motor Rating", "% of Drive Rating", "% of Nominal"};
    for (size_t i = 0; i < m_Units.size(); ++i)
        m_Units[i].SetBaseUnits(texts[i]);
    if (drive) {
        m_Current.Connect();
        m_Position.Connect();
        m_FBPosition.Connect();
        m_AuxPosition.Connect();
        m_Velocity.Connect();
        m_DriveTemp.SetReference(drive->GetDriveTemperatureReference());
        m_MotorTemp.SetReference(drive->GetMotorTemperatureReference());
    }

    using K = Kind;
    const Build b{*this, sercos, engineering};
    b.Add(b.List(this, "Drive Status"),
          {{"Analog Command Input", 40, K::CommandVolts, kNotSercos},
           {"Brake", 209},
           {"Bus Voltage", 41, K::BusVolts},
           {"Commutation Angle", 6, K::Position, kEngineering},
           {"Disable Serial Communications", 239, K::Digital, kNotSercos},
           {"Drive Enabled", 216},
           {"Drive Temperature", 30, K::DriveTemp},
           {"Forward Enable", 252, K::Digital, kNotSercos},
           {"Motor Temperature", 31, K::MotorTemp},
           {"Operation Mode Override", 250, K::Digital, kNotSercos},
           {"Ready", 208, K::Digital, kNotSercos},
           {"Reverse Enable", 251, K::Digital, kNotSercos}});

    ZRChannelOptionList* modes = b.List(this, "Operation Mode", kNotSercos);
    b.Add(b.List(modes, "Analog"), {{"Analog Command Input", 40, K::CommandVolts}, {"Remove Command Offset", 243}});
    b.Add(b.List(modes, "Presets"),
          {{"Preset Select Line 0", 226},
           {"Preset Select Line 1", 227},
           {"Preset Select Line 2", 228},
           {"Preset Select Line 3", 229},
           {"Preset Select Line 4", 230},
           {"Preset Select Line 5", 231},
           {"Define Position", 255}});
    b.Add(b.List(modes, "Follower"), {{"Follower Enable", 253}});
    const uint8_t e = kEngineering;
    b.Add(b.List(modes, "Indexing"),
          {{"Absolute Index Started before Homing", 169, K::Digital, e},
           {"At Index 0 Position", 195},
           {"At Index 1 Position", 194},
           {"Define Position", 255},
           {"End of Batch Count", 172, K::Digital, e},
           {"End of Sequence", 206},
           {"In Accel or Constant Velocity", 176},
           {"In Decel", 175},
           {"In Dwell", 204},
           {"In Motion", 205},
           {"Index is Being Aborted", 168, K::Digital, e},
           {"Move Adjusted by Registration", 173, K::Digital, e},
           {"Negative Distance Index", 171, K::Digital, e},
           {"Pause Index", 238},
           {"Previous Index with Nonzero Velocity", 167, K::Digital, e},
           {"Registered", 203},
           {"Registration Input Seen", 170, K::Digital, e},
           {"Registration Sensor", 244},
           {"Reversing Direction", 166, K::Digital, e},
           {"Start Index", 246},
           {"Stat Index Execution", 178, K::Digital, e},
           {"Start New Index Execution", 177, K::Digital, e},
           {"Stop Index", 237}});
    b.Add(b.List(modes, "Homing"),
          {{"Define Home", 245},
           {"Home Sensor", 248},
           {"Pause Homing", 236},
           {"Start Homing", 242},
           {"Stop Homing", 235},
           {"Axis Homed", 202}});

    const uint8_t n = kNotSercos;
    b.Add(b.List(this, "Position Signals"),
          {{"Position Command", 1, K::FBPosition},
           {"Position Error", 2, K::FBPosition},
           {"Position Feedback", 7, K::Position},
           {"Auxiliary Position", 5, K::AuxPosition},
           {"In Position", 223, K::Digital, n},
           {"In Position Window", 222, K::Digital, n},
           {"Peak Neg Position Error", 4, K::FBPosition, n},
           {"Peak Pos Position Error", 3, K::FBPosition, n},
           {"Posn Compare 1", 193, K::Digital, n},
           {"Posn Compare 2", 192, K::Digital, n},
           {"Negative Overtravel Input", 232, K::Digital, n},
           {"Positive Overtravel Input", 233, K::Digital, n},
           {"Negative Overtravel", 196, K::Digital, n},
           {"Positive Overtravel", 197, K::Digital, n}});
    b.Add(b.List(this, "Velocity Signals"),
          {{"Velocity Command", 23, K::Velocity},
           {"Velocity Error", 24, K::Velocity},
           {"Velocity Feedback", 22, K::Velocity},
           {"In Speed Window", 220, K::Digital, n},
           {"Integrator Inhibit", 254, K::Digital, n},
           {"Up To Speed", 217, K::Digital, n},
           {"Zero Speed", 221, K::Digital, n}});
    b.Add(b.List(this, "Current Signals"),
          {{"Analog Current Limit", 20, K::Current},
           {"Average Current", 17, K::Current},
           {"Current Command", 16, K::Current},
           {"D-Axis Current Error", 28, K::Current, e},
           {"D-Axis Current Feedback", 37, K::Current, e},
           {"Current Feedback", 36, K::Current},
           {"Current Loop Gain", 29, K::LoopGain, e},
           {"Negative Current Limit", 218},
           {"Peak Negative Current", 19, K::Current},
           {"Peak Positive Current", 18, K::Current},
           {"Positive Current Limit", 219},
           {"Q-Axis Current Error", 27, K::Current, e},
           {"Q-Axis Current Feedback", 36, K::Current, e},
           {"U-Phase Feedback", 34, K::Current, e},
           {"W-Phase Feedback", 35, K::Current, e}});

    ZRChannelOptionList* encoders = b.List(this, "Encoders");
    b.Add(b.List(encoders, "Motor Output", n), {{"Position Strobe", 249}, {"Tracking", 201}});
    b.Add(b.List(encoders, "Motor Input"),
          {{"A (Motor)", 162},
           {"B (Motor)", 161},
           {"Z (Motor)", 160},
           {"Negative Overtravel", 164, K::Digital, n},
           {"Positive Overtravel", 165, K::Digital, n},
           {"S1", 159},
           {"S2", 158},
           {"S3", 157},
           {"Thermostat", 163},
           {"Sine", 25, K::SineVolts, e},
           {"Cosine", 26, K::SineVolts, e},
           {"Startup Commutation Complete", 200}});
    b.Add(b.List(encoders, "Auxiliary Input"), {{"A (Auxiliary)", 156}, {"B (Auxiliary)", 155}, {"Z (Auxiliary)", 154}});

    ZRChannelOptionList* inputs = b.List(this, "Digital Inputs");
    if (sercos)
        b.Add(inputs, {{"Drive Enable (if assigned)", 191},
                       {"Home Sensor", 190},
                       {"Registration Sensor 1", 189},
                       {"Registration Sensor 2", 188},
                       {"Input 5 State", 187, K::Digital, n},
                       {"Input 6 State", 186, K::Digital, n},
                       {"Positive Overtravel", 185},
                       {"Negative Overtravel", 184}});
    else
        b.Add(inputs, {{"Input 1 State", 191},
                       {"Input 2 State", 190},
                       {"Input 3 State", 189},
                       {"Input 4 State", 188},
                       {"Input 5 State", 187},
                       {"Input 6 State", 186},
                       {"Input 7 State", 185},
                       {"Input 8 State", 184}});
    b.Add(b.List(this, "Digital Outputs", n),
          {{"Output 1 State", 183}, {"Output 2 State", 182}, {"Output 3 State", 181}, {"Output 4 State", 180}});
    b.Add(b.List(this, "Faults", n),
          {{"Fault Disable", 214},
           {"Fault Reset", 241},
           {"Motor thermostat fault", 153},
           {"IPM hardware fault", 152},
           {"Bus Undervoltage fault", 151},
           {"Bus Overvoltage fault", 150},
           {"User-specified current fault", 149},
           {"Motor overspeed", 148},
           {"Excess following error", 147},
           {"Motor encoder state error", 146},
           {"Auxiliary encoder state error", 145},
           {"Motor Thermal Protection Filter", 144},
           {"IPM Thermal Protection Filter", 143},
           {"Excess velocity error", 142},
           {"Motor speed limit exceeded", 141}});
}

ZRNoxelChannelOptionList::~ZRNoxelChannelOptionList() = default;

ZRChannelOption* ZRNoxelChannelOptionList::Option(const Signal& s) {
    // A signal that stands in two lists is one option.
    for (const std::unique_ptr<ZRChannelOption>& option : m_Options)
        if (option->GetIndex() == s.signal && option->GetName() == s.name)
            return option.get();
    ZRChannelScale* scale = &m_Plain;
    ZRUnits* units = nullptr;
    bool is16Bit = true;
    Scales(s.kind, scale, units, is16Bit);
    auto option = std::make_unique<ZRChannelOption>(s.signal, scale, units, s.kind != Kind::Digital, is16Bit);
    option->SetName(s.name);
    m_Options.push_back(std::move(option));
    return m_Options.back().get();
}

void ZRNoxelChannelOptionList::Scales(Kind kind, ZRChannelScale*& scale, ZRUnits*& units, bool& is16Bit) {
    ZRDrive* d = m_pDrive;
    switch (kind) {
    case Kind::Digital:
        break;
    case Kind::CommandVolts:
        scale = &m_Volts;
        units = &m_Units[kVolts];
        break;
    case Kind::BusVolts:
        units = &m_Units[kVolts];
        break;
    case Kind::SineVolts:
        scale = &m_SineVolts;
        units = &m_Units[kVolts];
        break;
    case Kind::LoopGain:
        scale = &m_LoopGain;
        units = &m_Units[kNominal];
        break;
    case Kind::Current:
        scale = &m_Current;
        units = &m_Units[kAmps];
        break;
    case Kind::Position:
        scale = &m_Position;
        units = d ? d->GetPositionUnits() : nullptr;
        is16Bit = false;
        break;
    case Kind::FBPosition:
        scale = &m_FBPosition;
        units = d ? d->GetFBPositionUnits() : nullptr;
        is16Bit = false;
        break;
    case Kind::AuxPosition:
        scale = &m_AuxPosition;
        units = d ? d->GetAuxPositionUnits() : nullptr;
        is16Bit = false;
        break;
    case Kind::Velocity:
        scale = &m_Velocity;
        units = d ? d->GetVelocityUnits() : nullptr;
        break;
    case Kind::DriveTemp:
        scale = &m_DriveTemp;
        units = &m_Units[kDriveRating];
        break;
    case Kind::MotorTemp:
        scale = &m_MotorTemp;
        units = &m_Units[kMotorRating];
        break;
    }
}
