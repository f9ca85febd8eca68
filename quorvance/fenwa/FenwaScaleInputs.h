#pragma once

#include <cstdint>
#include <string>
#include <vector>

class FenwaDrive;
class ZRAttribute;
class ZRObject;

// The drive and motor values the drive's scale and units models read. Any may be null (a motor
// block without the value): the models then read the neutral value.
struct FenwaScaleInputs {
    // Drive.
    ZRAttribute* displayedUnits = nullptr;
    ZRAttribute* positionScale = nullptr;
    ZRAttribute* velocityScale = nullptr;
    ZRAttribute* accelerationScale = nullptr;
    ZRAttribute* positionLabel = nullptr;
    ZRAttribute* velocityLabel = nullptr;
    ZRAttribute* accelerationLabel = nullptr;
    // Motor block, found by attribute id.
    ZRAttribute* motorType = nullptr;
    ZRAttribute* maximumSpeedRpm = nullptr;
    ZRAttribute* maximumSpeedLinear = nullptr; // meters per second
    ZRAttribute* continuousCurrent = nullptr;

    // All null without a drive.
    static FenwaScaleInputs Of(FenwaDrive* drive);
};

// How the models read their inputs.
namespace fenwa::units {

// The drive as the models' owner object.
ZRObject* ObjectOf(FenwaDrive* drive);

// Option values of "Displayed Units".
inline constexpr int32_t kMetric = 0;
inline constexpr int32_t kEnglish = 1;
inline constexpr int32_t kUser = 2;

// The option value of the selection's choice; -1 without attribute or choice.
int32_t OptionValue(ZRAttribute* attribute);
// The display value of a number or float attribute; the fallback without one.
double Number(ZRAttribute* attribute, double fallback = 0.0);
// The display text; empty without attribute.
std::string Text(ZRAttribute* attribute);
bool IsLinear(ZRAttribute* motorType);
bool IsRotary(ZRAttribute* motorType);
// The factor, or failure (1.0) when it is zero or not finite: nothing is ever divided by it then.
bool Checked(double value, double& factor);

} // namespace fenwa::units
