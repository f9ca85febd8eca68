// The running application: idle handler, help entry point, application-wide commands and prompts.
#include "quorvance/shell/ZRQuorvanceApp.h"

#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Clock.h"
#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/core/Version.h"
#include "platform/ui/ChildFrame.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Text.h"
#include "quorvance/shell/ZRAboutDlg.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRMainFrame.h"
#include "quorvance/shell/ZRMessageNoshow.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"
#include "quorvance/shell/ZRRecentFileList.h"
#include "quorvance/shell/ZRTipOfDay.h"
#include "quorvance/shell/ZRWebView.h"

#include <QTextBrowser>
#include <QUrl>

#include <exception>

using platform::core::Format;
using platform::core::kProductName;

namespace {
// Extra idle rounds granted to the framework in a row.
long s_IdleCount = 0;
} // namespace

// ---- Idle

bool ZRQuorvanceApp::OnIdle(long count) {
    if (FrameworkIdle(count) && s_IdleCount < 5) {
        ++s_IdleCount;
        return true;
    }
    platform::core::Sleep(0);
    UpdateMotionCmdsBar();
    s_IdleCount = 0;
    return ZRIdleController::Instance()->DoIdle() != 0;
}

void ZRQuorvanceApp::UpdateMotionCmdsBar() {
    ZRMainFrame* frame = GetMainFrame();
    platform::ui::DockBar* bar = frame ? frame->GetMotionBar() : nullptr;
    if (!bar || !bar->IsBarShown())
        return;
    // The bar serves the program editor; a property window or no window at all does without it.
    platform::ui::ChildFrame* active = frame->ActiveChildFrame();
    if (!active || dynamic_cast<CSizableChildFrame*>(active)) {
        // Not the user's choice: the bar must not record it.
        ZRGlobalDataMgr::Instance()->m_bBarFlag = true;
        bar->ShowBar(false);
    }
}

// ---- Help

void ZRQuorvanceApp::WinHelp(unsigned long data, unsigned command) {
    ZRGlobalDataMgr* global = ZRGlobalDataMgr::Instance();
    if (global && global->m_HelpTopicOverride != 0)
        data = global->m_HelpTopicOverride;
    try {
        if (command != platform::ui::HELP_CONTEXT && command != platform::ui::HELP_CONTENTS)
            return;
        std::string dir = global ? global->m_HelpPath : std::string();
        std::string page =
            platform::core::JoinPath(dir, command == platform::ui::HELP_CONTEXT ? Format("%lu.html", data)
                                                                                : std::string("index.html"));
        if (!m_pHelpWindow) {
            // A window of its own that still belongs to the main window, so it never keeps the
            // program running after the main window has closed.
            m_pHelpWindow = std::make_unique<QTextBrowser>(GetMainWindow());
            m_pHelpWindow->setWindowFlags(Qt::Window);
            m_pHelpWindow->setWindowTitle(QStringLiteral("Quorvance Help"));
            m_pHelpWindow->resize(640, 480);
        }
        if (platform::core::FileSystem::Exists(page)) {
            m_pHelpWindow->setSource(QUrl::fromLocalFile(platform::ui::ToQString(page)));
            m_HelpResult = 1;
        } else {
            std::string text = command == platform::ui::HELP_CONTEXT
                                   ? Format("There is no help page for topic %lu.", data)
                                   : std::string("The help contents are missing.");
            // The topic only: the install path means nothing to the reader.
            m_pHelpWindow->setPlainText(platform::ui::ToQString(text));
            m_HelpResult = 0;
        }
        m_pHelpWindow->show();
        m_pHelpWindow->raise();
    } catch (const std::exception& e) {
        std::string text = e.what();
        platform::core::MessageBox(text.substr(0, 300));
    } catch (...) {
        platform::core::MessageBox("Unexpected error invoking help");
    }
}

// ---- Prompts

void ZRQuorvanceApp::ShowDriveAddedMessage(const std::string& driveName) {
    ZRMessageNoshow message("Message1",
                            Format("Drive \"%s\" has been added to the workspace.\nDouble click on the drive "
                                   "icon to begin basic setup.",
                                   driveName.c_str()),
                            GetMainWindow());
    message.Show();
}

