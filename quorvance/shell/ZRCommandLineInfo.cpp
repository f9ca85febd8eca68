#include "quorvance/shell/ZRCommandLineInfo.h"

#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"

#include <string>

bool ZRCommandLineInfo::ArgumentsFromSystem(int argc, const char* const* argv, std::vector<std::string>& args,
                                            std::string& refused) {
    args.clear();
    for (int i = 1; i < argc; ++i) {
        std::string arg;
        if (!platform::core::FileSystem::ModelName(argv[i], arg)) {
            refused = argv[i];
            return false;
        }
        args.push_back(std::move(arg));
    }
    return true;
}

std::string ZRCommandLineInfo::RefusedArgumentText(const std::string& refused) {
    // The box shows what the code page can of the name; the rest appears as '?'.
    return platform::core::Format("%s\nThis name has characters that the program cannot use. "
                                  "Rename the file or give another name.",
                                  platform::core::Utf8ToCp1252(refused).c_str());
}

std::string ZRCommandLineInfo::PortOfSwitch(const std::string& text) {
    for (int n = 1; n <= 128; ++n)
        if (text == "COM" + std::to_string(n))
            return "/dev/ttyS" + std::to_string(n - 1);
    return {};
}

void ZRCommandLineInfo::ParseParam(const std::string& param, bool flag, bool last) {
    if (flag) {
        if (param == "Test")
            m_bTestMode = true;
        if (param == "eng")
            m_bEngineeringMode = true;
        if (param == "mfg")
            m_bManufacturingMode = true;
        if (param == "TarvikDrive")
            m_bTarvikDrive = true;
        if (param == "TarvikFW")
            m_bTarvikFW = true;
        if (param == "MerrixFW")
            m_bMerrixFW = true;
        if (param == "Sercos")
            m_bSercos = true;
        if (param == "Quiet")
            m_bQuiet = true;
        if (param == "Driver")
            m_bDriver = true;
        if (param == "File")
            m_bFile = true;
        if (param == "Blob")
            m_bBlob = true;
        if (param == "KVL" || param == "kvl")
            m_bKvlMode = true;
        std::string port = PortOfSwitch(param);
        if (!port.empty()) {
            m_PortName = port;
            m_bPortGiven = true;
        }
    } else if (m_strFileName.empty()) {
        m_strFileName = param;
    }
    if (last && m_nShellCommand == FileNew && !m_strFileName.empty())
        m_nShellCommand = FileOpen;
}

void ZRCommandLineInfo::ParseCommandLine(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        // An absolute path also begins with "/": no switch has a second "/", a path has.
        bool flag =
            !arg.empty() && (arg[0] == '-' || (arg[0] == '/' && arg.find('/', 1) == std::string::npos));
        ParseParam(flag ? arg.substr(1) : arg, flag, i + 1 == args.size());
    }
}
