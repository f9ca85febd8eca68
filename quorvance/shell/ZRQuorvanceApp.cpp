#include "quorvance/shell/ZRQuorvanceApp.h"

#include "kitbase/model/DBStorage.h"
#include "kitbase/model/ZRClipboard.h"
#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRProgress.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRTestEx.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/ZRMonitorSetup.h"
#include "kitbase/ui/ZRMonitorView.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRWorkspaceDoc.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/SerialPorts.h"
#include "platform/core/Text.h"
#include "platform/core/WorkFiles.h"
#include "platform/ui/AppWindow.h"
#include "platform/ui/Application.h"
#include "platform/ui/CellControl.h"
#include "platform/ui/DockBar.h"
#include "platform/ui/FileDialogFolder.h"
#include "platform/ui/HelpRequest.h"
#include "platform/ui/MainWindow.h"
#include "platform/ui/Resources.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/shell/QuorvanceIds.h"
#include "quorvance/shell/ZRCommandLineInfo.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/shell/ZRImages.h"
#include "quorvance/shell/ZRInitFileDlg.h"
#include "quorvance/shell/ZRMainFrame.h"
#include "quorvance/shell/ZRMasterRowFactory.h"
#include "quorvance/tarvik/ZRNoxelFolder.h"
#include "quorvance/shell/ZROffLineDBNodeMgr.h"
#include "quorvance/shell/ZROutputDoc.h"
#include "quorvance/shell/ZROutputView.h"
#include "quorvance/shell/ZRRecentFileList.h"
#include "quorvance/shell/ZRWebView.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QSplashScreen>
#include <QTextBrowser>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

using platform::core::FileSystem;
using platform::core::Format;

namespace {

constexpr const char* kProduct = "Quorvance";
constexpr int kSplashMs = 2500;

// The off-line device of the project: off line, it has no drive to enable or disable.
class OffLineDevice : public ZRDevice {
public:
    void Disable() override {}
    void SavePowerUpValues() override {}
    bool IsEnabled() override { return false; }
    void ToggleEnabled() override {}
};

// The fields of a window placement, in their stored order.
const char* const kPlacementNames[10] = {"flags",
                                         "showCmd",
                                         "ptMinPosition.x",
                                         "ptMinPosition.y",
                                         "ptMaxPosition.x",
                                         "ptMaxPosition.y",
                                         "rcNormalPosition.left",
                                         "rcNormalPosition.right",
                                         "rcNormalPosition.top",
                                         "rcNormalPosition.bottom"};

// The serial settings used when none are stored. The port is the first one this machine has, or
// none.
std::string DefaultSerialValue(int id) {
    switch (id) {
    case 33000:
        return platform::core::SerialPorts::First();
    case 33001:
        return "38400";
    default:
        return "8 DATA BITS, NO PARITY";
    }
}

} // namespace

ZRQuorvanceApp* ZRQuorvanceApp::s_pInstance = nullptr;

ZRQuorvanceApp::ZRQuorvanceApp()
    : m_pOffLineDevice(std::make_unique<OffLineDevice>()), m_pOnLine(std::make_unique<ZROnLine>()),
      m_pRecentFiles(std::make_unique<ZRRecentFileList>(4)) {
    s_pInstance = this;
}

ZRQuorvanceApp::~ZRQuorvanceApp() {
    // Normally ExitInstance has let go of everything; a failed start may leave the windows.
    m_pHelpWindow.reset();
    m_pMainFrame.reset();
    m_pOffLineRoot.reset();
    m_pStorage.reset();
    if (s_pInstance == this)
        s_pInstance = nullptr;
}

ZRQuorvanceApp* ZRQuorvanceApp::Instance() {
    return s_pInstance;
}

// ---- Start-up

