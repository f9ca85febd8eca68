#pragma once

#include "platform/ui/Command.h"

#include <memory>
#include <string>
#include <vector>

class QSplashScreen;
class QTextBrowser;
class QWidget;
class DBStorage;
class ZRCommandLineInfo;
class ZRDevice;
class ZRGlobalDataMgr;
class ZRMainFrame;
class ZRNodeMgr;
class ZRObject;
class ZROffLineDBNodeMgr;
class ZROnLine;
class ZRRecentFileList;
class ZRWorkspaceDoc;
class ZRWorkspaceView;
namespace platform::ui {
class DockBar;
class MainWindow;
class TreeViewItem;
} // namespace platform::ui

// The program's one application object: start-up, the idle handler, the application-wide commands,
// the open project and the two roots of the workspace tree, the command-line switches and the serial
// settings that the rest of the program reads.
class ZRQuorvanceApp : public platform::ui::CommandTarget {
public:
    using TreeItem = platform::ui::TreeViewItem*;

    // Batch modes, in the order in which their switches decide.
    enum class BatchMode { None, TarvikFW, TarvikDrive, MerrixFW, Driver, File };

    ZRQuorvanceApp();
    ~ZRQuorvanceApp() override;
    ZRQuorvanceApp(const ZRQuorvanceApp&) = delete;
    ZRQuorvanceApp& operator=(const ZRQuorvanceApp&) = delete;

    // The running application object, or null.
    static ZRQuorvanceApp* Instance();

    // ---- Start-up, idle and exit.
    // args: the command line without the program name. True when the interactive program is to run;
    // false after a batch mode and when start-up failed (its message has been shown).
    virtual bool InitInstance(const std::vector<std::string>& args);
    // Answers the process exit code.
    virtual int ExitInstance();
    // The idle handler: true asks for another round.
    virtual bool OnIdle(long count);
    // The help entry point: command 1 opens the topic, 3 the contents.
    virtual void WinHelp(unsigned long data, unsigned command);

    // ---- Switches and serial settings.
    bool IsTestMode() const { return m_bTestMode; }
    bool IsEngineeringMode() const { return m_bEngineeringMode; }
    bool IsManufacturingMode() const { return m_bManufacturingMode; }
    bool IsBlobMode() const { return m_bBlobMode; }
    bool IsSercosMode() const { return m_bSercos; }
    bool IsKvlMode() const { return m_bKvlMode; }
    bool IsQuiet() const { return m_bQuiet; }
    // A stored port name in upper case; a device path stays as it is.
    std::string GetPortName();
    // 38400 when the stored text does not start with a number.
    int GetBaudRate() const;
    // 2 even, 1 odd, 0 none.
    int GetParity();
    // 7 or 8.
    int GetDataBits();
    const std::string& GetBaudRateText() const { return m_BaudRate; }
    const std::string& GetFormatText() const { return m_Format; }
    void SetSerialSettings(const std::string& port, const std::string& baudRate, const std::string& format);
    int GetExitCode() const { return m_ExitCode; }
    // Whether start-up ran a batch mode in place of the user interface.
    bool RanBatchMode() const { return m_bBatchRun; }
    void SetExitCode(int code) { m_ExitCode = code; }
    // The program editor's line-number flag, kept in the settings between runs.
    bool GetLineNumbers() const { return m_bLineNumbers; }
    void SetLineNumbers(bool show) { m_bLineNumbers = show; }

    // ---- The project (the off-line half of the workspace).
    bool IsDatabaseOpen() const;
    // A new, empty working copy; null after its message.
    std::unique_ptr<DBStorage> CreateProjectStorage();
    // A working copy of an existing project file; null after its message.
    std::unique_ptr<DBStorage> OpenProjectStorage(const std::string& path);
    // False, with nothing attached, when the root could not be read (its message was shown).
    bool AttachDatabase(std::unique_ptr<DBStorage> storage);
    void AddRootItem(ZRWorkspaceView* view, bool onLine);
    void NewDatabase();
    void OpenDatabase();
    virtual bool OpenProjectFile(const std::string& path);
    // False when the user kept the project open (refused windows, Cancel, or a save after Yes that
    // did not complete).
    bool CloseDatabase();
    // The Save command. True when the project was written (or nothing needed writing).
    bool OnFileSave();
    bool SaveDatabase();
    bool SaveAsDatabase();
    // Copies the on-line drives (or the one given) into the project, making one when none is open.
    void CopyOnLineToOffLine(ZRObject* drive);
    // The project file dialog; ".qdb" is added to a name without it. True on OK.
    bool PromptProjectFile(std::string& path, const std::string& title, unsigned flags, bool open);
    void AddRecentProject(const std::string& path);
    // Recent-file entry n (ID_FILE_MRU_FIRST + n).
    void OnOpenRecentFile(unsigned id);
    // Asks "Save changes to %s?" when the project is modified and saves on Yes. False when the user
    // cancelled or the save did not complete: the caller keeps the project (and its window) open.
    bool SaveModifiedProject();

    // ---- Prompts, help and settings dialogs.
    void ShowDriveAddedMessage(const std::string& driveName);
    void ShowTipOfDay(bool forced);
    void RestoreHiddenMessages();
    void OnAppAbout();
    void OnCloseAll();
    void OnSerialPort();
    void OnRescanOptions();
    void OnUpgradeFirmware();
    void OnPrintSetup();

