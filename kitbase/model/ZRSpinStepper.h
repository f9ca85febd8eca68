#pragma once

#include <string>

// The arithmetic of the grid's value spin edit: the limits, increment and precision a cell carries,
// and the text an arrow click produces from the cell's text. The spin-edit cell control reads the
// cell's settings into it on each arrow click and writes back the text Step gives.
class ZRSpinStepper {
public:
    ZRSpinStepper() = default;
    virtual ~ZRSpinStepper() = default;

    // Takes the cell's settings as texts; an empty text means the setting is absent.
    void ReadSettings(const std::string& wrap, const std::string& minimum, const std::string& maximum,
                      const std::string& start, const std::string& increment, const std::string& precision);

    // The value an arrow click starts from: the start value for an empty cell when there is one,
    // else the cell's text read as a number.
    double CurrentValue(const std::string& cellText) const;
    // One arrow click on a value: steps, wraps or stays, then keeps within the limits.
    double StepValue(double value, bool up) const;
    // The cell text for a value: the precision's decimals, or "%g" without a precision.
    std::string FormatValue(double value) const;
    // The new cell text after an arrow click on a cell holding cellText.
    std::string Step(const std::string& cellText, bool up) const;

    bool IsWrap() const { return m_bWrap; }
    bool HasMin() const { return m_bHasMin; }
    bool HasMax() const { return m_bHasMax; }
    bool HasStart() const { return m_bHasStart; }
    double GetMin() const { return m_min; }
    double GetMax() const { return m_max; }
    double GetStart() const { return m_start; }
    double GetIncrement() const { return m_increment; }
    int GetPrecision() const { return m_precision; }

private:
    bool m_bWrap = false;
    bool m_bHasMin = false;
    double m_min = 0.0;
    bool m_bHasMax = false;
    double m_max = 0.0;
    bool m_bHasStart = false;
    double m_start = 0.0;
    double m_increment = 1.0;
    int m_precision = -1;
};
