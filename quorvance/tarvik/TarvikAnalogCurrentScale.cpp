#include "quorvance/tarvik/TarvikAnalogCurrentScale.h"

using namespace tarvik::units;

int TarvikAnalogCurrentScale::GetPrecision() {
    return ZRCurrentLimitScale::GetPrecision() + 1;
}

bool TarvikAnalogCurrentScale::GetScaleFactor(double& factor) {
    bool ok = ZRCurrentLimitScale::GetScaleFactor(factor);
    if (ok)
        factor *= 10.0;
    return ok;
}
