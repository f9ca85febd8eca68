// Loading firmware into a Tarvik drive without usable firmware: the record checks, the whole-file
// check before anything changes on the drive, erase and programming, the upgrade mode, the reset,
// cancel and a lost link, and the road from a boot-mode drive back to a working one.
#include "OnLineFixture.h"

#include "kitbase/model/ZRError.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "quorvance/online/OnlineCommands.h"
#include "quorvance/online/ZRBrokenDrive.h"
#include "quorvance/online/ZRFWUpgrade.h"
#include "quorvance/online/ZROnLineRootMgr.h"
#include "quorvance/shell/ZRFamilyRegistry.h"
#include "quorvance/tarvik/NodeCommands.h"
#include "quorvance/tarvik/TarvikBrokenNodeMgr.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "support/TempDir.h"
#include "support/model/SRecordWriter.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikBootPlay.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <functional>
#include <sstream>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDYES;
using testfiles::SRecordWriter;
using wiresim::Started;
using wiresim::TarvikBootPlay;
using wiresim::TarvikDriveSim;

constexpr uint8_t kNode = 1;
constexpr const char* kResetQuestion = "Do you want to Reset the drive now?";

// A firmware file of the version: a word, the version bytes where the simulated drive looks for
// them, an erased (all 0xFF) word, an S2 record and the end record.
std::string FirmwareFile(SRecordWriter::Version version = {1, 52, 3}) {
    SRecordWriter file;
    file.Header(version)
        .Data(0x0000, {0x12, 0x34, 0x56, 0x78})
        .Data(TarvikBootPlay::kVersionAddress,
              {static_cast<uint8_t>(version.major), static_cast<uint8_t>(version.minor),
               static_cast<uint8_t>(version.build), 0})
        .Data(0x0200, {0xFF, 0xFF, 0xFF, 0xFF})
        .Data(0x123456, {0xAB, 0xCD, 0xEF, 0x01}, '2')
        .End();
    return file.Text();
}

std::string WithLines(std::initializer_list<std::string> lines) {
    SRecordWriter file;
    file.Header();
    for (const std::string& line : lines)
        file.Line(line);
    return file.End().Text();
}

// A node whose event pumping a test can hook: it runs before every record.
class HookedNode : public TarvikBrokenNodeMgr {
public:
    using TarvikBrokenNodeMgr::TarvikBrokenNodeMgr;
    void PumpMessages() override {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    int pumps = 0;
    std::function<void(int)> onPump;
};

// A boot-mode Tarvik drive at node 1 and its placeholder on line, as identification leaves them.
class FirmwareDownload : public testing::Test {
protected:
    void SetUp() override {
        boot = sim.FindPlay<TarvikBootPlay>();
        boot->SetBootMode(kNode, true);
        port.Init(sim.Path(), 38400);
        NoxelComm::Instance()->Init(&port);
        NoxelComm::Instance()->RefreshNode(kNode);
        storage = std::make_unique<TarvikStorage>(NoxelComm::Instance(), kNode);
        device.SetOffLine(false);
        device.SetStorage(storage.get());
        NewPlaceholder();
    }
    void TearDown() override {
        node.reset();
        drive.reset();
        NoxelComm::DestroyInstance();
    }
    // A new placeholder (its erase-once flag fresh) and its node.
    void NewPlaceholder() {
        node.reset();
        drive = std::make_unique<ZRBrokenDrive>();
        drive->Init();
        drive->Attach(&device, 1);
        node = std::make_unique<HookedNode>(drive.get(), nullptr, nullptr);
    }
    bool Download(const std::string& text, const std::string& path = "new.hex") {
        std::istringstream file(text);
        return node->DownloadFirmware(file, path);
    }
    // The request texts the drive received since the last call.
    std::vector<std::string> Sent() {
        std::vector<std::string> texts;
        std::vector<std::string> lines = sim.Requests();
        for (size_t i = m_seen; i < lines.size(); ++i)
            texts.push_back(lines[i].substr(3, lines[i].size() - 6));
        m_seen = lines.size();
        return texts;
    }

    Started<TarvikDriveSim> sim{std::set<uint8_t>{kNode}};
    TarvikBootPlay* boot = nullptr;
    SerialComm port;
    // Resets wait seconds and silence lasts seconds of the link's clock: twenty times as fast.
    FakeClock fast{20};
    std::unique_ptr<TarvikStorage> storage;
    ZRNoxelDevice device;
    std::unique_ptr<ZRBrokenDrive> drive;
    std::unique_ptr<HookedNode> node;

private:
    size_t m_seen = 0;
};

class FirmwareRoad : public OnLineFixture {};

} // namespace

