#include "kitbase/ui/ZRStringEntry.h"

#include "kitbase/model/ZRAttribute.h"
#include "platform/core/Modal.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/HelpRequest.h"

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRStringEntry::ZRStringEntry(const std::string& label, const std::string& title, QWidget* parent)
    : Dialog(IDD, "Properties",
             {ControlSpec::Edit(IDC_VALUE), ControlSpec::Static(IDC_LABEL, {}),
              ControlSpec::DefaultButton(IDOK, "OK"), ControlSpec::Button(IDCANCEL, "Cancel"),
              ControlSpec::Button(platform::ui::ids::ID_HELP, "Help")},
             parent),
      m_Title(title), m_Label(label) {}

bool ZRStringEntry::OnInitDialog() {
    SetTitle(m_Title);
    return Dialog::OnInitDialog();
}

void ZRStringEntry::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_VALUE, m_strValue);
    dx.Text(IDC_LABEL, m_Label);
}

void ZRStringEntry::OnOK() {
    if (!UpdateData(true))
        return;
    if (m_pAttribute && !m_pAttribute->Validate(m_strValue))
        return;
    EndDialog(IDOK);
}

void ZRStringEntry::OnButton(int id) {
    if (id == static_cast<int>(platform::ui::ids::ID_HELP))
        OnHelp();
    else
        Dialog::OnButton(id);
}

void ZRStringEntry::OnHelp() {
    platform::ui::ShowHelpTopic(m_HelpTopic);
}
