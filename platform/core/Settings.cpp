#include "platform/core/Settings.h"

#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/HexDigit.h"
#include "platform/core/SystemError.h"
#include "platform/core/Text.h"
#include "platform/core/Version.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform::core {

namespace {

// Well-formed UTF-8: a line in another encoding (a Latin-1 byte, say) is not guessed at.
bool IsUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
        auto b = static_cast<unsigned char>(s[i]);
        size_t len = b < 0x80                          ? 1
                     : (b & 0xE0) == 0xC0 && b >= 0xC2 ? 2
                     : (b & 0xF0) == 0xE0              ? 3
                     : (b & 0xF8) == 0xF0 && b <= 0xF4 ? 4
                                                       : 0;
        if (len == 0 || i + len > s.size())
            return false;
        for (size_t k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += len;
    }
    return true;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Escapes what would break the line structure; `specials` are the characters that end a token.
std::string Escape(const std::string& s, const char* specials, bool guardEnds) {
    std::string out;
    out.reserve(s.size() + 2);
    for (size_t i = 0; i < s.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        bool edge = guardEnds && (i == 0 || i + 1 == s.size()) &&
                    (IsBlank(s[i]) || (i == 0 && (c == ';' || c == '#' || c == '[')));
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t' && !edge)
            out += "\\t";
        else if (c < 0x20 || c == 0x7F || edge || std::strchr(specials, c))
            out += Format("\\x%02X", c);
        else
            out += static_cast<char>(c);
    }
    return out;
}

// Reads an escaped token from pos up to an unescaped `stop` (or the end when stop is 0).
bool Unescape(const std::string& line, size_t& pos, char stop, std::string& out) {
    while (pos < line.size()) {
        char c = line[pos];
        if (stop && c == stop)
            return true;
        if (c != '\\') {
            out += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= line.size())
            return false;
        char e = line[pos + 1];
        pos += 2;
        switch (e) {
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        case 't':
            out += '\t';
            break;
        case 'x': {
            if (pos + 2 > line.size())
                return false;
            int hi = platform::core::HexDigitValue(line[pos]),
                lo = platform::core::HexDigitValue(line[pos + 1]);
            if (hi < 0 || lo < 0)
                return false;
            out += static_cast<char>(hi * 16 + lo);
            pos += 2;
            break;
        }
        default:
            out += e; // \\ \" \= \] and any other escaped character stand for themselves
        }
    }
    return stop == 0;
}

bool ParseDword(const std::string& text, uint32_t& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    long long v;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        v = std::strtoll(text.c_str() + 2, &end, 16);
    else
        v = std::strtoll(text.c_str(), &end, 10);
    if (errno || *end || v < -2147483648LL || v > 4294967295LL)
        return false;
    value = static_cast<uint32_t>(v);
    return true;
}

// The file a chain of symbolic links ends at (the path itself when it is no link), even when that
// file does not exist yet.
std::string LinkTarget(const std::string& path) {
    std::filesystem::path p = path;
    std::error_code ec;
    for (int hops = 0; hops < 40 && std::filesystem::is_symlink(p, ec); ++hops) {
        std::filesystem::path next = std::filesystem::read_symlink(p, ec);
        if (ec)
            break;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p.string();
}

// Resolves a machine path given relative to the install directory.
std::string FromInstall(const std::string& install, const std::string& path) {
    if (path.empty() || path[0] == '/')
        return path;
    return JoinPath(install, path);
}

} // namespace

Settings::Settings(std::string path, bool readOnly) : m_path(std::move(path)), m_readOnly(readOnly) {}

Settings Settings::Machine() {
    std::string install = InstallDir();
    Settings key(JoinPath(install, "machine.ini"), true);
    key.Load();
    Section& root = key.m_sections[""];
    std::string dir = install;
    if (auto* v = std::get_if<std::string>(&root["INSTALL"]); v && !v->empty())
        dir = FromInstall(install, *v);
    root["INSTALL"] = dir;
    std::string motors = JoinPath(dir, "Motors.mdb");
    auto it = root.find("MotorDB");
    if (it != root.end())
        if (auto* v = std::get_if<std::string>(&it->second); v && !v->empty())
            motors = FromInstall(dir, *v);
    root["MotorDB"] = motors;
    return key;
}

Settings Settings::User() {
    Settings key(JoinPath(UserConfigDir(), std::string(kProductName) + ".ini"));
    try {
        key.Load();
    } catch (const SystemError&) {
        // Started with the defaults; the next write tries the file again and reports.
    }
    return key;
}

void Settings::Load() {
    std::map<std::string, Section> sections;
    std::string text;
    int fd = ::open(FileSystem::SystemName(m_path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            m_sections.clear();
            return;
        }
        SystemError::ThrowErrno("Cannot read settings file " + m_path);
    }
    char chunk[8192];
    for (;;) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            int code = errno;
            ::close(fd);
            throw SystemError(code, "Cannot read settings file " + m_path + ": " + ErrnoText(code));
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);

