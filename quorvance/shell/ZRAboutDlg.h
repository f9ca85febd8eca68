#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// The About box: the program's icon, its version, its notice and a comment, as the caller fills them.
class ZRAboutDlg : public platform::ui::Dialog {
public:
    enum : int { IDD = 100, IDR_MAINFRAME = 128, IDC_VERSION = 1056, IDC_NOTICE = 1057, IDC_COMMENT = 1058 };

    explicit ZRAboutDlg(QWidget* parent = nullptr);

    std::string m_VersionText;
    std::string m_NoticeText;
    std::string m_Comment;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
};
