#include "platform/core/SharedMemory.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::core {

SharedMemory::~SharedMemory() {
    Close();
}

SharedMemory::Status SharedMemory::Open(const std::string& name, std::size_t size) {
    Close();
    m_error = 0;
    m_fd = ::shm_open(name.c_str(), O_RDWR | O_CREAT, 0600);
    if (m_fd < 0) {
        m_error = errno;
        return Status::CreateFailed;
    }
    // Mapping past the end of a shorter block would fault on access, so grow it; never shrink
    // what another process made.
    struct stat st {};
    if (::fstat(m_fd, &st) != 0 ||
        (static_cast<std::size_t>(st.st_size) < size && ::ftruncate(m_fd, static_cast<off_t>(size)) != 0)) {
        m_error = errno;
        Close();
        return Status::CreateFailed;
    }
    void* data = ::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (data == MAP_FAILED) {
        m_error = errno;
        Close();
        return Status::MapFailed;
    }
    m_data = static_cast<unsigned char*>(data);
    m_size = size;
    return Status::Open;
}

void SharedMemory::Close() {
    if (m_data)
        ::munmap(m_data, m_size);
    m_data = nullptr;
    m_size = 0;
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool SharedMemory::ReadText(std::string& text) const {
    if (!m_data || m_size == 0)
        return false;
    const char* begin = reinterpret_cast<const char*>(m_data);
    text.assign(begin, ::strnlen(begin, m_size - 1));
    return true;
}

bool SharedMemory::WriteText(const std::string& text) {
    if (!m_data || m_size == 0)
        return false;
    std::size_t n = std::min(text.size(), m_size - 1);
    std::memcpy(m_data, text.data(), n);
    m_data[n] = 0;
    return true;
}

bool SharedMemory::WriteInt32(std::size_t offset, std::int32_t value) {
    if (!m_data || offset > m_size || m_size - offset < sizeof value)
        return false;
    std::memcpy(m_data + offset, &value, sizeof value);
    return true;
}

bool SharedMemory::Remove(const std::string& name) {
    return ::shm_unlink(name.c_str()) == 0;
}

} // namespace platform::core
