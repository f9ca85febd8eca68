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
    EXPECT_EQ(Cp1252ToUtf8("\xB0" "C"), "\xC2\xB0" "C");
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");
}

TEST(Text, Utf8WithoutCp1252CodeBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToCp1252("a\xE2\x88\x9E" "b"), "a?b");   // infinity sign
    EXPECT_EQ(Utf8ToCp1252("a\xFF" "b"), "a?b");            // invalid lead byte
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");                 // truncated sequence
}

TEST(Text, ReadLineAcceptsLfAndCrLf) {
    std::istringstream in("one\r\ntwo\nthree");
    std::string line;
    std::vector<std::string> lines;
    while (ReadLine(in, line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "two", "three"}));
}
