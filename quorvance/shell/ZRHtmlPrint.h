#pragma once

#include <string>

// Turns editor or report text into the HTML page that the print view prints.
class ZRHtmlPrint {
public:
    // The page goes to the global data's print file ("editor.html" in the user data directory).
    ZRHtmlPrint();

    void SetText(const std::string& text) { m_Text = text; }
    const std::string& GetText() const { return m_Text; }
    std::string GetFileName() const { return m_Path; }
    void SetFileName(const std::string& path) { m_Path = path; }

    // Puts "%-*d " before each line, the width being the digits of the line count.
    void AddLineNumbers();
    // Writes the text as a page with the title, replacing the whole file. False when the file
    // cannot be written.
    bool WriteHtml(const std::string& title);

    // Replaces what lies between "<TITLE>" and the next "</TITLE>"; false (html unchanged) without
    // both tags.
    static bool ReplaceTitle(std::string& html, const std::string& title);

private:
    std::string m_Text;
    std::string m_Path;
};
