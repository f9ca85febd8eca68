#include "quorvance/tarvik/ZRCurrentScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRCurrentScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.currentPrecision};
}

int ZRCurrentScale::GetPrecision() {
    return IsConnected() ? Precision(Subjects().currentPrecision, 1) : 1;
}

bool ZRCurrentScale::GetScaleFactor(double& factor) {
    factor = 128.0;
    return true;
}