bool ZRQuorvanceApp::InitInstance(const std::vector<std::string>& args) {
    ZRCommandLineInfo cmdInfo;
    cmdInfo.ParseCommandLine(args);
    if (cmdInfo.m_nShellCommand != ZRCommandLineInfo::FileOpen)
        cmdInfo.m_nShellCommand = ZRCommandLineInfo::FileNothing;

    m_bTestMode = cmdInfo.m_bTestMode;
    m_bEngineeringMode = cmdInfo.m_bEngineeringMode;
    m_bManufacturingMode = cmdInfo.m_bManufacturingMode;
    m_bBlobMode = cmdInfo.m_bBlob;
    m_bKvlMode = cmdInfo.m_bKvlMode;
    m_bPortGiven = cmdInfo.m_bPortGiven;
    m_PortGivenName = cmdInfo.m_PortName;
    m_bTarvikDrive = cmdInfo.m_bTarvikDrive;
    m_bMerrixFW = cmdInfo.m_bMerrixFW;
    m_bTarvikFW = cmdInfo.m_bTarvikFW;
    m_bSercos = cmdInfo.m_bSercos;
    m_bQuiet = cmdInfo.m_bQuiet;
    m_bDriver = cmdInfo.m_bDriver;
    m_bFile = cmdInfo.m_bFile;

    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data || !data->Init())
        return false;

    // Batch modes: the first switch set decides; no window is made.
    BatchMode mode = m_bTarvikFW      ? BatchMode::TarvikFW
                     : m_bTarvikDrive ? BatchMode::TarvikDrive
                     : m_bMerrixFW    ? BatchMode::MerrixFW
                     : m_bDriver      ? BatchMode::Driver
                     : m_bFile        ? BatchMode::File
                                      : BatchMode::None;
    if (mode != BatchMode::None) {
        m_bBatchRun = true;
        std::string path =
            cmdInfo.m_strFileName.empty() ? std::string() : FileSystem::FullPath(cmdInfo.m_strFileName);
        if (!RunBatchMode(mode, path)) {
            static const char* const failures[] = {"",
                                                   "Firmware load failed.\n",
                                                   "Parameter load failed.\n",
                                                   "Merrix firmware load failed.\n",
                                                   "Loading of the driver failed.\n",
                                                   "Loading of the file failed.\n"};
            std::fputs(failures[static_cast<int>(mode)], stdout);
            std::fflush(stdout);
            m_ExitCode = 1;
        }
        return false;
    }

    if (QGuiApplication::instance()) {
        QPixmap picture(420, 180);
        picture.fill(QColor(32, 64, 112));
        QPainter painter(&picture);
        painter.setPen(Qt::white);
        QFont font = painter.font();
        font.setPointSize(28);
        font.setBold(true);
        painter.setFont(font);
        painter.drawText(picture.rect(), Qt::AlignCenter, kProduct);
        painter.end();
        m_pSplash = std::make_unique<QSplashScreen>(picture);
        m_pSplash->setWindowTitle(kProduct);
        m_pSplash->show();
        QTimer::singleShot(kSplashMs, m_pSplash.get(), &QWidget::close);
    }

    // The program's images, and its icon on every top-level window that has none of its own.
    ZRImages::Register();
    QGuiApplication::setWindowIcon(platform::ui::Resources::Icon(IDR_MAINFRAME));

    static CGridControlFactory gridControls;
    platform::ui::SetControlFactory(&gridControls);

    m_pRecentFiles->ReadList(data->GetUserKey());

    std::string install;
    data->OpenMachineSection("");
    if (!data->GetMachineKey().GetStringValue("INSTALL", install) || !FileSystem::IsDirectory(install)) {
        CloseSplash();
        platform::core::MessageBox(Format("Unable to initialize %s. You must reinstall.", kProduct));
        return false;
    }
    data->SetInstallDir(install);
    ZRTestEx::SetInstallPath(install);

    platform::core::RemoveStaleWorkFiles();
    if (!data->CreateTempDir()) {
        CloseSplash();
        return false;
    }

    if (!InitUserInterface()) {
        CloseSplash();
        return false;
    }

    data->m_HelpPath = platform::core::JoinPath(install, "help");
    platform::ui::SetHelpHandler([this](unsigned long topic, unsigned command) { WinHelp(topic, command); });
    // File dialogs open beside the project the user works on.
    platform::ui::SetFileDialogFolderSource(
        [this] { return m_ProjectPath.empty() ? std::string() : FileSystem::Directory(m_ProjectPath); });

    data->OpenUserSection("", false, true);
    m_TmpName.clear();
    m_ProjectPath.clear();

    OpenInitialProject(cmdInfo);
    CloseSplash();

    if (data->OpenUserSection("", false, true)) {
        std::string options;
        if (data->GetUserKey().GetStringValue("Compile Options", options))
            data->m_CompileOptions = options;
        else
            data->GetUserKey().SetStringValue("Compile Options", {});
    }

    ReadSerialSettings();
    m_pOnLine->LoadScanSettings();
    m_bLineNumbers = data->GetLineNumbers();
    ShowTipOfDay(false);

    if (auto* app = platform::ui::Application::Instance())
        app->SetIdleHandler([this](long count) { return OnIdle(count); });
    // From here on off-line drives' windows are the user's own doing and get their full panes.
    data->SetStartUpComplete();
    return true;
}

