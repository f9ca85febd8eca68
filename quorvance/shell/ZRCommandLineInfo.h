#pragma once

#include <string>
#include <vector>

// The program's command line: switches written with a leading "/" or "-", matched exactly and
// case-sensitively, and the first plain argument as the project file.
class ZRCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FileNothing };

    ZRCommandLineInfo() = default;
    virtual ~ZRCommandLineInfo() = default;

    // One argument; flag arguments come without their leading "/" or "-".
    virtual void ParseParam(const std::string& param, bool flag, bool last);
    // Every argument after the program name, in order. "/" followed by text with another "/" is an
    // absolute path, not a switch.
    void ParseCommandLine(const std::vector<std::string>& args);

    // The arguments after the program name as the system gives them (UTF-8), in the model's code page.
    // An argument that code page 1252 cannot hold is refused, never changed: false, and the first such
    // argument in `refused` as given.
    static bool ArgumentsFromSystem(int argc, const char* const* argv, std::vector<std::string>& args,
                                    std::string& refused);
    // The message that refuses such an argument.
    static std::string RefusedArgumentText(const std::string& refused);

    // The serial device of switch "COM<n>", n from 1 to 128; empty for any other text.
    static std::string PortOfSwitch(const std::string& text);

    bool m_bTestMode = false;
    bool m_bEngineeringMode = false;
    bool m_bManufacturingMode = false;
    bool m_bPortGiven = false;
    std::string m_PortName;
    bool m_bTarvikDrive = false;
    bool m_bTarvikFW = false;
    bool m_bMerrixFW = false;
    bool m_bSercos = false;
    bool m_bQuiet = false;
    bool m_bDriver = false;
    bool m_bFile = false;
    bool m_bBlob = false;
    bool m_bKvlMode = false;

    ShellCommand m_nShellCommand = FileNew;
    std::string m_strFileName;
};
