// The oscilloscope window: the capture cycle over idle ticks, what a plot puts on the chart and the
// legend, saving the samples as text, the property grid's harness queries, and its panes.
#include "support/ModalScript.h"
#include "support/TempDir.h"
#include "support/model/FakeStorage.h"
#include "support/model/ReasonRecorder.h"
#include "support/model/ScopeScaleTypes.h"
#include "support/model/ScopedPage.h"
#include "support/model/TestDevice.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/model/ZRCommand.h"
#include "kitbase/model/ZRIdleController.h"
#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRScope.h"
#include "kitbase/model/ZRTest.h"
#include "kitbase/ui/CGridControlFactory.h"
#include "kitbase/ui/KitbaseIds.h"
#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphControl.h"
#include "kitbase/ui/ZRGraphDisplay.h"
#include "kitbase/ui/ZRLabelRow.h"
#include "kitbase/ui/ZRNodeMgr.h"
#include "kitbase/ui/ZROscilloscopeScale.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRScopeServicesView.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRStaticHeader.h"
#include "kitbase/ui/ZRSwatchButton.h"
#include "platform/core/Text.h"
#include "platform/ui/CellControl.h"
#include "platform/ui/CommandIds.h"
#include "platform/ui/Splitter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

using namespace platform::ui::ids;

using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::core::ModalKind;
using platform::core::ModalRequest;

namespace {

// A family scope in miniature: the samples of each channel are set by the test, a signal of 0
// leaves the channel unused, and a capture completes when the test says so.
class FakeScope : public ZRScope {
public:
    static constexpr int32_t kClass = 300;

    FakeScope() { SetClass(kClass); }

    void Init() override {
        ZRScope::Init();
        DefineTestScope(*this, 21);
    }

    void ArmTrigger() override {
        ++arms;
        ZRScope::ArmTrigger();
    }
    bool ChannelEnabled(int c) override { return signal.at(size_t(c)) != 0; }
    bool ChannelValid(int c) override { return valid.at(size_t(c)); }
    void GetChannelData(int c, std::vector<float>& data) override {
        ++dataCalls;
        if (data.size() < size_t(points))
            data.resize(size_t(points));
        for (int i = 0; i < points; ++i)
            data[size_t(i)] = Sample(c, i);
    }
    ZRChannelOptionList* GetChannelOptionList() override { return nullptr; }
    double GetChannelOffset(int c) override { return offset.at(size_t(c)); }
    double GetChannelScale(int c) override { return scale.at(size_t(c)); }
    std::string GetChannelUnits(int) override { return "rpm"; }
    double GetMsecPerSample() override { return msPerSample; }
    int GetNumDataPoints() override { return points; }
    void Idle() override { ++idles; }
    bool IsDataReady() override {
        ++polls;
        if (!IsArmed() || !captureComplete)
            return false;
        captureComplete = false;
        SetArmed(false);
        return true;
    }
    bool ReadChannel(int c) override {
        ++reads.at(size_t(c));
        valid.at(size_t(c)) = true;
        return true;
    }
    int GetTimeDivision() override { return 16; }

    // Channel c runs from low to high over the capture, or stays at low.
    float Sample(int c, int i) const {
        const auto& [low, high] = range.at(size_t(c));
        return points > 1 ? float(low + (high - low) * i / (points - 1)) : float(low);
    }
    void SetScaleType(int c, int index) { ASSERT_TRUE(GetChnScaleType(c)->SetValue(index)); }

    using ZRScope::SetChannelsNum;

    std::array<uint32_t, 4> signal{};
    std::array<bool, 4> valid{};
    std::array<int, 4> reads{};
    std::array<std::pair<double, double>, 4> range{};
    std::array<double, 4> offset{};
    std::array<double, 4> scale{};
    int points = 128;
    double msPerSample = 0.5;
    bool captureComplete = false;
    int arms = 0, idles = 0, polls = 0, dataCalls = 0;
};

// Receives the capture commands of the services pane.
class CommandNode : public ZRNodeMgr {
public:
    explicit CommandNode(ZRObject* object) : ZRNodeMgr(nullptr, object, nullptr) {}
    void Initialize() override {}
    void DoCommand(unsigned int id) override { ids.push_back(id); }
    std::vector<unsigned> ids;
};

class ZRScopeViewTest : public testing::Test {
protected:
    void SetUp() override {
        TestApp();
        scope.SetDevice(&device);
        scope.SetInstance(1);
        scope.Init();
        view = std::make_unique<ZRScopeView>();
        view->resize(900, 600);
    }
    void TearDown() override { view.reset(); }

