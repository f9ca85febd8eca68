#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// A modeless box with a message and a Cancel button, polled by a loop that the user may stop. The
// caller creates the window (Create), polls Cancel and destroys the window when done.
class ZRCancelDlg : public platform::ui::Dialog {
public:
    enum : int { IDD = 299, IDC_MESSAGE = 1077 };

    ZRCancelDlg(const std::string& message, const std::string& caption, QWidget* parent = nullptr);

    // Lets the waiting messages through, then answers whether the user pressed Cancel.
    int Cancel();
    bool IsCancelled() const { return m_bCancelled; }

protected:
    // Only notes the wish: the box stays open until the polling loop closes it.
    void OnCancel() override;
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;

private:
    std::string m_Caption;
    bool m_bCancelled = false;
    std::string m_Message;
};
