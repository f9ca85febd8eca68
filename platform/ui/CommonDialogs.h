// File, folder, colour and text-prompt dialogs. Each goes through the modal hook, so tests and batch
// modes answer them without a window.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ui {

// File dialog flags, with the classic numbers callers pass.
enum : unsigned {
    FD_OVERWRITEPROMPT = 0x2, // ask before replacing an existing file (save)
    FD_HIDEREADONLY = 0x4,    // no read-only check box (ours never has one)
    FD_PATHMUSTEXIST = 0x800,
    FD_FILEMUSTEXIST = 0x1000,    // open: only existing files
    FD_NOREADONLYRETURN = 0x8000, // save: refuse files that cannot be written
};

// One entry of a filter text "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||".
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns; // "*.txt"
};
std::vector<FileFilter> ParseFileFilter(std::string_view filter);
// The toolkit's form of an entry, "Text Files (*.txt *.TXT)": "*.*" means every file, and
// extensions match in either case as users of the old files expect.
std::string ToToolkitFilter(const FileFilter& filter);
// Adds ".ext" to a path whose file name has no extension.
std::string WithDefaultExtension(const std::string& path, std::string_view extension);

class FileDialog {
public:
    FileDialog(bool open, std::string defaultExt = {}, std::string fileName = {},
               unsigned flags = FD_HIDEREADONLY | FD_OVERWRITEPROMPT, std::string filter = {});

    void SetTitle(std::string title) { m_title = std::move(title); }
    // IDOK with a chosen file, IDCANCEL.
    int DoModal();

    std::string GetPathName() const { return m_path; }
    std::string GetFileName() const;  // name and extension
    std::string GetFileExt() const;   // without the dot
    std::string GetFileTitle() const; // name without extension

private:
    bool m_open;
    std::string m_defaultExt;
    std::string m_path;
    unsigned m_flags;
    std::string m_filter;
    std::string m_title;
};

// colour is 0x00BBGGRR in and out; answers false (colour unchanged) on cancel.
bool ChooseColour(uint32_t& colour, const std::string& caption = {});
// Answers false (value unchanged) on cancel.
bool PromptText(const std::string& caption, const std::string& prompt, std::string& value);
bool ChooseFolder(const std::string& caption, std::string& folder);

} // namespace platform::ui
