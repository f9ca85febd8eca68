#include "quorvance/tarvik/ZRDeviceNetTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr uint32_t kDeviceNetVersion = 0x10A00;

const BitEntries kLogicCommands = {
    {0, "Unassigned"},
    {0x04000000, "Define Home"},
    {0x00010000, "Define Position"},
    {0x00000001, "Disable Serial Communications"},
    {0x80000000, "Drive Enable"},
    {0x40000000, "Fault Reset"},
    {0x00040000, "Follower Enable"},
    {0x00020000, "Integrator Inhibit"},
    {0x00200000, "Operation Mode Override"},
    {0x00000008, "Pause Homing"},
    {0x00000002, "Pause Index"},
    {0x00400000, "Position Strobe"},
    {0x00000100, "Preset Select 0"},
    {0x00000200, "Preset Select 1"},
    {0x00000400, "Preset Select 2"},
    {0x00000800, "Preset Select 3"},
    {0x00001000, "Preset Select 4"},
    {0x00002000, "Preset Select 5"},
    {0x10000000, "Remove Command Offset"},
    {0x01000000, "Reset Drive"},
    {0x20000000, "Start Homing"},
    {0x02000000, "Start Indexing"},
    {0x00000010, "Stop Homing"},
    {0x00000004, "Stop Indexing"},
};

const BitEntries kStatusBits = {
    {0, "Unassigned"},
    {0x1, "At Home"},
    {0x1000, "At Index 0 Position"},
    {0x2000, "At Index 1 Position"},
    {0x20, "Axis Homed"},
    {0x40000000, "Brake"},
    {0x1000000, "DC Bus Charged"},
    {0x800000, "Drive Enabled"},
    {0x2, "End of Sequence"},
    {0x8, "In Dwell"},
    {0x4, "In Motion"},
    {0x10000, "In Position"},
    {0x200000, "Negative Current Limit"},
    {0x200, "Negative Hardware Overtravel"},
    {0x800, "Negative Software Overtravel"},
    {0x4000, "Position Compare 1/Write Data Error"},
    {0x8000, "Position Compare 2/Write Data Busy"},
    {0x100000, "Positive Current Limit"},
    {0x100, "Positive Hardware Overtravel"},
    {0x400, "Positive Software Overtravel"},
    {0x80000000, "Ready"},
    {0x10, "Registered"},
    {0x80, "Startup Commutation Done"},
    {0x40, "Tracking"},
    {0x400000, "Up to Speed"},
    {0x20000, "Within Position Window"},
    {0x80000, "Within Speed Window"},
    {0x40000, "Zero Speed"},
};

const OptionList kFaultActions = {
    {0, "Fault / Zero Data"}, {1, "Fault / Hold Last Data"}, {2, "Zero Data"}, {3, "Hold Last Data"},
    {4, "Fault Configuration"}};

struct InputBit {
    int bit;
    const char* name;
};
constexpr InputBit kInputBitTable[ZRDeviceNetTarvik::kInputBits] = {
    {0, "Disable Serial"},      {1, "Pause Index"},      {2, "Abort Index"},
    {3, "Pause Homing"},        {4, "Abort Homing"},     {8, "Preset Select 0"},
    {9, "Preset Select 1"},     {10, "Preset Select 2"}, {11, "Preset Select 3"},
    {12, "Preset Select 4"},    {13, "Preset Select 5"}, {16, "Define Position"},
    {17, "Integrator Inhibit"}, {18, "Follower Enable"}, {21, "Operation Mode Override"},
    {22, "Position Strobe"},    {25, "Start Index"},     {26, "Define Home"},
    {28, "Remove CMD Offset"},  {29, "Start Homing"},    {30, "Fault Reset"},
    {31, "Enable Drive"},
};

void SetOptionsFrom(ZRIndexSelection& selection, ZRObject* owner,
                    const std::vector<std::pair<int32_t, std::string>>& options) {
    auto list = std::make_unique<ZRUlongOptions>(owner, 1);
    for (const auto& [value, text] : options)
        list->Add(static_cast<uint32_t>(value), text);
    selection.SetOptions(std::move(list));
}

std::vector<std::pair<int32_t, std::string>> Instances(int32_t firstValue, int firstInstance, int count,
                                                      const char* none = nullptr) {
    std::vector<std::pair<int32_t, std::string>> options;
    if (none)
        options.emplace_back(0, none);
    for (int i = 0; i < count; ++i)
        options.emplace_back(firstValue + i, platform::core::Format("Assembly Instance %d", firstInstance + i));
    return options;
}

} // namespace