TEST(FirmwareRecords, CheckTakesEachTypeByItsOwnLengthAndRefusesDamagedLines) {
    const std::string good = SRecordWriter::Record('1', 0x10, {1, 2, 3, 4});
    std::string notHex = good;
    notHex[9] = 'G';
    std::string lower = good;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    lower[0] = 'S';
    const struct {
        std::string line;
        bool valid;
    } cases[] = {
        {good, true},
        {lower, true},
        {"S9030000FC", true},                      // the usual end record: 10 characters
        {SRecordWriter::Record('5', 3, {}), true}, // record count
        {SRecordWriter::Record('8', 0, {}), true},
        {SRecordWriter::Record('7', 0, {}), true},
        {SRecordWriter::Record('1', 0x10, {1, 2, 3, 4}, 1), false}, // checksum
        {good.substr(0, good.size() - 1), false},                   // odd length
        {notHex, false},
        {"S10300FC", false},         // shorter than its address
        {"S1070000010203F2", false}, // the count promises a byte the line lacks
        {"X" + good.substr(1), false},
        {"", false},
    };
    ZRBrokenDrive drive;
    drive.Init();
    for (const auto& c : cases)
        EXPECT_EQ(drive.CheckRecord(c.line), c.valid) << c.line;
}

TEST(FirmwareRecords, WholeFileIsCheckedBeforeTheTransfer) {
    const std::vector<uint8_t> word{0x12, 0x34, 0x56, 0x78};
    const struct {
        std::string text;
        bool refused;
    } cases[] = {
        {WithLines({SRecordWriter::Record('1', 0, word)}), false},
        {SRecordWriter().Header().Data(0, word).End().CrLf().Text(), false},
        {WithLines({SRecordWriter::Record('1', 0, word), "", SRecordWriter::Record('2', 0x10000, word)}),
         false},
        {WithLines({SRecordWriter::Record('1', 0, std::vector<uint8_t>(58, 0x11))}), false}, // 126 characters
        {WithLines({SRecordWriter::Record('1', 0, std::vector<uint8_t>(60, 0x11))}), true},  // 130 characters
        {WithLines({SRecordWriter::Record('1', 0, {1, 2, 3})}), true},                       // half a word
        {WithLines({SRecordWriter::Record('2', 0x10, {})}), true},   // S2 without data
        {WithLines({SRecordWriter::Record('3', 0x10, word)}), true}, // 32-bit address
        {WithLines({SRecordWriter::Record('1', 0, word), SRecordWriter::Record('1', 4, word, 1)}), true},
    };
    ZRBrokenDrive drive;
    drive.Init();
    for (const auto& c : cases) {
        std::istringstream file(c.text);
        bool refused = false;
        try {
            drive.CheckFile(file);
        } catch (const ZRError& error) {
            EXPECT_EQ(error.GetMessage(), "Invalid File");
            refused = true;
        }
        EXPECT_EQ(refused, c.refused) << c.text;
        // The transfer starts from the top.
        if (!refused) {
            EXPECT_EQ(file.tellg(), 0) << c.text;
        }
    }
}

TEST_F(FirmwareDownload, ErasesOnceProgramsEachRecordAndResetsIntoTheNewFirmware) {
    ModalScript script;
    script.ExpectMessage(kResetQuestion, IDYES);
    Sent();
    ASSERT_TRUE(Download(FirmwareFile()));
    EXPECT_EQ(node->GetProgress(), 100u);
    const std::vector<std::string> sent = Sent();

    // Newer firmware keeps the mode in 471: on, erase the lower area once, program, off.
    auto at = [&sent](const std::string& text) {
        return std::find(sent.begin(), sent.end(), text) - sent.begin();
    };
    const std::vector<std::string> order = {"1D7101",
                                            "0D510000",
                                            "0D61000000000412345678",
                                            "0D61000001000401340300",
                                            "0D610002345604ABCDEF01",
                                            "1D7100",
                                            "06A1",
                                            "1C9102"};
    for (size_t i = 0; i < order.size(); ++i) {
        ASSERT_LT(at(order[i]), static_cast<long>(sent.size())) << order[i];
        if (i > 0) {
            EXPECT_LT(at(order[i - 1]), at(order[i])) << order[i];
        }
    }
    EXPECT_EQ(boot->Erases(kNode), 1);
    EXPECT_EQ(boot->EraseArea(kNode), 0);
    // The erased word was not sent.
    EXPECT_EQ(boot->Programs(kNode), 3);
    EXPECT_EQ(boot->Flash(kNode).count(0x23456), 1u);
    EXPECT_EQ(boot->Flash(kNode).count(0x0200), 0u);
    EXPECT_TRUE(drive->IsErased());
    // It runs the programmed firmware now.
    EXPECT_FALSE(boot->IsBootMode(kNode));
    EXPECT_EQ(sim.Value(kNode, tarvik::param::kFirmwareVersion), 0x134u);
    EXPECT_EQ(sim.Value(kNode, 377), 3u);
}

