// Model text is code page 1252; the toolkit speaks Unicode. These convert at that edge only.
#pragma once

#include <string>
#include <string_view>

class QString;

namespace platform::ui {

QString ToQString(std::string_view cp1252);
// Characters without a 1252 code become '?'.
std::string FromQString(const QString& text);

} // namespace platform::ui
