#include "tests/support/wire/TarvikDriveSim.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play, e.g. sim.AddPlay<TarvikAutotunePlay>();
    (void)sim;
}

} // namespace wiresim
