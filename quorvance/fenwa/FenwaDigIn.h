#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class FenwaInputUpdateMgr;
class ZRBoolAttribute;
class ZRLongBitField;

// A Fenwa drive block: the digital inputs. The drive keeps, per input function, the input that
// drives it in five packed parameters; the user edits the functions of each input, and the block's
// update manager keeps both consistent.
class FenwaDigIn : public ZRObject {
public:
    static constexpr int kInputs = 7;
    static constexpr int kAssignments = 5;

    FenwaDigIn();
    ~FenwaDigIn() override;

    void Init() override;

    // Input n ("Input 1" is n = 1) and its live state; null outside 1 to 7.
    ZRLongBitField* GetInput(int n) const;
    ZRBoolAttribute* GetInputState(int n) const;
    ZRBoolAttribute* GetFaultState() const { return m_pFaultState.get(); }
    // Assignment parameter k ("Pr-0.05" is k = 0); null outside 0 to 4.
    ZRStringAttribute* GetAssignment(int k) const;
    // "Pr-0.05": its fourth character names the input of "Drive Enable".
    ZRStringAttribute* GetEnableAssignment() const { return m_Assignments[0].get(); }
    // "Pr-0.06": its first character names the input of "Operation Mode Override".
    ZRStringAttribute* GetOverrideAssignment() const { return m_Assignments[1].get(); }
    // The input (1 to 7) that drives the function, 0 when none does ('0', '8', anything else, or a
    // text that is not an assignment).
    int GetEnableInput() const;
    int GetOverrideInput() const;
    FenwaInputUpdateMgr& GetUpdateMgr() const { return *m_pUpdateMgr; }

private:
    std::array<std::unique_ptr<ZRStringAttribute>, kAssignments> m_Assignments;
    std::unique_ptr<ZRBoolAttribute> m_pFaultState;
    std::array<std::unique_ptr<ZRLongBitField>, kInputs> m_Inputs;
    std::array<std::unique_ptr<ZRBoolAttribute>, kInputs> m_States;
    // Last, so it stops observing before the attributes go.
    std::unique_ptr<FenwaInputUpdateMgr> m_pUpdateMgr;
};
