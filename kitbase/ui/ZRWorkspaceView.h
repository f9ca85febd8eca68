#pragma once

#include "kitbase/model/ZRMvcModel.h"
#include "platform/ui/TimerOwner.h"
#include "platform/ui/TreeView.h"
#include "platform/ui/View.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

class QMenu;
class ZRModelDoc;
class ZRNodeMgr;

// The workspace tree. Every item carries its node manager as item data, and the view hands each
// user action on an item to that manager: selection and focus, keys and clicks, the context menu,
// label editing, drag and drop, and commands while the tree has the focus. It also runs the refresh
// timer of animated or polled nodes and answers the test harness's queries about items.
// The model part is the subject of the timer messages.
class ZRWorkspaceView : public platform::ui::TreeView,
                        public ZRMvcModel,
                        public platform::ui::View,
                        protected platform::ui::TimerOwner {
public:
    // The image list of the tree's item images; the application registers its images.
    static constexpr int kImageList = 19706;
    static constexpr int kTimerId = 1024;
    static constexpr unsigned kTimerPeriod = 200;
    static constexpr unsigned kTestQuery = 0xBFE4;

    // The view is one of the document's views when a document is given (not owned; it outlives
    // the view).
    explicit ZRWorkspaceView(ZRModelDoc* document = nullptr, QWidget* parent = nullptr);
    // Runs OnDestroy when nobody did before.
    ~ZRWorkspaceView() override;

    // A manager added twice gets two ticks. Not owned: a manager removes itself before it goes.
    void AddTimerNode(ZRNodeMgr* node);
    // Removes the first occurrence; an unknown manager is ignored.
    void RemoveTimerNode(ZRNodeMgr* node);
    // The manager of the item reached by labels separated by "?", starting among the top-level
    // items; null when a label is not found or the path is empty.
    ZRNodeMgr* GetNodeMgr(const std::string& path) const;
    bool IsClosing() const { return m_bClosing; }
    ZRModelDoc* GetDocument() const { return m_pDocument; }
    // Self-test aid: one line per top-level item telling whether its node enables Edit Copy.
    void TestCopy(std::ostream& out);
    // The test harness's query: the path is read from the shared page, the answer written there.
    // Always 0.
    long OnVtMessage(unsigned type, long cell);

    // Kills the timer and, from then on, keeps messages and commands away from the managers; cleans
    // up and deletes the manager of every top-level item.
    void OnDestroy();

    // The manager stored in the item, or null.
    ZRNodeMgr* NodeOf(platform::ui::TreeItem item) const;
    // Takes a manager whose item is gone (after its Delete or Cut) and deletes it once the current
    // event is over: a manager cannot delete itself while one of its own commands runs.
    void DisposeLater(std::unique_ptr<ZRNodeMgr> node);
    // Deletes the managers handed over so far.
    void DisposePending();

    // Tree styles, label editing and the refresh timer.
    void OnInitialUpdate() override;

    // Commands go to the selected item's manager first, then to the view.
    bool OnCommand(unsigned id) override;
    bool OnUpdateCommand(unsigned id, platform::ui::CommandState& state) override;
    bool HasCommand(unsigned id) const override;

    // Window messages: a mouse message goes first to the manager of the item under the mouse, any
    // other to the manager of the selected item; the view handles what the manager leaves.
    bool OnKeyDown(unsigned key, unsigned repeat, unsigned flags) override;
    bool OnKeyUp(unsigned key, unsigned repeat, unsigned flags) override;
    bool OnChar(unsigned ch, unsigned repeat, unsigned flags) override;
    bool OnLButtonDown(unsigned flags, const QPoint& point) override;
    bool OnLButtonUp(unsigned flags, const QPoint& point) override;
    bool OnLButtonDblClk(unsigned flags, const QPoint& point) override;
    bool OnMouseMove(unsigned flags, const QPoint& point) override;
    bool OnContextMenu(const QPoint& screenPoint) override;
    bool OnSetFocus() override;
    bool OnSize(unsigned type, int cx, int cy) override;

protected:
    const platform::ui::CommandTable* Commands() const override;
    void OnTimer(int id) override;

    void OnSelChanged(platform::ui::TreeItem selected, platform::ui::TreeItem previous) override;
    bool OnBeginLabelEdit(platform::ui::TreeItem item) override;
    bool OnEndLabelEdit(platform::ui::TreeItem item, std::string& text) override;
    bool OnBeginDrag(platform::ui::TreeItem item) override;
    platform::ui::DropTarget OnDragOver(platform::ui::TreeItem dragged,
                                        platform::ui::TreeItem underCursor) override;
    void OnDrop(platform::ui::TreeItem dragged, const platform::ui::DropTarget& target, bool copy) override;
    void OnItemContextMenu(platform::ui::TreeItem item, const QPoint& screenPoint) override;

private:
    // The manager a message goes to first, or null (none, or the view is closing).
    ZRNodeMgr* SelectedTarget() const;
    ZRNodeMgr* TargetAt(const QPoint& point) const;
    // The item whose labels make up the path, or null.
    platform::ui::TreeItem FindPath(const std::string& path) const;

    ZRModelDoc* m_pDocument;
    // Owned; the holder handed to the manager, kept until the next menu is made.
    std::unique_ptr<QMenu> m_pContextMenu;
    bool m_bClosing = false;
    // 0 when no timer could be made.
    int m_TimerId = 0;
    // Not owned.
    std::vector<ZRNodeMgr*> m_TimerNodes;
    // The manager that offered the current drop target.
    ZRNodeMgr* m_pDropTarget = nullptr;
    bool m_bInTimer = false;
    std::vector<std::unique_ptr<ZRNodeMgr>> m_Disposed;
};
