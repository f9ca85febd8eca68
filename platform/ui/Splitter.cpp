#include "platform/ui/Splitter.h"

#include <QResizeEvent>

#include <algorithm>

namespace platform::ui {

Splitter::Splitter(Qt::Orientation orientation, QWidget* parent) : QSplitter(orientation, parent) {
    setChildrenCollapsible(true);
}

int Splitter::PaneSize(int index) const {
    if (index < 0 || index >= count())
        return -1;
    if (!m_laidOut) {
        auto it = m_pending.find(index);
        return it == m_pending.end() ? -1 : it->second;
    }
    return sizes().at(index);
}

void Splitter::SetPaneSize(int index, int size) {
    if (index < 0 || index >= count())
        return;
    size = std::max(size, 0);
    if (!m_laidOut) {
        m_pending[index] = size;
        return;
    }
    Apply(index, size);
}

void Splitter::Apply(int index, int size) {
    QList<int> now = sizes();
    int total = 0;
    for (int s : now)
        total += s;
    size = std::min(size, total);
    int rest = total - size;
    int others = total - now[index];
    QList<int> next = now;
    next[index] = size;
    int given = 0, last = -1;
    for (int i = 0; i < next.size(); ++i) {
        if (i == index)
            continue;
        // With every other pane collapsed, the first of them takes the rest.
        next[i] = others > 0 ? static_cast<int>(static_cast<long long>(now[i]) * rest / others)
                             : (last < 0 ? rest : 0);
        given += next[i];
        last = i;
    }
    if (last >= 0)
        next[last] += rest - given; // rounding
    for (int i = 0; i < next.size(); ++i)
        if (now[i] > 0 && next[i] == 0)
            m_restore[i] = now[i];
    setSizes(next);
}

bool Splitter::IsPaneShown(int index) const {
    int size = PaneSize(index);
    return size != 0 && index >= 0 && index < count();
}

void Splitter::ShowPane(int index, bool show) {
    if (index < 0 || index >= count() || IsPaneShown(index) == show)
        return;
    if (!show) {
        int size = PaneSize(index);
        if (size > 0)
            m_restore[index] = size; // before the first layout Apply cannot see it
        SetPaneSize(index, 0);
        return;
    }
    auto it = m_restore.find(index);
    int size = it != m_restore.end() ? it->second : -1;
    if (size <= 0) {
        int total = 0;
        if (m_laidOut)
            for (int s : sizes())
                total += s;
        size = total / std::max(count(), 1);
    }
    if (m_laidOut)
        SetPaneSize(index, size);
    else if (it != m_restore.end())
        m_pending[index] = size;
    else
        m_pending.erase(index); // the first layout shares the space as usual
}

void Splitter::TogglePane(int index) {
    ShowPane(index, !IsPaneShown(index));
}

void Splitter::resizeEvent(QResizeEvent* event) {
    QSplitter::resizeEvent(event);
    int along = orientation() == Qt::Horizontal ? event->size().width() : event->size().height();
    if (m_laidOut || along <= 0)
        return;
    m_laidOut = true;
    std::map<int, int> pending;
    pending.swap(m_pending);
    for (const auto& [index, size] : pending)
        if (index < count())
            Apply(index, size);
}

} // namespace platform::ui
