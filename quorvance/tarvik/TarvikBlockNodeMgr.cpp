#include "quorvance/tarvik/TarvikBlockNodeMgr.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "platform/ui/Menu.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/tarvik/TarvikBlockSetup.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

#include <memory>

TarvikBlockNodeMgr::TarvikBlockNodeMgr(ZRObject* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view) {}

void TarvikBlockNodeMgr::SetUp(const Shape& shape) {
    const auto position = static_cast<size_t>(shape.subMenu);
    if (!platform::ui::HasSubMenu(IDR_OFFLINE_ROOT_MENU, position))
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
    return tarvik::AddSubGroup(parent, std::move(name), members);
}

const platform::ui::CommandTable* TarvikBlockNodeMgr::Commands() const {
    return &TailCommands();
}

ZRModelDoc* TarvikBlockNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void TarvikBlockNodeMgr::DefaultAction() {
    ShowProperties();
}
