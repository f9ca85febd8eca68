// The chart of the oscilloscope: its control, displays, shared margin and labels as drawn.
#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphControl.h"
#include "kitbase/ui/ZRGraphDisplay.h"
#include "kitbase/ui/ZROscilloscopeScale.h"
#include "kitbase/ui/ZRSwatchButton.h"
#include "support/ui/UiTestApp.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

const std::array<QColor, 4> kColours = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 160, 0),
                                        QColor(200, 0, 200)};

// A shown chart control whose text is drawn without smoothing, so label pixels keep their colour.
struct Chart {
    ZRGraphControl control;
    ZRGraph& graph = *control.GetGraph();
    std::array<std::unique_ptr<ZRSwatchButton>, 4> swatches;

    Chart() {
        TestApp();
        QFont font = graph.font();
        font.setStyleStrategy(QFont::NoAntialias);
        graph.setFont(font);
        control.resize(600, 400);
        control.show();
        for (size_t c = 0; c < swatches.size(); ++c)
            swatches[c] = std::make_unique<ZRSwatchButton>(kColours[c]);
    }
    // Display k plots channel k, as the scope view sets them up: 128 samples 0.5 ms apart.
    ZRGraphDisplay& Plot(int k, double low, double high) {
        while (graph.GetDisplayCount() <= k)
            graph.AddDisplay(new ZRGraphDisplay(&graph));
        ZRGraphDisplay& display = *graph.GetDisplay(k);
        display.setAntialiased(false);
        display.SetDataGroup(k);
        display.SetChannel(k);
        display.SetLabelColorCtrl(swatches[size_t(k)].get());
        // A flat trace at its own height, (k + 1) fifths up, so no trace hides another.
        for (int i = 0; i < 128; ++i)
            graph.AddPoint(k, i * 0.5, low + (high - low) * (k + 1) / 5, swatches[size_t(k)]->GetColour());
        display.SetTimeBetweenDivisions(8);
        display.SetXRange(0, 64);
        display.SetYRange(low, high);
        return display;
    }
    // Draws, lets a queued second pass run, and answers the picture.
    QImage Draw() {
        graph.replot();
        QApplication::processEvents();
        graph.replot();
        return graph.grab().toImage();
    }
};

// Pixels of exactly the colour inside the rectangle.
int Count(const QImage& image, const QRect& area, const QColor& colour) {
    int n = 0;
    QRect box = area.intersected(image.rect());
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            n += QColor(image.pixel(x, y)) == colour;
    return n;
}

std::vector<std::string> Texts(const ZRGraphDisplay& display) {
    std::vector<std::string> texts;
    for (const auto& label : display.GetYScale()->GetLabels())
        texts.push_back(label.text);
    return texts;
}

} // namespace

TEST(ZRGraphControl, StartsWithOneDisplayAndKeepsDataGroups) {
    TestApp();
    ZRGraphControl control;
    ZRGraph& graph = *control.GetGraph();
    EXPECT_EQ(graph.GetDisplayCount(), 1);
    EXPECT_EQ(graph.GetBarWidth(), 90);
    EXPECT_EQ(graph.GetDisplay(1), nullptr);
    graph.AddPoint(2, 1, 2, Qt::red);
    graph.AddPoint(-1, 1, 2, Qt::red); // no such group: ignored
    EXPECT_EQ(graph.GetGroup(2).size(), 1u);
    EXPECT_TRUE(graph.GetGroup(0).empty());
    graph.ClearData();
    EXPECT_TRUE(graph.GetGroup(2).empty());
    graph.AddDisplay(new ZRGraphDisplay(&graph));
    graph.RemoveDisplay(0);
    EXPECT_EQ(graph.GetDisplayCount(), 1);
}

TEST(ZRGraphDisplay, ZeroSpansDrawNoLabels) {
    Chart chart;
    chart.Draw();
    const ZRGraphDisplay& display = *chart.graph.GetDisplay(0);
    EXPECT_EQ(display.GetYScale(), nullptr);
    EXPECT_TRUE(display.GetTimeLabels().empty());
}

TEST(ZRGraphDisplay, EachChannelLabelsItsOwnGridLineInItsColour) {
    Chart chart;
    for (int k = 0; k < 4; ++k)
        chart.Plot(k, 0, 40.0 * (k + 1));
    QImage image = chart.Draw();
    QRect plot = chart.graph.GetPlotRect();
    int h = QFontMetrics(chart.graph.font()).height();

    const auto& times = chart.graph.GetDisplay(0)->GetTimeLabels();
    ASSERT_EQ(times.size(), 9u);
    EXPECT_EQ(times.front().text, " 0 ms ");
    EXPECT_EQ(times.back().text, " 64 ms ");
    EXPECT_EQ(Texts(*chart.graph.GetDisplay(2)), (std::vector<std::string>{"", "", " 60 ", ""}));

    for (int line = 0; line < 4; ++line) {
        int y = plot.bottom() - line * plot.height() / 4;
        QRect band(0, y - h / 2, plot.left(), h);
        for (int c = 0; c < 4; ++c) {
            int pixels = Count(image, band, kColours[size_t(c)]);
            EXPECT_EQ(pixels > 0, c == line) << "line " << line << " colour " << c;
        }
    }
    for (int c = 0; c < 4; ++c)
        EXPECT_GT(Count(image, plot, kColours[size_t(c)]), 0) << "trace " << c;

    // Channel B chosen for the axis: only its display prints, on every line, in its colour.
    for (int k = 0; k < 4; ++k)
        chart.graph.GetDisplay(k)->SetYLabels(1);
    image = chart.Draw();
    EXPECT_EQ(Texts(*chart.graph.GetDisplay(1)), (std::vector<std::string>{" 0 ", " 20 ", " 40 ", " 60 "}));
    EXPECT_EQ(Texts(*chart.graph.GetDisplay(0)), (std::vector<std::string>{"", "", "", ""}));
    QRect margin(0, plot.top() - h, plot.left(), plot.height() + 2 * h);
    EXPECT_GT(Count(image, margin, kColours[1]), 0);
    for (int c : {0, 2, 3})
        EXPECT_EQ(Count(image, margin, kColours[size_t(c)]), 0) << "colour " << c;
}

TEST(ZRGraphDisplay, WideLabelsWidenTheMarginOfEveryDisplay) {
    Chart chart;
    chart.Plot(0, 0, 40);
    chart.Draw();
    EXPECT_EQ(chart.graph.GetBarWidth(), 90);
    EXPECT_EQ(chart.graph.GetPlotRect().left(), 90);

    chart.Plot(1, -1.23456789e8, 1.23456789e8).SetYLabels(-1);
    chart.Draw();
    QString widest = QStringLiteral(" -6.17284e+07 "); // channel B's line
    int width = QFontMetrics(chart.graph.font()).horizontalAdvance(widest);
    ASSERT_GT(width, 90);
    EXPECT_GE(chart.graph.GetBarWidth(), width);
    // One plot area for all displays, moved in far enough for the widest label.
    EXPECT_EQ(chart.graph.GetPlotRect().left(), chart.graph.GetBarWidth());
}
