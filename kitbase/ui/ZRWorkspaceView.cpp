#include "kitbase/ui/ZRWorkspaceView.h"

#include "kitbase/model/ZRTest.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRModelDoc.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/core/Modal.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/Command.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Menu.h"

#include <QApplication>
#include <QMenu>

#include <algorithm>
#include <ostream>

using namespace platform::ui::ids;

namespace {

using platform::ui::TreeItem;

// Query types of the test harness.
enum : unsigned { kQueryRect = 3, kQueryFound = 9, kQuerySelect = 10 };

// Restores the flag however the scope ends.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

ZRWorkspaceView::ZRWorkspaceView(ZRModelDoc* document, QWidget* parent)
    : platform::ui::TreeView(parent), m_pDocument(document) {
    SetImageList(kImageList);
    if (m_pDocument)
        m_pDocument->AddView(this);
}

ZRWorkspaceView::~ZRWorkspaceView() {
    if (!m_bClosing)
        OnDestroy();
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

ZRNodeMgr* ZRWorkspaceView::NodeOf(TreeItem item) const {
    return ItemDataAs<ZRNodeMgr>(item);
}

void ZRWorkspaceView::DisposeLater(std::unique_ptr<ZRNodeMgr> node) {
    if (!node)
        return;
    if (m_Disposed.empty())
        QMetaObject::invokeMethod(this, &ZRWorkspaceView::DisposePending, Qt::QueuedConnection);
    m_Disposed.push_back(std::move(node));
}

void ZRWorkspaceView::DisposePending() {
    // A manager's destructor may hand over another one.
    while (!m_Disposed.empty()) {
        std::vector<std::unique_ptr<ZRNodeMgr>> gone;
        gone.swap(m_Disposed);
    }
}

ZRNodeMgr* ZRWorkspaceView::SelectedTarget() const {
    return m_bClosing ? nullptr : NodeOf(SelectedItem());
}

ZRNodeMgr* ZRWorkspaceView::TargetAt(const QPoint& point) const {
    return m_bClosing ? nullptr : NodeOf(HitTest(point));
}

// ---- Set-up and tear-down

void ZRWorkspaceView::OnInitialUpdate() {
    platform::ui::View::OnInitialUpdate();
    setRootIsDecorated(true);
    SetLabelEditing(true);
    // Rows of one height keep large trees quick to lay out.
    setUniformRowHeights(true);
    if (SetTimer(kTimerId, kTimerPeriod)) {
        m_TimerId = kTimerId;
    } else {
        m_TimerId = 0;
        platform::core::MessageBox("Unable to allocate a timer to update workspace information.\n"
                                   "State information will be unavailable.");
    }
}

void ZRWorkspaceView::OnDestroy() {
    if (m_TimerId)
        KillTimer(m_TimerId);
    m_TimerId = 0;
    m_bClosing = true;
    m_pDropTarget = nullptr;
    m_pContextMenu.reset();
    DisposePending();
    for (TreeItem item : Children(nullptr)) {
        ZRNodeMgr* node = NodeOf(item);
        SetItemData(item, nullptr);
        if (node) {
            node->Cleanup();
            delete node;
        }
    }
}

// ---- Timer nodes

void ZRWorkspaceView::AddTimerNode(ZRNodeMgr* node) {
    m_TimerNodes.push_back(node);
}

void ZRWorkspaceView::RemoveTimerNode(ZRNodeMgr* node) {
    auto it = std::find(m_TimerNodes.begin(), m_TimerNodes.end(), node);
    if (it != m_TimerNodes.end())
        m_TimerNodes.erase(it);
}

void ZRWorkspaceView::OnTimer(int id) {
    // A node that pumps messages in its tick must not get a nested one.
    if (m_bInTimer)
        return;
    FlagScope inTimer(m_bInTimer);
    if (id != 0 && id == m_TimerId && !m_bClosing) {
        ZRUpdate tick(ZRUpdate::RefreshTick);
        // By index: the list is read afresh on every step.
        for (size_t i = 0; i < m_TimerNodes.size(); ++i) {
            ZRNodeMgr* node = m_TimerNodes[i];
            if (node && IsItemDisplayed(node->GetNode()))
                node->OnUpdate(static_cast<ZRMvcModel*>(this), &tick);
        }
    }
    TimerOwner::OnTimer(id);
}

// ---- Paths and the test harness

TreeItem ZRWorkspaceView::FindPath(const std::string& path) const {
    if (path.empty())
        return nullptr;
    TreeItem current = FirstChild(nullptr);
    TreeItem match = nullptr;
    size_t start = 0;
    for (;;) {
        size_t end = path.find('?', start);
        std::string label = path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        match = nullptr;
        for (TreeItem item = current; item; item = NextSibling(item)) {
            if (ItemText(item) == label) {
                match = item;
                break;
            }
        }
        if (!match || end == std::string::npos)
            return match;
        current = FirstChild(match);
        start = end + 1;
    }
}

ZRNodeMgr* ZRWorkspaceView::GetNodeMgr(const std::string& path) const {
    return NodeOf(FindPath(path));
}

long ZRWorkspaceView::OnVtMessage(unsigned type, long /*cell*/) {
    if (type != kQueryRect && type != kQueryFound && type != kQuerySelect)
        return 0;
    ZRTest* page = ZRTest::Instance();
    std::string path;
    if (!page || !page->ReadText(path))
        return 0;
    TreeItem item = FindPath(path);
    switch (type) {
    case kQueryRect: {
        QRect rect = item ? ItemRect(item, true) : QRect();
        if (rect.isEmpty())
            page->WriteRect(0, 0, 0, 0);
        else
            page->WriteRect(rect.left(), rect.left() + rect.width(), rect.top(), rect.top() + rect.height());
        break;
    }
    case kQueryFound:
        page->WriteInt32(0, item ? 1 : 0);
        break;
    case kQuerySelect:
        if (item)
            SelectItem(item);
        break;
    }
    return 0;
}

void ZRWorkspaceView::TestCopy(std::ostream& out) {
    for (TreeItem item : Children(nullptr)) {
        platform::ui::CommandState state;
        ZRNodeMgr* node = NodeOf(item);
        bool enabled = node && node->OnUpdateCommand(ID_EDIT_COPY, state);
        out << ItemText(item) << (enabled ? " is enabled\n" : " is not enabled\n");
    }
}

// ---- Commands

// The selected node first, then the view's own table.
const platform::ui::CommandTable* ZRWorkspaceView::Commands() const {
    using Row = platform::ui::CommandRow<ZRWorkspaceView>;
    static const platform::ui::CommandTable table{
        Row(ID_FILE_CLOSE, nullptr, platform::ui::kCommandDisabled),
        Row(ID_FILE_SAVE, nullptr, platform::ui::kCommandDisabled),
        Row(ID_FILE_PRINT, nullptr, platform::ui::kCommandDisabled),
        Row(ID_FILE_PRINT_PREVIEW, nullptr, platform::ui::kCommandDisabled),
    };
    return &table;
}

bool ZRWorkspaceView::OnCommand(unsigned id) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnCommand(id))
        return true;
    return platform::ui::View::OnCommand(id);
}

