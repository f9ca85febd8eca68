#include "quorvance/fenwa/FenwaDigOut.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaIOUpdateMgr.h"
#include "quorvance/fenwa/FenwaIds.h"

using namespace fenwa::attr;

namespace {

constexpr const char* kAssignmentNames[FenwaDigOut::kAssignments] = {"Pr-0.10", "Pr-0.11", "Pr-0.12"};

struct Option {
    int32_t code;
    const char* text;
};
constexpr Option kFunctions[] = {
    {0, "Unassigned"},
    {12, "Absolute Position Valid"},
    {2, "Brake"},
    {8, "Current Limited"},
    {11, "Ready"},
    {3, "Up to Speed"},
    {7, "Velocity Limited"},
    {5, "Warning"},
    {6, "Within Near Window"},
    {4, "Within Position Window"},
    {1, "Within Speed Window"},
};
// The output states follow the seven input states in the I/O word.
constexpr int kFirstStateBit = 8;

void Bind(ZRAttribute& attribute, ZRObject* owner, int32_t id, const std::string& name) {
    attribute.SetObject(owner);
    attribute.Define(id);
    attribute.SetName(name);
}

// Shown in ms, kept by the drive in tenths of that, 0 to 1000.
void BindDelay(ZRUlongAttribute& delay, ZRObject* owner, int32_t number, const char* name, uint32_t initial) {
    Bind(delay, owner, fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(number)), name);
    delay.SetUnits("ms");
    delay.SetScale(0.1);
    fenwa::StoredRange(delay, 0, 1000);
    delay.SetInternalValue(initial);
}

} // namespace

FenwaDigOut::FenwaDigOut() : m_pUpdateMgr(std::make_unique<FenwaIOUpdateMgr>()) {
    SetClass(fenwa::kDigOutType);
    SetVersion(fenwa::kObjectVersion);
    for (auto& assignment : m_Assignments)
        assignment = std::make_unique<ZRStringAttribute>(GetDevice(), 0, NoPadding, ' ');
    m_pBrakeActiveDelay = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
    m_pBrakeInactiveDelay = std::make_unique<ZRUlongAttribute>(GetDevice(), 4);
    for (int i = 0; i < kOutputs; ++i) {
        m_Outputs[i] = std::make_unique<ZRIndexSelection>(GetDevice());
        m_States[i] = std::make_unique<ZRBoolAttribute>(GetDevice(), 2, kFirstStateBit + i);
    }
}

FenwaDigOut::~FenwaDigOut() {
    m_pUpdateMgr.reset();
}

void FenwaDigOut::Init() {
    ZRObject::Init();
    fenwa::InitBlock(*this, fenwa::kDigOutType, "Digital Outputs");
    for (int k = 0; k < kAssignments; ++k) {
        ZRStringAttribute& assignment = *m_Assignments[k];
        Bind(assignment, this,
             fenwa::Id(fenwa::cls::kParameter, static_cast<uint16_t>(kOutputAssignment1 + k)),
             kAssignmentNames[k]);
        assignment.SetValue("0000");
        m_pUpdateMgr->AddString(&assignment);
        AddProperty(&assignment);
    }
    BindDelay(*m_pBrakeActiveDelay, this, kBrakeActiveDelay, "Brake Active Delay", 50);
    BindDelay(*m_pBrakeInactiveDelay, this, kBrakeInactiveDelay, "Brake Inactive Delay", 0);
    AddProperty(m_pBrakeActiveDelay.get());
    AddProperty(m_pBrakeInactiveDelay.get());
    for (int i = 0; i < kOutputs; ++i) {
        const std::string name = platform::core::Format("Output %d", i + 1);
        ZRIndexSelection& output = *m_Outputs[i];
        Bind(output, this, kNone, name);
        auto options = std::make_unique<ZRLongOptions>(this, 2);
        for (const Option& o : kFunctions)
            options->Add(o.code, o.text);
        output.SetOptions(std::move(options));
        output.SetValue(0);
        for (auto& assignment : m_Assignments)
            output.AddRefreshAttribute(assignment.get());
        m_pUpdateMgr->AddOutput(&output);
        ZRBoolAttribute& state = *m_States[i];
        Bind(state, this, kIoStatus, name + " State");
        state.SetWritable(false);
        AddStatus(&state);
    }
}

ZRIndexSelection* FenwaDigOut::GetOutput(int n) const {
    return n >= 1 && n <= kOutputs ? m_Outputs[n - 1].get() : nullptr;
}

ZRBoolAttribute* FenwaDigOut::GetOutputState(int n) const {
    return n >= 1 && n <= kOutputs ? m_States[n - 1].get() : nullptr;
}

ZRStringAttribute* FenwaDigOut::GetAssignment(int k) const {
    return k >= 0 && k < kAssignments ? m_Assignments[k].get() : nullptr;
}
