#include "kitbase/model/ZRValRangeValidation.h"

#include "kitbase/model/ZRValAttribute.h"
#include "platform/core/Text.h"

using platform::core::Format;

bool ZRValRangeValidation::Test(std::string& message) {
    auto* attribute = dynamic_cast<ZRValAttribute*>(GetAttribute());
    double value = 0.0;
    if (!attribute || !attribute->GetUnscaledTestValue(value)) {
        message = "Invalid Entry";
        return false;
    }
    Bound bound = Check(value);
    if (bound == Bound::None)
        return true;
    bool isMin = bound == Bound::BelowMin || bound == Bound::AtOrBelowMin;
    double shown = isMin ? GetMin() : GetMax();
    if (!attribute->ScaleValue(shown)) {
        message = "Scaling Error";
        return false;
    }
    switch (bound) {
    case Bound::BelowMin:
        message = Format("Value cannot be less than %.11g", shown);
        break;
    case Bound::AtOrBelowMin:
        message = Format("Value must be greater than %.11g", shown);
        break;
    case Bound::AboveMax:
        message = Format("Value cannot be more than %.11g", shown);
        break;
    default:
        message = Format("Value must be less than %.11g", shown);
        break;
    }
    return false;
}
