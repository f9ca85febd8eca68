// One page of a wizard sheet: a dialog built from its control table that lives inside the sheet
// rather than in a window of its own. The sheet builds a page the first time it shows it and calls
// the page's hooks as the user moves through the pages.
#pragma once

#include "platform/ui/Dialog.h"

namespace platform::ui {

class PropertySheet;

class PropertyPage : public Dialog {
public:
    PropertyPage(int templateId, std::string title, std::vector<ControlSpec> controls);
    ~PropertyPage() override;

    // The sheet the page was added to, or null.
    PropertySheet* GetSheet() const { return m_pSheet; }

    // The page is about to show; false refuses it and the sheet stays where it was.
    virtual bool OnSetActive();
    // The page is about to be left; false keeps it. By default takes over the dialog data.
    virtual bool OnKillActive();
    // Back and Next: 0 moves to the neighbouring page, -1 stays, another value names the template
    // id of the page to show.
    virtual int OnWizardBack();
    virtual int OnWizardNext();
    // Finish: false keeps the wizard open on this page.
    virtual bool OnWizardFinish();

protected:
    // The sheet's Cancel reaches every page it has built; a page undoes its own work here.
    void OnCancel() override;
    // Keys inside a page act on the sheet: Escape cancels it, Enter is the sheet's.
    void accept() override;
    void reject() override;

private:
    friend class PropertySheet;
    PropertySheet* m_pSheet = nullptr;
};

} // namespace platform::ui
