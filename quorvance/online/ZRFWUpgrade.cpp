#include "quorvance/online/ZRFWUpgrade.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRObject.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/FileStream.h"
#include "platform/core/FileSystem.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "platform/ui/WaitCursor.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/online/ZRBrokenNodeMgr.h"
#include "quorvance/online/ZROnLine.h"
#include "quorvance/zelna/ZelnaIds.h"
#include "wirelink/ZRCommError.h"

#include <exception>
#include <fstream>
#include <optional>

using platform::core::Format;
using platform::core::MessageBox;
using platform::ui::ControlSpec;

namespace {

std::vector<ControlSpec> Controls() {
    using D = ZRFWUpgrade;
    return {ControlSpec::Static(-1, "Select the Drive to Upgrade:"),
            ControlSpec::List(D::IDC_DRIVES),
            ControlSpec::Static(-1, "Enter the pathname of the new Firmware File:"),
            ControlSpec::FileEdit(D::IDC_FILE_NAME, "Firmware Files (*.hex)|*.hex||", "hex"),
            ControlSpec::Button(D::IDC_BEGIN_LOAD, "Begin Load"),
            ControlSpec::Button(platform::core::IDCANCEL, "Close"),
            ControlSpec::Button(D::IDC_CANCEL_LOAD, "Cancel"),
            ControlSpec::Progress(D::IDC_PROGRESS, 0, 100),
            ControlSpec::Static(D::IDC_STATUS, "")};
}

bool IsZelna(int32_t type) {
    return type >= zelna::kDriveType && type <= zelna::kHomingType;
}

// The family a drive of this type is identified as again. A Fenwa drive answers the Zelna probe
// too, so it is looked for as a Fenwa drive only.
int FamilyOf(int32_t type) {
    return type == fenwa::kDriveType || type == fenwa::kBrokenDriveType ? ZROnLine::FenwaFamily
                                                                        : ZROnLine::AnyFamily;
}

// A failure that left the download without its own report.
std::optional<std::string> RunDownload(ZRBrokenNodeMgr& node, std::istream& file, const std::string& path,
                                       bool& succeeded) {
    succeeded = false;
    try {
        succeeded = node.DownloadFirmware(file, path);
    } catch (const ZRError& error) {
        return error.GetComboMessage();
    } catch (const ZRCommError& error) {
        return error.GetMessage();
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
    return std::nullopt;
}

} // namespace

ZRFWUpgrade::ZRFWUpgrade(ZROnLine* onLine, ZRNodeMgr* onLineNode, QWidget* parent)
    : platform::ui::Dialog(IDD, "Firmware Upgrade", Controls(), parent), m_pOnLine(onLine),
      m_pOnLineNode(onLineNode) {}

bool ZRFWUpgrade::IsZelnaFileCompatible(uint32_t version, uint64_t fileSize) {
    return (fileSize < kZelnaImageBoundary && version <= 0x300) ||
           (fileSize > kZelnaImageBoundary && version >= 0x301);
}

bool ZRFWUpgrade::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    m_Drives.clear();
    if (m_pOnLine)
        for (ZRObject* child : m_pOnLine->GetChildren())
            m_Drives.push_back(child);
    ShowEntries();
    m_Selection = m_Drives.empty() ? -1 : 0;
    SetSelection(IDC_DRIVES, m_Selection);
    SetRange(IDC_PROGRESS, 0, 100);
    SetPos(IDC_PROGRESS, 0);
    SetLoading(false);
    return true;
}

void ZRFWUpgrade::DoDataExchange(platform::ui::DataExchange& dx) {
    dx.Selection(IDC_DRIVES, m_Selection);
    dx.Text(IDC_FILE_NAME, m_FileName);
}

void ZRFWUpgrade::OnButton(int id) {
    if (id == IDC_BEGIN_LOAD)
        OnBeginLoad();
    else if (id == IDC_CANCEL_LOAD)
        OnCancelLoad();
    else
        platform::ui::Dialog::OnButton(id);
}

