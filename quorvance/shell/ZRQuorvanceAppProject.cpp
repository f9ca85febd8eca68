// The project file: new, open, close, save, save as, the recent files and the two tree roots.
#include "quorvance/shell/ZRQuorvanceApp.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/db/DbError.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/QuorvanceTypeIds.h"
#include "quorvance/shell/ZRChoicesNoshow.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRRecentFileList.h"

#include <exception>

using platform::core::FileSystem;
using platform::core::Format;
using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::IDYES;

namespace {

constexpr int32_t kRootInstance = 1;
constexpr int32_t kRootNameAttribute = -1000;
constexpr unsigned kSaveChangesHelp = 61699;
constexpr const char* kUnexpectedRepositoryError = "Unexpected error setting up repository. Contact support";

int ShowMessage(const std::string& text, unsigned type = platform::core::MB_OK, unsigned help = 0) {
    ZRMsgBox box;
    return box.Show(text, type, help);
}

std::string Truncated(const char* text, size_t max) {
    std::string s = text;
    if (s.size() > max)
        s.resize(max);
    return s;
}

// The file name with extension of the storage's project file, or empty for a new project.
std::string ProjectFileName(const DBStorage& storage) {
    return storage.GetFileName().empty() ? std::string() : FileSystem::FileName(storage.GetFileName());
}

void EnsureRootRecord(DBStorage& storage) {
    if (storage.ObjectExists(kOffLineRootType, kRootInstance))
        return;
    int32_t instance = kRootInstance;
    storage.Create(kOffLineRootType, instance);
    storage.WriteString(kOffLineRootType, kRootInstance, kRootNameAttribute, ProjectFileName(storage));
}

// Whether a save may replace the existing file (write bits are checked too: they hold even for root).
bool CanReplace(const std::string& path) {
    return !FileSystem::IsReadOnly(path);
}

bool HasQdbExtension(const std::string& path) {
    return platform::core::EqualsNoCase(FileSystem::Extension(path), "qdb");
}

// The text for an engine error met while a project file is opened.
std::string OpenErrorText(const ZRError& e, const std::string& path) {
    if (e.GetError() == 0)
        return e.GetMessage();
    using platform::db::DbErrc;
    switch (static_cast<DbErrc>(e.GetError())) {
    case DbErrc::Denied:
    case DbErrc::Busy:
    case DbErrc::ReadOnly:
    case DbErrc::Io:
    case DbErrc::CantOpen:
        return Format("Unable to open or access %s.  Verify that the file is not readonly or being used by "
                      "another application.",
                      path.c_str());
    case DbErrc::Corrupt:
    case DbErrc::NotADatabase:
        return Format(
            "Unable to open %s.  It may not be in a recognizable format, or the file may be corrupt.",
            path.c_str());
    case DbErrc::NotFound:
        return Format("Unable to find %s.", path.c_str());
    default:
        return Format("Unable to open %s.", path.c_str());
    }
}

// Whether the file is a project that can be opened; says why not otherwise. Run before the open
// project is closed, so that a file that cannot be opened leaves it as it is.
bool CheckProjectFile(const std::string& path) {
    try {
        DBStorage::CheckDB(path);
        return true;
    } catch (const ZRError& e) {
        ShowMessage(OpenErrorText(e, path));
    } catch (const std::exception& e) {
        ShowMessage(Truncated(e.what(), 500));
    }
    return false;
}

} // namespace

bool ZRQuorvanceApp::IsDatabaseOpen() const {
    return m_pWorkspaceView && m_OffLineItem && m_pStorage && m_pOffLineRoot && GetOffLineNodeMgr();
}

std::unique_ptr<DBStorage> ZRQuorvanceApp::CreateProjectStorage() {
    platform::ui::WaitCursor wait;
    std::unique_ptr<DBStorage> storage;
    try {
        storage = std::make_unique<DBStorage>();
        storage->SetBaseDir(ZRGlobalDataMgr::Instance()->GetTempDir());
        storage->OpenDB();
        EnsureRootRecord(*storage);
        storage->WriteString(kOffLineRootType, kRootInstance, kRootNameAttribute, "Unsaved");
        return storage;
    } catch (const ZRError& e) {
        wait.Restore();
        ShowMessage(e.GetError() != 0
                        ? std::string("Unable to open temporary file.  If the condition continues, "
                                      "contact technical support.")
                        : e.GetMessage());
    } catch (const std::exception& e) {
        wait.Restore();
        ShowMessage(Truncated(e.what(), 500));
    } catch (...) {
        wait.Restore();
        ShowMessage(kUnexpectedRepositoryError);
    }
    return nullptr;
}

