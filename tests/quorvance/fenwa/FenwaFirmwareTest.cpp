// Loading firmware into a Fenwa drive through its boot loader: the record checks, the whole-file
// check before anything changes on the drive, the order of the download, the drive's refusals,
// cancel, a drive that falls silent, and the road from a boot-mode or working drive back to a
// working drive through "Firmware Upgrade".
#include "FenwaLine.h"
#include "FenwaScan.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/fenwa/FenwaBrokenDrive.h"
#include "quorvance/fenwa/FenwaBrokenNodeMgr.h"
#include "quorvance/fenwa/FenwaDevice.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/online/ZRFWUpgrade.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/IntelHexWriter.h"

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
using testfiles::IntelHexWriter;

constexpr uint8_t kNode = 1;
constexpr const char* kResetQuestion = "Do you want to Reset the drive now?";
constexpr const char* kNextTime =
    "The new firmware will be used the next time the drive is powered up or reset.";

// Two data records behind a zero linear base, and the end record.
std::string GoodFile(bool crlf = false) {
    IntelHexWriter file;
    file.CrLf(crlf).LinearBase(0).Data(0x0000, {0x12, 0x34, 0x56, 0x78}).Data(0x0100, {0xAB, 0xCD}).End();
    return file.Text();
}

std::string WithLines(std::initializer_list<std::string> lines) {
    IntelHexWriter file;
    for (const std::string& line : lines)
        file.Line(line);
    return file.End().Text();
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// A node whose event pumping a test can hook: it runs before every line.
class HookedNode : public FenwaBrokenNodeMgr {
public:
    using FenwaBrokenNodeMgr::FenwaBrokenNodeMgr;
    void PumpMessages() override {
        ++pumps;
        if (onPump)
            onPump(pumps);
    }
    int pumps = 0;
    std::function<void(int)> onPump;
};

// A boot-mode Fenwa drive at node 1 and its placeholder on line, as identification leaves them.
class FenwaFirmware : public FenwaLine {
protected:
    void SetUp() override {
        FenwaLine::SetUp();
        sim.SetBootMode(kNode, true);
        comm->RefreshNode(kNode);
        device.SetOffLine(false);
        device.SetStorage(storage.get());
        drive = std::make_unique<FenwaBrokenDrive>();
        drive->Init();
        drive->Attach(&device, 1);
        node = std::make_unique<HookedNode>(drive.get(), nullptr, nullptr);
        Sent(); // the probe and the version read
    }
    void TearDown() override {
        node.reset();
        drive.reset();
        FenwaLine::TearDown();
    }
    bool Download(const std::string& text, const std::string& path = "new.hex") {
        std::istringstream file(text);
        return node->DownloadFirmware(file, path);
    }
    // What the drive received, without the polls of the long commands.
    std::vector<std::string> Commands() {
        std::vector<std::string> texts = Sent();
        texts.erase(std::remove(texts.begin(), texts.end(), "TMN"), texts.end());
        return texts;
    }
    std::vector<std::string> Records(const std::vector<std::string>& commands) {
        std::vector<std::string> records;
        for (const std::string& c : commands)
            if (c.rfind("FU3", 0) == 0)
                records.push_back(c);
        return records;
    }

    FenwaDevice device;
    std::unique_ptr<FenwaBrokenDrive> drive;
    std::unique_ptr<HookedNode> node;
};

TEST_F(FenwaFirmware, CheckLineWantsAColonWholeHexPairsAndAZeroSum) {
    const struct {
        std::string line;
        bool valid;
    } cases[] = {
        {":0420000001020304D2", true},
        {":0420000001020304d2", true},
        {":00000001FF", true},
        {":00000001F", false},  // 10 characters
        {"00000001FF0", false}, // no colon
        {":0420000001020304D3", false},
        {":04200000010203G4D2", false},
        {":0420000001020304D", false}, // half a pair
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(drive->CheckLine(c.line), c.valid) << c.line;
}

// Upgrade mode, the records, verification, the flash step, upgrade mode off and the reset: the
// drive restarts out of boot mode with the image in its flash.
TEST_F(FenwaFirmware, GoodFileGoesInAndTheDriveRestartsIntoIt) {
    sim.SetImageVersion(kNode, "1.15");
    {
        ModalScript script;
        script.ExpectMessage(kResetQuestion, IDYES);
        EXPECT_TRUE(Download(GoodFile()));
    }
    EXPECT_EQ(node->GetProgress(), 100u);
    EXPECT_EQ(Commands(), (std::vector<std::string>{"TMN09", "FU3000000412345678", "FU30010002ABCD", "FU201",
                                                    "TMN0B", "FU100", "HWR"}));
    const std::map<uint32_t, uint8_t> image{{0x0000, 0x12}, {0x0001, 0x34}, {0x0002, 0x56},
                                            {0x0003, 0x78}, {0x0100, 0xAB}, {0x0101, 0xCD}};
    EXPECT_EQ(sim.Flash(kNode), image);
    EXPECT_FALSE(sim.BootMode(kNode));
    EXPECT_FALSE(sim.UpgradeMode(kNode));
    uint32_t version = 0;
    ASSERT_TRUE(storage->GetVersion(0, 0, version));
    EXPECT_EQ(version, 0x10Fu);
}

// What goes on the wire for each kind of line; only data records with data are sent, as the file
// has them, and only the end of the stream ends the file.
TEST_F(FenwaFirmware, RecordsAreSentAsTheFileHasThem) {
    const std::string lowerCase = Lower(IntelHexWriter::Record(0x00, 0xAB00, {0xAB, 0xCD}));
    const struct {
        const char* what;
        std::string file;
        std::vector<std::string> records;
    } cases[] = {
        {"the example line", WithLines({":0420000001020304D2"}), {"FU3020000401020304"}},
        {"a data record without data", WithLines({IntelHexWriter::Record(0x00, 0x1000, {})}), {}},
        {"address records only",
         WithLines(
             {IntelHexWriter::Record(0x02, 0, {0x00, 0x00}), IntelHexWriter::Record(0x04, 0, {0x00, 0x00})}),
         {}},
        {"lower-case digits", WithLines({lowerCase}), {"FU30ab0002abcd"}},
        {"a linear base",
         IntelHexWriter().LinearBase(1).Data(0x2000, {0x01, 0x02}).End().Text(),
         {"FU312000020102"}},
        {"a segment base",
         WithLines(
             {IntelHexWriter::Record(0x02, 0, {0x10, 0x00}), IntelHexWriter::Record(0x00, 0x0010, {0x07})}),
         {"FU3100100107"}},
        {"CR LF line ends", GoodFile(true), {"FU3000000412345678", "FU30010002ABCD"}},
        {"an empty line in the middle",
         IntelHexWriter().Data(0x0000, {0x01}).Line("").Line("").Data(0x0001, {0x02}).End().Text(),
         {"FU3000000101", "FU3000010102"}},
    };
    for (const auto& c : cases) {
        ModalScript script;
        script.ExpectMessage(kResetQuestion, IDNO).ExpectMessage(kNextTime, IDOK);
        EXPECT_TRUE(Download(c.file)) << c.what;
        const std::vector<std::string> sent = Commands();
        EXPECT_EQ(Records(sent), c.records) << c.what;
        // Verification follows whatever was sent.
        EXPECT_NE(std::find(sent.begin(), sent.end(), "FU201"), sent.end()) << c.what;
    }
}

// The whole file is checked first: a bad line anywhere refuses it before anything is sent.
TEST_F(FenwaFirmware, ABadLineAnywhereRefusesTheFileBeforeTheDriveIsTouched) {
    const std::string good = IntelHexWriter::Record(0x00, 0x0000, {0x01, 0x02});
    const std::string longLine = IntelHexWriter::Record(0x00, 0x0000, std::vector<uint8_t>(59, 0x11));
    ASSERT_EQ(longLine.size(), 129u);
    const struct {
        const char* what;
        std::string file;
        const char* message;
    } cases[] = {
        {"a wrong checksum late in the file",
         WithLines({good, good, IntelHexWriter::Record(0x00, 0x0010, {0x01}, 1)}), "Invalid File"},
        {"a line longer than 127 characters", WithLines({good, longLine}), "Invalid File"},
        {"a count that disagrees with the data", WithLines({good, ":0300000001020300F7"}), "Invalid File"},
        {"an unknown record type", WithLines({good, IntelHexWriter::Record(0x06, 0, {0x01})}),
         "Invalid File"},
        {"data beyond five address digits",
         IntelHexWriter().Data(0, {1}).LinearBase(0x000F).Data(0xFFFF, {1, 2}).End().Text(), "Invalid File"},
        {"a first line that is no record", "garbage\n" + WithLines({good}),
         "File new.hex\nis not a valid firmware file"},
        {"an empty file", "", "File new.hex\nis not a valid firmware file"},
        {"blank lines only", "\r\n\n", "File new.hex\nis not a valid firmware file"},
    };
    for (const auto& c : cases) {
        ModalScript script;
        script.ExpectMessage(c.message, IDOK);
        EXPECT_FALSE(Download(c.file)) << c.what;
        EXPECT_EQ(Sent(), std::vector<std::string>{}) << c.what;
        EXPECT_TRUE(sim.Flash(kNode).empty()) << c.what;
    }
}

// Each refusal of the drive ends the download with its text; upgrade mode stays on until the
// drive is told to leave it (a refused verification leaves it, with the reset question).
TEST_F(FenwaFirmware, EachRefusalOfTheDriveEndsTheDownloadWithItsText) {
    const struct {
        const char* refused;
        std::vector<std::pair<const char*, int>> modals;
        bool upgradeModeAfter;
        bool flashed;
    } cases[] = {
        {"TMN09", {{"Unexpected error enabling firmware upgrade mode.", IDOK}}, false, false},
        {"FU3", {{"Writing a line of firmware data failed.", IDOK}}, true, false},
        {"FU2",
         {{kResetQuestion, IDNO}, {kNextTime, IDOK}, {"The firmware upgrade failed - bad checksum", IDOK}},
         false,
         false},
        {"TMN0B", {{"Failed to erase the flash.", IDOK}}, true, false},
        {"FU1", {{"Unexpected error disabling firmware upgrade mode.", IDOK}}, true, true},
    };
    for (const auto& c : cases) {
        wiresim::Started<wiresim::FenwaDriveSim> line;
        line.SetBootMode(kNode, true);
        line.RefuseBootCommand(kNode, c.refused);
        SerialComm linePort;
        linePort.Init(line.Path(), 38400);
        comm->Init(&linePort);
        comm->RefreshNode(kNode);
        FenwaStorage lineStorage(comm, kNode);
        device.SetStorage(&lineStorage);
        {
            ModalScript script;
            for (const auto& [text, answer] : c.modals)
                script.ExpectMessage(text, answer);
            EXPECT_FALSE(Download(GoodFile())) << c.refused;
        }
        EXPECT_EQ(line.UpgradeMode(kNode), c.upgradeModeAfter) << c.refused;
        EXPECT_EQ(line.Flash(kNode).empty(), !c.flashed) << c.refused;
        EXPECT_TRUE(line.BootMode(kNode)) << c.refused;
        device.SetStorage(storage.get());
    }
}

// The question comes before the next line: No goes on, Yes leaves upgrade mode and ends quietly.
TEST_F(FenwaFirmware, CancelAsksBeforeTheNextLine) {
    IntelHexWriter file;
    for (uint16_t i = 0; i < 6; ++i)
        file.Data(static_cast<uint16_t>(i * 16), {static_cast<uint8_t>(i)});
    node->onPump = [this](int pump) {
        if (pump == 2 || pump == 4)
            node->CancelLoad();
    };
    {
        ModalScript script;
        const char* question =
            "The firmware will not be upgraded.\nAre you sure you want to cancel the firmware upgrade?";
        script.ExpectMessage(question, IDNO)
            .ExpectMessage(question, IDYES)
            .ExpectMessage(kResetQuestion, IDNO)
            .ExpectMessage(kNextTime, IDOK);
        EXPECT_FALSE(Download(file.End().Text()));
    }
    const std::vector<std::string> sent = Commands();
    // Cancel was asked for during the second and the fourth line.
    EXPECT_EQ(Records(sent).size(), 4u);
    EXPECT_EQ(sent.back(), "FU100");
    EXPECT_FALSE(sim.UpgradeMode(kNode));
    EXPECT_TRUE(sim.Flash(kNode).empty());
}

// Short records would run the estimate past 100; it stays below until the end.
TEST_F(FenwaFirmware, ProgressStaysWithinItsRangeAndEndsAt100) {
    IntelHexWriter file;
    for (uint16_t i = 0; i < 40; ++i)
        file.Data(static_cast<uint16_t>(i * 4), {1, 2, 3, 4});
    unsigned long highest = 0;
    node->onPump = [&](int) { highest = std::max(highest, node->GetProgress()); };
    ModalScript script;
    script.ExpectMessage(kResetQuestion, IDNO).ExpectMessage(kNextTime, IDOK);
    EXPECT_TRUE(Download(file.End().Text()));
    EXPECT_EQ(highest, 99u);
    EXPECT_EQ(node->GetProgress(), 100u);
}

// The loss is reported once by the storage; the download ends without a text of its own.
TEST_F(FenwaFirmware, ADriveThatFallsSilentEndsTheDownloadWithTheLossOnly) {
    sim.FallSilentAfterRecords(kNode, 2);
    IntelHexWriter file;
    for (uint16_t i = 0; i < 5; ++i)
        file.Data(static_cast<uint16_t>(i * 16), {static_cast<uint8_t>(i)});
    {
        ModalScript script;
        script.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL)
            .ExpectMessage("Communications have been lost with node 1", IDOK);
        EXPECT_FALSE(Download(file.End().Text()));
    }
    EXPECT_EQ(sim.Records(kNode), 2);
    EXPECT_TRUE(sim.Flash(kNode).empty());
}

// A placeholder found by the scan and a working drive alike go through "Firmware Upgrade" and come
// back as working drives with the new version, in the list and in the workspace.
TEST_F(FenwaScan, UpgradeDialogLoadsFenwaDrives) {
    using D = ZRFWUpgrade;
    constexpr uint8_t kFenwaNode = 2;
    TempDir dir;
    const std::string path = dir.File("new.hex");
    std::ofstream(path, std::ios::binary) << GoodFile(true);
    const struct {
        bool bootMode;
        const char* version;
    } cases[] = {
        {true, "1.14"},
        {false, "1.15"},
    };
    fenwa.SetBootMode(kFenwaNode, true);
    {
        ModalScript script;
        script.ExpectMessage("Firmware on node 2 is too old.", IDOK);
        ASSERT_NO_FATAL_FAILURE(Scan(2));
    }
    auto* rootNode = m_View->NodeOf(m_RootItem);
    for (const auto& c : cases) {
        ZRObject* before = m_Root->FindDrive(kFenwaNode);
        ASSERT_NE(before, nullptr) << c.version;
        EXPECT_EQ(before->GetClass(), c.bootMode ? fenwa::kBrokenDriveType : fenwa::kDriveType) << c.version;
        fenwa.SetImageVersion(kFenwaNode, c.version);
        ModalScript script;
        script.Expect(platform::core::ModalKind::Dialog, "Firmware Upgrade",
                      platform::ui::PressDialogButton(IDCANCEL, [&](platform::ui::Dialog& d) {
                          const std::vector<std::string> entries = d.GetItems(D::IDC_DRIVES);
                          ASSERT_EQ(entries.size(), 2u);
                          if (c.bootMode) {
                              EXPECT_EQ(entries[1], "2 - Needs Firmware Upgrade!");
                          }
                          d.SetSelection(D::IDC_DRIVES, 1);
                          d.SetItemText(D::IDC_FILE_NAME, path);
                          script.ExpectMessage(kResetQuestion, IDYES);
                          EXPECT_TRUE(d.ClickButton(D::IDC_BEGIN_LOAD));
                          EXPECT_EQ(d.GetItemText(D::IDC_STATUS), "Firmware upgrade complete!");
                      }));
        ZRFWUpgrade dialog(m_Root.get(), rootNode, nullptr);
        dialog.DoModal();
        ZRObject* drive = m_Root->FindDrive(kFenwaNode);
        ASSERT_NE(drive, nullptr) << c.version;
        EXPECT_EQ(drive->GetClass(), fenwa::kDriveType) << c.version;
        EXPECT_NE(rootNode->FindChild(static_cast<ZRMvcModel*>(drive)), nullptr) << c.version;
        EXPECT_FALSE(fenwa.BootMode(kFenwaNode)) << c.version;
        EXPECT_EQ(fenwa.Flash(kFenwaNode).size(), 6u) << c.version;
    }
}

} // namespace