    static void Tick() { ZRIdleController::Instance()->DoIdle(); }
    ZRScopeServicesView& Services() { return *view->GetScopeServicesView(); }
    ZRGraph& Graph() { return *view->GetGraphControl()->GetGraph(); }
    // Channels with a signal and samples, as after a capture.
    void Capture(std::initializer_list<int> channels) {
        for (int c : channels) {
            scope.signal.at(size_t(c)) = uint32_t(c + 1);
            scope.valid.at(size_t(c)) = true;
        }
    }
    // Draws the chart, so the displays lay out their labels.
    void Draw() {
        ASSERT_TRUE(ShowActive(*view));
        Graph().replot();
        QApplication::processEvents();
        Graph().replot();
    }

    FakeStorage storage;
    TestDevice device{&storage, false};
    FakeScope scope;
    std::unique_ptr<ZRScopeView> view;
};

TEST_F(ZRScopeViewTest, IdleTicksPlotEachCompletedCaptureOnce) {
    scope.signal = {1, 0, 3, 0};
    scope.range = {{{0, 127}, {0, 0}, {-50, 50}, {0, 0}}};
    view->SetObject(&scope);

    Tick();
    EXPECT_EQ(scope.polls, 1);
    scope.ArmTrigger();
    Tick();
    EXPECT_EQ(scope.reads, (std::array<int, 4>{0, 0, 0, 0}));
    EXPECT_FALSE(Services().IsLabelShown(0));

    scope.captureComplete = true;
    Tick();
    // Enabled channels are read, then a single capture returns the drive to idle.
    EXPECT_EQ(scope.reads, (std::array<int, 4>{1, 0, 1, 0}));
    EXPECT_EQ(scope.idles, 1);
    EXPECT_EQ(scope.arms, 1);
    ASSERT_EQ(Graph().GetDisplayCount(), 2);
    for (int k : {0, 1}) {
        const int channel = k * 2;
        ZRGraphDisplay& display = *Graph().GetDisplay(k);
        EXPECT_EQ(display.GetChannel(), channel);
        EXPECT_EQ(display.GetDataGroup(), k);
        const ZRGraph::Group& group = Graph().GetGroup(k);
        ASSERT_EQ(group.size(), 128u);
        EXPECT_DOUBLE_EQ(group[5].x, 2.5);
        EXPECT_FLOAT_EQ(float(group[5].y), scope.Sample(channel, 5));
        EXPECT_EQ(QColor(group[5].colour), Services().GetLabelColorCtrl(channel)->GetColour());
    }
    EXPECT_EQ(QColor(Graph().GetGroup(0)[0].colour), QColor(255, 0, 0));
    EXPECT_EQ(QColor(Graph().GetGroup(1)[0].colour), QColor(128, 0, 0));
    EXPECT_EQ(Services().GetLabelText(0), "Channel A: 50 rpm/grid");
    EXPECT_EQ(Services().GetLabelText(2), "Channel C: 30 rpm/grid");
    EXPECT_TRUE(Services().IsLabelShown(0));
    EXPECT_TRUE(Services().GetLabelColorCtrl(2)->isVisibleTo(&Services()));
    EXPECT_FALSE(Services().IsLabelShown(1));
    EXPECT_FALSE(Services().GetLabelColorCtrl(1)->isVisibleTo(&Services()));

    // The capture was taken: later ticks only poll.
    Tick();
    EXPECT_EQ(scope.reads[0], 1);

    // Running continuously re-arms right after each capture; a pass with fewer channels drops
    // the displays it no longer needs.
    scope.SetRunContinuous(true);
    scope.signal[2] = 0;
    scope.ArmTrigger();
    scope.captureComplete = true;
    Tick();
    EXPECT_EQ(scope.arms, 3);
    EXPECT_EQ(scope.idles, 1);
    EXPECT_EQ(Graph().GetDisplayCount(), 1);
    EXPECT_FALSE(Services().IsLabelShown(2));
}

TEST_F(ZRScopeViewTest, EachChannelGetsTheAxisOfItsScaleType) {
    // A fits to -3.7..33; B copies A's axis; C is manual around 100; D is a flat line at 5.
    Capture({0, 1, 2, 3});
    scope.range = {{{-3.7, 33}, {5, 5}, {0, 1}, {5, 5}}};
    scope.SetScaleType(1, 2);
    scope.SetScaleType(2, 1);
    scope.offset[2] = 100;
    scope.scale[2] = 50;
    view->SetObject(&scope);
    view->PlotData(false);
    EXPECT_EQ(Services().GetLabelText(0), "Channel A: 11 rpm/grid");
    EXPECT_EQ(Services().GetLabelText(1), "Channel B: 11 rpm/grid");
    EXPECT_EQ(Services().GetLabelText(2), "Channel C: 50 rpm/grid");
    EXPECT_EQ(Services().GetLabelText(3), "Channel D: 0.5 rpm/grid");

    Draw();
    const double lowest[] = {-11, -11, 0, 4};
    const double step[] = {11, 11, 50, 0.5};
    for (int k = 0; k < 4; ++k) {
        ZRGraphDisplay& display = *Graph().GetDisplay(k);
        ASSERT_NE(display.GetYScale(), nullptr);
        std::vector<double> values;
        for (const auto& label : display.GetYScale()->GetLabels())
            values.push_back(label.value);
        ASSERT_EQ(values.size(), 4u) << k;
        std::sort(values.begin(), values.end());
        EXPECT_DOUBLE_EQ(values[0], lowest[k]) << k;
        EXPECT_DOUBLE_EQ(values[3], lowest[k] + 3 * step[k]) << k;
        // Time lines every 16 samples of 0.5 ms, to the end of the capture.
        const auto& times = display.GetTimeLabels();
        ASSERT_GE(times.size(), 2u);
        EXPECT_DOUBLE_EQ(times[1].value, 8.0);
        EXPECT_DOUBLE_EQ(times.back().value, 64.0);
    }
}

TEST_F(ZRScopeViewTest, ValueChangesReplotButAnOffLineScopeIsNeverPolled) {
    device.SetOffLine(true);
    Capture({1});
    scope.range[1] = {5, 5};
    view->SetObject(&scope);
    Tick();
    EXPECT_EQ(scope.polls, 0);
    EXPECT_FALSE(Services().IsLabelShown(1));

    // A change of the scope's settings plots what it holds.
    scope.Notify(ZRUpdate::ValueChanged);
    EXPECT_EQ(scope.polls, 0);
    EXPECT_EQ(Services().GetLabelText(1), "Channel B: 0.5 rpm/grid");
    EXPECT_EQ(Graph().GetGroup(0).size(), 128u);
}

TEST_F(ZRScopeViewTest, GoingAwayLetsGoOfTheIdleTicksAndTellsItsObservers) {
    view->SetObject(&scope);
    ReasonRecorder observer(*view);
    const size_t subscribers = ZRIdleController::Instance()->GetObservers().size();
    view.reset();
    EXPECT_EQ(observer.reasons, std::vector<int>{ZRUpdate::Destroying});
    EXPECT_EQ(ZRIdleController::Instance()->GetObservers().size(), subscribers - 1);
    scope.Notify(ZRUpdate::ValueChanged); // nobody left to hear it

    // A scope that goes first leaves a view with nothing to poll.
    auto other = std::make_unique<FakeScope>();
    other->SetDevice(&device);
    other->Init();
    ZRScopeView survivor;
    survivor.SetObject(other.get());
    other.reset();
    EXPECT_EQ(survivor.GetScope(), nullptr);
    Tick();
    survivor.PlotData(true);
}

// ---- saving

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(ZRScopeViewTest, SaveWritesTimeAndThePlottedChannelsAsTabSeparatedText) {
    Capture({0, 2});
    scope.points = 4;
    scope.msPerSample = 0.25;
    scope.range[0] = {0, 1.5};
    scope.range[2] = {-1e-5, 3e6};
    view->SetObject(&scope);
    view->PlotData(false);

    TempDir dir;
    const std::string path = dir.File("capture.txt");
    ModalRequest seen;
    ModalScript script;
    script.Expect(ModalKind::SaveFile, "Save To:", [&](ModalRequest& r) {
        seen = r;
        r.value = path;
        return IDOK;
    });
    view->Item(IDC_SAVE_DATA)->click();
    EXPECT_EQ(seen.value, "ScopeData.txt");
    EXPECT_EQ(seen.defaultExt, "txt");
    EXPECT_EQ(seen.filter, "Scope data file (*.txt)|*.txt|All Files (*.*)|*.*||");
    EXPECT_EQ(seen.flags, 0x8006u);
    EXPECT_EQ(ReadFile(path), "Time (ms)\tChannel A (rpm)\tChannel C (rpm)\r\n"
                              "0\t0\t-1e-05\r\n"
                              "0.25\t0.5\t1e+06\r\n"
                              "0.5\t1\t2e+06\r\n"
                              "0.75\t1.5\t3e+06\r\n");

    // Cancel writes nothing; a scope without plotted channels has nothing to save.
    std::filesystem::remove(path);
    script.ExpectFile(ModalKind::SaveFile, path, IDCANCEL);
    view->OnSaveData();
    EXPECT_FALSE(std::filesystem::exists(path));
    scope.valid = {};
    script.ExpectMessage("No data to save", IDOK);
    view->OnSaveData();
    scope.SetChannelsNum(0);
    script.ExpectMessage("No data to save", IDOK);
    view->OnSaveData();
}

TEST_F(ZRScopeViewTest, SaveBeforeAnyPlotWritesEveryPointTheScopeHas) {
    Capture({1});
    scope.points = 130;
    scope.range[1] = {0, 129};
    view->SetObject(&scope);
    ASSERT_TRUE(view->GetSamples().empty());

    TempDir dir;
    const std::string path = dir.File("early.txt");
    ModalScript script;
    script.ExpectFile(ModalKind::SaveFile, path);
    view->OnSaveData();
    const std::string text = ReadFile(path);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 131);
    EXPECT_NE(text.find("\r\n64.5\t129\r\n"), std::string::npos);

