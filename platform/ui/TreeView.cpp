#include "platform/ui/TreeView.h"

#include "platform/ui/Guard.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Text.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QResizeEvent>
#include <QStyledItemDelegate>
#include <QTimer>

#include <algorithm>

namespace platform::ui {

namespace {
constexpr int kItemType = QTreeWidgetItem::UserType + 0x5154;
}

class TreeViewItem : public QTreeWidgetItem {
public:
    TreeViewItem() : QTreeWidgetItem(kItemType) {
        setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
    }
    ~TreeViewItem() override {
        // Children are unlinked from the view before they go, so the tree hears of the whole
        // subtree here, while it is still linked.
        if (auto* tree = dynamic_cast<TreeView*>(treeWidget()))
            tree->ItemGone(this);
    }
    void* data = nullptr;
    int image = -1;
    int stateImage = STATE_NONE;
};

// Draws the drop target highlighted, and hands a finished label edit to the tree.
class TreeView::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(TreeView& tree) : QStyledItemDelegate(&tree), m_tree(tree) {}

    void Prepare(QStyleOptionViewItem* option, const QModelIndex& index) const {
        initStyleOption(option, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            m_tree.CommitLabel(index, line->text());
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        if (m_tree.m_target.item && Cast(m_tree.itemFromIndex(index)) == m_tree.m_target.item)
            option->state |= QStyle::State_Selected;
    }

private:
    TreeView& m_tree;
};

TreeView::TreeView(QWidget* parent)
    : QTreeWidget(parent), m_delegate(new Delegate(*this)), m_editTimer(new QTimer(this)) {
    setColumnCount(1);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers); // edits start from EditLabel only, so the veto always runs
    setDragEnabled(false);           // dragging is our own, see BeginDrag
    setAcceptDrops(false);
    setExpandsOnDoubleClick(true);
    setItemDelegate(m_delegate);
    m_editTimer->setSingleShot(true);
    connect(m_editTimer, &QTimer::timeout, this, [this] {
        TreeItem item = m_pendingEdit;
        m_pendingEdit = nullptr;
        if (item)
            Guard("label edit", [&] { EditLabel(item); });
    });
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] { SelectionChanged(); });
}

TreeView::~TreeView() {
    // Items go while the tree is whole, so their farewells reach a complete object.
    DeleteAllItems();
    disconnect(this, &QTreeWidget::itemSelectionChanged, this, nullptr);
}

TreeItem TreeView::Cast(QTreeWidgetItem* item) {
    return item && item->type() == kItemType ? static_cast<TreeItem>(item) : nullptr;
}

// ---- Items

TreeItem TreeView::InsertItem(const std::string& label, TreeItem parent) {
    auto* item = new TreeViewItem;
    item->setText(0, ToQString(label));
    if (parent)
        parent->addChild(item);
    else
        addTopLevelItem(item);
    return item;
}

TreeItem TreeView::InsertItem(const std::string& label, TreeItem parent, TreeItem after) {
    auto* item = new TreeViewItem;
    item->setText(0, ToQString(label));
    int index = 0;
    if (after) {
        index = (parent ? parent->indexOfChild(after) : indexOfTopLevelItem(after)) + 1;
        // A sibling that is not under parent: the new item goes last.
        if (index == 0)
            index = parent ? parent->childCount() : topLevelItemCount();
    }
    if (parent)
        parent->insertChild(index, item);
    else
        insertTopLevelItem(index, item);
    return item;
}

void TreeView::DeleteItem(TreeItem item) {
    delete item;
}

void TreeView::DeleteAllItems() {
    ForgetAll();
    clear();
    ForgetAll();
}

TreeItem TreeView::FirstChild(TreeItem parent) const {
    if (!parent)
        return Cast(topLevelItem(0));
    return Cast(parent->child(0));
}

