#pragma once

#include <QWidget>

class ZRGraph;

// The window that owns a chart. It starts with one display set up for the oscilloscope.
class ZRGraphControl : public QWidget {
public:
    explicit ZRGraphControl(QWidget* parent = nullptr);
    ~ZRGraphControl() override;

    // Owned by the control, alive as long as it is.
    ZRGraph* GetGraph() const { return m_pGraph; }
    // Draws the chart again from its data on the next round of the event loop.
    void Invalidate();

private:
    ZRGraph* m_pGraph;
};