std::unique_ptr<DBStorage> ZRQuorvanceApp::OpenProjectStorage(const std::string& path) {
    platform::ui::WaitCursor wait;
    std::unique_ptr<DBStorage> storage;
    try {
        storage = std::make_unique<DBStorage>();
        storage->SetBaseDir(ZRGlobalDataMgr::Instance()->GetTempDir());
        try {
            storage->OpenDB(path);
        } catch (const ZRError& e) {
            wait.Restore();
            ShowMessage(OpenErrorText(e, path));
            return nullptr;
        }
        try {
            EnsureRootRecord(*storage);
        } catch (const ZRError& e) {
            wait.Restore();
            ShowMessage(e.GetComboMessage());
            return nullptr;
        }
        return storage;
    } catch (const std::exception& e) {
        wait.Restore();
        ShowMessage(Truncated(e.what(), 500));
    } catch (...) {
        wait.Restore();
        ShowMessage(kUnexpectedRepositoryError);
    }
    return nullptr;
}

bool ZRQuorvanceApp::AttachDatabase(std::unique_ptr<DBStorage> storage) {
    m_pStorage = std::move(storage);
    m_pOffLineDevice->SetStorage(m_pStorage.get());
    m_pOffLineDevice->SetOffLine(true);
    try {
        std::unique_ptr<ZRObject> root = CreateOffLineRoot();
        root->Init();
        root->SetClass(kOffLineRootType);
        m_pOffLineRoot = std::move(root);
        m_pOffLineRoot->Attach(m_pOffLineDevice.get(), kRootInstance);
        std::string name = ProjectFileName(*m_pStorage);
        if (!name.empty() && name != m_pOffLineRoot->GetName().GetAsString())
            m_pOffLineRoot->GetName().SetAsString(name);
    } catch (const ZRError& e) {
        // Nothing half-attached stays behind.
        ShowMessage(e.GetComboMessage());
        m_pOffLineRoot.reset();
        m_pStorage.reset();
        m_pOffLineDevice->SetStorage(nullptr);
        return false;
    }
    AddRootItem(m_pWorkspaceView, false);
    return true;
}

void ZRQuorvanceApp::AddRootItem(ZRWorkspaceView* view, bool onLine) {
    if (!view)
        return;
    TreeItem item;
    if (onLine) {
        item = view->InsertItem("On-Line Drives");
        m_OnLineItem = item;
    } else {
        item = view->InsertItem(Format("Off-line: %s", m_pOffLineRoot->GetName().GetAsString().c_str()));
        m_OffLineItem = item;
    }
    view->SetItemImage(item, onLine ? ZRImages::kOnLineRoot : ZRImages::kOffLineRoot);
    if (ZRNodeMgr* manager = CreateRootNodeMgr(onLine, item, view)) {
        view->SetItemData(item, manager);
        manager->Initialize();
    }
    if (!onLine)
        view->Expand(item, platform::ui::TreeExpand::Expand);
    view->viewport()->update();
}

void ZRQuorvanceApp::NewDatabase() {
    if (!CloseDatabase())
        return;
    platform::ui::WaitCursor wait;
    std::unique_ptr<DBStorage> storage = CreateProjectStorage();
    if (!storage) {
        wait.Restore();
        ShowMessage("Failed to create a new file");
        return;
    }
    std::string tmpName = storage->GetTmpName();
    if (!AttachDatabase(std::move(storage)))
        return;
    m_ProjectPath.clear();
    m_TmpName = tmpName;
}

