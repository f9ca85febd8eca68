#include "kitbase/ui/ZRGraph.h"

#include "kitbase/ui/ZRGraphDisplay.h"

#include <QEvent>
#include <QFontMetrics>

namespace {
constexpr int kMaxGroups = 256;
constexpr int kTopMargin = 10;
// Room for half of the last time label, which is centred on the plot's right edge.
constexpr int kRightMargin = 30;
} // namespace

ZRGraph::ZRGraph(QWidget* parent) : QCustomPlot(parent) {
    // The displays draw their own grids and labels; the library's axes would only duplicate them.
    for (QCPAxis* axis : axisRect()->axes())
        axis->setVisible(false);
    axisRect()->setAutoMargins(QCP::msNone);
    ApplyMargins();
}

ZRGraph::~ZRGraph() {
    // Before the library takes its layers down.
    m_Displays.clear();
}

void ZRGraph::SetBarWidth(int width) {
    m_BarWidth = width;
    ApplyMargins();
}

void ZRGraph::ApplyMargins() {
    int bottom = QFontMetrics(font()).height() + 8;
    axisRect()->setMargins(QMargins(m_BarWidth, kTopMargin, kRightMargin, bottom));
}

void ZRGraph::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        ApplyMargins();
    QCustomPlot::changeEvent(event);
}

ZRGraphDisplay* ZRGraph::GetDisplay(int index) const {
    if (index < 0 || index >= GetDisplayCount())
        return nullptr;
    return m_Displays[static_cast<size_t>(index)].get();
}

void ZRGraph::AddDisplay(ZRGraphDisplay* display) {
    if (display)
        m_Displays.emplace_back(display);
}

void ZRGraph::RemoveDisplay(int index) {
    if (index < 0 || index >= GetDisplayCount())
        return;
    m_Displays.erase(m_Displays.begin() + index);
}

void ZRGraph::ClearData() {
    for (Group& group : m_Groups)
        group.clear();
}

void ZRGraph::AddPoint(int group, double x, double y, const QColor& colour) {
    if (group < 0 || group >= kMaxGroups)
        return;
    if (static_cast<size_t>(group) >= m_Groups.size())
        m_Groups.resize(static_cast<size_t>(group) + 1);
    m_Groups[static_cast<size_t>(group)].push_back({x, y, colour.rgb()});
}

const ZRGraph::Group& ZRGraph::GetGroup(int group) const {
    static const Group empty;
    if (group < 0 || static_cast<size_t>(group) >= m_Groups.size())
        return empty;
    return m_Groups[static_cast<size_t>(group)];
}

QRect ZRGraph::GetPlotRect() const {
    return axisRect()->rect();
}

void ZRGraph::Redraw() {
    replot(rpQueuedReplot);
}
