#include "platform/ui/PropertyPage.h"

#include "platform/ui/PropertySheet.h"

namespace platform::ui {

PropertyPage::PropertyPage(int templateId, std::string title, std::vector<ControlSpec> controls)
    : Dialog(templateId, std::move(title), std::move(controls)) {
    // A part of the sheet's window, not a window of its own.
    setWindowFlags(Qt::Widget);
}

PropertyPage::~PropertyPage() = default;

bool PropertyPage::OnSetActive() {
    return true;
}

bool PropertyPage::OnKillActive() {
    return UpdateData(true);
}

int PropertyPage::OnWizardBack() {
    return 0;
}

int PropertyPage::OnWizardNext() {
    return 0;
}

bool PropertyPage::OnWizardFinish() {
    return true;
}

void PropertyPage::OnCancel() {
    // The page never ends by itself: the sheet does.
}

void PropertyPage::accept() {}

void PropertyPage::reject() {
    if (m_pSheet)
        m_pSheet->ClickButton(core::IDCANCEL);
}

} // namespace platform::ui