    // ---- Window placement of the main frame ("Window Placement").
    bool RestoreWindowPlacement();
    void SaveWindowPlacement();

    // ---- What the other windows reach.
    ZRMainFrame* GetMainFrame() const;
    platform::ui::MainWindow* GetMainWindow() const { return m_pMainFrame.get(); }
    ZRWorkspaceView* GetWorkspaceView() const { return m_pWorkspaceView; }
    QWidget* GetOutputView() const { return m_pOutputView; }
    platform::ui::DockBar* GetWorkspaceBar() const { return m_pWorkspaceBar; }
    platform::ui::DockBar* GetOutputBar() const { return m_pOutputBar; }
    DBStorage* GetProjectStorage() const { return m_pStorage.get(); }
    ZRObject* GetOffLineRoot() const { return m_pOffLineRoot.get(); }
    ZRDevice* GetOffLineDevice() const { return m_pOffLineDevice.get(); }
    ZROnLine* GetOnLine() const { return m_pOnLine.get(); }
    TreeItem GetOnLineItem() const { return m_OnLineItem; }
    TreeItem GetOffLineItem() const { return m_OffLineItem; }
    ZRNodeMgr* GetOnLineNodeMgr() const;
    ZRNodeMgr* GetOffLineNodeMgr() const;
    const std::string& GetProjectPath() const { return m_ProjectPath; }
    const std::string& GetWorkingCopyName() const { return m_TmpName; }
    ZRRecentFileList* GetRecentFileList() const { return m_pRecentFiles.get(); }
    // The number of drives on line.
    int OnLineDriveCount() const;

protected:
    const platform::ui::CommandTable* Commands() const override;
    // The framework's own idle work; true when it wants another round.
    virtual bool FrameworkIdle(long count);
    // Runs one batch mode on the full path of the command-line file; false when it failed.
    virtual bool RunBatchMode(BatchMode mode, const std::string& path);
    // The main window, made and shown by start-up; null when it cannot be made.
    virtual std::unique_ptr<platform::ui::MainWindow> CreateMainFrame();
    // The off-line root folder of a project (type -181).
    virtual std::unique_ptr<ZRObject> CreateOffLineRoot();
    // The node managers of the two root items.
    virtual ZRNodeMgr* CreateRootNodeMgr(bool onLine, TreeItem item, ZRWorkspaceView* view);
    // The start-up dialog's choice: -1 cancelled, 0 last file, 1 open existing, 2 new.
    virtual int RunInitFileDialog(const std::string& lastFile);

private:
    bool InitUserInterface();
    void OpenInitialProject(const ZRCommandLineInfo& cmdInfo);
    void ReadSerialSettings();
    void CloseSplash();
    void WriteLastOpenFile(const std::string& path);
    void UpdateMotionCmdsBar();
    void ToggleBar(platform::ui::DockBar* bar);
    void OnInsertProject();
    // Runs the command on the off-line root's node; nothing without a project or that node.
    void RunOnOffLineRoot(void (*command)(ZROffLineDBNodeMgr& root));
    void OnUpdateRecentFile(unsigned id, platform::ui::CommandState& state) const;

    static ZRQuorvanceApp* s_pInstance;

    int m_HelpResult = 0;
    TreeItem m_OnLineItem = nullptr;
    TreeItem m_OffLineItem = nullptr;
    // The device outlives the storage and the roots, and the off-line root goes before the storage.
    std::unique_ptr<ZRDevice> m_pOffLineDevice;
    std::unique_ptr<DBStorage> m_pStorage;
    std::unique_ptr<ZROnLine> m_pOnLine;
    std::unique_ptr<ZRObject> m_pOffLineRoot;
    ZRWorkspaceView* m_pWorkspaceView = nullptr;
    QWidget* m_pOutputView = nullptr;
    bool m_bTestMode = false;
    bool m_bEngineeringMode = false;
    bool m_bManufacturingMode = false;
    bool m_bBlobMode = false;
    bool m_bKvlMode = false;
    bool m_bPortGiven = false;
    std::string m_PortGivenName;
    bool m_bTarvikDrive = false;
    bool m_bMerrixFW = false;
    bool m_bTarvikFW = false;
    bool m_bSercos = false;
    bool m_bQuiet = false;
    std::string m_Port;
    std::string m_BaudRate;
    std::string m_Format;
    int m_ExitCode = 0;
    std::string m_TmpName;
    std::string m_ProjectPath;
    bool m_bDriver = false;
    bool m_bFile = false;
    bool m_bLineNumbers = true;

    std::unique_ptr<ZRRecentFileList> m_pRecentFiles;
    std::unique_ptr<platform::ui::MainWindow> m_pMainFrame;
    platform::ui::DockBar* m_pWorkspaceBar = nullptr;
    platform::ui::DockBar* m_pOutputBar = nullptr;
    std::unique_ptr<ZRWorkspaceDoc> m_pWorkspaceDoc;
    std::unique_ptr<QSplashScreen> m_pSplash;
    std::unique_ptr<QTextBrowser> m_pHelpWindow;
    bool m_bBatchRun = false;
};
