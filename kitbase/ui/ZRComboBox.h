#pragma once

#include "platform/ui/StandardControls.h"

class ZRComboListBox;

// The drop-down of the grids' combo cells. Its flags (ComboControl's): 1 the entry is found by its
// text, 2 plain, 4 the value is the zero-based index, 8 the one-based index, 16 while editing the
// entry is found by the text shown. The "Unexpected Value" placeholder of option lists is never
// offered.
class ZRComboBox : public platform::ui::ComboControl {
public:
    explicit ZRComboBox(unsigned int flags);
    ~ZRComboBox() override;

    std::vector<std::string> Entries(const platform::ui::CellStyle& style) const override;

    // The drop-down's key handling (null before the editor exists).
    ZRComboListBox* GetListBox() const { return m_pListBox; }

protected:
    QWidget* CreateEditor(QWidget* parent) override;

private:
    friend class ZRComboListBox;
    // The highlighted entry of the open list became the control's choice.
    void SelectionChanged(int index);

    ZRComboListBox* m_pListBox = nullptr; // owned by the editor
};
