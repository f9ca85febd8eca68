#include "tests/support/wire/MixedLineSim.h"

namespace wiresim {

MixedLineSim::MixedLineSim(std::set<uint8_t> tarvikNodes, std::set<uint8_t> fenwaNodes)
    : TarvikDriveSim(std::move(tarvikNodes)), m_fenwa(std::move(fenwaNodes)) {
    AddGuest(m_fenwa);
}

MixedLineSim::~MixedLineSim() {
    // The line's thread feeds the Fenwa drives: it ends before they go.
    Stop();
}

} // namespace wiresim