bool ZRQuorvanceApp::InitUserInterface() {
    m_pMainFrame = CreateMainFrame();
    if (!m_pMainFrame)
        return false;
    platform::ui::SetMainWindow(m_pMainFrame.get());
    m_pMainFrame->SetCommandTargets({this});
    m_pMainFrame->setWindowTitle(kProduct);
    if (!RestoreWindowPlacement())
        m_pMainFrame->show();

    // The output window: read-only, docked at the bottom; hidden until the user or a saved layout shows it.
    auto* output = new ZROutputView;
    output->setReadOnly(true);
    if (output->GetDocument())
        output->GetDocument()->SetTitle("Output");
    m_pOutputView = output;
    m_pOutputBar = new platform::ui::DockBar("Output", "Output", m_pMainFrame.get());
    m_pOutputBar->setWidget(output);
    m_pMainFrame->AddDockBar(m_pOutputBar, Qt::BottomDockWidgetArea);
    m_pOutputBar->ShowBar(false);

    // The print helper: a hidden view over the print file, kept in the global data.
    ZRWebView::CreatePrintView(m_pMainFrame.get());

    // The workspace window, docked at the left edge.
    m_pWorkspaceDoc = std::make_unique<ZRWorkspaceDoc>();
    m_pWorkspaceDoc->SetTitle("Workspace");
    m_pWorkspaceView = new ZRWorkspaceView(m_pWorkspaceDoc.get());
    m_pWorkspaceBar = new platform::ui::DockBar("Workspace", "Workspace", m_pMainFrame.get());
    m_pWorkspaceBar->setWidget(m_pWorkspaceView);
    m_pMainFrame->AddDockBar(m_pWorkspaceBar, Qt::LeftDockWidgetArea);
    m_pMainFrame->resizeDocks({m_pWorkspaceBar}, {250}, Qt::Horizontal);
    m_pWorkspaceView->OnInitialUpdate();
    AddRootItem(m_pWorkspaceView, true);

    // The saved layout names the docked windows too: it is read once they all exist.
    if (ZRMainFrame* frame = GetMainFrame())
        frame->LoadToolbarState();
    return true;
}

void ZRQuorvanceApp::OpenInitialProject(const ZRCommandLineInfo& cmdInfo) {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (cmdInfo.m_nShellCommand == ZRCommandLineInfo::FileOpen) {
        std::string path = FileSystem::FullPath(cmdInfo.m_strFileName);
        if (!platform::core::EqualsNoCase(FileSystem::Extension(path), "qdb"))
            path += ".qdb";
        CloseSplash();
        OpenProjectFile(path);
    }
    if (IsDatabaseOpen())
        return;

    std::string lastFile;
    if (data->OpenUserSection("", false, true))
        data->GetUserKey().GetStringValue("LastOpenFile", lastFile);
    data->m_HelpTopicOverride = 1110;
    int choice = RunInitFileDialog(lastFile);
    data->m_HelpTopicOverride = 0;
    if (choice < 0)
        return;
    CloseSplash();
    switch (choice) {
    case ZRInitFileDlg::OpenLast:
        if (lastFile.empty()) {
            platform::core::MessageBox("No record of the last open database file.");
        } else if (!OpenProjectFile(lastFile)) {
            WriteLastOpenFile({});
        }
        break;
    case ZRInitFileDlg::OpenExisting:
        OpenDatabase();
        break;
    case ZRInitFileDlg::CreateNew:
        NewDatabase();
        break;
    default:
        break;
    }
}

