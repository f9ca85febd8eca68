#include "kitbase/model/ZRStorage.h"

#include <cstring>

bool ZRStorage::AddDir(const std::string&) {
    return false;
}
bool ZRStorage::DirExists(const std::string&) {
    return false;
}
bool ZRStorage::FileExists(const std::string&) {
    return false;
}
bool ZRStorage::GetDirList(const std::string&, Strings&, Strings&) {
    return false;
}
bool ZRStorage::ObjectExists(int32_t, int32_t) {
    return false;
}
bool ZRStorage::ReadBinary(int32_t, int32_t, int32_t, Bytes&) {
    return false;
}
bool ZRStorage::ReadFile(const std::string&, Bytes&) {
    return false;
}
bool ZRStorage::RemoveDir(const std::string&) {
    return false;
}
bool ZRStorage::RemoveFile(const std::string&) {
    return false;
}
bool ZRStorage::Rename(const std::string&, const std::string&) {
    return false;
}
void ZRStorage::SetBaseDir(const std::string& dir) {
    m_BaseDir = dir;
}
bool ZRStorage::WriteBinary(int32_t, int32_t, int32_t, const Bytes&) {
    return false;
}
bool ZRStorage::WriteFile(const std::string&, const Bytes&) {
    return false;
}

int32_t ZRStorage::ExtractLong(const uint8_t* p) {
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(v);
}

float ZRStorage::ExtractFloat(const uint8_t* p) {
    uint32_t bits = static_cast<uint32_t>(ExtractLong(p));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::string ZRStorage::ExtractString(const uint8_t*& p, const uint8_t* end) {
    const uint8_t* q = p;
    while ((!end || q < end) && *q != 0)
        ++q;
    std::string text(reinterpret_cast<const char*>(p), size_t(q - p));
    p = (end && q >= end) ? end : q + 1;
    return text;
}
