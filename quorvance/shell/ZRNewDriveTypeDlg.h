#pragma once

#include "platform/ui/Dialog.h"

#include <string>
#include <vector>

// "Select New Drive": the Tarvik model of a new off-line drive, from the catalogue of 44 models.
class ZRNewDriveTypeDlg : public platform::ui::Dialog {
public:
    enum : int { IDD = 260, IDC_DRIVE_MODEL = 1001 };

    struct Model {
        std::string text;
        int productType; // flag word: 0x02 standard, 0x01 indexing, 0x04|0x08 valid firmware, 0x10 DeviceNet
        int modelCode;   // power rating, 0 to 10
    };
    static const std::vector<Model>& GetModels();

    explicit ZRNewDriveTypeDlg(QWidget* parent = nullptr);

    // While the self tests run, the model named by the test settings answers without the dialog.
    int DoModal();

    int m_ProductType = 0;
    int m_ModelCode = 0;
    std::string m_ModelText;

protected:
    bool OnInitDialog() override;
    void OnOK() override;

private:
    bool m_bConnected = false;
};