TEST_F(FirmwareDownload, FirstDataRecordChoosesTheErasedAreaAndLaterOnesEraseNothing) {
    const struct {
        uint32_t first;
        int area;
    } cases[] = {{0x3FFF, 0}, {0x4000, 1}};
    for (const auto& c : cases) {
        NewPlaceholder();
        ModalScript script;
        script.ExpectMessage(kResetQuestion, IDNO);
        const int before = boot->Erases(kNode);
        EXPECT_TRUE(
            Download(SRecordWriter().Header().Data(c.first, {1, 2}).Data(0x200, {3, 4}).End().Text()));
        EXPECT_EQ(boot->Erases(kNode), before + 1) << c.first;
        EXPECT_EQ(boot->EraseArea(kNode), c.area) << c.first;
    }
}

TEST_F(FirmwareDownload, RefusedFileChangesNothingOnTheDrive) {
    SRecordWriter notOurs;
    notOurs.Header({}, "XYZ").Data(0, {1, 2, 3, 4}).End();
    const struct {
        std::string text;
        uint32_t upa;
        std::string message;
    } cases[] = {
        {"", 0, "File new.hex\nis not a valid firmware file"},
        {FirmwareFile().substr(FirmwareFile().find('\n') + 1), 0,
         "File new.hex\nis not a valid firmware file"},
        {WithLines({SRecordWriter::Record('1', 0, {1, 2, 3, 4}), SRecordWriter::Record('1', 4, {1, 2, 3})}),
         0, "Invalid File"},
        {WithLines({SRecordWriter::Record('3', 0x10, {1, 2, 3, 4})}), 0, "Invalid File"},
        {notOurs.Text(), 0, "File new.hex\nis not compatible with this product."},
        {FirmwareFile({1, 43, 0}), 1,
         "Selected firmware file is not supported by the drive.\nFirmware version must be at least 1.43 for "
         "this "
         "drive."},
    };
    for (const auto& c : cases) {
        sim.SetValue(kNode, tarvik::param::kUpaRevision, 0, c.upa);
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        Sent();
        EXPECT_FALSE(Download(c.text)) << c.message;
        const std::vector<std::string> sent = Sent();
        // Reads only: no upgrade mode, no erase, no programming.
        for (const std::string& text : sent)
            EXPECT_EQ(text[3], '0') << c.message << ": " << text;
        EXPECT_EQ(boot->Erases(kNode), 0);
        EXPECT_EQ(boot->Programs(kNode), 0);
    }
    // The same old firmware suits a drive without the newer processor.
    sim.SetValue(kNode, tarvik::param::kUpaRevision, 0, 0);
    ModalScript script;
    script.ExpectMessage(kResetQuestion, IDNO);
    EXPECT_TRUE(Download(FirmwareFile({1, 43, 0})));
}

TEST_F(FirmwareDownload, UpgradeModeParameterFollowsTheDriveFirmware) {
    // Without a readable version, the drive's answer to parameter 212 decides.
    const struct {
        uint32_t word, build;
        bool versionUnreadable;
        int parameter;
    } cases[] = {
        {0x12B, 0, false, tarvik::param::kUpgradeModeOld},
        {0x12B, 1, false, tarvik::param::kUpgradeModeNew},
        {0x12B, 0, true, tarvik::param::kUpgradeModeOld},
        {0x12B, 1, true, tarvik::param::kUpgradeModeNew},
    };
    for (const auto& c : cases) {
        sim.SetValue(kNode, tarvik::param::kFirmwareVersion, 0, c.word);
        sim.SetValue(kNode, 377, 0, c.build);
        NewPlaceholder();
        if (c.versionUnreadable)
            sim.Refuse(kNode, TarvikDriveSim::kInvalidParameter, 1, tarvik::param::kFirmwareVersion);
        node->EnableUpgradeMode();
        EXPECT_EQ(sim.Value(kNode, c.parameter), 1u) << c.parameter << " " << c.versionUnreadable;
        ModalScript script;
        script.ExpectMessage(kResetQuestion, IDNO);
        node->DisableUpgradeMode();
        EXPECT_EQ(sim.Value(kNode, c.parameter), 0u) << c.parameter;
    }
}

