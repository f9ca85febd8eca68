#include "quorvance/shell/ZRHtmlPrint.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string Repeat(const std::string& line, int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        text += line;
    return text;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ZRHtmlPrint, NumbersLinesInTheWidthOfTheLineCount) {
    struct Case {
        std::string text, numbered;
    };
    const Case cases[] = {
        {"", "1 "},
        {"one", "1 one"},
        {"a\nb", "1 a\n2 b"},
        {Repeat("x\n", 9), "1 x\n2 x\n3 x\n4 x\n5 x\n6 x\n7 x\n8 x\n9 x\n"},
        {Repeat("x\n", 10), "1  x\n2  x\n3  x\n4  x\n5  x\n6  x\n7  x\n8  x\n9  x\n10 x\n"},
    };
    for (const Case& c : cases) {
        ZRHtmlPrint print;
        print.SetText(c.text);
        print.AddLineNumbers();
        EXPECT_EQ(print.GetText(), c.numbered) << c.text;
    }
}

TEST(ZRHtmlPrint, TitleReplacesWhatLiesBetweenTheTags) {
    struct Case {
        std::string html, title, result;
        bool replaced;
    };
    const Case cases[] = {
        {"<TITLE>editor.html</TITLE><PRE>x</PRE>", "Report", "<TITLE>Report</TITLE><PRE>x</PRE>", true},
        {"<TITLE></TITLE>", "A & B", "<TITLE>A &amp; B</TITLE>", true},
        {"<TITLE>open only", "Report", "<TITLE>open only", false},
        {"no tags </TITLE>", "Report", "no tags </TITLE>", false},
    };
    for (const Case& c : cases) {
        std::string html = c.html;
        EXPECT_EQ(ZRHtmlPrint::ReplaceTitle(html, c.title), c.replaced) << c.html;
        EXPECT_EQ(html, c.result);
    }
}

TEST(ZRHtmlPrint, WriteHtmlReplacesTheWholeFile) {
    TempDir dir;
    const std::string path = dir.File("editor.html");
    ZRHtmlPrint print;
    print.SetFileName(path);
    print.SetText(Repeat("a long line of the first report <1>\n", 50));
    ASSERT_TRUE(print.WriteHtml("A rather long title of the first page"));
    const std::string first = ReadFile(path);

    print.SetText("short\xB0");
    ASSERT_TRUE(print.WriteHtml("T"));
    const std::string second = ReadFile(path);
    EXPECT_LT(second.size(), first.size());
    EXPECT_NE(second.find("<TITLE>T</TITLE>"), std::string::npos);
    EXPECT_NE(second.find("short\xC2\xB0"), std::string::npos);
    // Nothing of the longer page is left after the end of the new one.
    EXPECT_EQ(second.find("first"), std::string::npos);
    EXPECT_EQ(second.substr(second.size() - 8), "</HTML>\n");
    EXPECT_NE(first.find("&lt;1&gt;"), std::string::npos);

    print.SetFileName(dir.File("missing/dir/is/made/editor.html"));
    EXPECT_TRUE(print.WriteHtml("T"));
    print.SetFileName(dir.Path().string());
    EXPECT_FALSE(print.WriteHtml("T"));
}

} // namespace
