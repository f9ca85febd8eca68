// The files a running copy of the program keeps for itself: working copies of projects and "Temp%d"
// directories in the user data directory, and the temporary a save makes beside the user's file.
// Each is held by a lock on "<name>.lock" in the data directory for as long as it is in use, so a
// clean-up at start-up removes what crashed copies left and never what a running copy holds.
#pragma once

#include <string>

namespace platform::core {

// An exclusive lock on a lock file, held while the object lives (and let go by a crash). A second
// holder, in another process or in this one, is refused.
class WorkFileLock {
public:
    WorkFileLock() = default;
    ~WorkFileLock() { Unlock(); }
    WorkFileLock(const WorkFileLock&) = delete;
    WorkFileLock& operator=(const WorkFileLock&) = delete;

    // Takes the lock without waiting, making the file when needed: false while someone else holds
    // it. Raises SystemError when the file cannot be made.
    bool TryLock(const std::string& lockPath);
    // Lets go; with removeFile the lock file is removed first, while it is still held.
    void Unlock(bool removeFile = false);
    bool IsLocked() const { return m_fd >= 0; }

    // A short note kept in the lock file (what a save record names).
    void WriteNote(const std::string& text);
    std::string ReadNote() const;

private:
    int m_fd = -1;
    std::string m_path;
};

// The first name of the pattern ("qvrecvr%d.qdb", "Temp%d") in the user data directory, numbered
// from 0 up to below `limit`, whose lock is free, with that lock taken; what a crashed copy left
// under the name is removed. A name is taken over as soon as nobody holds it, so crashes never use
// the numbers up. Empty when running copies hold every number; raises SystemError when the data
// directory cannot be written.
std::string ClaimWorkFile(const char* pattern, WorkFileLock& lock, int limit = 100000);

// Records a temporary made beside a user's file for as long as the object lives, so that the
// clean-up removes it when this copy dies before the temporary is renamed or removed.
class PendingTemporary {
public:
    explicit PendingTemporary(const std::string& path);
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

private:
    WorkFileLock m_lock;
};

// Removes the working copies, "Temp%d" directories and recorded temporaries that no running copy
// holds. Never raises: what cannot be removed now is tried again at the next start.
void RemoveStaleWorkFiles();

} // namespace platform::core
