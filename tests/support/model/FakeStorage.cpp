#include "support/model/FakeStorage.h"

#include <algorithm>

namespace {
const char* const kNoObject = "Object doesn't exist";
const char* const kNoData = "Data doesn't exist";
} // namespace

bool FakeStorage::Enter(const char* operation) {
    ++m_Calls[operation];
    ++m_Total;
    if (m_Error && (m_ErrorOperation.empty() || m_ErrorOperation == operation)) {
        ZRError error = *m_Error;
        m_Error.reset();
        throw error;
    }
    return m_Refuse.erase(operation) == 0;
}

void FakeStorage::CheckObject(int32_t cls, int32_t instance) const {
    if (requireObjects && !objects.count({cls, instance}))
        throw ZRError(0, kNoObject);
}

template <typename Map> auto& FakeStorage::Find(Map& map, int32_t cls, int32_t instance, int32_t attribute) {
    CheckObject(cls, instance);
    auto it = map.find({cls, instance, attribute});
    if (it == map.end())
        throw ZRError(0, kNoData);
    return it->second;
}

void FakeStorage::FailNext(const ZRError& error, const std::string& operation) {
    m_Error = error;
    m_ErrorOperation = operation;
}

void FakeStorage::RefuseNext(const std::string& operation) {
    m_Refuse.insert(operation);
}

int FakeStorage::Calls(const std::string& operation) const {
    if (operation.empty())
        return m_Total;
    auto it = m_Calls.find(operation);
    return it == m_Calls.end() ? 0 : it->second;
}

void FakeStorage::ResetCalls() {
    m_Calls.clear();
    m_Total = 0;
}

bool FakeStorage::Create(int32_t cls, int32_t& instance) {
    if (!Enter("Create"))
        return false;
    if (instance == 0) {
        instance = 1;
        while (objects.count({cls, instance}))
            ++instance;
    } else if (objects.count({cls, instance})) {
        throw ZRError(0, "Instance already exists.");
    }
    objects.insert({cls, instance});
    return true;
}

bool FakeStorage::Delete(int32_t cls, int32_t instance) {
    if (!Enter("Delete"))
        return false;
    if (!objects.erase({cls, instance}))
        throw ZRError(0, kNoObject);
    auto drop = [&](auto& map) {
        std::erase_if(map, [&](const auto& entry) {
            return std::get<0>(entry.first) == cls && std::get<1>(entry.first) == instance;
        });
    };
    drop(longs);
    drop(floats);
    drop(bools);
    drop(strings);
    drop(binaries);
    return true;
}

bool FakeStorage::GetFreeSpace(int32_t& bytes) {
    if (!Enter("GetFreeSpace"))
        return false;
    bytes = freeSpace;
    return true;
}

bool FakeStorage::GetInstanceList(int32_t cls, Ids& instances) {
    if (!Enter("GetInstanceList"))
        return false;
    for (const Object& object : objects) {
        if (object.first == cls)
            instances.push_back(static_cast<uint32_t>(object.second));
    }
    return true;
}

bool FakeStorage::GetVersion(int32_t cls, int32_t instance, uint32_t& version) {
    if (!Enter("GetVersion"))
        return false;
    auto it = longs.find({cls, instance, 1});
    if (it == longs.end())
        return false;
    version = static_cast<uint32_t>(it->second);
    return true;
}

bool FakeStorage::InvokeService(int32_t cls, int32_t instance, int32_t service, const Bytes& data,
                                std::optional<Bytes>& reply) {
    if (!Enter("InvokeService"))
        return false;
    serviceCalls.push_back({cls, instance, service, data});
    auto it = serviceReplies.find(service);
    if (it != serviceReplies.end())
        reply = it->second;
    return true;
}

bool FakeStorage::ObjectExists(int32_t cls, int32_t instance) {
    if (!Enter("ObjectExists"))
        return false;
    return objects.count({cls, instance}) != 0;
}

bool FakeStorage::ReadBinary(int32_t cls, int32_t instance, int32_t attribute, Bytes& value) {
    if (!Enter("ReadBinary"))
        return false;
    value = Find(binaries, cls, instance, attribute);
    return true;
}

bool FakeStorage::ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) {
    if (!Enter("ReadBool"))
        return false;
    value = Find(bools, cls, instance, attribute);
    return true;
}

bool FakeStorage::ReadFloat(int32_t cls, int32_t instance, int32_t attribute, float& value) {
    if (!Enter("ReadFloat"))
        return false;
    value = Find(floats, cls, instance, attribute);
    return true;
}

bool FakeStorage::ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int size) {
    if (!Enter("ReadLong"))
        return false;
    lastSize = size;
    value = Find(longs, cls, instance, attribute);
    return true;
}

bool FakeStorage::ReadString(int32_t cls, int32_t instance, int32_t attribute, std::string& value) {
    if (!Enter("ReadString"))
        return false;
    value = Find(strings, cls, instance, attribute);
    return true;
}

