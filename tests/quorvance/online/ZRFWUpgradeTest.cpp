// The "Firmware Upgrade" dialog over simulated drives: what it refuses before anything changes, the
// load through the placeholder's node (progress, Cancel, a dialog that cannot be closed meanwhile)
// and the drive's return, or its leaving, afterwards.
#include "OnLineFixture.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/ui/Events.h"
#include "quorvance/online/ZRBrokenNodeMgr.h"
#include "quorvance/online/ZRFWUpgrade.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/online/ZRPlainDriveNodeMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "support/TempDir.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"

#include <QMetaObject>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <fstream>
#include <functional>
#include <string>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using wiresim::Started;
using wiresim::TarvikDriveSim;
using D = ZRFWUpgrade;

// The node of a placeholder: its download is the test's.
class FakeBrokenNode : public ZRBrokenNodeMgr {
public:
    using Download = std::function<bool(FakeBrokenNode&, std::istream&)>;
    // download: the test's, as it is when the load begins.
    FakeBrokenNode(ZRTreeItem* item, ZRObject* object, ZRWorkspaceView* view, const Download& download)
        : ZRBrokenNodeMgr(item, object, view), m_Download(download) {}

    bool DownloadFirmware(std::istream& file, const std::string&) override {
        return m_Download ? m_Download(*this, file) : true;
    }
    void DisableUpgradeMode() override {}
    void EnableUpgradeMode() override {}
    void LoadFile(std::istream&) override {}
    bool ValidateFile(std::istream&, const std::string&) override { return true; }

    void SetProgress(unsigned long percent) { m_Progress = percent; }
    bool IsCancelled() const { return m_bCancel; }

private:
    const Download& m_Download;
};

// "On-Line Drives" whose placeholders get the fake node.
class UpgradeRootNode : public ZROnLineRootMgr {
public:
    using ZROnLineRootMgr::ZROnLineRootMgr;
    FakeBrokenNode::Download download;
    bool plainPlaceholders = false; // nodes that cannot download

protected:
    ZRNodeMgr* CreateChildNode(ZRObject* child, ZRTreeItem* item) override {
        if (child->GetClass() == tarvik::kBrokenDriveType && plainPlaceholders)
            return new ZRPlainDriveNodeMgr(item, child, m_pTree);
        if (child->GetClass() == tarvik::kBrokenDriveType)
            return new FakeBrokenNode(item, child, m_pTree, download);
        return ZROnLineRootMgr::CreateChildNode(child, item);
    }
};

// A root whose identification can answer with an object it never took in, as some families'
// identifications do.
class UpgradeRoot : public ZROnLine {
public:
    ZRObject* stray = nullptr;
    int IdentifyNode(int node, ZRObject*& drive, std::string& message, int filter) override {
        if (!stray)
            return ZROnLine::IdentifyNode(node, drive, message, filter);
        if (ZRObject* old = FindDrive(node))
            std::unique_ptr<ZRObject> gone = RemoveChild(old);
        drive = stray;
        return NothingToReport;
    }
};

// The dialog with its timer handler in reach.
class UpgradeDialog : public ZRFWUpgrade {
public:
    using ZRFWUpgrade::OnTimer;
    using ZRFWUpgrade::ZRFWUpgrade;
};

class FWUpgrade : public OnLineFixture {
protected:
    void SetUp() override {
        OnLineFixture::SetUp();
        ZRScanSettings scan = m_Root->GetScanSettings();
        auto root = std::make_unique<UpgradeRoot>();
        m_pRoot = root.get();
        m_Root = std::move(root);
        m_Root->SetLinkSettingsSource([this] { return m_Link; });
        m_Root->GetScanSettings() = scan;
        ZRTreeItem* item = m_View.InsertItem("On-Line Drives");
        m_pRootNode = new UpgradeRootNode(item, m_Root.get(), &m_View);
        m_View.SetItemData(item, m_pRootNode);
        m_pRootNode->Initialize();
        m_File = m_Dir.File("drive.hex");
        std::ofstream(m_File) << "S00600004844521B\n";
    }
    void TearDown() override {
        m_View.OnDestroy();
        OnLineFixture::TearDown();
    }

    // Scans the nodes, one idle tick each, as the program's idle loop does.
    void Scan(TarvikDriveSim& line, int from, int to) {
        m_Link.port = line.Path();
        m_Root->GetScanSettings().tarvikFrom = from;
        m_Root->GetScanSettings().tarvikTo = to;
        m_Root->Refresh();
        for (int tick = 0; tick <= to - from + 1 && m_Root->IsScanning(); ++tick)
            ZRIdleController::Instance()->DoIdle();
    }

