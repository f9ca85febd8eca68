#pragma once

#include "kitbase/model/ZRObject.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class ZRChannelOptionList;
class ZRCommand;
class ZRIndexSelection;

// A drive's oscilloscope: the arm-trigger command, the run-continuous and armed flags and a
// "Scale Type" selection per channel. Each family scope talks to its drive through the pure
// operations. Capture state: idle (neither flag), armed once (armed), running (both).
class ZRScope : public ZRObject {
public:
    static constexpr int kMaxChannels = 4;
    // Values of the "Scale Type" options; k >= kSameAsChA means "Same As" channel k - kSameAsChA.
    enum ScaleTypeValue : int { kAuto = 0, kManual = 1, kSameAsChA = 2 };

    ZRScope();
    ~ZRScope() override;

    // Clears both flags after the object's own Init; families call it first.
    void Init() override;

    // Sets armed, then runs the arm-trigger command with its errors shown; armed stays set when it
    // fails, so the next IsDataReady asks the drive.
    virtual void ArmTrigger();
    // A channel that answers false is neither read nor plotted.
    virtual bool ChannelEnabled(int channel) = 0;
    // The scope holds valid samples of the channel from the last collection.
    virtual bool ChannelValid(int channel) = 0;
    // Writes the channel's samples in display units into elements 0 to GetNumDataPoints() - 1;
    // an array shorter than that is grown first.
    virtual void GetChannelData(int channel, std::vector<float>& data) = 0;
    virtual std::string GetChannelLegend(int channel);
    virtual double GetChannelOffset(int channel);
    // Made on first use and kept by the scope.
    virtual ZRChannelOptionList* GetChannelOptionList() = 0;
    // Display units per vertical grid division; 0 when there is none.
    virtual double GetChannelScale(int channel);
    virtual std::string GetChannelUnits(int channel) = 0;
    virtual double GetMsecPerSample() = 0;
    virtual int GetNumDataPoints();
    // Returns the drive's scope to its idle state.
    virtual void Idle();
    // Polled on idle ticks: true once per completed capture while armed, clearing armed.
    virtual bool IsDataReady() = 0;
    virtual bool ReadChannel(int channel) = 0;
    // The display text of the channel's scale-type selection; empty for a channel out of range.
    virtual std::string GetScaleType(int channel);
    // Samples per horizontal grid division.
    virtual int GetTimeDivision() = 0;

    ZRCommand* GetArmTrigger() const { return m_pArmTrigger.get(); }
    int GetChannelsNum() const { return m_ChannelCount; }
    // Null for a channel out of range.
    ZRIndexSelection* GetChnScaleType(int channel) const;
    bool GetRunContinuous() const { return m_bRunContinuous; }
    void SetRunContinuous(bool run) { m_bRunContinuous = run; }

protected:
    bool IsArmed() const { return m_bArmed; }
    void SetArmed(bool armed) { m_bArmed = armed; }
    // Families with fewer channels; kept within 0 to kMaxChannels.
    void SetChannelsNum(int count);

private:
    std::unique_ptr<ZRCommand> m_pArmTrigger;
    bool m_bRunContinuous = false;
    bool m_bArmed = false;
    int m_ChannelCount = kMaxChannels;
    std::array<std::unique_ptr<ZRIndexSelection>, kMaxChannels> m_ScaleTypes;
};

// The collection step of a completed capture: reads every enabled channel, then re-arms a scope
// that runs continuously and returns any other to idle. The view runs it when IsDataReady answers
// true on an idle tick, so each capture is read once.
void CollectScopeCapture(ZRScope& scope);

// A vertical axis of four grid divisions of step from minimum to maximum.
struct ZRScopeAxis {
    double minimum = 0.0;
    double maximum = 0.0;
    double step = 0.0;

    bool operator==(const ZRScopeAxis&) const = default;
};

// The vertical axes of one plotting pass, channel by channel in order. A channel whose scale type
// refers to another channel takes that channel's axis from earlier in the same pass.
class ZRScopeAxes {
public:
    // Fitted to the values: four divisions on a round step, the lowest value strictly inside.
    static ZRScopeAxis FitToValues(double lowest, double highest);
    // offset ± 2 × scale.
    static ZRScopeAxis Manual(double offset, double scale);

    // The axis of a plotted channel by its scale type (text and selected value), kept for the rest
    // of the pass. "Manual" with a scale of 0, an unknown value and a "Same As" a channel not
    // plotted earlier in this pass all fit to the values.
    ZRScopeAxis Fit(int channel, const std::string& scaleType, int scaleValue, double scale, double offset,
                    double lowest, double highest);
    // Starts a new pass.
    void Clear() { m_Axes.fill(std::nullopt); }

private:
    std::array<std::optional<ZRScopeAxis>, ZRScope::kMaxChannels> m_Axes;
};

// The channel's label under the plot: "Channel A: 250 rpm/grid".
std::string FormatScopeLabel(const std::string& legend, double step, const std::string& units);
