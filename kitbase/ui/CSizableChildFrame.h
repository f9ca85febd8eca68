#pragma once

#include "kitbase/ui/ZRModelDoc.h"
#include "platform/ui/ChildFrame.h"

class ZRNodeMgr;

// The child frame of every node window. It knows the node manager whose views it holds (its
// controller, not owned): the node's commands reach that manager while the frame is active, the
// manager may refuse the close, and activating the frame tells the manager, which fills the
// "&Commands" menu.
class CSizableChildFrame : public platform::ui::ChildFrame, public ZRCloseQuery {
public:
    explicit CSizableChildFrame(QWidget* parent = nullptr);
    ~CSizableChildFrame() override;

    // Stores the controller, then sends the initial update to every view of the frame, so that the
    // views lay themselves out with the controller known.
    void SetController(ZRNodeMgr* controller);
    ZRNodeMgr* GetController() const { return m_pController; }
    // True for a node's main property frame.
    void SetPrimary(bool primary) { m_bPrimary = primary; }
    bool IsPrimary() const { return m_bPrimary; }
    // -1: no minimum.
    void SetMinWidth(int width);
    void SetMinHeight(int height);
    void SetHelpTopic(unsigned long topic) { m_HelpTopic = topic; }
    unsigned long GetHelpTopic() const { return m_HelpTopic; }
    // Set while a close requested by the user is under way.
    bool IsSystemClosing() const { return m_bSysClose; }

    // With no active frame in the document area the frame opens maximized.
    void ActivateFrame(int show = ShowKeep) override;
    // 1 when the frame may close: no controller, or the controller's CanClose agrees.
    int OkToClose() override;
    bool RoutesToOwner(unsigned id) const override;

    const platform::ui::CommandTable* Commands() const override;

    // Help on the frame's topic, the contents for topic 0.
    void OnHelp();
    // Selects the controller's item in the workspace tree, shows the tree's bar when it is hidden
    // and gives the tree the focus.
    void OnLocate();

protected:
    bool CanClose() override;
    void OnFrameActivated(bool active) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void SetClosing(bool closing);

    bool m_bSysClose = false;
    ZRNodeMgr* m_pController = nullptr;
    bool m_bPrimary = false;
    unsigned long m_HelpTopic = 0;
};
