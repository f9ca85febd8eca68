// Programming a smart encoder's memory from a motor data file, against the simulated drive: through
// the encoders node's "Program Encoder" window the way a user runs it, the file checks that refuse a
// file before anything goes to the drive, and a drive that stops answering in the middle.
#include "TarvikDriveFixture.h"

#include "kitbase/model/ZRBoolAttribute.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongAttribute.h"
#include "kitbase/model/ZRStringAttribute.h"
#include "kitbase/model/ZRUlongAttribute.h"
#include "kitbase/ui/ZRGridRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "kitbase/ui/ZRServicesGrid.h"
#include "kitbase/ui/ZRWorkspaceView.h"
#include "platform/core/Clock.h"
#include "quorvance/tarvik/TarvikCommands.h"
#include "quorvance/tarvik/TarvikEncoderProgramming.h"
#include "quorvance/tarvik/TarvikIds.h"
#include "quorvance/tarvik/TarvikStorage.h"
#include "quorvance/tarvik/ZRDrive.h"
#include "quorvance/tarvik/ZRDriveNodeMgr.h"
#include "quorvance/tarvik/ZREncodersTarvik.h"
#include "quorvance/tarvik/ZRMotorTarvik.h"
#include "quorvance/tarvik/ZRNoxelDevice.h"
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/BlobFileWriter.h"
#include "support/ui/UiTestApp.h"
#include "tests/support/wire/FakeClock.h"
#include "tests/support/wire/TarvikDriveSim.h"
#include "tests/support/wire/TarvikEncoderMemoryPlay.h"
#include "wirelink/NoxelComm.h"
#include "wirelink/SerialComm.h"

#include <ctime>

namespace {

using platform::core::IDCANCEL;
using platform::core::IDNO;
using platform::core::IDOK;
using platform::core::IDRETRY;
using platform::core::IDYES;
using tarvik::EncoderProgrammer;
using testfiles::BlobBytes;
using testfiles::BlobMotor;
using wiresim::TarvikEncoderMemoryPlay;

constexpr uint8_t kNode = 1;
constexpr uint32_t kProduct = 0x0D;
constexpr int kHostControlMode = 97;
constexpr int kEnableState = 107;
constexpr int kSmartEncoderType = 397;
constexpr int kEncoderIdentity = 402;

// What the encoders node does with the programming commands.
class EncodersNode : public ZRNodeMgr {
public:
    EncodersNode(ZREncodersTarvik* block, ZRTreeItem* item, ZRWorkspaceView* view)
        : ZRNodeMgr(item, block, view), m_pBlock(block) {}
    void Initialize() override {}
    void DoCommand(unsigned id) override {
        if (id == ID_PROGRAM_ENCODER)
            tarvik::OpenProgramEncoderWindow(*this, *m_pBlock);
        else if (id == ID_START_ENCODER_PROGRAMMING)
            tarvik::StartEncoderProgramming(*this, *m_pBlock);
    }

private:
    ZREncodersTarvik* m_pBlock;
};

class EncoderProgramming : public TarvikDriveFixture {
protected:
    void SetUp() override {
        TarvikDriveFixture::SetUp();
        // An encoder the drive already talks to (no link set-up, no wait), reporting type 1.
        sim.SetValue(kNode, kSmartEncoderType, 0, 4);
        sim.SetValue(kNode, kEncoderIdentity, 0, 0x22000000);
        AttachDrive(tarvik::kIndexingDriveType, kProduct);
        encoders = drive->GetEncoders();
        motor = drive->GetMotor();
        ASSERT_TRUE(encoders && motor);
        play = sim.FindPlay<TarvikEncoderMemoryPlay>();
        ASSERT_TRUE(play);
        // A name outside ASCII (code page 1252 in the model) must reach the disk as the user picked it.
        path = files.File("Pr\xFC" "fstand motor.blb");
        encoders->GetBlobFile()->SetValue(path);
        requestsBefore = play->Requests(kNode);
    }
    // A programmer that does not wait in real time.
    EncoderProgrammer Programmer() {
        EncoderProgrammer programmer(*encoders);
        programmer.SetSleep([](uint32_t) {});
        return programmer;
    }
    std::string Status() { return encoders->GetProgrammingStatus()->GetValue(); }
    int RequestsSinceSetUp() { return play->Requests(kNode) - requestsBefore; }
    uint32_t OnDrive(int parameter) { return sim.Value(kNode, parameter); }

