#include "quorvance/tarvik/ZRDigOutTarvik.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Text.h"
#include "quorvance/tarvik/TarvikBlockTables.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <algorithm>

using namespace tarvik;
using namespace tarvik::param;

namespace {

constexpr int kEntries = 33;
constexpr int kOverrideStateBit = 8;
constexpr int kRelay = 4;
constexpr uint32_t kBrake = 0x40000000;
constexpr uint32_t kFaultDisable = 0x2000000;
constexpr uint32_t kReady = 0x80000000;

const BitEntries kOutputFunctions = {
    {0, "Not Assigned"},
    {0x1, "At Home"},
    {0x1000, "At Index 0 Position"},
    {0x2000, "At Index 1 Position"},
    {0x20, "Axis Homed"},
    {0x40000000, "Brake"},
    {0x1000000, "DC Bus Charged"},
    {0x800000, "Drive Enabled"},
    {0x2, "End of Sequence"},
    {0x2000000, "Fault Disable"},
    {0x400, "Forward Overtravel"},
    {0x8, "In Dwell"},
    {0x4, "In Motion"},
    {0x10000, "In-Position"},
    {0x200, "Neg HW Overtravel Input"},
    {0x200000, "Negative Current Limit"},
    {0x100, "Pos HW Overtravel Input"},
    {0x4000, "Posn Compare 1"},
    {0x8000, "Posn Compare 2"},
    {0x100000, "Positive Current Limit"},
    {0x80000000, "Ready"},
    {0x10, "Registered"},
    {0x800, "Reverse Overtravel"},
    {0x80, "Startup Commutation Done"},
    {0x40, "Tracking"},
    {0x400000, "Up to Speed"},
    {0x20000, "Within Position Window"},
    {0x80000, "Within Speed Window"},
    {0x40000, "Zero Speed"},
};

void BrakeDelay(ZRLongAttribute& delay, ZRObject* owner, int32_t parameter, const char* name) {
    Bind(delay, owner, AttributeId(parameter), name, "milliseconds");
    delay.SetInternalValue(0);
    SetValRange(delay, -32767, 32767);
}

} // namespace

ZRDigOutTarvik::ZRDigOutTarvik()
    : m_pBrakeActiveDelay(MakeAttr<ZRLongAttribute>(GetDevice(), 2)),
      m_pBrakeInactiveDelay(MakeAttr<ZRLongAttribute>(GetDevice(), 2)) {
    for (int k = 0; k < kOutputs; ++k) {
        Output& o = m_Outputs[k];
        o.assignment = MakeAttr<ZRLongBitField>(GetDevice(), kEntries, 4);
        o.state = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, k);
        o.overrideState = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, k + kOverrideStateBit);
        o.mode = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, k);
        o.modeRequest = MakeAttr<ZRBoolAttribute>(GetDevice(), 2, k);
    }
}

ZRDigOutTarvik::~ZRDigOutTarvik() {
    for (Output& o : m_Outputs)
        o.modeRequest->RemoveObserver(this);
}

void ZRDigOutTarvik::Init() {
    ZRObject::Init();
    SetClass(kDigOutType);
    SetVersion(kBlockVersion);
    GetName().SetValue("Digital Outputs");
    for (int k = 0; k < kOutputs; ++k) {
        Output& o = m_Outputs[k];
        const std::string name = k < kOutputs - 1 ? platform::core::Format("Output %d", k + 1) : "Relay";
        Bind(*o.assignment, this, AttributeId(kOutputAssignments, k), name);
        AddEntries(*o.assignment, kOutputFunctions);
        o.assignment->SetValue(0);
        BindFlag(*o.state, this, AttributeId(kOutputStates), name + " State");
        o.state->SetValue(false);
        Bind(*o.overrideState, this, AttributeId(kOutputOverride, kCommandIndex), name + " Override State");
        o.overrideState->SetStrings("Off", "On");
        o.overrideState->SetValue(false);
        Bind(*o.mode, this, AttributeId(kOutputOverride, kCommandIndex), name + " Mode");
        o.mode->SetStrings("Normal", "Override");
        o.mode->SetValue(false);
        Bind(*o.modeRequest, this, -1, name + " Mode");
        o.modeRequest->SetStrings("Normal", "Override");
        o.modeRequest->SetValue(false);
        o.modeRequest->AddObserver(this);
    }
    BrakeDelay(*m_pBrakeActiveDelay, this, kBrakeActiveDelay, "Brake Active Delay");
    BrakeDelay(*m_pBrakeInactiveDelay, this, kBrakeInactiveDelay, "Brake Inactive Delay");

    AddProperty(m_pBrakeActiveDelay.get());
    AddProperty(m_pBrakeInactiveDelay.get());
    for (Output& o : m_Outputs) {
        AddProperty(o.assignment.get());
        AddProperty(o.mode.get());
        AddProperty(o.overrideState.get());
    }
    for (Output& o : m_Outputs)
        AddStatus(o.state.get());
    for (Output& o : m_Outputs)
        AddStatus(o.overrideState.get());
}

void ZRDigOutTarvik::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    if (ReasonOf(message) != ZRUpdate::ValueChanged)
        return;
    for (Output& o : m_Outputs) {
        if (subject != o.modeRequest.get())
            continue;
        const bool request = o.modeRequest->GetValue();
        // The output keeps its present state (as last read) when it goes into override.
        if (request)
            o.overrideState->SetValue(o.state->GetValue());
        o.mode->SetValue(request);
        return;
    }
}

bool ZRDigOutTarvik::ImportParValues(ZROlbraConverter* file) {
    if (!file)
        return false;
    const ZROlbraConverter& f = *file;
    const bool olbra = f.IsOlbraFile();
    m_Outputs[kRelay].assignment->SetValue(static_cast<int32_t>(kBrake));
    // Olbra files have two outputs.
    const int outputs = olbra ? 2 : 4;
    for (int k = 0; k < outputs; ++k) {
        auto code = static_cast<uint32_t>(f.GetValue(f.GetFormatVersion() < 6 ? 71 + k : 293 + k));
        // Functions this drive has no output for.
        if (code == 0x4000000 || code == 0x8000000 || code == 0x10000000) {
            file->AppendLog(
                platform::core::Format("Warning: Output #%d assignment has been changed to Fault Disable.", k + 1));
            code = kFaultDisable;
        }
        m_Outputs[k].assignment->SetValue(static_cast<int32_t>(code));
    }
    // The older drives signalled readiness without an output; here one must carry it.
    if (olbra) {
        m_Outputs[3].assignment->SetValue(static_cast<int32_t>(kReady));
    } else {
        auto free = std::find_if(m_Outputs.begin(), m_Outputs.begin() + 4,
                                 [](const Output& o) { return o.assignment->GetValue() == 0; });
        if (free != m_Outputs.begin() + 4)
            free->assignment->SetValue(static_cast<int32_t>(kReady));
        else
            file->AppendLog("Warning: Failed to assign Ready to an output; Calto has more outputs assigned than are "
                            "available on an tarvik");
    }
    m_pBrakeActiveDelay->SetValue(f.GetValue(77));
    m_pBrakeInactiveDelay->SetValue(f.GetValue(78));
    return true;
}
