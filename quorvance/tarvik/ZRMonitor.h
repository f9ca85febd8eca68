#pragma once

#include "kitbase/model/ZRObject.h"

class ZRBaseCommand;

// The monitor of a drive: carries no parameters of its own, only the drive's reset-peaks command
// for the monitor window's reset button. Its parent is the drive, which owns it outside the
// children list.
class ZRMonitor : public ZRObject {
public:
    static constexpr int32_t kType = -161;

    ZRMonitor() = default;

    void Init() override;

    // Not owned: the command belongs to the drive. Null for families without one.
    void SetResetPeaks(ZRBaseCommand* command) { m_pResetPeaks = command; }
    ZRBaseCommand* GetResetPeaks() const { return m_pResetPeaks; }

private:
    ZRBaseCommand* m_pResetPeaks = nullptr;
};
