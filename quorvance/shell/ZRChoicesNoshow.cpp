#include "quorvance/shell/ZRChoicesNoshow.h"

#include "quorvance/shell/ZRGlobalDataMgr.h"

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::ui::ControlSpec;

ZRChoicesNoshow::ZRChoicesNoshow(const std::string& section, const std::string& message, unsigned long helpId,
                                 QWidget* parent)
    : platform::ui::Dialog(IDD, "Quorvance",
                           {ControlSpec::Static(IDC_MESSAGE, message), ControlSpec::Static(IDC_NOTE, {}),
                            ControlSpec::Check(IDC_NOSHOW, "Don't show this message again. (Default will be "
                                                           "\"No\" in the future)"),
                            ControlSpec::DefaultButton(IDOK, "&Yes"), ControlSpec::Button(IDCANCEL, "&No")},
                           parent),
      m_Message(message), m_Section(section), m_HelpId(helpId) {}

int ZRChoicesNoshow::DoModal() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data || !data->OpenUserSection(m_Section, true, true))
        return IDNO;
    uint32_t show = 1;
    if (data->GetUserKey().GetDwordValue("ShowMessage", show))
        m_NoShow = show == 0 ? 1 : 0;
    if (m_NoShow)
        return IDNO;
    data->m_HelpTopicOverride = m_HelpId;
    int result = platform::ui::Dialog::DoModal() == IDOK ? IDYES : IDNO;
    // The dialog may have used the shared key meanwhile.
    if (data->OpenUserSection(m_Section, true, true))
        data->GetUserKey().SetDwordValue("ShowMessage", m_NoShow ? 0 : 1);
    data->m_HelpTopicOverride = 0;
    return result;
}

bool ZRChoicesNoshow::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    return true;
}

void ZRChoicesNoshow::OnCancel() {
    UpdateData(true);
    platform::ui::Dialog::OnCancel();
}

void ZRChoicesNoshow::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_MESSAGE, m_Message);
    dx.Text(IDC_NOTE, m_Note);
    dx.Check(IDC_NOSHOW, m_NoShow);
}
