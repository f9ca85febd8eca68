#include "quorvance/online/ZROnLineRootMgr.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/FileStream.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/merrix/MerrixIds.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRPlainDriveNodeMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/zelna/ZelnaIds.h"

#include <QTreeWidget>

#include <algorithm>
#include <fstream>

namespace {

bool IsTarvikDrive(int32_t type) {
    return type == tarvik::kStandardDriveType || type == tarvik::kIndexingDriveType;
}

bool IsSercosDrive(ZRObject* child) {
    auto* drive = dynamic_cast<ZRDrive*>(child);
    return drive && (drive->GetProductType() & tarvik::kProductSercos);
}

void RegisterRootMenu() {
    if (platform::ui::FindMenu(online::kRootMenu))
        return;
    using platform::ui::MenuItem;
    platform::ui::RegisterMenu(online::kRootMenu,
                               {MenuItem("OnLine", {MenuItem(ID_ONLINE_SELF_TEST, "Self-Test")})});
}

} // namespace

ZROnLineRootMgr::ZROnLineRootMgr(ZRTreeItem* item, ZROnLine* onLine, ZRWorkspaceView* view)
    : ZRNodeMgr(item, onLine, view) {}

const platform::ui::CommandTable* ZROnLineRootMgr::Commands() const {
    using Row = platform::ui::CommandRow<ZROnLineRootMgr>;
    static const platform::ui::CommandTable table{{Row(ID_ONLINE_SELF_TEST, &ZROnLineRootMgr::OnSelfTest)},
                                                  &BaseCommands()};
    return &table;
}

void ZROnLineRootMgr::Initialize() {
    ZRUpdate populate(ZRUpdate::InitialUpdate);
    OnUpdate(static_cast<ZRMvcModel*>(GetModel()), &populate);
    if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance(); app && app->IsTestMode()) {
        RegisterRootMenu();
        SetMenu(online::kRootMenu, 0);
    }
    SetHelpTopic(online::kHelpTopicRoot);
}

int ZROnLineRootMgr::ChildImage(ZRObject* child) {
    const int32_t type = child->GetClass();
    if (IsTarvikDrive(type))
        return IsSercosDrive(child) ? ZRImages::kSercosDrive : ZRImages::kTarvikDrive;
    if (type == merrix::kDriveType)
        return ZRImages::kMerrixDrive;
    if (type == fenwa::kDriveType)
        return ZRImages::kFenwaDrive;
    if (type == zelna::kDriveType)
        return ZRImages::kZelnaDrive;
    if (type == tarvik::kBrokenDriveType || type == merrix::kBrokenDriveType || type == fenwa::kBrokenDriveType ||
        type == zelna::kBrokenDriveType)
        return ZRImages::kPlaceholder;
    return -1;
}

ZRNodeMgr* ZROnLineRootMgr::CreateChildNode(ZRObject* child, ZRTreeItem* item) {
    // A family's own node where it registered one; placeholders of every family open their properties.
    if (ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(child->GetClass()))
        return make(child, item, m_pTree).release(); // the tree item holds the node from here on
    if (IsTarvikDrive(child->GetClass()) || ChildImage(child) == ZRImages::kPlaceholder)
        return new ZRPlainDriveNodeMgr(item, child, m_pTree);
    return nullptr;
}

void ZROnLineRootMgr::OnUpdate(platform::core::Subject* subject, platform::core::Message* message) {
    ZRObject* root = GetModel();
    const bool fromRoot = root && subject == static_cast<platform::core::Subject*>(static_cast<ZRMvcModel*>(root));
    switch (fromRoot ? ReasonOf(message) : -1) {
    case ZRUpdate::ChildAdded:
        if (ZRTreeItem* added = AddChildItems()) {
            m_pTree->SelectItem(added);
            m_pTree->viewport()->update();
        }
        break;
    case ZRUpdate::InitialUpdate:
        AddChildItems();
        break;
    case ZRUpdate::ChildRemoved:
        RemoveChildItems();
        break;
    default:
        break;
    }
    ZRNodeMgr::OnUpdate(subject, message);
}

ZRTreeItem* ZROnLineRootMgr::AddChildItems() {
    ZRObject* root = GetModel();
    if (!root || !m_pTree || !m_pNode)
        return nullptr;
    ZRTreeItem* lastAdded = nullptr;
    const ZRObject::ObjectList children = root->GetChildren();
    for (ZRObject* child : children) {
        const int image = ChildImage(child);
        if (image < 0 || FindChild(static_cast<ZRMvcModel*>(child)))
            continue;
        const std::string name = child->GetName().GetValue();
        ZRTreeItem* item = m_pTree->InsertItem(name, m_pNode);
        m_pTree->SetItemImage(item, image);
        ZRNodeMgr* manager = CreateChildNode(child, item);
        if (!manager) {
            m_pTree->DeleteItem(item);
            continue;
        }
        if (IsTarvikDrive(child->GetClass()))
            if (ZRQuorvanceApp* app = ZRQuorvanceApp::Instance())
                app->ShowDriveAddedMessage(name);
        m_pTree->SetItemData(item, manager);
        manager->Initialize();
        lastAdded = item;
    }
    return lastAdded;
}

void ZROnLineRootMgr::RemoveChildItems() {
    ZRObject* root = GetModel();
    if (!root || !m_pTree || !m_pNode)
        return;
    for (ZRTreeItem* item : m_pTree->Children(m_pNode)) {
        ZRNodeMgr* manager = m_pTree->NodeOf(item);
        if (!manager || root->GetChildren().Contains(manager->GetModel()))
            continue;
        manager->Cleanup();
        m_pTree->SetItemData(item, nullptr);
        m_pTree->DeleteItem(item);
        delete manager;
    }
    m_pTree->viewport()->update();
}

void ZROnLineRootMgr::OnSelfTest() {
    if (!m_pTree)
        return;
    std::ofstream out = platform::core::OpenOutputFile("CopyTest.txt");
    m_pTree->TestCopy(out);
}
