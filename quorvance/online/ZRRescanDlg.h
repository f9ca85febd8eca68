#pragma once

#include "platform/ui/Dialog.h"
#include "quorvance/online/ZROnLine.h"


// "Rescan Options": which drive families the scan looks for and the node range of each. OK copies
// the choices into the on-line root and saves them; the next scan uses them.
class ZRRescanDlg : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 305,
        IDC_FENWA_FROM = 1087,
        IDC_FENWA_TO = 1088,
        IDC_TARVIK_FROM = 1089,
        IDC_TARVIK_TO = 1090,
        IDC_MERRIX_FROM = 1091,
        IDC_ZELNA_FROM = 1092,
        IDC_FENWA = 1093,
        IDC_TARVIK = 1094,
        IDC_MERRIX = 1095,
        IDC_MERRIX_TO = 1096,
        IDC_ZELNA = 1098,
        IDC_ZELNA_TO = 1100,
        IDC_FENWA_NOTE = 1102,
        IDC_TARVIK_NOTE = 1103,
        IDC_NOTE = 1104,
    };

    ZRRescanDlg(ZROnLine* onLine, QWidget* parent = nullptr);

protected:
    bool OnInitDialog() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
    void OnOK() override;
    void OnControlChanged(int id) override;

private:
    ZROnLine* m_pOnLine; // not owned
    ZRScanSettings m_Scan;
};
