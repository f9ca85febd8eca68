#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikScopePlay.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play, e.g. sim.AddPlay<TarvikAutotunePlay>();
    (void)sim;
    sim.AddPlay<TarvikScopePlay>();
}

} // namespace wiresim
