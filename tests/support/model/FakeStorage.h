// An in-memory storage for tests of objects, attributes and commands: values by (class, instance,
// attribute), object rows, a small file system and drive services. It counts every call and can be
// told to throw or answer false on a coming call.
#pragma once

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStorage.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>

class FakeStorage : public ZRStorage {
public:
    using Key = std::tuple<int32_t, int32_t, int32_t>; // class, instance, attribute
    using Object = std::pair<int32_t, int32_t>;        // class, instance

    // One drive service call as the storage saw it.
    struct ServiceCall {
        int32_t cls, instance, service;
        Bytes data;
    };

    FakeStorage() = default;
    ~FakeStorage() override = default;

    bool AddDir(const std::string& path) override;
    bool Create(int32_t cls, int32_t& instance) override;
    bool Delete(int32_t cls, int32_t instance) override;
    bool DirExists(const std::string& path) override;
    bool FileExists(const std::string& path) override;
    bool GetDirList(const std::string& path, Strings& files, Strings& dirs) override;
    bool GetFreeSpace(int32_t& bytes) override;
    bool GetInstanceList(int32_t cls, Ids& instances) override;
    bool GetVersion(int32_t cls, int32_t instance, uint32_t& version) override;
    bool InvokeService(int32_t cls, int32_t instance, int32_t service, const Bytes& data,
                       std::optional<Bytes>& reply) override;
    bool ObjectExists(int32_t cls, int32_t instance) override;
    bool ReadBinary(int32_t cls, int32_t instance, int32_t attribute, Bytes& value) override;
    bool ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) override;
    bool ReadFile(const std::string& path, Bytes& contents) override;
    bool ReadFloat(int32_t cls, int32_t instance, int32_t attribute, float& value) override;
    bool ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int size) override;
    bool ReadString(int32_t cls, int32_t instance, int32_t attribute, std::string& value) override;
    bool ReadUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t& value, int size) override;
    bool RemoveDir(const std::string& path) override;
    bool RemoveFile(const std::string& path) override;
    bool Rename(const std::string& oldPath, const std::string& newPath) override;
    void SetBaseDir(const std::string& dir) override;
    bool WriteBinary(int32_t cls, int32_t instance, int32_t attribute, const Bytes& value) override;
    bool WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) override;
    bool WriteFile(const std::string& path, const Bytes& contents) override;
    bool WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) override;
    bool WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int size) override;
    bool WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) override;
    bool WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) override;

    // The next call of the operation (by its name, e.g. "ReadLong"; empty: any operation) throws
    // the error instead of running.
    void FailNext(const ZRError& error, const std::string& operation = {});
    // The next call of the operation answers false and changes nothing.
    void RefuseNext(const std::string& operation);

    // Calls of an operation so far (empty name: all calls).
    int Calls(const std::string& operation = {}) const;
    void ResetCalls();

    // Stored values; tests may read and seed them directly (no call is counted). Signed and
    // unsigned integers share one table, bit for bit, as in the project database.
    std::map<Key, int32_t> longs;
    std::map<Key, float> floats;
    std::map<Key, bool> bools;
    std::map<Key, std::string> strings;
    std::map<Key, Bytes> binaries;
    std::set<Object> objects;
    std::map<std::string, Bytes> files;
    std::set<std::string> dirs;

    int32_t freeSpace = 10000000;
    // Size argument of the last integer read or write.
    int lastSize = 0;
    // Replies of services by service code; a service without an entry has no reply.
    std::map<int32_t, Bytes> serviceReplies;
    std::vector<ServiceCall> serviceCalls;

    // When true, values can be read and written only for objects that have a row (as off line).
    bool requireObjects = false;

private:
    // Counts the call and applies a pending failure; false: answer false.
    bool Enter(const char* operation);
    void CheckObject(int32_t cls, int32_t instance) const;
    template <typename Map> auto& Find(Map& map, int32_t cls, int32_t instance, int32_t attribute);

    std::map<std::string, int> m_Calls;
    int m_Total = 0;
    std::optional<ZRError> m_Error;
    std::string m_ErrorOperation;
    std::set<std::string> m_Refuse;
};
