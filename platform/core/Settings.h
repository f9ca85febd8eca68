// A settings key kept in an INI file: sections (the empty name is the key's own root) holding
// named string and 32-bit values. Text is code page 1252 in memory and UTF-8 in the file.
//
// File format, written by Save and read by Load:
//   ; comment
//   Name="text"            string value (\\ \" \n \r \t \xHH escapes)
//   Name=42                32-bit value, decimal (0x prefix for hex accepted)
//   [Section]
// Values before the first [Section] line belong to the root.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <variant>

namespace platform::core {

class Settings {
public:
    // An empty key bound to a file; nothing is read until Load.
    explicit Settings(std::string path, bool readOnly = false);

    // The machine key: "machine.ini" in the install directory, read-only. "INSTALL" defaults to the
    // install directory and "MotorDB" to its "Motors.mdb"; relative paths are taken from there.
    static Settings Machine();
    // The user key: UserConfigDir()/Quorvance.ini. When the file cannot be read at all the key
    // starts empty, so the program still starts with its defaults; writes then fail and leave
    // the file alone.
    static Settings User();

    const std::string& Path() const { return m_path; }
    bool IsReadOnly() const { return m_readOnly; }

    // Reads the file; a missing file is an empty key. A UTF-8 byte-order mark is allowed; a line
    // that cannot be read is skipped (and gone from the file after the next save). A file that
    // cannot be read at all: SystemError naming it.
    void Load();
    // Writes the file atomically (temporary file beside it, then rename). Through a symbolic link
    // the file it names is replaced, and the link stays.
    void Save() const;

    bool HasSection(const std::string& section) const;
    // Adds an empty section and saves; an existing one is left as it is.
    void CreateSection(const std::string& section);

    // False (out untouched) when the value is missing or of the other type.
    bool GetString(const std::string& section, const std::string& name, std::string& out) const;
    bool GetDword(const std::string& section, const std::string& name, uint32_t& out) const;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& def = {}) const;
    uint32_t ReadDword(const std::string& section, const std::string& name, uint32_t def = 0) const;

    // Each write takes in changes another process saved meanwhile, sets the value and saves.
    void WriteString(const std::string& section, const std::string& name, const std::string& value);
    void WriteDword(const std::string& section, const std::string& name, uint32_t value);

private:
    using Value = std::variant<std::string, uint32_t>;
    using Section = std::map<std::string, Value>;

    void Change(const std::string& section, const std::string& name, const Value* value);

    std::string m_path;
    bool m_readOnly;
    std::map<std::string, Section> m_sections;
};

} // namespace platform::core
