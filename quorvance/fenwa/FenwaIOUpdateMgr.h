#pragma once

#include "platform/core/Observer.h"

#include <string>
#include <vector>

class ZRIndexSelection;
class ZRStringAttribute;

// Keeps the output selections of the digital outputs and the drive's packed assignment parameters
// consistent. Character p of the assignment text (the parameters read in order) names the output
// ('1' to '3', '0' none) that carries the output function of code p + 1; an output carries at most
// one function.
class FenwaIOUpdateMgr : public platform::core::Observer {
public:
    static constexpr int kOutputs = 3;

    FenwaIOUpdateMgr();
    ~FenwaIOUpdateMgr() override;
    FenwaIOUpdateMgr(const FenwaIOUpdateMgr&) = delete;
    FenwaIOUpdateMgr& operator=(const FenwaIOUpdateMgr&) = delete;

    // The parameter's four characters follow the ones registered before ("0000" until it is read).
    void AddString(ZRStringAttribute* parameter);
    // Output n is the n-th registered; its options' values are the function codes (0 none).
    void AddOutput(ZRIndexSelection* output);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    const std::string& GetCurrentText() const { return m_Current; }

private:
    void OutputChanged(int n);
    void ParameterChanged(size_t k);

    std::string m_Current;
    std::vector<ZRStringAttribute*> m_Strings;
    std::vector<ZRIndexSelection*> m_Outputs;
    // Raised while the manager writes, so the updates its own writes cause are ignored.
    bool m_bUpdating = false;
};
