#include "quorvance/fenwa/FenwaInputUpdateMgr.h"

#include "kitbase/model/ZRLongBitField.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/fenwa/FenwaAssignmentText.h"

using fenwa::kAssignmentLength;

namespace {

// Raises a flag for one reaction and always lowers it.
class Raised {
public:
    explicit Raised(bool& flag) : m_flag(flag) { m_flag = true; }
    ~Raised() { m_flag = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& m_flag;
};

} // namespace

FenwaInputUpdateMgr::FenwaInputUpdateMgr() = default;

FenwaInputUpdateMgr::~FenwaInputUpdateMgr() {
    for (ZRStringAttribute* parameter : m_Strings)
        if (parameter)
            parameter->RemoveObserver(this);
    for (ZRLongBitField* input : m_Inputs)
        if (input)
            input->RemoveObserver(this);
}

void FenwaInputUpdateMgr::AddString(ZRStringAttribute* parameter, const std::string& defaultText) {
    const std::string fallback = fenwa::NormalisedAssignment(defaultText, "0000");
    parameter->AddObserver(this);
    m_Strings.push_back(parameter);
    m_Default += fallback;
    m_Current += fenwa::NormalisedAssignment(parameter->GetAsString(), fallback);
}

void FenwaInputUpdateMgr::AddInput(ZRLongBitField* input) {
    input->AddObserver(this);
    m_Inputs.push_back(input);
}

void FenwaInputUpdateMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    const int reason = ReasonOf(message);
    if (reason == ZRUpdate::Destroying) {
        for (auto& input : m_Inputs)
            if (input && static_cast<platform::core::Subject*>(input) == subject)
                input = nullptr;
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
    for (size_t i = 0; i < m_Inputs.size(); ++i)
        if (m_Inputs[i] && static_cast<platform::core::Subject*>(m_Inputs[i]) == subject)
            return InputChanged(static_cast<int>(i) + 1);
}

std::string FenwaInputUpdateMgr::TextOf(size_t k, bool report) {
    const std::string fallback = m_Default.substr(k * kAssignmentLength, kAssignmentLength);
    const std::string text = m_Strings[k]->GetAsString();
    bool malformed = false;
    std::string normalised = fenwa::NormalisedAssignment(text, fallback, &malformed);
    if (malformed && report)
        fenwa::ReportMalformedAssignment(m_Strings[k]->GetName(), text, normalised);
    return normalised;
}

std::string FenwaInputUpdateMgr::FunctionName(size_t p) const {
    const int32_t code = static_cast<int32_t>(uint32_t{1} << p);
    for (ZRLongBitField* input : m_Inputs)
        if (input && input->GetIndex(code) >= 0)
            return input->GetIndexedString(input->GetIndex(code));
    return {};
}

void FenwaInputUpdateMgr::InputChanged(int n) {
    std::string work;
    {
        Raised raised(m_bUpdating);
        const char c = static_cast<char>('0' + n);
        work = m_Current;
        // Input n lets go of every function it drove.
        for (size_t p = 0; p < work.size(); ++p)
            if (work[p] == c)
                work[p] = m_Default[p];
        ZRLongBitField* input = m_Inputs[static_cast<size_t>(n - 1)];
        const auto value = static_cast<uint32_t>(input->GetValue());
        for (int32_t e = 1; e < input->GetSize(); ++e) {
            const auto code = static_cast<uint32_t>(input->GetDataCode(e));
            if (code == 0 || (value & code) != code)
                continue;
            const auto p = static_cast<size_t>(ZRLongBitField::GetBitPosition(static_cast<int32_t>(code)));
            if (p >= work.size())
                continue;
            // Another input that drove the function loses it.
            const int d = fenwa::AssignedNumber(work[p], kInputs);
            if (d != 0 && d != n && static_cast<size_t>(d) <= m_Inputs.size()) {
                if (ZRLongBitField* other = m_Inputs[static_cast<size_t>(d - 1)])
                    other->SetValue(static_cast<int32_t>(static_cast<uint32_t>(other->GetValue()) & ~code));
            }
            work[p] = c;
        }
        for (size_t p = 0; p < work.size(); ++p) {
            if (work[p] != '8' || m_Current[p] == '8')
                continue;
            const std::string name = FunctionName(p);
            const std::string question = platform::core::Format(
                "Removing \"%s\" from selections. This will cause the %s to ALWAYS be ON.\n Are you sure you "
                "want to do this?",
                name.c_str(), name.c_str());
            if (platform::core::MessageBox(question, {},
                                           platform::core::MB_OKCANCEL | platform::core::MB_ICONWARNING) !=
                platform::core::IDOK) {
                work.clear();
                break;
            }
        }
        if (!work.empty()) {
            m_Current = work;
            for (size_t k = 0; k < m_Strings.size(); ++k)
                if (m_Strings[k])
                    m_Strings[k]->SetAsString(m_Current.substr(k * kAssignmentLength, kAssignmentLength));
        }
    }
    // Cancelled: the inputs show the unchanged assignment again.
    if (work.empty())
        RebuildInputs();
}

void FenwaInputUpdateMgr::ParameterChanged(size_t k) {
    const std::string text = TextOf(k, true);
    m_Current.replace(k * kAssignmentLength, kAssignmentLength, text);
    RebuildInputs();
}

void FenwaInputUpdateMgr::RebuildInputs() {
    Raised raised(m_bUpdating);
    std::vector<uint32_t> values(m_Inputs.size(), 0);
    for (size_t p = 0; p < m_Current.size() && p < 32; ++p) {
        const int d = fenwa::AssignedNumber(m_Current[p], kInputs);
        if (d == 0 || static_cast<size_t>(d) > m_Inputs.size() || !m_Inputs[static_cast<size_t>(d - 1)])
            continue;
        const uint32_t code = uint32_t{1} << p;
        if (m_Inputs[static_cast<size_t>(d - 1)]->GetIndex(static_cast<int32_t>(code)) >= 0)
            values[static_cast<size_t>(d - 1)] |= code;
    }
    for (size_t i = 0; i < m_Inputs.size(); ++i)
        if (m_Inputs[i])
            m_Inputs[i]->SetValue(static_cast<int32_t>(values[i]));
}
