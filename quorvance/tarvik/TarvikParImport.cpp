#include "quorvance/tarvik/TarvikParImport.h"

#include "kitbase/model/ZRUlongAttribute.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZROlbraConverter.h"

#include <cmath>

namespace tarvik {

double MotorLinesRevolution(ZRObject* block) {
    auto* drive = dynamic_cast<ZRDrive*>(DriveOf(block));
    ZRMotorTarvik* motor = drive ? drive->GetMotor() : nullptr;
    ZRUlongAttribute* lines = motor ? motor->GetLinesRevolution() : nullptr;
    if (!lines)
        return 0.0;
    const double value = lines->GetValue();
    return std::isfinite(value) ? value : 0.0;
}

int32_t LimitedValue(double x, double lo, ZROlbraConverter& file, const std::string& warning) {
    constexpr double kMax = 2147483647.0;
    if (x > kMax) {
        file.AppendLog(warning + "max allowed.");
        return static_cast<int32_t>(kMax);
    }
    // An unsigned value between -1 and 0 truncates to 0 and is in range. The test also catches a
    // value that is no number at all.
    const bool below = lo < 0 ? !(x >= lo) : !(x > lo - 1);
    if (below) {
        file.AppendLog(warning + "min allowed.");
        return static_cast<int32_t>(lo);
    }
    return static_cast<int32_t>(x);
}

} // namespace tarvik
