#include "kitbase/model/ZRScale.h"

#include "kitbase/model/ZRUpdate.h"

bool ZRScale::ScaleValue(double& value) {
    double factor = 0.0;
    if (!GetScaleFactor(factor))
        return false;
    value /= factor;
    return true;
}

bool ZRScale::UnscaleValue(double& value) {
    double factor = 0.0;
    if (!GetScaleFactor(factor))
        return false;
    value *= factor;
    return true;
}

void ZRScale::OnUpdate(platform::core::Subject*, platform::core::Message*) {}

ZRScale::~ZRScale() { Notify(ZRUpdate::Destroying); }
