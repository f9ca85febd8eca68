#include "kitbase/ui/ZRComboBox.h"

#include "kitbase/ui/ZRComboListBox.h"

#include <QComboBox>

namespace {
// The placeholder entry of option lists for a stored value that is none of the options.
constexpr const char* kUnexpectedValue = "Unexpected Value";
} // namespace

ZRComboBox::ZRComboBox(unsigned int flags) : platform::ui::ComboControl(flags) {}

ZRComboBox::~ZRComboBox() = default;

std::vector<std::string> ZRComboBox::Entries(const platform::ui::CellStyle& style) const {
    std::vector<std::string> entries = ComboControl::Entries(style);
    std::erase(entries, std::string(kUnexpectedValue));
    return entries;
}

QWidget* ZRComboBox::CreateEditor(QWidget* parent) {
    QWidget* editor = ComboControl::CreateEditor(parent);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        m_pListBox = new ZRComboListBox(*this, *combo);
    return editor;
}

void ZRComboBox::SelectionChanged(int index) {
    auto* combo = qobject_cast<QComboBox*>(Editor());
    if (!combo || !IsActive() || index < 0 || index >= combo->count() || index == combo->currentIndex())
        return;
    combo->setCurrentIndex(index);
    UserModified();
}