bool FakeStorage::ReadUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t& value, int size) {
    if (!Enter("ReadUlong"))
        return false;
    lastSize = size;
    value = static_cast<uint32_t>(Find(longs, cls, instance, attribute));
    return true;
}

bool FakeStorage::WriteBinary(int32_t cls, int32_t instance, int32_t attribute, const Bytes& value) {
    if (!Enter("WriteBinary"))
        return false;
    CheckObject(cls, instance);
    binaries[{cls, instance, attribute}] = value;
    return true;
}

bool FakeStorage::WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) {
    if (!Enter("WriteBool"))
        return false;
    CheckObject(cls, instance);
    bools[{cls, instance, attribute}] = value;
    return true;
}

bool FakeStorage::WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) {
    if (!Enter("WriteFloat"))
        return false;
    CheckObject(cls, instance);
    floats[{cls, instance, attribute}] = value;
    return true;
}

bool FakeStorage::WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int size) {
    if (!Enter("WriteLong"))
        return false;
    CheckObject(cls, instance);
    lastSize = size;
    longs[{cls, instance, attribute}] = value;
    return true;
}

bool FakeStorage::WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) {
    if (!Enter("WriteString"))
        return false;
    CheckObject(cls, instance);
    strings[{cls, instance, attribute}] = value;
    return true;
}

bool FakeStorage::WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) {
    if (!Enter("WriteUlong"))
        return false;
    CheckObject(cls, instance);
    lastSize = size;
    longs[{cls, instance, attribute}] = static_cast<int32_t>(value);
    return true;
}

bool FakeStorage::AddDir(const std::string& path) {
    if (!Enter("AddDir"))
        return false;
    dirs.insert(path);
    return true;
}

bool FakeStorage::DirExists(const std::string& path) {
    if (!Enter("DirExists"))
        return false;
    if (dirs.count(path))
        return true;
    std::string prefix = path + "/";
    return std::any_of(files.begin(), files.end(),
                       [&](const auto& f) { return f.first.starts_with(prefix); });
}

bool FakeStorage::FileExists(const std::string& path) {
    if (!Enter("FileExists"))
        return false;
    return files.count(path) != 0;
}

bool FakeStorage::GetDirList(const std::string& path, Strings& fileNames, Strings& dirNames) {
    if (!Enter("GetDirList"))
        return false;
    std::string prefix = path.empty() ? std::string() : path + "/";
    std::set<std::string> subDirs;
    auto note = [&](const std::string& full, bool isFile) {
        if (!full.starts_with(prefix) || full.size() == prefix.size())
            return;
        std::string rest = full.substr(prefix.size());
        size_t slash = rest.find('/');
        if (slash == std::string::npos && isFile)
            fileNames.push_back(rest);
        else
            subDirs.insert(rest.substr(0, slash));
    };
    for (const auto& file : files)
        note(file.first, true);
    for (const std::string& dir : dirs)
        note(dir, false);
    dirNames.insert(dirNames.end(), subDirs.begin(), subDirs.end());
    return true;
}

bool FakeStorage::ReadFile(const std::string& path, Bytes& contents) {
    if (!Enter("ReadFile"))
        return false;
    auto it = files.find(path);
    if (it == files.end())
        throw ZRError(0, kNoData);
    contents = it->second;
    return true;
}

bool FakeStorage::WriteFile(const std::string& path, const Bytes& contents) {
    if (!Enter("WriteFile"))
        return false;
    files[path] = contents;
    return true;
}

bool FakeStorage::RemoveDir(const std::string& path) {
    if (!Enter("RemoveDir"))
        return false;
    std::string prefix = path + "/";
    std::erase_if(files, [&](const auto& f) { return f.first.starts_with(prefix); });
    std::erase_if(dirs, [&](const std::string& d) { return d == path || d.starts_with(prefix); });
    return true;
}

bool FakeStorage::RemoveFile(const std::string& path) {
    if (!Enter("RemoveFile"))
        return false;
    if (!files.erase(path))
        throw ZRError(0, kNoData);
    return true;
}

bool FakeStorage::Rename(const std::string& oldPath, const std::string& newPath) {
    if (!Enter("Rename"))
        return false;
    auto it = files.find(oldPath);
    if (it != files.end()) {
        Bytes contents = std::move(it->second);
        files.erase(it);
        files[newPath] = std::move(contents);
        return true;
    }
    // A directory: every path under it moves.
    std::string prefix = oldPath + "/";
    std::map<std::string, Bytes> moved;
    for (auto f = files.begin(); f != files.end();) {
        if (f->first.starts_with(prefix)) {
            moved[newPath + "/" + f->first.substr(prefix.size())] = std::move(f->second);
            f = files.erase(f);
        } else {
            ++f;
        }
    }
    files.merge(moved);
    if (dirs.erase(oldPath))
        dirs.insert(newPath);
    return true;
}

void FakeStorage::SetBaseDir(const std::string& dir) {
    Enter("SetBaseDir");
    ZRStorage::SetBaseDir(dir);
}
