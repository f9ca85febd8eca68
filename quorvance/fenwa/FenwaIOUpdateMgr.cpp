#include "quorvance/fenwa/FenwaIOUpdateMgr.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "quorvance/fenwa/FenwaAssignmentText.h"

using fenwa::kAssignmentLength;

namespace {

constexpr const char* kNoOutputs = "0000";

class Raised {
public:
    explicit Raised(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Raised() { m_flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& m_flag;
};

// The function code of the output's selection; 0 for "Unassigned", no selection or the
// placeholder of a value no option has.
int32_t CodeOf(const ZRIndexSelection& output) {
    const auto* options = dynamic_cast<const ZRLongOptions*>(output.GetOptions());
    if (!options || !output.IsValid())
        return 0;
    const int32_t code = options->GetData(output.GetValue());
    return code == ZRLongOptions::InvalidValue ? 0 : code;
}

// Selects the index and tells the rows, also for "nothing selected" (which SetValue keeps quiet).
void Select(ZRIndexSelection& output, int index) {
    if (output.GetValue() == index)
        return;
    if (!output.SetValue(index) && index == -1)
        output.Notify(ZRUpdate::ValueChanged);
}

} // namespace

FenwaIOUpdateMgr::FenwaIOUpdateMgr() = default;

FenwaIOUpdateMgr::~FenwaIOUpdateMgr() {
    for (ZRStringAttribute* parameter : m_Strings)
        if (parameter)
            parameter->RemoveObserver(this);
    for (ZRIndexSelection* output : m_Outputs)
        if (output)
            output->RemoveObserver(this);
}

void FenwaIOUpdateMgr::AddString(ZRStringAttribute* parameter) {
    parameter->AddObserver(this);
    m_Strings.push_back(parameter);
    m_Current += kNoOutputs;
}

void FenwaIOUpdateMgr::AddOutput(ZRIndexSelection* output) {
    output->AddObserver(this);
    m_Outputs.push_back(output);
}

void FenwaIOUpdateMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        for (auto& output : m_Outputs)
            if (output && static_cast<platform::core::Subject*>(output) == subject)
                output = nullptr;
        for (auto& parameter : m_Strings)
            if (parameter && static_cast<platform::core::Subject*>(parameter) == subject)
                parameter = nullptr;
        return;
    }
    if (reason != ZRUpdate::ValueChanged || m_bUpdating)
        return;
    for (size_t k = 0; k < m_Strings.size(); ++k)
        if (m_Strings[k] && static_cast<platform::core::Subject*>(m_Strings[k]) == subject)
            return ParameterChanged(k);
    for (size_t i = 0; i < m_Outputs.size(); ++i)
        if (m_Outputs[i] && static_cast<platform::core::Subject*>(m_Outputs[i]) == subject)
            return OutputChanged(static_cast<int>(i) + 1);
}

void FenwaIOUpdateMgr::OutputChanged(int n) {
    Raised raised(m_bUpdating);
    const char c = static_cast<char>('0' + n);
    const int32_t e = CodeOf(*m_Outputs[static_cast<size_t>(n - 1)]);
    const bool assigned = e >= 1 && static_cast<size_t>(e) <= m_Current.size();
    if (assigned) {
        // The output that carried the function gives it up.
        const int d = fenwa::AssignedNumber(m_Current[static_cast<size_t>(e - 1)], kOutputs);
        if (d != 0 && d != n && static_cast<size_t>(d) <= m_Outputs.size())
            if (ZRIndexSelection* other = m_Outputs[static_cast<size_t>(d - 1)])
                Select(*other, 0);
    }
    // Output n gives up what it carried before: every position, so a text that named it twice
    // does not keep a second function on it.
    for (char& ch : m_Current)
        if (ch == c)
            ch = '0';
    if (assigned)
        m_Current[static_cast<size_t>(e - 1)] = c;
    for (size_t k = 0; k < m_Strings.size(); ++k)
        if (m_Strings[k])
            m_Strings[k]->SetAsString(m_Current.substr(k * kAssignmentLength, kAssignmentLength));
}

void FenwaIOUpdateMgr::ParameterChanged(size_t k) {
    Raised raised(m_bUpdating);
    const std::string text = m_Strings[k]->GetAsString();
    bool malformed = false;
    const std::string normalised = fenwa::NormalisedAssignment(text, kNoOutputs, &malformed);
    if (malformed)
        fenwa::ReportMalformedAssignment(m_Strings[k]->GetName(), text, normalised);
    m_Current.replace(k * kAssignmentLength, kAssignmentLength, normalised);

    std::vector<int> selected(m_Outputs.size(), 0);
    for (size_t p = 0; p < m_Current.size(); ++p) {
        const int d = fenwa::AssignedNumber(m_Current[p], kOutputs);
        if (d == 0 || static_cast<size_t>(d) > m_Outputs.size() || !m_Outputs[static_cast<size_t>(d - 1)])
            continue;
        const auto* options =
            dynamic_cast<const ZRLongOptions*>(m_Outputs[static_cast<size_t>(d - 1)]->GetOptions());
        int index = -1;
        if (!options || !options->GetIndex(static_cast<int32_t>(p + 1), index))
            index = -1;
        selected[static_cast<size_t>(d - 1)] = index;
    }
    for (size_t i = 0; i < m_Outputs.size(); ++i)
        if (m_Outputs[i])
            Select(*m_Outputs[i], selected[i]);
}
