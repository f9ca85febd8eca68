// The node scan of the on-line root and its settings.
#include "quorvance/online/ZROnLine.h"

#include "kitbase/model/ZRBaseGlobalDataMgr.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRUlongOptions.h"
#include "kitbase/ui/ZRScanning.h"
#include "platform/core/Modal.h"
#include "platform/core/Text.h"
#include "quorvance/online/OnlineIds.h"
#include "quorvance/online/ZROnLineStorage.h"
#include "quorvance/shell/ZRGlobalDataMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"

#include <algorithm>
#include <iterator>

using platform::core::Format;

namespace {

constexpr int kNoScanBaud = 57600; // Tarvik and Fenwa drives do not talk at this rate

// The settings in the order they are read and written.
struct ScanValue {
    const char* name;
    int32_t ZRScanSettings::*member;
};
constexpr ScanValue kScanValues[] = {
    {"ScanFenwa", &ZRScanSettings::scanFenwa},         {"ScanZelna", &ZRScanSettings::scanZelna},
    {"ScanTarvik", &ZRScanSettings::scanTarvik},       {"ScanMerrix", &ZRScanSettings::scanMerrix},
    {"ZelnaNodeFrom", &ZRScanSettings::zelnaFrom},     {"ZelnaNodeTo", &ZRScanSettings::zelnaTo},
    {"FenwaNodeFrom", &ZRScanSettings::fenwaFrom},     {"FenwaNodeTo", &ZRScanSettings::fenwaTo},
    {"TarvikNodeFrom", &ZRScanSettings::tarvikFrom},   {"TarvikNodeTo", &ZRScanSettings::tarvikTo},
    {"MerrixNodeFrom", &ZRScanSettings::merrixFrom},   {"MerrixNodeTo", &ZRScanSettings::merrixTo},
};

bool InRange(int node, int32_t from, int32_t to) {
    return node >= from && node <= to;
}

// The option value a selection shows, when its options know values.
bool SelectionValue(ZRIndexSelection& selection, int64_t& value) {
    ZROptions* options = selection.GetOptions();
    const int index = selection.GetValue();
    if (!options || index < 0 || index >= options->GetCount())
        return false;
    if (auto* ulong = dynamic_cast<ZRUlongOptions*>(options)) {
        value = ulong->GetData(index);
        return true;
    }
    if (auto* slong = dynamic_cast<ZRLongOptions*>(options)) {
        value = slong->GetData(index);
        return true;
    }
    return false;
}

} // namespace

void ZRScanSettings::ClampBounds() {
    for (int32_t* bound : {&zelnaFrom, &zelnaTo, &fenwaFrom, &fenwaTo, &tarvikFrom, &tarvikTo, &merrixFrom,
                           &merrixTo})
        *bound = std::clamp(*bound, int32_t{0}, online::kMaxNode);
}

// ---- Settings

void ZROnLine::LoadScanSettings() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (data && data->OpenUserSection(online::kScanSection, true, true))
        LoadScanSettings(data->GetUserKey());
}

void ZROnLine::SaveScanSettings() {
    ZRGlobalDataMgr* data = ZRGlobalDataMgr::Instance();
    if (data && data->OpenUserSection(online::kScanSection, true, true))
        SaveScanSettings(data->GetUserKey());
}

void ZROnLine::LoadScanSettings(ZRRegistryKey& key) {
    for (const ScanValue& value : kScanValues) {
        uint32_t stored = 0;
        if (key.GetDwordValue(value.name, stored))
            m_Scan.*value.member = static_cast<int32_t>(stored);
    }
    m_Scan.ClampBounds();
}

void ZROnLine::SaveScanSettings(ZRRegistryKey& key) {
    for (const ScanValue& value : kScanValues)
        key.SetDwordValue(value.name, static_cast<uint32_t>(m_Scan.*value.member));
}

// ---- The scan

void ZROnLine::CancelScan() {
    if (m_pScanning)
        m_pScanning->m_bCancel = true;
}

