#include "quorvance/online/ZRRescanDlg.h"

#include "platform/core/Modal.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLine.h"

using platform::ui::ControlSpec;

namespace {

// One family's row: its check box and its two node edits.
void AddRow(std::vector<ControlSpec>& controls, int check, const char* name, int from, int to, int note = -1,
            const char* noteText = "") {
    controls.push_back(ControlSpec::Check(check, name));
    controls.push_back(ControlSpec::Static(-1, "From Node:"));
    controls.push_back(ControlSpec::Edit(from));
    controls.push_back(ControlSpec::Static(-1, "To Node:"));
    controls.push_back(ControlSpec::Edit(to));
    if (note >= 0)
        controls.push_back(ControlSpec::Static(note, noteText));
}

std::vector<ControlSpec> Controls() {
    std::vector<ControlSpec> controls{ControlSpec::Static(-1, "Scan for drive types:")};
    using D = ZRRescanDlg;
    AddRow(controls, D::IDC_ZELNA, "Zelna", D::IDC_ZELNA_FROM, D::IDC_ZELNA_TO);
    AddRow(controls, D::IDC_FENWA, "Fenwa", D::IDC_FENWA_FROM, D::IDC_FENWA_TO, D::IDC_FENWA_NOTE,
           "(only available at 38400 baud rate)");
    AddRow(controls, D::IDC_TARVIK, "Tarvik", D::IDC_TARVIK_FROM, D::IDC_TARVIK_TO, D::IDC_TARVIK_NOTE,
           "(not available at 57600 baud rate)");
    AddRow(controls, D::IDC_MERRIX, "Merrix", D::IDC_MERRIX_FROM, D::IDC_MERRIX_TO);
    controls.push_back(ControlSpec::Static(D::IDC_NOTE, ""));
    controls.push_back(ControlSpec::DefaultButton(platform::core::IDOK, "OK"));
    controls.push_back(ControlSpec::Button(platform::core::IDCANCEL, "Cancel"));
    return controls;
}

} // namespace

ZRRescanDlg::ZRRescanDlg(ZROnLine* onLine, QWidget* parent)
    : platform::ui::Dialog(IDD, "Rescan Options", Controls(), parent), m_pOnLine(onLine) {}

bool ZRRescanDlg::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    m_Scan = m_pOnLine->GetScanSettings();
    for (int32_t* on : {&m_Scan.scanFenwa, &m_Scan.scanZelna, &m_Scan.scanTarvik, &m_Scan.scanMerrix})
        *on = *on ? 1 : 0;
    // Tarvik drives do not talk at 57600 baud, Fenwa drives only at 38400.
    const int baud = m_pOnLine->GetLinkSettings().baudRate;
    if (baud == 57600) {
        m_Scan.scanTarvik = 0;
        EnableItem(IDC_TARVIK, false);
    }
    if (baud != 38400) {
        m_Scan.scanFenwa = 0;
        EnableItem(IDC_FENWA, false);
    }
    UpdateData(false);
    return true;
}

void ZRRescanDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Check(IDC_ZELNA, m_Scan.scanZelna);
    dx.Check(IDC_FENWA, m_Scan.scanFenwa);
    dx.Check(IDC_TARVIK, m_Scan.scanTarvik);
    dx.Check(IDC_MERRIX, m_Scan.scanMerrix);
    // A node outside 0..254 cannot be probed: the protocols refuse 255 and a drive keeps one byte.
    for (auto [id, value] : {std::pair{IDC_ZELNA_FROM, &m_Scan.zelnaFrom}, {IDC_ZELNA_TO, &m_Scan.zelnaTo},
                             {IDC_FENWA_FROM, &m_Scan.fenwaFrom}, {IDC_FENWA_TO, &m_Scan.fenwaTo},
                             {IDC_TARVIK_FROM, &m_Scan.tarvikFrom}, {IDC_TARVIK_TO, &m_Scan.tarvikTo},
                             {IDC_MERRIX_FROM, &m_Scan.merrixFrom}, {IDC_MERRIX_TO, &m_Scan.merrixTo}})
        dx.Number(id, *value, 0, online::kMaxNode);
}

void ZRRescanDlg::OnControlChanged(int id) {
    // Zelna and Fenwa drives cannot share a scan: the newer tick wins.
    if (id != IDC_ZELNA && id != IDC_FENWA)
        return;
    if (GetCheck(IDC_ZELNA) && GetCheck(IDC_FENWA))
        SetCheck(id == IDC_ZELNA ? IDC_FENWA : IDC_ZELNA, 0);
}

void ZRRescanDlg::OnOK() {
    if (!UpdateData(true))
        return;
    m_pOnLine->GetScanSettings() = m_Scan;
    m_pOnLine->SaveScanSettings();
    EndDialog(platform::core::IDOK);
}
