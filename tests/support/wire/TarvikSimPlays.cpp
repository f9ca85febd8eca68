#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikInputsPlay.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play, e.g. sim.AddPlay<TarvikAutotunePlay>();
    sim.AddPlay<TarvikInputsPlay>();
}

} // namespace wiresim
