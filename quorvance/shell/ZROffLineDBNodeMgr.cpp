#include "quorvance/shell/ZROffLineDBNodeMgr.h"

#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRFactory.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZROptions.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRTestEx.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/CommonDialogs.h"
#include "platform/ui/Menu.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/merrix/MerrixIds.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/zelna/ZelnaIds.h"

#include <cstdlib>
#include <memory>
#include <span>

using namespace platform::ui::ids;

using platform::core::Format;

namespace {

constexpr int32_t kTarvikDrive = tarvik::kStandardDriveType;
constexpr int32_t kTarvikIndexingDrive = tarvik::kIndexingDriveType;
constexpr int32_t kMerrixDrive = merrix::kDriveType;
constexpr int32_t kFenwaDrive = fenwa::kDriveType;
constexpr int32_t kZelnaDrive = zelna::kDriveType;
constexpr int32_t kProject = -199;
// The Tarvik product type is parameter 0; bit 0x20 marks a SERCOS drive.
constexpr int32_t kProductTypeAttribute = 0x0000FFFF;
constexpr long kSercosBit = tarvik::kProductSercos;

constexpr const char* kImportFilter =
    "User data eXchange File (*.uxf)|*.uxf|Olbra/200 Parameter File (*.par)|*.par|"
    "DRIMO program script(*.qps)|*.qps|All Files (*.*)|*.*||";
constexpr const char* kWrongResponse = "Error: Wrong response type for FileImport Name.";

bool IsTarvik(int32_t type) {
    return type == kTarvikDrive || type == kTarvikIndexingDrive;
}

bool IsSercosTarvik(ZRObject* drive) {
    for (ZRObject::AttributeList* list : {&drive->GetProperties(), &drive->GetMiscAttributes()})
        for (ZRAttribute* attribute : *list)
            if (attribute && attribute->GetAttribute() == kProductTypeAttribute)
                return (std::strtol(attribute->GetInternalAsString().c_str(), nullptr, 10) & kSercosBit) != 0;
    return false;
}

bool In(int32_t type, std::span<const int32_t> set) {
    for (int32_t t : set)
        if (t == type)
            return true;
    return false;
}

constexpr int32_t kAccepted[] = {kMerrixDrive, kProject, kFenwaDrive, kZelnaDrive};
constexpr int32_t kImportable[] = {kMerrixDrive, kProject,    kTarvikIndexingDrive,
                                   kTarvikDrive, kFenwaDrive, kZelnaDrive};

// The types a new child of the type goes after; empty: it always goes last.
std::span<const int32_t> SkipSet(int32_t type) {
    static constexpr int32_t tarvik[] = {kTarvikDrive};
    static constexpr int32_t indexing[] = {kTarvikDrive, kTarvikIndexingDrive};
    static constexpr int32_t merrix[] = {kTarvikDrive, kTarvikIndexingDrive, kMerrixDrive};
    static constexpr int32_t fenwa[] = {kTarvikDrive, kTarvikIndexingDrive, kMerrixDrive, kFenwaDrive};
    static constexpr int32_t zelna[] = {kTarvikDrive, kTarvikIndexingDrive, kMerrixDrive, kZelnaDrive};
    switch (type) {
    case kTarvikDrive:
        return tarvik;
    case kTarvikIndexingDrive:
        return indexing;
    case kMerrixDrive:
        return merrix;
    case kFenwaDrive:
        return fenwa;
    case kZelnaDrive:
        return zelna;
    default:
        return {};
    }
}

template <class T> T* FindProperty(ZRObject& object, const std::string& name) {
    for (ZRAttribute* attribute : object.GetProperties())
        if (attribute && attribute->GetName() == name)
            if (auto* typed = dynamic_cast<T*>(attribute))
                return typed;
    return nullptr;
}

void RegisterMenus() {
    // The drive nodes fill other positions of the same resource.
    if (platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, 1))
        return;
    using platform::ui::MenuItem;
    std::vector<MenuItem> offLine{MenuItem(ID_EDIT_PASTE, "&Paste"), MenuItem::Separator()};
    for (const ZRMenuEntry& entry : ZRFamilyRegistry::Instance().MenuEntries(ZRFamilyMenu::OffLineRoot))
        offLine.emplace_back(entry.id, entry.text);
    offLine.insert(offLine.end(),
                   {MenuItem(ID_INSERT_PROJECT, "Insert P&roject"), MenuItem::Separator(),
                    MenuItem(ID_PROJECT_SAVE_AS, "Save &As..."), MenuItem(ID_IMPORT, "&Import...")});
    // Entry 0 belongs to the on-line root, entry 1 to this one.
    platform::ui::RegisterSubMenu(IDR_OFFLINE_ROOT_MENU, 0,
                                  MenuItem("OnLine", {MenuItem(ID_RESCAN, "&Rescan")}));
    platform::ui::RegisterSubMenu(IDR_OFFLINE_ROOT_MENU, 1, MenuItem("OffLineDB", std::move(offLine)));
}

} // namespace

