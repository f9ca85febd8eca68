#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// An information box the user can silence with a check box; the choice is kept in the settings
// section of the message ("Message%d").
class ZRMessageNoshow : public platform::ui::Dialog {
public:
    enum : int { IDD = 276, IDC_MESSAGE = 1053, IDC_NOTE = 1132, IDC_NOSHOW = 1054 };

    ZRMessageNoshow(const std::string& section, const std::string& message, QWidget* parent = nullptr);

    void Show();

    std::string m_Section;
    int m_NoShow = 0;
    std::string m_Message;
    std::string m_Note;

protected:
    void DoDataExchange(platform::ui::DataExchange& dx) override;
};
