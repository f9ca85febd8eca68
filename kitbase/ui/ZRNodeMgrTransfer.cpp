// The structural operations of a node: export to and import from exchange files, copy, cut and paste
// through the object clipboard, copy with replacement of a namesake, overwrite, delete, and the drop
// half of drag and drop.
#include "kitbase/ui/ZRNodeMgr.h"

#include "kitbase/model/ZRCleanup.h"
#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRFactory.h"
#include "kitbase/model/ZRMsgBox.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/FileStream.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/WaitCursor.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <memory>

namespace {

using platform::core::Format;

const char* const kExportVersion = "1.2";
const char* const kFileFilter = "User data eXchange File (*.uxf)|*.uxf|All Files (*.*)|*.*||";
const char* const kBadFormat = "File does not have appropriate import format.";
const char* const kCannotImport =
    "Selected workspace node cannot import the type of data in the import file.";
const char* const kCorrupted = "Import file is corrupted. Unable to complete import.";
const char* const kImportFailed = "Import failed.";
const char* const kNoClipboard = "Paste failed - Unable to access internal clipboard";
const char* const kCleanupAfterCancel = "Unable to properly clean up after cancel.";
const char* const kCleanupAfterFailure = "Unable to properly clean up after failed object creation.";
// A long copy shows its progress from this many transactions on.
constexpr long kProgressThreshold = 50;
// An off-line side counts only for copies larger than this.
constexpr int32_t kOffLineThreshold = 2000;

void Box(const std::string& text) {
    platform::core::MessageBox(text);
}

// OK and Cancel; only OK means yes.
bool Ask(const std::string& text) {
    ZRMsgBox box;
    return box.Show(text, platform::core::MB_OKCANCEL) == platform::core::IDOK;
}

std::unique_ptr<ZRObject> MakeObject(int32_t type) {
    ZRFactory* factory = ZRObject::GetFactory();
    return factory ? factory->CreateObject(type) : nullptr;
}

void StopObserving(ZRMvcModel& model, platform::core::Observer* observer) {
    const auto has = [&](const std::vector<platform::core::Observer*>& list) {
        return std::find(list.begin(), list.end(), observer) != list.end();
    };
    while (has(model.GetObservers()) || has(model.GetPending()))
        model.RemoveObserver(observer);
}

using platform::core::ReadLine;

// Splits a line at its first ":"; false when the line has no key.
bool SplitKey(const std::string& line, std::string& key, std::string& value) {
    size_t colon = line.find(':');
    key = line.substr(0, colon);
    value = colon == std::string::npos ? std::string() : line.substr(colon + 1);
    return !key.empty();
}

bool IsChildOf(ZRObject* parent, ZRObject* child) {
    const ZRObject::ObjectList& children = parent->GetChildren();
    return std::find(children.begin(), children.end(), child) != children.end();
}

// Takes a new child out of storage and out of the parent again, and deletes it. Adding may have
// failed half way, with the child already linked. Answers false when the storage refused.
bool DiscardChild(ZRObject* parent, ZRObject* child) {
    bool clean = true;
    try {
        if (IsChildOf(parent, child)) {
            std::unique_ptr<ZRObject> gone = child->Remove();
        }
    } catch (const ZRError&) {
        clean = false;
    }
    if (IsChildOf(parent, child)) {
        try {
            std::unique_ptr<ZRObject> gone = parent->RemoveChild(child);
        } catch (const ZRError&) {
            clean = false;
        }
    }
    return clean;
}

// The item replaced by the last copy onto a namesake; compared only, never followed.
ZRTreeItem* g_pLastReplaced = nullptr;

} // namespace

// ---- Exchange files