    EncodersNode* MakeNodes() {
        auto* driveNode = AddNode<ZRDriveNodeMgr>(drive.get(), "Drive");
        return AddNode<EncodersNode>(encoders, "Encoders", driveNode->GetNode());
    }

    ZREncodersTarvik* encoders = nullptr;
    ZRMotorTarvik* motor = nullptr;
    TarvikEncoderMemoryPlay* play = nullptr;
    TempDir files;
    std::string path;
    int requestsBefore = 0;
};

TEST_F(EncoderProgramming, TheWindowsStartProgramsTheEncoderAndStampsSerialDateAndOffset) {
    EncodersNode* node = MakeNodes();
    node->DoCommand(ID_PROGRAM_ENCODER);
    ZRPropertiesView* window = node->GetPropsView(0);
    ASSERT_TRUE(window);
    EXPECT_EQ(window->m_pPropertiesGrid->GetRows().size(), 3u);
    ASSERT_EQ(window->m_pServicesGrid->GetRows().size(), 1u);
    EXPECT_EQ(Status(), "Waiting for Start. . . . . . . . .");

    const BlobBytes file = testfiles::MakeBlobImage();
    testfiles::WriteBlobFile(path, file, 300);
    encoders->GetSerialNumber()->SetValue("  AB");
    play->SetStartup(100, 3);
    {
        ModalScript modals;
        modals.ExpectMessage("This will begin the process of programming the motor encoder.", IDOK);
        node->DoCommand(ID_START_ENCODER_PROGRAMMING);
    }
    EXPECT_EQ(Status(), "Programming Complete");
    EXPECT_EQ(play->MemoryWrites(kNode), 128);

    const TarvikEncoderMemoryPlay::Memory memory = play->Contents(kNode);
    BlobBytes written{};
    std::copy(memory.begin(), memory.end(), written.begin());
    EXPECT_EQ(std::string(written.begin() + 20, written.begin() + 30), "AB        ");
    const std::time_t now = std::time(nullptr);
    std::tm today{};
    localtime_r(&now, &today);
    EXPECT_EQ(written[35], today.tm_mon + 1);
    EXPECT_EQ(written[36], today.tm_mday);
    EXPECT_EQ(testfiles::BlobWord(written, 37), today.tm_year + 1900);
    // Type 1, four poles, measured 100: (32768 / 8 + 100) >> 5.
    EXPECT_EQ(testfiles::BlobWord(written, 41), 131);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(testfiles::BlobSum(written, 16 * k, 16 * k + 15), testfiles::BlobWord(written, 32 * k + 30))
            << "block " << k;
    // The rest of the file's first 128 bytes goes in unchanged.
    EXPECT_TRUE(std::equal(file.begin() + 43, file.begin() + 62, written.begin() + 43));

    // The motor took the file's data; the drive is left disabled in its normal mode.
    EXPECT_EQ(motor->GetMotorModel()->GetValue(), "SKM36-4-A");
    EXPECT_EQ(motor->GetPolesRevolution()->GetValue(), 4);
    EXPECT_NEAR(motor->GetContinuousCurrent()->GetValue(), 200 * 0.014142, 0.02);
    EXPECT_EQ(motor->GetEncoder()->GetAsString(), "Sine/Cosine");
    EXPECT_EQ(motor->GetAutoMotorIden()->GetAsString(), "Enabled");
    EXPECT_EQ(OnDrive(kEnableState), 0u);
    EXPECT_EQ(OnDrive(kHostControlMode), 0u);
}

TEST_F(EncoderProgramming, StartRefusesWithoutAFileAndSendsNothing) {
    EncodersNode* node = MakeNodes();
    encoders->GetBlobFile()->SetValue("");
    {
        ModalScript modals;
        modals.ExpectMessage("You must select a blob file.", IDOK);
        node->DoCommand(ID_START_ENCODER_PROGRAMMING);
    }
    EXPECT_EQ(RequestsSinceSetUp(), 0);
}

TEST_F(EncoderProgramming, AFileThatFailsItsChecksIsRefusedBeforeAnythingIsSent) {
    auto changed = [](auto change) {
        BlobMotor motor;
        change(motor);
        return testfiles::MakeBlobImage(motor);
    };
    BlobBytes badBlock = testfiles::MakeBlobImage();
    badBlock[70] ^= 1; // a torque constant the block checksum does not cover
    BlobBytes badTotal = testfiles::MakeBlobImage();
    badTotal[200] ^= 1;
    badTotal[202] ^= 1; // word 100 and 101 change, block sums untouched
    const struct {
        const char* name;
        BlobBytes image;
        size_t size;
        const char* status;
    } cases[] = {
        {"zero poles", changed([](BlobMotor& m) { m.poles = 0; }), 256, "Invalid blob file: the motor has no poles."},
        {"zero current", changed([](BlobMotor& m) { m.continuousCurrent = 0; }), 256,
         "Invalid blob file: the continuous current is zero."},
        {"zero inertia divisor", changed([](BlobMotor& m) { m.inertiaDivisor = 0; }), 256,
         "Invalid blob file: the inertia divisor is zero."},
        {"block checksum", badBlock, 256, "Corrupted or Invalid Blob File"},
        {"total checksum", badTotal, 256, "Corrupted or Invalid Blob File"},
        {"short file", testfiles::MakeBlobImage(), 255, "Invalid blob file."},
        {"motor type", changed([](BlobMotor& m) { m.flags = 0x01; }), 256, "Unsupported blob motor type"},
        {"encoder type", changed([](BlobMotor& m) { m.encoderType = 3; }), 256,
         "Blob file is not for SRS, SRM, SKS or SKM encoder(s)."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        testfiles::WriteBlobFile(path, c.image, c.size);
        Programmer().ProgramEncoder();
        EXPECT_EQ(Status(), c.status);
        EXPECT_EQ(RequestsSinceSetUp(), 0);
    }
    encoders->GetBlobFile()->SetValue(files.File("missing.blb"));
    Programmer().ProgramEncoder();
    EXPECT_EQ(Status(), "Could not open blob file.");
    EXPECT_EQ(play->MemoryWrites(kNode), 0);
}

TEST_F(EncoderProgramming, AnOldRevisionAsksFirstAndNoCancels) {
    BlobMotor old;
    old.revision = 1;
    old.poles = 0; // checked only after the question
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage(old));
    {
        ModalScript modals;
        modals.ExpectMessage("revision 1. This may have unexpected results.", IDNO);
        Programmer().ProgramEncoder();
    }
    EXPECT_EQ(Status(), "Cancelled");
    {
        ModalScript modals;
        modals.ExpectMessage("revision 1.", IDYES);
        Programmer().ProgramEncoder();
    }
    EXPECT_EQ(Status(), "Invalid blob file: the motor has no poles.");
    EXPECT_EQ(RequestsSinceSetUp(), 0);
}

TEST_F(EncoderProgramming, CommutationOffsetFollowsTheEncoderType) {
    const struct {
        int type, poles;
        uint32_t measured;
        uint16_t offset;
    } cases[] = {
        {1, 4, 100, 131}, {2, 4, 100, 131}, {20, 4, 8200, 16}, {21, 4, 8216, 17}, {1, 8, 0x7FFFF, 0x3FF & ((2048 + 0x7FFFF) >> 5)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncoderProgrammer::CommutationOffset(c.type, c.poles, c.measured), c.offset)
            << c.type << " " << c.measured;
}

TEST_F(EncoderProgramming, AnEncoderOfAnotherTypeEndsBeforeTheMotorChanges) {
    sim.SetValue(kNode, kEncoderIdentity, 0, 0x32000000); // type 20 connected, file for type 1
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage());
    const std::string model = motor->GetMotorModel()->GetValue();
    Programmer().ProgramEncoder();
    EXPECT_EQ(Status(), "File does not specify the actual encoder.");
    EXPECT_EQ(motor->GetMotorModel()->GetValue(), model);
    EXPECT_EQ(play->MemoryWrites(kNode), 0);
}

TEST_F(EncoderProgramming, AStartupThatNeverEndsIsGivenUpWithTheDriveDisabledAndNormal) {
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage());
    play->SetStartup(100, -1);
    EncoderProgrammer programmer = Programmer();
    programmer.SetStartupLimit(200);
    programmer.SetSleep([](uint32_t ms) { platform::core::Sleep(std::min<uint32_t>(ms, 20)); });
    programmer.ProgramEncoder();
    EXPECT_EQ(Status(), "Commutation startup did not finish.");
    EXPECT_EQ(OnDrive(kEnableState), 0u);
    EXPECT_EQ(OnDrive(kHostControlMode), 0u);
    EXPECT_EQ(drive->GetHostControlMode()->GetAsString(), "Normal");
    EXPECT_EQ(play->MemoryWrites(kNode), 0);
}

