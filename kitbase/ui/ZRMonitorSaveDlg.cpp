#include "kitbase/ui/ZRMonitorSaveDlg.h"

#include "kitbase/ui/ZRMonitorView.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/SystemError.h"
#include "platform/core/Text.h"

#include <QLineEdit>

#include <algorithm>
#include <vector>

using platform::core::FileSystem;
using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::IDYES;
using platform::ui::ControlSpec;

namespace {

constexpr int kNoId = -1;
constexpr const char* kInvalidName = "Invalid name";
constexpr const char* kIllegalChars = "\\/:*?\"<>|";

} // namespace

ZRMonitorSaveDlg::ZRMonitorSaveDlg(ZRMonitorView* view, int mode, QWidget* parent)
    : Dialog(IDD, "Save As",
             {ControlSpec::Static(kNoId, "Name:"), ControlSpec::Edit(IDC_NAME), ControlSpec::List(IDC_LIST),
              ControlSpec::Check(IDC_DEFAULT, "Save As Default"), ControlSpec::DefaultButton(IDOK, "OK"),
              ControlSpec::Button(IDCANCEL, "Cancel"), ControlSpec::Button(IDC_DELETE, "Delete")},
             parent),
      m_pView(view), m_Mode(mode) {}

std::string ZRMonitorSaveDlg::EntryName(const std::string& entry) {
    const std::string suffix = kDefaultSuffix;
    if (entry.size() >= suffix.size() &&
        entry.compare(entry.size() - suffix.size(), suffix.size(), suffix) == 0)
        return entry.substr(0, entry.size() - suffix.size());
    return entry;
}

std::string ZRMonitorSaveDlg::EntryOf(const std::string& name) const {
    return name == m_Default ? name + kDefaultSuffix : name;
}

int ZRMonitorSaveDlg::FindEntry(const std::string& entry) const {
    const std::vector<std::string> entries = GetItems(IDC_LIST);
    auto it = std::find(entries.begin(), entries.end(), entry);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

void ZRMonitorSaveDlg::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Text(IDC_NAME, m_Name);
    dx.Check(IDC_DEFAULT, m_bSaveAsDefault);
}

bool ZRMonitorSaveDlg::OnInitDialog() {
    Dialog::OnInitDialog();
    m_Default = m_pView->GetDefaultFileName();

    std::vector<std::string> entries;
    for (const std::string& file :
         FileSystem::List(m_pView->GetSetupDir(), std::string("*") + ZRMonitorView::kExtension,
                          FileSystem::ListKind::Files)) {
        // Only names the view can open again by name.
        if ("." + FileSystem::Extension(file) != ZRMonitorView::kExtension)
            continue;
        const std::string name = FileSystem::BaseName(file);
        if (name != ZRMonitorView::kEmptySetup)
            entries.push_back(EntryOf(name));
    }
    SetItems(IDC_LIST, entries);

    const std::string& current = m_pView->GetFileName();
    const bool noCurrent = current.empty() || current == ZRMonitorView::kEmptySetup;
    if (entries.empty())
        EnableItem(IDC_DELETE, false);
    else
        SetSelection(IDC_LIST, noCurrent ? 0 : FindEntry(EntryOf(current)));
    if (m_Mode == kLoad && GetSelection(IDC_LIST) < 0 && !entries.empty())
        SetSelection(IDC_LIST, 0);
    OnSelChange();

    if (m_Mode == kLoad) {
        ShowItem(IDC_DEFAULT, false);
        if (auto* edit = qobject_cast<QLineEdit*>(Item(IDC_NAME)))
            edit->setReadOnly(true);
        SetTitle("Load");
    } else if (!noCurrent) {
        m_Name = current;
        SetItemText(IDC_NAME, m_Name);
    }
    return true;
}

void ZRMonitorSaveDlg::OnControlChanged(int id) {
    if (id == IDC_LIST)
        OnSelChange();
}

void ZRMonitorSaveDlg::OnButton(int id) {
    if (id == IDC_DELETE)
        OnDelete();
    else
        Dialog::OnButton(id);
}

void ZRMonitorSaveDlg::OnSelChange() {
    const int selection = GetSelection(IDC_LIST);
    if (selection < 0) {
        EnableItem(IDC_DELETE, false);
        return;
    }
    const std::string entry = GetItems(IDC_LIST)[static_cast<size_t>(selection)];
    m_Name = EntryName(entry);
    SetItemText(IDC_NAME, m_Name);
    // The default set-up stays.
    EnableItem(IDC_DELETE, entry != EntryOf(m_Default));
}

void ZRMonitorSaveDlg::OnDelete() {
    const int selection = GetSelection(IDC_LIST);
    if (selection < 0)
        return;
    if (platform::core::MessageBox("Are you sure you want to delete this monitor setup?", {},
                                   platform::core::MB_YESNO) != IDYES)
        return;
    std::vector<std::string> entries = GetItems(IDC_LIST);
    try {
        FileSystem::Remove(m_pView->GetSetupPath(EntryName(entries[static_cast<size_t>(selection)])));
    } catch (const platform::core::SystemError&) {
        return;
    }
    entries.erase(entries.begin() + selection);
    SetItems(IDC_LIST, entries);
    if (entries.empty()) {
        EnableItem(IDC_DELETE, false);
        m_Name.clear();
        SetItemText(IDC_NAME, m_Name);
        return;
    }
    SetSelection(IDC_LIST, std::min(selection, static_cast<int>(entries.size()) - 1));
    OnSelChange();
}

void ZRMonitorSaveDlg::OnOK() {
    if (!UpdateData(true))
        return;
    auto refuse = [this](const std::string& message) {
        platform::core::MessageBox(message);
        FocusItem(IDC_NAME);
    };
    if (m_Name.empty()) {
        refuse(kInvalidName);
        return;
    }
    if (m_Mode == kLoad) {
        EndDialog(IDOK);
        return;
    }
    if (m_Name.find_first_of(kIllegalChars) != std::string::npos) {
        refuse(platform::core::Format("A name can not contain any of the following characters:\n       %s",
                                      kIllegalChars));
        return;
    }
    if (m_Name == ZRMonitorView::kEmptySetup) {
        refuse(kInvalidName);
        return;
    }
    if (m_Name != m_pView->GetFileName() && FindEntry(EntryOf(m_Name)) >= 0 &&
        platform::core::MessageBox("Monitor Setup with this name already exists.\nDo you want to replace it?",
                                   {}, platform::core::MB_YESNO) != IDYES) {
        FocusItem(IDC_NAME);
        return;
    }
    EndDialog(IDOK);
}