void ZROnLine::Refresh() {
    if (!m_pSerialComm || !m_pQuerin) {
        Init();
        if (!m_pSerialComm || !m_pQuerin)
            return;
    }
    RemoveAllDrives();
    // A scan started over replaces its box instead of leaving the old one on screen.
    if (m_pScanning)
        m_pScanning->DestroyWindow();
    m_bScanning = true;
    m_pScanning = std::make_unique<ZRScanning>();
    m_pScanning->Create();

    m_Scan.ClampBounds();
    m_FirstNode = 255;
    m_LastNode = 0;
    const std::pair<int32_t, std::pair<int32_t, int32_t>> families[] = {
        {m_Scan.scanFenwa, {m_Scan.fenwaFrom, m_Scan.fenwaTo}},
        {m_Scan.scanZelna, {m_Scan.zelnaFrom, m_Scan.zelnaTo}},
        {m_Scan.scanTarvik, {m_Scan.tarvikFrom, m_Scan.tarvikTo}},
        {m_Scan.scanMerrix, {m_Scan.merrixFrom, m_Scan.merrixTo}},
    };
    for (const auto& [on, range] : families)
        if (on) {
            m_FirstNode = std::min(m_FirstNode, static_cast<int>(range.first));
            m_LastNode = std::max(m_LastNode, static_cast<int>(range.second));
        }
    m_pScanning->m_Progress.SetRange(m_FirstNode, m_LastNode);
    m_CurrentNode = m_FirstNode;
    Subscribe();
}

bool ZROnLine::ScanEnds() const {
    return (m_pScanning && m_pScanning->m_bCancel) || m_CurrentNode > m_LastNode || !m_pSerialComm ||
           !m_pQuerin;
}

void ZROnLine::EndScan() {
    if (m_pScanning)
        m_pScanning->DestroyWindow();
    m_pScanning.reset();
    m_bScanning = false;
    // Nobody asks about the last node any more.
    m_pUnattached.reset();
    if (m_DriveMap.empty()) {
        CloseLink();
        Unsubscribe();
    }
}

void ZROnLine::ScanStep() {
    const int node = m_CurrentNode;
    if (m_pScanning) {
        m_pScanning->m_strStatus = Format("Scanning Node %d...", node);
        m_pScanning->UpdateData(false);
    }
    const int baud = GetLinkSettings().baudRate;
    ZRObject* drive = nullptr;
    std::string message;
    // The first family that brings a drive object back ends the node.
    auto probe = [&](int32_t on, int32_t from, int32_t to, bool baudAllows, int family) {
        if (drive || !on || !baudAllows || !InRange(node, from, to))
            return;
        if (IdentifyNode(node, drive, message, family) != NothingToReport)
            platform::core::MessageBox(message);
    };
    probe(m_Scan.scanTarvik, m_Scan.tarvikFrom, m_Scan.tarvikTo, baud != kNoScanBaud, TarvikFamily);
    if (drive && drive->GetClass() != tarvik::kBrokenDriveType)
        ShowFault(node, drive);
    probe(m_Scan.scanMerrix, m_Scan.merrixFrom, m_Scan.merrixTo, true, MerrixFamily);
    probe(m_Scan.scanFenwa, m_Scan.fenwaFrom, m_Scan.fenwaTo, baud != kNoScanBaud, FenwaFamily);
    probe(m_Scan.scanZelna, m_Scan.zelnaFrom, m_Scan.zelnaTo, true, ZelnaFamily);

    m_CurrentNode = node + 1;
    if (m_pScanning) {
        m_pScanning->m_Progress.SetPos(m_CurrentNode);
        m_pScanning->UpdateData(true);
    }
}

void ZROnLine::ShowFault(int node, ZRObject* drive) {
    auto* tarvikDrive = dynamic_cast<ZRDrive*>(drive);
    ZRIndexSelection* state = tarvikDrive ? tarvikDrive->GetFaultState() : nullptr;
    if (!state)
        return;
    state->Refresh(true);
    // 0 and 255 are the drive's ready states, not faults.
    int64_t fault = 0;
    if (SelectionValue(*state, fault) && fault >= 1 && fault <= 254)
        platform::core::MessageBox(Format("Drive on node %d is faulted: %s (fault #%d)", node,
                                          state->GetAsString().c_str(), static_cast<int>(fault)));
}