void ZRFWUpgrade::OnCancel() {
    if (!m_bLoading)
        platform::ui::Dialog::OnCancel();
}

void ZRFWUpgrade::OnCancelLoad() {
    if (m_pBrokenNodeMgr)
        m_pBrokenNodeMgr->CancelLoad();
}

void ZRFWUpgrade::OnTimer(int id) {
    if (m_pBrokenNodeMgr)
        SetPos(IDC_PROGRESS, static_cast<int>(m_pBrokenNodeMgr->GetProgress()));
    platform::ui::TimerOwner::OnTimer(id);
}

void ZRFWUpgrade::OnBeginLoad() {
    std::optional<platform::ui::WaitCursor> wait(std::in_place);
    auto say = [&wait](const std::string& text, unsigned flags = platform::core::MB_OK) {
        wait.reset();
        return MessageBox(text, {}, flags);
    };
    SetPos(IDC_PROGRESS, 0);
    SetItemText(IDC_STATUS, "");
    UpdateData(true);

    if (m_Drives.empty()) {
        say("No drives to upgrade");
        return;
    }
    if (m_Selection < 0 || m_Selection >= static_cast<int>(m_Drives.size())) {
        say("A drive must be selected");
        return;
    }
    if (m_FileName.empty()) {
        say("You must enter a firmware file name");
        return;
    }
    if (!platform::core::FileSystem::Exists(m_FileName)) {
        say(Format("File %s\nDoes not exist", m_FileName.c_str()));
        return;
    }
    std::ifstream file;
    if (!platform::core::FileSystem::IsDirectory(m_FileName))
        file = platform::core::OpenInputFile(m_FileName);
    if (!file.is_open()) {
        say(Format("Failed to open file\n%s", m_FileName.c_str()));
        return;
    }

    const int index = m_Selection;
    ZRObject* drive = m_Drives[static_cast<size_t>(index)];
    auto problem = [&] {
        say("Problem finding drive.");
        RemoveEntry(index);
        m_Selection = -1;
        SetSelection(IDC_DRIVES, -1);
    };
    // An entry whose drive has left the workspace since the list was made has nothing to load.
    if (!IsOnLine(drive)) {
        problem();
        return;
    }
    if (ZRNodeMgr* node = FindNode(drive); node && node->AreWindowsOpen()) {
        if (say("There are open windows associated with the selected drive which\nmust be closed before "
                "upgrading the firmware. OK to close these windows?",
                platform::core::MB_OKCANCEL) != platform::core::IDOK)
            return;
        // A window that refuses to close keeps the drive as it is.
        if (!node->DoCloseWindows())
            return;
        wait.emplace();
    }
    if (IsZelna(drive->GetClass())) {
        uint32_t version = 0;
        uint64_t size = 0;
        bool known = platform::core::FileSystem::FileSize(m_FileName, size);
        try {
            ZRStorage* storage = drive->GetDevice() ? drive->GetDevice()->GetStorage() : nullptr;
            known = known && storage && storage->GetVersion(drive->GetClass(), drive->GetInstance(), version);
        } catch (const ZRError&) {
            known = false;
        }
        // Without the drive's version the image cannot be matched to it.
        if (!known || !IsZelnaFileCompatible(version, size)) {
            say(Format("File(%s) is not incompatible with current drive version", m_FileName.c_str()));
            return;
        }
    }

    const int node = ZROnLine::NodeOf(drive);
    if (node < 0) {
        problem();
        return;
    }
    m_Node = static_cast<uint8_t>(node);
    m_Family = FamilyOf(drive->GetClass());
    ZRObject* placeholder = m_pOnLine->MakeBrokenDrive(drive);
    if (!placeholder) {
        problem();
        return;
    }
    SetEntry(index, placeholder);
    auto* broken = dynamic_cast<ZRBrokenNodeMgr*>(FindNode(placeholder));
    if (!broken) {
        problem();
        return;
    }

    m_pBrokenNodeMgr = broken;
    SetLoading(true);
    SetItemText(IDC_STATUS, "Firmware load in progress...");
    SetTimer(kProgressTimer, kProgressPeriodMs);
    m_TimerId = kProgressTimer;
    bool succeeded = false;
    std::optional<std::string> failure = RunDownload(*broken, file, m_FileName, succeeded);
    KillTimer(m_TimerId);
    m_TimerId = 0;
    SetPos(IDC_PROGRESS, static_cast<int>(broken->GetProgress()));
    if (failure)
        say(*failure);
    wait.reset();
    ReconnectDrive(index, succeeded);
    SetLoading(false);
    file.close();
}

