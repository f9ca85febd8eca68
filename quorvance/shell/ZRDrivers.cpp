#include "quorvance/shell/ZRDrivers.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/CommonDialogs.h"

#include <algorithm>
#include <system_error>

using platform::core::IDOK;
using platform::ui::ControlSpec;

ZRDrivers::ZRDrivers(QWidget* parent, ZRObject* driversFolder)
    : platform::ui::Dialog(IDD, "Drivers",
                           {ControlSpec::Static(-1, "Installed Drivers:"), ControlSpec::List(IDC_DRIVERS),
                            ControlSpec::Button(IDC_ADD, "Add..."), ControlSpec::Button(IDC_REMOVE, "Remove"),
                            ControlSpec::DefaultButton(IDC_OK, "Ok")},
                           parent),
      m_pFolder(driversFolder) {}

bool ZRDrivers::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    m_Entries.clear();
    std::vector<std::string> names;
    if (m_pFolder) {
        for (ZRObject* child : m_pFolder->GetChildren()) {
            names.push_back(child->GetName().GetAsString());
            m_Entries.push_back(child);
        }
    }
    SetItems(IDC_DRIVERS, names);
    return true;
}

void ZRDrivers::OnButton(int id) {
    switch (id) {
    case IDC_ADD:
        OnAdd();
        break;
    case IDC_REMOVE:
        OnRemove();
        break;
    case IDC_OK:
        EndDialog(IDOK);
        break;
    default:
        platform::ui::Dialog::OnButton(id);
        break;
    }
}

void ZRDrivers::OnAdd() {
    platform::ui::FileDialog dialog(
        true, {}, "*.exe", platform::ui::FD_HIDEREADONLY | platform::ui::FD_OVERWRITEPROMPT, "*.exe");
    if (dialog.DoModal() != IDOK)
        return;
    std::string path = dialog.GetPathName();
    uint64_t size = 0;
    if (!platform::core::FileSystem::FileSize(path, size)) {
        platform::core::MessageBox(platform::core::Format("Cannot open the file %s.", path.c_str()));
        return;
    }
    if (static_cast<long long>(size) > kMaxDriverSize) {
        platform::core::MessageBox("Drivers must be a size less than 400Kb.");
        return;
    }
    // The driver itself is a user program of the drive: making, checking, loading and storing it
    // come with the Merrix programming classes.
}

void ZRDrivers::OnRemove() {
    int index = GetSelection(IDC_DRIVERS);
    if (!m_pFolder || index < 0 || index >= static_cast<int>(m_Entries.size()))
        return;
    ZRObject* child = m_Entries[static_cast<size_t>(index)];
    try {
        // Out of the folder and deleted.
        std::unique_ptr<ZRObject> gone = child->Remove();
    } catch (const ZRError& e) {
        platform::core::MessageBox(e.GetComboMessage());
        // A child that had left the folder when the storage failed is gone: so is its entry.
        const ZRObject::Children& children = m_pFolder->GetChildren();
        if (std::find(children.begin(), children.end(), child) != children.end())
            return;
    }
    SavePowerUpValues();
    m_Entries.erase(m_Entries.begin() + index);
    std::vector<std::string> names = GetItems(IDC_DRIVERS);
    names.erase(names.begin() + index);
    SetItems(IDC_DRIVERS, names);
}

void ZRDrivers::SavePowerUpValues() {
    // On line the drive's device runs the drive's "Save Power Up Values" command and shows its errors.
    ZRDevice* device = m_pFolder ? m_pFolder->GetDevice() : nullptr;
    if (device && !device->IsOffLine())
        device->SavePowerUpValues();
}
