#pragma once

#include "kitbase/model/ZRMvcModel.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Where an object's values live: the project database off line, the drive itself on line.
// A value is addressed by class (object type id), instance and attribute id. Failures to reach
// or read the data are thrown as ZRError; the operations whose base answers false are those a
// storage may not offer at all.
class ZRStorage : public ZRMvcModel {
public:
    using Bytes = std::vector<uint8_t>;
    using Strings = std::vector<std::string>;
    using Ids = std::vector<uint32_t>;

    ZRStorage() = default;
    ~ZRStorage() override = default;

    virtual bool AddDir(const std::string& path);
    // With instance 0 the storage picks a free instance and writes it back.
    virtual bool Create(int32_t cls, int32_t& instance) = 0;
    virtual bool Delete(int32_t cls, int32_t instance) = 0;
    virtual bool DirExists(const std::string& path);
    virtual bool FileExists(const std::string& path);
    // Appends the names of the directory's files and sub-directories.
    virtual bool GetDirList(const std::string& path, Strings& files, Strings& dirs);
    virtual bool GetFreeSpace(int32_t& bytes) = 0;
    // Appends the instances of the class.
    virtual bool GetInstanceList(int32_t cls, Ids& instances) = 0;
    virtual bool GetVersion(int32_t cls, int32_t instance, uint32_t& version) = 0;
    // Runs a drive service. When it has a reply the storage puts the bytes into reply; otherwise
    // reply is left as the caller gave it (callers pass it empty to mean "no reply").
    virtual bool InvokeService(int32_t cls, int32_t instance, int32_t service, const Bytes& data,
                               std::optional<Bytes>& reply) = 0;
    virtual bool ObjectExists(int32_t cls, int32_t instance);
    virtual bool ReadBinary(int32_t cls, int32_t instance, int32_t attribute, Bytes& value);
    virtual bool ReadBool(int32_t cls, int32_t instance, int32_t attribute, bool& value) = 0;
    virtual bool ReadFile(const std::string& path, Bytes& contents);
    virtual bool ReadFloat(int32_t cls, int32_t instance, int32_t attribute, float& value) = 0;
    // size: width of the value on the drive in bytes (1, 2, 3 or 4).
    virtual bool ReadLong(int32_t cls, int32_t instance, int32_t attribute, int32_t& value, int size) = 0;
    virtual bool ReadString(int32_t cls, int32_t instance, int32_t attribute, std::string& value) = 0;
    virtual bool ReadUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t& value, int size) = 0;
    virtual bool RemoveDir(const std::string& path);
    virtual bool RemoveFile(const std::string& path);
    virtual bool Rename(const std::string& oldPath, const std::string& newPath);
    virtual void SetBaseDir(const std::string& dir);
    virtual bool WriteBinary(int32_t cls, int32_t instance, int32_t attribute, const Bytes& value);
    virtual bool WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) = 0;
    virtual bool WriteFile(const std::string& path, const Bytes& contents);
    virtual bool WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) = 0;
    virtual bool WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int size) = 0;
    virtual bool WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) = 0;
    virtual bool WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) = 0;

    bool IsBroken() const { return m_bBroken; }
    void SetBroken(bool broken) { m_bBroken = broken; }
    std::string GetBaseDir() const { return m_BaseDir; }

    // Decoding of service replies, least significant byte first; the pointer does not move.
    static int32_t ExtractLong(const uint8_t* p);
    static float ExtractFloat(const uint8_t* p);
    // The NUL-terminated text at p; p moves past its NUL. With an end, the text stops there too
    // (a reply without its NUL is never read past its last byte) and p stops at end.
    static std::string ExtractString(const uint8_t*& p, const uint8_t* end = nullptr);

private:
    bool m_bBroken = false;
    std::string m_BaseDir;
};
