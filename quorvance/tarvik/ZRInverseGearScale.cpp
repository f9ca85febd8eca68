#include "quorvance/tarvik/ZRInverseGearScale.h"

using namespace tarvik::units;

bool ZRInverseGearScale::GetScaleFactor(double& factor) {
    return Ratio(true, factor);
}
