#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// The start-up question: open the last project, open another, or make a new one.
class ZRInitFileDlg : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 271,
        IDC_EXPLANATION = 1055,
        IDC_OPEN_LAST = 1056,
        IDC_OPEN_EXISTING = 1057,
        IDC_CREATE_NEW = 1058,
        IDC_HELP = 9
    };
    enum : int { OpenLast = 0, OpenExisting = 1, CreateNew = 2 };

    explicit ZRInitFileDlg(QWidget* parent = nullptr);

    std::string m_LastFile;
    // The index of the checked radio button; -1 until set.
    int m_Choice = -1;
    std::string m_Explanation;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnButton(int id) override;
};