void ZRNodeMgr::Export(const char* path) {
    ZRObject* object = GetModel();
    if (!object)
        return;
    std::string target;
    if (path) {
        target = path;
    } else {
        platform::ui::FileDialog dialog(false, "uxf", {},
                                        platform::ui::FD_HIDEREADONLY | platform::ui::FD_OVERWRITEPROMPT |
                                            platform::ui::FD_NOREADONLYRETURN,
                                        kFileFilter);
        dialog.SetTitle("Export To:");
        if (dialog.DoModal() != platform::core::IDOK)
            return;
        target = dialog.GetPathName();
    }
    platform::ui::WaitCursor wait;
    const std::string failed = Format("Export failed - Unable to write %s", target.c_str());
    std::ofstream out = platform::core::OpenOutputFile(target, std::ios::trunc);
    if (!out) {
        wait.Restore();
        Box(failed);
        return;
    }
    try {
        out << "ExportFileVersion:" << kExportVersion << '\n';
        out << "BeginObject:" << object->GetClass() << '\n';
        object->Export(out);
        out << "EndObject:\n";
        out.close();
    } catch (const ZRError& error) {
        wait.Restore();
        Box(error.GetComboMessage());
        return;
    }
    // The user must not believe a file was written when it was not.
    if (out.fail()) {
        wait.Restore();
        Box(failed);
    }
}

void ZRNodeMgr::Import(const char* path) {
    ZRObject* parent = GetModel();
    if (!parent)
        return;
    std::string source;
    if (path) {
        source = path;
    } else {
        platform::ui::FileDialog dialog(
            true, "uxf", {}, platform::ui::FD_HIDEREADONLY | platform::ui::FD_FILEMUSTEXIST, kFileFilter);
        dialog.SetTitle("Import From:");
        if (dialog.DoModal() != platform::core::IDOK)
            return;
        source = dialog.GetPathName();
    }
    platform::ui::WaitCursor wait;
    auto fail = [&wait](const char* text) {
        wait.Restore();
        Box(text);
    };
    std::ifstream in = platform::core::OpenInputFile(source);
    std::string line, key, value;
    if (!in || !ReadLine(in, line) || !SplitKey(line, key, value))
        return fail(kBadFormat);
    if (key == "ExportFileVersion") {
        float version = 0.0f;
        const char* first = value.data();
        std::from_chars(first, first + value.size(), version);
        ZRObject::SetImportVersion(version);
        if (!ReadLine(in, line) || !SplitKey(line, key, value))
            return fail(kBadFormat);
    } else {
        ZRObject::SetImportVersion(1.0f);
    }
    if (key != "BeginObject")
        return fail(kBadFormat);
    const int32_t type = static_cast<int32_t>(std::strtol(value.c_str(), nullptr, 10));
    if (!CanImport(type))
        return fail(kCannotImport);
    std::unique_ptr<ZRObject> object = MakeObject(type);
    if (!object)
        return fail(kCannotImport);

    try {
        object->Init();
        // A refused object text has reported itself.
        if (!object->Import(in))
            return;
        if (!ReadLine(in, line) || !SplitKey(line, key, value) || key != "EndObject")
            return fail(kCorrupted);
        std::string name = object->GetName().GetValue();
        MakeUnique(name, type, object->GetName().GetMaxLength());
        object->GetName().SetValue(name);
    } catch (const ZRError& error) {
        wait.Restore();
        Box(error.GetMessage());
        Box(kImportFailed);
        return;
    }
    ZRObject* child = object.get();
    try {
        parent->AddChild(std::move(object), true);
    } catch (const ZRError& error) {
        wait.Restore();
        Box(error.GetMessage());
        Box(kImportFailed);
        // Out of storage as well, so no half-stored rows stay behind.
        DiscardChild(parent, child);
    }
}

// ---- Clipboard

bool ZRNodeMgr::Copy() {
    ZRClipboard* clipboard = ZRClipboard::Instance();
    clipboard->Clear();
    ZRObject* object = GetModel();
    if (!object)
        return false;
    std::unique_ptr<ZRObject> copy = MakeObject(object->GetClass());
    if (!copy)
        return false;
    ShowProgressMeter(object, nullptr);
    ZRProgress* progress = ZRProgress::Instance();
    ZRCleanup cleanup(progress);
    try {
        copy->Init();
        copy->Copy(object, true);
        if (progress->IsCancelled())
            return false;
        int32_t count = 0;
        if (!object->DoGetTransCount(count))
            count = 0;
        clipboard->SetObject(std::move(copy));
        clipboard->SetType(object->GetClass());
        clipboard->SetTransCount(count);
        return true;
    } catch (const ZRError& error) {
        Box(error.GetComboMessage());
        return false;
    }
}

bool ZRNodeMgr::Cut() {
    return Copy() && Delete();
}

