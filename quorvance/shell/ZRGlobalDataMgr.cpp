#include "quorvance/shell/ZRGlobalDataMgr.h"

#include "kitbase/model/ZRFactory.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/ui/ZRMonitorSetup.h"
#include "kitbase/ui/ZRMonitorView.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "platform/core/Directories.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/core/WorkFiles.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "quorvance/shell/ZRMasterFactory.h"
#include "quorvance/shell/ZRMasterRowFactory.h"

#include <new>

using platform::core::Format;
using platform::core::MessageBox;

namespace {
constexpr const char* kProduct = "Quorvance";
} // namespace

ZRGlobalDataMgr* ZRGlobalDataMgr::m_pInstance = nullptr;

ZRGlobalDataMgr* ZRGlobalDataMgr::Instance() {
    if (!m_pInstance)
        m_pInstance = new (std::nothrow) ZRGlobalDataMgr;
    return m_pInstance;
}

bool ZRGlobalDataMgr::IsStartUpComplete() {
    return m_pInstance && m_pInstance->m_bStartUpComplete;
}

void ZRGlobalDataMgr::DestroyInstance() {
    delete m_pInstance;
    m_pInstance = nullptr;
}

ZRGlobalDataMgr::ZRGlobalDataMgr() {
    m_pFactory = std::make_unique<ZRMasterFactory>();
}

ZRGlobalDataMgr::~ZRGlobalDataMgr() {
    namespace fs = platform::core;
    try {
        if (!m_TempDir.empty() && fs::FileSystem::Exists(m_TempDir))
            fs::FileSystem::RemoveTree(m_TempDir);
    } catch (const fs::SystemError&) {
        // Another copy never takes this directory over, so a leftover does no harm.
    }
    if (m_pTempLock)
        m_pTempLock->Unlock(true);
    try {
        std::string printFile = GetPrintFile();
        if (fs::FileSystem::Exists(printFile))
            fs::FileSystem::Remove(printFile);
    } catch (const fs::SystemError&) {
    }
    m_MachineKey.Close();
    m_UserKey.Close();
    m_pMotorDB.reset();
    if (ZRObject::m_pFactory == m_pFactory.get())
        ZRObject::m_pFactory = nullptr;
    m_pFactory.reset();
}

ZRRegistryKey& ZRGlobalDataMgr::GetMachineKey() {
    return m_MachineKey;
}

ZRRegistryKey& ZRGlobalDataMgr::GetUserKey() {
    return m_UserKey;
}

bool ZRGlobalDataMgr::OpenUserSection(const std::string& section, bool create, bool report) {
    platform::core::Settings* settings = m_UserKey.GetSettings();
    if (settings && settings->HasSection(section)) {
        m_UserKey.SetSection(section);
        return true;
    }
    if (create) {
        if (settings) {
            try {
                settings->CreateSection(section);
                m_UserKey.SetSection(section);
                return true;
            } catch (const platform::core::SystemError&) {
            }
        }
        if (report)
            MessageBox(Format("Unable to create %s user registry key.\nYou may need to reinstall %s",
                              kProduct, kProduct));
        return false;
    }
    if (report)
        MessageBox(
            Format("Unable to open %s user registry key.\nYou may need to reinstall %s", kProduct, kProduct));
    return false;
}

bool ZRGlobalDataMgr::OpenMachineSection(const std::string& section) {
    platform::core::Settings* settings = m_MachineKey.GetSettings();
    if (settings && settings->HasSection(section)) {
        m_MachineKey.SetSection(section);
        return true;
    }
    MessageBox(Format("Unable to open %s local machine registry key.\nYou may need to reinstall %s", kProduct,
                      kProduct));
    return false;
}

std::string ZRGlobalDataMgr::GetInstallDir() {
    return m_InstallDir;
}

bool ZRGlobalDataMgr::Init() {
    try {
        m_MachineKey.Connect(platform::core::Settings::Machine());
    } catch (const platform::core::SystemError& e) {
        MessageBox(std::string("Unable to connect to local machine registry.\n\n") + e.what());
        return false;
    }
    try {
        m_UserKey.Connect(platform::core::Settings::User());
    } catch (const platform::core::SystemError& e) {
        MessageBox(std::string("Unable to connect to current user registry.\n\n") + e.what());
        return false;
    }
    OpenMachineSection("");
    std::string motorDb;
    if (!m_MachineKey.GetStringValue("MotorDB", motorDb)) {
        MessageBox(
            Format("Unable to find Motor database information in registry.\nYou may need to reinstall %s",
                   kProduct));
        return false;
    }
    // Once custom motors went into the user's copy, that copy is the catalogue.
    const std::string copy = UserMotorDBPath();
    if (platform::core::FileSystem::Exists(copy))
        motorDb = copy;
    try {
        auto db = std::make_unique<platform::db::Database>();
        db->Open(motorDb, false);
        m_pMotorDB = std::move(db);
    } catch (const platform::db::DbError& e) {
        MessageBox("Error opening motor database. Exiting." + std::string(e.what()).substr(0, 255));
        return false;
    } catch (...) {
        MessageBox("Unable to open motor database. Exiting.");
        return false;
    }
    ZRObject::m_pFactory = m_pFactory.get();
    ZRMasterRowFactory* rows = ZRMasterRowFactory::Instance();
    ZRMonitorSetup::SetFactory(rows);
    ZRMonitorView::SetFactory(rows);
    ZRNodeMgr::SetFactory(rows);
    return true;
}

