#pragma once

#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

// "Tip of the Day": shows one tip of the tips file (one tip per line, numbered from 1), steps to
// the next with wrap-around, and keeps the "show at start-up" choice.
class ZRTipOfDay : public platform::ui::Dialog {
public:
    enum : int { IDD = 20500, IDC_TIP = 1000, IDC_SHOW_AT_STARTUP = 1001, IDC_NEXT_TIP = 1002, IDC_HELP = 9 };
    static constexpr unsigned long kHelpTopic = 1109;

    // Starts at tip number startTip; a number past the last tip starts again at the first.
    ZRTipOfDay(const std::string& tipFile, int startTip, bool showAtStartup, QWidget* parent = nullptr);

    // The tip shown when the dialog ended (0 without tips).
    int GetCurrentTip() const { return m_Current; }
    bool GetShowAtStartup() const { return m_bShowAtStartup; }
    const std::vector<std::string>& GetTips() const { return m_Tips; }

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnButton(int id) override;

private:
    void ShowTip(int number);

    std::vector<std::string> m_Tips;
    std::string m_TipFile;
    int m_Current = 0;
    bool m_bShowAtStartup = true;
};