bool ZRNodeMgr::Paste() {
    platform::ui::WaitCursor wait;
    ZRObject* held = ZRClipboard::Instance()->GetObject();
    if (!held) {
        wait.Restore();
        Box(kNoClipboard);
        return false;
    }
    return CopyObject(held->GetName().GetValue(), held);
}

bool ZRNodeMgr::CopyObject(std::string name, ZRObject* source) {
    ZRObject* parent = GetModel();
    if (!parent || !source)
        return false;
    ZRTreeItem* namesakeItem = FindChild(name, source->GetClass());
    ZRNodeMgr* namesake = namesakeItem && m_pTree ? m_pTree->NodeOf(namesakeItem) : nullptr;
    ZRObject* replaced = namesake ? namesake->GetModel() : nullptr;
    if (!CheckSpace(source, replaced))
        return false;
    if (namesakeItem &&
        !Ask(Format("Child %s already exists, Replace it?", m_pTree->ItemText(namesakeItem).c_str())))
        return false;

    std::unique_ptr<ZRObject> copy = MakeObject(source->GetClass());
    if (!copy)
        return false;
    ShowProgressMeter(source, parent);
    ZRProgress* progress = ZRProgress::Instance();
    ZRCleanup cleanup(progress);
    ZRObject* child = nullptr;
    try {
        copy->Init();
        copy->Copy(source, true);
        if (progress->IsCancelled())
            return false;
        copy->GetName().SetValue(name);
        child = copy.get();
        parent->AddChild(std::move(copy), true);
        if (progress->IsCancelled()) {
            if (!DiscardChild(parent, child))
                Box(kCleanupAfterCancel);
            return false;
        }
    } catch (const ZRError& error) {
        Box(error.GetComboMessage());
        if (child && !DiscardChild(parent, child))
            Box(kCleanupAfterFailure);
        return false;
    }
    // The namesake goes only now that its replacement is in place, so a failure never loses both.
    if (namesake && namesake->Delete()) {
        g_pLastReplaced = namesakeItem;
        delete namesake;
    }
    return true;
}

bool ZRNodeMgr::Overwrite(ZRObject* source) {
    platform::ui::WaitCursor wait;
    if (!source)
        source = ZRClipboard::Instance()->GetObject();
    if (!source) {
        wait.Restore();
        Box(kNoClipboard);
        return false;
    }
    ZRObject* object = GetModel();
    if (!object)
        return false;
    if (source == object)
        return true;
    if (!CheckSpace(source, object))
        return false;
    if (!Ask(Format("Are you sure you want to replace the %s?", object->GetName().GetValue().c_str())))
        return false;
    ShowProgressMeter(source, object);
    ZRCleanup cleanup(ZRProgress::Instance());
    try {
        object->Copy(source, true);
    } catch (const ZRError& error) {
        Box(error.GetComboMessage());
        return false;
    }
    return true;
}

bool ZRNodeMgr::Delete() {
    ZRObject* object = GetModel();
    if (object) {
        StopObserving(*object, this);
        StopObserving(object->GetName(), this);
        if (m_pTreeName == &object->GetName())
            m_pTreeName = nullptr;
    }
    Cleanup();
    if (m_pTree && m_pNode) {
        m_pTree->SetItemData(m_pNode, nullptr);
        m_pTree->DeleteItem(m_pNode);
    }
    m_pNode = nullptr;
    if (!object)
        return true;
    // Cleared first: a failing Remove may already have deleted the object.
    SetModel(nullptr);
    try {
        std::unique_ptr<ZRObject> gone = object->Remove();
        if (m_pTree)
            m_pTree->viewport()->update();
        return true;
    } catch (const ZRError& error) {
        Box(error.GetComboMessage());
        return false;
    }
}

// ---- Names, space and progress

void ZRNodeMgr::MakeUnique(std::string& name, int32_t typeId, int maxLength) {
    std::string stem = name;
    std::string candidate = name;
    int counter = 0;
    while (FindChild(candidate, typeId)) {
        std::string suffix = Format("%d", ++counter);
        if (maxLength > 0) {
            if (suffix.size() > size_t(maxLength)) {
                Box("Unable to make a unique name");
                break;
            }
            if (stem.size() + suffix.size() > size_t(maxLength))
                stem.resize(size_t(maxLength) - suffix.size());
        }
        candidate = stem + suffix;
    }
    name = candidate;
}