std::string ZRGlobalDataMgr::UserMotorDBPath() {
    return platform::core::JoinPath(platform::core::UserDataDir(), "Motors.mdb");
}

platform::db::Database& ZRGlobalDataMgr::GetWritableMotorDB() {
    using platform::core::FileSystem;
    using platform::db::DbErrc;
    using platform::db::DbError;
    if (!m_pMotorDB || !m_pMotorDB->IsOpen())
        throw DbError(DbErrc::Misuse, "The motor database is not open");
    const std::string path = m_pMotorDB->GetPath();
    if (!FileSystem::IsReadOnly(path))
        return *m_pMotorDB;
    const std::string copy = UserMotorDBPath();
    if (FileSystem::FullPath(path) == FileSystem::FullPath(copy))
        throw DbError(DbErrc::ReadOnly, "The motor database " + copy + " may not be written");
    // A complete copy replaces nothing until it is on disk; the open file stays in use until then.
    m_pMotorDB->CompactInto(copy);
    m_pMotorDB->Close();
    try {
        m_pMotorDB->Open(copy, false);
    } catch (const DbError&) {
        m_pMotorDB->Open(path, false);
        throw;
    }
    return *m_pMotorDB;
}

bool ZRGlobalDataMgr::CreateTempDir() {
    namespace fs = platform::core;
    // Held while the program runs, so another copy neither takes it nor clears it away.
    m_pTempLock = std::make_unique<fs::WorkFileLock>();
    std::string path;
    try {
        path = fs::ClaimWorkFile("Temp%d", *m_pTempLock, 100);
        if (!path.empty())
            fs::FileSystem::MakeDirectories(path);
    } catch (const fs::SystemError&) {
        m_pTempLock.reset();
        MessageBox("Failed to create Temp directory.");
        return false;
    }
    if (path.empty()) {
        m_pTempLock.reset();
        MessageBox(Format("Failed to create Temp directory. Too many copies of %s are running.", kProduct));
        return false;
    }
    m_TempDir = path;
    return true;
}

std::string ZRGlobalDataMgr::GetPrintFile() const {
    return platform::core::JoinPath(platform::core::UserDataDir(), "editor.html");
}

bool ZRGlobalDataMgr::GetLineNumbers() {
    uint32_t show = 1;
    if (OpenUserSection("Line Numbers", true, true))
        m_UserKey.GetDwordValue("Show", show);
    return show != 0;
}

void ZRGlobalDataMgr::SetLineNumbers(bool show) {
    if (OpenUserSection("Line Numbers", true, true))
        m_UserKey.SetDwordValue("Show", show ? 1 : 0);
}

bool ZRGlobalDataMgr::GetHideMotionCmds() {
    uint32_t hide = 0;
    if (OpenUserSection("Motion Cmds", true, true))
        m_UserKey.GetDwordValue("HideMotionCmds", hide);
    return hide != 0;
}

void ZRGlobalDataMgr::SetHideMotionCmds(bool hide) {
    if (OpenUserSection("Motion Cmds", true, true))
        m_UserKey.SetDwordValue("HideMotionCmds", hide ? 1 : 0);
}

std::string ZRGlobalDataMgr::GetTypeName(int32_t type) {
    switch (type) {
    case 1:
        return "Jog";
    case 2:
        return "Input";
    case 3:
        return "Output";
    case 4:
        return "Scope";
    case 5:
        return "File";
    case 6:
        return "Filesystem";
    case 8:
        return "Program";
    case 9:
        return "Preg";
    case 10:
        return "Vreg";
    case 11:
        return "Ireg";
    case 12:
        return "Drive";
    case 13:
        return "Motor";
    case 14:
        return "Encoder";
    case 15:
        return "Axis";
    case 16:
        return "Control";
    case 19:
        return "Ratchet";
    case 20:
        return "Setpoint";
    case 21:
        return "Latch";
    case 22:
        return "ADC";
    case 23:
        return "DAC";
    case 24:
        return "Array";
    case 25:
        return "Sequencer Frame";
    case 26:
        return "Scope Channel";
    case 27:
        return "Cam Table";
    case -188:
        return "Move";
    case -187:
        return "CAM";
    case -186:
        return "Gear";
    default:
        return {};
    }
}
