#include "platform/ui/PropertySheet.h"

#include "platform/core/Modal.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Text.h"

#include <QBoxLayout>
#include <QPushButton>
#include <QStackedWidget>

#include <algorithm>

namespace platform::ui {

namespace {
constexpr int kHelp = static_cast<int>(ids::ID_HELP);
} // namespace

PropertySheet::PropertySheet(std::string caption, QWidget* parent, int firstPage)
    : Dialog(0, std::move(caption),
             {ControlSpec::Button(ID_WIZBACK, "< &Back"), ControlSpec::DefaultButton(ID_WIZNEXT, "&Next >"),
              ControlSpec::Button(ID_WIZFINISH, "Finish"), ControlSpec::Button(core::IDCANCEL, "Cancel"),
              ControlSpec::Button(kHelp, "Help")},
             parent),
      m_firstPage(firstPage) {}

PropertySheet::~PropertySheet() = default;

void PropertySheet::Add(std::unique_ptr<PropertyPage> page) {
    page->m_pSheet = this;
    m_pages.push_back(std::move(page));
}

PropertyPage* PropertySheet::GetPage(int index) const {
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<size_t>(index)].get() : nullptr;
}

int PropertySheet::GetPageIndex(const PropertyPage* page) const {
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)].get() == page)
            return i;
    return -1;
}

bool PropertySheet::OnInitDialog() {
    Dialog::OnInitDialog();
    if (!m_pStack) {
        m_pStack = new QStackedWidget(this);
        if (auto* outer = qobject_cast<QBoxLayout*>(layout()))
            outer->insertWidget(0, m_pStack, 1);
    }
    m_active = -1;
    SetWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    SetActivePage(std::clamp(m_firstPage, 0, std::max(GetPageCount() - 1, 0)));
    return true;
}

bool PropertySheet::SetActivePage(int index) {
    PropertyPage* page = GetPage(index);
    if (!page || !m_pStack)
        return false;
    PropertyPage* old = GetActivePage();
    if (old && old != page && !old->OnKillActive())
        return false;
    if (!page->IsCreated()) {
        m_pStack->addWidget(page);
        page->Create();
        // Built, not yet shown: only the current page is visible.
        if (m_pStack->currentWidget() != page)
            page->hide();
    }
    const int previous = m_active;
    m_active = index;
    if (!page->OnSetActive()) {
        m_active = previous;
        if (old && old != page)
            old->OnSetActive();
        return false;
    }
    m_pStack->setCurrentWidget(page);
    // The title bar names the step.
    setWindowTitle(ToQString(page->Title().empty() ? Title() : page->Title()));
    if (isVisible() && sizeHint().width() > width())
        adjustSize();
    return true;
}

void PropertySheet::SetWizardButtons(unsigned flags) {
    const bool finish = flags & (PSWIZB_FINISH | PSWIZB_DISABLEDFINISH);
    EnableItem(ID_WIZBACK, flags & PSWIZB_BACK);
    ShowItem(ID_WIZNEXT, !finish);
    EnableItem(ID_WIZNEXT, flags & PSWIZB_NEXT);
    ShowItem(ID_WIZFINISH, finish);
    EnableItem(ID_WIZFINISH, flags & PSWIZB_FINISH);
    // Enter presses whichever of the two shows.
    if (auto* next = qobject_cast<QPushButton*>(Item(ID_WIZNEXT)))
        next->setDefault(!finish);
    if (auto* done = qobject_cast<QPushButton*>(Item(ID_WIZFINISH)))
        done->setDefault(finish);
}

int PropertySheet::Target(int answer, int step) const {
    if (answer == 0)
        return m_active + step;
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<size_t>(i)]->TemplateId() == answer)
            return i;
    return -1;
}

void PropertySheet::Back() {
    PropertyPage* page = GetActivePage();
    const int answer = page ? page->OnWizardBack() : -1;
    if (answer != -1)
        SetActivePage(Target(answer, -1));
}

void PropertySheet::Next() {
    PropertyPage* page = GetActivePage();
    const int answer = page ? page->OnWizardNext() : -1;
    if (answer != -1)
        SetActivePage(Target(answer, 1));
}

void PropertySheet::Finish() {
    PropertyPage* page = GetActivePage();
    if (page && page->OnWizardFinish())
        EndDialog(ID_WIZFINISH);
}

void PropertySheet::OnOK() {
    const int id = IsItemShown(ID_WIZFINISH) ? ID_WIZFINISH : ID_WIZNEXT;
    ClickButton(id);
}

void PropertySheet::OnCancel() {
    for (const auto& page : m_pages)
        if (page->IsCreated())
            page->OnCancel();
    EndDialog(core::IDCANCEL);
}

void PropertySheet::OnButton(int id) {
    switch (id) {
    case ID_WIZBACK:
        Back();
        break;
    case ID_WIZNEXT:
        Next();
        break;
    case ID_WIZFINISH:
        Finish();
        break;
    case kHelp:
        OnHelp();
        break;
    default:
        Dialog::OnButton(id);
        break;
    }
}

void PropertySheet::OnHelp() {}

} // namespace platform::ui
