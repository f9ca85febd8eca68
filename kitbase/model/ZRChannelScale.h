#pragma once

#include "kitbase/model/ZRScale.h"

#include <cstdint>
#include <vector>

// The scale of one scope signal: raw samples divided by the factor give display units. Families
// derive scales whose factor follows the drive's settings.
class ZRChannelScale : public ZRScale {
public:
    ZRChannelScale() = default;
    ~ZRChannelScale() override = default;

    int GetPrecision() override { return m_Precision; }
    // Yields the base factor; always true.
    bool GetScaleFactor(double& factor) override;

    // out[i] = raw[i] / factor for i below count, the factor read once. An array shorter than count
    // grows to it, so a caller that sized it short is never overrun.
    virtual void ScaleChannelData(const int32_t* raw, int count, std::vector<float>& out);

    void SetBaseScaleFactor(double factor) { m_BaseScaleFactor = factor; }
    void SetPrecision(int precision) { m_Precision = precision; }

private:
    // Raw units per display unit.
    double m_BaseScaleFactor = 1.0;
    int m_Precision = 0;
};
