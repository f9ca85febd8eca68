// Standard file streams opened by a model name (code page 1252), so nothing above this layer hands
// a name to the system itself.
#pragma once

#include <fstream>
#include <string>

namespace platform::core {

std::ifstream OpenInputFile(const std::string& path, std::ios::openmode mode = std::ios::in);
std::ofstream OpenOutputFile(const std::string& path, std::ios::openmode mode = std::ios::out);

} // namespace platform::core