void ZRQuorvanceApp::OpenDatabase() {
    std::string path;
    if (!PromptProjectFile(path, "Open",
                           platform::ui::FD_FILEMUSTEXIST | platform::ui::FD_PATHMUSTEXIST |
                               platform::ui::FD_HIDEREADONLY,
                           true) ||
        !FileSystem::Exists(path))
        return;
    path = FileSystem::FullPath(path);
    if (!CheckProjectFile(path) || !CloseDatabase())
        return;
    platform::ui::WaitCursor wait;
    // A failure has been told by the open itself.
    std::unique_ptr<DBStorage> storage = OpenProjectStorage(path);
    if (!storage)
        return;
    std::string tmpName = storage->GetTmpName();
    if (!AttachDatabase(std::move(storage)))
        return;
    AddRecentProject(path);
    m_ProjectPath = path;
    WriteLastOpenFile(path);
    m_TmpName = tmpName;
}

bool ZRQuorvanceApp::OpenProjectFile(const std::string& path) {
    if (!FileSystem::Exists(path)) {
        ShowMessage(Format("The database file %s does not exist.", path.c_str()));
        return false;
    }
    if (!CheckProjectFile(path) || !CloseDatabase())
        return false;
    platform::ui::WaitCursor wait;
    std::unique_ptr<DBStorage> storage = OpenProjectStorage(path);
    if (!storage)
        return false;
    std::string tmpName = storage->GetTmpName();
    if (!AttachDatabase(std::move(storage)))
        return false;
    AddRecentProject(path);
    m_ProjectPath = path;
    WriteLastOpenFile(path);
    m_TmpName = tmpName;
    return true;
}

void ZRQuorvanceApp::OnOpenRecentFile(unsigned id) {
    int index = static_cast<int>(id - platform::ui::ids::ID_FILE_MRU_FIRST);
    if (index < 0 || index >= m_pRecentFiles->GetCount())
        return;
    std::string path = (*m_pRecentFiles)[index];
    if (!OpenProjectFile(path)) {
        // The list may have moved while opening; drop the entry by its path.
        for (int i = 0; i < m_pRecentFiles->GetCount(); ++i)
            if ((*m_pRecentFiles)[i] == path) {
                m_pRecentFiles->Remove(i);
                break;
            }
        if (ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance())
            m_pRecentFiles->WriteList(data->GetUserKey());
    }
}

bool ZRQuorvanceApp::PromptProjectFile(std::string& path, const std::string& title, unsigned flags,
                                       bool open) {
    platform::ui::FileDialog dialog(open, "qdb", path,
                                    platform::ui::FD_HIDEREADONLY | platform::ui::FD_OVERWRITEPROMPT | flags,
                                    Format("%s Database (*.qdb)|*.qdb||", "Quorvance"));
    dialog.SetTitle(title);
    bool ok = dialog.DoModal() == IDOK;
    if (ok)
        path = dialog.GetPathName();
    if (!path.empty() && !HasQdbExtension(path))
        path += ".qdb";
    return ok;
}

void ZRQuorvanceApp::AddRecentProject(const std::string& path) {
    if (!m_pRecentFiles)
        return;
    m_pRecentFiles->Add(path);
    if (ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance())
        m_pRecentFiles->WriteList(data->GetUserKey());
}

void ZRQuorvanceApp::WriteLastOpenFile(const std::string& path) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (data && data->OpenUserSection("", false, true))
        data->GetUserKey().SetStringValue("LastOpenFile", path);
}

bool ZRQuorvanceApp::SaveModifiedProject() {
    if (!m_pStorage || !m_pOffLineRoot || !m_pStorage->IsModified())
        return true;
    int answer = ShowMessage(Format("Save changes to %s?", m_pOffLineRoot->GetName().GetAsString().c_str()),
                             platform::core::MB_YESNOCANCEL, kSaveChangesHelp);
    if (answer == IDCANCEL)
        return false;
    // A save that failed or was cancelled keeps the project: its changes exist nowhere else.
    if (answer == IDYES)
        return OnFileSave() && !m_pStorage->IsModified();
    return true;
}