TreeItem TreeView::NextSibling(TreeItem item) const {
    if (!item)
        return nullptr;
    if (QTreeWidgetItem* parent = item->parent())
        return Cast(parent->child(parent->indexOfChild(item) + 1));
    return Cast(topLevelItem(indexOfTopLevelItem(item) + 1));
}

TreeItem TreeView::ParentItem(TreeItem item) const {
    return item ? Cast(item->parent()) : nullptr;
}

std::vector<TreeItem> TreeView::Children(TreeItem parent) const {
    std::vector<TreeItem> children;
    for (TreeItem child = FirstChild(parent); child; child = NextSibling(child))
        children.push_back(child);
    return children;
}

void TreeView::SetItemText(TreeItem item, const std::string& text) {
    if (item)
        item->setText(0, ToQString(text));
}

std::string TreeView::ItemText(TreeItem item) const {
    return item ? FromQString(item->text(0)) : std::string();
}

void TreeView::SetItemData(TreeItem item, void* data) {
    if (item)
        item->data = data;
}

void* TreeView::ItemData(TreeItem item) const {
    return item ? item->data : nullptr;
}

void TreeView::SetItemImage(TreeItem item, int image) {
    if (!item)
        return;
    item->image = image < 0 ? -1 : image;
    QIcon icon;
    if (image >= 0)
        icon = m_imageList ? Resources::ListIcon(m_imageList, image) : Resources::Icon(image);
    item->setIcon(0, icon);
}

int TreeView::ItemImage(TreeItem item) const {
    return item ? item->image : -1;
}

void TreeView::SetItemState(TreeItem item, int stateImage) {
    if (!item)
        return;
    item->stateImage = stateImage;
    // The item is not user-checkable: the box shows the state, clicks on it are the caller's to read.
    switch (stateImage) {
    case STATE_UNCHECKED:
        item->setData(0, Qt::CheckStateRole, Qt::Unchecked);
        break;
    case STATE_CHECKED:
        item->setData(0, Qt::CheckStateRole, Qt::Checked);
        break;
    case STATE_PARTIAL:
        item->setData(0, Qt::CheckStateRole, Qt::PartiallyChecked);
        break;
    default:
        item->setData(0, Qt::CheckStateRole, QVariant());
        break;
    }
}

int TreeView::ItemState(TreeItem item) const {
    return item ? item->stateImage : STATE_NONE;
}

// ---- Selection, expansion and display

void TreeView::SelectItem(TreeItem item) {
    if (!item) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    setCurrentItem(item);
    item->setSelected(true);
    scrollToItem(item);
}

TreeItem TreeView::SelectedItem() const {
    QList<QTreeWidgetItem*> items = selectedItems();
    return items.isEmpty() ? nullptr : Cast(items.first());
}

void TreeView::SelectionChanged() {
    TreeItem now = SelectedItem();
    if (now == m_selected)
        return;
    TreeItem previous = m_selected;
    m_selected = now;
    Guard("OnSelChanged", [&] { OnSelChanged(now, previous); });
}

void TreeView::Expand(TreeItem item, TreeExpand code) {
    if (!item)
        return;
    switch (code) {
    case TreeExpand::Collapse:
        item->setExpanded(false);
        break;
    case TreeExpand::Expand:
        item->setExpanded(true);
        break;
    case TreeExpand::Toggle:
        item->setExpanded(!item->isExpanded());
        break;
    }
}

bool TreeView::IsExpanded(TreeItem item) const {
    return item && item->isExpanded();
}

void TreeView::SetItemHidden(TreeItem item, bool hidden) {
    if (item)
        item->setHidden(hidden);
}

bool TreeView::IsItemHidden(TreeItem item) const {
    return item && item->isHidden();
}

bool TreeView::IsItemDisplayed(TreeItem item) const {
    if (!item || item->isHidden())
        return false;
    for (QTreeWidgetItem* up = item->parent(); up; up = up->parent())
        if (up->isHidden() || !up->isExpanded())
            return false;
    return true;
}

