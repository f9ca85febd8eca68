// The style of one grid cell, and the ids of the cell controls and user attributes the grids use.
#pragma once

#include "platform/ui/Colour.h"

#include <map>
#include <string>

namespace platform::ui {

// Cell control ids. A cell names its control by id; each grid makes the control for an id once.
namespace CellControlId {
inline constexpr int Edit = 52512;
inline constexpr int Static = 52513;
inline constexpr int PushButton = 52514;
inline constexpr int TextCombo = 52517;        // drop-down combo: the value is the text
inline constexpr int BrowseEdit = 52518;       // edit with a browse button
inline constexpr int IndexList = 52525;        // drop-down list: the value is the zero-based index
inline constexpr int OneBasedList = 52526;     // drop-down list: the value is the one-based index
inline constexpr int FindTextCombo = 52527;    // drop-down combo: the entry is found by its text
inline constexpr int OneBasedTextList = 52531; // one-based index, found by the shown text
inline constexpr int IndexTextList = 52532;    // zero-based index, found by the shown text
inline constexpr int Progress = 52536;
inline constexpr int CheckList = 52542; // drop-down check list: the value is the items' bit mask
} // namespace CellControlId

// User attributes that the standard controls read from a cell.
namespace CellAttribute {
inline constexpr int SpinMinimum = 51014;
inline constexpr int SpinMaximum = 51015;
inline constexpr int SpinWrap = 51016;
inline constexpr int SpinStart = 51017;
inline constexpr int ProgressLow = 51025;
inline constexpr int ProgressHigh = 51026;
inline constexpr int ProgressCaption = 51027; // printf format of the value as a long, "%ld %%"
} // namespace CellAttribute

enum class CellAlign : unsigned char { Left, Centre, Right };

struct CellStyle {
    int control = 0; // 0: the grid's default control (an edit)
    std::string value;
    std::string choices;   // choice list: entries each followed by "\n"
    bool readOnly = false; // the user cannot edit; programmatic writes always succeed
    bool bold = false;
    bool wordWrap = false;
    CellAlign align = CellAlign::Left;
    Colour textColour;
    Colour interior;
    std::map<int, std::string> attributes; // user attributes by id

    // The attribute's text, empty when absent.
    const std::string& Attribute(int id) const {
        static const std::string none;
        auto it = attributes.find(id);
        return it == attributes.end() ? none : it->second;
    }
};

} // namespace platform::ui
