#pragma once

#include "platform/ui/View.h"

#include <QWidget>

class ZRGraphControl;

// The plot pane of the oscilloscope window: one chart control filling the pane.
class ZRScopeChartView : public QWidget, public platform::ui::View {
public:
    static constexpr int kChartId = 19821;

    explicit ZRScopeChartView(QWidget* parent = nullptr);
    ~ZRScopeChartView() override;

    // A child window, alive as long as the pane.
    ZRGraphControl* GetGraphControl() const { return m_pControl; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    ZRGraphControl* m_pControl;
};
