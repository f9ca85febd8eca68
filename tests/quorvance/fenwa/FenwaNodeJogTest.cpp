// The Fenwa drive node's velocity control panel and its jog thread on a simulated drive.
#include "FenwaScan.h"

#include "kitbase/ui/CSizableChildFrame.h"
#include "kitbase/ui/ZRPropertiesView.h"
#include "quorvance/fenwa/FenwaCommands.h"
#include "quorvance/fenwa/FenwaNodeMgr.h"

#include <algorithm>
#include <chrono>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;
using platform::core::IDCANCEL;
using platform::core::IDOK;

// The drive commands of the jog (JOG0, JOG+, JOG-, SVROF) the drive at node 2 received, timed.
class JogLog {
public:
    explicit JogLog(wiresim::FenwaDriveSim& sim) {
        sim.SetHandler([this](const wiresim::CommandRequest& r) -> std::optional<wiresim::CommandAnswer> {
            if (r.node == 2 && (r.command.rfind("JOG", 0) == 0 || r.command == "SVROF")) {
                std::lock_guard lock(m_lock);
                m_sent.push_back({r.command, Clock::now()});
            }
            return std::nullopt;
        });
    }
    std::vector<std::string> Commands() const {
        std::lock_guard lock(m_lock);
        std::vector<std::string> texts;
        for (const auto& sent : m_sent)
            texts.push_back(sent.first);
        return texts;
    }
    size_t Count(const std::string& command) const {
        const std::vector<std::string> texts = Commands();
        return size_t(std::count(texts.begin(), texts.end(), command));
    }
    // The gaps between the jog commands sent while jogging.
    std::vector<Clock::duration> Gaps() const {
        std::lock_guard lock(m_lock);
        std::vector<Clock::duration> gaps;
        for (size_t i = 1; i < m_sent.size(); ++i)
            gaps.push_back(m_sent[i].second - m_sent[i - 1].second);
        return gaps;
    }

private:
    mutable std::mutex m_lock;
    std::vector<std::pair<std::string, Clock::time_point>> m_sent;
};

class FenwaJogPanel : public FenwaScan {
protected:
    FenwaNodeMgr* ScanFenwa() {
        m_Root->GetScanSettings().scanTarvik = 0;
        Scan(2);
        const std::vector<ZRNodeMgr*> nodes = DriveNodes();
        return nodes.size() == 1 ? dynamic_cast<FenwaNodeMgr*>(nodes[0]) : nullptr;
    }
    bool Until(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
        return RunEventsUntil(done, limit);
    }
};

TEST_F(FenwaJogPanel, JogsEvery450MsAndClosingSendsJog0ThenServoOffAndEndsTheThread) {
    FenwaNodeMgr* node = ScanFenwa();
    ASSERT_NE(node, nullptr);
    JogLog log(fenwa);
    fenwa.SetEnabled(2, true);

    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    ASSERT_TRUE(node->IsJogging());
    CSizableChildFrame* frame = node->GetPanelFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_NE(node->GetPanelView(), nullptr);
    EXPECT_EQ(node->GetJogState(), FenwaNodeMgr::JogHold);
    ASSERT_TRUE(Until([&] { return log.Count("JOG0") >= 2; }));
    node->DoCommand(ID_FENWA_JOG_FORWARD);
    ASSERT_TRUE(Until([&] { return log.Count("JOG+") >= 2; }));
    node->DoCommand(ID_FENWA_JOG_REVERSE);
    ASSERT_TRUE(Until([&] { return log.Count("JOG-") >= 2; }));
    node->DoCommand(ID_FENWA_STOP_JOG);
    ASSERT_TRUE(Until([&] { return log.Commands().back() == "JOG0"; }));
    // A second open brings the same panel up: still one thread.
    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    EXPECT_EQ(node->GetPanelFrame(), frame);

    const std::vector<Clock::duration> gaps = log.Gaps();
    ASSERT_GE(gaps.size(), 6u);
    for (Clock::duration gap : gaps)
        EXPECT_GE(gap, 440ms);
    std::vector<Clock::duration> sorted = gaps;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_LT(sorted[sorted.size() / 2], 900ms);

    const size_t before = log.Commands().size();
    frame->close();
    // The close waited for the thread: its last words are already on the wire.
    EXPECT_FALSE(node->IsJogging());
    EXPECT_EQ(node->GetPanelFrame(), nullptr);
    const std::vector<std::string> sent = log.Commands();
    ASSERT_GE(sent.size(), before + 2);
    EXPECT_EQ(sent[sent.size() - 2], "JOG0");
    EXPECT_EQ(sent.back(), "SVROF");
    EXPECT_FALSE(fenwa.Enabled(2));
    // Nothing more goes out.
    Until([] { return false; }, 600ms);
    EXPECT_EQ(log.Commands().size(), sent.size());
}

TEST_F(FenwaJogPanel, ADriveThatStopsAnsweringEndsTheJogAndIsReportedOnTheUserInterfaceThread) {
    FenwaNodeMgr* node = ScanFenwa();
    ASSERT_NE(node, nullptr);
    JogLog log(fenwa);
    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    node->DoCommand(ID_FENWA_JOG_FORWARD);
    ASSERT_TRUE(Until([&] { return log.Count("JOG+") >= 1; }));
    ModalScript script;
    script.ExpectMessage("Communications have been lost with the drive, Retry?", IDCANCEL)
        .ExpectMessage("Communications have been lost with node 2", IDOK);
    fenwa.PullCable();
    ASSERT_TRUE(Until([&] { return script.Remaining() == 0; }, 20s));
    EXPECT_FALSE(node->IsJogging());
    // The panel stays; its rows only change the state now, and closing sends nothing.
    ASSERT_NE(node->GetPanelFrame(), nullptr);
    node->DoCommand(ID_FENWA_JOG_REVERSE);
    const size_t sent = fenwa.RequestCount();
    node->GetPanelFrame()->close();
    EXPECT_EQ(fenwa.RequestCount(), sent);
    // The lost drive leaves on the next idle tick.
    ModalScript removal;
    removal.ExpectMessage("Removing drive", IDOK);
    ASSERT_TRUE(RunIdleUntil([&] { return m_Root->FindDrive(2) == nullptr; }, 5s));
}

TEST_F(FenwaJogPanel, RemovingTheDriveWhileJoggingStopsTheThreadFirst) {
    FenwaNodeMgr* node = ScanFenwa();
    ASSERT_NE(node, nullptr);
    JogLog log(fenwa);
    node->DoCommand(ID_FENWA_VELOCITY_PANEL);
    node->DoCommand(ID_FENWA_JOG_REVERSE);
    ASSERT_TRUE(Until([&] { return log.Count("JOG-") >= 1; }));
    m_Root->RemoveAllDrives();
    EXPECT_TRUE(DriveNodes().empty());
    const std::vector<std::string> sent = log.Commands();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(sent[sent.size() - 2], "JOG0");
    EXPECT_EQ(sent.back(), "SVROF");
}

} // namespace
