#pragma once

#include "kitbase/model/ZRStorage.h"

#include "platform/core/Observer.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform::core {
class WorkFileLock;
}
namespace platform::db {
class Database;
class Recordset;
} // namespace platform::db
class ZRBinaryRS;
class ZRBooleanRS;
class ZRFileRS;
class ZRFloatRS;
class ZRIntegerRS;
class ZRObjectRS;
class ZRStringRS;

// The storage of the off-line drives: a project database file. All work goes to a private
// working copy in the user data directory; the user's file is written only by a save, which
// compacts the working copy into a temporary file beside it and then renames that over it.
// Values and links are addressed as in every storage; stored files are also written out below
// the base directory for editing.
class DBStorage : public ZRStorage, public platform::core::Observer {
public:
    // Takes the first working-copy name "qvrecvr<N>.qdb" of the user data directory that no running
    // copy holds, and holds it.
    DBStorage();
    // Tells observers (reason Destroying), closes the database and deletes the working copy.
    ~DBStorage() override;

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
    bool WriteBinary(int32_t cls, int32_t instance, int32_t attribute, const Bytes& value) override;
    bool WriteBool(int32_t cls, int32_t instance, int32_t attribute, bool value) override;
    bool WriteFile(const std::string& path, const Bytes& contents) override;
    bool WriteFloat(int32_t cls, int32_t instance, int32_t attribute, float value) override;
    bool WriteLong(int32_t cls, int32_t instance, int32_t attribute, int32_t value, int size) override;
    bool WriteString(int32_t cls, int32_t instance, int32_t attribute, const std::string& value) override;
    bool WriteUlong(int32_t cls, int32_t instance, int32_t attribute, uint32_t value, int size) override;

    // The working directory: stored files written out for editing and read back.
    virtual bool AddTempDir(const std::string& path);
    virtual bool CreateTempFile(const std::string& path);
    virtual bool SaveTempFile(const std::string& path);

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Opens the user's project through a fresh working copy. A file that exists must be a
    // project database (all seven tables with their columns, undamaged) and must have been copied
    // whole; otherwise a ZRError says why and nothing is opened. A file that does not exist yet
    // is made at the first save.
    void OpenDB(const std::string& path);
    // Checks, without opening it, that an existing file is a project database that OpenDB would
    // accept; throws the ZRError that OpenDB would throw.
    static void CheckDB(const std::string& path);
    // A new, unnamed project.
    void OpenDB();
    // Opens the working copy, creating it with the tables when there is none.
    void OpenTmpDB();
    void SaveDB();
    // Writes the project to path and makes it the file name. A failed save leaves the old file,
    // the file name and the open working copy as they were.
    void SaveDBAs(const std::string& path);
    void Close();
    // Closes the database and deletes the user's file.
    void RemoveDB();
    bool IsOpen() const;

    std::string GetFileName() const { return m_FileName; }
    std::string GetTmpName() const { return m_TmpName; }
    bool IsModified() const { return m_bModified; }
    void SetModified(bool modified) { m_bModified = modified; }

    // The object id of the row of (class, instance); false, with id untouched, when there is none.
    bool FindInstance(int32_t cls, int32_t instance, int32_t& id);
    // The class and instance of an object id; throws ZRError "Object doesn't exist" when there is none.
    bool FindObject(int32_t id, int32_t& cls, int32_t& instance);
    // Whether an Integers row holds that value.
    bool FindLongAttribute(int32_t cls, int32_t instance, int32_t attribute);
    // Parent-to-child links (attribute -1 rows).
    bool AddChild(int32_t cls, int32_t instance, int32_t childId);
    bool RemoveChild(int32_t cls, int32_t instance, int32_t childId);
    // Appends the child object ids of the object, in the order they were linked.
    bool GetChildren(int32_t cls, int32_t instance, Ids& ids);
    // Whether the object links to the child object id (one lookup, where GetChildren reads every link).
    bool HasChild(int32_t cls, int32_t instance, int32_t childId);

    // Maps a store path onto the working directory below the base directory. A path that
    // would lead out of it is refused with a ZRError.
    void FormatPath(std::string& path) const;

private:
    void RequireOpen() const;
    int32_t ObjectIdOf(int32_t cls, int32_t instance);
    bool FindValue(platform::db::Recordset& rs, int32_t id, int32_t attribute);
    // Finds a numeric value that is there and not null, or raises "Data doesn't exist".
    void FindNumber(platform::db::Recordset& rs, int32_t cls, int32_t instance, int32_t attribute);
    template <class RS, class T>
    void WriteValue(RS* recordset, int32_t cls, int32_t instance, int32_t attribute, const T& value);
    static void CheckProjectDatabase(platform::db::Database& db, const std::string& shownName);
    void CreateSchema();
    bool FindFile(const std::string& path);

    std::unique_ptr<platform::db::Database> m_pDatabase;
    std::unique_ptr<ZRBinaryRS> m_pBinary;
    std::unique_ptr<ZRBooleanRS> m_pBooleans;
    std::unique_ptr<ZRFloatRS> m_pFloats;
    std::unique_ptr<ZRIntegerRS> m_pIntegers;
    std::unique_ptr<ZRStringRS> m_pStrings;
    std::unique_ptr<ZRObjectRS> m_pObjects;
    std::unique_ptr<ZRFileRS> m_pFiles;
    std::unique_ptr<platform::core::WorkFileLock> m_pTmpLock;
    // The object last found by class and instance: an object's values are read and written one
    // after another, each needing its id. Forgotten when an object is deleted or the file closed.
    struct ObjectKey {
        int32_t cls = 0;
        int32_t instance = 0;
        int32_t id = 0; // 0: none
    } m_Last;
    std::string m_TmpName;
    std::string m_FileName;
    bool m_bModified = false;
};