bool ZRQuorvanceApp::CloseDatabase() {
    if (!IsDatabaseOpen())
        return true;
    ZRNodeMgr* manager = GetOffLineNodeMgr();
    if (!manager->DoCloseWindows())
        return false;
    if (!SaveModifiedProject())
        return false;

    m_pOffLineRoot->Detach();
    // The root has no parent: Remove hands nothing back and the root stays ours.
    (void)m_pOffLineRoot->Remove();
    m_pOffLineRoot.reset();
    m_pStorage.reset();
    m_pOffLineDevice->SetStorage(nullptr);
    m_ProjectPath.clear();
    m_TmpName.clear();

    manager->Cleanup();
    m_pWorkspaceView->SetItemData(m_OffLineItem, nullptr);
    delete manager;
    m_pWorkspaceView->DeleteItem(m_OffLineItem);
    m_OffLineItem = nullptr;
    return true;
}

bool ZRQuorvanceApp::OnFileSave() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!IsDatabaseOpen()) {
        data->m_HelpTopicOverride = ID_PROJECT_SAVE;
        int answer = ShowMessage("All online drives will be copied to offline and saved in a new .qdb "
                                 "file.\nPress F1 for additional information.",
                                 platform::core::MB_OKCANCEL);
        data->m_HelpTopicOverride = 0;
        if (answer != IDOK)
            return false;
        CopyOnLineToOffLine(nullptr);
    } else if (OnLineDriveCount() > 0) {
        ZRChoicesNoshow prompt("Message3", "Do you want to copy on-line data to offline before saving?",
                               ID_PROJECT_SAVE);
        if (prompt.DoModal() == IDYES)
            CopyOnLineToOffLine(nullptr);
    }
    return SaveDatabase();
}

bool ZRQuorvanceApp::SaveDatabase() {
    if (m_ProjectPath.empty())
        return SaveAsDatabase();
    ZRNodeMgr* manager = GetOffLineNodeMgr();
    if (!manager || !m_pStorage)
        return false;
    try {
        manager->DoSave();
        m_pStorage->SaveDB();
        return true;
    } catch (const ZRError& e) {
        ShowMessage(e.GetComboMessage());
        return false;
    }
}

bool ZRQuorvanceApp::SaveAsDatabase() {
    if (!IsDatabaseOpen())
        return false;
    std::string path = m_ProjectPath;
    if (!PromptProjectFile(path, "Save As", platform::ui::FD_PATHMUSTEXIST | platform::ui::FD_HIDEREADONLY,
                           false))
        return false;
    path = FileSystem::FullPath(path);
    // File names differ by case on this system: "Plant.qdb" is not "plant.qdb".
    if (!m_ProjectPath.empty() && path == m_ProjectPath)
        return OnFileSave();
    // The old file is replaced only once the new one is complete, so it is not deleted first; one
    // that could not be replaced is refused now.
    if (FileSystem::Exists(path) && !CanReplace(path)) {
        ShowMessage("Can not overwrite existing file.");
        return false;
    }
    std::string oldName = m_pOffLineRoot->GetName().GetAsString();
    try {
        if (ZRNodeMgr* manager = GetOffLineNodeMgr())
            manager->DoSave();
        m_pOffLineRoot->GetName().SetAsString(FileSystem::FileName(path));
        m_pStorage->SaveDBAs(path);
    } catch (const ZRError& e) {
        ShowMessage(e.GetComboMessage());
        try {
            if (m_pOffLineRoot->GetName().GetAsString() != oldName)
                m_pOffLineRoot->GetName().SetAsString(oldName);
        } catch (const ZRError&) {
        }
        return false;
    }
    m_ProjectPath = m_pStorage->GetFileName();
    AddRecentProject(m_ProjectPath);
    WriteLastOpenFile(m_ProjectPath);
    return true;
}

void ZRQuorvanceApp::CopyOnLineToOffLine(ZRObject* drive) {
    if (!IsDatabaseOpen())
        NewDatabase();
    ZRNodeMgr* manager = GetOffLineNodeMgr();
    if (!IsDatabaseOpen() || !manager)
        return;
    // A copy may change the list of on-line drives (a lost link), so walk a snapshot.
    std::vector<ZRObject*> drives = m_pOnLine->GetChildren();
    for (ZRObject* child : drives) {
        if (!child || (drive && child != drive))
            continue;
        manager->CopyObject(child->GetName().GetAsString(), child);
    }
}
