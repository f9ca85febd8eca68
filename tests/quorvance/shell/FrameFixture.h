// The application with its real main frame, and optionally the real off-line root node.
#pragma once

#include "AppFixture.h"

#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/shell/ZRMainFrame.h"
#include "quorvance/shell/ZRMessageNoshow.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>

#include <memory>
#include <string>
#include <vector>

class FrameApp : public TestApp {
public:
    ZRMainFrame* Frame() const { return dynamic_cast<ZRMainFrame*>(GetMainWindow()); }
    ZROffLineDBNodeMgr* Root() const { return dynamic_cast<ZROffLineDBNodeMgr*>(GetOffLineNodeMgr()); }

    // The off-line root gets its real node instead of the counting double.
    bool m_bRealRoot = false;

protected:
    std::unique_ptr<platform::ui::MainWindow> CreateMainFrame() override { return ZRMainFrame::Create(); }
    ZRNodeMgr* CreateRootNodeMgr(bool onLine, TreeItem item, ZRWorkspaceView* view) override {
        if (!onLine && m_bRealRoot)
            return new ZROffLineDBNodeMgr(item, GetOffLineRoot(), view);
        return TestApp::CreateRootNodeMgr(onLine, item, view);
    }
};

class FrameFixture : public AppFixture {
protected:
    // Starts with the start-up dialog cancelled, or choosing "Create new file".
    void StartFrame(bool newProject = false, bool realRoot = false) {
        auto app = std::make_unique<FrameApp>();
        app->m_bRealRoot = realRoot;
        m_pApp = std::move(app);
        ModalScript script;
        if (newProject)
            ExpectStartDialog(script, platform::core::IDOK, 2);
        else
            ExpectStartDialog(script, platform::core::IDCANCEL);
        ASSERT_TRUE(m_pApp->InitInstance({}));
        ASSERT_NE(Frame(), nullptr);
        // The frame's deferred steps run with the first events.
        QCoreApplication::processEvents();
    }

    // The drive-added notice, naming the drive.
    static void ExpectDriveAdded(ModalScript& script, const std::string& name) {
        script.Expect(platform::core::ModalKind::Dialog, "Information",
                      platform::ui::PressDialogButton(platform::core::IDOK, [name](platform::ui::Dialog& d) {
                          EXPECT_NE(d.GetItemText(ZRMessageNoshow::IDC_MESSAGE).find("\"" + name + "\""),
                                    std::string::npos);
                      }));
    }

    // The node of the object among the tree item's children, or null.
    ZRNodeMgr* NodeUnder(platform::ui::TreeItem parent, ZRObject* object) {
        ZRWorkspaceView* view = App().GetWorkspaceView();
        for (ZRTreeItem* item : view->Children(parent))
            if (ZRNodeMgr* node = view->NodeOf(item); node && node->GetModel() == object)
                return node;
        return nullptr;
    }
    // The project's one object, or null when it holds none or more.
    ZRObject* OnlyOffLineChild() {
        const auto& children = App().GetOffLineRoot()->GetChildren();
        return children.size() == 1 ? children[0] : nullptr;
    }

    FrameApp& Shell() { return static_cast<FrameApp&>(*m_pApp); }
    ZRMainFrame* Frame() { return Shell().Frame(); }

    // The menu-bar item with the command id, or null.
    QAction* MenuAction(unsigned id) {
        std::vector<QMenu*> menus;
        for (QAction* top : Frame()->menuBar()->actions())
            if (top->menu())
                menus.push_back(top->menu());
        while (!menus.empty()) {
            QMenu* menu = menus.back();
            menus.pop_back();
            for (QAction* action : menu->actions()) {
                if (action->menu())
                    menus.push_back(action->menu());
                else if (platform::ui::CommandId(*action) == id)
                    return action;
            }
        }
        return nullptr;
    }
    bool IsEnabled(unsigned id) {
        QAction* action = MenuAction(id);
        if (!action)
            return false;
        Frame()->Router().UpdateAction(*action);
        return action->isEnabled();
    }
};
