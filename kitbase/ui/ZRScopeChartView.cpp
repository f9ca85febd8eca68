#include "kitbase/ui/ZRScopeChartView.h"

#include "kitbase/ui/ZRGraphControl.h"

#include <QResizeEvent>

#include <algorithm>

ZRScopeChartView::ZRScopeChartView(QWidget* parent) : QWidget(parent), m_pControl(new ZRGraphControl(this)) {}

ZRScopeChartView::~ZRScopeChartView() = default;

void ZRScopeChartView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    m_pControl->setGeometry(0, 0, std::max(event->size().width(), 0), std::max(event->size().height(), 0));
}
