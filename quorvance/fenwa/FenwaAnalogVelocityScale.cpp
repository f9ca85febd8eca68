#include "quorvance/fenwa/FenwaAnalogVelocityScale.h"

FenwaAnalogVelocityScale::~FenwaAnalogVelocityScale() = default;

bool FenwaAnalogVelocityScale::GetScaleFactor(double& factor) {
    FenwaVelocityScale::GetScaleFactor(factor);
    factor *= 10.0;
    return true;
}
