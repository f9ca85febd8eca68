// The on-line road over a pseudo-terminal: scan, identify, list, lose the cable, remove.
#include "OnLineFixture.h"

#include "kitbase/model/ZRDevice.h"
#include "kitbase/model/ZRStorage.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUpdate.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Events.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <vector>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::core::ModalRequest;
using wiresim::Started;
using wiresim::TarvikDriveSim;

// Counts the idle ticks that reach anybody.
class TickCounter : public platform::core::Observer {
public:
    TickCounter() { ZRIdleController::Instance()->AddObserver(this); }
    ~TickCounter() override { ZRIdleController::Instance()->RemoveObserver(this); }
    void OnUpdate(platform::core::Subject*, platform::core::Message* message) override {
        ticks += ReasonOf(message) == ZRUpdate::IdleTick;
    }
    int ticks = 0;
};

class ScanRoad : public OnLineFixture {
protected:
    void Scan(TarvikDriveSim& line, int from, int to) {
        m_Link.port = line.Path();
        m_Root->GetScanSettings().tarvikFrom = from;
        m_Root->GetScanSettings().tarvikTo = to;
        m_Root->Refresh();
        ASSERT_TRUE(m_Root->IsScanning());
    }
    // One tick as the program's idle handler gives it.
    void Tick() { ZRIdleController::Instance()->DoIdle(); }
};

} // namespace

TEST_F(ScanRoad, FindsTheDrivesOfTwoNodesOneNodePerTick) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{2, 4});
    Scan(line, 1, 5);
    std::vector<size_t> found;
    for (int node = 1; node <= 5; ++node) {
        EXPECT_EQ(m_Root->GetCurrentNode(), node);
        Tick();
        found.push_back(m_Root->GetChildren().size());
    }
    EXPECT_EQ(found, (std::vector<size_t>{0, 1, 1, 2, 2}));
    Tick();
    EXPECT_FALSE(m_Root->IsScanning());
    for (int node : {2, 4}) {
        ZRObject* drive = m_Root->FindDrive(node);
        ASSERT_NE(drive, nullptr) << node;
        EXPECT_EQ(drive->GetClass(), tarvik::kStandardDriveType);
        EXPECT_EQ(ZROnLine::NodeOf(drive), node);
        EXPECT_FALSE(drive->GetDevice()->IsOffLine());
    }
    // Drives on line keep the port open and the root on the idle ticks.
    EXPECT_NE(m_Root->GetSerialComm(), nullptr);
    EXPECT_TRUE(m_Root->IsIdleSubscribed());
}

TEST_F(ScanRoad, IdentificationReportsFirmwareAndFaultsAndMakesPlaceholders) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2, 3, 4, 5});
    line.SetValue(1, tarvik::param::kFirmwareVersionWord, 0, 0x0100); // 1.0: older
    line.SetValue(2, tarvik::param::kFirmwareVersionWord, 0, 0x0200); // 2.0: too new
    line.SetValue(3, tarvik::param::kFaultState, 0, 4);
    line.SetValue(4, tarvik::param::kPowerUpError, 0, 52);
    line.SetValue(5, tarvik::param::kPowerUpError, 0, 55);
    ModalScript script;
    script.ExpectMessage("Firmware on node 1 is older than this version of Quorvance.\nSome parameters may be "
                         "assigned default values",
                         IDOK)
        .ExpectMessage("Firmware on node 2 is too new for this version of Quorvance.\nYou must install a current "
                       "version of Quorvance to access this drive.",
                       IDOK)
        .ExpectMessage("Drive on node 3 is faulted: Motor Overtemperature Fault (fault #4)", IDOK)
        .ExpectMessage("The drive experienced the following powerup error:\n Main Firmware Checksum Error", IDOK)
        .ExpectMessage("Drive on Node 5 has a user parameter memory error (E55).", platform::core::IDNO)
        .ExpectMessage("Drive will show up in the workspace as a broken drive.", IDOK);
    Scan(line, 1, 5);
    ASSERT_TRUE(ScanToEnd());
    EXPECT_EQ(m_Root->FindDrive(1)->GetClass(), tarvik::kStandardDriveType);
    EXPECT_EQ(m_Root->FindDrive(2), nullptr);
    EXPECT_EQ(m_Root->FindDrive(3)->GetClass(), tarvik::kStandardDriveType);
    ZRObject* placeholder = m_Root->FindDrive(4);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->GetClass(), tarvik::kBrokenDriveType);
    EXPECT_EQ(placeholder->GetName().GetValue(), "4 - Main Firmware Checksum Error!");
    // A declined reset leaves the E55 drive as a placeholder, with no power-up error message.
    ASSERT_NE(m_Root->FindDrive(5), nullptr);
    EXPECT_EQ(m_Root->FindDrive(5)->GetName().GetValue(), "5 - User Parameter Memory Corrupted!");

    // A placeholder in place of a working drive keeps its name and node.
    ZRObject* drive = m_Root->FindDrive(1);
    drive->GetName().SetValue("Conveyor");
    ZRObject* broken = m_Root->MakeBrokenDrive(drive);
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(m_Root->FindDrive(1), broken);
    EXPECT_EQ(broken->GetName().GetValue(), "Conveyor");
    EXPECT_EQ(m_Root->MakeBrokenDrive(broken), broken);
}

