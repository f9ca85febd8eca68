#include "quorvance/shell/ZRInitFileDlg.h"

#include "platform/core/FileSystem.h"
#include "platform/core/Text.h"
#include "platform/ui/HelpRequest.h"

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRInitFileDlg::ZRInitFileDlg(QWidget* parent)
    : platform::ui::Dialog(IDD, "Quorvance",
                           {ControlSpec::Static(IDC_EXPLANATION, {}),
                            ControlSpec::Radio(IDC_OPEN_LAST, "Open the last file opened"),
                            ControlSpec::Radio(IDC_OPEN_EXISTING, "Open existing file..."),
                            ControlSpec::Radio(IDC_CREATE_NEW, "Create new file"),
                            ControlSpec::DefaultButton(IDOK, "OK"), ControlSpec::Button(IDCANCEL, "Cancel"),
                            ControlSpec::Button(IDC_HELP, "&Help")},
                           parent) {}

bool ZRInitFileDlg::OnInitDialog() {
    m_Explanation =
        platform::core::Format("%s requires a \".qdb\" file to store off-line data.", "Quorvance");
    bool haveLast = !m_LastFile.empty();
    if (!haveLast && m_Choice == OpenLast)
        m_Choice = OpenExisting;
    platform::ui::Dialog::OnInitDialog();
    if (haveLast)
        SetItemText(IDC_OPEN_LAST, "Open Last File: " + platform::core::FileSystem::FileName(m_LastFile));
    else
        EnableItem(IDC_OPEN_LAST, false);
    return true;
}

void ZRInitFileDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_EXPLANATION, m_Explanation);
    dx.Radio(IDC_OPEN_LAST, m_Choice);
}

void ZRInitFileDlg::OnButton(int id) {
    if (id == IDC_HELP)
        platform::ui::ShowHelp(1110, platform::ui::HELP_CONTEXT);
    else
        platform::ui::Dialog::OnButton(id);
}
