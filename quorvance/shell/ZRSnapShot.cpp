#include "quorvance/shell/ZRSnapShot.h"

#include "kitbase/ui/ZRGraph.h"
#include "platform/core/Text.h"
#include "platform/ui/Guard.h"

#include <QBoxLayout>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

using platform::core::Format;
using platform::core::IDCANCEL;
using platform::core::IDOK;
using platform::ui::ControlSpec;

namespace {
QColor FromColorRef(uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

// Where the cursors start, in percent of the time axis.
constexpr double kCursorStart[2] = {33.0, 66.0};

// The chart cannot show an empty range: such an axis is drawn one unit wide around its value.
void SetAxisRange(QCPAxis* axis, double lower, double span) {
    if (!(span > 0.0) || !std::isfinite(span) || !std::isfinite(lower))
        axis->setRange(lower - 0.5, lower + 0.5);
    else
        axis->setRange(lower, lower + span);
}
} // namespace

ZRSnapShot::ZRSnapShot(QWidget* parent)
    : platform::ui::Dialog(IDD, "Scope Snap Shot",
                           {ControlSpec::Static(-1, "Y-Axes Scale:"),
                            ControlSpec::Combo(IDC_Y_SCALE, {"Independent", "Channel 1", "Channel 2"}),
                            ControlSpec::DefaultButton(IDOK, "Close"),
                            ControlSpec::Button(IDC_TOGGLE_COLOR, "Toggle Color"),
                            ControlSpec::Static(IDC_READOUT, {})},
                           parent),
      m_pPlot(new ZRGraph(this)), m_Colors{0xFF00FF, 0x0000FF, 0x00FFFF, 0xFF0000, 0x000000,
                                           0xFFFFFF, 0x008000, 0x808000, 0xFFFFFF, 0x000000},
      m_pTimer(new QTimer(this)) {
    m_ChannelName[0] = "Channel 1";
    m_ChannelName[1] = "Channel 2";
    m_pPlot->setMinimumSize(640, 360);
    m_pTimer->setInterval(100);
    QObject::connect(m_pTimer, &QTimer::timeout, this,
                     [this] { platform::ui::Guard("snapshot timer", [this] { OnTimer(kTimerId); }); });
    QObject::connect(m_pPlot, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        platform::ui::Guard("snapshot cursor", [&] { OnPlotMousePress(event); });
    });
    QObject::connect(m_pPlot, &QCustomPlot::mouseMove, this, [this](QMouseEvent* event) {
        platform::ui::Guard("snapshot cursor", [&] { OnPlotMouseMove(event); });
    });
    QObject::connect(m_pPlot, &QCustomPlot::mouseRelease, this, [this](QMouseEvent*) { m_Dragging = -1; });
}

ZRSnapShot::~ZRSnapShot() = default;

void ZRSnapShot::SetChannelName(int channel, const std::string& name) {
    m_ChannelName[Index(channel)] = name;
}

const std::string& ZRSnapShot::GetChannelName(int channel) const {
    return m_ChannelName[Index(channel)];
}

void ZRSnapShot::SetData(const void* samples, unsigned byteCount) {
    // Whole doubles only, at most the buffer; what a short capture does not cover must not show
    // the previous capture's samples.
    size_t count = std::min<size_t>(byteCount / sizeof(double), m_Samples.size());
    m_Samples.fill(0.0);
    if (samples && count > 0)
        std::memcpy(m_Samples.data(), samples, count * sizeof(double));
    for (int c = 0; c < 2; ++c) {
        m_Min[c] = 0.0;
        m_Max[c] = 0.0;
    }
    for (int i = 0; i < kSamples; ++i) {
        for (int c = 0; c < 2; ++c) {
            double v = m_Samples[static_cast<size_t>(2 * i + c)];
            if (v < m_Min[c])
                m_Min[c] = v;
            if (v > m_Max[c])
                m_Max[c] = v;
        }
    }
}

double ZRSnapShot::GetSample(int sample, int channel) const {
    if (sample < 0 || sample >= kSamples)
        return 0.0;
    return m_Samples[static_cast<size_t>(2 * sample) + Index(channel)];
}