TEST_F(EncoderProgramming, ADriveThatStopsAnsweringDuringTheStartupEndsInAFailureStatus) {
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage());
    play->SetStartup(100, -1);
    // The cable comes out while the drive measures; the user gives up on the link.
    EncoderProgrammer programmer = Programmer();
    programmer.SetStartupLimit(60000);
    programmer.SetSleep([this](uint32_t ms) {
        if (ms < 100)
            sim.PullCable();
    });
    {
        ModalScript modals;
        modals.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL);
        modals.ExpectMessage("Communications have been lost with node 1", IDOK);
        modals.ExpectMessage("Problem with Disable function.", IDOK);
        programmer.ProgramEncoder();
    }
    EXPECT_EQ(Status(), "The drive stopped answering during encoder programming.");
    EXPECT_EQ(play->MemoryWrites(kNode), 0);
}

TEST_F(EncoderProgramming, ALinkThatComesBackIsUsedToDisableTheDriveAndSetItNormal) {
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage());
    play->SetStartup(100, -1);
    EncoderProgrammer programmer = Programmer();
    programmer.SetStartupLimit(300);
    bool pulled = false;
    programmer.SetSleep([&](uint32_t ms) {
        if (ms < 100 && !pulled) {
            pulled = true;
            sim.PullCable();
        }
    });
    {
        // The user plugs the cable back in and retries; the start-up still does not end.
        ModalScript modals;
        modals.Expect(platform::core::ModalKind::MessageBox, "Communications have been lost with the drive, Retry?",
                      [this](platform::core::ModalRequest&) {
                          sim.PlugCable();
                          return IDRETRY;
                      });
        programmer.ProgramEncoder();
    }
    EXPECT_EQ(Status(), "Commutation startup did not finish.");
    EXPECT_EQ(OnDrive(kEnableState), 0u);
    EXPECT_EQ(OnDrive(kHostControlMode), 0u);
}

TEST_F(EncoderProgramming, CancellingTheEnablePromptPutsTheHostModeBack) {
    testfiles::WriteBlobFile(path, testfiles::MakeBlobImage());
    sim.SetValue(kNode, 186, 0, 0); // the enable input is off
    {
        ModalScript modals;
        modals.ExpectMessage("The drive must be hardware enabled to continue", IDCANCEL);
        Programmer().ProgramEncoder();
    }
    EXPECT_EQ(Status(), "Determining commutation offset...");
    EXPECT_EQ(OnDrive(kEnableState), 0u);
    EXPECT_EQ(OnDrive(kHostControlMode), 0u);
}

} // namespace