    // Opens the dialog on the script; steps run while it is up, then Close ends it.
    void Run(ModalScript& script, const std::function<void(UpgradeDialog&)>& steps) {
        script.Expect(ModalKind::Dialog, "Firmware Upgrade",
                      platform::ui::PressDialogButton(IDCANCEL, [steps](platform::ui::Dialog& d) {
                          steps(static_cast<UpgradeDialog&>(d));
                      }));
    }
    int Open() {
        UpgradeDialog dialog(m_Root.get(), m_pRootNode, nullptr);
        return dialog.DoModal();
    }
    static void BeginLoad(UpgradeDialog& d, const std::string& file, int selection = 0) {
        d.SetSelection(D::IDC_DRIVES, selection);
        d.SetItemText(D::IDC_FILE_NAME, file);
        EXPECT_TRUE(d.ClickButton(D::IDC_BEGIN_LOAD));
    }
    ZRNodeMgr* NodeOf(ZRObject* drive) {
        ZRTreeItem* item = m_pRootNode->FindChild(static_cast<ZRMvcModel*>(drive));
        return item ? m_View.NodeOf(item) : nullptr;
    }

    ZRWorkspaceView m_View;
    UpgradeRootNode* m_pRootNode = nullptr; // the tree item holds it
    UpgradeRoot* m_pRoot = nullptr;
    TempDir m_Dir;
    std::string m_File;
};

} // namespace

TEST(FWUpgradeRule, ZelnaImageSizeFollowsTheDriveVersion) {
    struct Case {
        uint32_t version;
        uint64_t size;
        bool accepted;
    };
    for (const Case& c : {Case{0x300, 659999, true}, Case{0x300, 660001, false}, Case{0x300, 660000, false},
                          Case{0x301, 660001, true}, Case{0x301, 659999, false}, Case{0x301, 660000, false},
                          Case{0x100, 1000, true}, Case{0x400, 900000, true}})
        EXPECT_EQ(ZRFWUpgrade::IsZelnaFileCompatible(c.version, c.size), c.accepted)
            << std::hex << c.version << " " << std::dec << c.size;
}

TEST_F(FWUpgrade, WithNoDriveOnLineThereIsNothingToUpgrade) {
    ModalScript script;
    Run(script, [](UpgradeDialog& d) {
        EXPECT_TRUE(d.GetItems(D::IDC_DRIVES).empty());
        EXPECT_FALSE(d.IsItemEnabled(D::IDC_CANCEL_LOAD));
        BeginLoad(d, "/nowhere.hex", -1);
    });
    script.ExpectMessage("No drives to upgrade", IDOK);
    EXPECT_EQ(Open(), IDCANCEL);
}

// Every refusal comes before the drive is touched: the entry keeps the drive as it was.
TEST_F(FWUpgrade, RefusesMissingChoicesAndFilesBeforeTouchingTheDrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2});
    line.SetText(2, 6, "Axis 2");
    Scan(line, 1, 2);
    ZRObject* unnamed = m_Root->FindDrive(1);
    ZRObject* named = m_Root->FindDrive(2);
    ASSERT_NE(named, nullptr);
    unnamed->GetName().SetValue("");
    struct Case {
        int selection;
        std::string file;
        std::string message;
    };
    const std::string missing = m_Dir.File("missing.hex");
    const Case cases[] = {
        {-1, m_File, "A drive must be selected"},
        {0, "", "You must enter a firmware file name"},
        {1, missing, "File " + missing + "\nDoes not exist"},
        {1, m_Dir.Path().string(), "Failed to open file\n" + m_Dir.Path().string()},
    };
    ModalScript script;
    Run(script, [&](UpgradeDialog& d) {
        EXPECT_EQ(d.GetItems(D::IDC_DRIVES), (std::vector<std::string>{"1 - <Unnamed Drive>", "Axis 2"}));
        EXPECT_EQ(d.GetSelection(D::IDC_DRIVES), 0);
        for (const Case& c : cases)
            BeginLoad(d, c.file, c.selection);
        EXPECT_EQ(d.GetEntries(), (std::vector<ZRObject*>{unnamed, named}));
    });
    for (const Case& c : cases)
        script.ExpectMessage(c.message, IDOK);
    Open();
    EXPECT_EQ(script.Seen().size(), 1 + std::size(cases));
    EXPECT_EQ(m_Root->FindDrive(2), named);
    EXPECT_EQ(named->GetClass(), tarvik::kStandardDriveType);
}