void ZRQuorvanceApp::ShowTipOfDay(bool forced) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data->OpenUserSection("Tip Of Day", true, true))
        return;
    uint32_t current = 0, show = 1;
    data->GetUserKey().GetDwordValue("CurrentTip", current);
    data->GetUserKey().GetDwordValue("ShowAtStartup", show);
    if (!forced && show == 0)
        return;
    data->m_HelpTopicOverride = ZRTipOfDay::kHelpTopic;
    ZRTipOfDay dialog(platform::core::JoinPath(data->GetInstallDir(), Format("%s.tip", kProductName)),
                      static_cast<int>(current) + 1, show != 0, GetMainWindow());
    dialog.DoModal();
    data->m_HelpTopicOverride = 0;
    if (data->OpenUserSection("Tip Of Day", true, true)) {
        data->GetUserKey().SetDwordValue("CurrentTip", static_cast<uint32_t>(dialog.GetCurrentTip()));
        data->GetUserKey().SetDwordValue("ShowAtStartup", dialog.GetShowAtStartup() ? 1 : 0);
    }
}

void ZRQuorvanceApp::RestoreHiddenMessages() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    for (int n = 1; n <= 9; ++n)
        if (data->OpenUserSection(Format("Message%d", n), false, false))
            data->GetUserKey().SetDwordValue("ShowMessage", 1);
    if (data->OpenUserSection("Tip Of Day", false, false))
        data->GetUserKey().SetDwordValue("ShowAtStartup", 1);
}

void ZRQuorvanceApp::OnAppAbout() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    data->m_HelpTopicOverride = ID_APP_ABOUT;
    ZRAboutDlg dialog(GetMainWindow());
    // The program carries its product name and version; it has no notice or comment texts.
    std::string version =
        Format(" %u.%u", platform::core::kVersionMajor & 0xFF, platform::core::kVersionMinor & 0xFF);
    dialog.m_VersionText = Format("%s Version %s", kProductName, version.c_str());
    dialog.DoModal();
    data->m_HelpTopicOverride = 0;
}

void ZRQuorvanceApp::OnCloseAll() {
    ZRNodeMgr* offLine = GetOffLineNodeMgr();
    if (offLine && !offLine->DoCloseWindows())
        return;
    if (ZRNodeMgr* onLine = GetOnLineNodeMgr())
        onLine->DoCloseWindows();
}

void ZRQuorvanceApp::OnSerialPort() {}

void ZRQuorvanceApp::ToggleBar(platform::ui::DockBar* bar) {
    if (bar)
        bar->ShowBar(!bar->IsBarShown());
}

bool ZRQuorvanceApp::OnInsertCommand(unsigned id) {
    auto* root = IsDatabaseOpen() ? dynamic_cast<ZROffLineDBNodeMgr*>(GetOffLineNodeMgr()) : nullptr;
    if (!root)
        return true;
    switch (id) {
    case ID_INSERT_PROJECT:
        root->NewProject();
        break;
    case ID_INSERT_TARVIK:
        root->NewTarvikDrive();
        break;
    case ID_INSERT_MERRIX:
        root->NewMerrixDrive();
        break;
    case ID_INSERT_FENWA:
        root->NewFenwaDrive();
        break;
    case ID_INSERT_ZELNA:
        root->NewZelnaDrive();
        break;
    default:
        break;
    }
    return true;
}

void ZRQuorvanceApp::OnPrintSetup() {
    // The print view runs its own page set-up, which every print of the program shares.
    if (ZRWebView* view = ZRGlobalDataMgr::Instance()->m_pPrintView)
        view->OnCommand(ID_FILE_PRINT_SETUP);
}

// ---- Commands

