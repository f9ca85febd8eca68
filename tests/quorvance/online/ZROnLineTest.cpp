#include "OnLineFixture.h"

#include "kitbase/model/ZRBaseGlobalDataMgr.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "platform/core/Settings.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "support/TempDir.h"
#include "tests/support/wire/NoxelDriveSim.h"
#include "wirelink/FenwaComm.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/ZelnaComm.h"

#include <utility>
#include <vector>

namespace {

using platform::core::IDOK;
using wiresim::NoxelDriveSim;
using wiresim::Started;

// A root that records the probes of its scan instead of talking to drives.
class ProbeRecorder : public ZROnLine {
public:
    int IdentifyNode(int node, ZRObject*& drive, std::string&, int filter) override {
        drive = nullptr;
        probes.emplace_back(node, filter);
        return NothingToReport;
    }
    std::vector<std::pair<int, int>> probes;
};

// A named drive on the node, with the storage and device the root takes over.
ZRObject* AddDrive(ZROnLine& root, int node, const std::string& name) {
    auto drive = std::make_unique<ZRObject>();
    drive->Init();
    drive->GetName().Define(ZRObject::kNoAttribute);
    drive->GetName().SetValue(name);
    auto storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), static_cast<uint8_t>(node));
    auto device = std::make_unique<ZRNoxelDevice>();
    device->SetOffLine(false);
    device->SetStorage(storage.get());
    drive->SetDevice(device.get());
    return root.AddOnLineDrive(std::move(drive), std::move(device), std::move(storage), false);
}

void ReportLostLink(ZRObject* drive) {
    drive->GetDevice()->GetStorage()->Notify(ZRUpdate::ValueChanged);
}

bool ProtocolsHoldNoLink() {
    return !NoxelComm::Instance()->GetCommObject() && !FenwaComm::Instance()->GetCommObject() &&
           !ZelnaComm::Instance()->GetCommObject();
}

using OnLineRoot = OnLineFixture;

} // namespace

TEST(ScanSettings, LoadKeepsMissingValuesAndBringsBoundsIntoTheNodeRange) {
    TempDir dir;
    ZRRegistryKey key;
    key.Connect(platform::core::Settings(dir.File("user.ini")));
    key.SetSection("ScanInfo");
    key.SetDwordValue("ScanZelna", 0);
    key.SetDwordValue("TarvikNodeFrom", 3);
    key.SetDwordValue("TarvikNodeTo", 65535);                    // hours of scanning
    key.SetDwordValue("FenwaNodeTo", 256);                       // would become node 0 in a byte
    key.SetDwordValue("MerrixNodeFrom", static_cast<uint32_t>(-5));
    ZROnLine root;
    root.LoadScanSettings(key);
    ZRScanSettings expected;
    expected.scanZelna = 0;
    expected.tarvikFrom = 3;
    expected.tarvikTo = 254;
    expected.fenwaTo = 254;
    expected.merrixFrom = 0;
    EXPECT_EQ(root.GetScanSettings(), expected);

    // What is saved reads back the same, all twelve values.
    root.SaveScanSettings(key);
    ZROnLine reread;
    reread.GetScanSettings() = ZRScanSettings{0, 0, 0, 0, 9, 9, 9, 9, 9, 9, 9, 9};
    reread.LoadScanSettings(key);
    EXPECT_EQ(reread.GetScanSettings(), expected);
}

