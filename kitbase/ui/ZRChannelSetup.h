#pragma once

#include "platform/ui/Dialog.h"

#include <iosfwd>
#include <string>

class QPoint;
class ZRChannelOption;
class ZRChannelOptionList;

namespace platform::ui {
class TreeView;
class TreeViewItem;
} // namespace platform::ui

// Chooses the signal of a scope, analog-output or fault-detail channel: a tree of the family's
// signal lists in which at most one signal is ticked. It also answers the test harness: where an
// item is on the screen, and the tree as a generated include file that scripts address signals by.
class ZRChannelSetup : public platform::ui::Dialog {
public:
    using TreeItem = platform::ui::TreeViewItem*;

    enum : int { IDD = 19728, IDC_TREE = 19813 };
    // Item images: a list's branch and a signal's leaf.
    enum : int { kBranchImage = 0, kLeafImage = 1 };
    // Harness requests.
    enum : unsigned { kQueryItemRect = 3, kWriteTarvikStrings = 7, kWriteMerrixStrings = 8 };

    // The list is not owned.
    explicit ZRChannelSetup(ZRChannelOptionList* list, QWidget* parent = nullptr);
    ~ZRChannelSetup() override;

    // The signal ticked when OK was pressed; null when none was, or before.
    ZRChannelOption* GetOption() const { return m_pOption; }
    // The harness query (window message 0xBFE4): 3 the text rectangle of the item at the page's
    // "?"-path, 7 and 8 the Tarvik and Merrix include files. Always 0.
    long OnVtMessage(unsigned int type, long cell);

    // Bound when the dialog opens; null before.
    platform::ui::TreeView* GetTree() const { return m_pTree; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;

    void InitTree();
    void AddOptionList(TreeItem parent, ZRChannelOptionList* list);
    // The first ticked signal: the parent's own leaves first, then each branch in order.
    ZRChannelOption* GetSelectedOption(TreeItem parent);
    bool IsSelectedOption(ZRChannelOption* option) const;
    void SetState(TreeItem item, int stateImage);
    // Unticks every ticked leaf from the item on: its following siblings and all below them.
    void UnselectTreeItems(TreeItem item);
    // The item's text after those of its ancestors, joined with "?".
    std::string GetTreePath(TreeItem item);
    // One numbered line per leaf or empty branch below the item, depth first.
    void TreeStrings(TreeItem item, std::ostream& out, const std::string& arrayName);
    // A click of the tree at a point of its viewport: only a click on a state box ticks or unticks.
    long OnClickTree(const QPoint& point);

private:
    void WriteIncludeFile(const char* fileName, const char* firstLine, const std::string& arrayName);
    TreeItem FindPath(const std::string& path) const;

    platform::ui::TreeView* m_pTree = nullptr;
    ZRChannelOption* m_pOption = nullptr;
    ZRChannelOptionList* m_pList; // not owned
    int m_Entry = 0;              // shared by one include file's walk
};