TEST_F(FWUpgrade, OpenWindowsAreClosedOnlyWhenTheUserAgrees) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    Scan(line, 1, 1);
    ZRObject* drive = m_Root->FindDrive(1);
    ZRNodeMgr* node = NodeOf(drive);
    ASSERT_NE(node, nullptr);
    QPointer<QWidget> window = new QWidget;
    node->AddSimpleView(window, static_cast<ZRMvcModel*>(drive));
    int downloads = 0;
    m_pRootNode->download = [&](FakeBrokenNode&, std::istream&) {
        ++downloads;
        return true;
    };
    const std::string question = "There are open windows associated with the selected drive which\nmust be "
                                 "closed before upgrading the firmware. OK to close these windows?";
    ModalScript script;
    Run(script, [&](UpgradeDialog& d) {
        BeginLoad(d, m_File);
        EXPECT_EQ(m_Root->FindDrive(1), drive);
        EXPECT_TRUE(node->AreWindowsOpen());
        EXPECT_EQ(downloads, 0);
        BeginLoad(d, m_File);
        EXPECT_EQ(downloads, 1);
        EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Firmware upgrade complete!");
        ZRObject* back = m_Root->FindDrive(1);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetClass(), tarvik::kStandardDriveType);
        EXPECT_EQ(d.GetEntries(), std::vector<ZRObject*>{back});
        EXPECT_EQ(d.GetSelection(D::IDC_DRIVES), 0);
    });
    script.Expect(ModalKind::MessageBox, question, [](platform::core::ModalRequest& r) {
        EXPECT_EQ(r.flags & platform::core::MB_TYPEMASK, platform::core::MB_OKCANCEL);
        return IDCANCEL;
    });
    script.ExpectMessage(question, IDOK);
    Open();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

// The load runs inside the click: the node pumps the events that carry the timer and the Cancel
// button, and the dialog cannot be closed meanwhile. A cancelled load still reconnects.
TEST_F(FWUpgrade, LoadShowsProgressCancelReachesTheNodeAndTheDriveComesBack) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    Scan(line, 1, 1);
    UpgradeDialog* dialog = nullptr;
    bool cancelled = false;
    m_pRootNode->download = [&](FakeBrokenNode& node, std::istream& file) {
        std::string firstLine;
        std::getline(file, firstLine);
        EXPECT_EQ(firstLine, "S00600004844521B");
        EXPECT_EQ(dialog->GetItemText(D::IDC_STATUS), "Firmware load in progress...");
        EXPECT_EQ(dialog->GetItems(D::IDC_DRIVES), std::vector<std::string>{"1 - <Unnamed Drive>"});
        EXPECT_EQ(dialog->GetEntries(), std::vector<ZRObject*>{node.GetModel()});
        EXPECT_TRUE(dialog->IsTimerRunning(D::kProgressTimer));
        EXPECT_FALSE(dialog->IsItemEnabled(D::IDC_BEGIN_LOAD));
        EXPECT_FALSE(dialog->IsItemEnabled(IDCANCEL));
        EXPECT_TRUE(dialog->IsItemEnabled(D::IDC_CANCEL_LOAD));
        node.SetProgress(40);
        dialog->OnTimer(D::kProgressTimer);
        EXPECT_EQ(dialog->GetPos(D::IDC_PROGRESS), 40);
        // Close and Escape do nothing now.
        EXPECT_FALSE(dialog->ClickButton(IDCANCEL));
        static_cast<QDialog*>(dialog)->reject();
        EXPECT_FALSE(dialog->IsEnded());
        // The user's click waits in the queue until the node pumps.
        QMetaObject::invokeMethod(dialog->Item(D::IDC_CANCEL_LOAD), "click", Qt::QueuedConnection);
        for (int round = 0; round < 100 && !node.IsCancelled(); ++round)
            node.PumpMessages();
        cancelled = node.IsCancelled();
        node.SetProgress(55);
        return false;
    };
    m_Root->FindDrive(1)->GetName().SetValue("");
    ModalScript script;
    Run(script, [&](UpgradeDialog& d) {
        dialog = &d;
        BeginLoad(d, m_File);
        EXPECT_TRUE(cancelled);
        EXPECT_EQ(d.GetPos(D::IDC_PROGRESS), 55);
        EXPECT_FALSE(d.IsTimerRunning(D::kProgressTimer));
        EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Firmware upgrade did not complete!");
        EXPECT_TRUE(d.IsItemEnabled(D::IDC_BEGIN_LOAD));
        EXPECT_TRUE(d.IsItemEnabled(IDCANCEL));
        EXPECT_FALSE(d.IsItemEnabled(D::IDC_CANCEL_LOAD));
        ZRObject* back = m_Root->FindDrive(1);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(d.GetEntries(), std::vector<ZRObject*>{back});
    });
    Open();
    EXPECT_FALSE(m_pRoot->IsQueuedForRemoval(m_Root->FindDrive(1)));
}

