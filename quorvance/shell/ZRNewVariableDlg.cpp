#include "quorvance/shell/ZRNewVariableDlg.h"

#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Modal.h"

#include <climits>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRNewVariableDlg::ZRNewVariableDlg(QWidget* parent)
    : platform::ui::Dialog(IDD, "Insert Variable",
                           {ControlSpec::Static(-1, "Name"), ControlSpec::Edit(IDC_NAME),
                            ControlSpec::Static(-1, "Type"), ControlSpec::Radio(IDC_LONG, "Long Int"),
                            ControlSpec::Radio(IDC_FLOAT, "Float"),
                            ControlSpec::Static(-1, "Number of Elements"), ControlSpec::Edit(IDC_ELEMENTS),
                            ControlSpec::DefaultButton(IDOK, "OK"), ControlSpec::Button(IDCANCEL, "Cancel")},
                           parent) {}

int ZRNewVariableDlg::DoModal() {
    if (ZRTestEx::s_bRunningTests && TakeTestAnswers())
        return IDOK;
    return platform::ui::Dialog::DoModal();
}

bool ZRNewVariableDlg::TakeTestAnswers() {
    ZRTestEx* queue = ZRTestEx::Instance();
    unsigned type = 0;
    if (queue->PeekRespTypeFromQue() != ZRTestEx::NumberResponse) {
        platform::core::MessageBox("Test Error: ZRNewVariableDlg has wrong type for m_Size");
        return false;
    }
    m_Size = static_cast<int>(queue->GetResponseFromQue(type));
    if (!queue->GetTextResponseFromQue(m_Name)) {
        platform::core::MessageBox("Test Error: ZRNewVariableDlg has wrong type for m_Name");
        return false;
    }
    if (queue->PeekRespTypeFromQue() != ZRTestEx::NumberResponse) {
        platform::core::MessageBox("Test Error: ZRNewVariableDlg has wrong type for m_Type");
        return false;
    }
    m_Type = static_cast<int>(queue->GetResponseFromQue(type));
    return true;
}

void ZRNewVariableDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    // The variables list checks the count's range itself.
    dx.Number(IDC_ELEMENTS, m_Size, INT_MIN, INT_MAX);
    dx.Text(IDC_NAME, m_Name);
    dx.Radio(IDC_LONG, m_Type);
}
