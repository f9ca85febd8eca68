#include "kitbase/ui/ZRGraphDisplay.h"

#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZROscilloscopeScale.h"
#include "kitbase/ui/ZRSwatchButton.h"

#include "platform/core/Text.h"
#include "platform/ui/Text.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

namespace {
constexpr double kEpsilon = 0x1p-52;
constexpr int kMinWidth = 16;
// Between a vertical label and the plot's left edge.
constexpr int kLabelGap = 4;
constexpr int kMaxTimeLabels = 1000;
const QColor kGridColour(200, 200, 200);
} // namespace

ZRGraphDisplay::ZRGraphDisplay(ZRGraph* graph) : QCPLayerable(graph, QStringLiteral("main")) {}

ZRGraphDisplay::~ZRGraphDisplay() = default;

ZRGraph* ZRGraphDisplay::Graph() const {
    return static_cast<ZRGraph*>(mParentPlot);
}

void ZRGraphDisplay::SetXRange(double minimum, double maximum) {
    m_XMin = minimum;
    m_XMax = maximum;
}

void ZRGraphDisplay::SetYRange(double minimum, double maximum) {
    m_YMin = minimum;
    m_YMax = maximum;
}

void ZRGraphDisplay::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    applyAntialiasingHint(painter, mAntialiased, QCP::aePlottables);
}

QRect ZRGraphDisplay::clipRect() const {
    // Labels sit in the margins, outside the plot area.
    return mParentPlot ? mParentPlot->viewport() : QRect();
}

void ZRGraphDisplay::draw(QCPPainter* painter) {
    DrawForeground(painter);
    DrawScatterLabels(painter);
}

QPointF ZRGraphDisplay::Map(const QRectF& plot, double x, double y) const {
    return {plot.left() + (x - m_XMin) / (m_XMax - m_XMin) * plot.width(),
            plot.bottom() - (y - m_YMin) / (m_YMax - m_YMin) * plot.height()};
}

void ZRGraphDisplay::DrawForeground(QCPPainter* painter) {
    m_TimeLabels.clear();
    QRectF plot = Graph()->GetPlotRect();
    painter->setPen(QPen(Qt::black, 0));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(plot);
    if (m_XMax == m_XMin || m_YMax == m_YMin)
        return;
    const ZRGraph::Group& points = Graph()->GetGroup(m_DataGroup);
    if (points.empty())
        return;
    painter->save();
    painter->setClipRect(plot);
    // One polyline per run of points of the same colour; a run starts at the last point of the one
    // before, so the trace stays unbroken.
    QPolygonF run;
    QRgb colour = points.front().colour;
    auto flush = [&] {
        if (run.size() > 1) {
            painter->setPen(QPen(QColor(colour), 0));
            painter->drawPolyline(run);
        }
    };
    for (const ZRGraph::Point& point : points) {
        QPointF at = Map(plot, point.x, point.y);
        if (point.colour != colour) {
            flush();
            QPointF last = run.isEmpty() ? at : run.back();
            run.clear();
            run << last;
            colour = point.colour;
        }
        run << at;
    }
    flush();
    painter->restore();
}

void ZRGraphDisplay::LayOutTimeLabels() {
    double span = m_XMax - m_XMin;
    if (!(std::fabs(span) > kEpsilon))
        return;
    double step = m_TimeBetweenDivisions;
    // A missing or absurd step leaves one division over the whole range.
    if (!(step > 0.0) || std::fabs(span) / step > kMaxTimeLabels)
        step = std::fabs(span);
    double low = std::min(m_XMin, m_XMax);
    double high = std::max(m_XMin, m_XMax) + step * 1e-9;
    for (int i = 0; i <= kMaxTimeLabels; ++i) {
        double value = low + i * step;
        if (value > high)
            break;
        if (std::fabs(value) < step * 0.0001)
            value = 0.0;
        m_TimeLabels.push_back({value, platform::ui::ToQString(platform::core::Format(" %g ms ", value))});
    }
}

void ZRGraphDisplay::DrawScatterLabels(QCPPainter* painter) {
    QRectF plot = Graph()->GetPlotRect();
    if ((std::fabs(m_XMax - m_XMin) <= kEpsilon && std::fabs(m_YMax - m_YMin) <= kEpsilon) ||
        plot.width() < kMinWidth)
        return;
    if (!m_pYScale)
        m_pYScale = std::make_unique<ZROscilloscopeScale>();
    QFont font = Graph()->font();
    QFontMetrics metrics(font);
    painter->setFont(font);
    QPen grid(kGridColour, 0, Qt::DotLine);

    LayOutTimeLabels();
    for (const TimeLabel& label : m_TimeLabels) {
        double x = Map(plot, label.value, m_YMin).x();
        painter->setPen(grid);
        painter->drawLine(QLineF(x, plot.top(), x, plot.bottom()));
        QRectF box(x - 200, plot.bottom() + 2, 400, metrics.height());
        painter->setPen(Qt::black);
        painter->drawText(box, Qt::AlignHCenter | Qt::AlignTop, label.text);
    }

    m_pYScale->SetChannel(m_Channel);
    m_pYScale->SetYLabels(m_YLabels);
    m_pYScale->CreateLabels(m_YMin, m_YMax, plot.height(), metrics.height());
    QColor colour = Qt::black;
    if (m_pLabelColor) {
        colour = m_pLabelColor->GetColour();
        m_pLabelColor->update();
    }
    int need = 0;
    for (const ZROscilloscopeScale::Label& label : m_pYScale->GetLabels()) {
        double y = Map(plot, m_XMin, label.value).y();
        painter->setPen(grid);
        painter->drawLine(QLineF(plot.left(), y, plot.right(), y));
        if (label.text.empty())
            continue;
        QString text = platform::ui::ToQString(label.text);
        int width = metrics.horizontalAdvance(text);
        need = std::max(need, width + kLabelGap);
        QRectF box(plot.left() - kLabelGap - width, y - metrics.height() / 2.0, width, metrics.height());
        painter->setPen(colour);
        painter->drawText(box, Qt::AlignRight | Qt::AlignVCenter, text);
    }
    // Every display of the chart ends up with the widest display's margin.
    if (need > Graph()->GetBarWidth()) {
        Graph()->SetBarWidth(need);
        Graph()->Redraw();
    }
}