// A placeholder in the list is loaded as it is; good firmware brings the drive back working.
TEST_F(FWUpgrade, PlaceholderIsLoadedDirectlyAndComesBackAsADrive) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2});
    line.SetValue(2, tarvik::param::kPowerUpError, 0, 52);
    {
        ModalScript scan;
        scan.ExpectMessage("The drive experienced the following powerup error:", IDOK);
        Scan(line, 1, 2);
    }
    ZRObject* placeholder = m_Root->FindDrive(2);
    ASSERT_NE(placeholder, nullptr);
    ASSERT_EQ(placeholder->GetClass(), tarvik::kBrokenDriveType);
    m_pRootNode->download = [&](FakeBrokenNode& node, std::istream&) {
        EXPECT_EQ(node.GetModel(), placeholder);
        line.SetValue(2, tarvik::param::kPowerUpError, 0, 0);
        return true;
    };
    // A name as the model holds it (code page 1252); the system's is UTF-8.
    std::ofstream(m_Dir.Path() / u8"Pr\u00FCf \u20AC.hex") << "S00600004844521B\n";
    const std::string file = m_Dir.File("Pr\xFC"
                                        "f \x80.hex");
    ModalScript script;
    Run(script, [&](UpgradeDialog& d) {
        EXPECT_EQ(d.GetItems(D::IDC_DRIVES)[1], "2 - Main Firmware Checksum Error!");
        BeginLoad(d, file, 1);
        EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Firmware upgrade complete!");
        ZRObject* back = m_Root->FindDrive(2);
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->GetClass(), tarvik::kStandardDriveType);
        EXPECT_EQ(d.GetEntries()[1], back);
        EXPECT_EQ(d.GetSelection(D::IDC_DRIVES), 1);
    });
    Open();
}

// Whatever identification answers, only a drive the root took in stays in the list.
TEST_F(FWUpgrade, DriveThatDoesNotComeBackLeavesTheListAndTheWorkspace) {
    FakeClock fast{20};
    Started<TarvikDriveSim> line(std::set<uint8_t>{1, 2, 3});
    Scan(line, 1, 3);
    ASSERT_EQ(m_Root->GetChildren().size(), 3u);
    ZRObject stray;
    enum class Way { NotTakenIn, TooNew, CableOut };
    for (Way way : {Way::NotTakenIn, Way::TooNew, Way::CableOut}) {
        const int node = static_cast<int>(way) + 1;
        SCOPED_TRACE(node);
        ZRObject* drive = m_Root->FindDrive(node);
        ASSERT_NE(drive, nullptr);
        m_pRootNode->download = [&](FakeBrokenNode&, std::istream&) {
            if (way == Way::NotTakenIn)
                m_pRoot->stray = &stray;
            else if (way == Way::TooNew)
                line.SetValue(static_cast<uint8_t>(node), tarvik::param::kFirmwareVersionWord, 0, 0x0200);
            else
                line.PullCable();
            return true;
        };
        ModalScript script;
        Run(script, [&](UpgradeDialog& d) {
            const std::vector<ZRObject*> before = d.GetEntries();
            const auto index = std::find(before.begin(), before.end(), drive) - before.begin();
            BeginLoad(d, m_File, static_cast<int>(index));
            EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Failed to connect with drive.");
            EXPECT_EQ(d.GetEntries().size(), before.size() - 1);
            EXPECT_EQ(d.GetEntries(),
                      std::vector<ZRObject*>(m_Root->GetChildren().begin(), m_Root->GetChildren().end()));
            EXPECT_EQ(d.GetItems(D::IDC_DRIVES).size(), d.GetEntries().size());
        });
        if (way == Way::TooNew)
            script.ExpectMessage("Firmware on node 2 is too new", IDOK);
        script.ExpectMessage("Unable to restore drive in workspace. Cycle Power and Rescan.", IDOK);
        Open();
        m_pRoot->stray = nullptr;
        EXPECT_EQ(m_Root->FindDrive(node), nullptr);
        EXPECT_EQ(m_View.Children(m_pRootNode->GetNode()).size(), m_Root->GetChildren().size());
    }
    EXPECT_TRUE(m_Root->GetChildren().empty());
}

TEST_F(FWUpgrade, PlaceholderWithoutADownloadNodeLeavesTheList) {
    Started<TarvikDriveSim> line(std::set<uint8_t>{1});
    Scan(line, 1, 1);
    m_pRootNode->plainPlaceholders = true;
    ModalScript script;
    Run(script, [&](UpgradeDialog& d) {
        BeginLoad(d, m_File);
        EXPECT_TRUE(d.GetEntries().empty());
        EXPECT_EQ(d.GetSelection(D::IDC_DRIVES), -1);
        EXPECT_TRUE(d.IsItemEnabled(D::IDC_BEGIN_LOAD));
    });
    script.ExpectMessage("Problem finding drive.", IDOK);
    Open();
    ASSERT_NE(m_Root->FindDrive(1), nullptr);
    EXPECT_EQ(m_Root->FindDrive(1)->GetClass(), tarvik::kBrokenDriveType);
}
