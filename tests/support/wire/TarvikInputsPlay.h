// Digital inputs that change on request, as wiring switched by hand would, and drives that carry a
// SERCOS card: such a drive reports itself SERCOS capable and, unless its option card is disabled
// ("Disable Option Card" 1 at its last reset), runs as a SERCOS drive (product type bit 0x20).
#pragma once

#include "tests/support/wire/TarvikSimPlay.h"

#include <map>
#include <mutex>
#include <set>

namespace wiresim {

class TarvikInputsPlay : public TarvikSimPlay {
public:
    // Input 1 to 8 of the node goes on or off before the node answers its next request.
    void SetInput(uint8_t node, int input, bool on);
    // The node carries a SERCOS card and runs as a SERCOS drive from its next answer on.
    void AddSercosCard(uint8_t node);
    // Whether the node runs as a SERCOS drive now.
    bool IsSercos(uint8_t node) const;

    std::optional<NoxelAnswer> Take(uint8_t node, TarvikSimValues& drive, int parameter, int function,
                                    const std::string& rest) override;
    void After(uint8_t node, TarvikSimValues& drive, int parameter, int function, const std::string& rest) override;
    void Reset(uint8_t node) override;

private:
    struct Pending {
        uint32_t on = 0;
        uint32_t off = 0;
    };
    mutable std::mutex m_mutex;
    std::map<uint8_t, Pending> m_Inputs;
    std::set<uint8_t> m_Cards;
    std::set<uint8_t> m_Sercos;
};

} // namespace wiresim