bool ZRQuorvanceApp::OnCommand(unsigned id) {
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
        OnOpenRecentFile(id);
        return true;
    }
    switch (id) {
    case ID_FILE_CLOSE:
        CloseDatabase();
        return true;
    case ID_FILE_SAVE:
        OnFileSave();
        return true;
    case ID_FILE_SAVE_AS:
        SaveAsDatabase();
        return true;
    case ID_DISABLE_ALL:
        // Every on-line drive is disabled; no drive is on line without the link scan.
        return true;
    case ID_INSERT_PROJECT:
    case ID_INSERT_FENWA:
    case ID_INSERT_ZELNA:
    case ID_INSERT_TARVIK:
    case ID_INSERT_MERRIX:
        return OnInsertCommand(id);
    case ID_APP_ABOUT:
        OnAppAbout();
        return true;
    case ID_FILE_PRINT_SETUP:
        OnPrintSetup();
        return true;
    case ID_TIP_OF_THE_DAY:
        ShowTipOfDay(true);
        return true;
    case ID_RESCAN:
        m_pOnLine->Refresh();
        return true;
    case ID_RESTORE_MESSAGES:
        RestoreHiddenMessages();
        return true;
    case ID_VIEW_OUTPUT:
        ToggleBar(m_pOutputBar);
        return true;
    case ID_VIEW_WORKSPACE:
        ToggleBar(m_pWorkspaceBar);
        return true;
    case ID_CLOSE_ALL:
        OnCloseAll();
        return true;
    case ID_FILE_NEW:
        NewDatabase();
        return true;
    case ID_FILE_OPEN:
        OpenDatabase();
        return true;
    default:
        return false;
    }
}

bool ZRQuorvanceApp::HasCommand(unsigned id) const {
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST)
        return true;
    switch (id) {
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
    case ID_DISABLE_ALL:
    case ID_INSERT_PROJECT:
    case ID_INSERT_FENWA:
    case ID_INSERT_ZELNA:
    case ID_INSERT_TARVIK:
    case ID_INSERT_MERRIX:
    case ID_APP_ABOUT:
    case ID_FILE_PRINT_SETUP:
    case ID_TIP_OF_THE_DAY:
    case ID_RESCAN:
    case ID_RESTORE_MESSAGES:
    case ID_VIEW_OUTPUT:
    case ID_VIEW_WORKSPACE:
    case ID_CLOSE_ALL:
    case ID_FILE_NEW:
    case ID_FILE_OPEN:
        return true;
    default:
        return false;
    }
}

bool ZRQuorvanceApp::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) {
        int index = static_cast<int>(id - ID_FILE_MRU_FIRST);
        int count = m_pRecentFiles ? m_pRecentFiles->GetCount() : 0;
        if (index < count) {
            state.enabled = true;
            state.visible = true;
            state.text = m_pRecentFiles->GetDisplayName(index);
        } else if (index == 0) {
            state.enabled = false;
            state.text = std::string("Recent File");
        } else {
            state.visible = false;
        }
        return true;
    }
    switch (id) {
    case ID_FILE_CLOSE:
    case ID_FILE_SAVE_AS:
    case ID_INSERT_PROJECT:
    case ID_INSERT_FENWA:
    case ID_INSERT_ZELNA:
    case ID_INSERT_TARVIK:
    case ID_INSERT_MERRIX:
        state.enabled = IsDatabaseOpen();
        return true;
    case ID_FILE_SAVE:
        state.enabled = m_pWorkspaceView && m_OnLineItem && (IsDatabaseOpen() || OnLineDriveCount() > 0);
        return true;
    case ID_UPGRADE_FIRMWARE:
        state.enabled = OnLineDriveCount() > 0;
        return true;
    case ID_TARVIK_HOST_COMMANDS:
    case ID_FENWA_HOST_COMMANDS:
    case ID_ZELNA_HOST_COMMANDS:
        // Enabled only while a serial link is open.
        state.enabled = false;
        return true;
    case ID_VIEW_OUTPUT:
        state.checked = m_pOutputBar && m_pOutputBar->IsBarShown();
        return true;
    case ID_VIEW_WORKSPACE:
        state.checked = m_pWorkspaceBar && m_pWorkspaceBar->IsBarShown();
        return true;
    case ID_SELF_TEST:
        state.visible = m_bTestMode;
        return true;
    default:
        return false;
    }
}
