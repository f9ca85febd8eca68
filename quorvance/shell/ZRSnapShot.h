#pragma once

#include "platform/ui/Dialog.h"

#include <array>
#include <cstdint>
#include <string>

class QCPItemTracer;
class QMouseEvent;
class QTimer;
class ZRGraph;

// A captured two-channel scope trace in a chart, with one measuring cursor per channel whose time
// and value differences are shown under the chart. The owner sets the sample period and channel
// names, passes the samples and runs it modally.
class ZRSnapShot : public platform::ui::Dialog {
public:
    enum : int {
        IDD = 341,
        IDC_PLOT = 1150,
        IDC_TOGGLE_COLOR = 1151,
        IDC_Y_SCALE = 1152,
        IDC_READOUT = 1153
    };
    static constexpr int kTimerId = 100;
    static constexpr int kSamples = 128;
    // Colour table rows, each a pair (set 0, set 1) of 0x00BBGGRR values.
    enum Element : int { Channel1Trace = 0, Channel2Trace = 1, Background = 2, Grid = 3, Axis = 4 };

    explicit ZRSnapShot(QWidget* parent = nullptr);
    ~ZRSnapShot() override;

    void SetMsecPerSample(double ms) { m_MsecPerSample = ms; }
    double GetMsecPerSample() const { return m_MsecPerSample; }
    // channel 1 or 2.
    void SetChannelName(int channel, const std::string& name);
    const std::string& GetChannelName(int channel) const;

    // Takes the bytes of up to 128 pairs of doubles (channel 1, channel 2); the rest of the buffer
    // is cleared. Then finds each channel's extremes, starting from 0.
    void SetData(const void* samples, unsigned byteCount);
    // sample 0 to 127, channel 1 or 2.
    double GetSample(int sample, int channel) const;
    double GetMin(int channel) const;
    double GetMax(int channel) const;

    int GetColorSet() const { return m_ColorSet; }
    uint32_t GetColour(Element element, int set) const;
    ZRGraph* GetPlot() const { return m_pPlot; }
    // The y axis (1 or 2) as the scale choice left it: its lower end, span, title and whether it is on.
    double GetAxisMin(int axis) const { return m_AxisMin[Index(axis)]; }
    double GetAxisSpan(int axis) const { return m_AxisSpan[Index(axis)]; }
    std::string GetAxisTitle(int axis) const;
    bool IsAxisOn(int axis) const;
    bool HasCursors() const { return m_pCursor[0] != nullptr; }
    // Moves a cursor (1 or 2) to a time, as a drag does.
    void SetCursorTime(int cursor, double ms);

    // Handlers of the controls and of the read-out timer.
    void OnToggleColor();
    void OnSelChangeYScale();
    void OnTimer(int id);

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnButton(int id) override;
    void OnControlChanged(int id) override;

private:
    static size_t Index(int oneBased) { return oneBased == 2 ? 1 : 0; }
    void ConfigureChart();
    void ScaleAxis(int axis, int channel);
    void ApplyColors();
    void OnPlotMousePress(QMouseEvent* event);
    void OnPlotMouseMove(QMouseEvent* event);

    double m_MsecPerSample = 1.0;
    std::string m_ChannelName[2];
    ZRGraph* m_pPlot;
    uint32_t m_Colors[10];
    double m_Min[2] = {0.0, 0.0};
    double m_Max[2] = {0.0, 0.0};
    int m_ColorSet = 0;
    std::array<double, 2 * kSamples> m_Samples{};
    QTimer* m_pTimer;

    double m_AxisMin[2] = {0.0, 0.0};
    double m_AxisSpan[2] = {0.0, 0.0};
    QCPItemTracer* m_pCursor[2] = {nullptr, nullptr};
    int m_Dragging = -1;
    bool m_bPlaced = false;
};
