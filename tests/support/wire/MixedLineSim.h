// Tarvik and Fenwa drives on one line, as a scan meets them: every byte reaches both families'
// drives, and each answers only the frames of its own protocol and nodes.
#pragma once

#include "tests/support/wire/FenwaDriveSim.h"
#include "tests/support/wire/TarvikDriveSim.h"

namespace wiresim {

class MixedLineSim : public TarvikDriveSim {
public:
    MixedLineSim(std::set<uint8_t> tarvikNodes, std::set<uint8_t> fenwaNodes);
    ~MixedLineSim() override;

    FenwaDriveSim& Fenwa() { return m_fenwa; }

private:
    FenwaDriveSim m_fenwa;
};

} // namespace wiresim
