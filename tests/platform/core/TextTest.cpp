#include "platform/core/Text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

using namespace platform::core;

TEST(Text, FormatUsesPointAndGrowsPastSmallBuffer) {
    EXPECT_EQ(Format("%s (error #%d)", "Bad", 5), "Bad (error #5)");
    EXPECT_EQ(Format("%.3f", 1.5), "1.500");
    std::string long_text(1000, 'x');
    EXPECT_EQ(Format("<%s>", long_text.c_str()), "<" + long_text + ">");
}

TEST(Text, TrimAndCase) {
    EXPECT_EQ(Trim(" \t ab c\r\n"), "ab c");
    EXPECT_EQ(TrimLeft("  a "), "a ");
    EXPECT_EQ(TrimRight("  a "), "  a");
    EXPECT_EQ(ToUpper("com1\xE9"), "COM1\xE9");
    EXPECT_TRUE(EqualsNoCase("Motors.MDB", "motors.mdb"));
    EXPECT_FALSE(EqualsNoCase("a", "ab"));
}

TEST(Text, Cp1252RoundTripsThroughUtf8) {
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
    EXPECT_EQ(Cp1252ToUtf8("\xB0"
                           "C"),
              "\xC2\xB0"
              "C");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Text, Utf8WithoutCp1252CodeBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E"
                           "b"),
              "a?b"); // infinity sign
    EXPECT_EQ(Utf8ToCp1252("a\xFF"
                           "b"),
              "a?b");                       // invalid lead byte
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?"); // truncated sequence
}

TEST(Text, NamesConvertExactlyOrNotAtAll) {
    struct Case {
        const char* utf8;
        bool held;
        const char* cp1252;
    };
    const Case cases[] = {
        {"M\xC3\xBCller/Pr\xC3\xBC"
         "fstand \xE2\x82\xAC.qdb",
         true,
         "M\xFCller/Pr\xFC"
         "fstand \x80.qdb"},
        {"plain.qdb", true, "plain.qdb"},
        {"\xC2\x81", true, "\x81"},                  // an undefined code keeps its byte
        {"\xE6\x97\xA5\xE6\x9C\xAC.qdb", false, ""}, // no 1252 code
        {"Pr\xFC"
         "fstand",
         false, ""},             // Latin-1 bytes are not UTF-8
        {"a\xC3", false, ""},    // truncated sequence
        {"\xC0\xAF", false, ""}, // overlong '/'
    };
    for (const Case& c : cases) {
        std::string out = "untouched";
        EXPECT_EQ(TryUtf8ToCp1252(c.utf8, out), c.held) << c.utf8;
        EXPECT_EQ(out, c.held ? c.cp1252 : "untouched") << c.utf8;
    }
}

TEST(Text, ReadLineAcceptsLfAndCrLf) {
    std::istringstream in("one\r\ntwo\nthree");
    std::string line;
    std::vector<std::string> lines;
    while (ReadLine(in, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
}
