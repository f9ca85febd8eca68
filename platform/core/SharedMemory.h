// A named block of memory that another process on the machine may map as well
// (POSIX shared memory). The other side writes it at any time, so every text read from
// it is bounded by the block, never by a terminator that may be missing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::core {

class SharedMemory {
public:
    enum class Status { Open, CreateFailed, MapFailed };

    SharedMemory() = default;
    ~SharedMemory();
    SharedMemory(const SharedMemory&) = delete;
    SharedMemory& operator=(const SharedMemory&) = delete;

    // Creates the named block, or takes the one another process made first, makes it at least
    // size bytes long and maps all of it read-write. On failure nothing stays open and
    // LastError() holds the errno. The name is "/name" as shm_open wants it.
    Status Open(const std::string& name, std::size_t size);
    // Unmaps and closes; the block itself stays for the other processes.
    void Close();

    bool IsOpen() const { return m_data != nullptr; }
    unsigned char* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }
    int LastError() const { return m_error; }

    // The text at byte 0 up to the first NUL, at most Size() - 1 bytes. False when not open.
    bool ReadText(std::string& text) const;
    // Writes at most Size() - 1 bytes of the text at byte 0 and a NUL after them.
    bool WriteText(const std::string& text);
    // A 32-bit integer in the machine's byte order; false when not open or out of the block.
    bool WriteInt32(std::size_t offset, std::int32_t value);

    // Removes the name (mapped blocks stay valid); false when there was none.
    static bool Remove(const std::string& name);

private:
    int m_fd = -1;
    unsigned char* m_data = nullptr;
    std::size_t m_size = 0;
    int m_error = 0;
};

} // namespace platform::core
