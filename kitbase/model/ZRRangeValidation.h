#pragma once

#include "kitbase/model/ZRValidation.h"

#include <cfloat>

// A numeric range on the typed number; both bounds inclusive and open-ended by default.
class ZRRangeValidation : public ZRValidation {
public:
    ZRRangeValidation() = default;
    ZRRangeValidation(const ZRRangeValidation& other) = default;
    ZRRangeValidation& operator=(const ZRRangeValidation& other) = default;
    ~ZRRangeValidation() override = default;

    bool Test(std::string& message) override;

    virtual double GetMax() const;
    virtual double GetMin() const;
    virtual void SetMax(double maximum);
    virtual void SetMin(double minimum);

    bool IsInclusiveMax() const { return m_bInclusiveMax; }
    bool IsInclusiveMin() const { return m_bInclusiveMin; }
    void SetInclusiveMax(bool inclusive) { m_bInclusiveMax = inclusive; }
    void SetInclusiveMin(bool inclusive) { m_bInclusiveMin = inclusive; }

protected:
    enum class Bound { None, BelowMin, AtOrBelowMin, AboveMax, AtOrAboveMax };
    // Which bound the value breaks, if any.
    Bound Check(double value) const;

    bool m_bInclusiveMax = true;
    bool m_bInclusiveMin = true;
    double m_min = -DBL_MAX;
    double m_max = DBL_MAX;
};
