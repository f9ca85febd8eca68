// The smart encoder behind a simulated Tarvik drive: its memory areas, which the configure command
// sets up and the write-memory command fills byte by byte, and the drive's commutation start-up,
// which runs when the drive is enabled in its velocity panel mode and leaves the measured offset.
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <array>
#include <map>
#include <mutex>

namespace wiresim {

class TarvikEncoderMemoryPlay : public TarvikSimPlay {
public:
    using Memory = std::array<uint8_t, 128>; // four blocks of 32 bytes

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;
    void Reset(uint8_t node) override;

    // The offset the start-up measures, and how many reads of the operating mode it lasts
    // (a start-up that never ends: -1).
    void SetStartup(uint32_t measuredOffset, int reads);

    Memory Contents(uint8_t node) const;
    int MemoryWrites(uint8_t node) const;
    // Every request the node got, the programming's or not.
    int Requests(uint8_t node) const;

private:
    struct Encoder {
        Memory memory{};
        int writes = 0;
        int requests = 0;
        int startupLeft = 0; // reads of the operating mode until the start-up ends; -1 never
        bool inStartup = false;
    };
    void StartStartup(Encoder& encoder, TarvikSimValues& drive);

    mutable std::mutex m_mutex;
    std::map<uint8_t, Encoder> m_encoders;
    uint32_t m_measured = 100;
    int m_startupReads = 3;
};

} // namespace wiresim
