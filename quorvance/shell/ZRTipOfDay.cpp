#include "quorvance/shell/ZRTipOfDay.h"

#include "platform/core/FileStream.h"
#include "platform/core/Text.h"
#include "platform/ui/HelpRequest.h"

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRTipOfDay::ZRTipOfDay(const std::string& tipFile, int startTip, bool showAtStartup, QWidget* parent)
    : platform::ui::Dialog(IDD, "Tip of the Day",
                           {ControlSpec::Static(-1, "Did you know..."), ControlSpec::Static(IDC_TIP, {}),
                            ControlSpec::Check(IDC_SHOW_AT_STARTUP, "&Show tips at startup"),
                            ControlSpec::Button(IDC_NEXT_TIP, "&Next Tip"),
                            ControlSpec::DefaultButton(IDOK, "Close"),
                            ControlSpec::Button(IDC_HELP, "&Help")},
                           parent),
      m_TipFile(tipFile), m_Current(startTip), m_bShowAtStartup(showAtStartup) {
    std::ifstream in = platform::core::OpenInputFile(tipFile, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        // The file may come from Windows.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        line = platform::core::Trim(line);
        if (!line.empty())
            m_Tips.push_back(line);
    }
}

bool ZRTipOfDay::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    ShowTip(m_Current);
    EnableItem(IDC_NEXT_TIP, m_Tips.size() > 1);
    return true;
}

void ZRTipOfDay::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Check(IDC_SHOW_AT_STARTUP, m_bShowAtStartup);
}

void ZRTipOfDay::ShowTip(int number) {
    if (m_Tips.empty()) {
        m_Current = 0;
        SetItemText(IDC_TIP,
                    platform::core::Format("The tips file \"%s\" could not be read.", m_TipFile.c_str()));
        return;
    }
    int count = static_cast<int>(m_Tips.size());
    m_Current = number < 1 || number > count ? 1 : number;
    SetItemText(IDC_TIP, m_Tips[static_cast<size_t>(m_Current - 1)]);
}

void ZRTipOfDay::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void ZRTipOfDay::OnCancel() {
    // Escape keeps the check box's choice as Close does.
    UpdateData(true);
    EndDialog(IDCANCEL);
}

void ZRTipOfDay::OnButton(int id) {
    switch (id) {
    case IDC_NEXT_TIP:
        ShowTip(m_Current + 1);
        break;
    case IDC_HELP:
        platform::ui::ShowHelp(kHelpTopic, platform::ui::HELP_CONTEXT);
        break;
    default:
        platform::ui::Dialog::OnButton(id);
        break;
    }
}