bool ZRNodeMgr::CheckSpace(ZRObject* source, ZRObject* replaced) {
    ZRObject* object = GetModel();
    std::string message = "Action failed - Unable to determine if space is available";
    if (object && source && object->CheckSpace(source, replaced, message))
        return true;
    Box(message);
    return false;
}

bool ZRNodeMgr::ShowProgressMeter(ZRObject* source, ZRObject* target) {
    if (!source)
        return false;
    ZRDevice* from = source->GetDevice();
    ZRDevice* to = target ? target->GetDevice() : nullptr;
    int32_t count = 0;
    if (from) {
        if (!source->DoGetTransCount(count))
            count = 0;
    } else {
        count = ZRClipboard::Instance()->GetTransCount();
    }
    long total = 0;
    if (from) {
        if (!from->IsOffLine())
            total += count;
        else if (count > kOffLineThreshold && (!to || to == from))
            total += count;
    }
    if (to) {
        if (!to->IsOffLine())
            total += count;
        else if (count > kOffLineThreshold && !from)
            total += count;
    }
    if (total <= kProgressThreshold)
        return false;
    platform::ui::EnableMainWindow(false);
    ZRProgress::Instance()->Show(Format("Copying %s...", source->GetName().GetValue().c_str()), double(total),
                                 true);
    return true;
}

// ---- Drop

void ZRNodeMgr::DragCopy(ZRTreeItem* dragged) {
    platform::ui::WaitCursor wait;
    ZRNodeMgr* draggedNode = m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    ZRObject* object = draggedNode ? draggedNode->GetModel() : nullptr;
    if (!object)
        return;
    if (FindAncestor(dragged)) {
        wait.Restore();
        Box("Cannot copy object. The destination is a child of the object.");
        return;
    }
    std::string name = object->GetName().GetValue();
    if (FindChild(dragged))
        MakeUnique(name, object->GetClass(), object->GetName().GetMaxLength());
    CopyObject(name, object);
}

void ZRNodeMgr::DragMove(ZRTreeItem* dragged) {
    platform::ui::WaitCursor wait;
    ZRNodeMgr* draggedNode = m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    ZRObject* object = draggedNode ? draggedNode->GetModel() : nullptr;
    ZRObject* parent = GetModel();
    if (!object || !parent)
        return;
    if (FindChild(dragged)) {
        wait.Restore();
        Box("Cannot move object. Source and destination are the same.");
        return;
    }
    // Into itself would make the object its own child.
    if (dragged == m_pNode || FindAncestor(dragged)) {
        wait.Restore();
        Box("Cannot move object. The destination is a child of the object.");
        return;
    }
    ZRDevice* device = parent->GetDevice();
    if (device && device->IsOffLine() && object->GetDevice() == device) {
        parent->MoveChild(object);
        return;
    }

    // A copy and a delete through the clipboard, which keeps what the user put there.
    ZRClipboard* clipboard = ZRClipboard::Instance();
    struct Saved {
        ZRClipboard* clipboard;
        std::unique_ptr<ZRObject> object;
        int32_t type;
        int32_t count;
        ~Saved() {
            clipboard->Clear();
            clipboard->SetObject(std::move(object));
            clipboard->SetType(type);
            clipboard->SetTransCount(count);
        }
    } saved{clipboard, clipboard->TakeObject(), clipboard->GetType(), clipboard->GetTransCount()};

    // Replacing a namesake that holds the dragged node takes the dragged node with it.
    ZRTreeItem* namesake = FindChild(object->GetName().GetValue(), object->GetClass());
    bool inNamesake = false;
    for (ZRTreeItem* up = namesake ? m_pTree->ParentItem(dragged) : nullptr; up && !inNamesake;
         up = m_pTree->ParentItem(up))
        inNamesake = up == namesake;

    if (!draggedNode->Copy())
        return;
    g_pLastReplaced = nullptr;
    // The source goes only once its copy is in place.
    if (!Paste())
        return;
    if (inNamesake && g_pLastReplaced == namesake)
        return;
    if (draggedNode->Delete())
        delete draggedNode;
}