    // A line that cannot be read is skipped and the rest kept; the next save writes the file
    // anew without it. Values under a section line that cannot be read are skipped with it, so
    // none lands in another section.
    const std::string_view bom = "\xEF\xBB\xBF";
    Section* current = &sections[""];
    size_t start = std::string_view(text).substr(0, bom.size()) == bom ? bom.size() : 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view raw = std::string_view(text).substr(start, end - start);
        start = end + 1;
        if (!IsUtf8(raw))
            continue;
        std::string line = Utf8ToCp1252(Trim(raw));
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        size_t pos = 0;
        if (line[0] == '[') {
            std::string name;
            pos = 1;
            current = Unescape(line, pos, ']', name) && pos + 1 == line.size() ? &sections[name] : nullptr;
            continue;
        }
        std::string name;
        if (!current || !Unescape(line, pos, '=', name) || pos >= line.size())
            continue;
        // Blanks before '=' are layout; escaped ones belong to the name.
        std::string rawName = TrimRight(std::string_view(line).substr(0, pos));
        size_t rawPos = 0;
        name.clear();
        Unescape(rawName, rawPos, 0, name);
        if (name.empty())
            continue;
        std::string rest = TrimLeft(std::string_view(line).substr(pos + 1));
        if (!rest.empty() && rest[0] == '"') {
            std::string value;
            size_t vpos = 1;
            if (Unescape(rest, vpos, '"', value) && vpos + 1 == rest.size())
                (*current)[name] = std::move(value);
        } else if (uint32_t value = 0; ParseDword(rest, value)) {
            (*current)[name] = value;
        }
    }
    m_sections = std::move(sections);
}

void Settings::Save() const {
    if (m_readOnly)
        throw SystemError(EROFS, "Settings file " + m_path + " is read-only");
    std::string out = Format("; %s settings\n", kProductName);
    for (const auto& [section, values] : m_sections) {
        if (!section.empty())
            out += "[" + Escape(section, "]", true) + "]\n";
        for (const auto& [name, value] : values) {
            out += Escape(name, "=\"", true) + "=";
            if (auto* s = std::get_if<std::string>(&value))
                out += "\"" + Escape(*s, "\"", false) + "\"\n";
            else
                out += std::to_string(std::get<uint32_t>(value)) + "\n";
        }
    }
    out = Cp1252ToUtf8(out);

    // A link to the settings file stays a link: the file it names is replaced.
    // From here on the names are the system's own.
    const std::string target = LinkTarget(FileSystem::SystemName(m_path));
    std::string modelDir = FileSystem::Directory(FileSystem::FullPath(m_path));
    FileSystem::MakeDirectories(modelDir);
    std::error_code dirError;
    std::string dir = std::filesystem::absolute(target, dirError).parent_path().string();
    std::string tmp = target + ".XXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0)
        SystemError::ThrowErrno("Cannot write settings file " + m_path);
    auto fail = [&](int code) {
        ::close(fd);
        ::unlink(tmp.c_str());
        throw SystemError(code, "Cannot write settings file " + m_path + ": " + ErrnoText(code));
    };
    struct stat st {};
    ::fchmod(fd, ::stat(target.c_str(), &st) == 0 ? (st.st_mode & 07777) : 0644);
    for (size_t done = 0; done < out.size();) {
        ssize_t n = ::write(fd, out.data() + done, out.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0)
        fail(errno);
    if (::close(fd) != 0) {
        int code = errno;
        ::unlink(tmp.c_str());
        throw SystemError(code, "Cannot write settings file " + m_path + ": " + ErrnoText(code));
    }
    if (::rename(tmp.c_str(), target.c_str()) != 0) {
        int code = errno;
        ::unlink(tmp.c_str());
        throw SystemError(code, "Cannot write settings file " + m_path + ": " + ErrnoText(code));
    }
    int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

bool Settings::HasSection(const std::string& section) const {
    return section.empty() || m_sections.count(section) != 0;
}

void Settings::CreateSection(const std::string& section) {
    if (!HasSection(section))
        Change(section, {}, nullptr);
}

bool Settings::GetString(const std::string& section, const std::string& name, std::string& out) const {
    auto s = m_sections.find(section);
    if (s == m_sections.end())
        return false;
    auto v = s->second.find(name);
    if (v == s->second.end() || !std::holds_alternative<std::string>(v->second))
        return false;
    out = std::get<std::string>(v->second);
    return true;
}

bool Settings::GetDword(const std::string& section, const std::string& name, uint32_t& out) const {
    auto s = m_sections.find(section);
    if (s == m_sections.end())
        return false;
    auto v = s->second.find(name);
    if (v == s->second.end() || !std::holds_alternative<uint32_t>(v->second))
        return false;
    out = std::get<uint32_t>(v->second);
    return true;
}

std::string Settings::ReadString(const std::string& section, const std::string& name,
                                 const std::string& def) const {
    std::string value = def;
    GetString(section, name, value);
    return value;
}

uint32_t Settings::ReadDword(const std::string& section, const std::string& name, uint32_t def) const {
    uint32_t value = def;
    GetDword(section, name, value);
    return value;
}

void Settings::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    Value v = value;
    Change(section, name, &v);
}

void Settings::WriteDword(const std::string& section, const std::string& name, uint32_t value) {
    Value v = value;
    Change(section, name, &v);
}

void Settings::Change(const std::string& section, const std::string& name, const Value* value) {
    if (m_readOnly)
        throw SystemError(EROFS, "Settings file " + m_path + " is read-only");
    Load();
    Section& s = m_sections[section];
    if (value)
        s[name] = *value;
    Save();
}

} // namespace platform::core
