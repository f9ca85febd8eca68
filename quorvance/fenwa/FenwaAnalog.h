#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>

class FenwaCommand;
class ZRLongAttribute;

// A Fenwa drive block: the analog command input. The scaling and offsets of the velocity and current
// command inputs, the live readings, and the drive commands that remove or trim the input offsets.
// A child of the operation-modes block; the drive is its grandparent.
class FenwaAnalog : public ZRObject {
public:
    // The drive commands in their list order.
    enum Command : int {
        RemoveVelocityOffset, // "TAT" "03"
        RemoveCurrentOffset,  // "TAT" "04"
        IncreaseVelocityOffset,
        DecreaseVelocityOffset,
        IncreaseCurrentOffset,
        DecreaseCurrentOffset,
        EndVelocityOffsetTrim, // "TMN" "03", sent after each velocity trim
        EndCurrentOffsetTrim,  // "TMN" "06", sent after each current trim
        kCommandCount
    };

    FenwaAnalog();
    ~FenwaAnalog() override;

    void Init() override;

    ZRLongAttribute* GetVelocityScale() const { return m_pVelocityScale.get(); }
    ZRLongAttribute* GetCurrentScale() const { return m_pCurrentScale.get(); }
    // The stored offsets.
    ZRLongAttribute* GetVelocityCommandOffset() const { return m_pVelocityOffset.get(); }
    ZRLongAttribute* GetCurrentCommandOffset() const { return m_pCurrentOffset.get(); }
    // The offsets the drive measures.
    ZRLongAttribute* GetMeasuredVelocityOffset() const { return m_pMeasuredVelocityOffset.get(); }
    ZRLongAttribute* GetMeasuredCurrentOffset() const { return m_pMeasuredCurrentOffset.get(); }
    // The input readings, in no list of the block.
    ZRLongAttribute* GetAnalogCommandVelocity() const { return m_pCommandVelocity.get(); }
    ZRLongAttribute* GetAnalogCommandCurrent() const { return m_pCommandCurrent.get(); }
    FenwaCommand& GetCommand(Command command) const { return *m_Commands.at(command); }

private:
    void BindVelocityScale();

    std::unique_ptr<ZRLongAttribute> m_pVelocityScale;
    std::unique_ptr<ZRLongAttribute> m_pCurrentScale;
    std::unique_ptr<ZRLongAttribute> m_pVelocityOffset;
    std::unique_ptr<ZRLongAttribute> m_pCurrentOffset;
    std::unique_ptr<ZRLongAttribute> m_pMeasuredVelocityOffset;
    std::unique_ptr<ZRLongAttribute> m_pMeasuredCurrentOffset;
    std::unique_ptr<ZRLongAttribute> m_pCommandVelocity;
    std::unique_ptr<ZRLongAttribute> m_pCommandCurrent;
    std::array<std::unique_ptr<FenwaCommand>, kCommandCount> m_Commands;
};