    // A file that cannot be written says so.
    script.ExpectFile(ModalKind::SaveFile, dir.File("no/such/dir/x.txt"));
    script.ExpectMessage("Unable to write", IDOK);
    view->OnSaveData();
}

// ---- the services pane

TEST_F(ZRScopeViewTest, CaptureButtonsGoToTheNodeManager) {
    CommandNode node(&scope);
    view->SetCmdNodeMgr(&node);
    view->SetObject(&scope);
    for (int id : {IDC_ARM_TRIGGER, IDC_RUN_CONTINUOUS, IDC_STOP_TRIGGERING, IDC_SNAPSHOT})
        static_cast<QPushButton*>(Services().Item(id))->click();
    EXPECT_EQ(node.ids, (std::vector<unsigned>{19826, 19827, 19828, 19838}));

    QWidget* snapShot = Services().Item(IDC_SNAPSHOT);
    Services().ShowSnapShotButton(false);
    EXPECT_FALSE(snapShot->isVisibleTo(&Services()));
    Services().ShowSnapShotButton(true);
    EXPECT_TRUE(snapShot->isVisibleTo(&Services()));
}

TEST_F(ZRScopeViewTest, TwoChannelScopeLabelsTheAxisWithTheChosenChannel) {
    scope.SetChannelsNum(2);
    Capture({0, 1});
    scope.range = {{{0, 10}, {0, 20}, {0, 0}, {0, 0}}};
    view->SetObject(&scope);
    QComboBox& combo = *Services().GetYLabelCombo();
    Services().OnCbnDropdownCboYlabel();
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "Default");
    EXPECT_EQ(combo.itemText(1), "Channel A");
    EXPECT_EQ(combo.itemText(2), "Channel B");

    combo.setCurrentIndex(2);
    emit combo.activated(2);
    EXPECT_EQ(view->GetYLabels(), 1);
    Draw();
    // Only channel B's display prints its values, on every grid line.
    for (int k : {0, 1}) {
        const auto& labels = Graph().GetDisplay(k)->GetYScale()->GetLabels();
        ASSERT_EQ(labels.size(), 4u);
        for (const auto& label : labels)
            EXPECT_EQ(label.text.empty(), k == 0);
    }
}

