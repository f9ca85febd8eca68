#include "quorvance/shell/ZRNewDriveTypeDlg.h"

#include "kitbase/model/ZRTestEx.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/Guard.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"

#include <QListWidget>

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

namespace {
std::vector<ZRNewDriveTypeDlg::Model> MakeModels() {
    // Four groups of the same eleven power ratings: standard, indexing, and both with DeviceNet.
    static const char* const kRatings[] = {"003", "006", "010", "015", "020", "030",
                                           "045", "060", "080", "110", "150"};
    struct Group {
        const char* prefix;
        const char* suffix;
        int productType;
    };
    static const Group kGroups[] = {
        {"QT2S-", "", 0x0E}, {"QT2I-", "", 0x0D}, {"QT2S-", "-DN", 0x1E}, {"QT2I-", "-DN", 0x1D}};
    std::vector<ZRNewDriveTypeDlg::Model> models;
    for (const Group& group : kGroups)
        for (int code = 0; code < 11; ++code)
            models.push_back(
                {std::string(group.prefix) + kRatings[code] + group.suffix, group.productType, code});
    return models;
}
} // namespace

const std::vector<ZRNewDriveTypeDlg::Model>& ZRNewDriveTypeDlg::GetModels() {
    static const std::vector<Model> models = MakeModels();
    return models;
}

ZRNewDriveTypeDlg::ZRNewDriveTypeDlg(QWidget* parent)
    : platform::ui::Dialog(IDD, "Select New Drive",
                           {ControlSpec::Static(-1, "Drive Model"), ControlSpec::List(IDC_DRIVE_MODEL),
                            ControlSpec::DefaultButton(IDOK, "OK"), ControlSpec::Button(IDCANCEL, "Cancel")},
                           parent) {}

int ZRNewDriveTypeDlg::DoModal() {
    if (ZRTestEx::s_bRunningTests) {
        std::string wanted;
        ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
        if (data && data->OpenUserSection("Test", false, false))
            data->GetUserKey().GetStringValue("ModelTarvik", wanted);
        for (const Model& model : GetModels()) {
            if (model.text == wanted) {
                m_ProductType = model.productType;
                m_ModelCode = model.modelCode;
                m_ModelText = model.text;
                return IDOK;
            }
        }
        platform::core::MessageBox("Test Error: Invalid Tarvik Model");
    }
    return platform::ui::Dialog::DoModal();
}

bool ZRNewDriveTypeDlg::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    std::vector<std::string> texts;
    for (const Model& model : GetModels())
        texts.push_back(model.text);
    SetItems(IDC_DRIVE_MODEL, texts);
    SetSelection(IDC_DRIVE_MODEL, 0);
    if (!m_bConnected) {
        m_bConnected = true;
        if (auto* list = qobject_cast<QListWidget*>(Item(IDC_DRIVE_MODEL)))
            QObject::connect(list, &QListWidget::itemDoubleClicked, this,
                             [this] { platform::ui::Guard("model list", [this] { ClickButton(IDOK); }); });
    }
    return true;
}

void ZRNewDriveTypeDlg::OnOK() {
    int index = GetSelection(IDC_DRIVE_MODEL);
    const std::vector<Model>& models = GetModels();
    if (index < 0 || index >= static_cast<int>(models.size())) {
        OnCancel();
        return;
    }
    const Model& model = models[static_cast<size_t>(index)];
    m_ProductType = model.productType;
    m_ModelCode = model.modelCode;
    m_ModelText = model.text;
    EndDialog(IDOK);
}
