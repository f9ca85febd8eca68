#include "support/ModalScript.h"
#include "support/ui/UiTestApp.h"

#include "kitbase/ui/ZRGraph.h"
#include "quorvance/shell/ZRSnapShot.h"

#include <gtest/gtest.h>

#include <vector>

using platform::core::IDOK;
using platform::core::ModalKind;
using platform::ui::Dialog;
using platform::ui::PressDialogButton;

namespace {
// Pairs (channel 1, channel 2) for n samples.
std::vector<double> Samples(int n, double first, double second) {
    std::vector<double> pairs;
    for (int i = 0; i < n; ++i) {
        pairs.push_back(first + i);
        pairs.push_back(second);
    }
    return pairs;
}
unsigned Bytes(const std::vector<double>& v) {
    return static_cast<unsigned>(v.size() * sizeof(double));
}
} // namespace

TEST(ZRSnapShot, DataIsCappedAt128PairsAndExtremesIncludeZero) {
    ZRSnapShot snap;
    std::vector<double> many = Samples(200, 10.0, -3.0);
    snap.SetData(many.data(), Bytes(many));
    EXPECT_EQ(snap.GetSample(127, 1), 137.0);
    EXPECT_EQ(snap.GetSample(127, 2), -3.0);
    EXPECT_EQ(snap.GetMin(1), 0.0); // all positive, still from 0
    EXPECT_EQ(snap.GetMax(1), 137.0);
    EXPECT_EQ(snap.GetMin(2), -3.0);
    EXPECT_EQ(snap.GetMax(2), 0.0);

    // A shorter capture leaves no sample of the previous one behind.
    std::vector<double> few = Samples(4, 1.0, 2.0);
    snap.SetData(few.data(), Bytes(few));
    EXPECT_EQ(snap.GetSample(3, 1), 4.0);
    EXPECT_EQ(snap.GetSample(4, 1), 0.0);
    EXPECT_EQ(snap.GetMax(1), 4.0);
    EXPECT_EQ(snap.GetMin(2), 0.0);
}

TEST(ZRSnapShot, ChartAxesScalesColoursAndCursorReadOut) {
    TestApp();
    ZRSnapShot snap;
    snap.SetMsecPerSample(0.5);
    snap.SetChannelName(1, "Velocity");
    snap.SetChannelName(2, "Current");
    std::vector<double> data = Samples(128, -20.0, 5.0);
    snap.SetData(data.data(), Bytes(data));
    ModalScript script;
    script.Expect(ModalKind::Dialog, "Scope Snap Shot", PressDialogButton(IDOK, [&](Dialog& d) {
                      ZRGraph* plot = snap.GetPlot();
                      ASSERT_EQ(plot->graphCount(), 2);
                      EXPECT_EQ(plot->graph(0)->name().toStdString(), "Velocity");
                      EXPECT_EQ(plot->graph(1)->data()->size(), 128);
                      EXPECT_DOUBLE_EQ(plot->xAxis->range().lower, -0.25);
                      EXPECT_DOUBLE_EQ(plot->xAxis->range().size(), 64.0);
                      // Channel 1 spans -20 to 107: minimum - |maximum x 0.1|, span x 1.2.
                      EXPECT_DOUBLE_EQ(snap.GetAxisMin(1), -20.0 - 10.7);
                      EXPECT_DOUBLE_EQ(snap.GetAxisSpan(1), 127.0 * 1.2);
                      EXPECT_DOUBLE_EQ(snap.GetAxisMin(2), -0.5); // its extremes start from 0
                      EXPECT_DOUBLE_EQ(snap.GetAxisSpan(2), 6.0);
                      EXPECT_EQ(snap.GetAxisTitle(2), "Y-Axis 2");

                      // Both axes to channel 2: the first axis takes its range and title and is switched off.
                      d.SetSelection(ZRSnapShot::IDC_Y_SCALE, 2);
                      snap.OnSelChangeYScale();
                      EXPECT_EQ(snap.GetAxisTitle(1), "Y-Axis 2");
                      EXPECT_DOUBLE_EQ(snap.GetAxisMin(1), -0.5);
                      EXPECT_DOUBLE_EQ(snap.GetAxisSpan(1), 6.0);
                      EXPECT_FALSE(snap.IsAxisOn(1));
                      EXPECT_TRUE(snap.IsAxisOn(2));
                      d.SetSelection(ZRSnapShot::IDC_Y_SCALE, 0);
                      snap.OnSelChangeYScale();
                      EXPECT_TRUE(snap.IsAxisOn(1));
                      EXPECT_EQ(snap.GetAxisTitle(1), "Y-Axis 1");

                      EXPECT_EQ(plot->xAxis->basePen().color(), QColor(255, 255, 255));
                      EXPECT_EQ(plot->graph(0)->pen().color(), QColor(255, 0, 255));
                      d.ClickButton(ZRSnapShot::IDC_TOGGLE_COLOR);
                      EXPECT_EQ(snap.GetColorSet(), 1);
                      EXPECT_EQ(plot->xAxis->basePen().color(), QColor(0, 0, 0));
                      EXPECT_EQ(plot->graph(1)->pen().color(), QColor(0, 0, 255)); // 0xFF0000 is blue
                      EXPECT_EQ(plot->yAxis2->tickLabelColor(), QColor(0, 0, 255));
                      d.ClickButton(ZRSnapShot::IDC_TOGGLE_COLOR);
                      EXPECT_EQ(snap.GetColorSet(), 0);
                      EXPECT_EQ(plot->xAxis->basePen().color(), QColor(255, 255, 255));

                      // Cursor 1 reads channel 1 (at 10 ms, sample 20: 0), cursor 2 channel 2 (5 everywhere).
                      snap.SetCursorTime(1, 10.0);
                      snap.SetCursorTime(2, 30.0);
                      snap.OnTimer(ZRSnapShot::kTimerId);
                      EXPECT_EQ(d.GetItemText(ZRSnapShot::IDC_READOUT), "Diff. time = 20.00, Diff. Y = 5.00");
                      snap.SetCursorTime(1, 15.0);
                      snap.OnTimer(ZRSnapShot::kTimerId);
                      EXPECT_EQ(d.GetItemText(ZRSnapShot::IDC_READOUT),
                                "Diff. time = 15.00, Diff. Y = -5.00");
                  }));
    EXPECT_EQ(snap.DoModal(), IDOK);
}
