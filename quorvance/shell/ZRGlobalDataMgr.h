#pragma once

#include "kitbase/model/ZRBaseGlobalDataMgr.h"

#include <cstdint>
#include <memory>
#include <string>

namespace platform::core {
class WorkFileLock;
}
namespace platform::db {
class Database;
}
class ZRFactory;
class ZRWebView;

// The program's global data: the machine and user settings keys, the install and per-instance
// temporary directories, the open motor database, the object factory, the help file and its topic
// override, and a few settings that several windows share.
class ZRGlobalDataMgr : public ZRBaseGlobalDataMgr {
public:
    // Made on first use; null when it cannot be made.
    static ZRGlobalDataMgr* Instance();
    static void DestroyInstance();

    ZRRegistryKey& GetMachineKey() override;
    ZRRegistryKey& GetUserKey() override;
    bool OpenUserSection(const std::string& section, bool create = true, bool report = true) override;
    bool OpenMachineSection(const std::string& section) override;
    std::string GetInstallDir() override;
    // Removes the temporary directory and the print file, closes the keys and the motor database.
    ~ZRGlobalDataMgr() override;

    // Connects the settings keys, opens the motor database and installs the factories; false after
    // its message was shown.
    bool Init();

    void SetInstallDir(const std::string& dir) { m_InstallDir = dir; }
    // The first "Temp%d" below the user data directory that no running copy holds, held from now
    // on; false after its message.
    bool CreateTempDir();
    std::string GetTempDir() const { return m_TempDir; }

    // "Line Numbers"\"Show", 1 when missing.
    bool GetLineNumbers();
    void SetLineNumbers(bool show);
    // "Motion Cmds"\"HideMotionCmds", 0 when missing.
    bool GetHideMotionCmds();
    void SetHideMotionCmds(bool hide);

    // Display name of a Merrix object type id; empty for the others.
    static std::string GetTypeName(int32_t type);

    // The open motor database; null before Init. It is the user's own copy (UserMotorDBPath) when
    // there is one, else the file the machine key names.
    platform::db::Database* GetMotorDB() const { return m_pMotorDB.get(); }
    // The motor database made ready for a write, before the caller opens any of its recordsets:
    // the open file when this user may write it, else the copy in the user data directory, made
    // now from the open file and used for reading and writing from then on. Each write then goes
    // whole into one file. DbError when neither can be written.
    platform::db::Database& GetWritableMotorDB();
    static std::string UserMotorDBPath();
    // The master object factory, installed as the objects' factory by Init.
    ZRFactory* GetFactory() const { return m_pFactory.get(); }
    // Where start-up puts the print helper's file ("editor.html").
    std::string GetPrintFile() const;

    static ZRGlobalDataMgr* m_pInstance;

    // Read and written directly by the windows that share them.
    std::string m_CompileOptions;
    // Set just before the program itself shows or hides the motion-commands bar.
    bool m_bBarFlag = false;
    ZRWebView* m_pPrintView = nullptr;
    // While a dialog with its own help topic is up: that topic; 0 otherwise.
    unsigned long m_HelpTopicOverride = 0;
    std::string m_HelpPath;

    // Whether the program's interactive start-up is over; false while there is no global data.
    // Until then property views opened for an off-line drive (a project given on the command line
    // being opened) are built without status and services panes.
    static bool IsStartUpComplete();
    void SetStartUpComplete() { m_bStartUpComplete = true; }

protected:
    ZRGlobalDataMgr();

private:
    std::unique_ptr<ZRFactory> m_pFactory;
    std::string m_InstallDir;
    std::unique_ptr<platform::db::Database> m_pMotorDB;
    ZRRegistryKey m_UserKey;
    ZRRegistryKey m_MachineKey;
    std::string m_TempDir;
    std::unique_ptr<platform::core::WorkFileLock> m_pTempLock;
    bool m_bStartUpComplete = false;
};