bool ZRWorkspaceView::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnUpdateCommand(id, state))
        return true;
    return platform::ui::View::OnUpdateCommand(id, state);
}

bool ZRWorkspaceView::HasCommand(unsigned id) const {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->HasCommand(id))
        return true;
    return platform::ui::View::HasCommand(id);
}

// ---- Window messages

bool ZRWorkspaceView::OnKeyDown(unsigned key, unsigned repeat, unsigned flags) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnKeyDown(key, repeat, flags))
        return true;
    if (key == platform::ui::VK_DELETE) {
        if (ZRNodeMgr* node = SelectedTarget())
            node->OnCommand(ID_EDIT_CLEAR);
    }
    // The tree itself follows Ctrl during a drag and sets the drag cursor.
    return false;
}

bool ZRWorkspaceView::OnKeyUp(unsigned key, unsigned repeat, unsigned flags) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnKeyUp(key, repeat, flags))
        return true;
    return false;
}

bool ZRWorkspaceView::OnChar(unsigned ch, unsigned repeat, unsigned flags) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnChar(ch, repeat, flags))
        return true;
    return false;
}

bool ZRWorkspaceView::OnLButtonDown(unsigned flags, const QPoint& point) {
    if (ZRNodeMgr* node = TargetAt(point); node && node->OnLButtonDown(flags, point))
        return true;
    return false;
}

bool ZRWorkspaceView::OnLButtonUp(unsigned flags, const QPoint& point) {
    if (ZRNodeMgr* node = TargetAt(point); node && node->OnLButtonUp(flags, point))
        return true;
    return false;
}

