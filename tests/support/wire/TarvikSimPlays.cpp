#include "tests/support/wire/TarvikAutotunePlay.h"
#include "tests/support/wire/TarvikBootPlay.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikEncoderTestPlay.h"
#include "tests/support/wire/TarvikEncoderMemoryPlay.h"
#include "tests/support/wire/TarvikFaultPlay.h"
#include "tests/support/wire/TarvikInputsPlay.h"
#include "tests/support/wire/TarvikRecoveryPlay.h"
#include "tests/support/wire/TarvikScopePlay.h"

namespace wiresim {

void InstallStandardPlays(TarvikDriveSim& sim) {
    // One line a play. A drive that has lost its settings is silent to the others too: it goes first.
    sim.AddPlay<TarvikRecoveryPlay>(sim);
    sim.AddPlay<TarvikEncoderTestPlay>();
    sim.AddPlay<TarvikEncoderMemoryPlay>();
    sim.AddPlay<TarvikAutotunePlay>();
    sim.AddPlay<TarvikFaultPlay>();
    sim.AddPlay<TarvikInputsPlay>();
    sim.AddPlay<TarvikScopePlay>();
    sim.AddPlay<TarvikBootPlay>();
}

} // namespace wiresim
