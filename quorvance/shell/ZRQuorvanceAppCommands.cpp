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
#include "platform/ui/CommandIds.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Text.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZRCommSetup.h"
#include "quorvance/online/ZRFWUpgrade.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZRRecoverComm.h"
#include "quorvance/online/ZRRescanDlg.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRAboutDlg.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
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
using namespace platform::ui::ids;

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

void ZRQuorvanceApp::OnSerialPort() {
    ZRCommSetup dialog(m_pMainFrame.get());
    dialog.m_Port = m_Port;
    dialog.m_BaudRate = m_BaudRate;
    dialog.m_Format = m_Format;
    if (dialog.DoModal() != platform::core::IDOK)
        return;
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (data && data->OpenUserSection(online::kSerialSection, true, true)) {
        ZRRegistryKey& key = data->GetUserKey();
        key.SetStringValue("Port", dialog.m_Port);
        key.SetStringValue("Baud Rate", dialog.m_BaudRate);
        key.SetStringValue("Format", dialog.m_Format);
    }
    SetSerialSettings(dialog.m_Port, dialog.m_BaudRate, dialog.m_Format);
    m_pOnLine->OpenSerialLink();
}

void ZRQuorvanceApp::OnUpgradeFirmware() {
    // Pop-up menus run their commands without asking the state: nothing to load without a drive.
    if (OnLineDriveCount() == 0)
        return;
    ZRFWUpgrade dialog(m_pOnLine.get(), GetOnLineNodeMgr(), m_pMainFrame.get());
    dialog.DoModal();
}

void ZRQuorvanceApp::OnRescanOptions() {
    ZRRescanDlg dialog(m_pOnLine.get(), m_pMainFrame.get());
    dialog.DoModal();
}

void ZRQuorvanceApp::ToggleBar(platform::ui::DockBar* bar) {
    if (bar)
        bar->ShowBar(!bar->IsBarShown());
}

void ZRQuorvanceApp::OnInsertProject() {
    RunOnOffLineRoot([](ZROffLineDBNodeMgr& root) { root.NewProject(); });
}

void ZRQuorvanceApp::RunOnOffLineRoot(void (*command)(ZROffLineDBNodeMgr& root)) {
    if (auto* root = IsDatabaseOpen() ? dynamic_cast<ZROffLineDBNodeMgr*>(GetOffLineNodeMgr()) : nullptr)
        command(*root);
}

void ZRQuorvanceApp::OnPrintSetup() {
    // The print view runs its own page set-up, which every print of the program shares.
    if (ZRWebView* view = ZRGlobalDataMgr::Instance()->m_pPrintView)
        view->OnCommand(ID_FILE_PRINT_SETUP);
}

// ---- Commands

void ZRQuorvanceApp::OnUpdateRecentFile(unsigned id, platform::ui::CommandState& state) const {
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
}

// The drive families' commands come from their registered rows, then the application's own.
const platform::ui::CommandTable* ZRQuorvanceApp::Commands() const {
    using Row = platform::ui::CommandRow<ZRQuorvanceApp>;
    using State = platform::ui::CommandState;
    static const auto projectOpen = [](const ZRQuorvanceApp& app, State& state) {
        state.enabled = app.IsDatabaseOpen();
    };
    static const auto barShown = [](platform::ui::DockBar* bar, State& state) {
        state.checked = bar && bar->IsBarShown();
    };
    static const platform::ui::CommandTable table{
        Row(ID_APP_ABOUT, &ZRQuorvanceApp::OnAppAbout),
        Row(ID_PROJECT_CLOSE, &ZRQuorvanceApp::CloseDatabase, projectOpen),
        Row(ID_PROJECT_SAVE, &ZRQuorvanceApp::OnFileSave,
            [](const ZRQuorvanceApp& app, State& state) {
                state.enabled = app.m_pWorkspaceView && app.m_OnLineItem &&
                                (app.IsDatabaseOpen() || app.OnLineDriveCount() > 0);
            }),
        Row(ID_PROJECT_SAVE_AS, &ZRQuorvanceApp::SaveAsDatabase, projectOpen),
        Row(ID_FILE_PRINT_SETUP, &ZRQuorvanceApp::OnPrintSetup),
        Row(ID_UPGRADE_FIRMWARE, &ZRQuorvanceApp::OnUpgradeFirmware,
            [](const ZRQuorvanceApp& app, State& state) { state.enabled = app.OnLineDriveCount() > 0; }),
        Row(ID_RESCAN, [](ZRQuorvanceApp& app) { app.m_pOnLine->Refresh(); }),
        Row(ID_RECOVER_COMMUNICATIONS, &ZRRecoverComm::RunCommand),
        Row(ID_RESCAN_OPTIONS, &ZRQuorvanceApp::OnRescanOptions),
        Row(ID_SERIAL_PORT, &ZRQuorvanceApp::OnSerialPort),
        Row(ID_DISABLE_ALL, [](ZRQuorvanceApp& app) { app.m_pOnLine->DisableAllDrives(); },
            [](const ZRQuorvanceApp& app, State& state) { state.enabled = app.OnLineDriveCount() > 0; }),
        Row(ID_INSERT_PROJECT, &ZRQuorvanceApp::OnInsertProject, projectOpen),
        Row(ID_TIP_OF_THE_DAY, [](ZRQuorvanceApp& app) { app.ShowTipOfDay(true); }),
        Row(ID_RESTORE_MESSAGES, &ZRQuorvanceApp::RestoreHiddenMessages),
        Row(ID_SELF_TEST, nullptr,
            [](const ZRQuorvanceApp& app, State& state) { state.visible = app.m_bTestMode; }),
        Row(
            ID_VIEW_OUTPUT, [](ZRQuorvanceApp& app) { app.ToggleBar(app.m_pOutputBar); },
            [](const ZRQuorvanceApp& app, State& state) { barShown(app.m_pOutputBar, state); }),
        Row(
            ID_VIEW_WORKSPACE, [](ZRQuorvanceApp& app) { app.ToggleBar(app.m_pWorkspaceBar); },
            [](const ZRQuorvanceApp& app, State& state) { barShown(app.m_pWorkspaceBar, state); }),
        Row(ID_CLOSE_ALL, &ZRQuorvanceApp::OnCloseAll,
            [](const ZRQuorvanceApp& app, State& state) {
                platform::ui::MainWindow* frame = app.GetMainWindow();
                state.enabled = frame && !frame->ChildFrames().empty();
            }),
        Row(ID_FILE_NEW, &ZRQuorvanceApp::NewDatabase),
        Row(ID_FILE_OPEN, &ZRQuorvanceApp::OpenDatabase),
        Row(Row::Range{ID_FILE_MRU_FIRST, ID_FILE_MRU_LAST}, &ZRQuorvanceApp::OnOpenRecentFile,
            &ZRQuorvanceApp::OnUpdateRecentFile),
    };
    // The families' commands (on the off-line root, and their own), then the application's own.
    static const platform::ui::CommandTable withFamilies = [] {
        std::vector<platform::ui::CommandTable::Row> rows;
        for (const ZRRootCommandEntry& command : ZRFamilyRegistry::Instance().RootCommands())
            rows.push_back(Row(
                command.id, [run = command.run](ZRQuorvanceApp& app) { app.RunOnOffLineRoot(run); },
                projectOpen));
        for (const ZRAppCommandEntry& command : ZRFamilyRegistry::Instance().AppCommands())
            rows.push_back(Row(command.id, [run = command.run](ZRQuorvanceApp&) { run(); }));
        return platform::ui::CommandTable(std::move(rows), &table);
    }();
    return &withFamilies;
}