TEST_F(FirmwareDownload, CancelAsksAndYesLeavesTheUpgradeMode) {
    const struct {
        int answer;
        bool loaded;
    } cases[] = {{IDYES, false}, {IDNO, true}};
    for (const auto& c : cases) {
        NewPlaceholder();
        node->onPump = [this](int pumps) {
            if (pumps == 2)
                node->CancelLoad();
        };
        ModalScript script;
        script.ExpectMessage("Are you sure you want to cancel the firmware upgrade?", c.answer)
            .ExpectMessage(kResetQuestion, IDNO);
        const int before = boot->Programs(kNode);
        EXPECT_EQ(Download(FirmwareFile()), c.loaded);
        // Yes stops before the third record; the drive leaves the mode either way and is not reset.
        EXPECT_EQ(boot->Programs(kNode) - before, c.loaded ? 3 : 1);
        EXPECT_EQ(sim.Value(kNode, tarvik::param::kUpgradeModeNew), 0u);
        EXPECT_EQ(boot->Resets(kNode), 0);
    }
}

TEST_F(FirmwareDownload, DriveRefusingEraseOrProgramEndsTheDownloadOutOfUpgradeMode) {
    const struct {
        int parameter;
        std::string message;
    } cases[] = {
        {tarvik::param::kEraseFlash, "Failed to erase the flash."},
        {tarvik::param::kProgramFlash, "Command Not Available, Invalid Drive State."},
    };
    for (const auto& c : cases) {
        NewPlaceholder();
        sim.Refuse(kNode, TarvikDriveSim::kInvalidState, 1, c.parameter);
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        EXPECT_FALSE(Download(FirmwareFile())) << c.message;
        EXPECT_EQ(sim.Value(kNode, tarvik::param::kUpgradeModeNew), 0u) << c.message;
        EXPECT_EQ(boot->Resets(kNode), 0);
    }
}

TEST_F(FirmwareDownload, DriveFallingSilentEndsTheDownloadWithoutFurtherQuestions) {
    node->onPump = [this](int pumps) {
        if (pumps == 3)
            sim.PullCable();
    };
    ModalScript script;
    script.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL)
        .ExpectMessage("Communications have been lost with node 1", IDOK);
    EXPECT_FALSE(Download(FirmwareFile()));
    EXPECT_EQ(boot->Programs(kNode), 1);
    EXPECT_TRUE(boot->IsBootMode(kNode));
}

TEST_F(FirmwareDownload, ResetFallsBackToHostLinkOneWhenTwoIsRefused) {
    sim.Refuse(kNode, TarvikDriveSim::kInvalidData, 1, tarvik::param::kHostLink);
    EXPECT_TRUE(drive->ResetDrive());
    EXPECT_EQ(sim.Value(kNode, tarvik::param::kHostLink), 1u);
    EXPECT_EQ(boot->Resets(kNode), 1);
    device.SetOffLine(true);
    EXPECT_FALSE(drive->ResetDrive());
    EXPECT_EQ(boot->Resets(kNode), 1);
}

TEST_F(FirmwareDownload, SercosPlaceholderOffersDeactivateSercosWhichAsksFirst) {
    for (bool sercos : {false, true}) {
        drive->SetSercos(sercos);
        node->Initialize();
        const std::vector<unsigned> ids = MenuIds(*node);
        EXPECT_EQ(ids.front(), ID_UPGRADE_FIRMWARE);
        EXPECT_EQ(std::count(ids.begin(), ids.end(), ID_DEACTIVATE_SERCOS_NODE), sercos ? 1 : 0);
    }
    // The command goes to the main window and runs once the current event is over.
    ZRObject root;
    root.AddChild(std::move(drive), false);
    ModalScript script;
    script.ExpectMessage("This will reset the drive as a NON-SERCOS drive.", IDCANCEL);
    EXPECT_TRUE(node->OnCommand(ID_DEACTIVATE_SERCOS_NODE));
    EXPECT_EQ(script.Remaining(), 1u);
    EXPECT_TRUE(RunEventsUntil([&] { return script.Remaining() == 0; }, std::chrono::seconds(5)));
    EXPECT_EQ(root.GetChildren().size(), 1u);
    EXPECT_EQ(sim.Value(kNode, 260), 0u);
    node.reset();
}

