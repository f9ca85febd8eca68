#include "quorvance/tarvik/TarvikNodeSupport.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRPropertyGroup.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Modal.h"
#include "platform/ui/MainWindow.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/ZRDrive.h"

#include <QObject>

#include <memory>

namespace tarvik {

ZRModelDoc* NewPropsDoc() {
    auto document = std::make_unique<ZRModelDoc>();
    auto frame = std::make_unique<CSizableChildFrame>();
    auto* view = new ZRPropertiesView;
    frame->SetView(view);
    document->AddView(view);
    ZRQuorvanceApp* app = ZRQuorvanceApp::Instance();
    if (platform::ui::MainWindow* main = app ? app->GetMainWindow() : nullptr)
        main->AddChildFrame(frame.get());
    // The main window's document area holds the frame (and with it the view) from here on.
    frame.release();
    return document.release();
}

ZRPropertiesView* TakePropsView(ZRModelDoc* document) {
    ZRPropertiesView* view = nullptr;
    if (document && !document->GetViews().empty())
        view = dynamic_cast<ZRPropertiesView*>(document->GetViews().front());
    if (!view) {
        ResetPaneSwitches();
        delete document;
        return nullptr;
    }
    // The document has no other owner.
    QObject::connect(view, &QObject::destroyed, [document] { delete document; });
    return view;
}

int ActivatePropsWindow(ZRNodeMgr& node, unsigned short icon) {
    int index = -1;
    if (!node.FindIcon(icon, index))
        return -1;
    if (CSizableChildFrame* frame = node.GetPropsFrame(index))
        frame->ActivateFrame(frame->isMinimized() ? platform::ui::ChildFrame::ShowRestore
                                                  : platform::ui::ChildFrame::ShowKeep);
    if (ZRPropertiesView* view = node.GetPropsView(index))
        view->setFocus();
    return index;
}

bool IsOnLine(ZRObject* object) {
    ZRDevice* device = object ? object->GetDevice() : nullptr;
    return device && !device->IsOffLine();
}

bool PreparePanes(ZRObject* object) {
    const bool panes = IsOnLine(object) || ZRGlobalDataMgr::IsStartUpComplete();
    if (!panes)
        ZRPropertiesView::s_bCreateStatusPane = ZRPropertiesView::s_bCreateServicesPane = false;
    return panes;
}

void ResetPaneSwitches() {
    ZRPropertiesView::s_bCreateStatusPane = ZRPropertiesView::s_bCreateServicesPane = true;
}

ZRPropertyGroup& AddSubGroup(ZRPropertyGroup& parent, std::string name,
                             std::initializer_list<ZRAttribute*> members) {
    auto group = std::make_unique<ZRPropertyGroup>();
    ZRPropertyGroup& added = *group;
    group->SetName(std::move(name));
    for (ZRAttribute* member : members)
        if (member)
            group->AddProperty(member);
    parent.AddGroup(std::move(group));
    return added;
}

ZRNodeMgr* AddBlockNode(ZRWorkspaceView& tree, ZRTreeItem* parent, const char* text, int image,
                        const std::function<std::unique_ptr<ZRNodeMgr>(ZRTreeItem* item)>& make) {
    ZRTreeItem* item = tree.InsertItem(text, parent);
    tree.SetItemImage(item, image);
    std::unique_ptr<ZRNodeMgr> node = make(item);
    if (!node) {
        tree.DeleteItem(item);
        return nullptr;
    }
    // The tree item holds the node from here on.
    ZRNodeMgr* held = node.release();
    tree.SetItemData(item, held);
    held->Initialize();
    return held;
}

void FactoryReset(ZRDrive* drive, const Ask& ask) {
    if (!IsOnLine(drive)) {
        platform::core::MessageBox("The Drive is Offline.");
        return;
    }
    constexpr unsigned kAskNoDefault =
        platform::core::MB_YESNO | platform::core::MB_ICONQUESTION | platform::core::MB_DEFBUTTON2;
    if (ask("Do you want to reset the drive parameters to factory settings and reset the drive?",
            kAskNoDefault) == platform::core::IDYES &&
        drive->ResetPersonality() && drive->RestartDrive() < 0)
        return;
    drive->GetName().Refresh(false);
}

} // namespace tarvik
