#pragma once

#include <array>
#include <cstdint>
#include <span>

// The vocabulary of a Fenwa drive's own parameters, as data: the drive object defines its
// attributes from these rows in their order. Ids are in FenwaIds.h; the blocks' parameters are
// their own.
namespace fenwa {

enum class ParamKind { Ulong, Long, Bool, Float, String, Composite, Selection };
// The drive's scale object (and units object) of the value, if any.
enum class ParamScale { None, Velocity, Acceleration, Position };
// A range tested on the shown value (Plain) or on the stored value, reported in shown units (Scaled).
enum class ParamRange { None, Plain, Scaled };
enum class ParamList { None, Property, Status };

enum ParamFlag : unsigned {
    kHidden = 1,   // hidden when defined
    kObserved = 2, // the drive reacts to its changes
    kReadOnly = 4, // never written
    kStored = 8,   // initial value is a stored (unscaled) number
};

// A value option of a selection: value and text.
struct ParamOption {
    int32_t value;
    const char* text;
};
// A text option: the characters the drive uses and the text shown.
struct ParamTextOption {
    const char* code;
    const char* text;
};

struct DriveParam {
    const char* name; // null for the unnamed values kept in the object
    ParamKind kind;
    int32_t id;       // -1: no id
    int dataSize = 4; // selections: the size of their option values (0: text options)
    bool signedOptions = false;
    const char* units = nullptr; // null: the scale object's units (or none)
    ParamScale scale = ParamScale::None;
    // Units from the drive's user-units object of that kind; units is then the text set before it.
    ParamScale userUnits = ParamScale::None;
    double factor = 1; // stored = shown * factor
    int precision = 0;
    ParamRange range = ParamRange::None;
    double min = 0, max = 0;
    double initial = 0;                // numbers, booleans (0/1) and selection indexes
    const char* initialText = nullptr; // texts and selections chosen by text
    ParamList list = ParamList::None;
    unsigned flags = 0;
    const char* composite = nullptr; // the composite the value is a field of
    int start = 0, length = 0;       // the field's characters
    std::span<const ParamOption> options{};
    std::span<const ParamTextOption> textOptions{};
    const char* falseText = nullptr; // booleans
    const char* trueText = nullptr;
    int paddedLength = 0; // strings
};

inline constexpr int kDriveParamCount = 62;
extern const std::array<DriveParam, kDriveParamCount> kDriveParams;

extern const std::array<ParamOption, 11> kOperationModeOptions;
extern const std::array<ParamOption, 4> kVelocityLimitModeOptions;
extern const std::array<ParamOption, 4> kBrakingOptions;
extern const std::array<ParamOption, 3> kDisplayedUnitsOptions;
extern const std::array<ParamTextOption, 11> kControlModeOptions;
extern const std::array<ParamOption, 5> kOperatingModeOptions;

// The options of "Fault/Warning": "RDY" for no error, then the family fault table.
std::span<const ParamTextOption> FaultWarningOptions();

// The property and status lists of the drive, by name, in order.
extern const std::array<const char*, 31> kDrivePropertyList;
extern const std::array<const char*, 13> kDriveStatusList;
// The name of "In Speed Window" by the selected "Current Operating Mode".
extern const std::array<const char*, 5> kInSpeedWindowNames;
// Values each refreshed when a named value is refreshed.
struct ParamRefresh {
    const char* name;
    std::array<const char*, 2> refreshes;
};
extern const std::array<ParamRefresh, 2> kDriveRefreshLists;

// The name attribute's length limit; the name is unique among the parent's drives.
inline constexpr int kDriveNameMaxLength = 32;

} // namespace fenwa