// ---- Geometry

QStyleOptionViewItem TreeView::ItemOption(TreeItem item) const {
    QModelIndex index = indexFromItem(item);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = visualRect(index);
    m_delegate->Prepare(&option, index);
    return option;
}

TreeItem TreeView::HitTest(const QPoint& point, TreeHit* where) const {
    TreeItem item = Cast(itemAt(point));
    TreeHit hit = TreeHit::Nowhere;
    if (item) {
        hit = TreeHit::Row;
        QStyleOptionViewItem option = ItemOption(item);
        QStyle* s = option.widget ? option.widget->style() : style();
        if ((option.features & QStyleOptionViewItem::HasCheckIndicator) &&
            s->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, this).contains(point))
            hit = TreeHit::StateImage;
        else if ((option.features & QStyleOptionViewItem::HasDecoration) &&
                 s->subElementRect(QStyle::SE_ItemViewItemDecoration, &option, this).contains(point))
            hit = TreeHit::Icon;
        else if (ItemRect(item, true).contains(point))
            hit = TreeHit::Label;
    }
    if (where)
        *where = hit;
    return item;
}

QRect TreeView::ItemRect(TreeItem item, bool labelOnly) const {
    if (!IsItemDisplayed(item))
        return {};
    QRect row = visualItemRect(item);
    if (!labelOnly)
        return QRect(0, row.top(), viewport()->width(), row.height());
    QStyleOptionViewItem option = ItemOption(item);
    QStyle* s = option.widget ? option.widget->style() : style();
    QRect text = s->subElementRect(QStyle::SE_ItemViewItemText, &option, this);
    // The text area runs to the column's end; the label is only as wide as its text.
    int margin = s->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    int width = QFontMetrics(option.font).horizontalAdvance(option.text) + 2 * margin;
    text.setWidth(std::min(text.width(), width));
    return text;
}

// ---- Label editing

bool TreeView::EditLabel(TreeItem item) {
    if (!item)
        return false;
    return edit(indexFromItem(item), AllEditTriggers, nullptr);
}

bool TreeView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // Calls without an edit trigger only pass events to the delegate.
    bool wantsEdit = trigger == AllEditTriggers || (editTriggers() & trigger);
    if (!wantsEdit)
        return QTreeWidget::edit(index, trigger, event);
    if (state() == EditingState) // one label at a time
        return false;
    TreeItem item = Cast(itemFromIndex(index));
    if (!m_labelEditing || !item)
        return false;
    CancelPendingEdit();
    if (!GuardResult("OnBeginLabelEdit", false, [&] { return OnBeginLabelEdit(item); }))
        return false;
    return QTreeWidget::edit(index, trigger, event);
}

void TreeView::CommitLabel(const QModelIndex& index, const QString& text) {
    QPersistentModelIndex still(index);
    TreeItem item = Cast(itemFromIndex(index));
    if (!item)
        return;
    std::string label = FromQString(text);
    bool accepted = GuardResult("OnEndLabelEdit", false, [&] { return OnEndLabelEdit(item, label); });
    // The handler may have removed the item meanwhile.
    if (accepted && still.isValid() && Cast(itemFromIndex(still)) == item)
        item->setText(0, ToQString(label));
}

void TreeView::CancelPendingEdit() {
    m_editTimer->stop();
    m_pendingEdit = nullptr;
}

bool TreeView::IsEditPending() const {
    return m_editTimer->isActive();
}

// ---- Dragging

bool TreeView::BeginDrag(TreeItem item) {
    if (m_dragging || !item)
        return false;
    if (!GuardResult("OnBeginDrag", false, [&] { return OnBeginDrag(item); }))
        return false;
    CancelPendingEdit();
    m_dragging = true;
    m_dragged = item;
    m_target = {};
    m_ctrl = false;
    m_cursor = DragCursor::NoDrop;
    QApplication::setOverrideCursor(Qt::ForbiddenCursor);
    return true;
}

