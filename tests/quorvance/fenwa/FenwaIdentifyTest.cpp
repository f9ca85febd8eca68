// A Fenwa drive found on line: identification by firmware version, the placeholder of a drive with
// too old firmware, and what becomes of a drive that answered but was not taken in.
#include "FenwaScan.h"

#include "kitbase/model/ZRStringAttribute.h"
#include "quorvance/fenwa/FenwaBrokenNodeMgr.h"
#include "quorvance/fenwa/FenwaIds.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "tests/support/model/ReasonRecorder.h"

#include <optional>
#include <sstream>

namespace {

using platform::core::IDOK;

TEST_F(FenwaScan, FindsTheFenwaDriveBesideATarvikDriveWithItsBlockNodes) {
    ASSERT_NO_FATAL_FAILURE(Scan(2));
    ASSERT_NE(m_Root->FindDrive(1), nullptr);
    EXPECT_EQ(m_Root->FindDrive(1)->GetClass(), tarvik::kStandardDriveType);
    ZRObject* drive = m_Root->FindDrive(2);
    ASSERT_NE(drive, nullptr);
    EXPECT_EQ(drive->GetClass(), fenwa::kDriveType);
    EXPECT_EQ(ZROnLine::NodeOf(drive), 2);

    const std::vector<ZRNodeMgr*> nodes = DriveNodes();
    ASSERT_EQ(nodes.size(), 2u);
    auto* node = dynamic_cast<FenwaNodeMgr*>(nodes[1]);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetModel(), drive);
    EXPECT_EQ(ChildTexts(*node),
              (std::vector<std::string>{"Mode Configuration", "Motor", "Tuning", "Encoders", "Digital Inputs",
                                        "Digital Outputs", "Analog Outputs", "Oscilloscope", "Faults",
                                        "ServiceInfo"}));
    // Every block node works as a node: it has its block.
    for (ZRTreeItem* item : m_View->Children(node->GetNode()))
        EXPECT_NE(m_View->NodeOf(item)->GetModel(), nullptr) << m_View->ItemText(item);
}

TEST_F(FenwaScan, TooOldFirmwareLeavesThePlaceholderWithItsOwnNode) {
    fenwa.SetVersion(2, "0.9");
    ModalScript script;
    script.ExpectMessage("Firmware on node 2 is too old. The firmware must be upgraded.", IDOK);
    ASSERT_NO_FATAL_FAILURE(Scan(2));
    ZRObject* placeholder = m_Root->FindDrive(2);
    ASSERT_NE(placeholder, nullptr);
    EXPECT_EQ(placeholder->GetClass(), fenwa::kBrokenDriveType);
    EXPECT_EQ(placeholder->GetName().GetValue(), "2 - Needs Firmware Upgrade!");
    const std::vector<ZRNodeMgr*> nodes = DriveNodes();
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_NE(dynamic_cast<FenwaBrokenNodeMgr*>(nodes[1]), nullptr);
    EXPECT_EQ(m_View->ItemText(nodes[1]->GetNode()), "2 - Needs Firmware Upgrade!");
    // The node runs the download: a file it refuses changes nothing on the drive.
    auto* broken = dynamic_cast<FenwaBrokenNodeMgr*>(nodes[1]);
    const size_t requests = fenwa.RequestCount();
    std::istringstream file("S00000001FF\n");
    script.ExpectMessage("File fw.hex\nis not a valid firmware file", IDOK);
    EXPECT_FALSE(broken->DownloadFirmware(file, "fw.hex"));
    EXPECT_EQ(fenwa.RequestCount(), requests);
}

TEST_F(FenwaScan, EachFirmwareVersionGetsItsStatusAndMessage) {
    m_Link.port = line.Path();
    m_Root->Init();
    const struct {
        const char* version;
        int status;
        const char* message; // the start of it
        std::optional<int32_t> attached;
    } cases[] = {
        {"1.0", ZROnLine::NothingToReport, "", fenwa::kDriveType},
        {"1.19", ZROnLine::NothingToReport, "", fenwa::kDriveType},
        {"1.20", ZROnLine::FirmwareNewer, "Firmware on node 2 is newer than this version of Quorvance.",
         fenwa::kDriveType},
        {"0.30", ZROnLine::FirmwareTooOld, "Firmware on node 2 is too old.", fenwa::kBrokenDriveType},
        {"garbled", ZROnLine::FirmwareTooOld, "Firmware on node 2 is too old.", fenwa::kBrokenDriveType},
        {"2.1", ZROnLine::FirmwareTooNew, "Firmware on node 2 is too new for this version of Quorvance.",
         std::nullopt},
    };
    for (const auto& c : cases) {
        fenwa.SetVersion(2, c.version);
        ZRObject* drive = nullptr;
        std::string message;
        EXPECT_EQ(m_Root->IdentifyNode(2, drive, message, ZROnLine::FenwaFamily), c.status) << c.version;
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << c.version << ": " << message;
        // Whatever was made, the caller learns that a drive answered.
        ASSERT_NE(drive, nullptr) << c.version;
        const bool attached = m_Root->GetChildren().Contains(drive);
        EXPECT_EQ(attached, c.attached.has_value()) << c.version;
        EXPECT_EQ(m_Root->FindDrive(2), attached ? drive : nullptr) << c.version;
        if (c.attached)
            EXPECT_EQ(drive->GetClass(), *c.attached) << c.version;
        else
            EXPECT_EQ(drive->GetClass(), fenwa::kDriveType) << c.version;
    }
    // Node 0 is never asked in the Fenwa protocol.
    const size_t requests = fenwa.RequestCount();
    ZRObject* none = nullptr;
    std::string message;
    EXPECT_EQ(m_Root->IdentifyNode(0, none, message, ZROnLine::FenwaFamily), ZROnLine::NothingToReport);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(fenwa.RequestCount(), requests);
}

TEST_F(FenwaScan, ADriveNotTakenInIsFreedByTheNextIdentification) {
    m_Link.port = line.Path();
    m_Root->Init();
    fenwa.SetVersion(2, "3.0");
    ZRObject* drive = nullptr;
    std::string message;
    ASSERT_EQ(m_Root->IdentifyNode(2, drive, message, ZROnLine::FenwaFamily), ZROnLine::FirmwareTooNew);
    ASSERT_NE(drive, nullptr);
    ReasonRecorder gone(*drive);
    EXPECT_EQ(gone.Count(ZRUpdate::Destroying), 0);
    // The caller may still look at it.
    EXPECT_EQ(drive->GetClass(), fenwa::kDriveType);
    ZRObject* next = nullptr;
    EXPECT_EQ(m_Root->IdentifyNode(3, next, message, ZROnLine::FenwaFamily), ZROnLine::NothingToReport);
    EXPECT_EQ(next, nullptr);
    EXPECT_EQ(gone.Count(ZRUpdate::Destroying), 1);
    // One left with the root when it goes is freed with it (the leak checkers watch this).
    ASSERT_EQ(m_Root->IdentifyNode(2, drive, message, ZROnLine::FenwaFamily), ZROnLine::FirmwareTooNew);
}

} // namespace
