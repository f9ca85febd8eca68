#pragma once

#include "kitbase/ui/ZRPropertyGroup.h"
#include "platform/core/Observer.h"
#include "platform/ui/Command.h"
#include "platform/ui/WindowMessage.h"

#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class QPoint;
class QWidget;
class CSizableChildFrame;
class ZRAttribute;
class ZRGridRow;
class ZRGroupRow;
class ZRModelDoc;
class ZRMonitorRowFactory;
class ZRMvcModel;
class ZRObject;
class ZRPropertiesView;
class ZRStringAttribute;
class ZRWorkspaceView;

namespace platform::core {
class FileSystem;
}
namespace platform::ui {
class TreeViewItem;
}

// A tree item of the workspace view (platform::ui::TreeItem); it carries its node manager as item data.
using ZRTreeItem = platform::ui::TreeViewItem;

// The controller of one workspace tree item: binds the item to its object, keeps the label in step
// with the object's name, builds the node's rows, menus, reports and windows, makes and deletes the
// managers of the child items, and handles the node's messages and commands. Its model is its object.
//
// The workspace view offers the node its window messages (MessageHandler) and commands
// (CommandTarget). A class declares its commands as one table (Commands) whose base is the tail
// (TailCommands: Properties, then the base map), or the base map (BaseCommands) for a class
// without the Properties command.
//
// The exchange, clipboard, delete and drag-and-drop operations (Export, Import, Copy, Cut, Paste,
// CopyObject, Overwrite, Delete, MakeUnique, CheckSpace, ShowProgressMeter, DragCopy, DragMove) are
// defined in ZRNodeMgrTransfer.cpp.
class ZRNodeMgr : public platform::ui::MessageHandler,
                  public platform::ui::CommandTarget,
                  public platform::core::Observer {
public:
    // Keeps the three, takes the object's name as the tree name and observes the object and its name.
    // A manager without item or view (rows and reports only) is allowed.
    ZRNodeMgr(ZRTreeItem* item, ZRObject* object, ZRWorkspaceView* view);
    // Stops observing; deletes the monitor group. The tree item is left alone.
    ~ZRNodeMgr() override;
    ZRNodeMgr(const ZRNodeMgr&) = delete;
    ZRNodeMgr& operator=(const ZRNodeMgr&) = delete;

    // Enter runs DefaultAction; other keys are left to the view.
    bool OnChar(unsigned ch, unsigned repeat, unsigned flags) override;
    // Cancels the view's pending label edit and runs DefaultAction.
    bool OnLButtonDblClk(unsigned flags, const QPoint& point) override;

    virtual std::string BuildReportLine(ZRAttribute* attribute, short indent, short valueColumn,
                                        std::string label);
    // Whether a frame of the node may close.
    virtual bool CanClose(CSizableChildFrame* frame);
    // Sets dropItem to the item to highlight when this node takes the drop, and tells for a plain
    // drop and one with Ctrl whether it copies (true) or moves. The base takes no drops.
    virtual void CanDrop(ZRTreeItem* dragged, ZRTreeItem*& dropItem, bool& copyPlain, bool& copyWithCtrl);
    virtual bool CanEditLabel();
    virtual bool CanImport(int32_t typeId);
    // Closes the windows, stops observing the title, and cleans up and deletes the managers of the
    // child items (their items stay; the caller removes them).
    virtual void Cleanup();
    virtual bool CloseWindows();
    virtual bool Copy();
    // The node's context menu (loaded into holder, which the caller keeps and deletes), or null.
    virtual QMenu* CreateContextMenu(std::unique_ptr<QMenu>& holder);
    // Copy, then Delete; as with Delete, the caller deletes the manager after true.
    virtual bool Cut();
    // Removes the node's item and deletes its object; the caller deletes the manager after true.
    virtual bool Delete();
    virtual void DoCommand(unsigned int id);
    virtual void DoCommand2(unsigned int id, unsigned int extra);
    // Report of this node and, indented, its subtree.
    virtual void DoReport(std::string& text);
    virtual void DoSave();
    virtual void DragCopy(ZRTreeItem* dragged);
    virtual void DragMove(ZRTreeItem* dragged);
    virtual bool EditName(std::string& name);
    // The monitor group, else the nearest ancestor's; null at the root.
    virtual ZRPropertyGroup* GetMonitorTree();
    // The set-up hook, run right after the manager became its item's data.
    virtual void Initialize() = 0;
    virtual bool IsWindowOpen();
    virtual void MakeUnique(std::string& name, int32_t typeId, int maxLength);
    virtual bool Overwrite(ZRObject* source);
    virtual bool Paste();
    virtual void Reset();

    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    ZRObject* GetModel() const { return m_pModel; }
    void SetModel(ZRObject* object) { m_pModel = object; }

    static void SetFactory(ZRMonitorRowFactory* factory) { s_pRowFactory = factory; }

    // Opens the node's property sheet, or brings the open one to the front.
    void ShowProperties();
    void SetPropsView(ZRPropertiesView* view);
    void AddPropsView(ZRPropertiesView* view, unsigned short iconId, std::string titleFormat,
                      ZRStringAttribute* titleAttribute);
    // A plain view and its model (observed; not owned).
    void AddSimpleView(QWidget* view, ZRMvcModel* model);

    ZRPropertiesView* GetPropsView() const { return m_pPropsView; }
    ZRPropertiesView* GetPropsView(int index) const;
    CSizableChildFrame* GetPropsFrame() const { return m_pPropsFrame; }
    CSizableChildFrame* GetPropsFrame(int index) const;
    const std::string& GetTitleFormat() const { return m_TitleFormat; }
    ZRStringAttribute* GetTitleName() const { return m_pTitleName; }
    ZRPropertyGroup& GetStatuses() { return m_Statuses; }
    ZRTreeItem* GetNode() const { return m_pNode; }
    ZRWorkspaceView* GetTree() const { return m_pTree; }
    unsigned long GetHelpTopic() const { return m_HelpTopic; }
    unsigned long GetPropsHelpTopic() const { return m_PropsHelpTopic; }

    bool AreWindowsOpen();
    // CloseWindows of this node, then of the subtree in tree order; false at the first refusal.
    bool DoCloseWindows();

    // The child item whose manager's model is the given one, else null.
    ZRTreeItem* FindChild(ZRMvcModel* model) const;
    // Whether the item is a direct child of this node's item.
    bool FindChild(ZRTreeItem* item) const;
    // The first child item whose object has exactly the name and the type id, else null.
    ZRTreeItem* FindChild(const std::string& name, int32_t typeId) const;
    // The last added view with the icon id: its index and true, or -1 and false.
    bool FindIcon(unsigned short id, int& index) const;

    // Fills the main window's "&Commands" menu with the node's commands when gaining, else leaves only
    // its first two items.
    void GettingFocus(bool gaining);
    // Appends the items of the "Commands" sub-menu found in sub-menu `position` of the menu resource.
    void PopulateCommandMenu(QMenu* target, unsigned int menuId, int position);

    // Writes the node's object to the path, or to a file the user picks when path is null.
    void Export(const char* path);
    // Reads an exchange file into a new child of the node's object.
    void Import(const char* path);
    bool CopyObject(std::string name, ZRObject* source);
    bool CheckSpace(ZRObject* source, ZRObject* replaced);
    bool ShowProgressMeter(ZRObject* source, ZRObject* target);

    static ZRMonitorRowFactory* s_pRowFactory;
    // Indentation of report lines, in characters.
    static short s_Indent;
    static platform::core::FileSystem* pFS;

protected:
    const platform::ui::CommandTable* Commands() const override;
    virtual void BuildCommandRows(std::list<std::unique_ptr<ZRGridRow>>& rows);
    virtual std::unique_ptr<ZRPropertyGroup> BuildMonitorGroup();
    virtual void BuildPropertyRows(std::list<std::unique_ptr<ZRGridRow>>& rows);
    // A document whose first view is a ZRPropertiesView in a CSizableChildFrame, or null. The
    // document is deleted with that view.
    virtual ZRModelDoc* BuildPropsDoc();
    virtual void BuildStatusRows(std::list<std::unique_ptr<ZRGridRow>>& rows);
    virtual std::unique_ptr<ZRPropertyGroup> CreateMonitorGroup(ZRPropertyGroup* group);
    // Toggles the expansion of the node's item.
    virtual void DefaultAction();
    virtual bool HasCommands();
    // The node's own report block.
    virtual void Report(std::string& text);

    // The base map: enable drive (with its update) and help.
    static const platform::ui::CommandTable& BaseCommands();
    // The program's tail: Properties, then the base map.
    static const platform::ui::CommandTable& TailCommands();

    void OnEnableDrive();
    void OnUpdateEnableDrive(platform::ui::CommandState& state);
    void OnHelp();

    void SetMenu(unsigned int menuId, int subMenuPosition);
    // Observes the attribute, whose value fills the format's %s.
    void SetViewTitle(std::string format, ZRStringAttribute* titleAttribute);
    void SetIconID(unsigned short id) { m_IconId = id; }
    void SetHelpTopic(unsigned long topic) { m_HelpTopic = topic; }
    void SetPropsHelpTopic(unsigned long topic) { m_PropsHelpTopic = topic; }
    void SetPropsWidth(float fraction) { m_PropsWidth = fraction; }
    void SetPropsHeight(float fraction) { m_PropsHeight = fraction; }
    void SetTreeName(ZRStringAttribute* attribute) { m_pTreeName = attribute; }
    void SetLabelEdit(bool labelEdit) { m_bLabelEdit = labelEdit; }
    void SetHasCommands(bool hasCommands) { m_bHasCommands = hasCommands; }

    // Brings the open main property frame to the front; false when none is open.
    bool ShowProps();
    void SizeAndShowProps(float height, float width);
    void SizeAndShowView(ZRPropertiesView* view, float height, float width);
    // Whether the item is a proper ancestor of this node's item.
    bool FindAncestor(ZRTreeItem* item) const;

    // Rows of the group's supported attributes, then a caption and group row per sub-group that
    // has any. Member rows also go into groupRow when one is given.
    void BuildGridRows(std::list<std::unique_ptr<ZRGridRow>>& rows, ZRPropertyGroup* group,
                       ZRGroupRow* groupRow, bool status);
    // Folds the group rows of the sub-groups marked collapsed.
    void CollapseGroups(ZRPropertyGroup* group);
    // Writes the group's header line and lines; false when nothing but the header was written.
    bool BuildReportBlock(ZRPropertyGroup* group, std::string& out);

    // The managers of the child items, in tree order.
    std::vector<ZRNodeMgr*> ChildManagers() const;
    // For each child object that has no item yet: inserts an item labelled with its name under this
    // node's item, makes its manager with make (item, child), stores it as the item's data and
    // initializes it. A null manager removes the item again. Overrides call it on reasons 5 and 7.
    using NodeMaker = std::function<ZRNodeMgr*(ZRTreeItem* item, ZRObject* child)>;
    void AddChildNodes(const NodeMaker& make);

    ZRTreeItem* m_pNode;
    ZRWorkspaceView* m_pTree;
    ZRPropertiesView* m_pPropsView = nullptr;
    CSizableChildFrame* m_pPropsFrame = nullptr;
    std::vector<ZRPropertiesView*> m_PropsViews;
    std::vector<CSizableChildFrame*> m_PropsFrames;
    std::vector<QWidget*> m_Views;
    std::vector<ZRMvcModel*> m_ViewModels;
    ZRPropertyGroup m_Properties;
    ZRPropertyGroup m_Statuses;
    std::unique_ptr<ZRPropertyGroup> m_pMonitorGroup;
    unsigned int m_MenuId = 0;
    int m_SubMenu = 0;
    std::string m_TitleFormat;
    unsigned short m_IconId = 0;
    ZRStringAttribute* m_pTreeName;
    ZRStringAttribute* m_pTitleName = nullptr;
    std::vector<std::string> m_TitleFormats;
    std::vector<unsigned short> m_IconIds;
    std::vector<ZRStringAttribute*> m_TitleNames;
    unsigned long m_PropsHelpTopic = 0;
    unsigned long m_HelpTopic = 0;
    bool m_bLabelEdit = false;
    float m_PropsWidth = 0.6f;
    float m_PropsHeight = 0.7f;
    bool m_bHasCommands = false;

private:
    // Tells the object's device that a property window of the node closed.
    void SavePowerUpValues();
    void DropMainView();
    void DropPropsView(size_t index);
    void DropSimpleView(size_t index);
    // Every registration of this node with the model.
    void ForgetAll(ZRMvcModel* model);
    void TitleChanged(platform::core::Subject* subject);
    void Destroyed(platform::core::Subject* subject);
    // Removes the items whose objects left the node's object.
    void RemoveLostChildren();

    ZRObject* m_pModel;
};