int ZRQuorvanceApp::RunInitFileDialog(const std::string& lastFile) {
    QWidget* parent =
        m_pSplash && m_pSplash->isVisible() ? static_cast<QWidget*>(m_pSplash.get()) : m_pMainFrame.get();
    ZRInitFileDlg dialog(parent);
    dialog.m_LastFile = lastFile;
    dialog.m_Choice = ZRInitFileDlg::OpenLast;
    if (dialog.DoModal() != platform::core::IDOK)
        return -1;
    return dialog.m_Choice;
}

void ZRQuorvanceApp::ReadSerialSettings() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!data->OpenUserSection("Serial Port", true, true))
        return;
    ZRRegistryKey& key = data->GetUserKey();
    auto read = [&](const char* name, int id, std::string& value) {
        // An empty port was stored when the machine had none: look again.
        if (!key.GetStringValue(name, value) || (id == 33000 && value.empty())) {
            value = DefaultSerialValue(id);
            key.SetStringValue(name, value);
        }
    };
    read("Port", 33000, m_Port);
    read("Baud Rate", 33001, m_BaudRate);
    read("Format", 33002, m_Format);
    if (m_bPortGiven)
        m_Port = m_PortGivenName;
    // A port given on the command line stays the stored port for later runs.
    key.SetStringValue("Port", m_Port);
}

void ZRQuorvanceApp::CloseSplash() {
    if (m_pSplash)
        m_pSplash->close();
}

std::unique_ptr<platform::ui::MainWindow> ZRQuorvanceApp::CreateMainFrame() {
    return ZRMainFrame::Create();
}

std::unique_ptr<ZRObject> ZRQuorvanceApp::CreateOffLineRoot() {
    return std::make_unique<ZRNoxelFolder>();
}

ZRNodeMgr* ZRQuorvanceApp::CreateRootNodeMgr(bool onLine, TreeItem item, ZRWorkspaceView* view) {
    if (onLine)
        return new ZROnLineRootMgr(item, m_pOnLine.get(), view);
    return new ZROffLineDBNodeMgr(item, m_pOffLineRoot.get(), view);
}

bool ZRQuorvanceApp::RunBatchMode(BatchMode, const std::string&) {
    // The drive families bring the batch modes; until then none can run.
    return false;
}

bool ZRQuorvanceApp::FrameworkIdle(long) {
    return false;
}

// ---- Exit

int ZRQuorvanceApp::ExitInstance() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::m_pInstance;
    if (data && data->GetUserKey().IsConnected())
        data->SetLineNumbers(m_bLineNumbers);

    if (auto* app = platform::ui::Application::Instance())
        app->SetIdleHandler({});
    platform::ui::SetHelpHandler({});
    platform::ui::SetFileDialogFolderSource({});
    // The windows go first: the workspace lets go of the node managers of both roots.
    m_pHelpWindow.reset();
    m_pSplash.reset();
    if (m_pWorkspaceView)
        m_pWorkspaceView->OnDestroy();
    m_OffLineItem = nullptr;
    m_OnLineItem = nullptr;
    m_pWorkspaceView = nullptr;
    m_pOutputView = nullptr;
    m_pWorkspaceBar = nullptr;
    m_pOutputBar = nullptr;
    m_pMainFrame.reset();
    m_pWorkspaceDoc.reset();

    m_pStorage.reset();
    m_pOffLineRoot.reset();
    m_pOffLineDevice->SetStorage(nullptr);

    ZRNodeMgr::SetFactory(nullptr);
    ZRMonitorView::SetFactory(nullptr);
    ZRMonitorSetup::SetFactory(nullptr);
    ZRMasterRowFactory::DestroyInstance();
    ZRGlobalDataMgr::DestroyInstance();
    ZRProgress::DestroyInstance();
    ZRClipboard::DestroyInstance();
    ZRIdleController::DestroyInstance();
    return m_ExitCode;
}