TEST_F(ZRScopeViewTest, ShowBoxesHideAndRestoreTheirPanes) {
    ASSERT_TRUE(ShowActive(*view));
    QApplication::processEvents();
    platform::ui::Splitter& rows = *view->GetInnerSplitter();
    platform::ui::Splitter& columns = *view->GetOuterSplitter();
    const int services = rows.PaneSize(1);
    const int properties = columns.PaneSize(1);
    ASSERT_GT(services, 0);
    ASSERT_GT(properties, 0);

    view->Item(IDC_SHOW_COMMANDS)->click();
    view->Item(IDC_SHOW_PROPERTIES)->click();
    QApplication::processEvents();
    EXPECT_EQ(rows.PaneSize(1), 0);
    EXPECT_EQ(columns.PaneSize(1), 0);

    view->Item(IDC_SHOW_COMMANDS)->click();
    view->Item(IDC_SHOW_PROPERTIES)->click();
    QApplication::processEvents();
    EXPECT_NEAR(rows.PaneSize(1), services, 12);
    EXPECT_NEAR(columns.PaneSize(1), properties, 12);
    EXPECT_TRUE(view->Item(IDC_SHOW_COMMANDS)->isChecked());
}

TEST_F(ZRScopeViewTest, PaneCommandsMoveTheFocusAroundThePanes) {
    // A grid with nothing to show passes the focus on, so this one gets a row.
    CGridControlFactory factory;
    platform::ui::SetControlFactory(&factory);
    ZRPropertiesGrid& grid = *view->GetPropertyGrid();
    grid.SetOffLine(true);
    grid.OnInitialUpdate();
    grid.GetRows().emplace_back(new ZRLabelRow(std::make_unique<ZRStaticHeader>("Sampling")));
    grid.UpdateRows();
    ASSERT_TRUE(ShowActive(*view));

    QWidget* arm = Services().GetArmTriggerCtrl();
    view->OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(grid.hasFocus());
    view->OnCommand(ID_PREV_PANE);
    EXPECT_TRUE(arm->hasFocus());
    Services().OnCommand(ID_NEXT_PANE);
    EXPECT_TRUE(view->Item(IDC_SHOW_PROPERTIES)->hasFocus());
    Services().OnCommand(ID_PREV_PANE);
    EXPECT_TRUE(grid.hasFocus());
    view.reset();
    platform::ui::SetControlFactory(nullptr);
}