void TreeView::DragOver(const QPoint& point, bool ctrl) {
    if (!m_dragging)
        return;
    m_ctrl = ctrl;
    TreeItem under = Cast(itemAt(point));
    DropTarget target;
    if (under)
        target = GuardResult("OnDragOver", DropTarget{}, [&] { return OnDragOver(m_dragged, under); });
    // The handler's drag may have ended meanwhile (an item went away).
    if (m_dragging)
        SetTarget(target);
}

void TreeView::SetTarget(const DropTarget& target) {
    TreeItem old = m_target.item;
    m_target = target;
    if (old != target.item) {
        if (old)
            viewport()->update(visualItemRect(old));
        if (target.item)
            viewport()->update(visualItemRect(target.item));
    }
    UpdateDragCursor();
}

void TreeView::UpdateDragCursor() {
    if (!m_dragging)
        return;
    DragCursor cursor = DragCursor::NoDrop;
    if (m_target.item)
        cursor = (m_ctrl ? m_target.copyWithCtrl : m_target.copyPlain) ? DragCursor::Copy : DragCursor::Move;
    if (cursor == m_cursor)
        return;
    m_cursor = cursor;
    QApplication::changeOverrideCursor(cursor == DragCursor::Copy   ? Qt::DragCopyCursor
                                       : cursor == DragCursor::Move ? Qt::DragMoveCursor
                                                                    : Qt::ForbiddenCursor);
}

void TreeView::Drop() {
    if (!m_dragging)
        return;
    TreeItem dragged = m_dragged;
    DropTarget target = m_target;
    bool copy = m_ctrl ? target.copyWithCtrl : target.copyPlain;
    EndDrag();
    if (target.item)
        Guard("OnDrop", [&] { OnDrop(dragged, target, copy); });
}

void TreeView::CancelDrag() {
    EndDrag();
}

void TreeView::EndDrag() {
    if (!m_dragging)
        return;
    SetTarget({});
    m_dragging = false;
    m_dragged = nullptr;
    m_cursor = DragCursor::None;
    QApplication::restoreOverrideCursor();
}

// ---- Items going away

namespace {
bool Within(QTreeWidgetItem* item, QTreeWidgetItem* top) {
    for (QTreeWidgetItem* up = item; up; up = up->parent())
        if (up == top)
            return true;
    return false;
}
} // namespace

void TreeView::ItemGone(TreeItem item) {
    if (m_dragged && Within(m_dragged, item))
        EndDrag();
    if (m_target.item && Within(m_target.item, item)) {
        m_target = {};
        UpdateDragCursor();
    }
    if (m_pressItem && Within(m_pressItem, item))
        m_pressItem = nullptr;
    if (m_pendingEdit && Within(m_pendingEdit, item))
        CancelPendingEdit();
    if (m_selected && Within(m_selected, item))
        m_selected = nullptr;
}

void TreeView::ForgetAll() {
    EndDrag();
    CancelPendingEdit();
    m_pressItem = nullptr;
    m_selected = nullptr;
}

// ---- Notifications (the base does nothing or refuses)

void TreeView::OnSelChanged(TreeItem, TreeItem) {}
bool TreeView::OnBeginLabelEdit(TreeItem) {
    return true;
}
bool TreeView::OnEndLabelEdit(TreeItem, std::string&) {
    return true;
}
bool TreeView::OnBeginDrag(TreeItem) {
    return false;
}
DropTarget TreeView::OnDragOver(TreeItem, TreeItem) {
    return {};
}
void TreeView::OnDrop(TreeItem, const DropTarget&, bool) {}
void TreeView::OnItemContextMenu(TreeItem, const QPoint&) {}

