#include "quorvance/shell/ZRMessageNoshow.h"

#include "quorvance/shell/ZRGlobalDataMgr.h"

using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRMessageNoshow::ZRMessageNoshow(const std::string& section, const std::string& message, QWidget* parent)
    : platform::ui::Dialog(IDD, "Information",
                           {ControlSpec::Static(IDC_MESSAGE, message), ControlSpec::Static(IDC_NOTE, {}),
                            ControlSpec::Check(IDC_NOSHOW, "Don't show this message again"),
                            ControlSpec::DefaultButton(IDOK, "OK")},
                           parent),
      m_Section(section), m_Message(message) {}

void ZRMessageNoshow::Show() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data || !data->OpenUserSection(m_Section, true, true))
        return;
    uint32_t show = 1;
    if (data->GetUserKey().GetDwordValue("ShowMessage", show) && show == 0)
        return;
    DoModal();
    if (data->OpenUserSection(m_Section, true, true))
        data->GetUserKey().SetDwordValue("ShowMessage", m_NoShow ? 0 : 1);
}

void ZRMessageNoshow::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_MESSAGE, m_Message);
    dx.Text(IDC_NOTE, m_Note);
    dx.Check(IDC_NOSHOW, m_NoShow);
}