// ---- Switches and serial settings

std::string ZRQuorvanceApp::GetPortName() {
    // Device paths are case-sensitive; only names such as "com3" are normalised.
    if (m_Port.empty() || m_Port[0] != '/')
        m_Port = platform::core::ToUpper(m_Port);
    return m_Port;
}

int ZRQuorvanceApp::GetBaudRate() const {
    char* end = nullptr;
    long rate = std::strtol(m_BaudRate.c_str(), &end, 10);
    if (end == m_BaudRate.c_str())
        return 38400;
    return static_cast<int>(rate);
}

int ZRQuorvanceApp::GetParity() {
    m_Format = platform::core::ToUpper(m_Format);
    if (m_Format.find("EVEN PARITY") != std::string::npos)
        return 2;
    if (m_Format.find("ODD PARITY") != std::string::npos)
        return 1;
    return 0;
}

int ZRQuorvanceApp::GetDataBits() {
    m_Format = platform::core::ToUpper(m_Format);
    return m_Format.find("7 DATA") != std::string::npos ? 7 : 8;
}

void ZRQuorvanceApp::SetSerialSettings(const std::string& port, const std::string& baudRate,
                                       const std::string& format) {
    m_Port = port;
    m_BaudRate = baudRate;
    m_Format = format;
}

// ---- Window placement

bool ZRQuorvanceApp::RestoreWindowPlacement() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!m_pMainFrame || !data->OpenUserSection("Window Placement", true, true))
        return false;
    int32_t values[10];
    for (int i = 0; i < 10; ++i) {
        uint32_t v = 0;
        if (!data->GetUserKey().GetDwordValue(kPlacementNames[i], v))
            return false;
        values[i] = static_cast<int32_t>(v);
    }
    QRect normal(QPoint(values[6], values[8]), QPoint(values[7] - 1, values[9] - 1));
    QScreen* screen = QGuiApplication::primaryScreen();
    QRect screenRect = screen ? QRect(QPoint(0, 0), screen->size()) : QRect();
    if (!normal.isValid() || !normal.intersects(screenRect))
        return false;
    int show = values[1];
    if (show == 2)
        show = values[0] == 2 ? 3 : 1;
    m_pMainFrame->setGeometry(normal);
    if (show == 3)
        m_pMainFrame->showMaximized();
    else
        m_pMainFrame->showNormal();
    return true;
}

void ZRQuorvanceApp::SaveWindowPlacement() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (!m_pMainFrame || !data || !data->OpenUserSection("Window Placement", true, true))
        return;
    QRect normal = m_pMainFrame->normalGeometry();
    if (!normal.isValid())
        normal = m_pMainFrame->geometry();
    bool minimized = m_pMainFrame->isMinimized();
    bool maximized = m_pMainFrame->isMaximized();
    int32_t values[10] = {minimized && maximized ? 2 : 0,
                          minimized   ? 2
                          : maximized ? 3
                                      : 1,
                          -1,
                          -1,
                          -1,
                          -1,
                          normal.left(),
                          normal.right() + 1,
                          normal.top(),
                          normal.bottom() + 1};
    for (int i = 0; i < 10; ++i)
        data->GetUserKey().SetDwordValue(kPlacementNames[i], static_cast<uint32_t>(values[i]));
}

// ---- Accessors

ZRMainFrame* ZRQuorvanceApp::GetMainFrame() const {
    return dynamic_cast<ZRMainFrame*>(m_pMainFrame.get());
}

ZRNodeMgr* ZRQuorvanceApp::GetOnLineNodeMgr() const {
    return m_pWorkspaceView && m_OnLineItem ? m_pWorkspaceView->NodeOf(m_OnLineItem) : nullptr;
}

ZRNodeMgr* ZRQuorvanceApp::GetOffLineNodeMgr() const {
    return m_pWorkspaceView && m_OffLineItem ? m_pWorkspaceView->NodeOf(m_OffLineItem) : nullptr;
}

int ZRQuorvanceApp::OnLineDriveCount() const {
    int count = 0;
    for (ZRObject* child : m_pOnLine->GetChildren())
        if (child)
            ++count;
    return count;
}
