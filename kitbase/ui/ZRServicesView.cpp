#include "kitbase/ui/ZRServicesView.h"

#include "kitbase/ui/ZRServicesGrid.h"
#include "platform/ui/ChildFrame.h"

#include <QAbstractButton>
#include <QResizeEvent>

#include <algorithm>

ZRServicesView::ZRServicesView(QWidget* parent) : QWidget(parent), m_pGrid(new ZRServicesGrid(this)) {}

ZRServicesView::~ZRServicesView() = default;

void ZRServicesView::OnInitialUpdate() {
    m_pGrid->OnInitialUpdate();
}

void ZRServicesView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const QSize size = event->size();
    if (platform::ui::ChildFrame* frame = platform::ui::ChildFrame::FrameOf(this);
        frame && frame->isMinimized())
        return;
    m_pGrid->setGeometry(0, 0, std::max(size.width(), 0), std::max(size.height(), 0));
    const bool collapsed = size.width() <= 0 || size.height() <= 0;
    m_pGrid->SetCollapsed(collapsed);
    if (m_pShowButton)
        m_pShowButton->setChecked(!collapsed);
}

bool ZRServicesView::OnCommand(unsigned id) {
    return m_pGrid->OnCommand(id);
}

bool ZRServicesView::OnUpdateCommand(unsigned id, platform::ui::CommandState& state) {
    return m_pGrid->OnUpdateCommand(id, state);
}

bool ZRServicesView::HasCommand(unsigned id) const {
    return m_pGrid->HasCommand(id);
}