double ZRSnapShot::GetMin(int channel) const {
    return m_Min[Index(channel)];
}

double ZRSnapShot::GetMax(int channel) const {
    return m_Max[Index(channel)];
}

uint32_t ZRSnapShot::GetColour(Element element, int set) const {
    return m_Colors[2 * static_cast<int>(element) + (set ? 1 : 0)];
}

std::string ZRSnapShot::GetAxisTitle(int axis) const {
    QCPAxis* y = axis == 2 ? m_pPlot->yAxis2 : m_pPlot->yAxis;
    return y->label().toStdString();
}

bool ZRSnapShot::IsAxisOn(int axis) const {
    QCPAxis* y = axis == 2 ? m_pPlot->yAxis2 : m_pPlot->yAxis;
    return y->visible();
}

bool ZRSnapShot::OnInitDialog() {
    platform::ui::Dialog::OnInitDialog();
    if (!m_bPlaced) {
        m_bPlaced = true;
        if (auto* outer = qobject_cast<QBoxLayout*>(layout()))
            outer->insertWidget(0, m_pPlot, 1);
    }
    SetSelection(IDC_Y_SCALE, 0);
    ConfigureChart();
    ApplyColors();
    m_pTimer->start();
    return true;
}

void ZRSnapShot::ConfigureChart() {
    QCustomPlot* plot = m_pPlot;
    plot->clearItems();
    plot->clearGraphs();
    m_pCursor[0] = m_pCursor[1] = nullptr;
    // The chart's own axes carry the scales here.
    plot->axisRect()->setAutoMargins(QCP::msAll);
    plot->xAxis->setVisible(true);
    plot->xAxis->setLabel(QStringLiteral("ms"));
    SetAxisRange(plot->xAxis, -0.25, kSamples * m_MsecPerSample);
    plot->legend->setVisible(true);

    QCPAxis* yAxes[2] = {plot->yAxis, plot->yAxis2};
    for (int c = 1; c <= 2; ++c) {
        ScaleAxis(c, c);
        QCPGraph* trace = plot->addGraph(plot->xAxis, yAxes[c - 1]);
        trace->setName(QString::fromStdString(m_ChannelName[c - 1]));
        QVector<double> x(kSamples), y(kSamples);
        for (int i = 0; i < kSamples; ++i) {
            x[i] = i * m_MsecPerSample;
            y[i] = GetSample(i, c);
        }
        trace->setData(x, y, true);

        auto* cursor = new QCPItemTracer(plot);
        cursor->setGraph(trace);
        cursor->setInterpolating(true);
        cursor->setStyle(QCPItemTracer::tsCrosshair);
        const QCPRange& range = plot->xAxis->range();
        cursor->setGraphKey(range.lower + range.size() * kCursorStart[c - 1] / 100.0);
        m_pCursor[c - 1] = cursor;
    }
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ZRSnapShot::ScaleAxis(int axis, int channel) {
    size_t a = Index(axis);
    size_t c = Index(channel);
    m_AxisMin[a] = m_Min[c] - std::fabs(m_Max[c] * 0.1);
    m_AxisSpan[a] = std::fabs(m_Max[c] - m_Min[c]) * 1.2;
    QCPAxis* y = axis == 2 ? m_pPlot->yAxis2 : m_pPlot->yAxis;
    y->setLabel(QString::fromStdString(Format("Y-Axis %d", channel)));
    SetAxisRange(y, m_AxisMin[a], m_AxisSpan[a]);
    y->setVisible(axis == channel);
}

void ZRSnapShot::ApplyColors() {
    QCustomPlot* plot = m_pPlot;
    QColor background = FromColorRef(GetColour(Background, m_ColorSet));
    QColor grid = FromColorRef(GetColour(Grid, m_ColorSet));
    QColor axis = FromColorRef(GetColour(Axis, m_ColorSet));
    plot->setBackground(QBrush(background));
    plot->xAxis->setBasePen(QPen(axis));
    plot->xAxis->setTickPen(QPen(axis));
    plot->xAxis->setSubTickPen(QPen(axis));
    plot->xAxis->setTickLabelColor(axis);
    plot->xAxis->setLabelColor(axis);
    plot->legend->setTextColor(axis);
    plot->legend->setBorderPen(QPen(axis));
    plot->legend->setBrush(QBrush(background));
    for (QCPAxis* a : {plot->xAxis, plot->yAxis}) {
        a->grid()->setPen(QPen(grid, 0, Qt::DotLine));
        a->grid()->setSubGridPen(QPen(grid, 0, Qt::DotLine));
        a->grid()->setZeroLinePen(QPen(grid));
    }
    QCPAxis* yAxes[2] = {plot->yAxis, plot->yAxis2};
    for (int c = 0; c < 2; ++c) {
        QColor trace = FromColorRef(GetColour(c == 0 ? Channel1Trace : Channel2Trace, m_ColorSet));
        QCPAxis* y = yAxes[c];
        y->setBasePen(QPen(trace));
        y->setTickPen(QPen(trace));
        y->setSubTickPen(QPen(trace));
        y->setTickLabelColor(trace);
        y->setLabelColor(trace);
        if (c < plot->graphCount())
            plot->graph(c)->setPen(QPen(trace));
        if (m_pCursor[c])
            m_pCursor[c]->setPen(QPen(trace, 0, Qt::DashLine));
    }
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void ZRSnapShot::OnToggleColor() {
    m_ColorSet = m_ColorSet == 0 ? 1 : 0;
    ApplyColors();
}

void ZRSnapShot::OnSelChangeYScale() {
    switch (GetSelection(IDC_Y_SCALE)) {
    case 1:
        ScaleAxis(1, 1);
        ScaleAxis(2, 1);
        break;
    case 2:
        ScaleAxis(1, 2);
        ScaleAxis(2, 2);
        break;
    default:
        ScaleAxis(1, 1);
        ScaleAxis(2, 2);
        break;
    }
    m_pPlot->replot(QCustomPlot::rpQueuedReplot);
}

void ZRSnapShot::SetCursorTime(int cursor, double ms) {
    if (QCPItemTracer* c = m_pCursor[Index(cursor)]) {
        c->setGraphKey(ms);
        m_pPlot->replot(QCustomPlot::rpQueuedReplot);
    }
}

void ZRSnapShot::OnTimer(int id) {
    if (id != kTimerId)
        return;
    if (HasCursors()) {
        m_pCursor[0]->updatePosition();
        m_pCursor[1]->updatePosition();
        QPointF first = m_pCursor[0]->position->coords();
        QPointF second = m_pCursor[1]->position->coords();
        SetItemText(IDC_READOUT, Format("Diff. time = %.2f, Diff. Y = %.2f", second.x() - first.x(),
                                        second.y() - first.y()));
    } else {
        SetItemText(IDC_READOUT, {});
    }
    update();
}

void ZRSnapShot::OnPlotMousePress(QMouseEvent* event) {
    if (!HasCursors() || event->button() != Qt::LeftButton)
        return;
    // The nearer cursor follows the mouse.
    double x = event->position().x();
    double best = std::numeric_limits<double>::max();
    for (int c = 0; c < 2; ++c) {
        double distance = std::fabs(m_pPlot->xAxis->coordToPixel(m_pCursor[c]->graphKey()) - x);
        if (distance < best) {
            best = distance;
            m_Dragging = c;
        }
    }
    OnPlotMouseMove(event);
}

void ZRSnapShot::OnPlotMouseMove(QMouseEvent* event) {
    if (m_Dragging < 0 || !HasCursors())
        return;
    SetCursorTime(m_Dragging + 1, m_pPlot->xAxis->pixelToCoord(event->position().x()));
}

void ZRSnapShot::OnOK() {
    m_pTimer->stop();
    platform::ui::Dialog::OnOK();
}

void ZRSnapShot::OnCancel() {
    m_pTimer->stop();
    platform::ui::Dialog::OnCancel();
}

void ZRSnapShot::OnButton(int id) {
    if (id == IDC_TOGGLE_COLOR)
        OnToggleColor();
    else
        platform::ui::Dialog::OnButton(id);
}

void ZRSnapShot::OnControlChanged(int id) {
    if (id == IDC_Y_SCALE)
        OnSelChangeYScale();
}
