#include "tests/support/wire/TarvikAutotunePlay.h"
#include "tests/support/wire/TarvikDriveSim.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play, e.g. sim.AddPlay<TarvikAutotunePlay>();
    (void)sim;
    sim.AddPlay<TarvikAutotunePlay>();
}

} // namespace wiresim
