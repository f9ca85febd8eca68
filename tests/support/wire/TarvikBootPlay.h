// A simulated Tarvik drive's firmware download: the upgrade mode (parameter 212 on firmware up to
// 1.43.0, 471 from 1.43.1 on), the flash erase (213) and programming (214) into a flash image,
// and the reset (106) that starts the programmed firmware.
//
// A node in boot mode has no valid main firmware: its product type lacks 0x08, so the program
// makes a placeholder of it. After a download, upgrade mode left and a reset, it runs the new
// firmware: the version set by the test, or else the one the image holds at kVersionAddress
// (major, minor, build bytes).
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <map>
#include <mutex>
#include <set>

namespace wiresim {

class TarvikBootPlay : public TarvikSimPlay {
public:
    using Image = std::map<uint32_t, uint8_t>; // flash address -> byte; absent bytes are erased
    static constexpr uint32_t kVersionAddress = 0x0100;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function,
               const std::string& rest) override;

    void SetBootMode(uint8_t node, bool boot);
    bool IsBootMode(uint8_t node) const;
    // The firmware (major << 16 | minor << 8 | build) the node runs after its download; 0: the image's.
    void SetNextFirmware(uint8_t node, uint32_t version);

    int Erases(uint8_t node) const;
    // The area byte of the last erase (0 lower, 1 upper), -1 before any.
    int EraseArea(uint8_t node) const;
    int Programs(uint8_t node) const;
    int Resets(uint8_t node) const;
    Image Flash(uint8_t node) const;

private:
    struct Node {
        bool boot = false;
        uint32_t nextFirmware = 0;
        int erases = 0;
        int eraseArea = -1;
        int programs = 0;
        int resets = 0;
        Image flash;
    };
    const Node* Find(uint8_t node) const;
    // Starts the programmed firmware when a download went through.
    void Restart(Node& state, TarvikSimValues& drive);

    mutable std::mutex m_mutex;
    std::map<uint8_t, Node> m_nodes;
};

} // namespace wiresim
