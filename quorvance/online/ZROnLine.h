#pragma once

#include "kitbase/model/ZRObject.h"
#include "platform/core/Observer.h"

#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <string>

class Querin;
class SerialComm;
class ZRDevice;
class ZROnLineStorage;
class ZRRegistryKey;
class ZRScanning;

// What the root reads of the application each time it opens the link or scans.
struct ZRLinkSettings {
    std::string port;
    int baudRate = 38400;
    int parity = 0; // 0 none, 1 odd, 2 even
    int dataBits = 8;
    bool sercosMode = false;
    bool kvlMode = false;
};

// The families a scan looks for and the node range of each; switches are 0 off, else on.
struct ZRScanSettings {
    int32_t scanFenwa = 1;
    int32_t scanZelna = 1;
    int32_t scanTarvik = 1;
    int32_t scanMerrix = 1;
    int32_t zelnaFrom = 1, zelnaTo = 10;
    int32_t fenwaFrom = 1, fenwaTo = 10;
    int32_t tarvikFrom = 0, tarvikTo = 10;
    int32_t merrixFrom = 1, merrixTo = 10;

    // Brings every bound into 0..254: a storage keeps its node in one byte and the protocols
    // refuse 255, so a wider bound would probe wrong nodes or scan for hours.
    void ClampBounds();
    bool operator==(const ZRScanSettings&) const = default;
};

// The root of "On-Line Drives": it owns the serial link, hands it to the protocol singletons, scans
// the configured nodes one per idle tick, identifies the drives that answer and owns their devices
// and storages while they are on line. A drive whose storage reports a lost link is removed on the
// next idle tick, never during the report.
class ZROnLine : public ZRObject, public platform::core::Observer {
public:
    // IdentifyNode's family filter.
    enum Family : int { AnyFamily = 0, TarvikFamily = 1, MerrixFamily = 2, FenwaFamily = 3, ZelnaFamily = 4 };
    // IdentifyNode's status.
    enum Status : int {
        NothingToReport = 0,
        FirmwareTooOld = 1,
        FirmwareTooNew = 2,
        FirmwareOlder = 3,
        FirmwareNewer = 4,
        ReadFailed = 5,
        PowerUpFault = 6,
    };
    using LinkSettingsSource = std::function<ZRLinkSettings()>;

    ZROnLine();
    ~ZROnLine() override;

    // Takes the drive into the tree and the drive map and observes its storage.
    void AddChild(std::unique_ptr<ZRObject> child, bool notify = true) override;
    // Opens the link and prepares the protocol objects.
    void Init() override;
    // Starts a scan.
    void Refresh() override;
    // Lets go of the drive's device and storage (deleted); the drive itself goes to the caller.
    [[nodiscard]] std::unique_ptr<ZRObject> RemoveChild(ZRObject* child) override;
    void OnUpdate(platform::core::Subject* subject, platform::core::Message* message) override;

    // Hands the device and storage of a drive to the root for its time on line, then AddChild.
    ZRObject* AddOnLineDrive(std::unique_ptr<ZRObject> drive, std::unique_ptr<ZRDevice> device,
                             std::unique_ptr<ZROnLineStorage> storage, bool notify = true);

    // Closes any open link and opens one from the application's settings; a port that cannot be
    // opened leaves no link, after a message.
    void OpenSerialLink();
    Querin* GetQuerin() const { return m_pQuerin.get(); }
    SerialComm* GetSerialComm() const { return m_pSerialComm.get(); }
    void RemoveAllDrives();

    // Which family answers at the node; builds and attaches its drive or placeholder. drive: what
    // was made (null when nothing answered), not owned; message: the text the caller shows for a
    // non-zero status. A drive object made but not attached (firmware too new) stays with the root
    // until the next identification, so the pointer is good until then; only a child of the root
    // is in the workspace.
    virtual int IdentifyNode(int node, ZRObject*& drive, std::string& message, int filter);
    // The family's placeholder in place of the drive (the drive is deleted); null for a kind that
    // has none.
    ZRObject* MakeBrokenDrive(ZRObject* drive);

    void CancelScan();
    void LoadScanSettings();
    void SaveScanSettings();
    void LoadScanSettings(ZRRegistryKey& key);
    void SaveScanSettings(ZRRegistryKey& key);
    ZRScanSettings& GetScanSettings() { return m_Scan; }

    void DisableAllDrives();
    void DisableSoftwareEnabledDrives();

    // Where the link settings and start switches come from; the application's by default.
    void SetLinkSettingsSource(LinkSettingsSource source) { m_LinkSettings = std::move(source); }
    ZRLinkSettings GetLinkSettings() const;

    bool IsScanning() const { return m_bScanning; }
    bool IsIdleSubscribed() const { return m_bIdleSubscribed; }
    ZRScanning* GetScanning() const { return m_pScanning.get(); }
    int GetCurrentNode() const { return m_CurrentNode; }
    ZRObject* FindDrive(int node) const;
    bool IsQueuedForRemoval(ZRObject* drive) const;

    // The node held by an on-line drive's storage, or -1.
    static int NodeOf(ZRObject* drive);

private:
    struct Held {
        std::unique_ptr<ZRDevice> device;
        std::unique_ptr<ZROnLineStorage> storage;
    };

    void DeleteDrive(ZRObject* drive);
    void ScanStep();
    bool ScanEnds() const;
    void EndScan();
    void RemoveQueuedDrives();
    void Subscribe();
    void Unsubscribe();
    // Hands the link (or none) to the four protocol singletons.
    void ShareLink(SerialComm* link);
    void CloseLink();
    void ShowFault(int node, ZRObject* drive);

    // Family branches of IdentifyNode.
    int IdentifyTarvik(int node, ZRObject*& drive, std::string& message);
    int IdentifyFenwa(int node, ZRObject*& drive, std::string& message);
    // The Fenwa placeholder in place of the drive on its node.
    ZRObject* MakeFenwaBrokenDrive(ZRObject* drive, int node);
    int IdentifyUnsupported(int node, int family, std::string& message);

    std::map<int, ZRObject*> m_DriveMap;
    std::list<ZRObject*> m_RemovalQueue;
    std::map<ZRObject*, Held> m_Held;
    Held m_Staged;
    // What the last identification made and did not attach.
    std::unique_ptr<ZRObject> m_pUnattached;
    std::unique_ptr<SerialComm> m_pSerialComm;
    std::unique_ptr<Querin> m_pQuerin;
    std::unique_ptr<ZRScanning> m_pScanning;
    bool m_bScanning = false;
    bool m_bIdleSubscribed = false;
    ZRScanSettings m_Scan;
    int m_CurrentNode = 0;
    int m_FirstNode = 0;
    int m_LastNode = 0;
    LinkSettingsSource m_LinkSettings;
};
