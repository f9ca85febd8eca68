#include "quorvance/fenwa/FenwaDigIn.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaAssignmentText.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaInputUpdateMgr.h"

#include <iterator>

using namespace fenwa::attr;

namespace {

// The parameters in order, their initial texts and the texts their functions fall back to.
struct Assignment {
    const char* name;
    const char* initial;
    const char* fallback;
};
constexpr Assignment kAssignmentParams[FenwaDigIn::kAssignments] = {
    {"Pr-0.05", "0881", "0888"}, {"Pr-0.06", "0000", "0000"}, {"Pr-0.07", "0000", "0000"},
    {"Pr-0.08", "0000", "0000"}, {"Pr-0.09", "0000", "0000"},
};

struct Function {
    uint32_t code;
    const char* text;
};
// The entries of every input, in the order the check list shows them.
constexpr Function kFunctions[] = {
    {0, "Unassigned"},
    {0x02000, "Alternate Gain Select"},
    {0x00040, "Current Limit - Negative"},
    {0x00020, "Current Limit - Positive"},
    {0x00008, "Drive Enable"},
    {0x00080, "Fault Reset"},
    {0x00001, "Integrator Inhibit"},
    {0x00010, "Operation Mode Override"},
    {0x00002, "Overtravel - Negative"},
    {0x00004, "Overtravel - Positive"},
    {0x04000, "Pause Follower"},
    {0x80000, "Position Strobe"},
    {0x00800, "Preset Direction"},
    {0x00400, "Preset Select 1"},
    {0x00200, "Preset Select 2"},
    {0x00100, "Preset Select 3"},
    {0x01000, "Reset Multiturn Data"},
    {0x08000, "Zero Speed Clamp Enable"},
};
constexpr int kEntries = static_cast<int>(std::size(kFunctions));
constexpr uint32_t kDriveEnable = 0x00008;
constexpr int kFaultBit = 11;
// Positions of the functions the drive object asks about.
constexpr size_t kEnablePosition = 3;   // in "Pr-0.05"
constexpr size_t kOverridePosition = 0; // in "Pr-0.06"

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
}

} // namespace

FenwaDigIn::FenwaDigIn() : m_pUpdateMgr(std::make_unique<FenwaInputUpdateMgr>()) {
    SetClass(fenwa::kDigInType);
    SetVersion(fenwa::kObjectVersion);
    for (auto& assignment : m_Assignments)
        assignment = std::make_unique<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ');
    m_pFaultState = std::make_unique<ZRBoolAttribute>(GetDevice(), 2, kFaultBit);
    for (int i = 0; i < kInputs; ++i) {
        m_Inputs[i] = std::make_unique<ZRLongBitField>(GetDevice(), kEntries, 4);
        m_States[i] = std::make_unique<ZRBoolAttribute>(GetDevice(), 2, i);
    }
}

FenwaDigIn::~FenwaDigIn() {
    m_pUpdateMgr.reset();
}

void FenwaDigIn::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDigInType, "Digital Inputs");
    for (int k = 0; k < kAssignments; ++k) {
        ZRStringAttribute& assignment = *m_Assignments[k];
        Bind(assignment, this,
             fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(kInputAssignment1 + k)),
             kAssignmentParams[k].name);
        assignment.SetValue(kAssignmentParams[k].initial);
        m_pUpdateMgr->AddString(&assignment, kAssignmentParams[k].fallback);
        AddProperty(&assignment);
    }
    Bind(*m_pFaultState, this, kIoStatus, "Fault State");
    m_pFaultState->SetWritable(false);
    m_pFaultState->SetValue(true);
    for (int i = 0; i < kInputs; ++i) {
        const std::string name = platform::core::Format("Input %d", i + 1);
        ZRLongBitField& input = *m_Inputs[i];
        Bind(input, this, kNone, name);
        for (const Function& f : kFunctions)
            input.Add(static_cast<int32_t>(f.code), f.text);
        for (auto& assignment : m_Assignments)
            input.AddRefreshAttribute(assignment.get());
        input.SetValue(i == 0 ? static_cast<int32_t>(kDriveEnable) : 0);
        m_pUpdateMgr->AddInput(&input);
        ZRBoolAttribute& state = *m_States[i];
        Bind(state, this, kIoStatus, name + " State");
        state.SetWritable(false);
        AddStatus(&state);
    }
}

ZRLongBitField* FenwaDigIn::GetInput(int n) const {
    return n >= 1 && n <= kInputs ? m_Inputs[n - 1].get() : nullptr;
}

ZRBoolAttribute* FenwaDigIn::GetInputState(int n) const {
    return n >= 1 && n <= kInputs ? m_States[n - 1].get() : nullptr;
}

ZRStringAttribute* FenwaDigIn::GetAssignment(int k) const {
    return k >= 0 && k < kAssignments ? m_Assignments[k].get() : nullptr;
}

int FenwaDigIn::GetEnableInput() const {
    const std::string text = fenwa::NormalisedAssignment(m_Assignments[0]->GetAsString(), {});
    return fenwa::AssignedNumberAt(text, kEnablePosition, kInputs);
}

int FenwaDigIn::GetOverrideInput() const {
    const std::string text = fenwa::NormalisedAssignment(m_Assignments[1]->GetAsString(), {});
    return fenwa::AssignedNumberAt(text, kOverridePosition, kInputs);
}