bool TreeView::OnContextMenu(const QPoint& screenPoint) {
    TreeItem item;
    QPoint at = screenPoint;
    if (screenPoint == QPoint(-1, -1)) {
        item = SelectedItem();
        at = viewport()->mapToGlobal(QPoint(1, 1));
    } else {
        item = HitTest(viewport()->mapFromGlobal(screenPoint));
    }
    if (item)
        OnItemContextMenu(item, at);
    return true;
}

// ---- Toolkit events

void TreeView::keyPressEvent(QKeyEvent* event) {
    // Keys the label editor passes on (Enter ends the edit) are not the tree's.
    if (IsEditingLabel()) {
        event->ignore();
        return;
    }
    if (m_dragging && event->key() == Qt::Key_Control) {
        m_ctrl = true;
        UpdateDragCursor();
    }
    if (!DeliverMessage(*this, *event, this))
        QTreeWidget::keyPressEvent(event);
}

void TreeView::keyReleaseEvent(QKeyEvent* event) {
    if (IsEditingLabel()) {
        event->ignore();
        return;
    }
    if (m_dragging && event->key() == Qt::Key_Control) {
        m_ctrl = false;
        UpdateDragCursor();
    }
    if (!DeliverMessage(*this, *event, this))
        QTreeWidget::keyReleaseEvent(event);
}

void TreeView::mousePressEvent(QMouseEvent* event) {
    m_pressPoint = event->position().toPoint();
    m_pressItem = nullptr;
    CancelPendingEdit();
    if (DeliverMessage(*this, *event, this))
        return;
    TreeItem before = SelectedItem();
    QTreeWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    TreeHit hit;
    TreeItem item = HitTest(m_pressPoint, &hit);
    if (item && (hit == TreeHit::Label || hit == TreeHit::Icon)) {
        m_pressItem = item;
        m_pressWasSelected = item == before;
    }
}

void TreeView::mouseMoveEvent(QMouseEvent* event) {
    if (DeliverMessage(*this, *event, this))
        return;
    QPoint point = event->position().toPoint();
    bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (m_dragging) {
        DragOver(point, ctrl);
        return;
    }
    if (m_pressItem && (event->buttons() & Qt::LeftButton) && !IsEditingLabel() &&
        (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        TreeItem item = m_pressItem;
        m_pressItem = nullptr;
        if (BeginDrag(item)) {
            DragOver(point, ctrl);
            return;
        }
    }
    QTreeWidget::mouseMoveEvent(event);
}

void TreeView::mouseReleaseEvent(QMouseEvent* event) {
    if (DeliverMessage(*this, *event, this)) {
        CancelDrag();
        return;
    }
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_ctrl = event->modifiers() & Qt::ControlModifier;
        Drop();
        return;
    }
    QTreeWidget::mouseReleaseEvent(event);
    TreeItem pressed = m_pressItem;
    m_pressItem = nullptr;
    if (event->button() != Qt::LeftButton || !pressed || !m_pressWasSelected || !m_labelEditing)
        return;
    TreeHit hit;
    if (HitTest(event->position().toPoint(), &hit) == pressed && hit == TreeHit::Label) {
        // A slow second click edits; a double click cancels it first.
        m_pendingEdit = pressed;
        m_editTimer->start(QApplication::doubleClickInterval());
    }
}

void TreeView::mouseDoubleClickEvent(QMouseEvent* event) {
    CancelPendingEdit();
    if (DeliverMessage(*this, *event, this))
        return;
    QTreeWidget::mouseDoubleClickEvent(event);
}

void TreeView::contextMenuEvent(QContextMenuEvent* event) {
    DeliverMessage(*this, *event, this);
    event->accept();
}

void TreeView::focusInEvent(QFocusEvent* event) {
    QTreeWidget::focusInEvent(event);
    DeliverMessage(*this, *event, this);
}

void TreeView::resizeEvent(QResizeEvent* event) {
    QTreeWidget::resizeEvent(event);
    DeliverMessage(*this, *event, this);
}

} // namespace platform::ui
