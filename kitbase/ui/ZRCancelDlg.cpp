#include "kitbase/ui/ZRCancelDlg.h"

#include "platform/core/Modal.h"
#include "platform/ui/Events.h"

using platform::ui::ControlSpec;

ZRCancelDlg::ZRCancelDlg(const std::string& message, const std::string& caption, QWidget* parent)
    : Dialog(IDD, caption,
             {ControlSpec::Button(platform::core::IDCANCEL, "Cancel"), ControlSpec::Static(IDC_MESSAGE, {})},
             parent),
      m_Caption(caption), m_Message(message) {}

int ZRCancelDlg::Cancel() {
    platform::ui::PumpEvents();
    return m_bCancelled ? 1 : 0;
}

void ZRCancelDlg::OnCancel() {
    m_bCancelled = true;
}

bool ZRCancelDlg::OnInitDialog() {
    SetTitle(m_Caption);
    return Dialog::OnInitDialog();
}

void ZRCancelDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_MESSAGE, m_Message);
}
