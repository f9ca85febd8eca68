#include "quorvance/tarvik/TarvikAnalogPositionScale.h"

using namespace tarvik::units;

int TarvikAnalogPositionScale::GetPrecision() {
    return IsConnected() ? ZRFBPositionScale::GetPrecision() + 1 : 1;
}