ZROffLineDBNodeMgr::ZROffLineDBNodeMgr(ZRTreeItem* item, ZRObject* root, ZRWorkspaceView* view)
    : ZRNodeMgr(item, root, view) {
    // The label is "Off-line: %s", not the bare name the base would give it.
    SetTreeName(nullptr);
}

ZROffLineDBNodeMgr::~ZROffLineDBNodeMgr() = default;

// ---- Commands

const platform::ui::CommandTable* ZROffLineDBNodeMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZROffLineDBNodeMgr>;
    static const platform::ui::CommandTable table{
        {Row(ID_EDIT_PASTE, &ZROffLineDBNodeMgr::OnPaste, &ZROffLineDBNodeMgr::OnUpdatePaste),
         Row(ID_IMPORT, &ZROffLineDBNodeMgr::OnImport)},
        &TailCommands()};
    return &table;
}

void ZROffLineDBNodeMgr::OnPaste() {
    Paste();
}

void ZROffLineDBNodeMgr::OnUpdatePaste(platform::ui::CommandState& state) {
    state.enabled = IsAcceptedChild(ZRClipboard::Instance()->GetObject());
}

bool ZROffLineDBNodeMgr::IsAcceptedChild(ZRObject* object) {
    if (!object)
        return false;
    int32_t type = object->GetClass();
    if (In(type, kAccepted))
        return true;
    return IsTarvik(type) && !IsSercosTarvik(object);
}

int ZROffLineDBNodeMgr::ChildImage(int32_t typeId) {
    switch (typeId) {
    case kTarvikDrive:
    case kTarvikIndexingDrive:
        return ZRImages::kTarvikDrive;
    case kMerrixDrive:
        return ZRImages::kMerrixDrive;
    case kFenwaDrive:
        return ZRImages::kFenwaDrive;
    case kZelnaDrive:
        return ZRImages::kZelnaDrive;
    case kProject:
        return ZRImages::kProject;
    default:
        return -1;
    }
}

void ZROffLineDBNodeMgr::CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain,
                                 bool& copyWithCtrl) {
    dropItem = nullptr;
    ZRNodeMgr* source = dragged && m_pTree ? m_pTree->NodeOf(dragged) : nullptr;
    if (!source || !IsAcceptedChild(source->GetModel()))
        return;
    dropItem = m_pNode;
    copyPlain = true;
    copyWithCtrl = false;
}

bool ZROffLineDBNodeMgr::CanImport(int32_t typeId) {
    return In(typeId, kImportable);
}

void ZROffLineDBNodeMgr::Initialize() {
    RegisterMenus();
    SetMenu(IDR_OFFLINE_ROOT_MENU, 1);
    ZRUpdate update(ZRUpdate::InitialUpdate);
    OnUpdate(static_cast<ZRMvcModel*>(GetModel()), &update);
    SetHelpTopic(kHelpTopicOffLineRoot);
}

// ---- Tree

void ZROffLineDBNodeMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRObject* root = GetModel();
    switch (ReasonOf(message)) {
    case ZRUpdate::ValueChanged:
        if (root && m_pTree && m_pNode && subject == static_cast<ZRMvcModel*>(&root->GetName()))
            m_pTree->SetItemText(m_pNode, Format("Off-line: %s", root->GetName().GetValue().c_str()));
        break;
    case ZRUpdate::ChildAdded:
        if (root && subject == static_cast<ZRMvcModel*>(root))
            if (ZRTreeItem* added = AddChildItems()) {
                m_pTree->SelectItem(added);
                m_pTree->viewport()->update();
            }
        break;
    case ZRUpdate::InitialUpdate:
        AddChildItems();
        break;
    default:
        break;
    }
    ZRNodeMgr::OnUpdate(subject, message);
}

ZRNodeMgr* ZROffLineDBNodeMgr::CreateChildNode(ZRObject* child, ZRTreeItem* item) {
    ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(child->GetClass());
    // The tree item holds the node from here on.
    return make ? make(child, item, GetTree()).release() : nullptr;
}

