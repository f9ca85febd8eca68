#pragma once

#include <cstdint>
#include <string>

class ZRAttribute;
class ZRObject;

// The attributes of a drive and its blocks that the scale and units models read. Any may be null
// (a block without the attribute): the models then use the neutral value.
struct TarvikUnitSubjects {
    // Drive.
    ZRAttribute* displayedUnits = nullptr;
    ZRAttribute* velocityPrecision = nullptr;
    ZRAttribute* positionPrecision = nullptr;
    ZRAttribute* accelerationPrecision = nullptr;
    ZRAttribute* currentPrecision = nullptr;
    ZRAttribute* velocityScale = nullptr;
    ZRAttribute* positionScale = nullptr;
    ZRAttribute* accelerationScale = nullptr;
    ZRAttribute* velocityLabel = nullptr;
    ZRAttribute* positionLabel = nullptr;
    ZRAttribute* accelerationLabel = nullptr;
    ZRAttribute* currentLabel = nullptr;
    ZRAttribute* auxVelocityScale = nullptr;
    ZRAttribute* auxPositionScale = nullptr;
    ZRAttribute* auxAccelerationScale = nullptr;
    ZRAttribute* auxVelocityLabel = nullptr;
    ZRAttribute* auxPositionLabel = nullptr;
    ZRAttribute* auxAccelerationLabel = nullptr;
    // Motor.
    ZRAttribute* motorType = nullptr;
    ZRAttribute* encoder = nullptr;
    ZRAttribute* linesRevolution = nullptr;
    ZRAttribute* linesMeter = nullptr;
    ZRAttribute* maximumSpeed = nullptr;       // RPM
    ZRAttribute* maximumSpeedLinear = nullptr; // m/s
    ZRAttribute* intermittentCurrent = nullptr;
    ZRAttribute* gearBox = nullptr;
    ZRAttribute* gearNumerator = nullptr;
    ZRAttribute* gearDenominator = nullptr;
    // Encoders.
    ZRAttribute* feedbackSource = nullptr;
    ZRAttribute* interpolation = nullptr;
    ZRAttribute* auxType = nullptr;
    ZRAttribute* auxLinesRevolution = nullptr;
    ZRAttribute* auxLinesMeter = nullptr;
    // Service information and analog output.
    ZRAttribute* driveSize = nullptr;
    ZRAttribute* signal = nullptr;

    // Taken from the drive and its blocks; all null for an object that is no Tarvik drive.
    static TarvikUnitSubjects Of(ZRObject* drive);
};

// How the models read their subjects and the quantities the factors are built from.
namespace tarvik::units {

// Values of "Displayed Units".
inline constexpr int32_t kMetric = 0;
inline constexpr int32_t kEnglish = 1;
inline constexpr int32_t kUser = 2;
// Inches per metre, and the exact reciprocal the drive's tools use.
inline constexpr double kInchesPerMeter = 39.37;
inline constexpr double kMetersPerInch = 0.025400050800101603;

// The option value of a selection's choice; -1 without attribute or choice.
int32_t OptionValue(ZRAttribute* attribute);
// The display value of a numeric, float or boolean attribute; the fallback without one.
double Number(ZRAttribute* attribute, double fallback = 0.0);
// The stored (drive) value of a numeric attribute.
double InternalNumber(ZRAttribute* attribute, double fallback = 0.0);
std::string Text(ZRAttribute* attribute);
int Precision(ZRAttribute* attribute, int fallback);

// Peak current in amperes of a "Drive Size" value.
double PeakCurrent(int32_t driveSize);
// The factor of a ratio, or failure (and 1.0) for a zero or non-finite result.
bool Checked(double value, double& factor);

// A feedback device: its type text, its lines and the interpolation multiplier.
struct Feedback {
    std::string type;
    double linesRevolution = 0.0;
    double linesMeter = 0.0;
    double interpolation = 1.0;
};
// The motor encoder; false when the interpolation choice is outside the table.
bool MotorFeedback(const TarvikUnitSubjects& s, Feedback& feedback);
Feedback AuxFeedback(const TarvikUnitSubjects& s);
bool AuxSource(const TarvikUnitSubjects& s);

// Counts per second per display velocity unit, and per display acceleration unit, of a device in
// Metric or English units; 1 for other unit systems.
double VelocityFactor(const Feedback& feedback, int32_t system);
double AccelFactor(const Feedback& feedback, int32_t system);
// The motor's maximum speed by its type, 1.0 for an unknown type.
double MaximumSpeed(const TarvikUnitSubjects& s, const std::string& type);
// Counts per second per unit of maximum speed: Lr / 15, 4 x Lm or 1.
double SpeedResolution(const Feedback& feedback);

// Unit texts of velocity and acceleration by type and system; empty for unknown ones.
std::string VelocityText(const std::string& type, int32_t system);
std::string AccelText(const std::string& type, int32_t system);
std::string PerVolt(const std::string& text);

// Signal groups of the analog output.
enum class SignalGroup { Position, Velocity, Current, Other };
SignalGroup GroupOf(int32_t signal);

} // namespace tarvik::units