TEST_F(FirmwareRoad, BootModeDriveTakesFirmwareAndComesBackAsAWorkingDrive) {
    FakeClock fast(20);
    Started<TarvikDriveSim> line(std::set<uint8_t>{kNode});
    TarvikBootPlay* boot = line.FindPlay<TarvikBootPlay>();
    boot->SetBootMode(kNode, true);
    m_Link.port = line.Path();
    m_Root->GetScanSettings().tarvikFrom = kNode;
    m_Root->GetScanSettings().tarvikTo = kNode;
    m_Root->Refresh();
    ASSERT_TRUE(ScanToEnd());
    ZRObject* placeholder = m_Root->FindDrive(kNode);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->GetClass(), tarvik::kBrokenDriveType);
    EXPECT_EQ(placeholder->GetName().GetValue(), "1 - Main Firmware Error!");

    ZRNodeMaker make = ZRFamilyRegistry::Instance().FindNode(tarvik::kBrokenDriveType);
    ASSERT_NE(make, nullptr);
    std::unique_ptr<ZRNodeMgr> node = make(placeholder, nullptr, nullptr);
    auto* broken = dynamic_cast<ZRBrokenNodeMgr*>(node.get());
    ASSERT_NE(broken, nullptr);
    {
        ModalScript script;
        script.ExpectMessage(kResetQuestion, IDYES);
        std::istringstream file(FirmwareFile({1, 51, 1}));
        EXPECT_TRUE(broken->DownloadFirmware(file, "new.hex"));
        EXPECT_EQ(broken->GetProgress(), 100u);
    }
    node.reset();

    ZRObject* drive = nullptr;
    std::string message;
    EXPECT_EQ(m_Root->IdentifyNode(kNode, drive, message, ZROnLine::TarvikFamily), ZROnLine::NothingToReport);
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->GetClass(), tarvik::kStandardDriveType);
    EXPECT_EQ(m_Root->FindDrive(kNode), drive);
}

// The whole road as the user walks it: the placeholder is picked in "Firmware Upgrade", the file
// goes in through the placeholder's own node, and the drive is back in the list and the workspace.
TEST_F(FirmwareRoad, UpgradeDialogLoadsAPlaceholderThroughItsNode) {
    using D = ZRFWUpgrade;
    FakeClock fast(20);
    Started<TarvikDriveSim> line(std::set<uint8_t>{kNode});
    line.FindPlay<TarvikBootPlay>()->SetBootMode(kNode, true);
    ZRWorkspaceView view;
    ZRTreeItem* item = view.InsertItem("On-Line Drives");
    auto* rootNode = new ZROnLineRootMgr(item, m_Root.get(), &view);
    view.SetItemData(item, rootNode);
    rootNode->Initialize();
    m_Link.port = line.Path();
    m_Root->GetScanSettings().tarvikFrom = kNode;
    m_Root->GetScanSettings().tarvikTo = kNode;
    m_Root->Refresh();
    ASSERT_TRUE(ScanToEnd());
    TempDir dir;
    const std::string file = dir.File("new.hex");
    std::ofstream(file, std::ios::binary) << FirmwareFile({1, 51, 1});

    ModalScript script;
    script.Expect(platform::core::ModalKind::Dialog, "Firmware Upgrade",
                  platform::ui::PressDialogButton(IDCANCEL, [&](platform::ui::Dialog& d) {
                      ASSERT_EQ(d.GetItems(D::IDC_DRIVES),
                                std::vector<std::string>{"1 - Main Firmware Error!"});
                      d.SetSelection(D::IDC_DRIVES, 0);
                      d.SetItemText(D::IDC_FILE_NAME, file);
                      script.ExpectMessage(kResetQuestion, IDYES);
                      EXPECT_TRUE(d.ClickButton(D::IDC_BEGIN_LOAD));
                      EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Firmware upgrade complete!");
                  }));
    ZRFWUpgrade dialog(m_Root.get(), rootNode, nullptr);
    dialog.DoModal();
    ZRObject* drive = m_Root->FindDrive(kNode);
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->GetClass(), tarvik::kStandardDriveType);
    EXPECT_NE(rootNode->FindChild(static_cast<ZRMvcModel*>(drive)), nullptr);
    view.OnDestroy();
}
