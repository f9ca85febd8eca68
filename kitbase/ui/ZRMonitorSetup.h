#pragma once

#include "platform/ui/Dialog.h"

#include <iosfwd>
#include <list>
#include <memory>
#include <string>

class QPoint;
class ZRAttribute;
class ZRGridRow;
class ZRMonitorRowFactory;
class ZRPropertiesGrid;
class ZRPropertyGroup;

namespace platform::ui {
class TreeView;
class TreeViewItem;
} // namespace platform::ui

// Picks the attributes a monitor or status grid shows: the monitor tree with a three-way tick box
// per item (a group's box ticks or clears everything below it). On OK it rewrites the target rows:
// per group with ticked attributes a header row, then a row per attribute, depth first. It also
// answers the test harness: where an item is, and the tree as generated include files that test
// scripts address attributes by.
class ZRMonitorSetup : public platform::ui::Dialog {
public:
    using TreeItem = platform::ui::TreeViewItem*;

    enum : int { IDD = 19728, IDC_TREE = 19813 };
    // Item images: a group and an attribute.
    enum : int { kGroupImage = 0, kAttributeImage = 1 };
    // Harness requests.
    enum : unsigned { kQueryItemRect = 3, kWriteTarvikStrings = 5, kWriteMerrixStrings = 6 };

    // Neither the tree nor the rows are owned; the rows change only on OK.
    ZRMonitorSetup(ZRPropertyGroup* tree, std::list<std::unique_ptr<ZRGridRow>>& rows,
                   QWidget* parent = nullptr);
    ~ZRMonitorSetup() override;

    static void SetFactory(ZRMonitorRowFactory* factory) { s_pFactory = factory; }
    static ZRMonitorRowFactory* s_pFactory;

    // Picks the grid's rows and lays them out again on OK. Without a tree it says so; without a
    // grid it does nothing.
    static void EditRows(ZRPropertyGroup* tree, ZRPropertiesGrid* grid);

    // The harness query (window message 0xBFE4): 3 the label rectangle of the item at the page's
    // "?"-path, 5 and 6 the Tarvik and Merrix include files; nothing without a page. Always 0.
    long OnVtMessage(unsigned int type, long cell);

    // Bound when the dialog opens; null before.
    platform::ui::TreeView* GetTree() const { return m_pTree; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

    void InitTree();
    void AddObject(TreeItem parent, ZRPropertyGroup* group);
    void InitObjectState(TreeItem item);
    // All children agree: their state; else partly checked. An item without children keeps its own.
    void CalculateState(TreeItem item);
    // The state for the item and everything below it.
    void SetState(TreeItem item, int state);
    void UpdateParents(TreeItem item);
    // Whether a row of the target list shows the attribute.
    bool IsARow(ZRAttribute* attribute);
    void BuildRows(TreeItem item);
    // The item's label after those of its ancestors, joined with "?".
    std::string GetTreePath(TreeItem item);
    // One numbered line per leaf (an attribute or an empty group) below the item, depth first.
    void TreeStrings(TreeItem item, std::ostream& out, const std::string& arrayName);
    // A press of the tree at a point of its viewport: only one on a tick box changes it.
    long OnClickTree(const QPoint& point);

private:
    bool IsGroupItem(TreeItem item) const;
    void WriteIncludeFile(const char* fileName, const std::string& arrayName);
    TreeItem FindPath(const std::string& path) const;

    platform::ui::TreeView* m_pTree = nullptr;
    ZRPropertyGroup* m_pMonitorTree;               // not owned
    std::list<std::unique_ptr<ZRGridRow>>& m_Rows; // the grid's
    int m_Entry = 0;                               // shared by one include file's walk
};
