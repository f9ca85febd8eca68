#pragma once

#include "kitbase/ui/ZRNodeMgr.h"

#include <cstdint>
#include <string>

// The node of the "Off-line: %s" root: the open project's root folder. It keeps the root's label in
// step with the project name, shows the drives and program projects kept in the file in family
// order, adds new ones, takes drops and pastes of them and imports exchange files.
class ZROffLineDBNodeMgr : public ZRNodeMgr {
public:
    ZROffLineDBNodeMgr(ZRTreeItem* item, ZRObject* root, ZRWorkspaceView* view);
    ~ZROffLineDBNodeMgr() override;

    const platform::ui::CommandTable* Commands() const override;
    void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl) override;
    bool CanImport(int32_t typeId) override;
    void Initialize() override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    void OnPaste();
    void OnImport();
    void OnUpdatePaste(platform::ui::CommandState& state);

    // The Insert commands of the application. A family whose object class the factory does not
    // know adds nothing.
    void NewTarvikDrive();
    void NewMerrixDrive();
    void NewFenwaDrive();
    void NewZelnaDrive();
    void NewProject();

    // Whether an object of the type may come under the root by a drop or a paste.
    static bool IsAcceptedChild(ZRObject* object);
    // The tree image of a child of the type; -1 when the root shows no such child.
    static int ChildImage(int32_t typeId);

protected:
    // The node manager of a shown child, or null while its family's node class is not in the
    // program (the child then gets no tree item).
    virtual ZRNodeMgr* CreateChildNode(ZRObject* child, ZRTreeItem* item);

private:
    // Items for the children that have none yet, at their family's place. Answers the last added.
    ZRTreeItem* AddChildItems();
    // The sibling a new item of the type follows; null: first. Sets last when it goes last.
    ZRTreeItem* InsertAfter(int32_t typeId, bool& last) const;
    // Makes the factory's object of the type, names it uniquely after stem and adds it to the root.
    void AddNewChild(int32_t typeId, const std::string& stem);
};
