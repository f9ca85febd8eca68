#include "kitbase/ui/ZRGraphControl.h"

#include "kitbase/ui/ZRGraph.h"
#include "kitbase/ui/ZRGraphDisplay.h"

#include <QVBoxLayout>

ZRGraphControl::ZRGraphControl(QWidget* parent) : QWidget(parent), m_pGraph(new ZRGraph(this)) {
    // The chart paints itself as a child filling the control.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pGraph);
    m_pGraph->AddDisplay(new ZRGraphDisplay(m_pGraph));
}

ZRGraphControl::~ZRGraphControl() = default;

void ZRGraphControl::Invalidate() {
    m_pGraph->Redraw();
}