TEST_F(OnLineRoot, ScanProbesOneNodePerTickInTheFamiliesOrder) {
    Started<NoxelDriveSim> line(std::set<uint8_t>{});
    struct Case {
        const char* what;
        int baud;
        ZRScanSettings scan;
        std::vector<std::pair<int, int>> probes; // node, family filter
    };
    using R = ZROnLine;
    ZRScanSettings narrow{1, 1, 1, 1, 2, 3, 3, 3, 0, 1, 1, 2};
    const Case cases[] = {
        {"all families", 38400, narrow,
         {{0, R::TarvikFamily}, {1, R::TarvikFamily}, {1, R::MerrixFamily}, {2, R::MerrixFamily},
          {2, R::ZelnaFamily}, {3, R::FenwaFamily}, {3, R::ZelnaFamily}}},
        {"no Tarvik or Fenwa at 57600", 57600, narrow,
         {{1, R::MerrixFamily}, {2, R::MerrixFamily}, {2, R::ZelnaFamily}, {3, R::ZelnaFamily}}},
        {"all switched off", 38400, ZRScanSettings{0, 0, 0, 0, 1, 10, 1, 10, 0, 10, 1, 10}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ProbeRecorder root;
        root.SetLinkSettingsSource([&] {
            ZRLinkSettings link;
            link.port = line.Path();
            link.baudRate = c.baud;
            return link;
        });
        root.GetScanSettings() = c.scan;
        root.Refresh();
        ASSERT_TRUE(root.IsScanning());
        ASSERT_TRUE(RunIdleUntil([&] { return !root.IsScanning(); }));
        EXPECT_EQ(root.probes, c.probes);
        // Nothing found: the port closes, the protocols forget it and the root leaves the idle ticks.
        EXPECT_EQ(root.GetSerialComm(), nullptr);
        EXPECT_TRUE(ProtocolsHoldNoLink());
        EXPECT_FALSE(root.IsIdleSubscribed());
    }
}

TEST_F(OnLineRoot, PortThatCannotOpenStartsNoScanAndLeavesNoLink) {
    m_Link.port = "/dev/no-such-serial-port";
    ModalScript script;
    script.ExpectMessage("Unable to initialize serial communications. COM port unavailable", IDOK)
        .ExpectMessage("Unable to initialize serial communications. COM port unavailable", IDOK);
    m_Root->Refresh();
    EXPECT_FALSE(m_Root->IsScanning());
    EXPECT_EQ(m_Root->GetSerialComm(), nullptr);
    EXPECT_TRUE(ProtocolsHoldNoLink());
    // Every scan tries the port again; the Querin layer is made once and kept.
    Querin* querin = m_Root->GetQuerin();
    ASSERT_NE(querin, nullptr);
    m_Root->Refresh();
    EXPECT_EQ(m_Root->GetQuerin(), querin);
}

TEST_F(OnLineRoot, LostLinkRemovesTheDriveOnceOnTheNextTickAndClosesTheLastLink) {
    Started<NoxelDriveSim> line(std::set<uint8_t>{});
    m_Link.port = line.Path();
    m_Root->Init();
    ASSERT_NE(m_Root->GetSerialComm(), nullptr);
    ZRObject* first = AddDrive(*m_Root, 3, "Axis 3");
    ZRObject* second = AddDrive(*m_Root, 4, "Axis 4");
    EXPECT_EQ(m_Root->FindDrive(3), first);
    EXPECT_TRUE(m_Root->IsIdleSubscribed());

    // Two reports before a tick: queued once, nothing removed during the reports.
    ReportLostLink(first);
    ReportLostLink(first);
    EXPECT_EQ(m_Root->GetChildren().size(), 2u);
    {
        ModalScript script;
        script.ExpectMessage("Removing drive Axis 3 from workspace...", IDOK);
        ZRIdleController::Instance()->DoIdle();
        ZRIdleController::Instance()->DoIdle();
    }
    EXPECT_EQ(m_Root->FindDrive(3), nullptr);
    EXPECT_EQ(m_Root->GetChildren(), ZRObject::ObjectList{second});
    EXPECT_NE(m_Root->GetSerialComm(), nullptr);

    // A queued drive that leaves by another road is not removed again.
    ReportLostLink(second);
    m_Root->RemoveAllDrives();
    EXPECT_FALSE(m_Root->IsQueuedForRemoval(second));
    EXPECT_FALSE(m_Root->IsIdleSubscribed());

    // The last drive removed for a lost link takes the port with it.
    ZRObject* third = AddDrive(*m_Root, 5, "Axis 5");
    ReportLostLink(third);
    {
        ModalScript script;
        script.ExpectMessage("Removing drive Axis 5 from workspace...", IDOK);
        ZRIdleController::Instance()->DoIdle();
    }
    EXPECT_TRUE(m_Root->GetChildren().empty());
    EXPECT_EQ(m_Root->GetSerialComm(), nullptr);
    EXPECT_TRUE(ProtocolsHoldNoLink());
    // No Zelna drive on line: nothing to ask when the program closes.
    m_Root->DisableSoftwareEnabledDrives();
}
