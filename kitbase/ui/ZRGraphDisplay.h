#pragma once

#include <qcustomplot.h>

#include <memory>
#include <vector>

class ZRGraph;
class ZROscilloscopeScale;
class ZRSwatchButton;

// One x-y display of a chart, over the whole plot area: it draws one data group and its own grid
// and labels the oscilloscope's way (times under the plot, the channel's scale at the left).
class ZRGraphDisplay : public QCPLayerable {
public:
    struct TimeLabel {
        double value;
        QString text;
    };

    explicit ZRGraphDisplay(ZRGraph* graph);
    ~ZRGraphDisplay() override;

    void SetChannel(int channel) { m_Channel = channel; }
    int GetChannel() const { return m_Channel; }
    // Milliseconds between vertical grid lines.
    void SetTimeBetweenDivisions(double ms) { m_TimeBetweenDivisions = ms; }
    // Not owned; the labels take its colour.
    void SetLabelColorCtrl(ZRSwatchButton* swatch) { m_pLabelColor = swatch; }
    void SetYLabels(int yLabels) { m_YLabels = yLabels; }

    void SetDataGroup(int group) { m_DataGroup = group; }
    int GetDataGroup() const { return m_DataGroup; }
    void SetXRange(double minimum, double maximum);
    void SetYRange(double minimum, double maximum);

    // The label scales, made by the first draw that has labels to show; null until then.
    ZROscilloscopeScale* GetYScale() const { return m_pYScale.get(); }
    const std::vector<TimeLabel>& GetTimeLabels() const { return m_TimeLabels; }

protected:
    // Frame and data; the labels are laid out afresh after it on every draw.
    virtual void DrawForeground(QCPPainter* painter);
    virtual void DrawScatterLabels(QCPPainter* painter);

    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    ZRGraph* Graph() const;
    QPointF Map(const QRectF& plot, double x, double y) const;
    void LayOutTimeLabels();

    int m_YLabels = -1;
    ZRSwatchButton* m_pLabelColor = nullptr;
    int m_Channel = 0;
    double m_TimeBetweenDivisions = 0.0;

    int m_DataGroup = 0;
    double m_XMin = 0.0, m_XMax = 0.0, m_YMin = 0.0, m_YMax = 0.0;
    std::unique_ptr<ZROscilloscopeScale> m_pYScale;
    std::vector<TimeLabel> m_TimeLabels;
};
