#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class FenwaIOUpdateMgr;
class ZRBoolAttribute;
class ZRIndexSelection;
class ZRUlongAttribute;

// A Fenwa drive block: the three digital outputs and the brake delays. The drive keeps, per output
// function, the output that carries it in three packed parameters; the user picks one function per
// output, and the block's update manager keeps both consistent.
class FenwaDigOut : public ZRObject {
public:
    static constexpr int kOutputs = 3;
    static constexpr int kAssignments = 3;

    FenwaDigOut();
    ~FenwaDigOut() override;

    void Init() override;

    // Output n ("Output 1" is n = 1) and its live state; null outside 1 to 3.
    ZRIndexSelection* GetOutput(int n) const;
    ZRBoolAttribute* GetOutputState(int n) const;
    // Assignment parameter k ("Pr-0.10" is k = 0); null outside 0 to 2.
    ZRStringAttribute* GetAssignment(int k) const;
    ZRUlongAttribute* GetBrakeActiveDelay() const { return m_pBrakeActiveDelay.get(); }
    ZRUlongAttribute* GetBrakeInactiveDelay() const { return m_pBrakeInactiveDelay.get(); }
    FenwaIOUpdateMgr& GetUpdateMgr() const { return *m_pUpdateMgr; }

private:
    std::array<std::unique_ptr<ZRStringAttribute>, kAssignments> m_Assignments;
    std::unique_ptr<ZRUlongAttribute> m_pBrakeActiveDelay;
    std::unique_ptr<ZRUlongAttribute> m_pBrakeInactiveDelay;
    std::array<std::unique_ptr<ZRIndexSelection>, kOutputs> m_Outputs;
    std::array<std::unique_ptr<ZRBoolAttribute>, kOutputs> m_States;
    // Last, so it stops observing before the attributes go.
    std::unique_ptr<FenwaIOUpdateMgr> m_pUpdateMgr;
};
