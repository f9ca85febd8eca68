#include "kitbase/ui/ZRScanning.h"

#include "platform/core/Modal.h"

using platform::ui::ControlSpec;

ZRScanning::ZRScanning(QWidget* parent)
    : Dialog(IDD, "Scan For On-Line Drives",
             {ControlSpec::Button(platform::core::IDCANCEL, "Stop Scanning"),
              ControlSpec::Static(IDC_STATUS, "Scanning serial port for attached controllers"),
              ControlSpec::Progress(IDC_PROGRESS)},
             parent) {}

void ZRScanning::OnCancel() {
    m_bCancel = true;
    Dialog::OnCancel();
}

void ZRScanning::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_STATUS, m_strStatus);
}
