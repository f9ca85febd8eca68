#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRQuorvanceApp.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"

#include <memory>

TarvikBlockNodeMgr::TarvikBlockNodeMgr(ZRObject* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view) {}

void TarvikBlockNodeMgr::SetUp(const Shape& shape) {
    const std::vector<platform::ui::MenuItem>* menu = platform::ui::FindMenu(IDR_OFFLINE_ROOT_MENU);
    const auto position = static_cast<size_t>(shape.subMenu);
    if (!menu || menu->size() <= position || !menu->at(position).IsSubMenu())
        platform::ui::RegisterSubMenu(
            IDR_OFFLINE_ROOT_MENU, position,
            platform::ui::MenuItem(shape.menuText, {platform::ui::MenuItem(ID_PROPERTIES, "Properties...")}));
    SetMenu(IDR_OFFLINE_ROOT_MENU, shape.subMenu);
    ZRObject* drive = tarvik::DriveOf(GetModel());
    SetViewTitle(shape.titleFormat, drive ? &drive->GetName() : nullptr);
    SetIconID(shape.icon);
    SetHelpTopic(shape.helpTopic);
    SetPropsHelpTopic(shape.propsHelpTopic);
}

ZRPropertyGroup& TarvikBlockNodeMgr::AddGroup(ZRPropertyGroup& parent, std::string name,
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

const platform::ui::CommandTable* TarvikBlockNodeMgr::Commands() const {
    return &TailCommands();
}

ZRModelDoc* TarvikBlockNodeMgr::BuildPropsDoc() {
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

void TarvikBlockNodeMgr::DefaultAction() {
    ShowProperties();
}