ZRTreeItem* ZROffLineDBNodeMgr::AddChildItems() {
    ZRObject* root = GetModel();
    if (!root || !m_pTree || !m_pNode)
        return nullptr;
    ZRTreeItem* lastAdded = nullptr;
    // A copy: a child's set-up never adds objects here, but stay safe.
    const ZRObject::ObjectList children = root->GetChildren();
    for (ZRObject* child : children) {
        int image = child ? ChildImage(child->GetClass()) : -1;
        if (image < 0 || FindChild(static_cast<ZRMvcModel*>(child)))
            continue;
        bool last = false;
        ZRTreeItem* after = InsertAfter(child->GetClass(), last);
        const std::string name = child->GetName().GetValue();
        ZRTreeItem* item =
            last ? m_pTree->InsertItem(name, m_pNode) : m_pTree->InsertItem(name, m_pNode, after);
        m_pTree->SetItemImage(item, image);
        ZRNodeMgr* manager = CreateChildNode(child, item);
        if (!manager) {
            m_pTree->DeleteItem(item);
            continue;
        }
        m_pTree->SetItemData(item, manager);
        manager->Initialize();
        lastAdded = item;
        if (IsTarvik(child->GetClass()))
            if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance())
                app->ShowDriveAddedMessage(name);
    }
    return lastAdded;
}

ZRTreeItem* ZROffLineDBNodeMgr::InsertAfter(int32_t typeId, bool& last) const {
    last = false;
    std::span<const int32_t> skip = SkipSet(typeId);
    if (skip.empty()) {
        last = true;
        return nullptr;
    }
    ZRTreeItem* skipped = nullptr;
    for (ZRTreeItem* item : m_pTree->Children(m_pNode)) {
        ZRNodeMgr* manager = m_pTree->NodeOf(item);
        ZRObject* object = manager ? manager->GetModel() : nullptr;
        if (!object)
            break;
        if (!In(object->GetClass(), skip))
            return skipped;
        skipped = item;
    }
    last = true;
    return nullptr;
}

// ---- New children

void ZROffLineDBNodeMgr::AddNewChild(int32_t typeId, const std::string& stem) {
    ZRObject* root = GetModel();
    ZRFactory* factory = ZRObject::GetFactory();
    if (!root || !factory)
        return;
    platform::ui::WaitCursor wait;
    std::unique_ptr<ZRObject> object = factory->CreateObject(typeId);
    if (!object)
        return;
    object->Init();
    if (typeId == kProject) {
        if (auto* firmware = FindProperty<ZRIndexSelection>(*object, "Targeted Firmware"))
            if (ZROptions* options = firmware->GetOptions(); options && options->GetCount() >= 2)
                firmware->SetValue(options->GetCount() - 2);
        if (auto* compiler = FindProperty<ZRIndexSelection>(*object, "Compiler Version"))
            compiler->SetAsString("2.x");
    }
    std::string name = stem;
    MakeUnique(name, typeId, object->GetName().GetMaxLength());
    object->GetName().SetValue(name);
    root->AddChild(std::move(object), true);
}

void ZROffLineDBNodeMgr::NewTarvikDrive() {
    // A Tarvik drive needs its product type from the drive type dialog before Init; both come with
    // the Tarvik family, which fills this in. Until then nothing is asked and nothing is added.
}

void ZROffLineDBNodeMgr::NewMerrixDrive() {
    AddNewChild(kMerrixDrive, "Drive");
}

void ZROffLineDBNodeMgr::NewFenwaDrive() {
    AddNewChild(kFenwaDrive, "Drive");
}

void ZROffLineDBNodeMgr::NewZelnaDrive() {
    AddNewChild(kZelnaDrive, "Drive");
}

void ZROffLineDBNodeMgr::NewProject() {
    std::string install;
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance;
    if (data && data->OpenMachineSection("") && data->GetMachineKey().GetStringValue("INSTALL", install)) {
        std::string path = platform::core::JoinPath(install, "New Project.uxf");
        if (platform::core::FileSystem::Exists(path)) {
            Import(path.c_str());
            return;
        }
    }
    AddNewChild(kProject, "Project");
}

// ---- Import

void ZROffLineDBNodeMgr::OnImport() {
    std::string path;
    if (ZRTestEx::s_bRunningTests) {
        ZRTestEx* tests = ZRTestEx::Instance();
        if (tests->PeekRespTypeFromQue() != ZRTestEx::TextResponse || !tests->GetTextResponseFromQue(path)) {
            tests->WriteToLog(kWrongResponse);
            platform::core::MessageBox(std::string("Test ") + kWrongResponse);
            path.clear();
        }
    }
    if (path.empty()) {
        platform::ui::FileDialog dialog(true, "uxf", {}, platform::ui::FD_FILEMUSTEXIST, kImportFilter);
        dialog.SetTitle("Import From:");
        if (dialog.DoModal() != platform::core::IDOK)
            return;
        path = dialog.GetPathName();
    }
    const std::string extension = platform::core::ToLower(platform::core::FileSystem::Extension(path));
    if (extension == "uxf")
        Import(path.c_str());
    // Other programs' files (".par", ".qps") are converted by the family that registers their
    // extension; any other extension does nothing.
    else if (ZRFileConverter convert = ZRFamilyRegistry::Instance().FindFileConverter(extension))
        convert(*this, path);
}