ZRDeviceNetTarvik::ZRDeviceNetTarvik()
    : m_pNodeAddress(MakeAttr<ZRUlongAttribute>(GetDevice(), 1)), m_pDataRate(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pIOReceiveSelect(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pPollTransmitSelect(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pCOSCyclicTransmitSelect(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pLogicCommandMask(MakeAttr<ZRLongBitField>(GetDevice(), 25, 4)),
      m_pEnableBehavior(MakeAttr<ZRBoolAttribute>(GetDevice(), 1, -1)),
      m_pChangeOfStateMask(MakeAttr<ZRLongBitField>(GetDevice(), 29, 4)),
      m_pIdleFaultAction(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pCommFaultAction(MakeAttr<ZRIndexSelection>(GetDevice())),
      m_pFaultedLogicCommand(MakeAttr<ZRLongBitField>(GetDevice(), 25, 4)) {
    for (int i = 0; i < kInputBits; ++i)
        m_Inputs[i] = MakeAttr<ZRBoolAttribute>(GetDevice(), 4, kInputBitTable[i].bit);
}

ZRDeviceNetTarvik::~ZRDeviceNetTarvik() = default;

void ZRDeviceNetTarvik::Init() {
    ZRObject::Init();
    SetClass(kDeviceNetType);
    SetVersion(kBlockVersion);
    GetName().SetValue("DeviceNet");

    Bind(*m_pNodeAddress, this, AttributeId(kNodeAddress), "Node Address");
    SetRange(*m_pNodeAddress, 0, 63);
    m_pNodeAddress->SetInternalValue(63);
    Bind(*m_pDataRate, this, AttributeId(kDataRate), "Data Rate");
    SetUlongOptions(*m_pDataRate, this, {{0, "125 kps"}, {1, "250 kps"}, {2, "500 kps"}, {3, "AutoBaud"}});
    Bind(*m_pIOReceiveSelect, this, AttributeId(kIoReceiveSelect), "I/O Receive Select");
    SetOptionsFrom(*m_pIOReceiveSelect, this, Instances(1, 1, 9, "No Data Consumed"));
    Bind(*m_pPollTransmitSelect, this, AttributeId(kPollTransmitSelect), "Poll Transmit Select");
    SetOptionsFrom(*m_pPollTransmitSelect, this, Instances(0, 10, 9));
    Bind(*m_pCOSCyclicTransmitSelect, this, AttributeId(kCosCyclicTransmitSelect), "COS/Cyclic Transmit Select");
    SetUlongOptions(*m_pCOSCyclicTransmitSelect, this,
                    {{0, "Assembly Instance 10"}, {1, "Assembly Instance 13"}, {2, "Assembly Instance 15"}});
    Bind(*m_pLogicCommandMask, this, AttributeId(kLogicCommandMask), "Logic Command Mask");
    AddEntries(*m_pLogicCommandMask, kLogicCommands);
    Bind(*m_pEnableBehavior, this, AttributeId(kEnableBehavior), "Enable Behavior");
    m_pEnableBehavior->SetStrings("Hardware OR DeviceNet", "Both");
    Bind(*m_pChangeOfStateMask, this, AttributeId(kChangeOfStateMask), "Change of State Mask");
    AddEntries(*m_pChangeOfStateMask, kStatusBits);
    Bind(*m_pIdleFaultAction, this, AttributeId(kIdleFaultAction), "Idle Fault Action");
    SetUlongOptions(*m_pIdleFaultAction, this, kFaultActions);
    Bind(*m_pCommFaultAction, this, AttributeId(kCommFaultAction), "Comm Fault Action");
    SetUlongOptions(*m_pCommFaultAction, this, kFaultActions);
    Bind(*m_pFaultedLogicCommand, this, AttributeId(kFaultedLogicCommand), "Faulted Logic Command");
    AddEntries(*m_pFaultedLogicCommand, kLogicCommands);
    for (ZRLongBitField* field : {m_pLogicCommandMask.get(), m_pChangeOfStateMask.get(), m_pFaultedLogicCommand.get()})
        field->SetValue(0);
    m_pEnableBehavior->SetValue(false);

    for (ZRAttribute* a : std::initializer_list<ZRAttribute*>{
             m_pNodeAddress.get(), m_pDataRate.get(), m_pIOReceiveSelect.get(), m_pPollTransmitSelect.get(),
             m_pCOSCyclicTransmitSelect.get(), m_pLogicCommandMask.get(), m_pEnableBehavior.get(),
             m_pChangeOfStateMask.get(), m_pIdleFaultAction.get(), m_pCommFaultAction.get(),
             m_pFaultedLogicCommand.get()}) {
        a->SetFirstVersion(kDeviceNetVersion);
        AddProperty(a);
    }
    for (int i = 0; i < kInputBits; ++i) {
        BindFlag(*m_Inputs[i], this, AttributeId(kDeviceNetInputs), kInputBitTable[i].name);
        m_Inputs[i]->SetFirstVersion(kDeviceNetVersion);
        AddStatus(m_Inputs[i].get());
    }
}

void ZRDeviceNetTarvik::Attach(ZRDevice* device, int32_t instance) {
    ZRObject::Attach(device, instance);
    MarkResetDriveUnsupported(*this, device, {m_pLogicCommandMask.get(), m_pFaultedLogicCommand.get()});
}
