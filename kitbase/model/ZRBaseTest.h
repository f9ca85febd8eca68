#pragma once

#include <iosfwd>
#include <string>

// A named self test with set-up, run and clean-up steps, and the file operations tests share.
// Tests work on copies in the "Work" directory of the user data directory; the master copies
// are in the install directory's "Databases".
class ZRBaseTest {
public:
    virtual ~ZRBaseTest();
    virtual bool Run(std::ostream& log) = 0;
    virtual bool Init(std::ostream& log) = 0;
    virtual bool Cleanup(std::ostream& log) = 0;

    const std::string& GetName() const { return m_Name; }

    // Copies "Databases/<name>" of the install directory into "Work"; a failure is logged.
    bool CopyToWorkDir(const std::string& name, std::ostream& log);
    // Logs the lines in which two files of "Work" differ.
    void ReportFileDifferences(const std::string& first, const std::string& second, std::ostream& log);
    // Makes "Work" when missing, makes it the current directory and deletes the files in it.
    bool CleanWorkDir();

protected:
    explicit ZRBaseTest(const std::string& name) : m_Name(name) {}
    ZRBaseTest(const ZRBaseTest&) = delete;
    ZRBaseTest& operator=(const ZRBaseTest&) = delete;

private:
    std::string m_Name;
};
