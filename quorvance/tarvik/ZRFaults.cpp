#include "quorvance/tarvik/ZRFaults.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/online/ZROnLineStorage.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikParImport.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <charconv>
#include <cmath>

using namespace tarvik;

namespace {

struct FaultDef {
    int number;
    const char* name;
    uint32_t firstVersion;
};

// In the order defined; faults 1 to 32 are the bits of the first fault word, 33 and up of the second.
constexpr FaultDef kFaultDefs[] = {
    {4, "4:Motor Overtemp", 0},
    {5, "5:IPM Fault", 0},
    {6, "6:SERCOS Hardware Overtravel", 0},
    {7, "7:Encoder channel line B break", 0},
    {8, "8:Encoder channel line A break", 0},
    {9, "9:Bus Undervoltage", 0},
    {10, "10:Bus Overvoltage", 0},
    {11, "11:Illegal Hall State", 0},
    {14, "14:Net communication ", 0},
    {15, "15:Electrical Cycle ", 0},
    {16, "16:Sercos over travel ", 0},
    {17, "17:User current", 0},
    {18, "18:Overspeed", 0},
    {19, "19:Following Error", 0},
    {20, "20:Motor Encoder State", 0},
    {21, "21:Auxiliary Encoder State", 0},
    {22, "22:Motor Filter", 0},
    {23, "23:Thermal Protect Filter", 0},
    {24, "24:Velocity Error", 0},
    {25, "25:Sensor not assigned", 0},
    {26, "26:User Velocity", 0},
    {27, "27:Axis Not Homed", 0},
    {28, "28:Motor Parameter Error", 0},
    {29, "29:Excessive Output Frequency", 0},
    {30, "30:Encoder Communication", 0},
    {31, "31:Encoder Data", 0},
    {32, "32:Excessive Interpolated Feedback Frequency", 0},
    {1, "1:Non-Volatile Memory Endurance Exceeded", 0x10A00},
    {2, "2:Position Change Exceeds Position Rollover / 2", 0x10A00},
    {3, "3:Absolute Feedback Range Exceeded", 0x10A00},
    {12, "12:Home Search Failed", 0x10A00},
    {13, "13:Home Position Outside Limits", 0x10A00},
    {33, "33:Absolute Position Exceeds Position Rollover", 0x10A00},
    {34, "34:Ground Short Circuit", 0x10A00},
    {35, "35:Soft-Starting Fault", 0x10A00},
    {36, "36:Power Module Overtemperature", 0x10A00},
    {37, "37:AC Input Phase Loss", 0x10A00},
    {39, "39:Self Sensing Startup Failed", 0x10D00},
    {40, "40:230V Shunt Protection Fault", 0x11D06},
    {41, "41:460V Shunt Protection Fault", 0x11D06},
};

// The status list's order (fault 6 is not in it).
constexpr int kStatusOrder[] = {4,  5,  7,  8,  9,  10, 11, 14, 15, 16, 17, 18, 19,
                                20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 32, 29,
                                1,  2,  3,  12, 13, 33, 34, 35, 36, 37, 39, 40, 41};

constexpr int32_t kClearFaultsService = 111;
constexpr int32_t kFaultHistory = 156;
constexpr size_t kHistoryEntryLength = 8;

bool InFirstWord(int number) {
    return number <= 32;
}

} // namespace

