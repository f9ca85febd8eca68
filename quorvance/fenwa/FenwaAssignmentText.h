#pragma once

#include <cstddef>
#include <string>

// The four-character assignment parameters of the digital inputs and outputs: each character names
// the input or output that carries one function. Their texts come from the drive, a project or an
// imported file, so nothing may assume their length.
namespace fenwa {

inline constexpr size_t kAssignmentLength = 4;

// The text itself when it is four printable characters (no ':', which no drive reply can hold),
// else the fallback; malformed, when given, says which.
std::string NormalisedAssignment(const std::string& text, const std::string& fallback,
                                 bool* malformed = nullptr);

// The number 1 to highest that the character names; 0 for any other character.
int AssignedNumber(char c, int highest);

// The character of the text at the position as a number 1 to highest (AssignedNumber); 0 past its end.
int AssignedNumberAt(const std::string& text, size_t position, int highest);

// Tells the user that the parameter's text was not taken and what stands in for it.
void ReportMalformedAssignment(const std::string& name, const std::string& text, const std::string& used);

} // namespace fenwa