void ZRFWUpgrade::ReconnectDrive(int index, bool succeeded) {
    SetItemText(IDC_STATUS, "Reconnecting to drive...");
    // The placeholder and its node go with the identification.
    m_pBrokenNodeMgr = nullptr;
    ZRObject* drive = nullptr;
    std::string message;
    int status = ZROnLine::NothingToReport;
    {
        platform::ui::WaitCursor wait;
        status = m_pOnLine->IdentifyNode(m_Node, drive, message, m_Family);
    }
    if (status != ZROnLine::NothingToReport && !message.empty())
        MessageBox(message);
    // Identification may answer with an object it did not take in; only a child of the root is in
    // the workspace.
    if (drive && IsOnLine(drive)) {
        SetItemText(IDC_STATUS,
                    succeeded ? "Firmware upgrade complete!" : "Firmware upgrade did not complete!");
        SetEntry(index, drive);
        return;
    }
    SetItemText(IDC_STATUS, "Failed to connect with drive.");
    MessageBox("Unable to restore drive in workspace. Cycle Power and Rescan.");
    RemoveEntry(index);
}

std::string ZRFWUpgrade::EntryName(ZRObject* drive) const {
    std::string name = drive->GetName().GetValue();
    return name.empty() ? Format("%d - <Unnamed Drive>", ZROnLine::NodeOf(drive)) : name;
}

void ZRFWUpgrade::SetEntry(int index, ZRObject* drive) {
    m_Drives[static_cast<size_t>(index)] = drive;
    ShowEntries();
    m_Selection = index;
    SetSelection(IDC_DRIVES, index);
}

void ZRFWUpgrade::RemoveEntry(int index) {
    if (index < 0 || index >= static_cast<int>(m_Drives.size()))
        return;
    m_Drives.erase(m_Drives.begin() + index);
    ShowEntries();
    m_Selection = -1;
    SetSelection(IDC_DRIVES, -1);
}

void ZRFWUpgrade::ShowEntries() {
    std::vector<std::string> names;
    for (ZRObject* drive : m_Drives)
        names.push_back(EntryName(drive));
    SetItems(IDC_DRIVES, names);
}

ZRNodeMgr* ZRFWUpgrade::FindNode(ZRObject* drive) const {
    ZRWorkspaceView* tree = m_pOnLineNode ? m_pOnLineNode->GetTree() : nullptr;
    if (!tree)
        return nullptr;
    ZRTreeItem* item = m_pOnLineNode->FindChild(static_cast<ZRMvcModel*>(drive));
    return item ? tree->NodeOf(item) : nullptr;
}

bool ZRFWUpgrade::IsOnLine(ZRObject* drive) const {
    return m_pOnLine && drive && m_pOnLine->GetChildren().Contains(drive);
}

void ZRFWUpgrade::SetLoading(bool loading) {
    m_bLoading = loading;
    EnableItem(IDC_BEGIN_LOAD, !loading);
    EnableItem(platform::core::IDCANCEL, !loading);
    EnableItem(IDC_CANCEL_LOAD, loading);
}
