// Text helpers. Model text is std::string holding Windows code page 1252 bytes.
#pragma once

#include <cstdarg>
#include <iosfwd>
#include <string>
#include <string_view>

namespace platform::core {

// printf-style formatting. Numbers use the "C" locale as long as LC_NUMERIC is "C",
// which the program restores after the toolkit starts.
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
std::string FormatV(const char* fmt, va_list args);

std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
std::string Trim(std::string_view s);

// ASCII-only case mapping, as the drives' texts are ASCII.
std::string ToUpper(std::string_view s);
std::string ToLower(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);

// Code page 1252 <-> UTF-8 at the edges (toolkit, database text columns, terminal).
// Characters without a 1252 code become '?'.
std::string Cp1252ToUtf8(std::string_view cp1252);
std::string Utf8ToCp1252(std::string_view utf8);
// For names, which must never change silently: false (and cp1252 untouched) when the text is not
// UTF-8 or holds a character without a 1252 code.
bool TryUtf8ToCp1252(std::string_view utf8, std::string& cp1252);

// Reads one line and drops a trailing CR, so files written on Windows read like ours.
bool ReadLine(std::istream& in, std::string& line);

} // namespace platform::core