ZRFaults::ZRFaults()
    : m_pUserCurrentFault(std::make_unique<ZRUlongAttribute>(GetDevice(), 2)),
      m_pUserVelocityFault(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pUserVelocityFaultEnable(std::make_unique<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pVelocityErrorLimit(std::make_unique<ZRUlongAttribute>(GetDevice(), 1)),
      m_pVelocityErrorTime(std::make_unique<ZRUlongAttribute>(GetDevice(), 2)),
      m_pFollowingErrorLimit(std::make_unique<ZRUlongAttribute>(GetDevice(), 4)),
      m_pFollowingErrorTime(std::make_unique<ZRUlongAttribute>(GetDevice(), 2)),
      m_pFaultDisable(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 25)),
      m_pFaultResetInput(std::make_unique<ZRBoolAttribute>(GetDevice(), 4, 30)),
      m_pClearFaults(std::make_unique<ZRCommand>(GetDevice())) {
    SetClass(kFaultsType);
    SetVersion(kBlockVersion);
    for (const FaultDef& f : kFaultDefs) {
        const bool first = InFirstWord(f.number);
        m_Faults[f.number - 1] = std::make_unique<ZRBoolAttribute>(GetDevice(), first ? 4 : 2,
                                                                   first ? f.number - 1 : f.number - 33);
    }
}

ZRFaults::~ZRFaults() = default;

ZRBoolAttribute* ZRFaults::GetFault(int number) const {
    if (number < 1 || number > kFaultCount)
        return nullptr;
    return m_Faults[number - 1].get();
}

void ZRFaults::Init() {
    ZRObject::Init();
    InitBlock(*this, kFaultsType, "Faults");

    BindNumber(*m_pUserCurrentFault, this, AttributeId(49), "User Current Fault", 32640, 0, 32767);
    m_pUserCurrentFault->SetUnits("Amps");
    m_pUserCurrentFault->SetScale(128);
    m_pUserCurrentFault->SetPrecision(2);
    // Its default is a stored value set once the drive's scale is bound.
    BindNumber(*m_pUserVelocityFault, this, AttributeId(270), "User Velocity Fault", 0, 0, 2147483647);
    UseScale(*m_pUserVelocityFault, ModelsOf(this, Model::Velocity));
    m_pUserVelocityFault->SetInternalValue(100000);
    BindBool(*m_pUserVelocityFaultEnable, this, AttributeId(param::kUserVelocityFaultEnable),
             "User Velocity Fault Enable", "Disabled", "Enabled");
    BindNumber(*m_pVelocityErrorLimit, this, AttributeId(38), "Velocity Error Fault Limit", 25, 1, 100);
    m_pVelocityErrorLimit->SetUnits("%Motor Max");
    m_pVelocityErrorLimit->SetPrecision(1);
    BindNumber(*m_pVelocityErrorTime, this, AttributeId(39), "Velocity Error Fault Time", 1000);
    m_pVelocityErrorTime->SetUnits("milliseconds");
    BindNumber(*m_pFollowingErrorLimit, this, AttributeId(24), "Following Error Limit", 8000, 0, 2147483647);
    UseScale(*m_pFollowingErrorLimit, ModelsOf(this, Model::FBPosition));
    BindNumber(*m_pFollowingErrorTime, this, AttributeId(25), "Following Error Time", 100);
    m_pFollowingErrorTime->SetUnits("milliseconds");

    for (const FaultDef& f : kFaultDefs) {
        ZRBoolAttribute& flag = *m_Faults[f.number - 1];
        BindFlag(flag, this, AttributeId(InFirstWord(f.number) ? param::kFaultStatus : param::kFaultStatus2),
                 f.name);
        flag.SetFirstVersion(f.firstVersion);
    }
    BindFlag(*m_pFaultDisable, this, AttributeId(param::kDriveStatus), "Fault Disable");
    BindFlag(*m_pFaultResetInput, this, AttributeId(param::kInputFunctionStates), "Fault Reset Input");
    BindCommand(*m_pClearFaults, this, kClearFaultsService);

    AddProperties(*this,
                  {m_pUserCurrentFault.get(), m_pUserVelocityFault.get(), m_pUserVelocityFaultEnable.get(),
                   m_pVelocityErrorLimit.get(), m_pVelocityErrorTime.get(), m_pFollowingErrorLimit.get(),
                   m_pFollowingErrorTime.get()});
    for (int number : kStatusOrder)
        AddStatus(GetFault(number));
}

std::string ZRFaults::FormatHistoryEntry(uint32_t entry) {
    const unsigned fault = entry >> 24;
    // The service clock counts units of ten minutes.
    const unsigned long minutes = (entry & 0xFFFFFFu) * 10ul;
    return platform::core::Format(" E%02u: %5lu:%02lu\t\t%s\r\n", fault, minutes / 60, minutes % 60,
                                  ZROnLineStorage::GetFaultText(static_cast<int>(fault)).c_str());
}

void ZRFaults::ReadFaultHistory(std::string& text) {
    ZRDevice* device = GetDevice();
    auto* storage = device ? dynamic_cast<TarvikStorage*>(device->GetStorage()) : nullptr;
    if (!storage)
        return;
    for (int n = 0; n < kHistoryEntries; ++n) {
        std::string reply;
        if (!storage->SendMessage(AttributeId(kFaultHistory), 0, {static_cast<uint8_t>(n)}, reply,
                                  kHistoryEntryLength, 0))
            return;
        uint32_t entry = 0;
        const char* end = reply.data() + reply.size();
        const auto [stop, error] = std::from_chars(reply.data(), end, entry, 16);
        if (error != std::errc() || stop != end)
            throw ZRError(2, "Drive returned bad data");
        text += FormatHistoryEntry(entry);
    }
}

bool ZRFaults::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    ZROlbraConverter& f = *file;
    // Old values by their index in the file.
    const auto old = [&f](int index) { return f.GetValue(index + ZROlbraConverter::kFirstTypedSlot); };
    auto* drive = dynamic_cast<ZRDrive*>(DriveOf(this));
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;

    m_pFollowingErrorLimit->SetInternalValue(static_cast<uint32_t>(old(17)));
    m_pFollowingErrorTime->SetValue(old(18));

    // The old overspeed counts encoder lines per minute in 1/65536.
    const double lines = std::trunc(MotorLinesRevolution(this));
    const double overspeed = lines * 4 * 2.5431315104166666e-7 * old(27);
    const int32_t velocity = LimitedValue(overspeed > 2147483647.0 ? overspeed : overspeed + 0.5, 0, f,
                                          "Warning: Overspeed velocity value is out of range. Setting to ");
    m_pUserVelocityFault->SetInternalValue(static_cast<uint32_t>(velocity));
    m_pUserVelocityFaultEnable->SetValue(true);

    if (f.GetFormatVersion() >= 5) {
        const char* const warning = "Warning: Velocity Error limit value is out of range. Setting to ";
        const double maxSpeed = motor ? std::trunc(motor->GetMaximumSpeed()->GetValue()) : 0.0;
        const double percent = std::trunc(old(193) * 100.0 / (maxSpeed * 65536.0));
        if (!std::isfinite(percent))
            // Without the motor's speed there is nothing to compare against.
            f.AppendLog("Warning: Velocity Error limit value is out of range. Keeping the default.");
        else if (percent > 100) {
            f.AppendLog(std::string(warning) + "max allowed.");
            m_pVelocityErrorLimit->SetValue(100);
        } else if (percent < 1) {
            f.AppendLog(std::string(warning) + "min allowed.");
            m_pVelocityErrorLimit->SetValue(1);
        } else {
            m_pVelocityErrorLimit->SetValue(percent);
        }
        m_pVelocityErrorTime->SetValue(old(194));
    }
    return m_pUserCurrentFault->SetInternalValue(static_cast<uint32_t>(old(37)));
}
