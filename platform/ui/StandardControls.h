// The standard cell controls: edit, static text, push button, edit with a browse button, drop-down
// combos, drop-down check list, spin edit and progress bar.
#pragma once

#include "platform/ui/CellControl.h"

#include <vector>

class QComboBox;
class QLineEdit;
class QListWidget;

namespace platform::ui {

class StaticControl : public CellControl {};

class EditControl : public CellControl {
public:
    bool CanActivate(const CellStyle& style) const override;
    void Load(const CellStyle& style) override;
    void Begin(const QString& typed) override;
    std::string Value(const CellStyle& style) const override;
    std::string Text() const override;
    void SetValue(const std::string& value, const CellStyle& style) override;

protected:
    QWidget* CreateEditor(QWidget* parent) override;
    // For derived editors that wrap the line edit with buttons.
    QLineEdit* MakeLineEdit(QWidget* parent);
    QLineEdit* LineEdit() const { return m_line; }

private:
    QLineEdit* m_line = nullptr;
};

// An edit with a browse button; the button notifies the grid (OnClickedButtonRowCol).
class BrowseEditControl : public EditControl {
public:
    void Paint(const CellPaint& paint) const override;
    int ButtonCount(const CellStyle& style) const override;
    QRect ButtonRect(const QRect& cell, int button) const override;
    void OnButton(int button) override;

protected:
    QWidget* CreateEditor(QWidget* parent) override;
};

class PushButtonControl : public CellControl {
public:
    void Paint(const CellPaint& paint) const override;
    QSize SizeHint(const CellStyle& style, const QFont& font, int width) const override;
    int ButtonCount(const CellStyle& style) const override;
    QRect ButtonRect(const QRect& cell, int button) const override;
    void OnButton(int button) override;
    bool OnSpace() override;
};

// A drop-down list or combo over the cell's choice list (one entry per line).
class ComboControl : public CellControl {
public:
    enum : unsigned {
        FindText = 1, // the entry is found by its text
        Plain = 2,
        ZeroBased = 4, // the value is the entry's index
        OneBased = 8,  // the value is the entry's index + 1
        ShowText = 16, // while editing the entry is found by the text shown
    };
    explicit ComboControl(unsigned flags) : m_flags(flags) {}
    unsigned Flags() const { return m_flags; }
    // Free text can be typed unless the value is an index.
    bool IsEditable() const { return !(m_flags & (ZeroBased | OneBased)); }

    static std::vector<std::string> SplitChoices(const std::string& choices);

    // The entries the drop-down offers; the base offers every line of the choice list.
    virtual std::vector<std::string> Entries(const CellStyle& style) const;
    // The entry to highlight when the list drops down for a text (-1: none).
    virtual int EntryToSelect(const std::vector<std::string>& entries, const std::string& text,
                              bool active) const;

    std::string DisplayText(const CellStyle& style) const override;
    void Paint(const CellPaint& paint) const override;
    int ButtonCount(const CellStyle& style) const override;
    QRect ButtonRect(const QRect& cell, int button) const override;
    void OnButton(int button) override;
    bool CanActivate(const CellStyle& style) const override;
    void Load(const CellStyle& style) override;
    void Begin(const QString& typed) override;
    std::string Value(const CellStyle& style) const override;
    std::string Text() const override;
    void SetValue(const std::string& value, const CellStyle& style) override;
    void DropDown() override;
    bool PopupKey(QKeyEvent& event) override;
    void End() override;

protected:
    QWidget* CreateEditor(QWidget* parent) override;

private:
    void Select(const std::string& value, const CellStyle& style);
    void BeforePopup();
    int IndexOfValue(const std::string& value) const;

    unsigned m_flags;
    QComboBox* m_combo = nullptr;
    std::string m_loadedValue;
    bool m_loading = false;
};

// A drop-down check list: the first line of the choice list is the text the cell shows, the other
// lines are the items; the value is the bit mask of the ticked items (item k = bit k). Every tick
// writes the cell at once and notifies the grid.
class CheckListControl : public CellControl {
public:
    std::string DisplayText(const CellStyle& style) const override;
    void Paint(const CellPaint& paint) const override;
    int ButtonCount(const CellStyle& style) const override;
    QRect ButtonRect(const QRect& cell, int button) const override;
    void OnButton(int button) override;
    bool CanActivate(const CellStyle& style) const override;
    void Load(const CellStyle& style) override;
    std::string Value(const CellStyle& style) const override;
    std::string Text() const override;
    void SetValue(const std::string& value, const CellStyle& style) override;
    void Restyle(const CellStyle& style) override;
    bool StoresOnCommit() const override;
    void DropDown() override;
    bool PopupKey(QKeyEvent& event) override;
    void End() override;

    // The drop-down list while the cell is edited (null before).
    QListWidget* Popup() const { return m_list; }
    void Toggle(int item);

protected:
    QWidget* CreateEditor(QWidget* parent) override;

private:
    class Editor;
    Editor* m_editor = nullptr;
    QListWidget* m_list = nullptr;
    unsigned long m_mask = 0;
};

// An edit with up and down arrows. An arrow starts the edit, steps the value, marks the cell modified
// and notifies the grid (OnClickedButtonRowCol).
class SpinEditControl : public EditControl {
public:
    // The text after one arrow click. The base steps by 1 between the cell's SpinMinimum and
    // SpinMaximum attributes (SpinWrap wraps, SpinStart stands for an empty text).
    virtual std::string Step(const std::string& text, bool up, const CellStyle& style) const;

    void Paint(const CellPaint& paint) const override;
    int ButtonCount(const CellStyle& style) const override;
    QRect ButtonRect(const QRect& cell, int button) const override;
    bool ButtonActsOnPress(int button) const override;
    void OnButton(int button) override;
    void Arrow(bool up);

protected:
    QWidget* CreateEditor(QWidget* parent) override;
};

// A bar from the ProgressLow to the ProgressHigh attribute (0 to 100 by default) in the text colour,
// with the ProgressCaption attribute as its caption ("%ld" or "%d" stands for the value).
class ProgressControl : public CellControl {
public:
    void Paint(const CellPaint& paint) const override;
    static std::string Caption(const std::string& format, long value);
};

// The standard control for one of the CellControlId ids; null for other ids.
std::unique_ptr<CellControl> MakeStandardControl(int id);

} // namespace platform::ui
