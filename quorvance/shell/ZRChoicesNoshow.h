#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// A yes/no prompt the user can silence with a check box; the choice is kept in the settings section
// of the prompt ("Message%d"), and a silenced prompt answers No without showing.
class ZRChoicesNoshow : public platform::ui::Dialog {
public:
    enum : int { IDD = 303, IDC_MESSAGE = 1116, IDC_NOTE = 1132, IDC_NOSHOW = 1083 };

    ZRChoicesNoshow(const std::string& section, const std::string& message, unsigned long helpId,
                    QWidget* parent = nullptr);

    // IDYES or IDNO.
    int DoModal();

    std::string m_Message;
    std::string m_Note;
    std::string m_Section;
    unsigned long m_HelpId;
    int m_NoShow = 0;

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
};
