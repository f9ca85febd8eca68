#include "quorvance/shell/ZRCommandLineInfo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Case {
    std::vector<std::string> args;
    std::string expect; // the switches set, in field order, then "port=", "file=" and "open" when set
};

std::string Describe(const ZRCommandLineInfo& c) {
    std::string s;
    auto add = [&](bool on, const char* name) {
        if (on)
            s += std::string(s.empty() ? "" : " ") + name;
    };
    add(c.m_bTestMode, "test");
    add(c.m_bEngineeringMode, "eng");
    add(c.m_bManufacturingMode, "mfg");
    add(c.m_bTarvikDrive, "TarvikDrive");
    add(c.m_bTarvikFW, "TarvikFW");
    add(c.m_bMerrixFW, "MerrixFW");
    add(c.m_bSercos, "Sercos");
    add(c.m_bQuiet, "Quiet");
    add(c.m_bDriver, "Driver");
    add(c.m_bFile, "File");
    add(c.m_bBlob, "Blob");
    add(c.m_bKvlMode, "kvl");
    if (c.m_bPortGiven)
        s += (s.empty() ? "" : " ") + std::string("port=") + c.m_PortName;
    if (!c.m_strFileName.empty())
        s += (s.empty() ? "" : " ") + std::string("file=") + c.m_strFileName;
    if (c.m_nShellCommand == ZRCommandLineInfo::FileOpen)
        s += " open";
    return s;
}

} // namespace

TEST(ZRCommandLineInfo, ParsesSwitchesExactlyAndTheFirstPlainArgument) {
    const Case cases[] = {
        {{}, ""},
        {{"/Test", "-eng", "/mfg"}, "test eng mfg"},
        {{"/test", "/ENG", "/Mfg", "/kVl"}, ""},
        {{"/KVL"}, "kvl"},
        {{"-kvl"}, "kvl"},
        {{"/TarvikDrive", "/TarvikFW", "/MerrixFW", "/Sercos", "/Quiet", "/Driver", "/File", "/Blob"},
         "TarvikDrive TarvikFW MerrixFW Sercos Quiet Driver File Blob"},
        {{"/COM7"}, "port=/dev/ttyS6"},
        {{"/COM1"}, "port=/dev/ttyS0"},
        {{"-COM128"}, "port=/dev/ttyS127"},
        {{"/com7"}, ""},
        {{"/COM129"}, ""},
        {{"/COM0"}, ""},
        {{"/COM07"}, ""},
        {{"/COM3", "/COM5"}, "port=/dev/ttyS4"},
        {{"plant"}, "file=plant open"},
        {{"plant", "other", "/Test"}, "test file=plant open"},
        {{"/home/user/plant.qdb"}, "file=/home/user/plant.qdb open"},
        {{"/Unknown", "-x"}, ""},
    };
    for (const Case& c : cases) {
        ZRCommandLineInfo info;
        info.ParseCommandLine(c.args);
        std::string joined;
        for (const auto& a : c.args)
            joined += a + " ";
        EXPECT_EQ(Describe(info), c.expect) << "arguments: " << joined;
    }
}

TEST(CommandLine, SystemArgumentsBecomeModelTextOrAreRefusedByName) {
    std::vector<std::string> args;
    std::string refused;
    const char* const good[] = {"quorvance", "/eng",
                                "/tmp/M\xC3\xBCller/Pr\xC3\xBC"
                                "fstand \xE2\x82\xAC.qdb"};
    ASSERT_TRUE(ZRCommandLineInfo::ArgumentsFromSystem(3, good, args, refused));
    EXPECT_EQ(args, (std::vector<std::string>{"/eng", "/tmp/M\xFCller/Pr\xFC"
                                                      "fstand \x80.qdb"}));

    const char* const bad[] = {"quorvance", "/eng", "/tmp/\xE6\x97\xA5\xE6\x9C\xAC.qdb", "x.qdb"};
    EXPECT_FALSE(ZRCommandLineInfo::ArgumentsFromSystem(4, bad, args, refused));
    EXPECT_EQ(refused, bad[2]);
    EXPECT_EQ(ZRCommandLineInfo::RefusedArgumentText(refused).rfind("/tmp/??.qdb\n", 0), 0u);
}
