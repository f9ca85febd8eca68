#pragma once

#include "platform/core/Observer.h"

#include <string>
#include <vector>

class ZRLongBitField;
class ZRStringAttribute;

// Keeps the per-input function attributes of the digital inputs and the drive's packed assignment
// parameters consistent. Character p of the assignment text (the parameters read in order) names
// the input that drives the function of data code 2^p: '1' to '7', '0' off, '8' always on.
class FenwaInputUpdateMgr : public platform::core::Observer {
public:
    static constexpr int kInputs = 7;

    FenwaInputUpdateMgr();
    ~FenwaInputUpdateMgr() override;
    FenwaInputUpdateMgr(const FenwaInputUpdateMgr&) = delete;
    FenwaInputUpdateMgr& operator=(const FenwaInputUpdateMgr&) = delete;

    // The parameter's four characters follow the ones registered before; its default text gives
    // the characters its functions return to when no input drives them.
    void AddString(ZRStringAttribute* parameter, const std::string& defaultText);
    // Input n is the n-th registered.
    void AddInput(ZRLongBitField* input);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    const std::string& GetCurrentText() const { return m_Current; }
    const std::string& GetDefaultText() const { return m_Default; }

private:
    // The user changed the functions of input n (1-based).
    void InputChanged(int n);
    // Parameter k (0-based) was read or written.
    void ParameterChanged(size_t k);
    // Every input from the current text.
    void RebuildInputs();
    // The four characters parameter k stands for; a malformed text is reported and stands for its default.
    std::string TextOf(size_t k, bool report);
    // The function name of position p, from the inputs' table.
    std::string FunctionName(size_t p) const;

    std::string m_Current;
    std::string m_Default;
    std::vector<ZRStringAttribute*> m_Strings;
    std::vector<ZRLongBitField*> m_Inputs;
    // Raised while the manager writes, so the updates its own writes cause are ignored. One per
    // manager: another drive's values must still be taken while this one asks the user.
    bool m_bUpdating = false;
};