bool ZRWorkspaceView::OnLButtonDblClk(unsigned flags, const QPoint& point) {
    if (ZRNodeMgr* node = TargetAt(point); node && node->OnLButtonDblClk(flags, point))
        return true;
    return false;
}

bool ZRWorkspaceView::OnMouseMove(unsigned flags, const QPoint& point) {
    if (ZRNodeMgr* node = TargetAt(point); node && node->OnMouseMove(flags, point))
        return true;
    return false;
}

bool ZRWorkspaceView::OnSetFocus() {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnSetFocus())
        return true;
    if (ZRNodeMgr* node = SelectedTarget())
        node->GettingFocus(true);
    return true;
}

bool ZRWorkspaceView::OnSize(unsigned type, int cx, int cy) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnSize(type, cx, cy))
        return true;
    return false;
}

bool ZRWorkspaceView::OnContextMenu(const QPoint& screenPoint) {
    if (ZRNodeMgr* node = SelectedTarget(); node && node->OnContextMenu(screenPoint))
        return true;
    return platform::ui::TreeView::OnContextMenu(screenPoint);
}

void ZRWorkspaceView::OnItemContextMenu(TreeItem item, const QPoint& screenPoint) {
    ZRNodeMgr* node = m_bClosing ? nullptr : NodeOf(item);
    if (!node)
        return;
    m_pContextMenu.reset();
    QMenu* menu = node->CreateContextMenu(m_pContextMenu);
    if (!menu)
        return;
    // The chosen command goes to the node the menu is for, wherever the focus is; what the tree does
    // not take goes the main window's road, as one from its menu bar would.
    auto* mainWindow = dynamic_cast<platform::ui::MainWindow*>(platform::ui::GetMainWindow());
    platform::ui::CommandRouter router([this, mainWindow] {
        std::vector<platform::ui::CommandTarget*> chain{this};
        if (mainWindow)
            for (platform::ui::CommandTarget* target : mainWindow->CommandChain())
                if (target != this)
                    chain.push_back(target);
        return chain;
    });
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const unsigned id = platform::ui::TrackPopupMenu(*menu, screenPoint);
    QApplication::restoreOverrideCursor();
    m_pContextMenu.reset();
    if (id)
        router.Execute(id);
}

// ---- Tree notifications

void ZRWorkspaceView::OnSelChanged(TreeItem selected, TreeItem /*previous*/) {
    if (ZRNodeMgr* node = m_bClosing ? nullptr : NodeOf(selected))
        node->GettingFocus(true);
}

bool ZRWorkspaceView::OnBeginLabelEdit(TreeItem item) {
    ZRNodeMgr* node = m_bClosing ? nullptr : NodeOf(item);
    return node && node->CanEditLabel();
}

bool ZRWorkspaceView::OnEndLabelEdit(TreeItem item, std::string& text) {
    ZRNodeMgr* node = m_bClosing ? nullptr : NodeOf(item);
    return node && node->EditName(text);
}

bool ZRWorkspaceView::OnBeginDrag(TreeItem item) {
    m_pDropTarget = nullptr;
    return !m_bClosing && NodeOf(item);
}

platform::ui::DropTarget ZRWorkspaceView::OnDragOver(TreeItem dragged, TreeItem underCursor) {
    m_pDropTarget = nullptr;
    if (m_bClosing)
        return {};
    // The node under the cursor first, then its ancestors: the first that names a target wins.
    for (TreeItem item = underCursor; item; item = ParentItem(item)) {
        ZRNodeMgr* node = NodeOf(item);
        if (!node)
            continue;
        TreeItem dropItem = nullptr;
        bool copyPlain = false;
        bool copyWithCtrl = false;
        node->CanDrop(dragged, dropItem, copyPlain, copyWithCtrl);
        if (dropItem) {
            m_pDropTarget = node;
            return {dropItem, copyPlain, copyWithCtrl};
        }
    }
    return {};
}

void ZRWorkspaceView::OnDrop(TreeItem dragged, const platform::ui::DropTarget& /*target*/, bool copy) {
    ZRNodeMgr* node = m_pDropTarget;
    m_pDropTarget = nullptr;
    if (!node || m_bClosing)
        return;
    if (copy)
        node->DragCopy(dragged);
    else
        node->DragMove(dragged);
}
