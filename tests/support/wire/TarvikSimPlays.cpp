#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikFaultPlay.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play, e.g. sim.AddPlay<TarvikAutotunePlay>();
    sim.AddPlay<TarvikFaultPlay>();
}

} // namespace wiresim
