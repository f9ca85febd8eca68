#pragma once

#include <string>
#include <vector>

class ZRRegistryKey;

// The most recently opened project files, newest first, kept in the user settings section
// "Recent File List" as "File1" to "File<n>".
class ZRRecentFileList {
public:
    explicit ZRRecentFileList(int size = 4);

    void ReadList(ZRRegistryKey& userKey);
    void WriteList(ZRRegistryKey& userKey) const;

    // Puts the path first; an entry of the same path moves up.
    void Add(const std::string& path);
    void Remove(int index);
    int GetSize() const { return m_Size; }
    int GetCount() const { return static_cast<int>(m_Files.size()); }
    const std::string& operator[](int index) const { return m_Files[index]; }
    // The menu text of entry index: "&1 name.qdb".
    std::string GetDisplayName(int index) const;

private:
    int m_Size;
    std::vector<std::string> m_Files;
};
