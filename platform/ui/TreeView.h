// A tree of labelled items. Items are opaque handles (null for none) that carry a data pointer (not
// owned), an icon by resource id and a state image (a tick box of three states). The tree offers
// label editing with a veto, dragging one item onto another with move and copy cursors, a context
// menu for the item under the mouse, and the typed window-message handlers.
#pragma once

#include "platform/ui/WindowMessage.h"

#include <QTreeWidget>

#include <string>
#include <vector>

class QTimer;

namespace platform::ui {

class TreeViewItem;
using TreeItem = TreeViewItem*;

// State images: what the tick box before an item shows.
enum : int { STATE_NONE = 0, STATE_UNCHECKED = 1, STATE_CHECKED = 2, STATE_PARTIAL = 3 };

// Expand codes, with their classic numbers.
enum class TreeExpand : int { Collapse = 1, Expand = 2, Toggle = 3 };

// Which part of an item a point falls on; Row is the rest of the item's row (indent, button, the
// space after the label).
enum class TreeHit { Nowhere, StateImage, Icon, Label, Row };

// The cursors of a drag, by their resource ids.
enum class DragCursor : int { None = 0, NoDrop = 19800, Move = 19801, Copy = 19802 };

// Where a drag would drop, as OnDragOver answers it.
struct DropTarget {
    TreeItem item = nullptr;   // highlighted as the drop target; null: no drop here
    bool copyPlain = false;    // a drop without Ctrl copies (else it moves)
    bool copyWithCtrl = false; // a drop with Ctrl held copies (else it moves)
};

class TreeView : public QTreeWidget, public MessageHandler {
public:
    explicit TreeView(QWidget* parent = nullptr);
    ~TreeView() override;

    // ---- Items. A null parent is the top level; a new item goes after its siblings.
    TreeItem InsertItem(const std::string& label, TreeItem parent = nullptr);
    // Inserts the new item right after the sibling `after`; null after puts it first.
    TreeItem InsertItem(const std::string& label, TreeItem parent, TreeItem after);
    // Deletes the item and everything below it; their data is left alone.
    void DeleteItem(TreeItem item);
    void DeleteAllItems();
    // The first child of the item (null parent: the first top-level item), or null.
    TreeItem FirstChild(TreeItem parent) const;
    TreeItem NextSibling(TreeItem item) const;
    TreeItem ParentItem(TreeItem item) const;
    std::vector<TreeItem> Children(TreeItem parent) const;

    void SetItemText(TreeItem item, const std::string& text);
    std::string ItemText(TreeItem item) const;
    void SetItemData(TreeItem item, void* data);
    void* ItemData(TreeItem item) const;
    template <class T> T* ItemDataAs(TreeItem item) const { return static_cast<T*>(ItemData(item)); }
    // With an image list set, the image is an index into it; without one, a resource id. -1 shows none.
    void SetItemImage(TreeItem item, int image);
    int ItemImage(TreeItem item) const;
    // One of the STATE_ values; the user's clicks do not change it, OnLButtonDown decides.
    void SetItemState(TreeItem item, int stateImage);
    int ItemState(TreeItem item) const;

    // The image list (a list id of Resources::ListIcon) that item images index; 0 for none.
    void SetImageList(int listId) { m_imageList = listId; }
    int ImageList() const { return m_imageList; }

    // ---- Selection, expansion and display.
    // Null clears the selection. The item is scrolled into view.
    void SelectItem(TreeItem item);
    TreeItem SelectedItem() const;
    void Expand(TreeItem item, TreeExpand code);
    bool IsExpanded(TreeItem item) const;
    void SetItemHidden(TreeItem item, bool hidden);
    bool IsItemHidden(TreeItem item) const;
    // Not hidden, and every ancestor expanded and not hidden.
    bool IsItemDisplayed(TreeItem item) const;

    // ---- Geometry, in the coordinates of the tree's viewport.
    TreeItem HitTest(const QPoint& point, TreeHit* where = nullptr) const;
    // The item's row, or its label alone; empty when the item is not displayed.
    QRect ItemRect(TreeItem item, bool labelOnly) const;

    // ---- Label editing: the user starts it with a slow second click on the selected item.
    void SetLabelEditing(bool on) { m_labelEditing = on; }
    bool LabelEditingEnabled() const { return m_labelEditing; }
    // Starts an edit when label editing is on and OnBeginLabelEdit agrees.
    bool EditLabel(TreeItem item);
    bool IsEditingLabel() const { return state() == EditingState; }
    // Cancels the edit a click on the selected item has scheduled.
    void CancelPendingEdit();
    bool IsEditPending() const;

    // ---- Dragging one item onto another, as the mouse does it: begin with an item, move over
    // points with or without Ctrl, drop. Callers that drive a drag themselves use the same road.
    bool BeginDrag(TreeItem item);
    void DragOver(const QPoint& point, bool ctrl);
    void Drop();
    void CancelDrag();
    bool IsDragging() const { return m_dragging; }
    TreeItem DraggedItem() const { return m_dragged; }
    const DropTarget& CurrentDropTarget() const { return m_target; }
    DragCursor CurrentDragCursor() const { return m_cursor; }

    // Window messages: the keyboard's menu key opens the menu at the selected item, the mouse at the
    // item under it; either goes to OnItemContextMenu. Without an item nothing happens.
    bool OnContextMenu(const QPoint& screenPoint) override;

    using QTreeWidget::edit;

protected:
    // ---- Notifications, each inside the event boundary.
    virtual void OnSelChanged(TreeItem selected, TreeItem previous);
    // False keeps the label from being edited.
    virtual bool OnBeginLabelEdit(TreeItem item);
    // The user ended an edit with text (Escape sends nothing). True takes the text, which the
    // handler may change first; false keeps the old label.
    virtual bool OnEndLabelEdit(TreeItem item, std::string& text);
    // False refuses to drag the item. The base refuses.
    virtual bool OnBeginDrag(TreeItem item);
    // The drop target while the dragged item is over an item. The base offers none.
    virtual DropTarget OnDragOver(TreeItem dragged, TreeItem underCursor);
    // The dragged item was dropped on the target; copy tells a copy from a move.
    virtual void OnDrop(TreeItem dragged, const DropTarget& target, bool copy);
    virtual void OnItemContextMenu(TreeItem item, const QPoint& screenPoint);

    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Delegate;
    friend class TreeViewItem;

    static TreeItem Cast(QTreeWidgetItem* item);
    QStyleOptionViewItem ItemOption(TreeItem item) const;
    void SelectionChanged();
    void CommitLabel(const QModelIndex& index, const QString& text);
    void SetTarget(const DropTarget& target);
    void UpdateDragCursor();
    void EndDrag();
    void ItemGone(TreeItem item);
    void ForgetAll();

    Delegate* m_delegate;
    QTimer* m_editTimer;
    int m_imageList = 0;
    bool m_labelEditing = false;
    TreeItem m_selected = nullptr;
    TreeItem m_pressItem = nullptr; // pressed on its label or icon, a drag may start from it
    bool m_pressWasSelected = false;
    QPoint m_pressPoint;
    TreeItem m_pendingEdit = nullptr;
    bool m_dragging = false;
    bool m_ctrl = false;
    TreeItem m_dragged = nullptr;
    DropTarget m_target;
    DragCursor m_cursor = DragCursor::None;
};

} // namespace platform::ui
