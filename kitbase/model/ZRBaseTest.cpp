#include "kitbase/model/ZRBaseTest.h"

#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Directories.h"
#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/SystemError.h"

#include <fstream>
#include <ostream>

using platform::core::FileSystem;
using platform::core::JoinPath;

namespace {

std::string WorkDir() {
    return JoinPath(platform::core::UserDataDir(), "Work");
}

// Lines of a compared file, in pieces of at most 299 characters, so a longer line is compared
// piece by piece instead of stopping the read. CR LF ends lines as LF does.
class LineReader {
public:
    explicit LineReader(const std::string& path)
        : m_in(platform::core::OpenInputFile(path, std::ios::binary)) {}
    // False, with an empty line, once the file has ended.
    bool Next(std::string& line) {
        if (m_pending.empty()) {
            if (!std::getline(m_in, line)) {
                line.clear();
                return false;
            }
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.size() <= kMaxLine)
                return true;
            m_pending = std::move(line);
        }
        line = m_pending.substr(0, kMaxLine);
        m_pending.erase(0, kMaxLine);
        return true;
    }

private:
    static constexpr std::size_t kMaxLine = 299;
    std::ifstream m_in;
    std::string m_pending;
};

} // namespace

ZRBaseTest::~ZRBaseTest() = default;

bool ZRBaseTest::CopyToWorkDir(const std::string& name, std::ostream& log) {
    std::string from = JoinPath(JoinPath(ZRTestEx::GetInstallPath(), "Databases"), name);
    try {
        FileSystem::Copy(from, JoinPath(WorkDir(), name));
    } catch (const platform::core::SystemError&) {
        log << "Error: Failed to copy " << name << "to work directory.\n";
        return false;
    }
    return true;
}

void ZRBaseTest::ReportFileDifferences(const std::string& first, const std::string& second,
                                       std::ostream& log) {
    std::string dir = WorkDir();
    for (const std::string* name : {&first, &second}) {
        std::string path = JoinPath(dir, *name);
        if (!FileSystem::Exists(path)) {
            log << "Error: " << path << " does not exist.\n";
            return;
        }
    }
    log << "< " << first << "\n";
    log << "> " << second << "\n\n";

    LineReader a(JoinPath(dir, first));
    LineReader b(JoinPath(dir, second));
    std::string lineA, lineB;
    for (;;) {
        bool gotA = a.Next(lineA);
        bool gotB = b.Next(lineB);
        if (!gotA && !gotB)
            break;
        if (lineA != lineB) {
            log << "< " << lineA << "\n";
            log << "> " << lineB << "\n";
        }
    }
}

bool ZRBaseTest::CleanWorkDir() {
    std::string dir = WorkDir();
    try {
        FileSystem::MakeDirectories(dir);
    } catch (const platform::core::SystemError&) {
        return false;
    }
    if (!FileSystem::SetCurrentDirectory(dir))
        return false;
    for (const std::string& name : FileSystem::List(dir, "*.*", FileSystem::ListKind::Files)) {
        try {
            FileSystem::Remove(JoinPath(dir, name));
        } catch (const platform::core::SystemError&) {
            // A file that will not go is found by the test that trips over it.
        }
    }
    return true;
}
