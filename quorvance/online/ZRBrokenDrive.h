#pragma once

#include "kitbase/model/ZRObject.h"

// The placeholder of an on-line drive whose firmware is missing, too old or reports a power-up
// error: it stands under "On-Line Drives" with the drive's node in its name so that firmware can be
// loaded into it. Each family gives it its own type id.
class ZRBrokenDrive : public ZRObject {
public:
    ZRBrokenDrive() = default;

    // The name lives in the object only: nothing is read from a drive without usable firmware.
    void Init() override;

    bool IsSercos() const { return m_bSercos; }
    void SetSercos(bool sercos) { m_bSercos = sercos; }

private:
    bool m_bSercos = false;
};
