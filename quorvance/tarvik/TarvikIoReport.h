#pragma once

#include <initializer_list>
#include <string>

class ZRLongBitField;

namespace tarvik {

// The report block of a digital I/O node: under the title, each assignment's name and the
// functions assigned to it, or "Unassigned".
void ReportAssignments(std::string& text, const char* title, std::initializer_list<ZRLongBitField*> assignments);

} // namespace tarvik
