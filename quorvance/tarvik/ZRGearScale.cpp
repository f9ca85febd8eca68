#include "quorvance/tarvik/ZRGearScale.h"

using namespace tarvik::units;

std::vector<ZRAttribute*> ZRGearScale::Observed(const TarvikUnitSubjects& s) const {
    return {s.gearBox, s.gearNumerator, s.gearDenominator};
}

int ZRGearScale::GetPrecision() {
    return 0;
}

bool ZRGearScale::GetScaleFactor(double& factor) {
    return Ratio(false, factor);
}

bool ZRGearScale::Ratio(bool inverse, double& factor) {
    const TarvikUnitSubjects& s = Subjects();
    if (!IsConnected() || Number(s.gearBox) == 0.0) {
        factor = 1.0;
        return true;
    }
    double numerator = Number(s.gearNumerator, 1.0);
    double denominator = Number(s.gearDenominator, 1.0);
    return Checked(inverse ? numerator / denominator : denominator / numerator, factor);
}
