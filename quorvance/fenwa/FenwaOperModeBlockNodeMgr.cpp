#include "quorvance/fenwa/FenwaOperModeBlockNodeMgr.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/ZRCommandRow.h"
#include "platform/ui/Menu.h"
#include "quorvance/fenwa/FenwaBlockSetup.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaDrive.h"
#include "quorvance/tarvik/TarvikNodeSupport.h"

FenwaOperModeBlockNodeMgr::FenwaOperModeBlockNodeMgr(ZRObject* block, ZRTreeItem* item, ZRWorkspaceView* view)
    : ZRNodeMgr(item, block, view) {}

FenwaDrive* FenwaOperModeBlockNodeMgr::DriveOf(ZRObject* block) {
    return fenwa::DriveOf(block);
}

void FenwaOperModeBlockNodeMgr::SetUp(const Shape& shape, const platform::ui::MenuItem& popup) {
    const auto position = static_cast<size_t>(shape.position);
    if (!platform::ui::HasSubMenu(shape.menuId, position))
        platform::ui::RegisterSubMenu(shape.menuId, position, popup);
    SetMenu(shape.menuId, shape.position);
    FenwaDrive* drive = DriveOf(GetModel());
    SetViewTitle(shape.titleFormat, drive ? &drive->GetName() : nullptr);
    SetIconID(shape.icon);
    SetHelpTopic(shape.helpTopic);
    SetPropsHelpTopic(shape.propsHelpTopic);
    SetHasCommands(true);
}

void FenwaOperModeBlockNodeMgr::DoCommand(unsigned int id) {
    if (id != ID_FENWA_SAVE_PARAMETERS)
        return;
    if (FenwaDrive* drive = DriveOf(GetModel()))
        drive->SaveParameters();
}

const platform::ui::CommandTable* FenwaOperModeBlockNodeMgr::Commands() const {
    return &TailCommands();
}

void FenwaOperModeBlockNodeMgr::BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows) {
    rows.push_back(std::make_unique<ZRCommandRow>("Save Parameters", ID_FENWA_SAVE_PARAMETERS, this));
}

ZRModelDoc* FenwaOperModeBlockNodeMgr::BuildPropsDoc() {
    return tarvik::NewPropsDoc();
}

void FenwaOperModeBlockNodeMgr::DefaultAction() {
    ShowProperties();
}
