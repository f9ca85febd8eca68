#pragma once

#include <string>
#include <vector>

// The vertical labels of one oscilloscope display: four divisions of the range, labelled so that
// the channels sharing a chart never print over each other.
class ZROscilloscopeScale {
public:
    struct Label {
        double value;
        std::string text; // empty where another channel labels this grid line
    };

    ZROscilloscopeScale() = default;
    virtual ~ZROscilloscopeScale() = default;

    void SetChannel(int channel) { m_Channel = channel; }
    int GetChannel() const { return m_Channel; }
    // -1: each channel labels the grid line of its own index; n >= 0: channel n labels every line.
    void SetYLabels(int yLabels) { m_YLabels = yLabels; }
    int GetYLabels() const { return m_YLabels; }

    // Lays the labels out from minimum upwards. axisLength and textHeight are in pixels; an axis
    // shorter than a pixel keeps the labels it has, an empty range has none.
    virtual void CreateLabels(double minimum, double maximum, double axisLength, double textHeight);
    const std::vector<Label>& GetLabels() const { return m_Labels; }

    // Whether grid line index shows its value on a display of the channel.
    static bool CarriesText(int index, int channel, int yLabels);

private:
    int m_Channel = -1;
    int m_YLabels = -1;
    std::vector<Label> m_Labels;
};