// ---- the test harness

TEST_F(ZRScopeViewTest, HarnessQueriesReachThePropertyGridThroughTheBoundedPage) {
    ZRPropertiesGrid& grid = *view->GetPropertyGrid();
    grid.SetRowCount(3);
    grid.SetColCount(3);
    ScopedPage page("/qv-scope-" + std::to_string(getpid()));
    ASSERT_TRUE(page.Page().HasPage());

    grid.SetValue(1, 2, std::string(400, 'x'));
    EXPECT_EQ(view->OnVtMessage(1, 0x00010002L), 0);
    std::string text;
    ASSERT_TRUE(page.Page().ReadText(text));
    EXPECT_EQ(text, std::string(254, 'x'));
    EXPECT_EQ(page.Page().GetBaseFileAddress()[254], 0);

    ASSERT_TRUE(page.Page().WriteText("0.5"));
    view->OnVtMessage(2, 0x00020002L);
    EXPECT_EQ(grid.Value(2, 2), "0.5");

    view->OnVtMessage(3, 0x00020001L);
    QRect r = grid.CellRect(2, 1).translated(grid.viewport()->pos());
    EXPECT_EQ(page.IntAt(0), r.left());
    EXPECT_EQ(page.IntAt(16), r.left() + r.width());
    EXPECT_EQ(page.IntAt(32), r.top());
    EXPECT_EQ(page.IntAt(48), r.top() + r.height());

    // No type 4 here: the page keeps what it had.
    ASSERT_TRUE(page.Page().WriteText("kept"));
    view->OnVtMessage(4, 0x00010001L);
    ASSERT_TRUE(page.Page().ReadText(text));
    EXPECT_EQ(text, "kept");
}

TEST_F(ZRScopeViewTest, HarnessQueriesWithoutAPageDoNothing) {
    ZRPropertiesGrid& grid = *view->GetPropertyGrid();
    grid.SetRowCount(2);
    grid.SetColCount(3);
    grid.SetValue(1, 2, "kept");
    ModalScript script;
    script.ExpectMessage("Memory Mapped File could not be created.", IDOK);
    ScopedPage page("/no/such/page");
    ASSERT_FALSE(page.Page().HasPage());
    for (unsigned type : {1u, 2u, 3u})
        EXPECT_EQ(view->OnVtMessage(type, 0x00010002L), 0);
    EXPECT_EQ(grid.Value(1, 2), "kept");
}

} // namespace

// A window first laid out at a sliver of a size (a frame before it is placed) keeps a chart, its
// services and its property grid once it is given room.
TEST_F(ZRScopeViewTest, AFirstLayoutTooSmallStillGivesEveryPaneRoomLater) {
    for (QSize first : {QSize(0, 0), QSize(100, 30), QSize(3, 600)}) {
        view = std::make_unique<ZRScopeView>();
        view->resize(first);
        view->show();
        QApplication::processEvents();
        view->resize(900, 600);
        QApplication::processEvents();
        EXPECT_GT(view->GetInnerSplitter()->PaneSize(0), 100) << first.width() << "x" << first.height();
        EXPECT_GT(view->GetInnerSplitter()->PaneSize(1), 0) << first.width() << "x" << first.height();
        EXPECT_GT(view->GetOuterSplitter()->PaneSize(0), 100) << first.width() << "x" << first.height();
        EXPECT_GT(view->GetOuterSplitter()->PaneSize(1), 0) << first.width() << "x" << first.height();
    }
}