TEST_F(ScanRoad, PulledCableAsksRetryWithNoIdleWorkUnderneathAndCancelRemovesTheDrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    Scan(line, 1, 1);
    Tick();
    Tick();
    ZRObject* drive = m_Root->FindDrive(1);
    ASSERT_NE(drive, nullptr);
    const std::string name = drive->GetName().GetValue();

    // A Refresh during the question must not start over under it either.
    TickCounter counter;
    int ticksUnderQuestion = -1;
    auto waitInModalLoop = [&](ModalRequest&) {
        const int before = counter.ticks;
        {
            platform::ui::ModalScope modal;
            QEventLoop inner;
            QTimer::singleShot(150, &inner, &QEventLoop::quit);
            inner.exec();
        }
        ticksUnderQuestion = counter.ticks - before;
        return IDCANCEL;
    };
    ModalScript script;
    script.Expect(ModalKind::MessageBox, "Communications have been lost with the drive, Retry?", waitInModalLoop)
        .ExpectMessage("Communications have been lost with node 1", IDOK)
        .ExpectMessage("Removing drive " + name + " from workspace...", IDOK);

    line.PullCable();
    // The user's edit arrives from the event loop while idle work is due.
    QTimer::singleShot(20, [drive] {
        uint32_t state = 0;
        drive->GetDevice()->GetStorage()->ReadUlong(0, 0, TarvikStorage::Id(tarvik::param::kFaultState), state, 1);
    });
    ASSERT_TRUE(RunIdleUntil([&] { return m_Root->GetChildren().empty(); }));
    EXPECT_EQ(ticksUnderQuestion, 0);
    EXPECT_EQ(m_Root->FindDrive(1), nullptr);
    // The last drive gone, the port is closed.
    EXPECT_EQ(m_Root->GetSerialComm(), nullptr);
}

TEST_F(ScanRoad, FoundDriveIsListedUnderOnLineDrivesAndLeavesTheTreeWithItsDrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{3});
    ZRWorkspaceView view;
    ZRTreeItem* item = view.InsertItem("On-Line Drives");
    auto* manager = new ZROnLineRootMgr(item, m_Root.get(), &view);
    view.SetItemData(item, manager);
    manager->Initialize();

    Scan(line, 3, 3);
    Tick();
    ASSERT_NE(m_Root->FindDrive(3), nullptr);
    std::vector<ZRTreeItem*> items = view.Children(item);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(view.ItemText(items[0]), m_Root->FindDrive(3)->GetName().GetValue());
    EXPECT_EQ(view.NodeOf(items[0])->GetModel(), m_Root->FindDrive(3));

    // A second populate adds nothing; a removed drive takes its item along.
    ZRUpdate populate(ZRUpdate::InitialUpdate);
    manager->OnUpdate(static_cast<ZRMvcModel*>(m_Root.get()), &populate);
    EXPECT_EQ(view.Children(item).size(), 1u);
    m_Root->RemoveAllDrives();
    EXPECT_TRUE(view.Children(item).empty());
    view.OnDestroy();
}
