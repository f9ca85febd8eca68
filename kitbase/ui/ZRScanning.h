#pragma once

#include "platform/ui/Dialog.h"

#include <string>

// The modeless "Scan For On-Line Drives" box of the serial-link scan. The scan sets the bar, writes
// the status text, exchanges the data and reads m_bCancel on every step.
class ZRScanning : public platform::ui::Dialog {
public:
    enum : int { IDD = 19711, IDC_PROGRESS = 19811, IDC_STATUS = 19812 };

    // The bar of the box, reached by the scan.
    class ProgressBar {
    public:
        explicit ProgressBar(Dialog& dialog, int id) : m_dialog(dialog), m_id(id) {}
        void SetRange(int low, int high) { m_dialog.SetRange(m_id, low, high); }
        void SetPos(int pos) { m_dialog.SetPos(m_id, pos); }
        int GetPos() const { return m_dialog.GetPos(m_id); }

    private:
        Dialog& m_dialog;
        int m_id;
    };

    explicit ZRScanning(QWidget* parent = nullptr);

    bool m_bCancel = false;
    ProgressBar m_Progress{*this, IDC_PROGRESS};
    std::string m_strStatus;

protected:
    // Notes the stop, then closes the box as a cancel does.
    void OnCancel() override;
    void DoDataExchange(platform::ui::DataExchange& dx) override;
};
