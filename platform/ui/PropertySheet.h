// A wizard: a dialog that shows one page at a time with Back, Next (Finish on the last step),
// Cancel and Help. Pages are PropertyPage dialogs owned by the sheet, built when first shown. The
// sheet runs modally through the modal hook like any dialog, so a script can press its buttons.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/PropertyPage.h"

#include <memory>
#include <vector>

class QStackedWidget;

namespace platform::ui {

// SetWizardButtons flags; the classic numbers, as the callers use them.
enum : unsigned { PSWIZB_BACK = 0x1, PSWIZB_NEXT = 0x2, PSWIZB_FINISH = 0x4, PSWIZB_DISABLEDFINISH = 0x8 };

class PropertySheet : public Dialog {
public:
    // The button ids; DoModal answers ID_WIZFINISH after Finish and IDCANCEL after Cancel.
    enum : int { ID_WIZBACK = 12323, ID_WIZNEXT = 12324, ID_WIZFINISH = 12325 };

    PropertySheet(std::string caption, QWidget* parent = nullptr, int firstPage = 0);
    ~PropertySheet() override;

    // Takes the page over; pages show in the order they were added.
    template <class Page> Page* AddPage(std::unique_ptr<Page> page) {
        Page* added = page.get();
        Add(std::move(page));
        return added;
    }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    PropertyPage* GetPage(int index) const;
    int GetPageIndex(const PropertyPage* page) const;
    PropertyPage* GetActivePage() const { return GetPage(m_active); }
    // -1 before the sheet runs.
    int GetActiveIndex() const { return m_active; }

    // Leaves the active page (its OnKillActive) for the page at the index (its OnSetActive). False
    // when either refuses; a refusing new page leaves the old one active again.
    bool SetActivePage(int index);
    // Which of Back, Next and Finish are offered (PSWIZB_ flags).
    void SetWizardButtons(unsigned flags);

protected:
    bool OnInitDialog() override;
    // Enter: Next, or Finish where it is offered.
    void OnOK() override;
    // Every built page's OnCancel, then the sheet ends.
    void OnCancel() override;
    void OnButton(int id) override;
    virtual void OnHelp();

private:
    void Add(std::unique_ptr<PropertyPage> page);
    void Back();
    void Next();
    void Finish();
    // Where Back or Next leads: the neighbour for 0, the page of the template id otherwise.
    int Target(int answer, int step) const;

    std::vector<std::unique_ptr<PropertyPage>> m_pages;
    QStackedWidget* m_pStack = nullptr;
    int m_firstPage;
    int m_active = -1;
};

} // namespace platform::ui
