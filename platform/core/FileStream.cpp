#include "platform/core/FileStream.h"

#include "platform/core/FileSystem.h"

namespace platform::core {

std::ifstream OpenInputFile(const std::string& path, std::ios::openmode mode) {
    return std::ifstream(FileSystem::SystemName(path), mode | std::ios::in);
}

std::ofstream OpenOutputFile(const std::string& path, std::ios::openmode mode) {
    return std::ofstream(FileSystem::SystemName(path), mode | std::ios::out);
}

} // namespace platform::core
