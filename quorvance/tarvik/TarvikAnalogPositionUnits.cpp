#include "quorvance/tarvik/TarvikAnalogPositionUnits.h"

using namespace tarvik::units;

std::string TarvikAnalogPositionUnits::GetUnits() {
    return IsConnected() ? PerVolt(ZRFBPositionUnits::GetUnits()) : std::string();
}
