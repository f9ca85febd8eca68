#pragma once

#include <qcustomplot.h>

#include <memory>
#include <vector>

class ZRGraphDisplay;

// The chart: its displays all cover the same plot area, and it keeps the data groups they draw.
// The left margin (the bar width) is shared, so the plot areas of all displays line up.
class ZRGraph : public QCustomPlot {
public:
    struct Point {
        double x;
        double y;
        QRgb colour;
    };
    using Group = std::vector<Point>;

    explicit ZRGraph(QWidget* parent = nullptr);
    ~ZRGraph() override;

    int GetBarWidth() const { return m_BarWidth; }
    // Moves the plot's left edge; the next redraw uses it.
    void SetBarWidth(int width);

    int GetDisplayCount() const { return static_cast<int>(m_Displays.size()); }
    // Null outside the displays.
    ZRGraphDisplay* GetDisplay(int index) const;
    // Takes ownership; the display must have been made for this chart.
    void AddDisplay(ZRGraphDisplay* display);
    // Removes and deletes the display; the ones after it move down by one.
    void RemoveDisplay(int index);

    // Empties every data group.
    void ClearData();
    // Appends a point to the group; groups outside 0 to 255 are ignored.
    void AddPoint(int group, double x, double y, const QColor& colour);
    // Empty for a group that has no points.
    const Group& GetGroup(int group) const;

    // Where every display draws: the chart less its margins.
    QRect GetPlotRect() const;
    // Draws the chart again on the next round of the event loop.
    void Redraw();

protected:
    void changeEvent(QEvent* event) override;

private:
    void ApplyMargins();

    int m_BarWidth = 90;
    std::vector<std::unique_ptr<ZRGraphDisplay>> m_Displays;
    std::vector<Group> m_Groups;
};
