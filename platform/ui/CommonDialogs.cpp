#include "platform/ui/CommonDialogs.h"

#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/FileDialogFolder.h"

namespace platform::ui {

using core::ModalKind;
using core::ModalRequest;

namespace {

std::vector<std::string> Split(std::string_view text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (true) {
        size_t end = text.find(separator, start);
        parts.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string_view BaseName(std::string_view path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// Position of the extension's dot in a file name, npos for none (a leading dot is no extension).
size_t ExtensionDot(std::string_view name) {
    size_t dot = name.find_last_of('.');
    return dot == 0 ? std::string_view::npos : dot;
}

} // namespace

std::vector<FileFilter> ParseFileFilter(std::string_view filter) {
    std::vector<FileFilter> filters;
    std::vector<std::string> parts = Split(filter, '|');
    for (size_t i = 0; i + 1 < parts.size() && !parts[i].empty(); i += 2) {
        FileFilter f;
        f.description = parts[i];
        for (const std::string& pattern : Split(parts[i + 1], ';')) {
            std::string p = core::Trim(pattern);
            if (!p.empty())
                f.patterns.push_back(p);
        }
        filters.push_back(std::move(f));
    }
    return filters;
}

std::string ToToolkitFilter(const FileFilter& filter) {
    std::string patterns;
    auto add = [&](const std::string& p) {
        if (!patterns.empty())
            patterns += ' ';
        patterns += p;
    };
    for (const std::string& p : filter.patterns) {
        if (p == "*.*" || p == "*") {
            add("*");
            continue;
        }
        add(p);
        std::string upper = core::ToUpper(p), lower = core::ToLower(p);
        if (lower != p)
            add(lower);
        if (upper != p)
            add(upper);
    }
    // The description usually repeats its patterns in brackets; the toolkit reads the last bracket
    // group as the patterns, so replace that group rather than adding a second one.
    std::string description = core::TrimRight(filter.description);
    size_t open = description.rfind('(');
    if (!description.empty() && description.back() == ')' && open != std::string::npos &&
        description.find('*', open) != std::string::npos)
        description = core::TrimRight(description.substr(0, open));
    return description + " (" + patterns + ")";
}

std::string WithDefaultExtension(const std::string& path, std::string_view extension) {
    while (!extension.empty() && extension.front() == '.')
        extension.remove_prefix(1);
    std::string_view name = BaseName(path);
    if (extension.empty() || name.empty() || ExtensionDot(name) != std::string_view::npos)
        return path;
    return path + "." + std::string(extension);
}

FileDialog::FileDialog(bool open, std::string defaultExt, std::string fileName, unsigned flags,
                       std::string filter)
    : m_open(open), m_defaultExt(std::move(defaultExt)), m_path(std::move(fileName)), m_flags(flags),
      m_filter(std::move(filter)) {}

int FileDialog::DoModal() {
    ModalRequest request;
    request.kind = m_open ? ModalKind::OpenFile : ModalKind::SaveFile;
    request.caption = m_title;
    request.text = m_title;
    request.flags = m_flags;
    request.filter = m_filter;
    request.defaultExt = m_defaultExt;
    request.value = m_path;
    request.directory = FileDialogFolder();
    int answer = core::RunModal(request);
    if (answer == core::IDOK)
        m_path = WithDefaultExtension(request.value, m_defaultExt);
    return answer;
}

std::string FileDialog::GetFileName() const {
    return std::string(BaseName(m_path));
}

std::string FileDialog::GetFileExt() const {
    std::string_view name = BaseName(m_path);
    size_t dot = ExtensionDot(name);
    return dot == std::string_view::npos ? std::string() : std::string(name.substr(dot + 1));
}

std::string FileDialog::GetFileTitle() const {
    std::string_view name = BaseName(m_path);
    return std::string(name.substr(0, ExtensionDot(name)));
}

bool ChooseColour(uint32_t& colour, const std::string& caption) {
    ModalRequest request;
    request.kind = ModalKind::Colour;
    request.caption = caption;
    request.text = caption;
    request.colour = colour;
    if (core::RunModal(request) != core::IDOK)
        return false;
    colour = request.colour & 0xFFFFFF;
    return true;
}

bool PromptText(const std::string& caption, const std::string& prompt, std::string& value) {
    ModalRequest request;
    request.kind = ModalKind::Text;
    request.caption = caption;
    request.text = prompt;
    request.value = value;
    if (core::RunModal(request) != core::IDOK)
        return false;
    value = request.value;
    return true;
}

bool ChooseFolder(const std::string& caption, std::string& folder) {
    ModalRequest request;
    request.kind = ModalKind::Folder;
    request.caption = caption;
    request.text = caption;
    request.value = folder;
    if (core::RunModal(request) != core::IDOK)
        return false;
    folder = request.value;
    return true;
}

} // namespace platform::ui
