#include "quorvance/shell/ZRHtmlPrint.h"

#include "platform/core/Directories.h"
#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"

namespace {

// Model text is code page 1252; the page is UTF-8.
std::string Escaped(const std::string& text) {
    std::string utf8 = platform::core::Cp1252ToUtf8(text);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    for (char c : utf8) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace

ZRHtmlPrint::ZRHtmlPrint() {
    if (ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance)
        m_Path = data->GetPrintFile();
    else
        m_Path = platform::core::JoinPath(platform::core::UserDataDir(), "editor.html");
}

void ZRHtmlPrint::AddLineNumbers() {
    size_t count = 0;
    for (char c : m_Text)
        if (c == '\n')
            ++count;
    const int width = static_cast<int>(std::to_string(count).size());
    std::string numbered;
    numbered.reserve(m_Text.size() + (count + 1) * size_t(width + 1));
    size_t start = 0;
    int line = 0;
    while (start < m_Text.size()) {
        size_t end = m_Text.find('\n', start);
        end = end == std::string::npos ? m_Text.size() : end + 1;
        numbered += platform::core::Format("%-*d ", width, ++line);
        numbered.append(m_Text, start, end - start);
        start = end;
    }
    // An empty text still gets its first number; a final line end starts no numbered line.
    if (line == 0)
        numbered = platform::core::Format("%-*d ", width, 1);
    m_Text = std::move(numbered);
}

bool ZRHtmlPrint::ReplaceTitle(std::string& html, const std::string& title) {
    const std::string open = "<TITLE>", close = "</TITLE>";
    size_t begin = html.find(open);
    if (begin == std::string::npos)
        return false;
    begin += open.size();
    size_t end = html.find(close, begin);
    if (end == std::string::npos)
        return false;
    html.replace(begin, end - begin, Escaped(title));
    return true;
}

bool ZRHtmlPrint::WriteHtml(const std::string& title) {
    const std::string name = platform::core::FileSystem::FileName(m_Path);
    std::string html =
        "<HTML>\n<HEAD>\n<META http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\n"
        "<TITLE>" +
        Escaped(name) + "</TITLE>\n</HEAD>\n<BODY>\n<PRE>" + Escaped(m_Text) + "</PRE>\n</BODY>\n</HTML>\n";
    ReplaceTitle(html, title);
    platform::core::FileSystem::TryMakeDirectories(platform::core::FileSystem::Directory(m_Path));
    // The whole file is replaced: a shorter page leaves nothing of the last one behind.
    std::ofstream out = platform::core::OpenOutputFile(m_Path, std::ios::binary | std::ios::trunc);
    out.write(html.data(), static_cast<std::streamsize>(html.size()));
    out.close();
    return static_cast<bool>(out);
}
